#pragma once

#include <windows.h>

#include <vector>

#include "tasks/task_list.h"

namespace brindle {

// The owner-drawn list of the task select dialog. Its items carry nothing of their own: item i is drawn
// from entry i of the dialog's window list.
class TaskListBox {
public:
    void Attach(HWND list, const std::vector<TaskEntry>* entries);
    HWND Hwnd() const { return list_; }
    // The icons' edge (the small icon of the list's DPI) and the text's margins scaled with it; items
    // measured from then on are at least an icon and a pixel high.
    void SetIconSize(int pixels) { iconSize_ = pixels; }
    int IconSize() const { return iconSize_; }

    // One empty item per entry, and a horizontal extent for the widest text.
    void Refill();
    // The height of "test" in the list's font plus 1, at least the icon's plus 1.
    int ItemHeight() const;
    // Draws one item; an item number that is not in the window list draws nothing.
    void Draw(const DRAWITEMSTRUCT& item) const;
    int WidestText() const { return widest_; }

private:
    HFONT Font() const;

    HWND list_ = nullptr;
    const std::vector<TaskEntry>* entries_ = nullptr;
    int widest_ = 0;
    int iconSize_ = 16;
};

}  // namespace brindle
