#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"
#include "traymenu/tray_menu_model.h"
#include "views/view_rules.h"

namespace brindle::tray_menu {
namespace {

using testing::RecordingMessages;

class TrayMenuModel : public ::testing::Test {
protected:
    void Page(int32_t id, int32_t parent) {
        PageRecord page;
        page.name = "p";
        page.id = id;
        page.parentId = parent;
        store.AddPage(page);
    }
    void Shortcut(int32_t pageId) { store.AddShortcut("s", "x.exe", nullptr, nullptr, 0, pageId, 0, 1, nullptr); }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
};

TEST_F(TrayMenuModel, PagesNestAndShortcutsGoToTheirPage) {
    Page(0, -1);   // 0: root, with a child and a shortcut
    Page(5, 0);    // 1: under page index 0
    Page(7, 5);    // 2: under page index 1, empty
    Page(9, 42);   // 3: parent missing -> root; holds a shortcut
    Page(11, -1);  // 4: children only
    Page(12, 11);  // 5: empty
    Shortcut(0);
    Shortcut(9);
    Shortcut(99);  // its page does not exist: no menu item
    Shortcut(5);
    Placement p = PlaceItems(store);
    EXPECT_EQ(p.pageParent, (std::vector<int>{-1, 0, 1, -1, -1, 4}));
    EXPECT_EQ(p.shortcutPage, (std::vector<int>{0, 3, -1, 1}));
    EXPECT_EQ(p.pageEmpty, (std::vector<bool>{false, false, true, false, false, true}));
    EXPECT_FALSE(p.limitReached);
}

TEST_F(TrayMenuModel, DuplicateIdsUseTheFirstPageAndCyclesHangAtTheRoot) {
    Page(1, 2);   // 0: 1 -> 2 -> 1, a cycle
    Page(2, 1);   // 1
    Page(3, 1);   // 2: under the cycle: hangs under page index 0, which itself is at the root
    Page(4, 4);   // 3: its own parent
    Page(3, -1);  // 4: a second page with id 3
    Page(6, 3);   // 5: under the first page with id 3
    Shortcut(3);
    Placement p = PlaceItems(store);
    EXPECT_EQ(p.pageParent, (std::vector<int>{-1, -1, 0, -1, -1, 2}));
    EXPECT_EQ(p.shortcutPage, (std::vector<int>{2}));
    EXPECT_EQ(p.pageEmpty, (std::vector<bool>{false, true, false, true, true, true}));
}

// The page tree and the tray menu place the pages of one hand-made table alike, and a page whose parents
// never lead to the top level stands there with the pages below it.
TEST_F(TrayMenuModel, TheTreeAndTheMenuNestPagesAlike) {
    const std::vector<std::pair<int32_t, int32_t>> table = {
        {0, -1},   // 0: top level
        {1, 8},    // 1: below "Lost" (index 7), which comes later
        {2, 3},    // 2: 2 -> 3 -> 2, a cycle
        {3, 2},    // 3
        {4, 2},    // 4: below the cycle's page 2
        {5, 3},    // 5: below the cycle's page 3
        {6, 0},    // 6: below the top page
        {8, 99},   // 7: its parent is missing
        {9, 8},    // 8: below "Lost"
        {10, 9},   // 9: two levels below "Lost"
        {11, 11},  // 10: its own parent
        {12, 11},  // 11: below it
    };
    std::vector<PageRecord> pages;
    for (const auto& [id, parent] : table) {
        Page(id, parent);
        pages.emplace_back();
        store.GetPageAt(static_cast<int>(pages.size()) - 1, pages.back());
    }
    const std::vector<int> expected = {-1, 7, -1, -1, 2, 3, 0, -1, 7, 8, -1, 10};

    const Placement menu = PlaceItems(store);
    EXPECT_EQ(menu.pageParent, expected);
    std::vector<int> tree(pages.size(), -2);
    for (const views::TreeInsert& step : views::PlanTreeInsertions(pages))
        tree[step.entry] = step.parentEntry;
    EXPECT_EQ(tree, expected);

    // No submenu holds itself, however far down.
    for (size_t p = 0; p < pages.size(); ++p) {
        int up = menu.pageParent[p];
        for (size_t steps = 0; up >= 0 && steps <= pages.size(); ++steps) {
            ASSERT_NE(up, static_cast<int>(p)) << "page index " << p << " is inside itself";
            up = menu.pageParent[up];
        }
        EXPECT_EQ(up, -1) << "page index " << p << " never reaches the root";
    }
}

TEST_F(TrayMenuModel, The16384thShortcutIsRefused) {
    Page(0, -1);
    for (int i = 0; i < 16384; ++i)
        Shortcut(0);
    Placement p = PlaceItems(store);
    EXPECT_TRUE(p.limitReached);
    EXPECT_EQ(p.shortcutPage.size(), 16383u);  // commands 16384 to 32766
    store.RemoveShortcutAt(0);
    EXPECT_FALSE(PlaceItems(store).limitReached);
}

TEST(TrayMenuImages, ClassImagesAndCachedIcons) {
    EXPECT_EQ(ShortcutImage(0, -1), 0);
    EXPECT_EQ(ShortcutImage(3, -1), 3);
    EXPECT_EQ(ShortcutImage(-1, -1), kMissingImage);
    EXPECT_EQ(ShortcutImage(-1, 0), 5);
    EXPECT_EQ(ShortcutImage(2, 7), 12);
}

TEST(TrayMenuMnemonics, FirstLetterOrAmpersandAndCycling) {
    std::vector<const char*> texts = {"Apple", "b&Bear", "avocado", nullptr, "Ant", "表計算", "ｱｲｳ", "x&"};
    EXPECT_EQ(MnemonicMatch('a', texts, -1), 0);
    EXPECT_EQ(MnemonicMatch('A', texts, -1), 0);
    EXPECT_EQ(MnemonicMatch('a', texts, 0), 2);
    EXPECT_EQ(MnemonicMatch('a', texts, 2), 4);
    EXPECT_EQ(MnemonicMatch('a', texts, 4), 0);   // wraps around
    EXPECT_EQ(MnemonicMatch('a', texts, 5), 0);   // highlighted item is no match: the first match
    EXPECT_EQ(MnemonicMatch('b', texts, -1), 1);  // after the '&', not the first letter
    EXPECT_EQ(MnemonicMatch('b', texts, 1), 1);   // a single match is selected again
    EXPECT_EQ(MnemonicMatch('z', texts, -1), -1);
    // Double-byte and half-width katakana first bytes are negative: no typed character matches.
    EXPECT_LT(MnemonicOf("表計算"), 0);
    EXPECT_LT(MnemonicOf("ｱｲｳ"), 0);
    EXPECT_EQ(MnemonicMatch(0x95, texts, -1), -1);
    EXPECT_EQ(MnemonicMatch(0xB1, texts, -1), -1);
    EXPECT_EQ(MnemonicOf("x&"), 0);  // nothing after the '&'
    EXPECT_EQ(MnemonicOf(""), 0);
}

}  // namespace
}  // namespace brindle::tray_menu
