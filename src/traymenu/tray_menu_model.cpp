#include "traymenu/tray_menu_model.h"

#include <unordered_map>

#include "store/settings_store.h"

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
    // The first page with each id: the one whose submenu receives that id's children and shortcuts.
    std::unordered_map<int32_t, int> firstWithId;
    std::vector<int32_t> parentIds(pages);
    for (int p = 0; p < pages; ++p) {
        PageRecord page;
        store.GetPageAt(p, page);
        firstWithId.emplace(page.id, p);
        parentIds[p] = page.parentId;
    }
    auto pageOf = [&firstWithId](int32_t id) {
        auto found = firstWithId.find(id);
        return found == firstWithId.end() ? -1 : found->second;
    };

    placement.pageParent.assign(pages, -1);
    for (int p = 0; p < pages; ++p) {
        placement.pageParent[p] = parentIds[p] == kTopLevel ? -1 : pageOf(parentIds[p]);
    }
    // A page that meets itself walking up its parents is on a cycle: it goes to the root.
    std::vector<bool> onCycle(pages, false);
    for (int p = 0; p < pages; ++p) {
        int walk = placement.pageParent[p];
        for (int steps = 0; walk >= 0 && steps <= pages; ++steps) {
            if (walk == p) {
                onCycle[p] = true;
                break;
            }
            walk = placement.pageParent[walk];
        }
    }
    for (int p = 0; p < pages; ++p) {
        if (onCycle[p]) placement.pageParent[p] = -1;
    }

    std::vector<bool> hasItems(pages, false);
    for (int p = 0; p < pages; ++p) {
        if (placement.pageParent[p] >= 0) hasItems[placement.pageParent[p]] = true;
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
        if (page >= 0) hasItems[page] = true;
    }
    placement.pageEmpty.resize(pages);
    for (int p = 0; p < pages; ++p) placement.pageEmpty[p] = !hasItems[p];
    return placement;
}

int32_t ShortcutImage(int targetKind, int iconCacheIndex) {
    if (iconCacheIndex >= 0) return kClassImages + iconCacheIndex;
    return targetKind < 0 ? kMissingImage : targetKind;
}

int MnemonicOf(std::string_view text) {
    size_t at = text.find('&');
    size_t position = at == std::string_view::npos ? 0 : at + 1;
    if (position >= text.size()) return 0;
    return static_cast<signed char>(text[position]);
}

int MnemonicMatch(unsigned typed, const std::vector<const char*>& texts, int highlighted) {
    const int wanted = UpperCase(static_cast<int>(typed));
    std::vector<int> matches;
    int highlightedMatch = -1;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!texts[i]) continue;
        if (UpperCase(MnemonicOf(texts[i])) != wanted) continue;
        if (static_cast<int>(i) == highlighted) highlightedMatch = static_cast<int>(matches.size());
        matches.push_back(static_cast<int>(i));
    }
    if (matches.empty()) return -1;
    if (highlightedMatch < 0) return matches.front();
    return matches[(highlightedMatch + 1) % matches.size()];
}

}  // namespace brindle::tray_menu
