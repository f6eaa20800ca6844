#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "store/settings_reader.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::Str;

constexpr char kDelimiterError[] = "環境ﾌｧｲﾙ読み込みｴﾗｰ\n区切り文字を認識できません。確認して下さい";

class SettingsLoad : public ::testing::Test {
protected:
    SettingsStore& Load(const std::string& bytes) {
        testing::WriteBytes(path, bytes);
        store.Load();
        return store;
    }
    Preferences Prefs() const {
        Preferences prefs;
        store.GetPreferences(prefs);
        return prefs;
    }
    PageRecord Page(int index) const {
        PageRecord page;
        EXPECT_TRUE(store.GetPageAt(index, page));
        return page;
    }
    ShortcutRecord Shortcut(int index) const {
        ShortcutRecord s;
        EXPECT_TRUE(store.GetShortcutAt(index, s));
        return s;
    }

    testing::TempFolder folder;
    std::string path = folder.File("Brindle.INI");
    RecordingMessages messages;
    SettingsStore store{messages, path};
};

TEST_F(SettingsLoad, MissingFileGivesTheDefaultPageAndPreferences) {
    store.Load();
    ASSERT_EQ(store.PageCount(), 1);
    PageRecord page = Page(0);
    EXPECT_STREQ(page.name, "New page");
    EXPECT_EQ(page.id, 0);
    EXPECT_EQ(page.parentId, -1);
    EXPECT_EQ(page.expanded, 0);
    EXPECT_EQ(page.normalIcon, nullptr);
    Preferences prefs = Prefs();
    EXPECT_EQ(prefs.font.lfHeight, -12);
    EXPECT_EQ(prefs.font.lfWeight, 400);
    EXPECT_EQ(prefs.font.lfCharSet, 128);
    EXPECT_STREQ(prefs.font.lfFaceName, "ＭＳ 明朝");
    EXPECT_EQ(prefs.clrTreeMark, 0x800000u);
    EXPECT_EQ(prefs.clrTreeSelB, 0x0000FFu);
    EXPECT_EQ(prefs.clrListNfcB, 0xC8C8C8u);
    EXPECT_EQ(prefs.clrListText, 0u);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(SettingsLoad, MissingFolderGivesTheDefaultPageToo) {
    for (const std::string& missing : {folder.File("no/such/folder/Brindle.INI"), folder.File("file/Brindle.INI")}) {
        testing::WriteBytes(folder.File("file"), "a file, not a folder");
        RecordingMessages m;
        SettingsStore s(m, missing);
        s.Load();
        ASSERT_EQ(s.PageCount(), 1) << missing;
        PageRecord page;
        s.GetPageAt(0, page);
        EXPECT_STREQ(page.name, "New page");
        EXPECT_FALSE(s.LoadFailed());
        EXPECT_TRUE(m.boxes.empty());
    }
}

// A file that is there but cannot be read (held by another program, access denied, a read error) is not
// taken for a missing one: no default page, the user is told, and no save replaces the file.
class UnreadableSettings : public SettingsLoad {
protected:
    void ExpectReportedAndKept(const std::string& fileBytes, int error) {
        EXPECT_EQ(store.PageCount(), 0);
        EXPECT_EQ(store.ShortcutCount(), 0);
        EXPECT_TRUE(store.LoadFailed());
        ASSERT_EQ(messages.boxes.size(), 1u);
        const std::string& text = messages.boxes[0].text;
        EXPECT_EQ(text.find(path), 0u) << text;
        EXPECT_NE(text.find(std::strerror(error)), std::string::npos) << text;
        EXPECT_NE(text.find("\n環境情報を読み込めません。"), std::string::npos) << text;
        EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
        EXPECT_TRUE(messages.quitCodes.empty());

        messages.boxes.clear();
        store.AddShortcut("new", "new.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
        EXPECT_FALSE(store.Save());
        Preferences prefs = Prefs();
        store.SetPreferencesAndSave(prefs);
        EXPECT_TRUE(messages.boxes.empty());
        if (!fileBytes.empty()) {
            EXPECT_EQ(testing::ReadBytes(path), fileBytes);
        }
        EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    }
    const std::string kFile = "[Page]\r\n0=Mine,-1,0,0,\"\",\"\"\r\n";
};

TEST_F(UnreadableSettings, AFileWithoutReadPermission) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads any file";
    }
    testing::WriteBytes(path, kFile);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    store.Load();
    ExpectReportedAndKept("", EACCES);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(testing::ReadBytes(path), kFile);
}

// The path names a folder: it opens, and the read fails.
TEST_F(UnreadableSettings, AFolderInPlaceOfTheFile) {
    std::filesystem::create_directory(path);
    std::filesystem::create_directory(path + "/inside");
    store.Load();
    ExpectReportedAndKept("", EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
}

TEST_F(SettingsLoad, EmptyFileGivesNoPages) {
    Load("");
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_EQ(store.ShortcutCount(), 0);
    EXPECT_FALSE(store.LoadFailed());
}

TEST_F(SettingsLoad, AnyLineEndWorksAndBlankLinesAreSkipped) {
    for (const char* eol : {"\r\n", "\n", "\r", "\n\n\r\r\n"}) {
        SCOPED_TRACE(::testing::PrintToString(eol));
        RecordingMessages m;
        SettingsStore s(m, path);
        std::string e = eol;
        testing::WriteBytes(path, e + "[Brindle]" + e + "Page=7" + e + e + "[Page]" + e + "1=A,-1,0,0,\"\",\"\"" + e +
                                      "[#1]" + e + "Namespace=x" + e + "CommandLine=y");
        s.Load();
        Preferences prefs;
        s.GetPreferences(prefs);
        EXPECT_EQ(prefs.Page, 7);
        EXPECT_EQ(s.PageCount(), 1);
        ASSERT_EQ(s.ShortcutCount(), 1);
        ShortcutRecord sc;
        s.GetShortcutAt(0, sc);
        EXPECT_STREQ(sc.commandLine, "y");
    }
}

// A NUL byte is no text: the file is not read at all (not read up to the NUL), said by name, and never saved
// over.
TEST_F(SettingsLoad, AFileWithANulIsUnreadable) {
    const std::string bytes("[Brindle]\r\nPage=3\r\n\0Page=9\r\n[Page]\r\n1=A,-1,0,0,,\r\n", 42);
    Load(bytes);
    EXPECT_EQ(Prefs().Page, 0);
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_TRUE(store.LoadFailed());
    EXPECT_TRUE(store.LoadUnreadable());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text.rfind(path + "\nNUL文字を含んでいるため", 0), 0u) << messages.boxes[0].text;
    EXPECT_NE(messages.boxes[0].text.find("今回はこのファイルに保存しません"), std::string::npos);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(testing::ReadBytes(path), bytes);
}

TEST_F(SettingsLoad, PreferenceConversions) {
    Load(
        "[Brindle]\r\n"
        "ListStyle=-1\r\n"
        "lfCharSet=-128\r\n"
        "lfItalic=257\r\n"
        "lfWeight= 700x\r\n"
        "clrTreeText=-16777216\r\n"
        "clrListBack=0x10\r\n"  // decimal only: 0
        "winMainFrame=1, 2,\t3,  -4\r\n"
        "winAboutBox=5,6\r\n"
        "dwHotkeyWin=7\r\n"
        "bAltTab=1\r\n"
        "lfFaceName=ＭＳ ゴシック\r\n"
        "page=5\r\n"   // keys are case-sensitive
        " Page=6\r\n"  // and start in the first column
        "Page=\r\n");
    Preferences prefs = Prefs();
    EXPECT_EQ(prefs.ListStyle, 0xFFFFFFFFu);
    EXPECT_EQ(prefs.font.lfCharSet, 128);
    EXPECT_EQ(prefs.font.lfItalic, 1);
    EXPECT_EQ(prefs.font.lfWeight, 700);
    EXPECT_EQ(prefs.clrTreeText, 0xFF000000u);
    EXPECT_EQ(prefs.clrListBack, 0u);
    EXPECT_EQ(prefs.winMainFrame.left, 1);
    EXPECT_EQ(prefs.winMainFrame.top, 2);
    EXPECT_EQ(prefs.winMainFrame.right, 3);
    EXPECT_EQ(prefs.winMainFrame.bottom, -4);
    EXPECT_EQ(prefs.winAboutBox.left, 5);
    EXPECT_EQ(prefs.winAboutBox.top, 6);
    EXPECT_EQ(prefs.winAboutBox.right, 0);
    EXPECT_EQ(prefs.dwHotkeyWin, 7);
    EXPECT_STREQ(prefs.font.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(prefs.Page, 0);
    // "winAboutBox=5,6" lacks its third comma: the delimiter error.
    EXPECT_TRUE(store.LoadFailed());
}

TEST_F(SettingsLoad, LongFaceNameKeepsWholeCharactersOf31Bytes) {
    // 15 double-byte characters are 30 bytes; "a" makes 31; one more character would split.
    Load("[Brindle]\r\nlfFaceName=あいうえおかきくけこさしすせそaた\r\n");
    EXPECT_EQ(std::string(Prefs().font.lfFaceName), "あいうえおかきくけこさしすせそa");
    Load("[Brindle]\r\nlfFaceName=aあいうえおかきくけこさしすせそたち\r\n");
    EXPECT_EQ(std::string(Prefs().font.lfFaceName), "aあいうえおかきくけこさしすせそ");
    Load("[Brindle]\r\nlfFaceName=abcdefghijklmnopqrstuvwxyz0123456789\r\n");
    EXPECT_EQ(std::string(Prefs().font.lfFaceName), "abcdefghijklmnopqrstuvwxyz01234");
    Load("[Brindle]\r\nlfFaceName=\r\n");
    EXPECT_EQ(std::string(Prefs().font.lfFaceName), "");
}

TEST_F(SettingsLoad, RectWithSemicolonsRaisesTheDelimiterErrorOncePerMissingComma) {
    Load("[Brindle]\r\nwinMainFrame=1;2;3;4\r\n");
    EXPECT_TRUE(store.LoadFailed());
    ASSERT_EQ(messages.boxes.size(), 3u);
    EXPECT_EQ(messages.boxes[0].text, kDelimiterError);
    EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
    EXPECT_EQ(messages.quitCodes, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Prefs().winMainFrame.left, 1);
    EXPECT_EQ(Prefs().winMainFrame.top, 0);  // read from ';', no digits
}

TEST_F(SettingsLoad, PageLines) {
    Load(
        "[Page]\r\n"
        "5=Tools,2,1,0,\"\",\"\"\r\n"
        "6=Cut\r\n"
        "=NoId,-1,0,0,,\r\n"
        "7=,-1,0,0,\"\",\"\"\r\n"  // empty name: dropped
        "8=Icons,-1,0,1,\"a.ico>2\",b.dll\r\n"
        "9=Q\"x,y\",3,1,1,\"unclosed\r\n"
        "10=A,B,C\r\n"
        "11=名前\\表,-1\r\n");
    EXPECT_FALSE(store.LoadFailed());
    ASSERT_EQ(store.PageCount(), 7);
    PageRecord p = Page(0);
    EXPECT_EQ(p.id, 5);
    EXPECT_STREQ(p.name, "Tools");
    EXPECT_EQ(p.parentId, 2);
    EXPECT_EQ(p.expanded, 1);
    EXPECT_EQ(p.useIcons, 0);
    EXPECT_EQ(p.normalIcon, nullptr);
    EXPECT_EQ(p.selectedIcon, nullptr);

    p = Page(1);  // cut after the name: parent 0 (not top level), not expanded
    EXPECT_STREQ(p.name, "Cut");
    EXPECT_EQ(p.parentId, 0);
    EXPECT_EQ(p.expanded, 0);

    p = Page(2);
    EXPECT_EQ(p.id, 0);
    EXPECT_STREQ(p.name, "NoId");

    p = Page(3);
    EXPECT_EQ(p.id, 8);
    EXPECT_EQ(p.useIcons, 1);
    EXPECT_STREQ(p.normalIcon, "a.ico>2");
    EXPECT_STREQ(p.selectedIcon, "b.dll");

    p = Page(4);  // quotes in the name protect the comma and stay in the text
    EXPECT_STREQ(p.name, "Q\"x,y\"");
    EXPECT_EQ(p.parentId, 3);
    EXPECT_STREQ(p.normalIcon, "unclosed");

    p = Page(5);
    EXPECT_EQ(p.parentId, 0);  // atoi("B")

    p = Page(6);
    EXPECT_STREQ(p.name, "名前\\表");
    EXPECT_EQ(p.parentId, -1);
}

TEST_F(SettingsLoad, PageLineWithoutEqualsIsADelimiterErrorButStillStored) {
    Load("[Page]\r\n12-Name,-1,0,0,,\r\n3\r\nplain\r\n");
    EXPECT_TRUE(store.LoadFailed());
    EXPECT_EQ(messages.boxes.size(), 3u);
    ASSERT_EQ(store.PageCount(), 2);
    EXPECT_EQ(Page(0).id, 12);
    EXPECT_STREQ(Page(0).name, "-Name");  // read from where the '=' was expected
    EXPECT_EQ(Page(1).id, 0);
    EXPECT_STREQ(Page(1).name, "plain");
}

TEST_F(SettingsLoad, ShortcutSections) {
    Load(
        "[#7]\r\nNamespace=seven\r\nCommandLine=7.exe\r\n"
        "[#3]\r\nNamespace=three\r\nPageId=010\r\nNoCheck=1\r\n"
        "[#4]\r\nNamespace=only the name\r\n"
        "[#x]\r\nNamespace=bad header\r\nCommandLine=x\r\n"
        "[#5]\r\nNamespace=hex\r\nPageId=0x10\r\nUnknown=1\r\n"
        "[Other]\r\nNamespace=ignored\r\nCommandLine=ignored\r\n"
        "[# 9]\r\nNamespace=a\r\nNamespace=b\r\n");
    ASSERT_EQ(store.ShortcutCount(), 4);
    ShortcutRecord s = Shortcut(0);
    EXPECT_STREQ(s.name, "seven");
    EXPECT_EQ(s.check, 1);  // no "NoCheck=": the shortcut is checked, as it was when saved
    s = Shortcut(1);
    EXPECT_STREQ(s.name, "three");
    EXPECT_EQ(s.pageId, 8);
    EXPECT_EQ(s.check, 0);
    EXPECT_EQ(s.commandLine, nullptr);
    s = Shortcut(2);
    EXPECT_STREQ(s.name, "hex");
    EXPECT_EQ(s.pageId, 16);
    s = Shortcut(3);  // a repeated key overwrites and counts again
    EXPECT_STREQ(s.name, "b");
}

TEST_F(SettingsLoad, AOneKeySectionAtTheEndIsDroppedAsInTheMiddle) {
    for (const char* end : {"", "\r\n", "\r\n\r\n"}) {
        RecordingMessages m;
        SettingsStore s(m, path);
        testing::WriteBytes(path, std::string("[#0]\r\nNamespace=kept\r\nNoCheck=1\r\n[#1]\r\nCommandLine=last") + end);
        s.Load();
        ASSERT_EQ(s.ShortcutCount(), 1) << ::testing::PrintToString(end);
        ShortcutRecord kept;
        s.GetShortcutAt(0, kept);
        EXPECT_STREQ(kept.name, "kept");
    }
}

TEST_F(SettingsLoad, NineKeysCloseTheSection) {
    Load(
        "[#0]\r\nNamespace=n\r\nCommandLine=c\r\nReadIcon=1\r\nIconname=i\r\nWorkfolder=w\r\n"
        "ShowType=2\r\nPageId=3\r\nComment=k\r\nNoCheck=0\r\nNamespace=late\r\nCommandLine=late\r\n");
    ASSERT_EQ(store.ShortcutCount(), 1);
    ShortcutRecord s = Shortcut(0);
    EXPECT_STREQ(s.name, "n");
    EXPECT_STREQ(s.commandLine, "c");
    EXPECT_EQ(s.readIcon, 1);
    EXPECT_STREQ(s.icon, "i");
    EXPECT_STREQ(s.workFolder, "w");
    EXPECT_EQ(s.showType, 2);
    EXPECT_EQ(s.pageId, 3);
    EXPECT_STREQ(s.comment, "k");
    EXPECT_EQ(s.check, 1);
}

TEST_F(SettingsLoad, LoneLeadBytesAtLineAndFileEnds) {
    Load("[Page]\r\n1=\x95\r\n2=a,\"\x95\r\n[#1]\r\nNamespace=\x95\r\nCommandLine=\x95");
    ASSERT_EQ(store.PageCount(), 2);
    EXPECT_EQ(std::string(Page(0).name), "\x95");
    EXPECT_EQ(Page(1).parentId, 0);
    ASSERT_EQ(store.ShortcutCount(), 1);
    EXPECT_EQ(std::string(Shortcut(0).commandLine), "\x95");
}

TEST_F(SettingsLoad, HeadersAreRecognisedByTheirBeginning) {
    Load("[Page]junk\r\n1=A,-1\r\n[Brindle] more\r\nPage=4\r\n[Brindle\r\nPage=5\r\n");
    EXPECT_EQ(store.PageCount(), 1);
    EXPECT_EQ(Prefs().Page, 4);
}

// Finding where a line ends reads nothing past that end, so a file is split in one pass whatever its line
// ends (a search for LF alone runs to the end of a file of bare CRs for every line). The rest of the text
// lies in a page that cannot be read.
TEST(SettingsLines, FindingALineEndReadsNoFurtherThanTheLine) {
    const size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    char* pages =
        static_cast<char*>(mmap(nullptr, 2 * pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + pageSize, pageSize, PROT_NONE), 0);
    for (const std::string eol : {"\r", "\n", "\r\n"}) {
        const std::string line = "Namespace=表" + eol;
        char* start = pages + pageSize - line.size();
        std::memcpy(start, line.data(), line.size());
        EXPECT_EQ(FindLineEnd(start), start + line.size() - eol.size()) << ::testing::PrintToString(eol);
    }
    char text[] = "last";
    EXPECT_EQ(FindLineEnd(text), text + 4);
    munmap(pages, 2 * pageSize);
}

TEST_F(SettingsLoad, LoadAppendsToTheTables) {
    Load("[Page]\r\n1=A,-1\r\n");
    store.Load();
    EXPECT_EQ(store.PageCount(), 2);
}

}  // namespace
}  // namespace brindle
