#include "search/search_index.h"

#include <algorithm>

#include "search/search_text.h"
#include "store/settings_store.h"
#include "text/sjis.h"
#include "views/page_placement.h"

namespace brindle::search {
namespace {

constexpr size_t kMaxFieldBytes = 0xFFFF;  // a longer text is searched in its first 64 KB

// The file name of a command line without its folder and extension: the text between the first two
// quotes, or the whole text, as the launch code splits it.
std::string_view FileTitle(const char* commandLine) {
    if (!commandLine)
        return {};
    std::string_view file(commandLine);
    if (!file.empty() && file[0] == '"') {
        file.remove_prefix(1);
        size_t close = sjis::FindChar(file, '"');
        if (close != std::string_view::npos)
            file = file.substr(0, close);
    }
    size_t start = 0;
    for (size_t at = 0; (at = sjis::FindAnyOf(file, "\\/:", at)) != std::string_view::npos; ++at)
        start = at + 1;
    file.remove_prefix(start);
    size_t dot = std::string_view::npos;
    for (size_t at = 0; (at = sjis::FindChar(file, '.', at)) != std::string_view::npos; ++at)
        dot = at;
    return dot == std::string_view::npos || dot == 0 ? file : file.substr(0, dot);
}

// The position of each shortcut in the page tree: pages depth first as the tree shows them, a page's
// shortcuts before its child pages; shortcuts without a page last.
std::vector<int> TreeOrder(const SettingsStore& store,
                           const std::vector<PageRecord>& pages,
                           const std::vector<int>& parentOf) {
    std::vector<std::vector<int>> children(pages.size() + 1);  // the last list: the top level
    for (size_t p = 0; p < pages.size(); ++p)
        children[parentOf[p] < 0 ? pages.size() : parentOf[p]].push_back(static_cast<int>(p));
    const auto firstPage = views::FirstPageOfEachId(pages);
    std::vector<std::vector<int>> shortcutsOf(pages.size());
    std::vector<int> orphans;
    ShortcutRecord s;
    for (int i = 0; i < store.ShortcutCount(); ++i) {
        store.GetShortcutAt(i, s);
        auto found = firstPage.find(s.pageId);
        (found == firstPage.end() ? orphans : shortcutsOf[found->second]).push_back(i);
    }
    std::vector<int> order(store.ShortcutCount(), 0);
    int next = 0;
    std::vector<int> stack(children[pages.size()].rbegin(), children[pages.size()].rend());
    while (!stack.empty()) {  // the placement has no cycles, so this ends
        const int page = stack.back();
        stack.pop_back();
        for (int shortcut : shortcutsOf[page])
            order[shortcut] = next++;
        stack.insert(stack.end(), children[page].rbegin(), children[page].rend());
    }
    for (int shortcut : orphans)
        order[shortcut] = next++;
    return order;
}

}  // namespace

void SearchIndex::Build(const SettingsStore& store) {
    texts_.clear();
    entries_.clear();
    pages_.clear();
    std::vector<PageRecord> pageRecords(store.PageCount());
    for (int p = 0; p < store.PageCount(); ++p)
        store.GetPageAt(p, pageRecords[p]);
    const std::vector<int> parentOf = views::PlacePages(pageRecords);
    const auto firstPage = views::FirstPageOfEachId(pageRecords);

    // Page paths: each page's path is its parent's path and its own name.
    std::vector<std::string> paths(pageRecords.size());
    std::vector<bool> done(pageRecords.size(), false);
    for (size_t p = 0; p < pageRecords.size(); ++p) {
        std::vector<int> chain;
        for (int at = static_cast<int>(p); at >= 0 && !done[at]; at = parentOf[at])
            chain.push_back(at);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const int parent = parentOf[*it];
            paths[*it] = parent >= 0 ? paths[parent] + " / " : std::string();
            paths[*it] += pageRecords[*it].name ? pageRecords[*it].name : "";
            done[*it] = true;
        }
    }
    size_t estimate = 0;
    for (const std::string& path : paths)
        estimate += path.size();
    texts_.reserve(estimate + static_cast<size_t>(store.ShortcutCount()) * 48);
    pages_.reserve(paths.size());
    for (std::string& path : paths) {
        Page page;
        page.foldedOffset = static_cast<uint32_t>(texts_.size());
        Fold(std::string_view(path).substr(0, kMaxFieldBytes), texts_);
        page.foldedLength = static_cast<uint32_t>(texts_.size() - page.foldedOffset);
        page.mask = CharMask(Text(page.foldedOffset, page.foldedLength));
        page.path = std::move(path);
        pages_.push_back(std::move(page));
    }

    const std::vector<int> treeOrder = TreeOrder(store, pageRecords, parentOf);
    entries_.reserve(static_cast<size_t>(store.ShortcutCount()));
    ShortcutRecord s;
    for (int i = 0; store.GetShortcutAt(i, s); ++i) {
        Entry e{};
        e.storeIndex = i;
        e.launchCount = s.launchCount;
        e.lastLaunch = s.lastLaunch;
        e.treeOrder = treeOrder[i];
        auto found = firstPage.find(s.pageId);
        e.page = found == firstPage.end() ? -1 : found->second;
        e.nameOffset = static_cast<uint32_t>(texts_.size());
        Fold(std::string_view(s.name ? s.name : "").substr(0, kMaxFieldBytes / 2), texts_);
        e.nameLength = static_cast<uint16_t>(texts_.size() - e.nameOffset);
        e.nameMask = CharMask(Text(e.nameOffset, e.nameLength));
        e.otherOffset = static_cast<uint32_t>(texts_.size());
        Fold(std::string_view(s.comment ? s.comment : "").substr(0, kMaxFieldBytes / 4), texts_);
        texts_ += '\n';  // no needle holds a control character, so no match spans the two fields
        Fold(FileTitle(s.commandLine).substr(0, kMaxFieldBytes / 4), texts_);
        e.otherLength = static_cast<uint16_t>(texts_.size() - e.otherOffset);
        e.otherMask = CharMask(Text(e.otherOffset, e.otherLength));
        entries_.push_back(e);
    }
    std::sort(entries_.begin(), entries_.end(), RanksBefore);
    texts_.shrink_to_fit();
    results_.assign(entries_.size(), 0);
    resultCount_ = 0;
    searched_ = false;
    launchesSeen_ = store.Launches();
    firstMoved_ = 0;
    lastMoved_ = -1;
}

bool SearchIndex::RanksBefore(const Entry& a, const Entry& b) {
    if (a.launchCount != b.launchCount)
        return a.launchCount > b.launchCount;
    if (a.lastLaunch != b.lastLaunch)
        return a.lastLaunch > b.lastLaunch;
    return a.treeOrder < b.treeOrder;
}

bool SearchIndex::FollowLaunches(const SettingsStore& store) {
    if (store.Launches() == launchesSeen_)
        return false;
    firstMoved_ = 0;
    lastMoved_ = -1;
    std::vector<int> launched;
    const bool recorded = store.LaunchedSince(launchesSeen_, launched);
    launchesSeen_ = store.Launches();
    if (recorded) {
        // Usually one shortcut: it moves up past those it now outranks, and its result within its class.
        bool changed = false;
        for (int storeIndex : launched)
            changed |= MoveLaunched(store, storeIndex);
        return changed;
    }
    // More launches than the store keeps a record of: every count compared, everything ranked again.
    bool changed = false;
    ShortcutRecord s;
    for (Entry& e : entries_) {
        if (!store.GetShortcutAt(e.storeIndex, s) || (s.launchCount == e.launchCount && s.lastLaunch == e.lastLaunch))
            continue;
        e.launchCount = s.launchCount;
        e.lastLaunch = s.lastLaunch;
        changed = true;
    }
    if (!changed)
        return false;
    std::sort(entries_.begin(), entries_.end(), RanksBefore);
    if (searched_) {
        ClassCounts counts{};
        for (const Entry& e : entries_)
            ++counts[e.matchClass];
        PlaceResults(counts);
    }
    lastMoved_ = resultCount_ - 1;
    return true;
}

// Takes one shortcut's launch count and time and moves its entry to its place among the others, which
// are in rank order by what they hold.
bool SearchIndex::MoveLaunched(const SettingsStore& store, int storeIndex) {
    auto at =
        std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.storeIndex == storeIndex; });
    ShortcutRecord s;
    if (at == entries_.end() || !store.GetShortcutAt(storeIndex, s) ||
        (s.launchCount == at->launchCount && s.lastLaunch == at->lastLaunch))
        return false;
    at->launchCount = s.launchCount;
    at->lastLaunch = s.lastLaunch;
    const Entry moved = *at;
    const auto begin = entries_.begin();
    const int from = static_cast<int>(at - begin);
    int to = from;
    if (at != begin && RanksBefore(moved, at[-1])) {
        to = static_cast<int>(std::lower_bound(begin, at, moved, RanksBefore) - begin);
        std::rotate(begin + to, at, at + 1);
    } else if (at + 1 != entries_.end() && RanksBefore(at[1], moved)) {
        to = static_cast<int>(std::lower_bound(at + 1, entries_.end(), moved, RanksBefore) - begin) - 1;
        std::rotate(at, at + 1, begin + to + 1);
    }
    if (to != from && searched_)
        MoveResult(from, to);
    return true;
}

// The results after the entry at `fromEntry` moved to `toEntry`: the entries between moved by one, which
// keeps their order; the moved one's result goes to its place by entry order within its class.
void SearchIndex::MoveResult(int fromEntry, int toEntry) {
    const bool up = toEntry < fromEntry;
    const int low = std::min(fromEntry, toEntry), high = std::max(fromEntry, toEntry);
    int at = -1;
    for (int r = 0; r < resultCount_; ++r) {
        int32_t& entry = results_[r];
        if (entry == fromEntry) {
            entry = toEntry;
            at = r;
        } else if (entry >= low && entry <= high) {
            entry += up ? 1 : -1;
        }
    }
    if (at < 0)
        return;  // not found by the search
    const auto ranked = [this](int32_t a, int32_t b) {
        return entries_[a].matchClass != entries_[b].matchClass ? entries_[a].matchClass < entries_[b].matchClass
                                                                : a < b;
    };
    const auto begin = results_.begin(), first = begin + at, end = begin + resultCount_;
    int place = at;
    if (at > 0 && ranked(*first, first[-1])) {
        place = static_cast<int>(std::lower_bound(begin, first, *first, ranked) - begin);
        std::rotate(begin + place, first, first + 1);
    } else if (at + 1 < resultCount_ && ranked(first[1], *first)) {
        place = static_cast<int>(std::lower_bound(first + 1, end, *first, ranked) - begin) - 1;
        std::rotate(first, first + 1, begin + place + 1);
    }
    const int lowRow = std::min(at, place), highRow = std::max(at, place);
    if (lastMoved_ < firstMoved_) {
        firstMoved_ = lowRow;
        lastMoved_ = highRow;
    } else {
        firstMoved_ = std::min(firstMoved_, lowRow);
        lastMoved_ = std::max(lastMoved_, highRow);
    }
}

MatchClass SearchIndex::MatchWord(const QueryWord& word,
                                  const NeedleTable& table,
                                  const std::vector<uint8_t>& pageFound,
                                  const Entry& e) const {
    // The needles whose characters a text holds (the masks), then one walk over the text for all of them.
    const std::string_view name = Text(e.nameOffset, e.nameLength);
    if (const uint64_t inName = table.Candidates(e.nameMask)) {
        const MatchClass best = MatchAnyInName(name, word.needles, table, inName);
        if (best != MatchClass::None)
            return best;
    }
    if (const uint64_t inOther = table.Candidates(e.otherMask);
        inOther && FindAnyFolded(Text(e.otherOffset, e.otherLength), word.needles, table, inOther))
        return MatchClass::OtherField;
    if (e.page >= 0 && pageFound[e.page])
        return MatchClass::OtherField;
    const Needle& typed = word.needles[0];
    if ((typed.mask & e.nameMask) == typed.mask && MatchInOrder(name, typed.text))
        return MatchClass::InOrder;
    return MatchClass::None;
}

int SearchIndex::Search(const Query& query) {
    resultCount_ = 0;
    searched_ = false;
    if (query.Empty())
        return 0;
    // Per word, its needles' table and whether it occurs in each page's path (shared by the page's shortcuts).
    std::vector<NeedleTable> tables;
    std::vector<std::vector<uint8_t>> pageFound(query.words.size(), std::vector<uint8_t>(pages_.size()));
    tables.reserve(query.words.size());
    for (size_t w = 0; w < query.words.size(); ++w) {
        const NeedleTable& table = tables.emplace_back(query.words[w].needles);
        for (size_t p = 0; p < pages_.size(); ++p) {
            const uint64_t inPage = table.Candidates(pages_[p].mask);
            pageFound[w][p] = inPage && FindAnyFolded(Text(pages_[p].foldedOffset, pages_[p].foldedLength),
                                                      query.words[w].needles, table, inPage);
        }
    }
    ClassCounts counts{};
    for (Entry& e : entries_) {
        MatchClass overall = MatchClass::ExactName;
        for (size_t w = 0; w < query.words.size(); ++w) {
            overall = std::max(overall, MatchWord(query.words[w], tables[w], pageFound[w], e));
            if (overall == MatchClass::None)
                break;
        }
        // Several words are an exact name only together ("メモ 帳" is not; "visual studio" is).
        if (overall != MatchClass::None && query.words.size() > 1) {
            const bool exact = query.folded == Text(e.nameOffset, e.nameLength);
            if (exact)
                overall = MatchClass::ExactName;
            else if (overall == MatchClass::ExactName)
                overall = MatchClass::NamePrefix;
        }
        e.matchClass = static_cast<uint8_t>(overall);
        ++counts[static_cast<int>(overall)];
    }
    searched_ = true;
    PlaceResults(counts);
    return resultCount_;
}

// Entries lie in rank order, so placing them class by class in that order ranks them fully.
void SearchIndex::PlaceResults(const ClassCounts& counts) {
    ClassCounts next{};
    for (int c = 1; c <= kMatchClassCount; ++c)
        next[c] = next[c - 1] + counts[c - 1];
    for (size_t i = 0; i < entries_.size(); ++i) {
        const uint8_t c = entries_[i].matchClass;
        if (c != static_cast<uint8_t>(MatchClass::None))
            results_[next[c]++] = static_cast<int32_t>(i);
    }
    resultCount_ = next[kMatchClassCount - 1];
}

int SearchIndex::ResultOf(int storeIndex) const {
    for (int r = 0; r < resultCount_; ++r) {
        if (entries_[results_[r]].storeIndex == storeIndex)
            return r;
    }
    return -1;
}

const std::string& SearchIndex::PagePathOf(int result) const {
    static const std::string kNone;
    const int page = entries_[results_[result]].page;
    return page < 0 ? kNone : pages_[page].path;
}

size_t SearchIndex::MemoryBytes() const {
    size_t pages = pages_.capacity() * sizeof(Page);
    for (const Page& page : pages_)
        pages += page.path.capacity();
    return texts_.capacity() + entries_.capacity() * sizeof(Entry) + pages + results_.capacity() * sizeof(int32_t);
}

}  // namespace brindle::search
