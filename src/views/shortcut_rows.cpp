#include "views/shortcut_rows.h"

#include <algorithm>
#include <utility>

#include "store/settings_store.h"
#include "views/view_rules.h"

namespace brindle::views {

void ShortcutRows::Fill(const SettingsStore& store, int32_t pageId) {
    rows_.clear();
    ShortcutRecord shortcut;
    for (int index = 0; store.GetShortcutAt(index, shortcut); ++index) {
        if (shortcut.pageId == pageId)
            rows_.push_back({index});
    }
}

int ShortcutRows::IndexAt(int row) const {
    return row >= 0 && row < Count() ? rows_[static_cast<size_t>(row)].index : -1;
}

int ShortcutRows::RowOf(int index) const {
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].index == index)
            return static_cast<int>(row);
    }
    return -1;
}

ShortcutRow* ShortcutRows::At(int row) {
    return row >= 0 && row < Count() ? &rows_[static_cast<size_t>(row)] : nullptr;
}

void ShortcutRows::Erase(int row) {
    if (row >= 0 && row < Count())
        rows_.erase(rows_.begin() + row);
}

void ShortcutRows::ForgetImages() {
    for (ShortcutRow& row : rows_)
        row.image = ShortcutRow::kUnknown;
}

void ShortcutRows::SortByColumn(const SettingsStore& store, int column) {
    // Each record is read once, not at every comparison.
    std::vector<std::pair<ShortcutRecord, ShortcutRow>> keyed;
    keyed.reserve(rows_.size());
    for (const ShortcutRow& row : rows_) {
        ShortcutRecord record;
        store.GetShortcutAt(row.index, record);
        keyed.emplace_back(record, row);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [column](const auto& a, const auto& b) { return CompareShortcuts(a.first, b.first, column) < 0; });
    for (size_t i = 0; i < keyed.size(); ++i)
        rows_[i] = keyed[i].second;
}

}  // namespace brindle::views
