#include "views/page_placement.h"

#include <algorithm>

namespace brindle::views {

std::unordered_map<int32_t, int> FirstPageOfEachId(const std::vector<PageRecord>& pages) {
    std::unordered_map<int32_t, int> first;
    first.reserve(pages.size());
    for (size_t p = 0; p < pages.size(); ++p)
        first.emplace(pages[p].id, static_cast<int>(p));
    return first;
}

std::vector<int> PlacePages(const std::vector<PageRecord>& pages) {
    const int count = static_cast<int>(pages.size());
    const std::unordered_map<int32_t, int> firstWithId = FirstPageOfEachId(pages);
    std::vector<int> parent(count, -1);
    for (int p = 0; p < count; ++p) {
        if (pages[p].parentId == kTopLevel)
            continue;
        const auto found = firstWithId.find(pages[p].parentId);
        if (found != firstWithId.end())
            parent[p] = found->second;
    }

    // Each walk up the parents stops at the top level, at a page whose walk is done, or at a page on the
    // walk itself: then the pages from there on form a cycle, and each of them goes to the top level.
    enum : char { kNew, kOnWalk, kDone };
    std::vector<char> state(count, kNew);
    std::vector<int> walk;
    for (int start = 0; start < count; ++start) {
        int p = start;
        while (p >= 0 && state[p] == kNew) {
            state[p] = kOnWalk;
            walk.push_back(p);
            p = parent[p];
        }
        if (p >= 0 && state[p] == kOnWalk) {
            const auto cycle = std::find(walk.begin(), walk.end(), p);
            for (auto member = cycle; member != walk.end(); ++member)
                parent[*member] = -1;
        }
        for (int done : walk)
            state[done] = kDone;
        walk.clear();
    }
    return parent;
}

}  // namespace brindle::views
