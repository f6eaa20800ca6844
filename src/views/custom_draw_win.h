#pragma once

#include <windows.h>

#include <commctrl.h>

#include "views/image_strip_win.h"

namespace brindle {

struct Preferences;

// The six colours of a view's items: normal, selected while the view has the focus, selected without it.
struct ItemColours {
    COLORREF text, back;
    COLORREF selectedText, selectedBack;
    COLORREF noFocusText, noFocusBack;
};

// The colour sets of the page tree and the shortcut list in the preferences.
ItemColours TreeItemColours(const Preferences& prefs);
ItemColours ListItemColours(const Preferences& prefs);

// NM_CUSTOMDRAW of a page tree: the colours go into the notification, the tree paints.
LRESULT DrawTreeItem(NMTVCUSTOMDRAW& draw, HWND tree, const ItemColours& colours);

// The text an empty shortcut list shows: how to fill the page.
extern const char kEmptyPageHint[];

// NM_CUSTOMDRAW of a shortcut list: the program paints every item itself, image without overlay and
// text, in all four view modes. What a whole paint shares (view mode, image list and image size, the
// selected item) is read when the paint starts, and what a row shares (colours, image, the text edge of
// its first column) when the row starts, so that each cell of the report view only fetches its text and
// draws it.
class ListPainter {
public:
    LRESULT Draw(NMLVCUSTOMDRAW& draw, HWND list, const ItemColours& colours);
    // The images are drawn once on their background and copied from then on: after a fill (which numbers
    // the shortcuts' icons anew) and with new image lists, they are drawn again.
    void ForgetImages() { imageStrip_.Clear(); }

private:
    void StartPaint(HWND list, HDC dc);
    void StartRow(const NMLVCUSTOMDRAW& draw, const ItemColours& colours);
    void DrawCell(NMLVCUSTOMDRAW& draw);
    void DrawIconItem(NMLVCUSTOMDRAW& draw);
    void DrawEmptyHint(const NMLVCUSTOMDRAW& draw, const ItemColours& colours);
    void PlaceImage(HDC dc, COLORREF back, const RECT& r);

    // The paint
    HWND list_ = nullptr;
    HDC dc_ = nullptr;
    DWORD view_ = 0;
    HIMAGELIST images_ = nullptr;
    SIZE imageSize_{};
    int selected_ = -1;
    COLORREF listBack_ = CLR_NONE;  // under the images of the views other than the report
    ImageStrip imageStrip_;
    // The row
    int item_ = -1;
    bool focused_ = false;
    COLORREF text_ = 0, back_ = 0;
    int image_ = -1;
    int firstColumnEnd_ = 0;  // left edge of column 1: where the text of column 0 ends
};

}  // namespace brindle
