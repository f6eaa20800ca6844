#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

class StoreShortcuts : public ::testing::Test {
protected:
    int Add(const char* name, int32_t pageId) {
        return store.AddShortcut(name, "cmd", nullptr, nullptr, 0, pageId, 0, 1, nullptr);
    }
    std::string Names() const {
        std::string names;
        ShortcutRecord s;
        for (int i = 0; store.GetShortcutAt(i, s); ++i) names += s.name;
        return names;
    }

    RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
};

TEST_F(StoreShortcuts, EmptyTextsAreStoredAbsent) {
    int index = store.AddShortcut("n", "", "", "", 1, 2, 1, 0, "");
    ShortcutRecord s;
    ASSERT_TRUE(store.GetShortcutAt(index, s));
    EXPECT_STREQ(s.name, "n");
    EXPECT_EQ(s.commandLine, nullptr);
    EXPECT_EQ(s.icon, nullptr);
    EXPECT_EQ(s.workFolder, nullptr);
    EXPECT_EQ(s.comment, nullptr);
    EXPECT_EQ(s.showType, 1);
    EXPECT_EQ(s.pageId, 2);
    EXPECT_EQ(s.readIcon, 1);
    EXPECT_EQ(s.check, 0);
}

TEST_F(StoreShortcuts, ReplaceWithItsOwnTextsChangesOnlyNumbers) {
    store.AddShortcut("n", "c.exe", "i.ico", "C:\\w", 0, 1, 0, 1, "note");
    ShortcutRecord before;
    store.GetShortcutAt(0, before);
    ASSERT_TRUE(store.ReplaceShortcutAt(0, before.name, before.commandLine, before.icon, before.workFolder, 2, 5, 1,
                                        0, before.comment));
    ShortcutRecord after;
    store.GetShortcutAt(0, after);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.commandLine, before.commandLine);
    EXPECT_EQ(after.icon, before.icon);
    EXPECT_EQ(after.workFolder, before.workFolder);
    EXPECT_EQ(after.comment, before.comment);
    EXPECT_EQ(after.showType, 2);
    EXPECT_EQ(after.pageId, 5);

    ASSERT_TRUE(store.ReplaceShortcutAt(0, "m", "", before.icon, nullptr, 0, 5, 0, 1, "other"));
    store.GetShortcutAt(0, after);
    EXPECT_STREQ(after.name, "m");
    EXPECT_EQ(after.commandLine, nullptr);
    EXPECT_EQ(after.icon, before.icon);
    EXPECT_STREQ(after.comment, "other");
    EXPECT_FALSE(store.ReplaceShortcutAt(1, "x", "", nullptr, nullptr, 0, 0, 0, 0, nullptr));
    EXPECT_FALSE(store.RemoveShortcutAt(1));
}

TEST_F(StoreShortcuts, CountByPageAndInAll) {
    Add("a", 1);
    Add("b", 2);
    Add("c", 1);
    EXPECT_EQ(store.CountShortcuts(-1), 3);
    EXPECT_EQ(store.CountShortcuts(1), 2);
    EXPECT_EQ(store.CountShortcuts(3), 0);
}

TEST_F(StoreShortcuts, ReorderMovesOnlyThePagesSlots) {
    for (const char* name : {"a", "B", "c", "d", "E", "f", "G"}) {
        Add(name, name[0] >= 'a' ? 1 : 2);
    }
    // Page 2 sits at 1, 4 and 6.
    store.ReorderShortcuts(2, {6, 1, 4});
    EXPECT_EQ(Names(), "aGcdBfE");

    store.ReorderShortcuts(2, {1, 4});  // wrong length
    store.ReorderShortcuts(2, {1, 4, 5});  // 5 belongs to another page
    store.ReorderShortcuts(2, {1, 1, 4});  // not a permutation
    store.ReorderShortcuts(2, {1, 4, 60});
    EXPECT_EQ(Names(), "aGcdBfE");
}

}  // namespace
}  // namespace brindle
