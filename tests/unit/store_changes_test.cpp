// The store's count of changes: whoever keeps something made from the pages and shortcuts (the search
// window's index) relies on it to move with every change of them, and only then.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

class StoreChanges : public ::testing::Test {
protected:
    void SetUp() override {
        for (int32_t id : {0, 1}) {
            PageRecord page;
            page.name = id == 0 ? "Tools" : "Games";
            page.id = id;
            page.parentId = kTopLevel;
            store.AddPage(page);
        }
        store.AddShortcut("a", "a.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
        store.AddShortcut("b", "b.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
        store.AddShortcut("c", "c.exe", nullptr, nullptr, 0, 1, 0, 1, nullptr);
    }
    // Whether `change` moved the count (and returned true, as a change that took place does).
    bool Counted(const std::function<bool()>& change) {
        const uint64_t before = store.Changes();
        const bool done = change();
        return done && store.Changes() != before;
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
};

TEST_F(StoreChanges, EveryChangeOfPagesAndShortcutsIsCounted) {
    const std::vector<std::pair<std::string, std::function<bool()>>> changes = {
        {"add shortcut", [&] { return store.AddShortcut("d", "d.exe", nullptr, nullptr, 0, 1, 0, 1, nullptr) >= 0; }},
        {"reorder",
         [&] {
             return store.ReorderShortcuts(0, {1, 0});
         }},
        {"rename shortcut",
         [&] { return store.ReplaceShortcutAt(0, "A", "a.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr); }},
        {"move shortcut",
         [&] { return store.ReplaceShortcutAt(0, "A", "a.exe", nullptr, nullptr, 0, 1, 0, 1, nullptr); }},
        {"remove shortcut", [&] { return store.RemoveShortcutAt(0); }},
        {"add page",
         [&] {
             PageRecord page;
             page.name = "New";
             page.id = 2;
             page.parentId = 0;
             return store.AddPage(page) >= 0;
         }},
        {"rename page", [&] { return store.ReplacePage("Tools 2", 1, 0, kTopLevel, 0, nullptr, nullptr); }},
        {"move page", [&] { return store.ReplacePage("New", 0, 2, 1, 0, nullptr, nullptr); }},
        {"renumber pages",
         [&] {
             return store.RenumberPages({0, 1}, {1, 0}, nullptr);
         }},
        {"sort pages",
         [&] {
             store.SortPagesById();
             return true;
         }},
        {"remove page", [&] { return store.RemovePage(2); }},
        {"load", [&] { return store.Load(); }},
    };
    for (const auto& [name, change] : changes)
        EXPECT_TRUE(Counted(change)) << name;
}

// A launch moves no shortcut: it is counted apart, and only there.
TEST_F(StoreChanges, LaunchesAreCountedApartFromChanges) {
    const uint64_t changes = store.Changes(), launches = store.Launches();
    EXPECT_TRUE(store.NoteLaunch(1, 1700000000));
    EXPECT_EQ(store.Changes(), changes);
    EXPECT_EQ(store.Launches(), launches + 1);
    EXPECT_FALSE(store.NoteLaunch(3, 1));
    EXPECT_EQ(store.Launches(), launches + 1);
}

// Which shortcuts were launched since a count: every launch while the record holds it, refused launches
// never, and a plain "don't know" once more came than it holds or for a count the store never had.
TEST_F(StoreChanges, LaunchesSinceACountAreRecordedUpToTheRecordsSize) {
    const uint64_t start = store.Launches();
    std::vector<int> launched{42};
    EXPECT_TRUE(store.LaunchedSince(start, launched));
    EXPECT_TRUE(launched.empty());
    store.NoteLaunch(1, 10);
    store.NoteLaunch(3, 11);  // refused: not recorded
    store.NoteLaunch(0, 12);
    store.NoteLaunch(1, 13);
    ASSERT_TRUE(store.LaunchedSince(start, launched));
    EXPECT_EQ(launched, (std::vector<int>{1, 0, 1}));
    ASSERT_TRUE(store.LaunchedSince(start + 2, launched));
    EXPECT_EQ(launched, (std::vector<int>{1}));
    EXPECT_FALSE(store.LaunchedSince(store.Launches() + 1, launched));
    EXPECT_TRUE(launched.empty());

    const uint64_t before = store.Launches();
    for (int i = 0; i < SettingsStore::kLaunchRecord; ++i)
        store.NoteLaunch(i % 2, 20 + i);
    ASSERT_TRUE(store.LaunchedSince(before, launched));  // exactly as many as the record holds
    ASSERT_EQ(launched.size(), static_cast<size_t>(SettingsStore::kLaunchRecord));
    EXPECT_EQ(launched.front(), 0);
    EXPECT_EQ(launched.back(), 1);
    store.NoteLaunch(0, 99);
    EXPECT_FALSE(store.LaunchedSince(before, launched));  // one more than it holds
    EXPECT_TRUE(launched.empty());
    ASSERT_TRUE(store.LaunchedSince(before + 1, launched));
    EXPECT_EQ(launched.back(), 0);
}

TEST_F(StoreChanges, RefusedChangesAndTheSearchNeutralOnesAreNotCounted) {
    const uint64_t before = store.Changes();
    EXPECT_FALSE(store.ReplaceShortcutAt(7, "x", nullptr, nullptr, nullptr, 0, 0, 0, 0, nullptr));
    EXPECT_FALSE(store.RemoveShortcutAt(-1));
    EXPECT_FALSE(store.NoteLaunch(3, 1));
    EXPECT_FALSE(store.ReorderShortcuts(0, {0, 2}));
    EXPECT_FALSE(store.RemovePageAt(5));
    EXPECT_FALSE(store.RenumberPages({0, 9}, {0, 1}, nullptr));
    // Neither an expanded page nor "run as administrator" changes what is found or how it is ranked.
    EXPECT_TRUE(store.SetPageExpanded(0, 1));
    EXPECT_TRUE(store.SetShortcutRunAs(0, true));
    EXPECT_EQ(store.Changes(), before);
}

}  // namespace
}  // namespace brindle
