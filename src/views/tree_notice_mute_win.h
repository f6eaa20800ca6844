#pragma once

#include <windows.h>

namespace brindle {

// While an object lives, the window procedure of a tree view's parent answers the tree's per-item
// notices that nobody handles (an item deleted, an item being expanded or expanded) itself, with 0 as
// the default processing would, instead of passing each through the dialog's routing: clearing or
// building thousands of pages then costs no message routing per item. Every other message goes on as
// before. The parent's procedure is put back when the object goes; one object per thread at a time.
class TreeNoticeMute {
public:
    explicit TreeNoticeMute(HWND tree);
    ~TreeNoticeMute();
    TreeNoticeMute(const TreeNoticeMute&) = delete;
    TreeNoticeMute& operator=(const TreeNoticeMute&) = delete;

    // Whether the parent's procedure was taken over (false: nothing changes, the notices go through).
    bool Active() const { return original_ != nullptr; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND parent_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace brindle
