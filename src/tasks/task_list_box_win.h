#pragma once

#include <windows.h>

#include <vector>

#include "tasks/task_list.h"

namespace brindle {

// The owner-drawn list of the task select dialog. Its items carry nothing of their own: item i is drawn
// from entry i of the dialog's window list.
class TaskListBox {
public:
    // The smallest item height, whatever the font: room for a 16 x 16 icon.
    static constexpr int kMinimumItemHeight = 17;

    void Attach(HWND list, const std::vector<TaskEntry>* entries);
    HWND Hwnd() const { return list_; }

    // One empty item per entry, and a horizontal extent for the widest text.
    void Refill();
    // The height of "test" in the list's font plus 1, at least kMinimumItemHeight.
    int ItemHeight() const;
    // Draws one item; an item number that is not in the window list draws nothing.
    void Draw(const DRAWITEMSTRUCT& item) const;
    int WidestText() const { return widest_; }

private:
    HFONT Font() const;

    HWND list_ = nullptr;
    const std::vector<TaskEntry>* entries_ = nullptr;
    int widest_ = 0;
};

}  // namespace brindle
