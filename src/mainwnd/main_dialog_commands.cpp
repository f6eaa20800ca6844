// Routing of the main window's commands, notifications and keyboard messages.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "about/about_dialog.h"
#include "launch/help_win.h"
#include "launch/shell_launch_win.h"
#include "mainwnd/keyboard_hook_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "search/search_dialog.h"
#include "store/settings_store.h"
#include "tasks/task_select_dialog.h"
#include "text/sjis.h"
#include "ui/ready_scope.h"

namespace brindle {
namespace {

constexpr char kChooseOne[] = "選択してください";
constexpr size_t kTooltipMax = 80;
constexpr int kShutdownPopupPosition = 4;  // in the menu resource

// The ready flag alone: the modal loop disables the window itself and enables it again before the dialog
// goes, which is what hands the activation back to the main window.
struct ReadyFlag {
    bool& flag;
    bool Ready() const { return flag; }
    void SetReady(bool ready) { flag = ready; }
};

}  // namespace

INT_PTR MainDialog::RunModal(ui::Dialog& dialog) {
    ReadyFlag flag{ready_};
    ui::ReadyScope<ReadyFlag> busy(flag);
    return dialog.DoModal(Hwnd());
}

bool MainDialog::PreTranslateMessage(MSG& message) {
    mouseClicked_ = false;
    keyTyped_ = false;
    // After the tray menu the hidden window can still have the keyboard focus: its keys (Escape, Enter,
    // the accelerators, arrows in the tree) must not act on a window the user cannot see.
    const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (key && !IsWindowVisible(Hwnd()) && (message.hwnd == Hwnd() || IsChild(Hwnd(), message.hwnd))) {
        return true;
    }
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam == VK_F6 && IsWindowEnabled(Hwnd()) && About() && about_->Hwnd()) {
                About()->Show();
                return true;
            }
            if (pending_ && message.wParam != VK_LCONTROL && message.wParam != VK_RCONTROL)
                keyTyped_ = true;
            break;
        case WM_KEYUP:
            if (pending_)
                SetTimer(Hwnd(), kPageTimer, 500, nullptr);
            break;
        case WM_LBUTTONDOWN:
            if (tooltip_)
                SendMessageA(tooltip_.Get(), TTM_POP, 0, 0);
            mouseClicked_ = true;
            [[fallthrough]];
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (tooltip_)
                SendMessageA(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
            break;
    }
    if (accelerators_ && TranslateAcceleratorA(Hwnd(), accelerators_, &message)) {
        return true;
    }
    return ui::Dialog::PreTranslateMessage(message);
}

int MainDialog::SelectedShortcut() const {
    HWND list = Item(IDC_LIST);
    return listModel_.IndexAt(ListView_GetNextItem(list, -1, LVNI_SELECTED));
}

bool MainDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (IsItemCommand(id)) {
        OnItemCommand(id);
        return true;
    }
    switch (id) {
        case ID_HIDE:
            Hide();
            return true;
        case ID_VERSION:
            About()->Show();
            return true;
        case ID_CONTEXT_KEY:
            OnContextKey();
            return true;
        case ID_EXIST_FOLDER:
            if (IsWindowVisible(Hwnd())) {
                const int index = SelectedShortcut();
                if (index >= 0)
                    OpenFolderOfShortcut(store_, index, Hwnd(), messages_, system_);
            }
            return true;
        case ID_IMPORT:
            ImportFolders();
            return true;
        case ID_RUN_AS_ADMIN:
            if (IsWindowVisible(Hwnd()) && SelectedShortcut() >= 0)
                LaunchShortcut(store_, SelectedShortcut(), {}, Hwnd(), messages_, system_, true);
            return true;
        case ID_VIEW_ICON:
            SetViewMode(LVS_ICON);
            return true;
        case ID_VIEW_SMALL_ICON:
            SetViewMode(LVS_SMALLICON);
            return true;
        case ID_VIEW_LIST:
            SetViewMode(LVS_LIST);
            return true;
        case ID_VIEW_DETAIL:
            SetViewMode(LVS_REPORT);
            return true;
        case IDC_PAGE_COMBO:
            if (code == CBN_SELENDOK)
                OnComboChoice();
            return code == CBN_SELENDOK;
        case kIdHelp:
            ShowHelp(help::kStartPage);
            return true;
        case ID_SHUTDOWN_POPUP:
            ShowShutdownPopup();
            return true;
        case ID_ADD_PAGE:
            AddPage();
            return true;
        case ID_EDIT_PAGE:
            EditPage();
            return true;
        case ID_REMOVE_PAGE:
            RemovePage();
            return true;
        case ID_ADD_SHORTCUT:
            if (IsWindowVisible(Hwnd()))
                AddShortcutFromPath(nullptr);
            return true;
        case ID_EDIT_SHORTCUT:
            EditShortcut();
            return true;
        case ID_REMOVE_SHORTCUT:
            RemoveShortcut();
            return true;
        case ID_TASK:
            if (ready_)
                ShowTaskSelect();
            return true;
        case ID_SEARCH:
            OpenSearch();
            return true;
        case ID_PREFERENCES:
            ShowPreferences();
            return true;
        default:
            return OnSortCommand(id) || OnPowerCommand(id);
    }
}

void MainDialog::OnSysCommand(WPARAM id, LPARAM lParam) {
    if ((id & 0xFFF0) < 0xF000) {
        // The inserted "Main" popup: its items are the main window's own commands.
        SendMessageA(Hwnd(), WM_COMMAND, LOWORD(id), 0);
        return;
    }
    DefWindowProcA(Hwnd(), WM_SYSCOMMAND, id, lParam);
    if ((id & 0xFFF0) == SC_RESTORE)
        InvalidateRect(Hwnd(), nullptr, TRUE);
}

static_assert(ID_LOG_OFF == kFirstPowerCommand && ID_SCREEN_SAVER == kLastPowerCommand &&
              ID_SHUTDOWN_POPUP == static_cast<int>(PowerCommand::ShutdownPopup));

// Alt+X: the "Shutdown" popup at the cursor; its items are enabled as it opens (WM_INITMENUPOPUP).
void MainDialog::ShowShutdownPopup() {
    HMENU popup = GetSubMenu(menu_.Get(), kShutdownPopupPosition);
    POINT cursor;
    if (popup && GetCursorPos(&cursor)) {
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, Hwnd(), nullptr);
    }
}

bool MainDialog::OnPowerCommand(int id) {
    const std::optional<PowerCommand> command = PowerCommandOf(id);
    if (!command) {
        return false;
    }
    if (!Hwnd()) {
        return true;  // no window yet
    }
    if (!powerActions_ && !realPowerActions_)
        realPowerActions_.emplace(Power(), Hwnd());
    PowerActions& actions = powerActions_ ? *powerActions_ : *realPowerActions_;
    RunPowerCommand(*command, ReadPowerFeatures(Power()), actions, messages_);
    return true;
}

void MainDialog::OnContextKey() {
    HWND focus = GetFocus();
    const int id = focus ? GetDlgCtrlID(focus) : 0;
    if (focus != Item(IDC_TREE) && focus != Item(IDC_LIST)) {
        return;
    }
    NMHDR header{};
    header.hwndFrom = focus;
    header.idFrom = static_cast<UINT_PTR>(id);
    header.code = NM_RCLICK;
    SendMessageA(Hwnd(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
}

bool MainDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code == TTN_NEEDTEXTA) {
        return OnTooltipText(header);
    }
    result = 0;
    if (header.idFrom == IDC_TREE)
        return OnTreeNotify(header, result);
    if (header.idFrom == IDC_LIST)
        return OnListNotify(header, result);
    return false;
}

// The list's tooltip: the comment of the shortcut under the cursor, or a hint over empty space.
bool MainDialog::OnTooltipText(NMHDR& header) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    HWND list = Item(IDC_LIST);
    if (!(info.uFlags & TTF_IDISHWND) || reinterpret_cast<HWND>(header.idFrom) != list) {
        return false;
    }
    info.szText[0] = '\0';
    info.lpszText = info.szText;
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(list, &hit.pt);
    const int item = ListView_HitTest(list, &hit);
    std::string text;
    if (item >= 0) {
        ShortcutRecord shortcut;
        if (store_.GetShortcutAt(listModel_.IndexAt(item), shortcut) && shortcut.comment) {
            text = shortcut.comment;
        }
    } else if (ListView_GetNextItem(list, -1, LVNI_SELECTED) < 0) {
        text = kChooseOne;
    } else {
        SendMessageA(tooltip_.Get(), TTM_POP, 0, 0);
    }
    std::string_view shown = sjis::CutAtBoundary(text, std::min(kTooltipMax, sizeof info.szText) - 1);
    std::memcpy(info.szText, shown.data(), shown.size());
    info.szText[shown.size()] = '\0';
    SetWindowPos(header.hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

// Made once, hidden, when first asked for; the program goes on without it when its window cannot be
// made, and does not try again.
void MainDialog::CreateTaskSelect() {
    if (taskSelect_ || taskSelectFailed_ || !Hwnd())
        return;
    taskSelect_ = std::make_unique<TaskSelectDialog>(static_cast<TaskSelectHost&>(*this), store_);
    if (!taskSelect_->Create(Hwnd())) {
        taskSelect_.reset();
        taskSelectFailed_ = true;
    }
    KeyboardHook::SetTaskSelect(TaskSelectWindowIfMade(), !taskSelectFailed_);
}

TaskSelectDialog* MainDialog::TaskSelect() {
    CreateTaskSelect();
    return taskSelect_.get();
}

HWND MainDialog::TaskSelectWindow() {
    CreateTaskSelect();
    return taskSelect_ ? taskSelect_->Hwnd() : nullptr;
}

HWND MainDialog::TaskSelectWindowIfMade() const {
    return taskSelect_ ? taskSelect_->Hwnd() : nullptr;
}

bool MainDialog::TaskSelectShown() const {
    return taskSelect_ && taskSelect_->Hwnd() && IsWindowVisible(taskSelect_->Hwnd());
}

// Made once, hidden, when first asked for; made while it is to be kept from use (the preferences are
// open, the window is not ready), it starts disabled, as it would be had it existed before.
void MainDialog::CreateAbout() {
    if (about_ || !Hwnd())
        return;
    about_ = std::make_unique<AboutDialog>(store_, messages_);
    if (about_->Create(Hwnd()) && !aboutEnabled_)
        EnableWindow(about_->Hwnd(), FALSE);
}

void MainDialog::EnableAbout(bool enable) {
    aboutEnabled_ = enable;
    if (about_ && about_->Hwnd())
        EnableWindow(about_->Hwnd(), enable);
}

AboutDialog* MainDialog::About() {
    CreateAbout();
    return about_.get();
}

void MainDialog::ShowTaskSelect() {
    HWND taskSelect = TaskSelectWindow();
    // While it asks before closing windows, the dialog shows the list the question is about.
    if (!taskSelect || taskSelect_->Asking()) {
        return;
    }
    taskSelect_->Refresh();
    RECT rect;
    GetWindowRect(taskSelect, &rect);
    BringToFront(taskSelect, rect, SWP_NOSIZE | SWP_NOMOVE);
    taskSelect_->FocusList();
}

// F1 anywhere in the main window (WM_HELP bubbles up from the tree, the list and the combo) opens the
// help at its start page.
bool MainDialog::OnHelp() {
    ShowHelp(help::kStartPage);
    return true;
}

}  // namespace brindle
