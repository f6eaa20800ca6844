#include "text/sjis.h"

#include <gtest/gtest.h>

namespace brindle::sjis {
namespace {

// "表" is 0x95 0x5C: its trail byte is '\\'. "ソ" is 0x83 0x5C. "ー" is 0x81 0x5B ('[').
TEST(Sjis, SearchesStepOverTrailBytes) {
    std::string_view text = "表\\ソ";
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(FindChar(text, '\\'), 2u);
    EXPECT_EQ(FindChar("ー[", '['), 2u);
    EXPECT_EQ(FindAnyOf("表ソ,\"", ",\""), 4u);
    EXPECT_EQ(FindChar("表ソ", '\\'), std::string_view::npos);
}

TEST(Sjis, LoneLeadByteAtTheEndIsOneByte) {
    std::string_view text("a\x95", 2);
    EXPECT_EQ(CharLength(text, 1), 1u);
    EXPECT_EQ(FindChar(text, 'x'), std::string_view::npos);
    std::string_view cut("ab\x95", 3);
    EXPECT_EQ(FindChar(cut, '\x95'), 2u);
    // A lead byte before a byte that cannot be a trail byte does not swallow it.
    EXPECT_EQ(FindChar("a\x95,b", ','), 2u);
    EXPECT_EQ(FindChar("a\x95\"b", '"'), 2u);
    EXPECT_EQ(CutAtBoundary("ab\x95,", 3), "ab\x95");
}

TEST(Sjis, CutKeepsWholeCharacters) {
    EXPECT_EQ(CutAtBoundary("abc", 5), "abc");
    EXPECT_EQ(CutAtBoundary("a表", 2), "a");
    EXPECT_EQ(CutAtBoundary("a表", 3), "a表");
    EXPECT_EQ(CutAtBoundary("ｱｲｳ", 2), "ｱｲ");  // half-width katakana are single bytes
    EXPECT_EQ(CutAtBoundary("", 0), "");
}

// Whole characters compare by their values: "ｱ" is 0xB1, "ア" 0x8341, "あ" 0x82A0, "亜" 0x889F, "ﾟ" 0xDF,
// "熙" 0xEAA4, "表" 0x955C. A byte comparison would put "ｱ" after "ア", "あ", "亜" and "表".
TEST(Sjis, ComparesWholeCharactersAsTheMultibyteRunTimeDoes) {
    auto sign = [](int value) { return (value > 0) - (value < 0); };
    // Half-width katakana come before every double-byte character, whatever its lead byte.
    for (const char* wide : {"ア", "あ", "亜", "表", "熙"}) {
        EXPECT_EQ(sign(Compare("ｱ", wide)), -1) << wide;
        EXPECT_EQ(sign(Compare("ﾟ", wide)), -1) << wide;
        EXPECT_EQ(sign(Compare(wide, "ｱ")), 1) << wide;
    }
    // ... and after the ASCII characters, as single bytes.
    EXPECT_EQ(sign(Compare("z", "ｱ")), -1);
    EXPECT_EQ(sign(Compare("ｱ", "ﾟ")), -1);
    // Double-byte characters by their 16-bit values; the rest of the text decides a tie.
    EXPECT_EQ(sign(Compare("あ", "ア")), -1);
    EXPECT_EQ(sign(Compare("表", "熙")), -1);
    EXPECT_EQ(sign(Compare("アｱ", "アア")), -1);
    EXPECT_EQ(sign(Compare("ア", "アa")), -1);
    EXPECT_EQ(Compare("表示", "表示"), 0);
    EXPECT_EQ(Compare("", ""), 0);
    // Case-sensitive: upper-case ASCII first.
    EXPECT_EQ(sign(Compare("B", "a")), -1);
    // A lead byte before the terminator ends the text.
    EXPECT_EQ(Compare("a\x95", "a"), 0);
    EXPECT_EQ(sign(Compare("a\x95", "ab")), -1);
}

}  // namespace
}  // namespace brindle::sjis
