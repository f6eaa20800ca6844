#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "sorting/sort_rules.h"
#include "ui/anchored_layout_win.h"
#include "ui/dialog.h"

namespace brindle {

class Messages;

// Puts sibling pages, or the shortcuts of one page, in a new order: the user moves lines of an
// owner-drawn list (icon and name) up and down. In: the items in their current order; after OK, Items()
// holds the same items in the order the user chose. Fewer than two items are refused with a message and
// no dialog.
class SortDialog : public ui::Dialog {
public:
    // `images` (may be null) stays owned by the caller.
    SortDialog(Messages& messages, std::string pageName, std::vector<SortItem> items, HIMAGELIST images);

    const std::vector<SortItem>& Items() const { return items_; }

protected:
    BOOL OnInitDialog() override;
    // F1: this dialog's page of the help.
    bool OnHelp() override;
    void OnOK() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void RebuildForDpi(unsigned oldDpi, unsigned newDpi) override;

private:
    HWND List() const;
    // The images' height (the main window's list, at its DPI), or the small icon of the dialog's DPI.
    int IconSize() const;
    int LineHeight() const;
    int Selection() const;
    void UpdateButtons();
    void Move(int delta);

    Messages& messages_;
    std::string pageName_;
    std::vector<SortItem> items_;
    HIMAGELIST images_;
    ui::AnchoredLayout layout_;
};

}  // namespace brindle
