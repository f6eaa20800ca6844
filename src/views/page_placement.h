#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "store/records.h"

// Where each page stands: one rule for the page tree and the tray menu, so both show the same nesting.
namespace brindle::views {

// The index of the first page with each id. A parent id or a shortcut's page id names that page when a
// hand-edited file repeats an id.
std::unordered_map<int32_t, int> FirstPageOfEachId(const std::vector<PageRecord>& pages);

// For each page, the index of the page it stands under, or -1 for the top level. A page stands under the
// first page with its parent id. A page whose parents never lead to the top level would be shown
// nowhere; so a page whose parent id names no page, and every page on a cycle of parents, stands at the
// top level, where the user can reach and repair it, and the pages below it stay below it. The result
// has no cycles: no page stands below itself.
std::vector<int> PlacePages(const std::vector<PageRecord>& pages);

}  // namespace brindle::views
