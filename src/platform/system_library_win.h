#pragma once

#include <windows.h>

#include <string>

#include "platform/platform_win.h"

// Every library the program loads while it runs comes through here (the rules: system_library.h).
namespace brindle {

// Loads a library of the system ("msi.dll", "powrprof.dll") from the system folder and nowhere else: a
// library of that name beside the program or in the current folder is never loaded. Its own dependencies
// come from the system folder as well where the system can say so. Null when the name is no bare library
// name (ERROR_INVALID_PARAMETER) or the library is missing. Free it with FreeLibrary.
HMODULE LoadSystemLibrary(const char* name);

// Loads a library from the absolute path a component registered for itself (the HTML Help control);
// null for any path that a search would resolve, which could reach the current folder.
HMODULE LoadLibraryAtPath(const std::string& path);

// The system folder ("C:\Windows\system32"; the 32-bit one under WOW64), without a backslash at its end.
std::string SystemFolder();

// Takes the current folder out of the library search order of this process (and, as the system does, of
// the programs it starts), and makes path searches look in the current folder last. The first call of
// the program; the default library folders stay as they are, since the shell extensions of the context
// menu rely on them.
void ProtectLibrarySearch();

}  // namespace brindle
