#include "mainwnd/main_dialog.h"

#include <windowsx.h>

#include "about/about_dialog.h"
#include "launch/shell_launch_win.h"
#include "search/search_dialog.h"
#include "mainwnd/keyboard_hook_win.h"
#include "resource.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "ui/messages.h"

namespace brindle {

// The icons are there before the window: at the system DPI until the window knows its monitor's. The
// notification area's wait until after the first paint unless the icon is there from the start.
MainDialog::MainDialog(SettingsStore& store, Messages& messages, Options options)
    : ui::Dialog(IDD_MAIN), store_(store), messages_(messages), options_(std::move(options)) {
    dpi_ = ui::SystemDpi();
    if (options_.taskbarHidden)
        LoadOwnIcons();
    else
        LoadWindowIcons();
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

MainDialog::~MainDialog() {
    KeyboardHook::Remove();
}

void MainDialog::EnsureTrayIcons() {
    if (!iconSmall_)
        LoadTrayIcons();
}

HICON MainDialog::LoadedIcon(int id) const {
    switch (id) {
        case IDI_TRAY:
            return iconHidden_.Get();
        case IDI_SMALL:
            return iconSmall_.Get();
        case IDI_APP:
            return iconBig_.Get();
        case IDI_BUSY:
            return iconBusy_.Get();
        default:
            return nullptr;
    }
}

const PowerFunctions& MainDialog::Power() const {
    if (!power_)
        power_.emplace();
    return power_->Functions();
}

bool MainDialog::HookInstalled() const {
    return KeyboardHook::Installed();
}

BOOL MainDialog::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    if (const unsigned dpi = ui::WindowDpi(Hwnd()); dpi != dpi_) {
        dpi_ = dpi;
        LoadWindowIcons();
    }
    splitter_.Attach(Item(IDC_SPLITTER));
    list_.Attach(Item(IDC_LIST));
    list_.SetRows(&listModel_.Rows());
    treeCtrl_.Attach(Item(IDC_TREE));
    pageTree_.Attach(Item(IDC_TREE), Item(IDC_PAGE_COMBO));
    trayIcon_.Attach(Hwnd());
    hotKeys_.Attach(Hwnd());

    if (options_.taskbarHidden) {
        trayIcon_.Notify(NotificationIcon::Op::Add, iconSmall_.Get());
    }

    menu_.Reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    accelerators_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));

    SetWindowIcons();

    dragging_ = false;
    // The version window and the task select dialog are made when first asked for; the system menu's
    // popup, the keyboard hook, the list's tooltip, the notification icons and the search window once
    // the window is idle after its first paint (the hook, the tooltip and the icons at once when the
    // window starts hidden, the search window by its first use then): the first paint waits for none
    // of them, and the window is usable before they are made.

    // The environment lays the controls out, with the stored splitter position.
    InitEnvironment();
    PostMessageA(Hwnd(), WM_DEFERRED_INIT, 0, 0);
    return TRUE;
}

// Made while the user may already be typing: one piece a tick, so that a click or a key that came
// meanwhile is handled first (a timer waits for every other message), and the keyboard stays where it
// was. The first tick can come before the thread has waited at all, when the controls' first paint
// outlasts the timer's period: it does nothing, and the work starts a period later, after a wait. The
// search window, the largest piece, comes last.
void MainDialog::WorkOnceIdle() {
    HWND focus = GetFocus();
    switch (idleWorkDone_++) {
        case 0:
            break;
        case 1:
            EnsureTrayIcons();
            break;
        case 2:
            if (!systemMenuFilled_) {
                systemMenuFilled_ = true;
                InsertMainPopupIntoSystemMenu();
            }
            break;
        case 3:
            if (!inputServicesStarted_)
                StartInputServices();
            break;
        default:
            KillTimer(Hwnd(), kIdleWorkTimer);
            CreateSearch();
            break;
    }
    if (focus && GetFocus() != focus)
        SetFocus(focus);
}

// The "Main" popup goes to the top of the system menu. The system menu owns what it holds and destroys
// it with the window, so it gets a popup of its own, taken out of a second copy of the menu resource.
void MainDialog::InsertMainPopupIntoSystemMenu() {
    HMENU system = GetSystemMenu(Hwnd(), FALSE);
    ui::UniqueMenu copy(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU)));
    HMENU popup = copy ? GetSubMenu(copy.Get(), 0) : nullptr;
    if (!system || !popup || !RemoveMenu(copy.Get(), 0, MF_BYPOSITION)) {
        return;
    }
    if (!InsertMenuA(system, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), "Brindle")) {
        DestroyMenu(popup);
        return;
    }
    InsertMenuA(system, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// Enter and a double click on the list launch the selected shortcut; the window stays open. The hidden
// window keeps the keyboard after the tray menu: nothing it receives then may launch.
void MainDialog::OnOK() {
    if (!IsWindowVisible(Hwnd())) {
        return;
    }
    const int index = SelectedShortcut();
    if (index >= 0) {
        LaunchShortcut(store_, index, {}, Hwnd(), messages_, system_);
    }
}

// Escape and the close box; a hidden window ignores Escape (it may still hold the keyboard).
void MainDialog::OnCancel() {
    if (IsWindowVisible(Hwnd())) {
        Close();
    }
}

void MainDialog::Close() {
    ClosingSave();
    if (trayIcon_.Present()) {
        trayIcon_.Notify(NotificationIcon::Op::Delete, nullptr);
    }
    EndDialog(IDCANCEL);
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    // The shell's owner-drawn submenus while its menu is up, before the tray menu's drawing.
    if (shellMenu_ && IsWindowVisible(Hwnd()) && ForwardMenuMessage(*shellMenu_, message, wParam, lParam, result))
        return true;
    switch (message) {
        case WM_PAINT:
            if (!firstPaintSeen_) {
                firstPaintSeen_ = true;
                SetTimer(Hwnd(), kIdleWorkTimer, kIdleWorkDelayMs, nullptr);
            }
            return PaintMinimised();
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(iconWindowSmall_.Get());
            return true;
        case WM_DPICHANGED:
            // Handled whole here: the dialog manager's own scaling of the template would fight the layout.
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_SIZE:
            if (!layoutHeld_)
                Layout(LOWORD(lParam), HIWORD(lParam), false);
            return false;  // default processing as well
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, GET_X_LPARAM(lParam));
        case WM_LBUTTONUP:
            return OnLButtonUp();
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            CancelSplitterDrag();
            return false;
        case WM_SYSCOMMAND:
            OnSysCommand(wParam, lParam);
            return true;
        case WM_CLOSE:
            // Asked to close from outside (a task manager), hidden or not.
            Close();
            return true;
        case WM_DESTROY:
            // Every way out (a failed start included) takes the icon out of the notification area and
            // ends the keyboard hook's thread.
            if (trayIcon_.Present())
                trayIcon_.Notify(NotificationIcon::Op::Delete, nullptr);
            KillTimer(Hwnd(), kHookRenewalTimer);
            KeyboardHook::Remove();
            return false;
        case WM_ENDSESSION:
            if (wParam) {
                ClosingSave();
                if (options_.exitSteps)
                    options_.exitSteps();
            }
            return false;
        case WM_INSTANCE_QUERY:
            result = OnInstanceQuery(wParam);
            return true;
        case WM_COPYDATA:
            result = OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return true;
        case WM_TRAY_NOTIFY:
            OnTrayNotify(static_cast<UINT>(lParam));
            return true;
        case WM_DEFERRED_INIT:
            DeferredInit();
            return true;
        case WM_SPLITTER_DRAG:
            BeginSplitterDrag();
            return true;
        case WM_TASK_KEY:
            ShowTaskSelect();
            return true;
        case WM_BRING_TO_FRONT: {
            // wParam: the placement record filled by the task select dialog (target rectangle and extra
            // flags); lParam: the target. Any other wParam (another program's) is not a pointer to read.
            const WINDOWPLACEMENT* placement = &bringToFront_;
            HWND target = reinterpret_cast<HWND>(lParam);
            if (wParam == reinterpret_cast<WPARAM>(placement)) {
                BringToFront(target, placement->rcNormalPosition, static_cast<int>(placement->flags));
                if (target != Hwnd()) {
                    SetWindowPos(Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
                }
            }
            return true;
        }
        case WM_TIMER:
            if (wParam == kPageTimer)
                OnPageTimer();
            if (wParam == kHookRenewalTimer)
                KeyboardHook::Renew();
            if (wParam == kIdleWorkTimer)
                WorkOnceIdle();
            if (wParam == kStatusTimer) {
                KillTimer(Hwnd(), kStatusTimer);
                ShowWindow(Item(IDC_STATUS), SW_HIDE);
            }
            return false;  // default processing as well
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_MENUCHAR:
            return OnMenuItemMessage(message, wParam, lParam, result);
        case WM_INITMENUPOPUP:
            // The "Shutdown" popups: the menu's own, Alt+X's and the system menu's copy.
            EnablePowerItems(reinterpret_cast<HMENU>(wParam), Power());
            return false;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        case WM_HOTKEY:
            OnHotKey(static_cast<int>(wParam));
            return true;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                if (trayIcon_.Current())
                    trayIcon_.Notify(NotificationIcon::Op::Add, trayIcon_.Current());
                return true;
            }
            return false;
    }
}

}  // namespace brindle
