#include "feed/LineParsers.h"
#include "feed/MultiValueLine.h"
#include "feed/ValueChannelMap.h"

#include <gtest/gtest.h>

// Readable failures: gtest would print the struct's bytes.
void PrintTo(const TLineValue& v, std::ostream* os) {
    *os << (v.name.empty() ? "column " + std::to_string(v.column) : '"' + v.name + '"') << " = "
        << v.value;
}

namespace {

TLineValue Column(size_t column, double value) {
    return {{}, column, value};
}
TLineValue Named(std::string name, double value) {
    return {std::move(name), 0, value};
}

}  // namespace

TEST(ReadDecimalNumber, ReadsWholeDecimalNumbersOnly) {
    EXPECT_EQ(ReadDecimalNumber("23.75"), 23.75);
    EXPECT_EQ(ReadDecimalNumber("-3.25"), -3.25);
    EXPECT_EQ(ReadDecimalNumber("1e-3"), 1e-3);
    EXPECT_EQ(ReadDecimalNumber("+.5"), 0.5);
    EXPECT_EQ(ReadDecimalNumber("  2.5"), 2.5);
    EXPECT_EQ(ReadDecimalNumber("5."), 5.0);
    EXPECT_EQ(ReadDecimalNumber("-0"), 0.0);
    EXPECT_EQ(ReadDecimalNumber("6.02E+23"), 6.02e23);
    for (const char* bad :
         {"",    " ",    ".",   "+",   "-.",    "e3",    "1e",  "1e+", "1.2.3", "2.5 ",
          "inf", "-inf", "nan", "NaN", "1e999", "0x1p3", "1,5", "++1", "\t1",   "1_000"}) {
        EXPECT_FALSE(ReadDecimalNumber(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(ReadMultiValueLine, OneFieldReadsLikeTheStrictReadingFirst) {
    // Lines the strict reading accepts give exactly its value.
    for (const char* line : {"12", " 7", "   -3", "$10", "0x10", "-$10", "$FFFFFFFF", "007"}) {
        const auto strict = ReadDecimalLine(line);
        ASSERT_TRUE(strict.has_value()) << line;
        EXPECT_EQ(ReadMultiValueLine(line), std::vector{Column(1, *strict)}) << line;
    }
    // Lines it refuses stay refused unless they are a plain decimal number.
    for (const char* line : {"abc", "8 ", "", "   ", "12abc", "inf", "1.5 ", "x"})
        EXPECT_TRUE(ReadMultiValueLine(line).empty()) << '"' << line << '"';
    EXPECT_EQ(ReadMultiValueLine("23.75"), std::vector{Column(1, 23.75)});
    EXPECT_EQ(ReadMultiValueLine(" -1e-3"), std::vector{Column(1, -1e-3)});
    EXPECT_EQ(ReadMultiValueLine("2147483648"), std::vector{Column(1, 2147483648.0)});
}

TEST(ReadMultiValueLine, SplitsFieldsAtCommasSemicolonsTabsAndBlankRuns) {
    const std::vector expected{Column(1, 1), Column(2, 2), Column(3, 3)};
    for (const char* line :
         {"1,2,3", "1, 2, 3", "1;2;3", "1\t2\t3", "1  2   3", " 1 , 2 ;3 ", "1 ,  2 ; 3"}) {
        EXPECT_EQ(ReadMultiValueLine(line), expected) << '"' << line << '"';
    }
    EXPECT_EQ(ReadMultiValueLine("1.5,-2e3,$10"),
              (std::vector{Column(1, 1.5), Column(2, -2e3), Column(3, 16)}));
}

TEST(ReadMultiValueLine, AFieldThatIsNoNumberLeavesItsColumnEmpty) {
    EXPECT_EQ(ReadMultiValueLine("1,,3"), (std::vector{Column(1, 1), Column(3, 3)}));
    EXPECT_EQ(ReadMultiValueLine("1,abc,3"), (std::vector{Column(1, 1), Column(3, 3)}));
    EXPECT_EQ(ReadMultiValueLine("1\t\t3"), (std::vector{Column(1, 1), Column(3, 3)}));
    EXPECT_EQ(ReadMultiValueLine("1,2,"), (std::vector{Column(1, 1), Column(2, 2)}));
    EXPECT_EQ(ReadMultiValueLine(",5"), (std::vector{Column(2, 5)}));
    EXPECT_TRUE(ReadMultiValueLine("a,b,c").empty());
    EXPECT_TRUE(ReadMultiValueLine(",,,").empty());
}

TEST(ReadMultiValueLine, NamedFieldsGoByName) {
    const std::vector expected{Named("temp", 23.5), Named("hum", 40)};
    for (const char* line : {"temp:23.5,hum:40", "temp=23.5 hum=40", "temp: 23.5, hum: 40",
                             "temp = 23.5; hum = 40", "temp:23.5\thum:40"}) {
        EXPECT_EQ(ReadMultiValueLine(line), expected) << '"' << line << '"';
    }
    EXPECT_EQ(ReadMultiValueLine("t=23.5"), std::vector{Named("t", 23.5)});
    EXPECT_EQ(ReadMultiValueLine("a:1,7"), (std::vector{Named("a", 1), Column(2, 7)}));
    EXPECT_EQ(ReadMultiValueLine("a:x,b:2"), std::vector{Named("b", 2)});
    EXPECT_TRUE(ReadMultiValueLine(":5").empty());
    EXPECT_EQ(ReadMultiValueLine(std::string(100, 'n') + "=1"),
              std::vector{Named(std::string(64, 'n'), 1)});
}

TEST(ValueChannelMap, ColumnsKeepTheirChannelNamesTakeTheNextFree) {
    TValueChannelMap map;
    EXPECT_EQ(map.ChannelFor(Column(3, 0)), 2u);
    EXPECT_EQ(map.ChannelCount(), 3u);
    EXPECT_EQ(map.ChannelFor(Named("a", 0)), 0u);
    EXPECT_EQ(map.ChannelFor(Named("b", 0)), 1u);
    EXPECT_EQ(map.ChannelFor(Named("a", 0)), 0u);
    EXPECT_EQ(map.ChannelFor(Named("c", 0)), 3u);
    EXPECT_EQ(map.NameOf(3), "c");
    EXPECT_EQ(map.NameOf(2), "");
    // A single value always lands on the first channel, whoever named it.
    EXPECT_EQ(map.ChannelFor(Column(1, 0)), 0u);
    EXPECT_EQ(map.ChannelCount(), 4u);
}

TEST(ValueChannelMap, NoMoreThanTheChannelLimit) {
    TValueChannelMap map;
    EXPECT_EQ(map.ChannelFor(Column(TValueChannelMap::kMaxChannels, 0)),
              TValueChannelMap::kMaxChannels - 1);
    EXPECT_FALSE(map.ChannelFor(Column(TValueChannelMap::kMaxChannels + 1, 0)).has_value());
    EXPECT_FALSE(map.ChannelFor(Column(0, 0)).has_value());
    for (size_t i = 0; i + 1 < TValueChannelMap::kMaxChannels; ++i)
        EXPECT_EQ(map.ChannelFor(Named("n" + std::to_string(i), 0)), i);
    EXPECT_FALSE(map.ChannelFor(Named("one too many", 0)).has_value());
    EXPECT_EQ(map.ChannelCount(), TValueChannelMap::kMaxChannels);
}
