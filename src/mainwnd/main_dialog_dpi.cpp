// The main window at the DPI of its monitor: its icons, image lists, splitter and the tray menu's
// metrics, and the move to a monitor of another scale (WM_DPICHANGED). The font is scaled in ApplyFont
// and stored at 96 DPI.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "views/own_images_win.h"

namespace brindle {
namespace {

// The DPI of the monitor that holds the notification area: the taskbar's, or the system's when there is
// none (Wine shows the icons in a window of its own, at the system DPI).
unsigned NotificationAreaDpi() {
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr)) {
        RECT rect;
        if (GetWindowRect(taskbar, &rect))
            return ui::PointDpi({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    return ui::SystemDpi();
}

}  // namespace

void MainDialog::LoadOwnIcons() {
    LoadWindowIcons();
    LoadTrayIcons();
}

// The window's caption and task switcher take the window's small and large icon at the window's DPI.
void MainDialog::LoadWindowIcons() {
    iconWindowSmall_.Reset(views::LoadOwnIcon(IDI_SMALL, ui::MetricForDpi(SM_CXSMICON, dpi_)));
    iconBig_.Reset(views::LoadOwnIcon(IDI_APP, ui::MetricForDpi(SM_CXICON, dpi_)));
}

// The shell draws the notification icon at its small icon size (SM_CXSMICON at the taskbar's DPI). A
// notification icon that is there is added again with the new picture of the same role, as the shell
// wants after a change of scale.
void MainDialog::LoadTrayIcons() {
    const int traySize = ui::MetricForDpi(SM_CXSMICON, NotificationAreaDpi());
    HICON shown = trayIcon_.Current();
    const int role = shown == iconHidden_.Get()  ? IDI_TRAY
                     : shown == iconBusy_.Get()  ? IDI_BUSY
                     : shown == iconSmall_.Get() ? IDI_SMALL
                                                 : 0;
    ui::UniqueIcon hidden(views::LoadOwnIcon(IDI_TRAY, traySize));
    ui::UniqueIcon small(views::LoadOwnIcon(IDI_SMALL, traySize));
    ui::UniqueIcon busy(views::LoadOwnIcon(IDI_BUSY, traySize));
    if (trayIcon_.Present() && role != 0) {
        HICON next = role == IDI_TRAY ? hidden.Get() : role == IDI_BUSY ? busy.Get() : small.Get();
        trayIcon_.Notify(NotificationIcon::Op::Delete, nullptr);
        trayIcon_.Notify(NotificationIcon::Op::Add, next);
    }
    // The old pictures go only now: the shell no longer shows them.
    iconHidden_ = std::move(hidden);
    iconSmall_ = std::move(small);
    iconBusy_ = std::move(busy);
}

void MainDialog::SetWindowIcons() {
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig_.Get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconWindowSmall_.Get()));
}

void MainDialog::BuildTreeImageList() {
    const int size = ui::MetricForDpi(SM_CXSMICON, dpi_);
    treeImages_.Reset(views::OwnStripImageList(views::OwnStrip::Tree, size));
    pageIcons_.SetSize(size);
    if (treeImages_)
        TreeView_SetImageList(Item(IDC_TREE), treeImages_.Get(), TVSIL_NORMAL);
}

// The shortcuts' icons are read at the sizes of the list's image lists.
void MainDialog::ApplyListIconSizes() {
    iconCache_.SetSizes({ui::MetricForDpi(SM_CXICON, dpi_), ui::MetricForDpi(SM_CXSMICON, dpi_)});
}

// The bar is 2 pixels wide at 96 DPI.
int MainDialog::SplitterWidth() const {
    return ui::ScaleToDpi(2, dpi_);
}

// The tray menu is drawn at the DPI of the monitor where it opens: its icons read at that size, its rows
// tall enough for them, its text in the stored font at that DPI. A menu built for another DPI is made
// again; false when no menu could be made.
bool MainDialog::PrepareTrayMenuAt(POINT where) {
    const unsigned dpi = ui::PointDpi(where);
    if (trayMenu_ && dpi == trayMenuDpi_)
        return true;
    trayMenuDpi_ = dpi;
    LOGFONTA logFont;
    static_assert(sizeof logFont == sizeof storedFont_);
    std::memcpy(&logFont, &storedFont_, sizeof logFont);
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    logFont.lfHeight = ui::ScaleToDpi(logFont.lfHeight, dpi);
    logFont.lfWidth = ui::ScaleToDpi(logFont.lfWidth, dpi);
    trayFont_.Reset(CreateFontIndirectA(&logFont));
    DiscardTrayMenu();
    // The shortcuts' icons are read for the menu at its size; the list reads its own at its next fill.
    iconCache_.SetSizes({ui::MetricForDpi(SM_CXICON, dpi), ui::MetricForDpi(SM_CXSMICON, dpi)});
    const bool built = BuildTrayMenu();
    ApplyListIconSizes();
    return built;
}

// Windows sends WM_DPICHANGED when the window has crossed to a monitor of another scale (or the scale
// changed), with the rectangle the window should take there. The font, the image lists and the icons
// are made again for the new DPI, the views filled again (their icons read at the new sizes) and the
// controls laid out; the splitter keeps its share of the window.
void MainDialog::OnDpiChanged(unsigned dpi, const RECT* suggested) {
    if (dpi == 0)
        return;
    const unsigned old = dpi_;
    const int splitter = splitterPos_;
    dpi_ = dpi;
    if (suggested) {
        SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyFont(storedFont_);
    BuildListImageLists();
    ApplyListIconSizes();
    BuildTreeImageList();
    LoadOwnIcons();
    SetWindowIcons();
    ClearTree();
    BuildTree();
    RefillList();
    // A tray menu of the hidden window is made again when it next opens, at the DPI where it opens.

    splitterPos_ = ui::ScaleBetweenDpi(splitter, old, dpi);
    RECT client;
    GetClientRect(Hwnd(), &client);
    Layout(client.right, client.bottom, true);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

}  // namespace brindle
