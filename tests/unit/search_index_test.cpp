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

TEST_F(SearchIndexTest, LaunchesRankAgainWithoutABuildAsABuildWould) {
    for (const char* name : {"Alpha tool", "Beta tool", "Gamma tool", "Delta tool", "Epsilon tool"})
        Add(name);
    index.Build(store);
    EXPECT_FALSE(index.FollowLaunches(store));
    store.NoteLaunch(3, 100);
    store.NoteLaunch(1, 200);
    store.NoteLaunch(3, 300);
    ASSERT_TRUE(index.FollowLaunches(store));
    EXPECT_EQ(index.ResultCount(), 0);  // the last search's rows named entries in the former order
    const std::string followed = Found("tool");
    EXPECT_EQ(followed, "Delta tool|Beta tool|Alpha tool|Gamma tool|Epsilon tool");
    EXPECT_EQ(followed, Find("tool"));  // Find builds anew
    EXPECT_FALSE(index.FollowLaunches(store));
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
