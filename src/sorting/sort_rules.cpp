#include "sorting/sort_rules.h"

#include <algorithm>

namespace brindle {

SortButtons SortButtonStates(int selection, int count) {
    if (selection < 0 || selection >= count)
        return {};
    return {selection > 0, selection < count - 1};
}

int SortMoveTarget(int selection, int delta, int count) {
    if (selection < 0 || selection >= count)
        return -1;
    const int target = selection + delta;
    return target >= 0 && target < count ? target : -1;
}

std::vector<SortItem> ItemsInLineOrder(const std::vector<SortItem>& items, const std::vector<int>& lineItems) {
    std::vector<SortItem> ordered;
    std::vector<bool> taken(items.size(), false);
    for (int index : lineItems) {
        if (index < 0 || static_cast<size_t>(index) >= items.size() || taken[index])
            continue;
        taken[index] = true;
        ordered.push_back(items[index]);
    }
    return ordered;
}

std::vector<int> SortKeys(const std::vector<SortItem>& items) {
    std::vector<int> keys;
    keys.reserve(items.size());
    for (const SortItem& item : items)
        keys.push_back(item.key);
    return keys;
}

int SortLineHeight(int fontHeight, int iconSize) {
    return std::max(iconSize, fontHeight);
}

}  // namespace brindle
