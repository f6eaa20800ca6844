#include "search/search_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "launch/help_topics.h"
#include "launch/help_win.h"
#include "resource.h"
#include "search/search_host.h"
#include "store/settings_store.h"
#include "ui/dpi_win.h"
#include "ui/on_screen_win.h"
#include "views/dropped_files_win.h"

namespace brindle {
namespace {

constexpr int kRowPadding = 4;                 // above and below a row's icon together, at 96 DPI
constexpr UINT kReadingsArrived = WM_APP + 1;  // posted by the Migemo loader
constexpr UINT kStoreChanged = WM_APP + 3;     // posted when a paint finds the store changed

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

SearchDialog::SearchDialog(SearchHost& host) : ui::Dialog(IDD_SEARCH), host_(host), painter_(host) {}

BOOL SearchDialog::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    HWND list = Item(IDC_SEARCH_RESULTS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = Scaled(100);  // the layout gives it the list's width
    ListView_InsertColumn(list, 0, &column);
    SetRowHeight();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    Layout(client.right, client.bottom);
    if (!expander_) {
        migemo_ = std::make_unique<MigemoLoader>(MigemoLoader::DictionaryBesideProgram(), Hwnd(), kReadingsArrived);
        expander_ = migemo_->Expander();
    }
    return TRUE;
}

// Rows as high as an icon of the dialog's DPI with room around it, whatever the font: the list takes
// the height of its small images.
void SearchDialog::SetRowHeight() {
    const int icon = ui::MetricForDpi(SM_CXSMICON, Dpi());
    painter_.SetDpi(Dpi(), icon);
    if (HIMAGELIST rows = ImageList_Create(1, icon + Scaled(kRowPadding), ILC_COLOR, 1, 0)) {
        // The list owns its images (LVS_SHAREIMAGELISTS is off), so the former ones are let go here.
        if (HIMAGELIST former = ListView_SetImageList(Item(IDC_SEARCH_RESULTS), rows, LVSIL_SMALL))
            ImageList_Destroy(former);
    }
}

void SearchDialog::RebuildForDpi(unsigned, unsigned) {
    SetRowHeight();
    InvalidateRect(Item(IDC_SEARCH_RESULTS), nullptr, TRUE);
}

void SearchDialog::Layout(int width, int height) {
    HWND edit = Item(IDC_SEARCH_TEXT), list = Item(IDC_SEARCH_RESULTS);
    if (!edit || !list)
        return;
    RECT editRect{};
    GetWindowRect(edit, &editRect);
    const int editHeight = editRect.bottom - editRect.top;
    MoveWindow(edit, 0, 0, width, editHeight, TRUE);
    const int gap = Scaled(2);
    MoveWindow(list, 0, editHeight + gap, width, std::max(0, height - editHeight - gap), TRUE);
    FitColumn();
}

// The one column as wide as the list's client area, which narrows when the vertical scroll bar comes:
// a wider column would bring a horizontal scroll bar too.
void SearchDialog::FitColumn() {
    HWND list = Item(IDC_SEARCH_RESULTS);
    RECT client{};
    GetClientRect(list, &client);
    if (ListView_GetColumnWidth(list, 0) != client.right)
        ListView_SetColumnWidth(list, 0, client.right);
}

void SearchDialog::Open() {
    Refresh();
    PlaceOnMouseMonitor();
    SetForegroundWindow(Hwnd());
    HWND edit = Item(IDC_SEARCH_TEXT);
    SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);  // typing replaces the previous text
}

// The index, the results and the target classes follow the store; an opening over the same store and
// text makes none of them again, and only selects the first result as a new search would.
void SearchDialog::Refresh() {
    if (FollowStore(false))
        return;
    painter_.NewOpening();
    if (readingsChanged_)
        Requery();
    else
        Select(index_.ResultCount() > 0 ? 0 : -1);
}

// A new index and search when the store changed since the index was built (false when it did not): the
// results hold the store's indices of their shortcuts, which an added or removed one moves.
bool SearchDialog::FollowStore(bool keepSelection) {
    const SettingsStore& store = host_.SearchStore();
    if (indexed_ && store.Changes() == indexedChanges_) {
        // Launches since (from here, the list or the tray menu) only rank again: no text and no
        // shortcut's place in the store changed, so the icons, the target classes and the selected
        // shortcut stay, and what the user chose is still what Enter or a drop starts.
        if (store.Launches() != indexedLaunches_) {
            indexedLaunches_ = store.Launches();
            const int selected = keepSelection ? SelectedResult() : -1;
            const int selectedShortcut = selected >= 0 ? index_.StoreIndexOf(selected) : -1;
            if (index_.FollowLaunches(store))
                ShowRanksFollowed(selectedShortcut);
        }
        return false;
    }
    index_.Build(store);
    indexed_ = true;
    indexedChanges_ = store.Changes();
    indexedLaunches_ = store.Launches();
    painter_.Reset();
    Requery();
    return true;
}

// The results ranked again hold the same shortcuts: only the rows on view that now show another one are
// drawn again, and the shortcut selected before stays selected.
void SearchDialog::ShowRanksFollowed(int selectedShortcut) {
    HWND list = Item(IDC_SEARCH_RESULTS);
    const int top = ListView_GetTopIndex(list);
    const int first = std::max(index_.FirstMovedResult(), top);
    const int last = std::min(index_.LastMovedResult(), top + ListView_GetCountPerPage(list));
    if (first <= last)
        ListView_RedrawItems(list, first, last);
    if (selectedShortcut >= 0)
        Select(index_.ResultOf(selectedShortcut));
}

// The stored size on the monitor of the mouse pointer: the stored place when it lies on that monitor,
// else centred on its work area. Shown there with one move, or none when it is there already.
void SearchDialog::PlaceOnMouseMonitor() {
    RECT current{};
    GetWindowRect(Hwnd(), &current);
    Preferences prefs;
    host_.SearchStore().GetPreferences(prefs);
    const Rect& s = prefs.winSearch;
    RECT stored{s.left, s.top, s.right, s.bottom};
    if (IsRectEmpty(&stored))
        stored = IsRectEmpty(&kept_) ? current : kept_;
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO mouse{};
    mouse.cbSize = sizeof mouse;
    GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mouse);
    RECT place = ui::PlaceOnScreen(stored, current);
    if (MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST) != MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST)) {
        const RECT& work = mouse.rcWork;
        const int width = std::min<int>(place.right - place.left, work.right - work.left);
        const int height = std::min<int>(place.bottom - place.top, work.bottom - work.top);
        place.left = work.left + (work.right - work.left - width) / 2;
        place.top = work.top + (work.bottom - work.top - height) / 2;
        place.right = place.left + width;
        place.bottom = place.top + height;
    }
    UINT flags = SWP_SHOWWINDOW;
    if (place.left == current.left && place.top == current.top)
        flags |= SWP_NOMOVE;
    if (place.right - place.left == current.right - current.left &&
        place.bottom - place.top == current.bottom - current.top)
        flags |= SWP_NOSIZE;
    SetWindowPos(Hwnd(), HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top, flags);
    kept_ = place;
}

RECT SearchDialog::RectToKeep() const {
    RECT rect = kept_;
    if (Hwnd() && IsWindowVisible(Hwnd()))
        GetWindowRect(Hwnd(), &rect);
    return rect;
}

void SearchDialog::Requery(bool keepSelection) {
    const int selected = SelectedResult();
    const int selectedShortcut = keepSelection && selected >= 0 ? index_.StoreIndexOf(selected) : -1;
    query_ = search::ParseQuery(WindowText(Item(IDC_SEARCH_TEXT)), expander_);
    readingsChanged_ = false;
    const int count = index_.Search(query_);
    HWND list = Item(IDC_SEARCH_RESULTS);
    ListView_SetItemCountEx(list, count, 0);
    FitColumn();
    InvalidateRect(list, nullptr, FALSE);
    int select = count > 0 ? 0 : -1;
    for (int r = 0; selectedShortcut >= 0 && r < count; ++r) {
        if (index_.StoreIndexOf(r) == selectedShortcut) {
            select = r;
            break;
        }
    }
    Select(select);
}

// The list takes one selection (LVS_SINGLESEL): only the rows selected or focused before are changed, since
// a change of every row (index -1) visits all of the thousands a virtual list may hold.
void SearchDialog::Select(int result) {
    HWND list = Item(IDC_SEARCH_RESULTS);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
        const int former = ListView_GetNextItem(list, -1, which);
        if (former >= 0 && former != result)
            ListView_SetItemState(list, former, 0, both);
    }
    if (result < 0)
        return;
    if (ListView_GetItemState(list, result, both) != both)
        ListView_SetItemState(list, result, both, both);
    ListView_EnsureVisible(list, result, FALSE);
}

int SearchDialog::SelectedResult() const {
    const int selected = ListView_GetNextItem(Item(IDC_SEARCH_RESULTS), -1, LVNI_SELECTED);
    return selected >= 0 && selected < index_.ResultCount() ? selected : -1;
}

void SearchDialog::Hide() {
    kept_ = RectToKeep();
    ShowWindow(Hwnd(), SW_HIDE);
}

// Enter launches the selected result and hides the window; with Shift it shows the result in the main
// window, with Ctrl it opens the target's folder.
void SearchDialog::OnOK() {
    if (FollowStore())
        return;  // the main window changed the shortcuts while this one was open: the user sees them anew
    const int result = SelectedResult();
    if (result < 0)
        return;
    const int storeIndex = index_.StoreIndexOf(result);
    const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    Hide();
    if (shift)
        host_.ShowFoundInMain(storeIndex);
    else if (control)
        host_.OpenFolderOfFound(storeIndex);
    else
        host_.LaunchFound(storeIndex, {});
}

void SearchDialog::OnCancel() {
    HWND edit = Item(IDC_SEARCH_TEXT);
    if (GetWindowTextLengthA(edit) > 0) {
        SetWindowTextA(edit, "");  // EN_CHANGE empties the list
        return;
    }
    Hide();
}

bool SearchDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_SEARCH_TEXT && code == EN_CHANGE) {
        Requery();
        return true;
    }
    return false;
}

bool SearchDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_SEARCH_RESULTS)
        return false;
    switch (header.code) {
        case NM_CUSTOMDRAW:
            if (indexed_ && host_.SearchStore().Changes() != indexedChanges_)
                PostMessageA(Hwnd(), kStoreChanged, 0, 0);  // searched again after this paint
            result = painter_.Draw(reinterpret_cast<NMLVCUSTOMDRAW&>(header), index_, query_);
            return true;
        case NM_DBLCLK:
            OnOK();
            return true;
        case LVN_GETINFOTIPA: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
            ShortcutRecord s;
            if (tip.iItem >= 0 && tip.iItem < index_.ResultCount() && tip.cchTextMax > 0 &&
                host_.SearchStore().GetShortcutAt(index_.StoreIndexOf(tip.iItem), s) && s.commandLine) {
                lstrcpynA(tip.pszText, s.commandLine, tip.cchTextMax);
            }
            return true;
        }
        case LVN_GETDISPINFOA:
            return true;  // every row is drawn by the painter
        default:
            return false;
    }
}

// Up, Down, Page Up and Page Down in the edit box move the list's selection; the caret stays.
bool SearchDialog::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd != Item(IDC_SEARCH_TEXT))
        return false;
    const int count = index_.ResultCount();
    if (count == 0)
        return message.wParam == VK_UP || message.wParam == VK_DOWN || message.wParam == VK_PRIOR ||
               message.wParam == VK_NEXT;
    HWND list = Item(IDC_SEARCH_RESULTS);
    const int page = std::max(1, ListView_GetCountPerPage(list) - 1);
    int selected = SelectedResult();
    switch (message.wParam) {
        case VK_UP:
            selected = std::max(0, selected - 1);
            break;
        case VK_DOWN:
            selected = std::min(count - 1, selected + 1);
            break;
        case VK_PRIOR:
            selected = std::max(0, selected - page);
            break;
        case VK_NEXT:
            selected = std::min(count - 1, std::max(0, selected) + page);
            break;
        default:
            return false;
    }
    Select(selected);
    return true;
}

void SearchDialog::OnDropFiles(HDROP drop) {
    if (FollowStore()) {
        DragFinish(drop);  // dropped on a row that showed a shortcut as it was before the store changed
        return;
    }
    POINT at{};
    DragQueryPoint(drop, &at);
    MapWindowPoints(Hwnd(), Item(IDC_SEARCH_RESULTS), &at, 1);
    LVHITTESTINFO hit{};
    hit.pt = at;
    const int result = ListView_HitTest(Item(IDC_SEARCH_RESULTS), &hit);
    std::optional<std::vector<std::string>> names;
    if (result >= 0 && result < index_.ResultCount())
        names = DroppedNames(drop, host_.SearchMessages());
    DragFinish(drop);
    if (names && !names->empty()) {
        const int storeIndex = index_.StoreIndexOf(result);
        Hide();
        host_.LaunchFound(storeIndex, *names);
    }
}

bool SearchDialog::OnHelp() {
    ShowHelp(help::kSearchWindow);
    return true;
}

bool SearchDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_ACTIVATE:  // back from the main window, where the shortcuts may have changed
            if (LOWORD(wParam) != WA_INACTIVE)
                FollowStore();
            return false;
        case kStoreChanged:
            FollowStore();
            return true;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return false;
        case WM_ACTIVATEAPP:
            if (!wParam && IsWindowVisible(Hwnd()))
                Hide();
            return false;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        case kReadingsArrived:  // the romaji words typed so far may now find kanji too
            if (IsWindowVisible(Hwnd()))
                Requery(true);  // the user may have moved the selection while the dictionary was read
            else
                readingsChanged_ = true;  // searched again at the next opening
            return true;
        case SearchResultPainter::kRecheckTargets:
            painter_.RecheckTargets(Item(IDC_SEARCH_RESULTS), index_);
            return true;
        default:
            return false;
    }
}

}  // namespace brindle
