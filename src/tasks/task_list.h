#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The task select dialog's window list: which top-level windows it lists, in which order, and which of
// them a Close reaches. Portable; task_windows_win.cpp gathers the facts from the system.
namespace brindle {

// One listed window. Handles are kept as numbers here; the Windows half turns them back.
struct TaskEntry {
    uintptr_t window = 0;
    uint32_t processId = 0;
    std::string title;
    std::string program;  // the file name of its process's program; empty when its process was not found
    uintptr_t icon = 0;   // not owned
};

// What the enumeration learns of a top-level window before it decides to list it.
struct WindowFacts {
    bool visible = false;
    bool enabled = false;
    bool ownProcess = false;  // a window of this program (the dialog itself included)
    std::string className;
    std::string title;
};

// Whether a window of this class may be listed: the desktop ("Progman") and tooltips never are.
bool IsListedClass(const std::string& className);

// Visible, enabled windows of other programs with a title, except the desktop ("Progman") and tooltips.
// Our own windows never appear: closing one of them from here would close this program.
bool IsListedWindow(const WindowFacts& facts);

// Inserts `entry` before the first entry whose program (then title) compares greater, character by
// character as the multibyte run-time does: a stable order by program and title in which equal entries
// keep the order they came in (the z-order). Returns the position.
size_t InsertSorted(std::vector<TaskEntry>& entries, TaskEntry entry);

// The entries a Close of entry `selected` posts WM_CLOSE to: that one alone, or with `allOfProgram`
// (Shift held) every entry of the same program. A window without a program name (its process was not
// found, a failed snapshot) is never grouped with others, and no window of `ownProcessId` is ever
// included. Empty for a selection outside the list.
std::vector<size_t> WindowsToClose(const std::vector<TaskEntry>& entries,
                                   size_t selected,
                                   bool allOfProgram,
                                   uint32_t ownProcessId);

// The longest title the list keeps, in bytes: another program decides how long its text is, and a
// title is shown on one line anyway.
constexpr size_t kTaskTitleMaxBytes = 1024;

// `title` cut to kTaskTitleMaxBytes, never inside a double-byte character.
std::string ShownTitle(std::string title);

// "[program]title", as the list shows an entry.
std::string EntryText(const TaskEntry& entry);

}  // namespace brindle
