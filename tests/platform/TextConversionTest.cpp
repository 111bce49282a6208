#include "platform/Gbk.h"
#include "platform/StrConv.h"

#include <gtest/gtest.h>

namespace {

TEST(Gbk, RoundTripsChineseText) {
    const std::string gbk = Utf8ToGbk("系统参数");
    EXPECT_EQ(gbk, "\xCF\xB5\xCD\xB3\xB2\xCE\xCA\xFD");
    EXPECT_EQ(GbkToUtf8(gbk), "系统参数");
}

TEST(Gbk, MalformedInputIsReplacedNotFatal) {
    // A lone lead byte at the end and an invalid pair in the middle.
    EXPECT_EQ(GbkToUtf8("A\xFF\x20"
                        "B\xCF"),
              "A\xEF\xBF\xBD B\xEF\xBF\xBD");
    // Broken UTF-8 and a character GBK lacks become '?'.
    EXPECT_EQ(Utf8ToGbk("a\xC3"
                        "b\xF0\x9F\x98\x80"
                        "c"),
              "a?b?c");
}

struct IntCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class StrToIntCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntCases, Parses) {
    EXPECT_EQ(TryStrToInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    StrConv, StrToIntCases,
    ::testing::Values(IntCase{"9600", 9600}, IntCase{"-5", -5}, IntCase{"+7", 7},
                      IntCase{"  42", 42}, IntCase{"0x2580", 9600}, IntCase{"$2580", 9600},
                      IntCase{"X10", 16}, IntCase{"-$10", -16}, IntCase{"$FFFFFFFF", -1},
                      IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", INT32_MIN},
                      IntCase{"2147483648", std::nullopt}, IntCase{"$100000000", std::nullopt},
                      IntCase{"8 ", std::nullopt}, IntCase{"fast", std::nullopt},
                      IntCase{"true", std::nullopt}, IntCase{"", std::nullopt},
                      IntCase{"0x", std::nullopt}, IntCase{"--1", std::nullopt},
                      IntCase{"99999999999999999999999", std::nullopt}));

TEST(StrConv, FloatsAcceptDecimalsOnly) {
    EXPECT_EQ(TryStrToFloat("1.5"), 1.5);
    EXPECT_EQ(TryStrToFloat(" 2 "), 2.0);
    EXPECT_EQ(TryStrToFloat("-0.25e1"), -2.5);
    EXPECT_EQ(TryStrToFloat(".5"), 0.5);
    EXPECT_EQ(TryStrToFloat("abc"), std::nullopt);
    EXPECT_EQ(TryStrToFloat("1.5x"), std::nullopt);
    EXPECT_EQ(TryStrToFloat("inf"), std::nullopt);
    EXPECT_EQ(TryStrToFloat("nan"), std::nullopt);
    EXPECT_EQ(TryStrToFloat("1e999"), std::nullopt);
}

// Each reader names the blanks its format allows; one set must not leak
// into another (a tab ends a space-trimmed text, a CR a tab-trimmed one).
TEST(StrConv, TrimDropsOnlyTheNamedBlanksAtBothEnds) {
    const std::string_view mixed = " \t\r x y \r\t ";
    EXPECT_EQ(Trim(mixed, TBlanks::Spaces), "\t\r x y \r\t");
    EXPECT_EQ(Trim(mixed, TBlanks::SpacesAndTabs), "\r x y \r");
    EXPECT_EQ(Trim(mixed, TBlanks::SpacesTabsAndCr), "x y");
    EXPECT_EQ(Trim(mixed, TBlanks::SpacesAndControls), "x y");

    EXPECT_EQ(Trim(" \t1A\r\n", TBlanks::SpacesAndControls), "1A");
    EXPECT_EQ(Trim(std::string_view("\x00\x1f"
                                    "a b"
                                    "\x01",
                                    6),
                   TBlanks::SpacesAndControls),
              "a b");
    EXPECT_EQ(Trim("\n1\n", TBlanks::SpacesTabsAndCr), "\n1\n");
    EXPECT_EQ(Trim("\n\t 1\r\n", TBlanks::SpacesTabsAndLineBreaks), "1");
    EXPECT_EQ(Trim("\v1\f", TBlanks::SpacesTabsAndLineBreaks), "\v1\f");
    // GBK lead bytes and DEL are text, not blanks.
    EXPECT_EQ(Trim("\xff\x7f", TBlanks::SpacesAndControls), "\xff\x7f");
    for (const TBlanks blanks : {TBlanks::Spaces, TBlanks::SpacesAndTabs, TBlanks::SpacesTabsAndCr,
                                 TBlanks::SpacesAndControls}) {
        EXPECT_EQ(Trim("   ", blanks), "");
        EXPECT_EQ(Trim("", blanks), "");
    }
}

}  // namespace
