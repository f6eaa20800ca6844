// Folding, romaji and the match rules of single texts.
#include <algorithm>

#include <gtest/gtest.h>

#include "search/romaji.h"
#include "search/search_match.h"
#include "search/search_query.h"
#include "search/search_text.h"

namespace brindle::search {
namespace {

std::vector<std::string> Readings(const char* word) {
    std::vector<std::string> out;
    RomajiReadings(word, out);
    return out;
}

bool Holds(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

TEST(SearchFold, EveryTableGivesOneSpelling) {
    // Latin: case, full width, digits.
    EXPECT_EQ(Folded("NotePad"), "notepad");
    EXPECT_EQ(Folded("ＮｏｔｅＰａｄ０９"), "notepad09");
    EXPECT_EQ(Folded("Ａ\x81\x40Ｚ"), "a z");  // the full-width blank
    // Half-width katakana, with voiced and semi-voiced marks composed.
    EXPECT_EQ(Folded("ｱｲｳｴｵｶﾞﾊﾟｳﾞｯｬｰﾝｦ"), "アイウエオガパヴッャーンヲ");
    EXPECT_EQ(Folded("ﾏﾐﾑﾒﾓﾜ｡､"), "マミムメモワ。、");
    // Hiragana as katakana, across the gap katakana has at 0x837F (み, む).
    EXPECT_EQ(Folded("あみむめもん"), "アミムメモン");
    EXPECT_EQ(Folded("がぱ"), "ガパ");
    // Full-width marks after a kana compose; after a kana that takes none they stay.
    EXPECT_EQ(Folded("カ゛ハ゜ウ゛"), "ガパヴ");
    EXPECT_EQ(Folded("ッ゛ア゜"), "ッ゛ア゜");
    EXPECT_EQ(Folded("ｶ゛は゜"), "ガパ");
    // Kanji and symbols stay; a broken lead byte becomes one byte and never joins the next character.
    EXPECT_EQ(Folded("秀丸"), "秀丸");
    EXPECT_EQ(Folded("a\x83"), "a\x7F");
    EXPECT_EQ(Folded("\x83,"), "\x7F,");
}

TEST(SearchFold, OriginsPointIntoTheOriginalText) {
    std::string out;
    std::vector<uint16_t> origins;
    Fold("ｶﾞA", out, &origins);
    EXPECT_EQ(out, "ガa");
    EXPECT_EQ(origins, (std::vector<uint16_t>{0, 0, 2}));
}

TEST(SearchMatch, TrailBytesAreNeverTakenForBackslashOrBar) {
    // ソ is 0x83 0x5C and ポ 0x83 0x7C; 表 is 0x95 0x5C.
    EXPECT_EQ(FindFolded(Folded("ソポ表"), "\\"), std::string_view::npos);
    EXPECT_EQ(FindFolded(Folded("ソポ表"), "|"), std::string_view::npos);
    EXPECT_EQ(FindFolded(Folded("ソ\\"), "\\"), 2u);
    EXPECT_EQ(FindFolded(Folded("ポ|"), "|"), 2u);
    // A needle never starts on a trail byte that equals a lead byte (ソ's 0x5C cannot, but 0x83 0x83 can).
    EXPECT_EQ(FindFolded(Folded("ャャ"), Folded("ャ")), 0u);
    EXPECT_EQ(FindFolded("\x83\x83\x83\x40", "\x83\x40"), 2u);
    EXPECT_EQ(FindFolded("\x83\x83\x40", "\x83\x40"), std::string_view::npos);
    EXPECT_EQ(MatchInName(Folded("ソフト"), "\\"), MatchClass::None);
    EXPECT_FALSE(MatchInOrder(Folded("ソポ"), "\\|"));
}

TEST(SearchMatch, ClassesOfANameFromExactToLettersInOrder) {
    EXPECT_EQ(MatchInName("notepad", "notepad"), MatchClass::ExactName);
    EXPECT_EQ(MatchInName("notepad", "note"), MatchClass::NamePrefix);
    EXPECT_EQ(MatchInName("my notepad", "note"), MatchClass::WordStart);
    EXPECT_EQ(MatchInName("my-notepad", "note"), MatchClass::WordStart);
    EXPECT_EQ(MatchInName(Folded("秀丸エディタ"), Folded("エディタ")), MatchClass::WordStart);  // kanji to kana
    EXPECT_EQ(MatchInName("footnote", "note"), MatchClass::InName);
    // A later occurrence at a word start beats an earlier one inside a word.
    size_t where = 0;
    EXPECT_EQ(MatchInName("footnote note", "note", &where), MatchClass::WordStart);
    EXPECT_EQ(where, 9u);
    EXPECT_EQ(MatchInName("notepad", "ntpd"), MatchClass::None);
    EXPECT_TRUE(MatchInOrder("notepad", "ntpd"));
    EXPECT_FALSE(MatchInOrder("notepad", "dpn"));
    EXPECT_TRUE(MatchInOrder(Folded("メモ帳"), Folded("メ帳")));
    EXPECT_FALSE(MatchInOrder("abc", ""));
}

// The one walk for all of a word's needles gives what a walk per needle gives: the best class in a name,
// whether any occurs in another text, with only the candidates' bits counting.
TEST(SearchMatch, AllNeedlesInOneWalkAgreeWithOneWalkEach) {
    const std::vector<std::string> texts = {"notepad",
                                            "my notepad",
                                            "footnote note",
                                            Folded("秀丸エディタ"),
                                            Folded("ソポ表\\|"),
                                            "\x83\x83\x83\x40",
                                            "a",
                                            "",
                                            Folded("漢字 感じ 幹事"),
                                            Folded("エディタ秀丸"),
                                            "note-pad pad"};
    const std::vector<std::string> words = {"note",       "notepad",          "pad",          Folded("秀丸"),
                                            Folded("丸"), Folded("エディタ"), "\\",           "|",
                                            "\x83\x40",   Folded("感じ"),     Folded("幹事"), "a",
                                            "d",          Folded("表"),       "my notepad"};
    std::vector<Needle> needles;
    for (const std::string& w : words)
        needles.push_back({w, CharMask(w)});
    const NeedleTable table(needles);
    for (const std::string& text : texts) {
        // Every subset of a sliding window of needles, and all of them.
        for (size_t first = 0; first < needles.size(); ++first) {
            for (uint64_t subset = 1; subset < 16; ++subset) {
                uint64_t candidates = 0;
                MatchClass best = MatchClass::None;
                bool any = false;
                for (size_t bit = 0; bit < 4; ++bit) {
                    const size_t n = (first + bit) % needles.size();
                    if (subset >> bit & 1) {
                        candidates |= uint64_t{1} << n;
                        best = std::min(best, MatchInName(text, needles[n].text));
                        any = any || FindFolded(text, needles[n].text) != std::string_view::npos;
                    }
                }
                EXPECT_EQ(MatchAnyInName(text, needles, table, candidates), best) << text << " " << candidates;
                EXPECT_EQ(FindAnyFolded(text, needles, table, candidates), any) << text << " " << candidates;
            }
        }
        EXPECT_EQ(MatchAnyInName(text, needles, table, 0), MatchClass::None);
    }
    EXPECT_EQ(MatchAnyInName("notepad", needles, table, ~uint64_t{0} >> (64 - needles.size())), MatchClass::ExactName);
    // The masks pick the needles whose characters a text holds.
    const uint64_t inNote = table.Candidates(CharMask("note pad"));
    EXPECT_TRUE(inNote & 1);        // note
    EXPECT_FALSE(inNote >> 3 & 1);  // 秀丸
}

TEST(SearchRomaji, SpellingsAndUnfinishedSyllables) {
    // Hepburn and Kunrei spell the same kana.
    EXPECT_EQ(Readings("shinbun"), Readings("sinbun"));
    EXPECT_TRUE(Holds(Readings("shimbun"), "シンブン"));
    EXPECT_EQ(Readings("tsuchi"), (std::vector<std::string>{"ツチ"}));
    EXPECT_TRUE(Holds(Readings("tuti"), "ツチ"));
    EXPECT_TRUE(Holds(Readings("fujisan"), "フジサン"));
    EXPECT_TRUE(Holds(Readings("huzisan"), "フジサン"));
    // Spellings shared by two kana give both readings.
    EXPECT_TRUE(Holds(Readings("fujisan"), "フヂサン"));
    EXPECT_TRUE(Holds(Readings("editeta"), "エディテタ"));
    EXPECT_TRUE(Holds(Readings("editeta"), "エヂテタ"));
    EXPECT_EQ(Readings("tidi").size(), 4u);
    EXPECT_EQ(Readings("kyouto"), (std::vector<std::string>{"キョウト"}));
    EXPECT_EQ(Readings("jouhou"), Readings("zyouhou"));
    // ン: nn, n', n before a consonant; nn before a vowel is ン and a syllable of the n row.
    EXPECT_EQ(Readings("konnichiha"), (std::vector<std::string>{"コンニチハ"}));
    EXPECT_EQ(Readings("konnnichiha"), (std::vector<std::string>{"コンニチハ"}));
    EXPECT_EQ(Readings("kan'i"), (std::vector<std::string>{"カンイ"}));
    EXPECT_EQ(Readings("kani"), (std::vector<std::string>{"カニ"}));
    // Doubled consonants for small tsu, and '-' for the long vowel.
    EXPECT_EQ(Readings("kitte"), (std::vector<std::string>{"キッテ"}));
    EXPECT_EQ(Readings("matcha"), (std::vector<std::string>{"マッチャ"}));
    EXPECT_EQ(Readings("ko-hi-"), (std::vector<std::string>{"コーヒー"}));
    // The last syllable may be unfinished.
    const auto mem = Readings("mem");
    EXPECT_TRUE(Holds(mem, "メモ"));
    EXPECT_TRUE(Holds(mem, "メマ"));
    EXPECT_TRUE(Holds(mem, "メッ"));
    EXPECT_FALSE(Holds(mem, "メ"));
    const auto hon = Readings("hon");
    EXPECT_TRUE(Holds(hon, "ホン"));
    EXPECT_TRUE(Holds(hon, "ホナ"));
    EXPECT_TRUE(Holds(Readings("tokyu"), "トキュ"));
    EXPECT_TRUE(Holds(Readings("toky"), "トキョ"));
    EXPECT_FALSE(Holds(Readings("toky"), "トキ"));  // "ky" is キ only before a small ャュョ
    EXPECT_EQ(Readings("sh"), (std::vector<std::string>{"シ"}));
    // Letters no syllable spells, and other characters, are no romaji.
    EXPECT_TRUE(Readings("qqq").empty());
    EXPECT_TRUE(Readings("xyz").empty());
    EXPECT_TRUE(Readings("abc1").empty());
    EXPECT_TRUE(Readings("").empty());
}

TEST(SearchQuery, WordsAtEveryKindOfBlankWithTheirReadings) {
    const Query query = ParseQuery("  Memo\x81\x40帳\tＸ ");
    ASSERT_EQ(query.words.size(), 3u);
    EXPECT_EQ(query.folded, "memo 帳 x");
    EXPECT_EQ(query.words[0].needles[0].text, "memo");
    EXPECT_EQ(query.words[0].needles.size(), 2u);
    EXPECT_EQ(query.words[0].needles[1].text, "メモ");
    EXPECT_EQ(query.words[1].needles.size(), 1u);  // no romaji for kanji
    EXPECT_TRUE(ParseQuery(" \x81\x40 ").Empty());
    // The expander's readings come folded after the romaji.
    const Query expanded = ParseQuery("hidemaru", [](std::string_view word, std::vector<std::string>& out) {
        EXPECT_EQ(word, "hidemaru");
        out.push_back("秀丸");
        out.push_back("ひでまる");  // the same as the romaji reading once folded: kept once
    });
    ASSERT_EQ(expanded.words.size(), 1u);
    ASSERT_EQ(expanded.words[0].needles.size(), 3u);
    EXPECT_EQ(expanded.words[0].needles[2].text, "秀丸");
}

TEST(SearchMatch, MatchedRangesMarkTheOriginalBytes) {
    using Ranges = std::vector<std::pair<size_t, size_t>>;
    EXPECT_EQ(MatchedRanges("Notepad", ParseQuery("pad note")), (Ranges{{0, 7}}));  // adjacent words join
    EXPECT_EQ(MatchedRanges("Note pad", ParseQuery("pad note")), (Ranges{{0, 4}, {5, 8}}));
    EXPECT_EQ(MatchedRanges("メモ帳", ParseQuery("memo")), (Ranges{{0, 4}}));
    EXPECT_EQ(MatchedRanges("ﾒﾓ帳", ParseQuery("めも")), (Ranges{{0, 2}}));
    EXPECT_EQ(MatchedRanges("ｶﾞｲﾄﾞ", ParseQuery("ガイ")), (Ranges{{0, 3}}));  // the mark goes with ｶ
    EXPECT_EQ(MatchedRanges("notepad", ParseQuery("ntpd")), (Ranges{{0, 1}, {2, 3}, {4, 5}, {6, 7}}));
    EXPECT_TRUE(MatchedRanges("notepad", ParseQuery("xyz")).empty());
}

}  // namespace
}  // namespace brindle::search
