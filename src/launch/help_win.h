#pragma once

#include <windows.h>

#include <string>

namespace brindle {

// The command id of Help (F1).
constexpr UINT kIdHelp = 57670;

// Opens the program's help file (the module path with ".chm") at its index page. The HTML Help control
// is located through its registered class and loaded on first use, only from an absolute registered path;
// without it nothing happens.
// Returns the help window, or null.
HWND ShowHelp();

// The file of the HTML Help control as registered for its class id; empty when it is not registered.
std::string HtmlHelpControlPath();

}  // namespace brindle
