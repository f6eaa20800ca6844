#include <cstring>

#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;

// The [Brindle] section as written for the default Preferences.
const std::string kDefaultPreferences =
    "[Brindle]\r\nListStyle=0\r\nPage=0\r\nlfHeight=-12\r\nlfWidth=0\r\nlfEscapement=0\r\nlfOrientation=0\r\n"
    "lfWeight=400\r\nlfItalic=0\r\nlfUnderline=0\r\nlfStrikeOut=0\r\nlfCharSet=128\r\nlfOutPrecision=0\r\n"
    "lfClipPrecision=0\r\nlfQuality=0\r\nlfPitchAndFamily=0\r\nlfFaceName=ＭＳ 明朝\r\nclrTreeText=0\r\n"
    "clrTreeMark=8388608\r\nclrTreeBack=16777215\r\nclrTreeSelT=16777215\r\nclrTreeSelB=255\r\nclrTreeNfcT=0\r\n"
    "clrTreeNfcB=13158600\r\nclrListText=0\r\nclrListTxBk=16777215\r\nclrListBack=16777215\r\n"
    "clrListSelT=16777215\r\nclrListSelB=255\r\nclrListNfcT=0\r\nclrListNfcB=13158600\r\n"
    "winMainFrame=0,0,0,0\r\nwinAboutBox=0,0,0,0\r\nwinTaskSelect=0,0,0,0\r\nwinSeparator=0\r\n"
    "dwHotkeyFocus=0\r\ndwHotkeyTray=0\r\ndwHotkeyTask=0\r\ndwHotkeyWin=0\r\niChkLoadIcon=0\r\n"
    "bCopyPaste=0\r\nbCutDelete=0\r\nbChkTaskhide=0\r\nbRelativePaths=0\r\nwinSearch=0,0,0,0\r\ndwHotkeySearch=0\r\n";

class SettingsSave : public ::testing::Test {
protected:
    std::string Resave(const std::string& bytes) {
        testing::WriteBytes(path, bytes);
        RecordingMessages m;
        SettingsStore s(m, path);
        s.Load();
        EXPECT_TRUE(s.Save());
        return testing::ReadBytes(path);
    }

    testing::TempFolder folder;
    std::string path = folder.File("Brindle.INI");
    RecordingMessages messages;
    SettingsStore store{messages, path};
};

TEST_F(SettingsSave, DefaultsAndTheFixedOrder) {
    PageRecord page;
    page.name = "ツール";
    page.id = 3;
    page.parentId = -1;
    page.expanded = 1;
    page.normalIcon = "C:\\表\\a.ico>1";
    store.AddPage(page);
    store.AddShortcut("全部", "\"C:\\Program Files\\x.exe\" /a", "x.ico>2", "C:\\w", 2, 3, 1, 0, "メモ");
    store.SetShortcutRunAs(store.AddShortcut("min", "y", nullptr, nullptr, 0, 0, 0, 1, nullptr), true);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(testing::ReadBytes(path),
              kDefaultPreferences +
                  "[Page]\r\n3=ツール,-1,1,0,\"C:\\表\\a.ico>1\",\"\"\r\n"
                  "[#00000]\r\nNamespace=全部\r\nCommandLine=\"C:\\Program Files\\x.exe\" /a\r\nReadIcon=1\r\n"
                  "NoCheck=1\r\nIconname=x.ico>2\r\nWorkfolder=C:\\w\r\nShowType=2\r\nPageId=3\r\nComment=メモ\r\n"
                  "[#00001]\r\nNamespace=min\r\nRunAs=1\r\nCommandLine=y\r\n");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(SettingsSave, CanonicalFilesComeBackByteForByte) {
    std::string canonical =
        kDefaultPreferences +
        "[Page]\r\n0=New page,-1,0,0,\"\",\"\"\r\n5=Tools,2,1,0,\"\",\"\"\r\n2=親,-1,1,1,\"a.ico\",\"b.ico>3\"\r\n"
        "[#00000]\r\nNamespace=seven\r\nCommandLine=7.exe\r\nNoCheck=1\r\n"
        "[#00001]\r\nNamespace=\r\nCommandLine=cmd\r\n"
        "[#00002]\r\nNamespace=x\r\nCommandLine=http://example.com/\r\nReadIcon=1\r\nNoCheck=1\r\nPageId=-3\r\n"
        // Elevated, with all nine keys that close a section: the flag is read before they do.
        "[#00003]\r\nNamespace=admin\r\nRunAs=1\r\nCommandLine=a.exe\r\nReadIcon=1\r\nNoCheck=1\r\n"
        "Iconname=a.ico\r\nWorkfolder=\\w\r\nShowType=1\r\nPageId=5\r\nComment=c\r\n";
    EXPECT_EQ(Resave(canonical), canonical);

    Preferences prefs;
    store.GetPreferences(prefs);
    prefs.ListStyle = 0xFFFFFFFF;
    prefs.clrTreeText = 0xFF000000;
    prefs.font.lfCharSet = 0x80;
    prefs.winMainFrame = {-10, 20, 1930, 1090};
    prefs.dwHotkeyTray = 0x60041;
    store.SetPreferencesAndSave(prefs);
    std::string written = testing::ReadBytes(path);
    EXPECT_NE(written.find("ListStyle=-1\r\n"), std::string::npos);
    EXPECT_NE(written.find("clrTreeText=-16777216\r\n"), std::string::npos);
    EXPECT_NE(written.find("lfCharSet=128\r\n"), std::string::npos);
    EXPECT_NE(written.find("winMainFrame=-10,20,1930,1090\r\n"), std::string::npos);
    EXPECT_NE(written.find("dwHotkeyTray=393281\r\n"), std::string::npos);
    EXPECT_EQ(Resave(written), written);
}

TEST_F(SettingsSave, WhatIsNotKeptIsNotWritten) {
    std::string written = Resave(
        "; comment\r\n[Brindle]\r\nbAltTab=1\r\nUnknown=3\r\n\r\n[Extra]\r\nx=1\r\n[Page]\r\n"
        "[#7]\r\nNamespace=a\r\nCommandLine=b\r\n[#3]\r\nNamespace=c\r\nCommandLine=d\r\nNoCheck=0\r\n");
    EXPECT_EQ(written, kDefaultPreferences +
                           "[Page]\r\n[#00000]\r\nNamespace=a\r\nCommandLine=b\r\n"
                           "[#00001]\r\nNamespace=c\r\nCommandLine=d\r\n");
}

TEST_F(SettingsSave, HeaderNumbersGrowPastFiveDigits) {
    for (int i = 0; i < 100001; ++i)
        store.AddShortcut("n", "c", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    std::string text = store.SaveText();
    EXPECT_NE(text.find("[#99999]\r\n"), std::string::npos);
    EXPECT_NE(text.find("[#100000]\r\n"), std::string::npos);
}

TEST_F(SettingsSave, RecordsWithoutTheirNamesReadBackTheSame) {
    PageRecord unnamed;
    unnamed.id = 4;
    store.AddPage(unnamed);
    store.AddShortcut(nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 1, nullptr);
    store.AddShortcut("bare", nullptr, nullptr, nullptr, 0, 0, 0, 1, nullptr);
    store.AddShortcut(nullptr, "c", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    ASSERT_TRUE(store.Save());

    RecordingMessages m;
    SettingsStore again(m, path);
    again.Load();
    EXPECT_EQ(again.PageCount(), 0);  // a page without a name is left out: it could not be read back
    ASSERT_EQ(again.ShortcutCount(), 3);
    ShortcutRecord s;
    again.GetShortcutAt(0, s);
    EXPECT_EQ(s.name, nullptr);
    EXPECT_EQ(s.check, 1);
    again.GetShortcutAt(1, s);
    EXPECT_STREQ(s.name, "bare");
    EXPECT_EQ(s.commandLine, nullptr);
    EXPECT_EQ(s.check, 1);
    again.GetShortcutAt(2, s);
    EXPECT_EQ(s.name, nullptr);
    EXPECT_STREQ(s.commandLine, "c");
    EXPECT_EQ(again.SaveText(), store.SaveText());
}

TEST_F(SettingsSave, ALineBreakInTheFaceNameCannotAddAKey) {
    Preferences prefs;
    store.GetPreferences(prefs);
    std::strcpy(prefs.font.lfFaceName, "Font\r\nPage=9\n");
    store.SetPreferencesAndSave(prefs);
    store.GetPreferences(prefs);
    EXPECT_STREQ(prefs.font.lfFaceName, "Font  Page=9 ");
    RecordingMessages m;
    SettingsStore again(m, path);
    again.Load();
    again.GetPreferences(prefs);
    EXPECT_EQ(prefs.Page, 0);
    EXPECT_STREQ(prefs.font.lfFaceName, "Font  Page=9 ");
}

TEST_F(SettingsSave, ALoadErrorBlocksEverySave) {
    const std::string broken = "[Brindle]\r\nwinMainFrame=1;2;3;4\r\n[Page]\r\n1=A,-1\r\n";
    testing::WriteBytes(path, broken);
    store.Load();
    ASSERT_TRUE(store.LoadFailed());
    messages.boxes.clear();
    EXPECT_FALSE(store.Save());
    Preferences prefs;
    store.GetPreferences(prefs);
    EXPECT_TRUE(store.SetPreferencesAndSave(prefs));
    EXPECT_EQ(testing::ReadBytes(path), broken);
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace brindle
