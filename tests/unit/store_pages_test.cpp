#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

class StorePages : public ::testing::Test {
protected:
    int Add(int32_t id, int32_t parent, const char* name = "p") {
        PageRecord page;
        page.name = name;
        page.id = id;
        page.parentId = parent;
        return store.AddPage(page);
    }
    std::vector<int32_t> Ids() const {
        std::vector<int32_t> ids;
        PageRecord page;
        for (int i = 0; store.GetPageAt(i, page); ++i)
            ids.push_back(page.id);
        return ids;
    }
    int32_t ParentOf(int32_t id) const {
        PageRecord page;
        EXPECT_TRUE(store.FindPage(id, page));
        return page.parentId;
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
};

TEST_F(StorePages, AddCopiesTextsAndEmptyTextsBecomeAbsent) {
    char name[] = "Tools";
    PageRecord page;
    page.name = name;
    page.normalIcon = "";
    page.selectedIcon = "icon.dll>3";
    EXPECT_EQ(store.AddPage(page), 0);
    EXPECT_NE(page.name, name);  // the caller's record now holds the store's copies
    name[0] = 'X';
    PageRecord stored;
    ASSERT_TRUE(store.GetPageAt(0, stored));
    EXPECT_STREQ(stored.name, "Tools");
    EXPECT_EQ(stored.name, page.name);
    EXPECT_EQ(stored.normalIcon, nullptr);
    EXPECT_STREQ(stored.selectedIcon, "icon.dll>3");
    EXPECT_FALSE(store.GetPageAt(1, stored));
    EXPECT_FALSE(store.GetPageAt(-1, stored));
}

TEST_F(StorePages, ReplaceKeepsTheSameTextAndCopiesOthers) {
    Add(4, -1, "old");
    PageRecord copy;
    ASSERT_TRUE(store.FindPage(4, copy));
    ASSERT_TRUE(store.ReplacePage(copy.name, 1, 4, -1, 1, "n.ico", nullptr));
    PageRecord after;
    store.FindPage(4, after);
    EXPECT_EQ(after.name, copy.name);  // same pointer: unchanged
    EXPECT_EQ(after.expanded, 1);
    EXPECT_STREQ(after.normalIcon, "n.ico");

    // A text pointing into the slot's own text is copied before the old one goes.
    ASSERT_TRUE(store.ReplacePageAt(0, after.name + 1, 0, 4, -1, 0, after.normalIcon + 2, nullptr));
    store.FindPage(4, after);
    EXPECT_STREQ(after.name, "ld");
    EXPECT_STREQ(after.normalIcon, "ico");

    EXPECT_FALSE(store.ReplacePage("x", 0, 99, -1, 0, nullptr, nullptr));
    EXPECT_FALSE(store.ReplacePageAt(5, "x", 0, 99, -1, 0, nullptr, nullptr));
    EXPECT_FALSE(store.SetPageExpanded(99, 1));
    EXPECT_TRUE(store.SetPageExpanded(4, 1));
}

// The batch leaves the pages as one SetPageExpanded call after another would: a hand-edited file may
// hold two pages of one id, and only the first of them takes the state.
TEST_F(StorePages, ExpandedStatesInOnePassMatchOneCallAfterAnother) {
    for (int32_t id : {7, 3, 7, 9, 3})
        Add(id, -1);
    SettingsStore oneByOne{messages, "unused.ini"};
    for (int32_t id : {7, 3, 7, 9, 3}) {
        PageRecord page;
        page.name = "p";
        page.id = id;
        page.parentId = -1;
        oneByOne.AddPage(page);
    }
    ASSERT_TRUE(store.SetPageExpanded(9, 1));  // a page the batch does not name keeps its state
    ASSERT_TRUE(oneByOne.SetPageExpanded(9, 1));
    const std::vector<std::pair<int32_t, int32_t>> states{{7, 1}, {3, 1}, {42, 1}, {3, 0}, {7, 1}};
    store.SetPagesExpanded(states);
    for (const auto& [id, expanded] : states)
        oneByOne.SetPageExpanded(id, expanded);

    std::vector<int32_t> batch, single;
    PageRecord page;
    for (int i = 0; store.GetPageAt(i, page); ++i)
        batch.push_back(page.expanded);
    for (int i = 0; oneByOne.GetPageAt(i, page); ++i)
        single.push_back(page.expanded);
    EXPECT_EQ(batch, (std::vector<int32_t>{1, 0, 0, 1, 0}));
    EXPECT_EQ(batch, single);
    EXPECT_EQ(Ids(), (std::vector<int32_t>{7, 3, 7, 9, 3}));
}

TEST_F(StorePages, ReplaceMayHandOneFieldsOldTextToAnother) {
    const std::string name(1500, 'n'), normal(1024, 'a'), selected(3000, 'b');
    PageRecord page;
    page.name = name.c_str();
    page.id = 4;
    page.parentId = -1;
    page.normalIcon = normal.c_str();
    page.selectedIcon = selected.c_str();
    store.AddPage(page);
    // Each text moves one field on: the name becomes the normal icon, that the selected one.
    ASSERT_TRUE(store.ReplacePage(page.selectedIcon, 0, 4, -1, 1, page.name, page.normalIcon));
    PageRecord after;
    ASSERT_TRUE(store.FindPage(4, after));
    EXPECT_EQ(testing::Str(after.name), selected);
    EXPECT_EQ(testing::Str(after.normalIcon), name);
    EXPECT_EQ(testing::Str(after.selectedIcon), normal);
}

TEST_F(StorePages, LineBreaksInTextsBecomeBlanks) {
    PageRecord page;
    page.name = "Tools\r\n[#00000]\r\nNamespace=x";
    page.id = 1;
    page.parentId = -1;
    page.normalIcon = "a\n.ico";
    page.selectedIcon = "b\r.ico";
    store.AddPage(page);
    PageRecord stored;
    store.GetPageAt(0, stored);
    EXPECT_STREQ(stored.name, "Tools  [#00000]  Namespace=x");
    EXPECT_STREQ(stored.normalIcon, "a .ico");
    EXPECT_STREQ(stored.selectedIcon, "b .ico");
    ASSERT_TRUE(store.ReplacePageAt(0, "\nTools", 0, 1, -1, 0, "\r", stored.selectedIcon));
    store.GetPageAt(0, stored);
    EXPECT_STREQ(stored.name, " Tools");
    EXPECT_STREQ(stored.normalIcon, " ");
    EXPECT_STREQ(stored.selectedIcon, "b .ico");
    EXPECT_EQ(store.SaveText().find("\r\n[#"), std::string::npos);
}

TEST_F(StorePages, NextFreePageIdIsTheSmallestUnused) {
    EXPECT_EQ(store.NextFreePageId(), 0);
    Add(0, -1);
    Add(1, -1);
    Add(3, -1);
    EXPECT_EQ(store.NextFreePageId(), 2);
    Add(-5, -1);
    Add(70000, -1);
    EXPECT_EQ(store.NextFreePageId(), 2);
}

TEST_F(StorePages, NextFreePageIdWhenAllAreUsed) {
    for (int32_t id = 0; id < 65535; ++id)
        Add(id, -1);
    EXPECT_EQ(store.NextFreePageId(), 65535);
}

TEST_F(StorePages, RemovePageTakesItsShortcutsAndLeavesChildren) {
    Add(1, -1);
    Add(2, 1);
    store.AddShortcut("a", "a.exe", nullptr, nullptr, 0, 1, 0, 1, nullptr);
    store.AddShortcut("b", "b.exe", nullptr, nullptr, 0, 2, 0, 1, nullptr);
    store.AddShortcut("c", "c.exe", nullptr, nullptr, 0, 1, 0, 1, nullptr);
    ASSERT_TRUE(store.RemovePage(1));
    EXPECT_EQ(Ids(), std::vector<int32_t>{2});
    EXPECT_EQ(ParentOf(2), 1);
    ASSERT_EQ(store.ShortcutCount(), 1);
    ShortcutRecord s;
    store.GetShortcutAt(0, s);
    EXPECT_STREQ(s.name, "b");
    EXPECT_FALSE(store.RemovePage(1));
    EXPECT_EQ(store.IndexOfPage(1), -1);
}

TEST_F(StorePages, IsAncestorPageWalksTheChain) {
    Add(1, -1);
    Add(2, 1);
    Add(3, 2);
    EXPECT_TRUE(store.IsAncestorPage(3, 1));
    EXPECT_TRUE(store.IsAncestorPage(3, 2));
    EXPECT_TRUE(store.IsAncestorPage(3, -1));
    EXPECT_FALSE(store.IsAncestorPage(3, 3));
    EXPECT_FALSE(store.IsAncestorPage(1, 3));
    EXPECT_FALSE(store.IsAncestorPage(42, -1));  // missing page

    Add(8, 9);  // parent missing: the chain never reaches the top level
    EXPECT_FALSE(store.IsAncestorPage(8, -1));
}

TEST_F(StorePages, IsAncestorPageEndsOnACycle) {
    Add(1, 3);
    Add(2, 1);
    Add(3, 2);
    Add(4, 4);
    EXPECT_TRUE(store.IsAncestorPage(1, 1));  // 1 lies on its own chain
    EXPECT_TRUE(store.IsAncestorPage(4, 4));
    EXPECT_FALSE(store.IsAncestorPage(1, -1));
    EXPECT_FALSE(store.IsAncestorPage(4, 7));
}

TEST_F(StorePages, SortById) {
    Add(5, -1);
    Add(9, -1);
    Add(2, -1);
    Add(7, -1);
    store.SortPagesById();
    EXPECT_EQ(Ids(), (std::vector<int32_t>{2, 5, 7, 9}));
}

TEST_F(StorePages, RenumberMovesPagesChildrenShortcutsAndCurrent) {
    Add(3, -1, "three");
    Add(5, -1, "five");
    Add(7, -1, "seven");
    Add(10, 7, "child of seven");
    Add(11, 3, "child of three");
    store.AddShortcut("s7", "x", nullptr, nullptr, 0, 7, 0, 1, nullptr);
    store.AddShortcut("s3", "x", nullptr, nullptr, 0, 3, 0, 1, nullptr);

    int32_t current = 7;
    EXPECT_TRUE(store.RenumberPages({3, 5, 7}, {7, 3, 5}, &current));
    PageRecord page;
    store.GetPageAt(2, page);
    EXPECT_STREQ(page.name, "seven");
    EXPECT_EQ(page.id, 3);
    store.GetPageAt(0, page);
    EXPECT_EQ(page.id, 5);
    store.GetPageAt(1, page);
    EXPECT_EQ(page.id, 7);
    EXPECT_EQ(ParentOf(10), 3);
    EXPECT_EQ(ParentOf(11), 5);
    EXPECT_EQ(current, 3);
    ShortcutRecord s;
    store.GetShortcutAt(0, s);
    EXPECT_EQ(s.pageId, 3);
    store.GetShortcutAt(1, s);
    EXPECT_EQ(s.pageId, 5);

    int32_t untouched = 42;
    EXPECT_FALSE(store.RenumberPages({1, 2}, {3}, &untouched));  // lengths differ: nothing changes
    // Ids that are not an exchange among themselves would give two pages one id.
    EXPECT_FALSE(store.RenumberPages({3, 5}, {3, 10}, &untouched));
    EXPECT_FALSE(store.RenumberPages({3, 5}, {5, 5}, &untouched));
    EXPECT_EQ(Ids(), (std::vector<int32_t>{5, 7, 3, 10, 11}));
    EXPECT_EQ(untouched, 42);
}

}  // namespace
}  // namespace brindle
