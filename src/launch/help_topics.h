#pragma once

// The pages of Brindle.chm that the program opens, and the window type it shows them in. help/ holds
// their sources; a test checks that the compiled file has every one of them.
namespace brindle::help {

inline constexpr char kWindowType[] = "mainwnd";

inline constexpr char kStartPage[] = "index.htm";  // the main window
inline constexpr char kPageDialog[] = "pages.htm";
inline constexpr char kShortcutDialog[] = "shortcuts.htm";
inline constexpr char kChangeIconDialog[] = "change_icon.htm";
inline constexpr char kSortDialog[] = "sort.htm";
inline constexpr char kTaskSelectDialog[] = "task_select.htm";
inline constexpr char kPreferencesDialog[] = "preferences.htm";
inline constexpr char kVersionWindow[] = "version.htm";
inline constexpr char kSearchWindow[] = "search.htm";

inline constexpr const char* kOpenedPages[] = {kStartPage,         kPageDialog,    kShortcutDialog,
                                               kChangeIconDialog,  kSortDialog,    kTaskSelectDialog,
                                               kPreferencesDialog, kVersionWindow, kSearchWindow};

}  // namespace brindle::help
