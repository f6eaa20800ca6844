#pragma once

#include <windows.h>

#include <commctrl.h>

namespace brindle {

// The six colours of a view's items: normal, selected while the view has the focus, selected without it.
struct ItemColours {
    COLORREF text, back;
    COLORREF selectedText, selectedBack;
    COLORREF noFocusText, noFocusBack;
};

// NM_CUSTOMDRAW of a page tree: the colours go into the notification, the tree paints.
LRESULT DrawTreeItem(NMTVCUSTOMDRAW& draw, HWND tree, const ItemColours& colours);

// NM_CUSTOMDRAW of a shortcut list: the program paints every item itself, image without overlay and
// text, in all four view modes.
LRESULT DrawListItem(NMLVCUSTOMDRAW& draw, HWND list, const ItemColours& colours);

}  // namespace brindle
