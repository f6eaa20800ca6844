// The main window's two views: building the page tree, switching pages, filling the shortcut list, and
// the notifications of both.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "launch/classify.h"
#include "mainwnd/main_dialog.h"
#include "mainwnd/status_throttle.h"
#include "resource.h"
#include "store/settings_store.h"
#include "views/custom_draw_win.h"
#include "views/shortcut_list_win.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

constexpr char kUpdating[] = "更新中";
// A page with fewer shortcuts fills before its progress could be read: the status line stays hidden
// (showing and hiding it costs more than such a fill).
constexpr int kProgressFrom = 100;
constexpr UINT kClickDelay = 0, kCaretDelay = 1000;

}  // namespace

void MainDialog::BuildTree() {
    pageTree_.Build(store_, pageIcons_, treeImages_.Get());
}

// The store keeps the expanded states only as the tree shows them: take them before the items go, so a
// rebuild after an edit opens the same pages again.
void MainDialog::ClearTree() {
    pageTree_.SaveExpanded(store_);
    pageTree_.Clear();
}

void MainDialog::RefillList(bool saveUnchanged) {
    HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconBusy_.Get());

    HWND list = Item(IDC_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    HTREEITEM caret = pageTree_.Caret();
    const int entry = caret ? pageTree_.EntryOfItem(caret) : -1;
    const int32_t pageId = pageTree_.PageIdOfEntry(entry);
    if (entry >= 0) {
        filling_ = true;
        FillListFrom(pageId);
        filling_ = false;
    }
    iconCache_.Clear();  // the image lists keep their own copies
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);

    bool page = true;
    if (caret) {
        const int found = pageTree_.EntryWithItem(caret);
        page = found >= 0;
        if (page) {
            SendMessageA(Item(IDC_PAGE_COMBO), CB_SETCURSEL, pageTree_.ComboIndexOf(found), 0);
            Preferences prefs;
            store_.GetPreferences(prefs);
            const int32_t shown = pageTree_.PageIdOfEntry(found);
            if (saveUnchanged || prefs.Page != shown) {
                prefs.Page = shown;
                store_.SetPreferencesAndSave(prefs);
            }
        }
    }
    if (page) {
        RefreshTitle();
        if ((GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) {
            ApplyColumnRule(list, columnsInserted_);
        } else {
            ListView_Arrange(list, LVA_DEFAULT);
        }
    }

    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconSmall_.Get());
    SetCursor(cursor);
}

void MainDialog::FillListFrom(int32_t pageId) {
    HWND list = Item(IDC_LIST), status = Item(IDC_STATUS);
    const int count = store_.CountShortcuts(pageId);
    iconCache_.Clear();
    const bool progress = count >= kProgressFrom;
    if (progress) {
        ShowWindow(status, SW_SHOW);
        SetStatusText(kUpdating);
    }
    StatusThrottle progressText([this](const std::string& text) { SetStatusText(text); });

    ShortcutRecord s;
    int item = 0;
    for (int index = 0; store_.GetShortcutAt(index, s); ++index) {
        if (s.pageId != pageId)
            continue;
        if (progress) {
            char text[64];
            std::snprintf(text, sizeof text, "更新中 %d/%d", item, count);
            progressText.Text(text);
        }

        const int kind = ClassifyTarget(s.commandLine, s.check, store_, system_);
        int cached = -1;
        if (s.readIcon) {
            // An empty key names no file; nothing is read for it.
            const std::string key = views::IconKey(s, system_);
            if (!key.empty())
                cached = iconCache_.Lookup(key);
        }
        const views::ItemImage image = views::ListItemImage(s.readIcon != 0, cached, kind);
        if (InsertListItem(list, item, index, s, image.image, image.overlay) >= 0)
            ++item;
    }
    progressText.Flush();
    if (IsWindowVisible(status))
        ShowWindow(status, SW_HIDE);

    IconsToListImageLists(iconCache_, smallImages_.Get(), largeImages_.Get());
    if (ListView_GetNextItem(list, -1, LVNI_SELECTED) < 0) {
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

// A caret move by the mouse refills the list at once (after the click is processed); by the keyboard
// only when the caret has rested: 1000 ms after the move, or 500 ms after a key release.
void MainDialog::OnPageSelected() {
    pending_ = true;
    SetTimer(Hwnd(), kPageTimer, mouseClicked_ ? kClickDelay : kCaretDelay, nullptr);
}

void MainDialog::OnPageTimer() {
    if (keyTyped_)
        return;
    RefillList();
    pending_ = false;
    KillTimer(Hwnd(), kPageTimer);
}

void MainDialog::OnComboChoice() {
    HWND combo = Item(IDC_PAGE_COMBO);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return;
    const int entry = pageTree_.EntryOfComboIndex(static_cast<int>(selection));
    if (entry < 0 || entry >= static_cast<int>(pageTree_.Entries().size()))
        return;
    TreeView_SelectItem(Item(IDC_TREE), pageTree_.Entries()[entry].item);
    pending_ = false;
    RefillList();
    KillTimer(Hwnd(), kPageTimer);
}

void MainDialog::SetViewMode(uint32_t mode) {
    if (!IsWindowVisible(Hwnd()))
        return;
    HWND list = Item(IDC_LIST);
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    SetWindowLongA(list, GWL_STYLE, (style & ~LVS_TYPEMASK) | static_cast<LONG>(mode));
    Preferences prefs;
    store_.GetPreferences(prefs);
    prefs.ListStyle = mode;
    store_.SetPreferencesAndSave(prefs);
    if (mode == LVS_REPORT)
        ApplyColumnRule(list, columnsInserted_);
}

// The menu's commands act on the caret page, which a right click does not move.
void MainDialog::ShowTreeMenu() {
    HMENU popup = menu_ ? GetSubMenu(menu_.Get(), 1) : nullptr;
    if (!popup)
        return;
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(popup, 0, at.x, at.y, 0, Hwnd(), nullptr);
}

bool MainDialog::OnTreeNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case TVN_ENDLABELEDITA:
            if (pageTree_.Rename(store_, reinterpret_cast<NMTVDISPINFOA&>(header)))
                RefillList();
            result = 0;
            return true;
        case TVN_SELCHANGEDA:
            OnPageSelected();
            result = 0;
            return true;
        case NM_RCLICK:
            ShowTreeMenu();
            result = 0;
            return true;
        case NM_CUSTOMDRAW: {
            Preferences prefs;
            store_.GetPreferences(prefs);
            result = DrawTreeItem(reinterpret_cast<NMTVCUSTOMDRAW&>(header), header.hwndFrom, TreeItemColours(prefs));
            return true;
        }
        default:
            return false;
    }
}

bool MainDialog::OnListNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case NM_DBLCLK:
            OnOK();
            result = 0;
            return true;
        case LVN_ENDLABELEDITA:
            if (RenameShortcut(store_, header.hwndFrom, reinterpret_cast<NMLVDISPINFOA&>(header)))
                RefillList();
            result = 0;
            return true;
        case NM_RCLICK:
            ShowListMenu();
            result = 0;
            return true;
        case LVN_COLUMNCLICK:
            SortListByColumn(header.hwndFrom, store_, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            result = 0;
            return true;
        case LVN_ITEMCHANGED:
            if (!filling_)
                RefreshTitle();  // a fill refreshes the title once, at its end
            result = 0;
            return true;
        case NM_CUSTOMDRAW: {
            Preferences prefs;
            store_.GetPreferences(prefs);
            result = listPainter_.Draw(reinterpret_cast<NMLVCUSTOMDRAW&>(header), header.hwndFrom, ListItemColours(prefs));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace brindle
