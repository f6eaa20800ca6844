// Kanji by their readings: Migemo's answer parsed back into words, and the dictionary the build makes
// (code page 932, beside the tests) finding kanji names through the search index.
#include <gtest/gtest.h>

#include "search/migemo_pattern.h"
#include "search/migemo_readings.h"
#include "search/search_index.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace brindle::search {
namespace {

std::vector<std::string> Words(std::string_view pattern, size_t limit = 100) {
    std::vector<std::string> out;
    migemo_pattern::Expand(pattern, limit, out);
    return out;
}

using V = std::vector<std::string>;

TEST(MigemoPattern, GroupsClassesAndAlternativesGiveEveryWord) {
    // ab|c[de]|f(g|h[ij]) as Migemo writes it with the control-character operators.
    EXPECT_EQ(Words("ab\x01"
                    "c\x04"
                    "de\x05\x01"
                    "f\x02g\x01h\x04ij\x05\x03"),
              (V{"ab", "cd", "ce", "fg", "fhi", "fhj"}));
    // Double-byte characters whose trail bytes are '|' (ポ: 0x83 0x7C), '\\' (ソ: 0x83 0x5C) and '['
    // (0x83 0x5B) are characters, never operators or escapes.
    EXPECT_EQ(Words("\x83\x7C\x04\x83\x5C\x83\x5B\x05"), (V{"\x83\x7C\x83\x5C", "\x83\x7C\x83\x5B"}));
    // Nested groups, as Migemo's trie writes them: 秀(丸|明).
    EXPECT_EQ(Words("\x8f\x47\x02\x8a\xdb\x01\x96\xbe\x03"), (V{"\x8f\x47\x8a\xdb", "\x8f\x47\x96\xbe"}));
}

TEST(MigemoPattern, LimitAndBrokenPatternsStayInBounds) {
    // Three classes of ten: a thousand words, cut at the limit.
    const std::string cls =
        "\x04"
        "0123456789\x05";
    EXPECT_EQ(Words(cls + cls + cls, 25).size(), 25u);
    EXPECT_EQ(Words(cls + cls + cls, 25).back(), "024");
    // Unbalanced operators and a lead byte at the end never read past the text nor hang.
    EXPECT_EQ(Words("a\x02"
                    "b\x01"
                    "c"),
              (V{"ab", "ac"}));
    EXPECT_EQ(Words("\x03"
                    "a\x05"
                    "b"),
              (V{"ab"}));
    EXPECT_TRUE(Words("b\x04").empty());  // an unclosed empty class matches nothing
    EXPECT_EQ(Words(std::string("x\x83", 2)), (V{std::string("x\x83", 2)}));
    EXPECT_TRUE(Words("").empty());
    EXPECT_TRUE(Words("abc", 0).empty());
    std::string deep(5000, '\x02');  // deeper than any word: no stack overflow
    deep += "a";
    EXPECT_TRUE(Words(deep).empty());
}

TEST(MigemoQuery, OnlyWordsOfLatinLettersAreHandedToTheDictionary) {
    V asked;
    const ReadingExpander recorder = [&asked](std::string_view word, V&) { asked.emplace_back(word); };
    // Kana, kanji, half-width kana, digits, a mixed word and full-width letters (folded to "hide").
    ParseQuery("ひでまる 秀丸 ﾋﾃﾞ hide1 x2 Ｈｉｄｅ kan'i ko-hi-", recorder);
    EXPECT_EQ(asked, (V{"hide", "kan'i", "ko-hi-"}));
}

#ifdef BRINDLE_HAVE_MIGEMO

class MigemoDictionary : public ::testing::Test {
protected:
    static void SetUpTestSuite() { readings = MigemoReadings::Load(BRINDLE_MIGEMO_DICT).release(); }
    static void TearDownTestSuite() {
        delete readings;
        readings = nullptr;
    }
    static V Expand(std::string_view word) {
        V out;
        readings->Expand(word, out);
        return out;
    }
    static bool Holds(const V& words, const std::string& word) {
        return std::find(words.begin(), words.end(), word) != words.end();
    }
    static MigemoReadings* readings;
};
MigemoReadings* MigemoDictionary::readings = nullptr;

TEST_F(MigemoDictionary, TheBuiltDictionaryIsCodePage932AndFindsKanjiByReading) {
    ASSERT_NE(readings, nullptr) << "no dictionary at " BRINDLE_MIGEMO_DICT;
    EXPECT_TRUE(Holds(Expand("hidemaru"), "秀丸"));
    EXPECT_TRUE(Holds(Expand("hidem"), "秀丸"));  // an unfinished syllable
    EXPECT_TRUE(Holds(Expand("toukyou"), "東京"));
    EXPECT_TRUE(Holds(Expand("tokyo"), "東京") || Holds(Expand("toukyou"), "東京"));
    // Shortest first, within the limit; only words with kanji: kana, the typed letters (matched anyway)
    // and symbols (the full-width blank is filed under "kan", brackets under "hid") are left out.
    const V kyou = Expand("kyou");
    ASSERT_FALSE(kyou.empty());
    EXPECT_LE(kyou.size(), MigemoReadings::kMaxWords);
    EXPECT_TRUE(Holds(kyou, "京"));
    for (const char* word : {"kyou", "きょう", "キョウ", "ｷｮｳ", "ｋｙｏｕ"})
        EXPECT_FALSE(Holds(kyou, word)) << word;
    EXPECT_FALSE(Holds(Expand("kan"), "　"));
    EXPECT_FALSE(Holds(Expand("hid"), "（"));
    for (size_t i = 1; i < kyou.size(); ++i)
        EXPECT_LE(kyou[i - 1].size(), kyou[i].size());
    // Of words as long, common kanji (JIS level 1, such as 考) before rare ones (level 2, such as 覡).
    const V kan = Expand("kan");
    const auto common = std::find(kan.begin(), kan.end(), "考");
    EXPECT_NE(common, kan.end());
    EXPECT_EQ(std::find(kan.begin(), common, "覡"), common);
    // The same word asked again gives the same answer (from the cache).
    EXPECT_EQ(Expand("hidemaru"), Expand("hidemaru"));
}

TEST_F(MigemoDictionary, OnlyRomajiOfTwoKanaOrMoreIsLookedUp) {
    ASSERT_NE(readings, nullptr);
    EXPECT_TRUE(Expand("k").empty());
    EXPECT_TRUE(Expand("ka").empty());  // one kana would list a tenth of the dictionary
    EXPECT_TRUE(Expand("shi").empty());
    EXPECT_FALSE(Expand("kan").empty());  // カン or カナ...: two kana
    EXPECT_TRUE(Expand("xyz").empty());   // not romaji
    EXPECT_TRUE(Expand("ひでまる").empty());
    EXPECT_TRUE(Expand("hide1").empty());
    EXPECT_TRUE(Expand("HIDEMARU").empty());  // the query is folded to lower case before
    EXPECT_TRUE(Expand(std::string(MigemoReadings::kMaxWordLetters + 1, 'a')).empty());
}

TEST_F(MigemoDictionary, KanjiNamesFoundAndRankedByTheirReadings) {
    ASSERT_NE(readings, nullptr);
    testing::RecordingMessages messages;
    SettingsStore store{messages, "unused.ini"};
    PageRecord page;
    page.name = "ツール";
    page.id = 0;
    page.parentId = kTopLevel;
    store.AddPage(page);
    auto add = [&store](const char* name, const char* comment = nullptr) {
        store.AddShortcut(name, "x.exe", nullptr, nullptr, 0, 0, 0, 1, comment);
    };
    // Added in the reverse of the expected order, so tree order alone would give the opposite.
    add("メモ", "秀丸で開く");  // a reading in the comment
    add("新秀丸");              // inside the name
    add("エディタ 秀丸");       // a word start
    add("秀丸エディタ");        // name start
    add("Notepad");
    SearchIndex index;
    index.Build(store);
    const ReadingExpander expander = [](std::string_view word, V& out) { readings->Expand(word, out); };
    auto find = [&](const char* typed) {
        index.Search(ParseQuery(typed, expander));
        std::string names;
        for (int r = 0; r < index.ResultCount(); ++r) {
            ShortcutRecord s;
            store.GetShortcutAt(index.StoreIndexOf(r), s);
            names += (r ? "|" : "") + std::string(s.name);
        }
        return names;
    };
    EXPECT_EQ(find("hidemaru"), "秀丸エディタ|エディタ 秀丸|新秀丸|メモ");
    EXPECT_EQ(find("HideMaru"), "秀丸エディタ|エディタ 秀丸|新秀丸|メモ");
    // A reading and romaji together: both names hold a word start of each, so tree order decides.
    EXPECT_EQ(find("edita hidemaru"), "エディタ 秀丸|秀丸エディタ");
    // Without the dictionary the same index finds no kanji by reading, and the rest as before.
    index.Search(ParseQuery("hidemaru"));
    EXPECT_EQ(index.ResultCount(), 0);
    index.Search(ParseQuery("note"));
    EXPECT_EQ(index.ResultCount(), 1);
}

#endif

TEST(MigemoReadingsLoad, AMissingOrUnreadableDictionaryGivesNoReadings) {
    EXPECT_EQ(MigemoReadings::Load(""), nullptr);
    EXPECT_EQ(MigemoReadings::Load("no-such-folder/migemo-dict"), nullptr);
    EXPECT_EQ(MigemoReadings::Load(std::string(300, 'a') + "/migemo-dict"), nullptr);  // beyond Migemo's buffers
}

}  // namespace
}  // namespace brindle::search
