#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

// Rules of the page tree and the shortcut list that need no window: names accepted by an in-place
// rename, the show-type column, the column sort and the order in which pages enter the tree.
namespace brindle {
class Environment;
}

namespace brindle::views {

// Whether an in-place rename may store this name. The six characters "=,<>/\\" are searched by
// characters of code page 932, so a trail byte never matches. A page name may not hold a double quote
// either: the page line of the settings file writes names unquoted, and a lone quote there would swallow
// the fields after it. Nor may it be empty: the reader drops a page line without a name, so the page would
// be gone once the file is saved and read again, and its shortcuts with it. An empty shortcut name is
// accepted.
bool ShortcutNameAllowed(std::string_view name);
bool PageNameAllowed(std::string_view name);

// Text of the show-type column: "通常", "最大化", "最小化", empty for -1. Other values (only a
// hand-edited file holds them) show as their number, so the odd entry is visible.
std::string ShowTypeText(int32_t showType);

// The key under which a shortcut's own icon is read and cached: its icon source when it has one,
// otherwise the file part of its command line (environment variables expanded), otherwise empty (no
// file: nothing is read).
std::string IconKey(const ShortcutRecord& shortcut, Environment& environment);

// Image and overlay of a shortcut list item, from the read-icon flag, the icon cache's pair index
// (-1: no icon) and the target's kind (-1: looked for and not found). A cached icon is image n + 5;
// otherwise the class image; image 4 stands for a missing target, with overlay 1 only when no icon was
// asked for (with an icon asked for and none found, the missing picture itself is the image).
struct ItemImage {
    int image;
    int overlay;
};
ItemImage ListItemImage(bool readIcon, int cachedPair, int kind);

// Comparison of two shortcuts for the column sort: negative, zero or positive. Texts compare by whole
// characters of code page 932 (case-sensitive, sjis::Compare), an absent text before a present one;
// column 4 by show type; other columns equal.
int CompareShortcuts(const ShortcutRecord& a, const ShortcutRecord& b, int column);

// One step of building the page tree: the page at `entry` (index into the pages sorted by id) goes
// under the page at `parentEntry`, or at the top level for -1.
struct TreeInsert {
    int entry;
    int parentEntry;
};

// The insertions that build the tree from pages sorted by id, in order: each page under the page that
// PlacePages gives it. Passes go through the pages in order and insert every page whose parent is
// already in, and repeat until all are in.
std::vector<TreeInsert> PlanTreeInsertions(const std::vector<PageRecord>& pages);

// "%d:%s" of a page id and name.
std::string KeyText(int32_t id, const char* name);

}  // namespace brindle::views
