// Launch counts in the settings file: new keys only, written for launched shortcuts, read by every version.
#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;
using testing::WriteBytes;

TEST(LaunchCounts, WrittenOnlyForLaunchedShortcutsRightAfterTheName) {
    RecordingMessages messages;
    TempFolder folder;
    const std::string path = folder.File("b.ini");
    SettingsStore store(messages, path);
    store.Load();
    store.AddShortcut("never", "a.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    store.AddShortcut("twice", "b.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    store.NoteLaunch(1, 1700000000);
    store.NoteLaunch(1, 4102444800);  // past 2038: more than 32 bits
    store.NoteLaunch(1, 1000);        // a clock set back never moves the last launch back
    const std::string text = store.SaveText();
    EXPECT_NE(text.find("Namespace=twice\r\nLaunchCount=3\r\nLastLaunch=4102444800\r\nCommandLine=b.exe"),
              std::string::npos);
    EXPECT_EQ(text.find("LaunchCount="), text.rfind("LaunchCount="));  // none for "never"
    // Launching does not save: the file appears only with Save, and carries the counts.
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(store.Save());
    SettingsStore again(messages, path);
    again.Load();
    ShortcutRecord never, twice;
    ASSERT_TRUE(again.GetShortcutAt(0, never));
    ASSERT_TRUE(again.GetShortcutAt(1, twice));
    EXPECT_EQ(never.launchCount, 0);
    EXPECT_EQ(never.lastLaunch, 0);
    EXPECT_EQ(twice.launchCount, 3);
    EXPECT_EQ(twice.lastLaunch, 4102444800);
    EXPECT_EQ(again.SaveText(), text);
    // Editing a shortcut keeps its counts.
    again.ReplaceShortcutAt(1, "renamed", "b.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    again.GetShortcutAt(1, twice);
    EXPECT_EQ(twice.launchCount, 3);
}

TEST(LaunchCounts, FilesOfEveryVersionReadTheSame) {
    RecordingMessages messages;
    TempFolder folder;
    const std::string path = folder.File("b.ini");
    // All nine older keys and the two new ones: the section still holds every key (the new ones are not
    // counted towards the nine that close it), and the next section is read as well.
    WriteBytes(path,
               "[Page]\r\n0=P,-1,0,0,\"\",\"\"\r\n"
               "[#00000]\r\nNamespace=full\r\nLaunchCount=5\r\nLastLaunch=77\r\nCommandLine=c\r\nReadIcon=1\r\n"
               "NoCheck=1\r\nIconname=i\r\nWorkfolder=w\r\nShowType=1\r\nPageId=0\r\nComment=k\r\n"
               "[#00001]\r\nNamespace=old\r\nCommandLine=o\r\n"
               "[#00002]\r\nNamespace=junk\r\nLaunchCount=-4\r\nLastLaunch=x\r\nCommandLine=j\r\n"
               "[#00003]\r\nNamespace=alone\r\nLaunchCount=2\r\n");  // one counted key: dropped as before
    SettingsStore store(messages, path);
    store.Load();
    ASSERT_EQ(store.ShortcutCount(), 3);
    ShortcutRecord s;
    store.GetShortcutAt(0, s);
    EXPECT_STREQ(s.comment, "k");
    EXPECT_EQ(s.launchCount, 5);
    EXPECT_EQ(s.lastLaunch, 77);
    store.GetShortcutAt(1, s);
    EXPECT_STREQ(s.name, "old");
    EXPECT_EQ(s.launchCount, 0);
    store.GetShortcutAt(2, s);
    EXPECT_EQ(s.launchCount, 0);  // a negative count is no count
    EXPECT_EQ(s.lastLaunch, 0);
    EXPECT_EQ(store.SaveText().find("LaunchCount=", store.SaveText().find("junk")), std::string::npos);
}

}  // namespace
}  // namespace brindle
