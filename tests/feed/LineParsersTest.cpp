#include "feed/LineParsers.h"

#include <gtest/gtest.h>

TEST(HexParse, TakesEveryHexDigitAndSkipsTheRest) {
    EXPECT_EQ(HexParse("1A"), 26);
    EXPECT_EQ(HexParse("0x1A"), 26);  // the x is skipped, the 0 adds nothing
    EXPECT_EQ(HexParse("FFFFFFFF"), -1);
    EXPECT_EQ(HexParse("123456789"), 591751049);  // bits beyond 32 dropped
    EXPECT_EQ(HexParse("hello"), 14);             // only the e is a digit
    EXPECT_EQ(HexParse("   "), 0);
    EXPECT_EQ(HexParse(""), 0);
    EXPECT_EQ(HexParse("7fffffff"), 2147483647);
    EXPECT_EQ(HexParse(std::string_view("\x00"
                                        "1",
                                        2)),
              1);
}

TEST(ReadDecimalLine, AcceptsWhatTheStrictReadingAccepts) {
    EXPECT_EQ(ReadDecimalLine("12"), 12);
    EXPECT_EQ(ReadDecimalLine(" 7"), 7);
    EXPECT_EQ(ReadDecimalLine("   -3"), -3);
    EXPECT_EQ(ReadDecimalLine("+5"), 5);
    EXPECT_EQ(ReadDecimalLine("$10"), 16);
    EXPECT_EQ(ReadDecimalLine("0x10"), 16);
    EXPECT_EQ(ReadDecimalLine("0X1f"), 31);
    EXPECT_EQ(ReadDecimalLine("x10"), 16);
    EXPECT_EQ(ReadDecimalLine("-$10"), -16);
    EXPECT_EQ(ReadDecimalLine("$FFFFFFFF"), -1);
    EXPECT_EQ(ReadDecimalLine("$80000000"), INT32_MIN);
    EXPECT_EQ(ReadDecimalLine("2147483647"), INT32_MAX);
    EXPECT_EQ(ReadDecimalLine("-2147483648"), INT32_MIN);
    EXPECT_EQ(ReadDecimalLine("007"), 7);
}

TEST(ReadDecimalLine, RefusesEverythingElse) {
    for (const char* bad :
         {"abc", "8 ", "", " ", "+", "-", "$", "0x", "1.5", "12abc", "\t7", "2147483648",
          "-2147483649", "$100000000", "99999999999999999999", "7\r", "- 3"}) {
        EXPECT_FALSE(ReadDecimalLine(bad).has_value()) << '"' << bad << '"';
    }
}
