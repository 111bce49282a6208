// The property text writer and reader over published tables: exact lines,
// round trips, both decimal separators, the 255-character cut, and bad input
// that fails with a clear message or is ignored.

#include <gtest/gtest.h>

#include <algorithm>

#include "PropertyTextTestClasses.h"
#include "plot/iPropertyText.h"

namespace {

TPropertyTestDerivedSettings Sample() {
    TPropertyTestDerivedSettings s;
    s.SetCount(-5);
    s.SetActive(true);
    s.SetMode(ptmFast);
    s.SetGain(0.1);
    s.SetTitle("数据 1");
    s.SetColor(clBtnFace);
    s.SetSeparator(',');
    s.Font().SetName("Arial");
    s.Font().SetHeight(-13);
    s.Font().SetStyle(fsBold | fsUnderline);
    s.SetOffset(7);
    s.SetScratch(99);
    return s;
}

TEST(PropertyText, WritesStoredSettablePropertiesInTableOrder) {
    TPropertyTestDerivedSettings s = Sample();
    TiStringList lines;
    PropertiesToText(s, "Channel0", lines, nullptr, '.');
    EXPECT_EQ(lines, (TiStringList{"Channel0.Count = -5", "Channel0.Active = 1",
                                   "Channel0.Mode = 2", "Channel0.Gain = 0.1",
                                   "Channel0.Title = 数据 1", "Channel0.Color = -16777201",
                                   "Channel0.Separator = 44", "Channel0.Font.Charset = 1",
                                   "Channel0.Font.Color = -16777208", "Channel0.Font.Height = -13",
                                   "Channel0.Font.Name = Arial", "Channel0.Font.Orientation = 0",
                                   "Channel0.Font.Style = 5", "Channel0.Offset = 7"}));
}

TEST(PropertyText, RoundTripsThroughTheReader) {
    TPropertyTestDerivedSettings source = Sample();
    TiStringList lines;
    PropertiesToText(source, "", lines, nullptr, '.');
    TPropertyTestDerivedSettings target;
    TiPropertyLines reader(lines);
    PropertiesFromText(target, "", reader);
    TiStringList again;
    PropertiesToText(target, "", again, nullptr, '.');
    EXPECT_EQ(again, lines);
    EXPECT_EQ(target.Scratch(), 0) << "not stored, not read";
    EXPECT_TRUE(reader.Remaining().empty());
}

// A title of several lines stays one line of the file and reads back whole;
// the escape is chosen so that a file written before it reads unchanged.
TEST(PropertyText, LineBreaksInStringsAreEscapedAndOldFilesReadAsBefore) {
    TPropertyTestSettings source;
    source.SetTitle("first\r\nCount = 3\n100%0A%");
    TiStringList lines;
    PropertiesToText(source, "", lines, nullptr, '.');
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Title = first%0D%0ACount = 3%0A100%250A%"),
              lines.end());
    TPropertyTestSettings target;
    TiPropertyLines reader(lines);
    PropertiesFromText(target, "", reader);
    EXPECT_EQ(target.Title(), source.Title());
    EXPECT_EQ(target.Count(), 0) << "the title's second line is no key";

    TiPropertyLines old(TiStringList{"Title = 50% of C:\\new\\r %1"});
    PropertiesFromText(target, "", old);
    EXPECT_EQ(target.Title(), "50% of C:\\new\\r %1");
}

// Control characters a file reader would trim or end a line at are escaped
// like line breaks, so a title ending in them reads back whole.
TEST(PropertyText, ControlCharactersInStringsAreEscaped) {
    TPropertyTestSettings source;
    source.SetTitle(std::string("tab\there\v\b\0\0", 12));
    TiStringList lines;
    PropertiesToText(source, "", lines, nullptr, '.');
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Title = tab%09here%0B%08%00%00"), lines.end());
    TPropertyTestSettings target;
    TiPropertyLines reader(lines);
    PropertiesFromText(target, "", reader);
    EXPECT_EQ(target.Title(), source.Title());
}

TEST(PropertyText, CommaSeparatedFloatsLoadWherePointIsTheSeparator) {
    TPropertyTestSettings s;
    s.SetGain(1.5);
    TiStringList lines;
    PropertiesToText(s, "", lines, nullptr, ',');
    EXPECT_EQ(lines[3], "Gain = 1,5");
    TPropertyTestSettings target;
    TiPropertyLines reader(lines);
    PropertiesFromText(target, "", reader);
    EXPECT_EQ(target.Gain(), 1.5);
    EXPECT_EQ(TextToFloat("2.25"), 2.25);
    EXPECT_EQ(TextToFloat(" -1,5E3 "), -1500);
}

TEST(PropertyText, FloatsUseShortestGeneralText) {
    EXPECT_EQ(FloatToText(100, '.'), "100");
    EXPECT_EQ(FloatToText(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FloatToText(1e20, '.'), "1E20");
    EXPECT_EQ(FloatToText(1.5e-5, ','), "1,5E-5");
    EXPECT_EQ(FloatToText(-123456.789, '.'), "-123456.789");
    EXPECT_EQ(TextToFloat(FloatToText(1.0 / 3, '.')), 0.333333333333333);
}

TEST(PropertyText, LinesAreCutAt255CharactersWithoutSplittingOne) {
    TPropertyTestSettings s;
    s.SetTitle(std::string(300, 'x'));
    TiStringList lines;
    PropertiesToText(s, "", lines, nullptr, '.');
    EXPECT_EQ(lines[4].size(), 255u);
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "数";
    s.SetTitle(wide);
    lines.clear();
    PropertiesToText(s, "", lines, nullptr, '.');
    const QString cut = QString::fromStdString(lines[4]);
    EXPECT_EQ(cut.size(), 255);
    EXPECT_FALSE(cut.contains(QChar::ReplacementCharacter));
}

// Where the cut falls beside a space or inside an escape, the cut line still
// reads back to a title that writes the very same line.
TEST(PropertyText, ACutLineReadsBackAsWritten) {
    const std::string head = "Title = ";
    for (const std::string& tail :
         {std::string(" x"), std::string("\n\n"), std::string("%0Dx"), std::string("%%0A")}) {
        for (size_t at = 240; at < 255; ++at) {
            TPropertyTestSettings s;
            s.SetTitle(std::string(at - head.size(), 'x') + tail + std::string(300, 'y'));
            TiStringList lines;
            PropertiesToText(s, "", lines, nullptr, '.');
            TPropertyTestSettings copy;
            TiPropertyLines reader(lines);
            PropertiesFromText(copy, "", reader);
            TiStringList again;
            PropertiesToText(copy, "", again, nullptr, '.');
            ASSERT_EQ(again[4], lines[4]) << "cut at " << at << " before " << tail;
            EXPECT_LE(lines[4].size(), 255u);
        }
    }
}

TEST(PropertyText, ExclusionsCompareFullNamesWithoutCase) {
    TPropertyTestSettings s;
    TiStringList lines;
    const TiStringList excluded = {"chart.COUNT", "Chart.Font.Name"};
    PropertiesToText(s, "Chart", lines, &excluded, '.');
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("Chart.Count"), std::string::npos);
        EXPECT_EQ(line.find("Chart.Font.Name"), std::string::npos);
    }
    EXPECT_EQ(lines.size(), 11u);
}

TEST(PropertyText, ReaderMatchesKeysWithoutCaseAndLeavesOthersAlone) {
    TPropertyTestSettings s;
    s.SetTitle("keep");
    TiPropertyLines reader({"File Type = Plot Config", "chart.COUNT=12", "Chart.Unknown = 3",
                            "no separator here", "Chart.Count = 99",
                            "  Chart.Font.Height  =  -20 "});
    PropertiesFromText(s, "Chart", reader);
    EXPECT_EQ(s.Count(), 12) << "the first matching line wins";
    EXPECT_EQ(s.Font().Height(), -20);
    EXPECT_EQ(s.Title(), "keep") << "no line, no change";
    EXPECT_EQ(reader.Remaining(), (TiStringList{"File Type = Plot Config", "Chart.Unknown = 3",
                                                "no separator here", "Chart.Count = 99"}));
    std::string value;
    EXPECT_TRUE(TakeTextValue("file type", value, reader));
    EXPECT_EQ(value, "Plot Config");
    EXPECT_FALSE(TakeTextValue("File Type", value, reader));
}

TEST(PropertyText, SplitKeyValueAtTheFirstSeparator) {
    std::string key, value;
    SplitKeyValue(" a = b = c ", "=", key, value);
    EXPECT_EQ(key, "a");
    EXPECT_EQ(value, "b = c");
    SplitKeyValue("none", "=", key, value);
    EXPECT_TRUE(key.empty());
    EXPECT_TRUE(value.empty());
}

struct TBadValue {
    const char* Line;
    const char* Message;
};

class BadPropertyValues : public ::testing::TestWithParam<TBadValue> {};

TEST_P(BadPropertyValues, FailWithAClearMessage) {
    TPropertyTestSettings s;
    TiPropertyLines reader({GetParam().Line});
    try {
        PropertiesFromText(s, "", reader);
        FAIL() << "accepted " << GetParam().Line;
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, BadPropertyValues,
    ::testing::Values(TBadValue{"Count = abc", "'abc' is not a valid integer value"},
                      TBadValue{"Count = 12abc", "'12abc' is not a valid integer value"},
                      TBadValue{"Count =", "'' is not a valid integer value"},
                      TBadValue{"Count = 99999999999", "Invalid property value"},
                      TBadValue{"Gain = 1.2.3", "'1.2.3' is not a valid floating point value"},
                      TBadValue{"Mode = 3", "Invalid property value"},
                      TBadValue{"Mode = -1", "Invalid property value"},
                      TBadValue{"Active = 2", "Invalid property value"},
                      TBadValue{"Separator = 300", "Invalid property value"}));

TEST(PropertyText, HugeValuesAreQuotedShortInMessages) {
    TPropertyTestSettings s;
    TiPropertyLines reader({"Count = " + std::string(100'000, '9') + "x"});
    try {
        PropertiesFromText(s, "", reader);
        FAIL();
    } catch (const std::invalid_argument& error) {
        EXPECT_LT(std::string(error.what()).size(), 120u);
    }
    TiPropertyLines longTitle({"Title = " + std::string(100'000, 't')});
    PropertiesFromText(s, "", longTitle);
    EXPECT_EQ(s.Title().size(), 100'000u) << "reading keeps the whole value";
}

TEST(PropertyText, AMillionLinesLoad) {
    TiStringList lines;
    lines.reserve(1'000'001);
    for (int i = 0; i < 1'000'000; ++i)
        lines.push_back("Noise" + std::to_string(i) + " = 1");
    lines.push_back("Count = 3");
    TPropertyTestSettings s;
    TiPropertyLines reader(std::move(lines));
    PropertiesFromText(s, "", reader);
    EXPECT_EQ(s.Count(), 3);
}

TEST(PublishedTable, InheritsBaseEntriesAndFindsByName) {
    const TiPublishedTable& table = TPropertyTestDerivedSettings::PublishedTable();
    EXPECT_EQ(table.ClassName(), "TPropertyTestDerivedSettings");
    EXPECT_EQ(table.size(), TPropertyTestSettings::PublishedTable().size() + 1);
    EXPECT_EQ(table.Entries().back()->Name(), "Offset");
    const TiPublishedProperty* mode = table.Find("MODE");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->Kind(), ipkEnumeration);
    EXPECT_EQ(mode->ValueNames()[2], "ptmFast");
    EXPECT_FALSE(table.Find("Serial")->HasSetter());
    EXPECT_EQ(table.Find("nothing"), nullptr);
    TPropertyTestDerivedSettings s;
    EXPECT_THROW(table.Find("Title")->GetOrdinal(s), std::logic_error) << "wrong kind";
}

}  // namespace
