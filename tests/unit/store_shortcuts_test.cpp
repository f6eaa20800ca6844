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
        for (int i = 0; store.GetShortcutAt(i, s); ++i)
            names += s.name;
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
    ASSERT_TRUE(store.ReplaceShortcutAt(0, before.name, before.commandLine, before.icon, before.workFolder, 2, 5, 1, 0,
                                        before.comment));
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

// Long texts are released at once when freed, so reading one after its slot let it go is caught (by
// AddressSanitizer at once, and natively by the allocator's reuse of the freed block).
TEST_F(StoreShortcuts, ReplaceMayHandOneFieldsOldTextToAnother) {
    const std::string name(1500, 'n'), command(1200, 'c'), icon(1100, 'i'), folder(1024, 'w'), comment(2000, 'k');
    store.AddShortcut(name.c_str(), command.c_str(), icon.c_str(), folder.c_str(), 0, 1, 0, 1, comment.c_str());
    ShortcutRecord before;
    store.GetShortcutAt(0, before);
    // Every field takes the old text of the field before it.
    ASSERT_TRUE(store.ReplaceShortcutAt(0, before.comment, before.name, before.commandLine, before.icon, 0, 1, 0, 1,
                                        before.workFolder));
    ShortcutRecord after;
    store.GetShortcutAt(0, after);
    EXPECT_EQ(testing::Str(after.name), comment);
    EXPECT_EQ(testing::Str(after.commandLine), name);
    EXPECT_EQ(testing::Str(after.icon), command);
    EXPECT_EQ(testing::Str(after.workFolder), icon);
    EXPECT_EQ(testing::Str(after.comment), folder);
}

// A line break in a text would end its line in the file and start a new key or section there.
TEST_F(StoreShortcuts, LineBreaksInTextsBecomeBlanks) {
    const char* injected = "a\r\n[#00001]\r\nNamespace=evil\r\nCommandLine=evil.exe\r";
    store.AddShortcut(injected, "x.exe\n/y", "i\r.ico", "C:\\\n", 0, 0, 0, 1, "one\r\ntwo");
    store.AddShortcut("b", "b.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    ShortcutRecord s;
    store.GetShortcutAt(0, s);
    const std::string blanked = "a  [#00001]  Namespace=evil  CommandLine=evil.exe ";
    EXPECT_EQ(testing::Str(s.name), blanked);
    EXPECT_STREQ(s.commandLine, "x.exe /y");
    EXPECT_STREQ(s.icon, "i .ico");
    EXPECT_STREQ(s.workFolder, "C:\\ ");
    EXPECT_STREQ(s.comment, "one  two");
    ASSERT_TRUE(store.ReplaceShortcutAt(1, "b\n[#2]", "\r", "\n", "w\r", 0, 0, 0, 1, "c\n"));
    store.GetShortcutAt(1, s);
    EXPECT_STREQ(s.name, "b [#2]");
    EXPECT_STREQ(s.commandLine, " ");
    EXPECT_STREQ(s.icon, " ");
    EXPECT_STREQ(s.workFolder, "w ");
    EXPECT_STREQ(s.comment, "c ");

    // What is written reads back as the same two shortcuts.
    testing::TempFolder folder;
    const std::string path = folder.File("Brindle.INI");
    testing::WriteBytes(path, store.SaveText());
    SettingsStore again(messages, path);
    again.Load();
    ASSERT_EQ(again.ShortcutCount(), 2);
    again.GetShortcutAt(0, s);
    EXPECT_EQ(testing::Str(s.name), blanked);
    EXPECT_STREQ(s.comment, "one  two");
    again.GetShortcutAt(1, s);
    EXPECT_STREQ(s.name, "b [#2]");
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
    EXPECT_TRUE(store.ReorderShortcuts(2, {6, 1, 4}));
    EXPECT_EQ(Names(), "aGcdBfE");

    EXPECT_FALSE(store.ReorderShortcuts(2, {1, 4}));     // wrong length
    EXPECT_FALSE(store.ReorderShortcuts(2, {1, 4, 5}));  // 5 belongs to another page
    EXPECT_FALSE(store.ReorderShortcuts(2, {1, 1, 4}));  // not a permutation
    EXPECT_FALSE(store.ReorderShortcuts(2, {1, 4, 60}));
    EXPECT_EQ(Names(), "aGcdBfE");
}

}  // namespace
}  // namespace brindle
