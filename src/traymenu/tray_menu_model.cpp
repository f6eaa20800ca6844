#include "traymenu/tray_menu_model.h"

#include <unordered_map>

#include "store/settings_store.h"
#include "views/page_placement.h"

namespace brindle::tray_menu {
namespace {

// Upper case as _mbctoupper gives it for single bytes: only a-z change.
int UpperCase(int c) {
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

}  // namespace

Placement PlaceItems(const SettingsStore& store) {
    Placement placement;
    const int pages = store.PageCount();
    std::vector<PageRecord> records(pages);
    for (int p = 0; p < pages; ++p)
        store.GetPageAt(p, records[p]);
    placement.pageParent = views::PlacePages(records);
    const std::unordered_map<int32_t, int> firstWithId = views::FirstPageOfEachId(records);
    auto pageOf = [&firstWithId](int32_t id) {
        auto found = firstWithId.find(id);
        return found == firstWithId.end() ? -1 : found->second;
    };

    std::vector<bool> hasItems(pages, false);
    for (int p = 0; p < pages; ++p) {
        if (placement.pageParent[p] >= 0)
            hasItems[placement.pageParent[p]] = true;
    }
    const int fitting = kLastCommand - kFirstCommand + 1;
    const int shortcuts = store.ShortcutCount();
    placement.limitReached = shortcuts > fitting;
    const int placed = placement.limitReached ? fitting : shortcuts;
    placement.shortcutPage.assign(placed, -1);
    for (int s = 0; s < placed; ++s) {
        ShortcutRecord shortcut;
        store.GetShortcutAt(s, shortcut);
        const int page = pageOf(shortcut.pageId);
        placement.shortcutPage[s] = page;
        if (page >= 0)
            hasItems[page] = true;
    }
    placement.pageEmpty.resize(pages);
    for (int p = 0; p < pages; ++p)
        placement.pageEmpty[p] = !hasItems[p];
    return placement;
}

int32_t ShortcutImage(int targetKind, int iconCacheIndex) {
    if (iconCacheIndex >= 0)
        return kClassImages + iconCacheIndex;
    return targetKind < 0 ? kMissingImage : targetKind;
}

int MnemonicOf(std::string_view text) {
    size_t at = text.find('&');
    size_t position = at == std::string_view::npos ? 0 : at + 1;
    if (position >= text.size())
        return 0;
    return static_cast<signed char>(text[position]);
}

int MnemonicMatch(unsigned typed, const std::vector<const char*>& texts, int highlighted) {
    const int wanted = UpperCase(static_cast<int>(typed));
    std::vector<int> matches;
    int highlightedMatch = -1;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i])
            continue;
        if (UpperCase(MnemonicOf(texts[i])) != wanted)
            continue;
        if (static_cast<int>(i) == highlighted)
            highlightedMatch = static_cast<int>(matches.size());
        matches.push_back(static_cast<int>(i));
    }
    if (matches.empty())
        return -1;
    if (highlightedMatch < 0)
        return matches.front();
    return matches[(highlightedMatch + 1) % matches.size()];
}

}  // namespace brindle::tray_menu
