#pragma once

#include <windows.h>

#include <string>

#include "launch/help_topics.h"

namespace brindle {

// The command id of Help (F1).
constexpr UINT kIdHelp = 57670;

// What shows a page of a compiled help file: the HTML Help control, or a test's recorder in its place.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows `page` of `file` in the program's help window type; the help window, or null.
    virtual HWND Display(const std::string& file, const std::string& page) = 0;
};

// Puts `viewer` in place of the HTML Help control (null puts the control back); returns the one before
// (null for the control).
HelpViewer* SetHelpViewer(HelpViewer* viewer);

// Opens `page` of the program's help file (the module path with ".chm"). The HTML Help control is located
// through its registered class and loaded on first use, only from an absolute registered path; without it
// nothing happens. Returns the help window, or null.
HWND ShowHelp(const char* page = help::kStartPage);

// The file of the HTML Help control as registered for its class id; empty when it is not registered.
std::string HtmlHelpControlPath();

}  // namespace brindle
