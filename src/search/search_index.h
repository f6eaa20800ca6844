#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_match.h"
#include "search/search_query.h"

namespace brindle {
class SettingsStore;
}

namespace brindle::search {

// Every shortcut of the store in folded form, for filtering and ranking at each key press. Built once
// when the search window opens or the store changes; a search then allocates nothing per shortcut: the
// texts lie in one buffer and the results go to tables sized when the index was built.
class SearchIndex {
public:
    void Build(const SettingsStore& store);
    // Takes the launch counts and times of the store as they are now and ranks again by them, without
    // building anew: launches move no shortcut and change no text. The results of the last search stay,
    // in the order that search would give now. False when no count or time changed. Only valid while the
    // store's Changes() are what they were at Build.
    bool FollowLaunches(const SettingsStore& store);
    // The results whose shortcut the last FollowLaunches changed: [first, last], empty when last < first.
    int FirstMovedResult() const { return firstMoved_; }
    int LastMovedResult() const { return lastMoved_; }

    // Finds the shortcuts every word of `query` matches and ranks them: by match class, then launched
    // more often, then more recently, then tree order. Returns how many were found; an empty query finds
    // nothing.
    int Search(const Query& query);

    int ResultCount() const { return resultCount_; }
    int StoreIndexOf(int result) const { return entries_[results_[result]].storeIndex; }
    int ResultOf(int storeIndex) const;  // -1 when the shortcut is not among the results
    MatchClass ClassOf(int result) const { return static_cast<MatchClass>(entries_[results_[result]].matchClass); }
    // The path of pages (names joined by " / ") of a result's shortcut; empty for a shortcut without page.
    const std::string& PagePathOf(int result) const;
    int ShortcutCount() const { return static_cast<int>(entries_.size()); }
    size_t MemoryBytes() const;  // what the index holds, with its result tables

private:
    struct Entry {
        uint64_t nameMask;
        uint64_t otherMask;  // comment and file title
        uint32_t nameOffset;
        uint32_t otherOffset;
        uint16_t nameLength;
        uint16_t otherLength;
        int32_t page;  // index into pages_, or -1
        int32_t storeIndex;
        // The rank without a query: launched more often, then more recently, then tree order.
        int32_t launchCount;
        int32_t treeOrder;
        uint8_t matchClass;  // in the last search; moves with the entry when launches rank it again
        int64_t lastLaunch;
    };
    static bool RanksBefore(const Entry& a, const Entry& b);
    using ClassCounts = std::array<int, kMatchClassCount + 1>;
    void PlaceResults(const ClassCounts& counts);
    bool MoveLaunched(const SettingsStore& store, int storeIndex);
    void MoveResult(int fromEntry, int toEntry);

    struct Page {
        std::string path;  // for display
        uint32_t foldedOffset;
        uint32_t foldedLength;
        uint64_t mask;
    };

    MatchClass MatchWord(const QueryWord& word,
                         const NeedleTable& table,
                         const std::vector<uint8_t>& pageFound,
                         const Entry& entry) const;
    std::string_view Text(uint32_t offset, uint32_t length) const { return {texts_.data() + offset, length}; }

    std::string texts_;           // every folded text, one after the other
    std::vector<Entry> entries_;  // in rank order without a query: most launched first
    std::vector<Page> pages_;
    std::vector<int32_t> results_;  // entry indices, ranked: by class, then entry order
    int resultCount_ = 0;
    bool searched_ = false;      // the entries' classes are those of the results (a query was searched)
    uint64_t launchesSeen_ = 0;  // the store's count of launches the ranking follows
    int firstMoved_ = 0, lastMoved_ = -1;
};

}  // namespace brindle::search
