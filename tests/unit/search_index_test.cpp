// The index over a store: which shortcuts a query finds and in which order.
#include <gtest/gtest.h>

#include "search/search_index.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle::search {
namespace {

using testing::RecordingMessages;

class SearchIndexTest : public ::testing::Test {
protected:
    SearchIndexTest() {
        PageRecord top;
        top.name = "ツール";
        top.id = 0;
        top.parentId = kTopLevel;
        store.AddPage(top);
        PageRecord child;
        child.name = "Editors";
        child.id = 1;
        child.parentId = 0;
        store.AddPage(child);
    }
    int Add(const char* name, int32_t page = 0, const char* commandLine = "x.exe", const char* comment = nullptr) {
        return store.AddShortcut(name, commandLine, nullptr, nullptr, 0, page, 0, 1, comment);
    }
    // The names found for `typed`, in rank order, joined by '|', by an index built anew.
    std::string Find(const char* typed) {
        index.Build(store);
        return Found(typed);
    }
    // The same from the index as it stands.
    std::string Found(const char* typed) {
        index.Search(ParseQuery(typed));
        std::string names;
        for (int r = 0; r < index.ResultCount(); ++r) {
            ShortcutRecord s;
            store.GetShortcutAt(index.StoreIndexOf(r), s);
            names += (r ? "|" : "") + std::string(s.name);
        }
        return names;
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
    SearchIndex index;
};

TEST_F(SearchIndexTest, EachRankingRuleInItsPlace) {
    // Added in the reverse of the expected order, so tree order alone would give the opposite.
    Add("ntxpxd");                                    // letters in order
    Add("Tools", 0, "C:\\bin\\notepad.exe");          // the command line's file title
    Add("Viewer", 0, "v.exe", "a notepad for logs");  // the comment
    Add("footnotes");                                 // inside the name
    Add("My Notepad Plus");                           // a word start
    Add("Notepad2");                                  // name prefix
    Add("ＮＯＴＥＰＡＤ");                            // exact, full width and upper case
    EXPECT_EQ(Find("notepad"), "ＮＯＴＥＰＡＤ|Notepad2|My Notepad Plus|Tools|Viewer");
    EXPECT_EQ(Find("note"), "Notepad2|ＮＯＴＥＰＡＤ|My Notepad Plus|footnotes|Tools|Viewer");
    EXPECT_EQ(Find("ntpd"), "ntxpxd|My Notepad Plus|Notepad2|ＮＯＴＥＰＡＤ");
}

TEST_F(SearchIndexTest, InOrderIsTheWeakestAndTheClassesReadBack) {
    Add("ntxpxd");
    Add("ntpd tool");
    index.Build(store);
    ASSERT_EQ(index.Search(ParseQuery("ntpd")), 2);
    EXPECT_EQ(index.ClassOf(0), MatchClass::NamePrefix);
    EXPECT_EQ(index.ClassOf(1), MatchClass::InOrder);
}

TEST_F(SearchIndexTest, PagePathIsAnotherFieldAndIsShown) {
    Add("Vim", 1);
    Add("Orphan", 7);  // a page id that names no page
    EXPECT_EQ(Find("editors"), "Vim");
    EXPECT_EQ(Find("つーる"), "Vim");  // the parent page's name, in hiragana
    index.Build(store);
    ASSERT_EQ(index.Search(ParseQuery("vim")), 1);
    EXPECT_EQ(index.PagePathOf(0), "ツール / Editors");
    ASSERT_EQ(index.Search(ParseQuery("orphan")), 1);
    EXPECT_EQ(index.PagePathOf(0), "");
}

TEST_F(SearchIndexTest, EveryWordMustMatchInAnyOrder) {
    Add("Visual Studio Code");
    Add("Visual Basic");
    Add("Studio One");
    EXPECT_EQ(Find("studio visual"), "Visual Studio Code");
    EXPECT_EQ(Find("vis"), "Visual Studio Code|Visual Basic");
    EXPECT_EQ(Find("studio nothing"), "");
    EXPECT_EQ(Find(""), "");
    EXPECT_EQ(Find("   "), "");
    // Two words that make up the whole name are an exact match; two words that each are only start it.
    Add("visual");
    EXPECT_EQ(Find("visual studio code"), "Visual Studio Code");
    EXPECT_EQ(Find("visual visual"), "Visual Studio Code|Visual Basic|visual");
}

TEST_F(SearchIndexTest, KanaRomajiAndWidthsFindJapaneseNames) {
    Add("メモ帳");
    Add("ﾒﾓﾘ診断");
    Add("秀丸エディタ");
    Add("ソフト\\ポ|");
    EXPECT_EQ(Find("mem"), "メモ帳|ﾒﾓﾘ診断");  // an unfinished syllable
    EXPECT_EQ(Find("memo"), "メモ帳|ﾒﾓﾘ診断");
    EXPECT_EQ(Find("めもり"), "ﾒﾓﾘ診断");
    EXPECT_EQ(Find("editeta"), "");
    EXPECT_EQ(Find("edita"), "秀丸エディタ");
    EXPECT_EQ(Find("\\"), "ソフト\\ポ|");  // the real backslash, not ソ's trail byte
    EXPECT_EQ(Find("|"), "ソフト\\ポ|");
    EXPECT_EQ(Find("ﾌﾄ"), "ソフト\\ポ|");
}

TEST_F(SearchIndexTest, TiesGoToMoreLaunchesThenRecentThenTreeOrder) {
    Add("Alpha tool", 1);  // in a child page: later in the tree than page 0's shortcuts
    Add("Beta tool", 0);
    Add("Gamma tool", 0);
    Add("Delta tool", 0);
    EXPECT_EQ(Find("tool"), "Beta tool|Gamma tool|Delta tool|Alpha tool");
    store.NoteLaunch(3, 100);  // Delta: once, long ago
    store.NoteLaunch(2, 500);  // Gamma: once, recently
    store.NoteLaunch(0, 50);   // Alpha: twice
    store.NoteLaunch(0, 60);
    EXPECT_EQ(Find("tool"), "Alpha tool|Gamma tool|Delta tool|Beta tool");
    // Launches never lift a shortcut over a better class.
    Add("tool");
    EXPECT_EQ(Find("tool"), "tool|Alpha tool|Gamma tool|Delta tool|Beta tool");
    ShortcutRecord alpha;
    store.GetShortcutAt(0, alpha);
    EXPECT_EQ(alpha.launchCount, 2);
    EXPECT_EQ(alpha.lastLaunch, 60);
    EXPECT_FALSE(store.NoteLaunch(99, 1));
}

// Each result as "store index:class", in rank order, from the index as it stands.
std::vector<std::string> Rows(const SearchIndex& index) {
    std::vector<std::string> rows;
    for (int r = 0; r < index.ResultCount(); ++r)
        rows.push_back(std::to_string(index.StoreIndexOf(r)) + ":" +
                       std::to_string(static_cast<int>(index.ClassOf(r))));
    return rows;
}

// Shortcuts of every match class for "tool", each five times, in three places of the tree (a page, its
// child page and no page), and "nothing" without a page ("ツール" is found by "tool"), which it does not find.
class LaunchRanking : public SearchIndexTest {
protected:
    LaunchRanking() {
        const char* names[] = {"tool", "toolbox", "my tool", "stools", "viewer", "txoxoxl", "nothing"};
        for (int i = 0; i < 35; ++i) {
            const int page = i % 7 == 6 || i % 3 == 2 ? 7 : i % 2;
            Add(names[i % 7], page, "x.exe", i % 7 == 4 ? "a tool for logs" : nullptr);
        }
    }
    // What a new index finds for `typed`.
    std::vector<std::string> Fresh(const char* typed) {
        SearchIndex fresh;
        fresh.Build(store);
        fresh.Search(ParseQuery(typed));
        return Rows(fresh);
    }
    // Follows the launches and checks the results against a new index's, and that every row whose
    // shortcut changed lies in the span the index reports as moved.
    void FollowAndCompare(const char* typed) {
        const std::vector<std::string> before = Rows(index);
        ASSERT_TRUE(index.FollowLaunches(store));
        const std::vector<std::string> after = Rows(index);
        ASSERT_EQ(after, Fresh(typed));
        ASSERT_EQ(after.size(), before.size());
        for (size_t r = 0; r < after.size(); ++r) {
            if (after[r] != before[r]) {
                EXPECT_GE(static_cast<int>(r), index.FirstMovedResult());
                EXPECT_LE(static_cast<int>(r), index.LastMovedResult());
            }
        }
    }
};

TEST_F(SearchIndexTest, LaunchesRankAgainWithoutABuildAsABuildWould) {
    for (const char* name : {"Alpha tool", "Beta tool", "Gamma tool", "Delta tool", "Epsilon tool"})
        Add(name);
    index.Build(store);
    EXPECT_FALSE(index.FollowLaunches(store));
    index.Search(ParseQuery("tool"));
    store.NoteLaunch(3, 100);
    store.NoteLaunch(1, 200);
    store.NoteLaunch(3, 300);
    ASSERT_TRUE(index.FollowLaunches(store));
    std::string kept;  // the last search's results, ranked again without searching
    for (int r = 0; r < index.ResultCount(); ++r) {
        ShortcutRecord s;
        store.GetShortcutAt(index.StoreIndexOf(r), s);
        kept += (r ? "|" : "") + std::string(s.name);
    }
    EXPECT_EQ(kept, "Delta tool|Beta tool|Alpha tool|Gamma tool|Epsilon tool");
    EXPECT_EQ(Found("tool"), kept);
    EXPECT_EQ(Find("tool"), kept);  // Find builds anew
    EXPECT_FALSE(index.FollowLaunches(store));
}

// Launches one, two or three at a time, from anywhere (the window's list, the main list, the tray menu:
// the store counts them alike), with times that tie, a clock set back and shortcuts the search did not
// find: after each batch the results are those of a new index, and the next search too.
TEST_F(LaunchRanking, EveryBatchOfLaunchesGivesTheOrderOfANewIndex) {
    index.Build(store);
    index.Search(ParseQuery("tool"));
    ASSERT_EQ(Rows(index), Fresh("tool"));
    ASSERT_EQ(index.ResultCount(), 30);
    const int64_t times[] = {100, 200, 200, 300, 50};
    uint32_t random = 12345;
    auto next = [&random](uint32_t below) {
        random = random * 1103515245u + 12345u;
        return (random >> 16) % below;
    };
    for (int batch = 0; batch < 60; ++batch) {
        for (uint32_t n = 1 + next(3); n > 0; --n)
            store.NoteLaunch(static_cast<int>(next(35)), times[next(5)]);
        FollowAndCompare("tool");
        if (HasFatalFailure())
            return;
    }
    EXPECT_FALSE(index.FollowLaunches(store));
    index.Search(ParseQuery("box"));
    EXPECT_EQ(Rows(index), Fresh("box"));

    // A shortcut the search does not find moves among the entries, but no result changes.
    const std::vector<std::string> before = Rows(index);
    store.NoteLaunch(6, 1000);  // "nothing"
    ASSERT_TRUE(index.FollowLaunches(store));
    EXPECT_EQ(Rows(index), before);
    EXPECT_LT(index.LastMovedResult(), index.FirstMovedResult());
    index.Search(ParseQuery("nothing"));
    EXPECT_EQ(Rows(index), Fresh("nothing"));
}

// More launches than the store keeps a record of: every count compared, the same order.
TEST_F(LaunchRanking, MoreLaunchesThanTheStoreRecordsRankAllAgain) {
    index.Build(store);
    index.Search(ParseQuery("tool"));
    for (int i = 0; i <= SettingsStore::kLaunchRecord; ++i)
        store.NoteLaunch(34 - i % 20, 100 + i % 4);
    FollowAndCompare("tool");
    EXPECT_EQ(index.FirstMovedResult(), 0);
    EXPECT_EQ(index.LastMovedResult(), index.ResultCount() - 1);
}

// Without a text there are no results, and ranking again brings back none of the former text's.
TEST_F(LaunchRanking, NoTextStaysWithoutResults) {
    index.Build(store);
    index.Search(ParseQuery("tool"));
    index.Search(ParseQuery(""));
    store.NoteLaunch(3, 100);
    ASSERT_TRUE(index.FollowLaunches(store));
    EXPECT_EQ(index.ResultCount(), 0);
    for (int i = 0; i <= SettingsStore::kLaunchRecord; ++i)
        store.NoteLaunch(i, 200);
    ASSERT_TRUE(index.FollowLaunches(store));
    EXPECT_EQ(index.ResultCount(), 0);
    index.Search(ParseQuery("tool"));
    EXPECT_EQ(Rows(index), Fresh("tool"));
}

TEST_F(SearchIndexTest, SixteenThousandShortcutsFitInTwoMegabytes) {
    const char* names[] = {"Notepad", "メモ帳", "秀丸エディタ", "Visual Studio Code 2022", "ｴｸｽﾌﾟﾛｰﾗｰ"};
    for (int i = 0; i < 16383; ++i)
        Add(names[i % 5], i % 2, "\"C:\\Program Files\\Some Vendor\\program.exe\" /x");
    index.Build(store);
    EXPECT_EQ(index.ShortcutCount(), 16383);
    EXPECT_LE(index.MemoryBytes(), 2u * 1024 * 1024);
    EXPECT_EQ(index.Search(ParseQuery("memo")), 16383 / 5 + 1);
}

}  // namespace
}  // namespace brindle::search
