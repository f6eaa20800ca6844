#pragma once

#include <windows.h>

#include <vector>

#include "tasks/task_list.h"

namespace brindle {

// How long the list waits for another program to answer one message (its title, its icon). A thread
// that does not answer in time counts as hung for the rest of the refresh: its windows are listed with
// what the system knows of them without asking the program, so a hung program costs one wait at most.
constexpr UINT kTaskAnswerTimeoutMs = 200;

struct TaskWindows {
    std::vector<TaskEntry> entries;  // in list order
    HWND topmost = nullptr;          // the first window listed in z-order, null when none is
};

// The top-level windows the task select dialog lists, with the program of each from a process snapshot
// (no program names when the snapshot fails) and the icon to draw `iconSize` pixels wide.
TaskWindows CollectTaskWindows(int iconSize);

// A window's rectangle as Select would move it: a minimised window's restored rectangle, in screen
// coordinates, not the rectangle of its icon.
RECT RestoredWindowRect(HWND window);

}  // namespace brindle
