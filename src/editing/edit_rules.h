#pragma once

#include <functional>
#include <optional>
#include <string>

// Rules of the page, shortcut and change-icon dialogs that need no window. Portable: texts are bytes of
// code page 932.
namespace brindle::dialogs {

// Characters a page or shortcut name may not hold (searched by characters, so a trail byte never
// matches). The page line of the settings file writes a page's name and icons unquoted or between
// quotes, so a double quote there would swallow the fields after it: page names and page icons refuse it.
inline constexpr char kForbiddenInName[] = "=,<>/\\";
inline constexpr char kForbiddenInPageName[] = "=,<>/\\\"";
inline constexpr char kForbiddenInPageIcon[] = "\"";

// Messages of the name checks.
inline constexpr char kPageNameRequired[] = "ページ名は必須です。\n";
inline constexpr char kShortcutNameRequired[] = "ショートカット名は必須です。\n";

// The message for a text holding one of `forbidden`, or nothing when the text is free of them.
std::optional<std::string> ForbiddenCharacterMessage(const std::string& text, const char* forbidden);

// An icon source split into its file and icon index: "file>index", the index read with automatic base
// (0x hexadecimal, a leading 0 octal) up to the first character that does not fit; "file" alone is 0.
struct IconChoice {
    std::string file;
    int index = 0;
};
IconChoice SplitIconChoice(const std::string& source);
// The icon source of a chosen icon: the file alone for icon 0 (or none), "file>index" otherwise.
std::string JoinIconChoice(const std::string& file, int index);

// A command line typed without quotes around a program path that holds a blank
// (C:\Program Files\App\app.exe -x) is one file name to the launch: when the whole text is no existing
// file but the text before one of its blanks is, that part is put in quotes (the first such blank from
// the left, the order in which the system itself tries them). Any other text comes back unchanged.
// `isFile` answers for a text as typed (it expands environment variables itself).
std::string QuoteProgramPart(const std::string& commandLine, const std::function<bool(const std::string&)>& isFile);

}  // namespace brindle::dialogs
