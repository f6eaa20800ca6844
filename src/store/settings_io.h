#pragma once

#include <string>
#include <string_view>

// The store's access to the disk; settings_io_posix.cpp and settings_io_win.cpp implement it.
namespace brindle::settings_io {

enum class ReadResult {
    kRead,
    kNotFound,  // neither the file nor its folder is there
    kFailed,    // anything else: held by another program, access denied, a read error
};

// Reads the whole file. A file another program holds without sharing it (a sync client, a virus scanner)
// is tried again for about a second before that counts as kFailed. On kFailed `errorText` names the file and says why
// (ANSI bytes).
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& errorText);

// Writes `bytes` to a new file beside `path`, flushed to the disk, and puts it in place of `path` only when
// it was written whole, so a failure leaves the old file as it was. The new file keeps the old one's
// attributes (permissions natively). With a `backupPath`, the file replaced is kept under that name (an
// older backup goes); nothing is kept when there was no file. On failure `errorText` names `path` and says
// why (ANSI bytes).
bool ReplaceWholeFile(const std::string& path,
                      std::string_view bytes,
                      std::string& errorText,
                      const std::string& backupPath = {});

// The full path of the first file (not folder) matching `pattern`, which may hold wildcards; the
// pattern itself when nothing matches.
std::string ResolveSettingsPath(const std::string& pattern);

}  // namespace brindle::settings_io
