#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "views/list_icon_images_win.h"
#include "views/shortcut_list_win.h"
#include "views/shortcut_rows.h"

namespace brindle {

class SettingsStore;
class System;

// The shortcut list as a virtual list (LVS_OWNERDATA): the list keeps the number of rows and their
// selection; the rows, their texts and images come from here. A row's target is classified and its icon
// read when the row is first shown, so a fill takes the same time for any number of shortcuts.
class ShortcutListModel {
public:
    ShortcutListModel(const SettingsStore& store, System& system, IconReader& reader);

    // The shortcuts of `pageId` in table order, the first selected and focused; the rows in view now
    // have their images at once. The image lists go back to the class images.
    void Fill(HWND list, int32_t pageId);
    void Clear(HWND list);  // no rows (no page shown)

    const views::ShortcutRows& Rows() const { return rows_; }
    int IndexAt(int row) const { return rows_.IndexAt(row); }
    int RowOf(int index) const { return rows_.RowOf(index); }

    // The widest text of each column over all rows, in the list's font.
    ColumnTexts WidestTexts(HWND list) const;

    // Sorts the rows, not the store, by a column, ascending; the selected and the focused shortcut keep
    // their state in their new rows.
    void SortByColumn(HWND list, int column);

    // The list's notifications about its rows. True when handled; `result` is the answer.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    void AnswerDisplayInfo(HWND list, NMLVDISPINFOA& info);
    void FollowImageLists(HWND list);
    int FindRow(const LVFINDINFOA& find, int start, bool wide);
    void Resolve(views::ShortcutRow& row);
    void ResolveRowsInView(HWND list);

    const SettingsStore& store_;
    System& system_;
    ListIconImages icons_;
    views::ShortcutRows rows_;
};

}  // namespace brindle
