#pragma once

#include <string>

// Paths written relative to the program, so that a settings file on a removable drive works from
// whatever drive letter the drive gets: ".\x", "..\x" (and "." or ".." alone) are relative to the
// program's folder, "\x" (one backslash, no drive) to the program's drive.
namespace brindle {

// The folder of a module's full path, without a trailing backslash ("E:\Tools" for
// "E:\Tools\brindle.exe", "E:" for "E:\brindle.exe"); empty for a path without a folder.
std::string ProgramFolderOf(const std::string& modulePath);

// The drive part of a full path: "E:" for "E:\...", "\\server\share" for "\\server\share\...",
// empty for anything else.
std::string DriveOf(const std::string& path);

// `path` resolved against the program's folder when it is written relative to the program (see above);
// any other path, and any path when `programFolder` has no drive, unchanged. "." and ".." parts at the
// start are folded into the folder; a ".." never climbs above the drive.
std::string ResolveProgramRelative(const std::string& path, const std::string& programFolder);

// A full path on the program's own drive written drive-relative ("E:\Apps\x.exe" -> "\Apps\x.exe");
// any other path unchanged. Drive letters compare without case.
std::string MakeDriveRelative(const std::string& path, const std::string& programFolder);

// A command line with its file part made drive-relative (quoted or not); the parameters unchanged.
std::string MakeCommandLineDriveRelative(const std::string& commandLine, const std::string& programFolder);

}  // namespace brindle
