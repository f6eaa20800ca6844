// The main window's two views: building the page tree, switching pages, filling the shortcut list, and
// the notifications of both.
#include <windows.h>

#include <commctrl.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/redraw_suspension_win.h"
#include "views/custom_draw_win.h"
#include "views/shortcut_list_win.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

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
    HTREEITEM caret = pageTree_.Caret();
    const int entry = caret ? pageTree_.EntryOfItem(caret) : -1;
    {
        ui::RedrawSuspension noDrawing(list);
        filling_ = true;
        if (entry >= 0) {
            listModel_.Fill(list, pageTree_.PageIdOfEntry(entry));
        } else {
            listModel_.Clear(list);
        }
        filling_ = false;
        if (ListView_GetItemCount(list) > 0)
            LayOutWithoutDrawing(list);
    }

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
            SizeListColumns();
        } else {
            ListView_Arrange(list, LVA_DEFAULT);
        }
    }

    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconSmall_.Get());
    SetCursor(cursor);
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
    if (mode == LVS_REPORT) {
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        SizeListColumns();
    }
}

// Each column's widest cell is found in the rows and sized as the list would size it, without the list
// measuring every cell.
void MainDialog::SizeListColumns() {
    HWND list = Item(IDC_LIST);
    ColumnWidths widths{};
    const bool measured =
        ListView_GetItemCount(list) > 0 && columnSizer_.Widths(list, listModel_.WidestTexts(list), widths);
    ApplyColumnRule(list, columnsInserted_, measured ? &widths : nullptr);
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
    if (listModel_.OnNotify(header, result))
        return true;  // the rows: texts, images, the type-ahead search
    switch (header.code) {
        case NM_DBLCLK:
            OnOK();
            result = 0;
            return true;
        case LVN_ENDLABELEDITA:
            if (RenameShortcut(store_, listModel_.IndexAt(reinterpret_cast<NMLVDISPINFOA&>(header).item.iItem),
                               reinterpret_cast<NMLVDISPINFOA&>(header)))
                RefillList();
            result = 0;
            return true;
        case NM_RCLICK:
            ShowListMenu();
            result = 0;
            return true;
        case LVN_COLUMNCLICK:
            listModel_.SortByColumn(header.hwndFrom, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
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
            result =
                listPainter_.Draw(reinterpret_cast<NMLVCUSTOMDRAW&>(header), header.hwndFrom, ListItemColours(prefs));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace brindle
