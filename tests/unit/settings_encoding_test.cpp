// Settings files as editors leave them: other encodings, binary content, and the one backup beside them.
#include <filesystem>

#include <gtest/gtest.h>

#include "app/restore_backup.h"
#include "store/settings_backup.h"
#include "store/settings_encoding.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle {
namespace {

using settings_encoding::Detect;
using settings_encoding::Encoding;
using testing::RecordingMessages;

// Literals: "..." is Shift_JIS (the execution character set), u8"..." UTF-8, u"..." UTF-16.
std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

std::string Utf16(std::u16string_view text, bool bigEndian = false, bool mark = true) {
    std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char16_t c : text) {
        char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(SettingsEncoding, MarksDecideThenNulThenUtf8ElseShiftJis) {
    EXPECT_EQ(Detect("\xEF\xBB\xBF[Page]"), Encoding::Utf8WithMark);
    EXPECT_EQ(Detect(Utf16(u"[Page]")), Encoding::Utf16LE);
    EXPECT_EQ(Detect(Utf16(u"[Page]", true)), Encoding::Utf16BE);
    EXPECT_EQ(Detect(std::string("[Page]\r\n\0", 9)), Encoding::Binary);
    EXPECT_EQ(Detect(Utf16(u"[Page]", false, false)), Encoding::Binary);  // UTF-16 without its mark
    EXPECT_EQ(Detect(Utf8(u8"[Page]\r\n0=表計算,-1\r\n")), Encoding::Utf8);
    EXPECT_EQ(Detect(Utf8(u8"Namespace=Caf\u00E9 \U0001F600\r\n")), Encoding::Utf8);  // two- and four-byte sequences

    // Shift_JIS as the program writes it, and plain ASCII.
    EXPECT_EQ(Detect("[Page]\r\n0=表計算,-1\r\n"), Encoding::ShiftJis);
    EXPECT_EQ(Detect("lfFaceName=ＭＳ 明朝\r\n"), Encoding::ShiftJis);
    EXPECT_EQ(Detect("[Page]\r\n0=ｱﾌﾟﾘ,-1\r\n"), Encoding::ShiftJis);
    EXPECT_EQ(Detect("[Page]\r\n0=Apps,-1\r\n"), Encoding::ShiftJis);
    EXPECT_EQ(Detect(""), Encoding::ShiftJis);
    // Sequences UTF-8 does not allow: overlong, a surrogate, above U+10FFFF, cut at the end.
    for (const char* bytes : {"a\xC0\xAF", "a\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ok\xE3\x81"}) {
        EXPECT_EQ(Detect(bytes), Encoding::ShiftJis) << bytes;
    }
    // The rule's blind spot: Shift_JIS whose only non-ASCII text lines up as UTF-8 ("ﾃｽ" is C3 BD).
    EXPECT_EQ(Detect("0=ﾃｽ,-1\r\n"), Encoding::Utf8);
}

// The same settings in each encoding convert to the same Shift_JIS bytes, line ends as they were.
TEST(SettingsEncoding, EveryEncodingConvertsToTheSameShiftJisBytes) {
    const std::string sjis = "[Page]\r\n0=表計算ソフト～,-1\nNamespace=ﾒﾓ帳 ①\r";
    const std::u16string wide = u"[Page]\r\n0=表計算ソフト～,-1\nNamespace=ﾒﾓ帳 ①\r";
    const std::string utf8 = Utf8(u8"[Page]\r\n0=表計算ソフト～,-1\nNamespace=ﾒﾓ帳 ①\r");
    for (const std::string& input :
         {sjis, utf8, "\xEF\xBB\xBF" + utf8, Utf16(wide), Utf16(wide, true), std::string("\xFF\xFE")}) {
        std::string bytes = input, why;
        ASSERT_TRUE(settings_encoding::ToShiftJis(bytes, why)) << why;
        EXPECT_EQ(bytes, input == "\xFF\xFE" ? "" : sjis);
    }
}

TEST(SettingsEncoding, CharactersWithoutAShiftJisFormNameTheirLine) {
    struct Case {
        std::string bytes;
        std::string why;
    } cases[] = {
        // An emoji (a surrogate pair), a wave dash that only looks like "～", a yen sign that only looks like '\'.
        {Utf16(u"[Page]\r\n0=A,-1\r\n[#0]\r\nNamespace=表😀x\r\n"),
         "UTF-16のファイルです。4行目にShift_JISで表せない文字があります。\n4行目: Namespace=表?x"},
        {Utf16(u"a\rb\nc\r\nd=〜\r\n", true),
         "UTF-16のファイルです。4行目にShift_JISで表せない文字があります。\n4行目: d=?"},
        {"\xEF\xBB\xBF" + Utf8(u8"Comment=¥100\r\n"),
         "UTF-8のファイルです。1行目にShift_JISで表せない文字があります。\n1行目: Comment=?100"},
        {Utf8(u8"[Page]\n0=Café,-1\n"),
         "UTF-8のファイルです。2行目にShift_JISで表せない文字があります。\n2行目: 0=Caf?,-1"},
        // Malformed: an odd last byte, a lone surrogate, a bad sequence after a mark.
        {Utf16(u"[Page]\r\n") + "x", "UTF-16のファイルですが、2行目にUTF-16として正しくない文字があります。"},
        {Utf16(u"a\nb\n") + Utf16(u"\xDC00", false, false),
         "UTF-16のファイルですが、3行目にUTF-16として正しくない文字があります。"},
        {"\xEF\xBB\xBF"
         "a\r\nb\xE3\x81",
         "UTF-8のファイルですが、2行目にUTF-8として正しくない文字があります。"},
        // No text at all.
        {std::string("[Page]\0\0\0\0", 10), "NUL文字を含んでいるため、テキストとして読めません。"},
        {Utf16(std::u16string(u"[Page]\0", 7)), "NUL文字を含んでいるため、テキストとして読めません。"},
    };
    for (const Case& c : cases) {
        std::string bytes = c.bytes, why;
        EXPECT_FALSE(settings_encoding::ToShiftJis(bytes, why)) << c.why;
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(bytes, c.bytes) << "left as it was";
    }
}

class SettingsFileSafety : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.File("Brindle.INI");
    std::string backup = path + ".bak";
    RecordingMessages messages;
};

// An editor's "Unicode" file keeps every page and shortcut; the first save writes Shift_JIS and leaves the
// user's own bytes in the backup, and later saves of the run keep that backup.
TEST_F(SettingsFileSafety, AUtf16FileIsReadAndItsFirstSaveKeepsTheOriginalAsBackup) {
    const std::string original = Utf16(
        u"[Brindle]\r\nlfFaceName=ＭＳ ゴシック\r\n[Page]\r\n0=表計算,-1,1,0,\"\",\"\"\r\n"
        u"1=ツール,0,0,0,\"\",\"\"\r\n[#00000]\r\nNamespace=能力表\r\nCommandLine=C:\\表.exe\r\nPageId=1\r\n");
    testing::WriteBytes(path, original);
    SettingsStore store(messages, path);
    store.Load();
    EXPECT_TRUE(messages.boxes.empty());
    ASSERT_EQ(store.PageCount(), 2);
    ASSERT_EQ(store.ShortcutCount(), 1);
    ShortcutRecord shortcut;
    store.GetShortcutAt(0, shortcut);
    EXPECT_STREQ(shortcut.name, "能力表");
    EXPECT_STREQ(shortcut.commandLine, "C:\\表.exe");

    ASSERT_TRUE(store.Save());
    EXPECT_EQ(testing::ReadBytes(backup), original);
    const std::string first = testing::ReadBytes(path);
    EXPECT_NE(first.find("[Page]\r\n0=表計算,-1,1,0,\"\",\"\"\r\n1=ツール,0,0,0"), std::string::npos) << first;
    store.AddShortcut("次", "y.exe", nullptr, nullptr, 0, 0, 0, 1, nullptr);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(testing::ReadBytes(backup), original);

    // The next run's first save keeps what the last run left.
    const std::string second = testing::ReadBytes(path);
    SettingsStore next(messages, path);
    next.Load();
    ASSERT_TRUE(next.Save());
    EXPECT_EQ(testing::ReadBytes(backup), second);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(SettingsFileSafety, AFileWithAnUnfitCharacterIsNamedAndNeverSaved) {
    const std::string original = "\xEF\xBB\xBF" + Utf8(u8"[Page]\r\n0=表,-1,0,0,,\r\n1=Ελλάδα,-1,0,0,,\r\n");
    testing::WriteBytes(path, original);
    SettingsStore store(messages, path);
    store.Load();
    EXPECT_EQ(store.PageCount(), 0);
    EXPECT_TRUE(store.LoadUnreadable());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text,
              path +
                  "\nUTF-8のファイルです。3行目にShift_JISで表せない文字があります。\n3行目: "
                  "1=Ελλ?δα,-1,0,0,,\n環境情報を読み込めません。今回はこのファイルに保存しません。");
    EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(testing::ReadBytes(path), original);
    EXPECT_FALSE(std::filesystem::exists(backup));
}

TEST_F(SettingsFileSafety, NoBackupOfAFileThatWasNotThere) {
    SettingsStore store(messages, path);
    store.Load();
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(std::filesystem::exists(backup));
}

// Restoring swaps the file and its backup, so a second restore undoes the first; the program asks first.
TEST_F(SettingsFileSafety, RestorePutsTheBackupBackAfterAsking) {
    std::string error;
    EXPECT_EQ(settings_backup::Restore(path, error), settings_backup::RestoreResult::kNoBackup);
    testing::WriteBytes(path, "now");
    testing::WriteBytes(backup, "before");

    messages.answers = {box::kAnswerNo, box::kAnswerYes};
    EXPECT_FALSE(AskAndRestoreBackup(path, messages));
    EXPECT_EQ(testing::ReadBytes(path), "now");
    EXPECT_TRUE(AskAndRestoreBackup(path, messages));
    EXPECT_EQ(testing::ReadBytes(path), "before");
    EXPECT_EQ(testing::ReadBytes(backup), "now");
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[0].text, path + "\nこの環境ファイルをバックアップ\n" + backup +
                                          "\nの内容に戻しますか？\n(今の環境ファイルがバックアップになります)");
    EXPECT_EQ(messages.boxes[0].style, box::kYesNo | box::kIconQuestion);

    EXPECT_EQ(settings_backup::Restore(path, error), settings_backup::RestoreResult::kRestored);
    EXPECT_EQ(testing::ReadBytes(path), "now");

    // Without a backup there is nothing to ask.
    std::filesystem::remove(backup);
    RecordingMessages noBackup;
    EXPECT_FALSE(AskAndRestoreBackup(path, noBackup));
    ASSERT_EQ(noBackup.boxes.size(), 1u);
    EXPECT_EQ(noBackup.boxes[0].text, backup + "\nバックアップがないため、環境ファイルを元に戻せません。");
    EXPECT_EQ(noBackup.boxes[0].style, box::kIconExclamation);
    EXPECT_EQ(testing::ReadBytes(path), "now");
}

}  // namespace
}  // namespace brindle
