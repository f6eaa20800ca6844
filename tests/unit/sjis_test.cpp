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

}  // namespace
}  // namespace brindle::sjis
