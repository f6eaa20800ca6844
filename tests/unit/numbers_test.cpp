#include "text/numbers.h"

#include <gtest/gtest.h>

namespace brindle::numbers {
namespace {

TEST(Numbers, StrToLFollowsThe32BitRunTime) {
    const char* end = nullptr;
    EXPECT_EQ(StrToL("  -42xyz", &end, 10), -42);
    EXPECT_STREQ(end, "xyz");
    EXPECT_EQ(StrToL("2147483648", nullptr, 10), INT32_MAX);  // saturates, as with a 32-bit long
    EXPECT_EQ(StrToL("-2147483649", nullptr, 10), INT32_MIN);
    EXPECT_EQ(StrToL("-2147483648", nullptr, 10), INT32_MIN);
    EXPECT_EQ(StrToL("99999999999999999999", nullptr, 10), INT32_MAX);

    // No digits: nothing converted, end stays at the start (blanks and sign included).
    const char* text = " -x";
    EXPECT_EQ(StrToL(text, &end, 10), 0);
    EXPECT_EQ(end, text);
}

TEST(Numbers, BaseZeroReadsHexAndOctal) {
    EXPECT_EQ(StrToL("010", nullptr, 0), 8);
    EXPECT_EQ(StrToL("0x10", nullptr, 0), 16);
    EXPECT_EQ(StrToL("0X1f", nullptr, 0), 31);
    EXPECT_EQ(StrToL("08", nullptr, 0), 0);  // octal stops at 8
    EXPECT_EQ(StrToL("-0x10", nullptr, 0), -16);
    const char* end = nullptr;
    EXPECT_EQ(StrToL("0xg", &end, 0), 0);  // "0x" without a hex digit is the number 0 followed by "xg"
    EXPECT_STREQ(end, "xg");
}

TEST(Numbers, StrToULWrapsNegativesAndSaturates) {
    EXPECT_EQ(StrToUL("-16777216", nullptr, 10), 0xFF000000u);
    EXPECT_EQ(StrToUL("-1", nullptr, 10), 0xFFFFFFFFu);
    EXPECT_EQ(StrToUL("4294967295", nullptr, 10), 0xFFFFFFFFu);
    EXPECT_EQ(StrToUL("4294967296", nullptr, 10), 0xFFFFFFFFu);
    EXPECT_EQ(StrToUL("\t 12 ", nullptr, 10), 12u);
    EXPECT_EQ(StrToUL("abc", nullptr, 10), 0u);
}

TEST(Numbers, AtoIIsDecimalOnly) {
    EXPECT_EQ(AtoI("0x10"), 0);
    EXPECT_EQ(AtoI("010"), 10);
    EXPECT_EQ(AtoI("-128"), -128);
    EXPECT_EQ(AtoI(""), 0);
}

TEST(Numbers, FormatThousandsGroupsByThree) {
    EXPECT_EQ(text::FormatThousands(0), "0");
    EXPECT_EQ(text::FormatThousands(999), "999");
    EXPECT_EQ(text::FormatThousands(1000), "1,000");
    EXPECT_EQ(text::FormatThousands(123456), "123,456");
    EXPECT_EQ(text::FormatThousands(4294967295u), "4,294,967,295");
}

}  // namespace
}  // namespace brindle::numbers
