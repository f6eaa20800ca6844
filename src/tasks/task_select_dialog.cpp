#include "tasks/task_select_dialog.h"

#include <limits>
#include <string>

#include "launch/help_win.h"
#include "platform/platform_win.h"
#include "resource.h"
#include "store/settings_store.h"
#include "tasks/task_move.h"
#include "tasks/task_windows_win.h"
#include "ui/dpi_win.h"
#include "ui/on_screen_win.h"
#include "ui/ready_scope.h"

namespace brindle {
namespace {

constexpr char kCaption[] = "ぶりんどる - タスクセレクト";
constexpr char kManyWindows[] =
    " で起動しているWindowが２つ以上あります。\n全てのWindowにクローズメッセージを送りますがよろしいですか？";
constexpr char kNotANumber[] = "整数を入力してください。";
constexpr char kSizeTooSmall[] = "幅と高さには1以上の数を入力してください。";
constexpr char kOffScreen[] = "その位置ではWindowがどのモニタにも表示されません。";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshAfterCloseMs = 1000;
constexpr int kEditsOf[][3] = {{IDC_TASK_POSITION, IDC_TASK_X, IDC_TASK_Y},
                               {IDC_TASK_SIZE, IDC_TASK_WIDTH, IDC_TASK_HEIGHT}};

SIZE SizeOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Called by the system: no exception may leave it (memory running out ends the enumeration).
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    try {
        if (GetMonitorInfoA(monitor, &info)) {
            const RECT& r = info.rcMonitor;
            reinterpret_cast<std::vector<ui::ScreenRect>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
        }
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

std::vector<ui::ScreenRect> Monitors() {
    std::vector<ui::ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace

int TaskSelectDialog::Questions::Show(const std::string& text, unsigned style) {
    return MessageBoxA(dialog_.Hwnd(), text.c_str(), kCaption, style);
}

TaskSelectDialog::TaskSelectDialog(TaskSelectHost& host, SettingsStore& store)
    : ui::Dialog(IDD_TASK_SELECT), host_(host), store_(store) {}

BOOL TaskSelectDialog::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    minimumTrack_ = MinimumTrackSize(window.right - window.left, window.bottom - window.top, work.right - work.left,
                                     work.bottom - work.top);
    minimumComputed_ = true;
    MeasureControls();

    // The stored place, on a monitor that is still there; the template's size, centred, the first time.
    Preferences prefs;
    store_.GetPreferences(prefs);
    const Rect& stored = prefs.winTaskSelect;
    const RECT place = ui::PlaceOnScreen({stored.left, stored.top, stored.right, stored.bottom}, window);
    SetWindowPos(Hwnd(), HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    Layout(client.right, client.bottom);

    list_.Attach(Item(IDC_TASK_LIST), &entries_);
    list_.SetIconSize(ui::MetricForDpi(SM_CXSMICON, Dpi()));
    SendMessageA(list_.Hwnd(), WM_SETFONT, SendMessageA(host_.HostWindow(), WM_GETFONT, 0, 0), TRUE);
    // The list stays empty until the dialog is shown: collecting every window and process is refreshed
    // then anyway, and a hidden dialog is never refreshed.
    EnableWindow(Item(IDOK), FALSE);
    EnableWindow(Item(IDC_TASK_CLOSE), FALSE);
    return TRUE;
}

void TaskSelectDialog::DoDataExchange(ui::DataExchange& exchange) {
    constexpr int kLeast = std::numeric_limits<int>::min(), kMost = std::numeric_limits<int>::max();
    exchange.Check(IDC_TASK_POSITION, positionFlag_);
    exchange.Check(IDC_TASK_SIZE, sizeFlag_);
    // Only the numbers that are going to be used are read; all of them are shown.
    if (!exchange.Saving() || positionFlag_) {
        exchange.Integer(IDC_TASK_X, x_, kLeast, kMost, kNotANumber);
        exchange.Integer(IDC_TASK_Y, y_, kLeast, kMost, kNotANumber);
    }
    if (!exchange.Saving() || sizeFlag_) {
        exchange.Integer(IDC_TASK_WIDTH, width_, kLeast, kMost, kNotANumber);
        exchange.Integer(IDC_TASK_HEIGHT, height_, kLeast, kMost, kNotANumber);
    }
}

void TaskSelectDialog::Refresh() {
    if (!Hwnd() || asking_)
        return;
    returnWindow_ = GetFocus();
    positionFlag_ = sizeFlag_ = 0;
    UpdateData(false);
    for (const auto& edits : kEditsOf)
        EnableEdits(edits[0], false);

    TaskWindows windows = CollectTaskWindows(list_.IconSize());
    entries_ = std::move(windows.entries);
    if (windows.topmost)
        returnWindow_ = windows.topmost;
    list_.Refill();
    // Nothing is selected now, so there is nothing to select or close.
    EnableWindow(Item(IDOK), FALSE);
    EnableWindow(Item(IDC_TASK_CLOSE), FALSE);
    FocusList();
}

void TaskSelectDialog::FocusList() {
    SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Hwnd()), TRUE);
}

void TaskSelectDialog::SetListFont(HFONT font) {
    if (!list_.Hwnd())
        return;
    SendMessageA(list_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    list_.Refill();
}

void TaskSelectDialog::RebuildForDpi(unsigned oldDpi, unsigned newDpi) {
    // The buttons and the label were scaled with the dialog: measured again for the layout. The list's
    // font is the main window's, which follows its own monitor; the rows fit that font and the new icons.
    MeasureControls();
    minimumTrack_ = {ui::ScaleBetweenDpi(minimumTrack_.width, oldDpi, newDpi),
                     ui::ScaleBetweenDpi(minimumTrack_.height, oldDpi, newDpi)};
    list_.SetIconSize(ui::MetricForDpi(SM_CXSMICON, newDpi));
    // The icons at the new size for the windows listed; the rows measured again (the list keeps the
    // selection the user made).
    if (entries_.empty())
        return;
    const TaskWindows now = CollectTaskWindows(list_.IconSize());
    for (TaskEntry& entry : entries_) {
        for (const TaskEntry& fresh : now.entries) {
            if (fresh.window == entry.window)
                entry.icon = fresh.icon;
        }
    }
    const LRESULT selected = SendMessageA(list_.Hwnd(), LB_GETCURSEL, 0, 0);
    list_.Refill();
    SendMessageA(list_.Hwnd(), LB_SETCURSEL, selected, 0);
}

int TaskSelectDialog::Selected() const {
    const LRESULT selected = SendMessageA(list_.Hwnd(), LB_GETCURSEL, 0, 0);
    return selected >= 0 && static_cast<size_t>(selected) < entries_.size() ? static_cast<int>(selected) : -1;
}

bool TaskSelectDialog::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_TASK_LIST:
            if (code == LBN_SELCHANGE)
                OnSelectionChanged();
            return true;
        case IDC_TASK_POSITION:
        case IDC_TASK_SIZE:
            if (code == BN_CLICKED)
                OnCheckClicked(id);
            return true;
        case IDC_TASK_CLOSE:
            if (code == BN_CLICKED)
                OnClose();
            return true;
        default:
            return false;
    }
}

void TaskSelectDialog::EnableEdits(int checkId, bool enable) {
    for (const auto& edits : kEditsOf) {
        if (edits[0] == checkId) {
            EnableWindow(Item(edits[1]), enable);
            EnableWindow(Item(edits[2]), enable);
        }
    }
}

void TaskSelectDialog::OnCheckClicked(int checkId) {
    const bool checked = IsDlgButtonChecked(Hwnd(), checkId) == BST_CHECKED;
    (checkId == IDC_TASK_POSITION ? positionFlag_ : sizeFlag_) = checked ? 1 : 0;
    EnableEdits(checkId, checked);
}

void TaskSelectDialog::OnSelectionChanged() {
    const int selected = Selected();
    EnableWindow(Item(IDOK), selected >= 0);
    EnableWindow(Item(IDC_TASK_CLOSE), selected >= 0);
    if (selected < 0)
        return;
    // A minimised window shows the place it comes back to, never the 0 x 0 of its icon.
    const RECT rect = RestoredWindowRect(reinterpret_cast<HWND>(entries_[selected].window));
    x_ = rect.left;
    y_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    // The boxes stay as the user ticked them.
    positionFlag_ = IsDlgButtonChecked(Hwnd(), IDC_TASK_POSITION) == BST_CHECKED;
    sizeFlag_ = IsDlgButtonChecked(Hwnd(), IDC_TASK_SIZE) == BST_CHECKED;
    UpdateData(false);
}

void TaskSelectDialog::PostBringToFront(HWND target, const RECT& rect, UINT flags) {
    // Posted to the target's thread: a program that does not answer never holds up the main window.
    host_.BringToFrontLater(target, rect, flags | SWP_ASYNCWINDOWPOS);
}

void TaskSelectDialog::OnOK() {
    if (!UpdateData(true))
        return;
    const int selected = Selected();
    if (selected < 0) {
        EndDialog(IDOK);
        return;
    }
    HWND target = reinterpret_cast<HWND>(entries_[selected].window);
    const RECT current = RestoredWindowRect(target);
    MoveRequest request{positionFlag_ != 0, sizeFlag_ != 0, x_, y_, width_, height_};
    const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const MovePlan plan =
        PlanMove(request, {current.left, current.top, current.right, current.bottom}, Monitors(), caption);
    ui::DataExchange refusal(Hwnd(), true);
    switch (plan.refusal) {
        case MoveRefusal::Width:
            refusal.Fail(IDC_TASK_WIDTH, kSizeTooSmall);
            return;
        case MoveRefusal::Height:
            refusal.Fail(IDC_TASK_HEIGHT, kSizeTooSmall);
            return;
        case MoveRefusal::OffScreen:
            refusal.Fail(IDC_TASK_X, kOffScreen);
            return;
        case MoveRefusal::None:
            break;
    }
    if (IsIconic(target))
        ShowWindowAsync(target, SW_RESTORE);
    UINT flags = SWP_NOZORDER;
    if (!request.position)
        flags |= SWP_NOMOVE;
    if (!request.size)
        flags |= SWP_NOSIZE;
    PostBringToFront(target, {plan.rect.left, plan.rect.top, plan.rect.right, plan.rect.bottom}, flags);
    EndDialog(IDOK);
}

void TaskSelectDialog::OnCancel() {
    if (!entries_.empty()) {
        size_t back = 0;
        while (back + 1 < entries_.size() && reinterpret_cast<HWND>(entries_[back].window) != returnWindow_)
            ++back;
        HWND target = reinterpret_cast<HWND>(entries_[back].window);
        RECT rect{};
        GetWindowRect(target, &rect);
        // Only to the front: a minimised window keeps its place.
        PostBringToFront(target, rect, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    SetFocus(returnWindow_);
    EndDialog(IDCANCEL);
}

void TaskSelectDialog::OnClose() {
    const int selected = Selected();
    if (selected < 0)
        return;
    const std::vector<size_t> closing =
        WindowsToClose(entries_, static_cast<size_t>(selected), IsKeyDown(VK_SHIFT), GetCurrentProcessId());
    if (closing.empty())
        return;
    // The windows themselves, taken now: the list may be read again before they are closed.
    std::vector<std::pair<HWND, DWORD>> targets;
    for (size_t index : closing)
        targets.emplace_back(reinterpret_cast<HWND>(entries_[index].window), entries_[index].processId);
    if (closing.size() > 1) {
        const std::string text = entries_[selected].program + kManyWindows;
        // The main window is not ready while the box is up; afterwards it is as it was (an editing
        // dialog may hold it). The list stays as the user saw it meanwhile.
        ui::ReadyScope<TaskSelectHost> notReady(host_);
        struct Asking {
            bool& flag;
            explicit Asking(bool& f) : flag(f) { flag = true; }
            ~Asking() { flag = false; }
        } asking(asking_);
        Messages& questions = questions_ ? *questions_ : realQuestions_;
        if (questions.Show(text, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_TOPMOST) == IDNO)
            return;
    }
    for (const auto& [target, process] : targets) {
        // A handle whose window went away meanwhile may name a window of another program by now.
        DWORD owner = 0;
        if (GetWindowThreadProcessId(target, &owner) && owner == process)
            PostMessageA(target, WM_CLOSE, 0, 0);
    }
    // Windows take their time to close: the list is read again now and once more a second later.
    SetTimer(Hwnd(), kRefreshTimer, kRefreshAfterCloseMs, nullptr);
    Refresh();
}

bool TaskSelectDialog::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlID != IDC_TASK_LIST)
        return false;
    // Items are measured as they are added, after the list is attached; before that (the dialog being
    // made) the list's own font is measured.
    if (!list_.Hwnd())
        list_.Attach(Item(IDC_TASK_LIST), &entries_);
    list_.SetIconSize(ui::MetricForDpi(SM_CXSMICON, Dpi()));
    item.itemHeight = static_cast<UINT>(list_.ItemHeight());
    return true;
}

bool TaskSelectDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_TASK_LIST)
        return false;
    list_.Draw(item);
    return true;
}

void TaskSelectDialog::MeasureControls() {
    const SIZE select = SizeOf(Item(IDOK)), close = SizeOf(Item(IDC_TASK_CLOSE)), cancel = SizeOf(Item(IDCANCEL));
    const SIZE check = SizeOf(Item(IDC_TASK_POSITION)), label = SizeOf(Item(IDC_TASK_LABEL));
    sizes_ = {select.cx, select.cy, close.cx, close.cy, cancel.cx, cancel.cy, check.cy, label.cx, label.cy};
    measured_ = true;
}

void TaskSelectDialog::Layout(int clientWidth, int clientHeight) {
    if (!measured_)
        return;
    const TaskSelectLayout layout = ComputeTaskSelectLayout(clientWidth, clientHeight, sizes_);
    const std::pair<int, const ui::Box*> places[] = {{IDOK, &layout.select},
                                                     {IDC_TASK_CLOSE, &layout.close},
                                                     {IDCANCEL, &layout.cancel},
                                                     {IDC_TASK_LABEL, &layout.label},
                                                     {IDC_TASK_LIST, &layout.list}};
    HDWP batch = BeginDeferWindowPos(static_cast<int>(std::size(places)));
    for (const auto& [id, box] : places) {
        if (batch)
            batch = DeferWindowPos(batch, Item(id), nullptr, box->left, box->top, box->right - box->left,
                                   box->bottom - box->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
    // The hint moves with the buttons: the whole client area is painted again.
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TaskSelectDialog::PaintHint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const ui::Box box = ComputeTaskSelectLayout(client.right, client.bottom, sizes_).hint;
    RECT hint{box.left, box.top, box.right, box.bottom};
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_TASK_HINT, text, sizeof text);
    const int saved = SaveDC(dc);
    // Drawn on every paint, inside its own rectangle only.
    IntersectClipRect(dc, hint.left, hint.top, hint.right, hint.bottom);
    if (HFONT font = Font())
        SelectObject(dc, font);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawTextA(dc, text, -1, &hint, 0);
    RestoreDC(dc, saved);
    EndPaint(Hwnd(), &paint);
}

RECT TaskSelectDialog::RectToKeep() const {
    RECT rect{};
    if (Hwnd())
        GetWindowRect(Hwnd(), &rect);
    return rect;
}

void TaskSelectDialog::SaveRectIfChanged() {
    const RECT rect = RectToKeep();
    Preferences prefs;
    if (!store_.GetPreferences(prefs))
        return;
    Rect& kept = prefs.winTaskSelect;
    if (kept.left == rect.left && kept.top == rect.top && kept.right == rect.right && kept.bottom == rect.bottom)
        return;  // the closing save has it already
    kept = {rect.left, rect.top, rect.right, rect.bottom};
    store_.SetPreferencesAndSave(prefs);
}

bool TaskSelectDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_GETMINMAXINFO:
            if (minimumComputed_) {
                auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
                limits.ptMinTrackSize = {minimumTrack_.width, minimumTrack_.height};
                return true;
            }
            return false;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return false;
        case WM_PAINT:
            PaintHint();
            return true;
        case WM_TIMER:
            if (wParam != kRefreshTimer)
                return false;
            if (asking_)
                return true;  // read once the question is answered
            KillTimer(Hwnd(), kRefreshTimer);
            if (IsWindowVisible(Hwnd()))  // a hidden dialog is refreshed when it is shown again
                Refresh();
            return true;
        case WM_ACTIVATEAPP:
            if (!wParam)
                ShowWindow(Hwnd(), SW_HIDE);
            return false;
        case WM_DESTROY:
            KillTimer(Hwnd(), kRefreshTimer);
            SaveRectIfChanged();
            return false;
        default:
            return false;
    }
}

bool TaskSelectDialog::OnHelp() {
    ShowHelp(help::kTaskSelectDialog);
    return true;
}

}  // namespace brindle
