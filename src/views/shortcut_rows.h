#pragma once

#include <cstdint>
#include <vector>

namespace brindle {
class SettingsStore;
}

namespace brindle::views {

// One row of the shortcut list: the store index of its shortcut, and its image and overlay once the row
// has been shown (worked out once, so that a repaint checks no file again).
struct ShortcutRow {
    static constexpr int kUnknown = -2;
    int index = -1;
    int image = kUnknown;
    int overlay = 0;
};

// The rows of the shortcut list in the order shown: the list itself keeps only their number.
class ShortcutRows {
public:
    // The shortcuts of `pageId` in table order, none of them shown yet.
    void Fill(const SettingsStore& store, int32_t pageId);
    void Clear() { rows_.clear(); }
    int Count() const { return static_cast<int>(rows_.size()); }
    int IndexAt(int row) const;  // the store index, or -1 outside the rows
    int RowOf(int index) const;  // the row showing the store index, or -1
    ShortcutRow* At(int row);    // null outside the rows
    void Erase(int row);         // nothing outside the rows
    void ForgetImages();         // every row worked out again when next shown
    // Sorted by a column of the shortcuts (views::CompareShortcuts), ascending; rows that compare equal
    // keep their order.
    void SortByColumn(const SettingsStore& store, int column);

private:
    std::vector<ShortcutRow> rows_;
};

}  // namespace brindle::views
