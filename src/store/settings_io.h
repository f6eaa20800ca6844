#pragma once

#include <string>
#include <string_view>

// The store's access to the disk; settings_io_posix.cpp and settings_io_win.cpp implement it.
namespace brindle::settings_io {

// Reads the whole file. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a new file beside `path` and puts it in place of `path` only when it was written
// whole, so a failure leaves the old file as it was. On failure `errorText` says why (ANSI bytes).
bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& errorText);

// The full path of the first file (not folder) matching `pattern`, which may hold wildcards; the
// pattern itself when nothing matches.
std::string ResolveSettingsPath(const std::string& pattern);

}  // namespace brindle::settings_io
