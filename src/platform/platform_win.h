#pragma once

#include <windows.h>

#include <string>

// Small platform questions several parts of the program ask.
namespace brindle {

// UTF-16 of ANSI code page bytes.
std::wstring Widen(const std::string& text);

// The system's text for an error code (FormatMessage), without the line break it ends in.
std::string SystemErrorText(unsigned long code);

// The full path of the running program, kept whole however long it is.
std::string ModulePath();

// True while GetKeyState reports the key down.
bool IsKeyDown(int virtualKey);

// True for an existing folder; a path that does not exist is no folder.
bool IsDirectory(const std::string& path);

// Fills `info` through GetVersionExA, retrying with the size of the plain OSVERSIONINFOA when the
// extended form fails. True when the extended form succeeded.
bool GetOsVersion(OSVERSIONINFOEXA& info);

// A function of a library loaded at run time, with its own type; null when the library lacks it.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
    // Through void(*)(), the one function pointer type every other one may be cast from and to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace brindle
