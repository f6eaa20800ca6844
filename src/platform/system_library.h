#pragma once

#include <string_view>

// Rules for the libraries the program loads while it runs. It is often started from a folder that others
// can write to (downloads, a USB stick), so a library is taken from the system folder by its bare name,
// or from an absolute path the system registered; never found by a search that reaches other folders.
namespace brindle {

// True for the bare file name of a system library ("msi.dll"): ASCII letters, digits, '.', '_' and '-',
// not starting with '.'. A name with a folder, a drive or a stream in it is refused.
bool IsSystemLibraryName(std::string_view name);

// True for an absolute Windows path: a drive with its root ("C:\..." or "C:/...") or a UNC path
// ("\\server\share\...", "\\?\C:\..."). Paths relative to the current folder, to the root of the current
// drive ("\dir\x.dll") or to a drive's current folder ("C:x.dll") are not absolute.
bool IsAbsoluteWindowsPath(std::string_view path);

}  // namespace brindle
