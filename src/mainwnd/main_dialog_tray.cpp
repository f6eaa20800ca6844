// Life in the notification area: the icon, hiding and restoring, the hot keys, the instance query
// and bringing a window to the front.
#include <windows.h>

#include <shellapi.h>

#include "about/about_dialog.h"
#include "mainwnd/hot_keys.h"
#include "mainwnd/main_dialog.h"
#include "platform/instance_query.h"
#include "resource.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "ui/messages.h"

namespace brindle {
namespace {
constexpr char kSearchMenuText[] = "検索(&F)...";
}  // namespace
namespace {

constexpr char kMenuNotHidden[] = "メインを隠していないのでメニューを表示できません";

class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(old_); }

private:
    HCURSOR old_;
};

}  // namespace

void MainDialog::Hide() {
    EnsureTrayIcons();  // a hide before the first paint
    WaitCursor wait;
    POINT cursor;
    GetCursorPos(&cursor);
    if (!trayMenu_ && !PrepareTrayMenuAt(cursor))
        return;  // stays shown
    if (options_.taskbarHidden) {
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconHidden_.Get());
    } else {
        trayIcon_.Notify(NotificationIcon::Op::Add, iconHidden_.Get());
    }
    hotKeys_.Unregister(kHotKeyFocus);
    hotKeys_.Register(kHotKeyRestore);
    hotKeys_.Register(kHotKeyTrayMenu);
    ShowWindow(Hwnd(), SW_HIDE);
    if (about_ && about_->Hwnd())
        ShowWindow(about_->Hwnd(), SW_HIDE);
    options_.startHidden = false;
}

void MainDialog::Restore() {
    if (!ready_) {
        return;
    }
    if (options_.taskbarHidden) {
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconSmall_.Get());
    } else {
        trayIcon_.Notify(NotificationIcon::Op::Delete, nullptr);
    }
    ShowWindow(Hwnd(), SW_RESTORE);
    SetForegroundWindow(Hwnd());
    Preferences prefs;
    store_.GetPreferences(prefs);
    ApplyWindowRect(prefs.winMainFrame);
    hotKeys_.Unregister(kHotKeyRestore);
    hotKeys_.Unregister(kHotKeyTrayMenu);
    hotKeys_.Register(kHotKeyFocus);
    DiscardTrayMenu();
}

void MainDialog::Focus() {
    if (!focusHotKey_) {
        return;
    }
    if (taskSelect_ && taskSelect_->Hwnd())
        ShowWindow(taskSelect_->Hwnd(), SW_HIDE);
    SetForegroundWindow(Hwnd());
    FlashWindow(Hwnd(), TRUE);
    SetFocus(Hwnd());
}

bool MainDialog::BuildTrayMenu() {
    trayMenu_.Reset(CreatePopupMenu());
    trayItems_.SetIconSize(ui::MetricForDpi(SM_CXSMICON, trayMenuDpi_));
    if (!trayItems_.Build(trayMenu_.Get(), store_, system_, messages_, *this)) {
        trayMenu_.Reset();
        return false;
    }
    // The search window heads the menu; the chosen command comes back to OnCommand like the others.
    InsertMenuA(trayMenu_.Get(), 0, MF_BYPOSITION | MF_STRING, ID_SEARCH, kSearchMenuText);
    InsertMenuA(trayMenu_.Get(), 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return true;
}

void MainDialog::DiscardTrayMenu() {
    trayItems_.Discard();
    trayMenu_.Reset();
}

void MainDialog::ShowTrayMenu() {
    WaitCursor wait;
    if (trayMenu_) {
        // The hidden main window must be the foreground window for the menu to close when the user
        // clicks elsewhere; it is moved off by its own size meanwhile, stays hidden, and goes back to its
        // place afterwards, so that a closing save never stores the parked rectangle.
        RECT rect;
        GetWindowRect(Hwnd(), &rect);
        parkedFrom_ = rect;
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        RECT parked = rect;
        OffsetRect(&parked, -width, -height);
        BringToFront(Hwnd(), parked, -1);
        POINT cursor;
        GetCursorPos(&cursor);
        // Made again when the pointer is on a monitor of another scale than the one it was built for.
        PrepareTrayMenuAt(cursor);
        UINT chosen = static_cast<UINT>(
            TrackPopupMenu(trayMenu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Hwnd(), nullptr));
        PostMessageA(Hwnd(), WM_NULL, 0, 0);  // the menu opens properly the next time as well
        if (parkedFrom_ && !IsWindowVisible(Hwnd())) {
            SetWindowPos(Hwnd(), nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        parkedFrom_.reset();
        if (chosen != 0)
            PostMessageA(Hwnd(), WM_COMMAND, LOWORD(chosen), 0);
    } else if (!menuMessageBusy_) {
        Restore();
        menuMessageBusy_ = true;
        messages_.Show(kMenuNotHidden, box::kIconExclamation);
        menuMessageBusy_ = false;
    }
}

void MainDialog::OnTrayNotify(UINT mouseMessage) {
    if (!ready_) {
        return;
    }
    const bool reverse = options_.reverseButtons;
    if (mouseMessage == WM_LBUTTONDOWN) {
        reverse ? Restore() : ShowTrayMenu();
    } else if (mouseMessage == WM_RBUTTONUP) {
        reverse ? ShowTrayMenu() : Restore();
    }
}

void MainDialog::OnHotKey(int id) {
    if (!ready_) {
        return;
    }
    switch (id) {
        case kHotKeyFocus:
            Focus();
            break;
        case kHotKeyRestore:
            Restore();
            break;
        case kHotKeyTrayMenu:
            ShowTrayMenu();
            break;
        case kHotKeySearch:
            OpenSearch();
            break;
    }
}

LRESULT MainDialog::OnInstanceQuery(WPARAM which) {
    switch (which) {
        case 0:
            return static_cast<LRESULT>(instance_query::NamePrefix(options_.instanceName));
        case 1:
            return options_.instanceName.empty() ? 0 : 1;
        case 2:
            Restore();
            return 0;
        default:
            return 0;
    }
}

LRESULT MainDialog::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != instance_query::kCopyDataTag) {
        return 0;
    }
    return instance_query::SameName(data->lpData, data->cbData, options_.instanceName) ? 1 : 0;
}

void MainDialog::BringToFrontLater(HWND target, const RECT& rect, UINT flags) {
    bringToFront_.length = sizeof bringToFront_;
    bringToFront_.flags = flags;
    bringToFront_.rcNormalPosition = rect;
    PostMessageA(Hwnd(), WM_BRING_TO_FRONT, reinterpret_cast<WPARAM>(&bringToFront_), reinterpret_cast<LPARAM>(target));
}

int MainDialog::BringToFront(HWND target, const RECT& rect, int flags) {
    if (!IsWindow(target)) {
        return 0;
    }
    const DWORD version = GetVersion();
    const bool nt = !(version & 0x80000000);
    const int major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    const bool foregroundLock = nt ? major >= 5 : (major >= 4 && minor >= 10);
    if (foregroundLock) {
        // Attaching to the foreground window's input and lifting the lock time-out lets this
        // program take the foreground although the user is working elsewhere.
        DWORD foregroundProcess = 0;
        HWND foreground = GetForegroundWindow();
        DWORD foregroundThread = GetWindowThreadProcessId(foreground, &foregroundProcess);
        DWORD ownThread = GetWindowThreadProcessId(Hwnd(), nullptr);
        auto allow = Power().allowSetForegroundWindow;
        if (allow)
            allow(foregroundProcess);
        AttachThreadInput(ownThread, foregroundThread, TRUE);
        DWORD timeout = 0;
        SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
        SetForegroundWindow(Hwnd());
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                              0);
        AttachThreadInput(ownThread, foregroundThread, FALSE);
    } else {
        SetForegroundWindow(target);
    }
    const UINT swp =
        flags == -1 ? SWP_HIDEWINDOW | SWP_NOZORDER : static_cast<UINT>(flags) | SWP_SHOWWINDOW | SWP_NOZORDER;
    SetWindowPos(target, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, swp);
    return 1;
}

}  // namespace brindle
