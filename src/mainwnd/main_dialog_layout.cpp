// Placing the main window's controls, dragging the splitter, and the minimised window's picture.
#include "mainwnd/layout.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"

namespace brindle {

void MainDialog::Layout(int cx, int cy, bool useDragPosition) {
    HWND splitter = Item(IDC_SPLITTER);
    if (!splitter || cx == 0) {
        return;
    }
    int x = splitterPos_;
    if (!useDragPosition) {
        RECT bar;
        GetWindowRect(splitter, &bar);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&bar), 2);
        x = bar.left;
    }
    // A stored position from a wider window must not put the bar where it cannot be reached.
    x = ClampSplitterToClient(x, cx, SplitterWidth());
    splitterPos_ = x;
    RECT combo;
    GetWindowRect(Item(IDC_PAGE_COMBO), &combo);
    const MainLayout layout = ComputeMainLayout(cx, cy, x, combo.bottom - combo.top, SplitterWidth());

    struct Placement {
        int id;
        const Box& box;
    } placements[] = {{IDC_TREE, layout.tree},
                      {IDC_SPLITTER, layout.splitter},
                      {IDC_STATUS, layout.status},
                      {IDC_PAGE_COMBO, layout.combo},
                      {IDC_LIST, layout.list}};
    HDWP batch = BeginDeferWindowPos(5);
    for (const Placement& p : placements) {
        if (batch) {
            batch =
                DeferWindowPos(batch, Item(p.id), nullptr, p.box.x, p.box.y, p.box.width, p.box.height, SWP_NOZORDER);
        }
    }
    if (batch)
        EndDeferWindowPos(batch);
}

void MainDialog::BeginSplitterDrag() {
    if (dragging_) {
        return;
    }
    dragging_ = true;
    SetCapture(Hwnd());
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Hwnd(), &cursor);
    splitterPos_ = cursor.x;
    DrawDragLine(splitterPos_);
}

// A focus rectangle: drawing it twice at the same place erases it.
void MainDialog::DrawDragLine(int x) {
    RECT client;
    GetClientRect(Hwnd(), &client);
    RECT line{x, 0, x + SplitterWidth(), client.bottom};
    // The window DC starts at the frame; shift the line by the client area's offset.
    POINT origin{0, 0};
    ClientToScreen(Hwnd(), &origin);
    RECT window;
    GetWindowRect(Hwnd(), &window);
    OffsetRect(&line, origin.x - window.left, origin.y - window.top);
    if (HDC dc = GetWindowDC(Hwnd())) {
        DrawFocusRect(dc, &line);
        ReleaseDC(Hwnd(), dc);
    }
}

bool MainDialog::OnMouseMove(WPARAM keys, int x) {
    if (dragging_ && (keys & MK_LBUTTON)) {
        DrawDragLine(splitterPos_);
        RECT client;
        GetClientRect(Hwnd(), &client);
        if (x != splitterPos_ && SplitterPositionAllowed(x, client.right, SplitterWidth())) {
            splitterPos_ = x;
        }
        DrawDragLine(splitterPos_);
    }
    return false;  // default processing as well
}

bool MainDialog::OnLButtonUp() {
    if (dragging_) {
        DrawDragLine(splitterPos_);
        RECT client;
        GetClientRect(Hwnd(), &client);
        Layout(client.right, client.bottom, true);
        dragging_ = false;
        ReleaseCapture();
    }
    return false;
}

// The capture went elsewhere (another window took it, a menu or a dialog came up, Alt+Tab): the drag
// is cancelled, its line erased and the bar left where it was, so the next press starts a new drag.
void MainDialog::CancelSplitterDrag() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    DrawDragLine(splitterPos_);
    RECT client;
    GetClientRect(Hwnd(), &client);
    Layout(client.right, client.bottom, false);
    if (GetCapture() == Hwnd())
        ReleaseCapture();
}

bool MainDialog::PaintMinimised() {
    if (!IsIconic(Hwnd())) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Hwnd(), &client);
    const int x = (client.right - ui::MetricForDpi(SM_CXICON, dpi_) + 1) / 2;
    const int y = (client.bottom - ui::MetricForDpi(SM_CYICON, dpi_) + 1) / 2;
    DrawIcon(dc, x, y, iconWindowSmall_.Get());
    EndPaint(Hwnd(), &paint);
    return true;
}

}  // namespace brindle
