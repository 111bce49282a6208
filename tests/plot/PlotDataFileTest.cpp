#include "plot/iPlotDataFiles.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace {

struct Point {
    double x, y;
    TiDataPointMark mark = idpmNormal;
};

struct Channel {
    std::string title;
    std::vector<Point> points;
};

// A plot's channels reduced to what data files see; used as source and sink.
class Channels : public TDataFileSource, public TDataFileSink {
  public:
    Channels(std::initializer_list<Channel> channels) : channels_(channels) {}
    int ChannelCount() const override { return int(channels_.size()); }
    std::string ChannelTitle(int c) const override { return channels_[c].title; }
    int PointCount(int c) const override { return int(channels_[c].points.size()); }
    double X(int c, int i) const override { return channels_[c].points[i].x; }
    double Y(int c, int i) const override { return channels_[c].points[i].y; }
    TiDataPointMark Mark(int c, int i) const override { return channels_[c].points[i].mark; }
    void AddPoint(int c, double x, double y, TiDataPointMark mark) override {
        channels_[c].points.push_back({x, y, mark});
    }
    const std::vector<Point>& Points(int c) const { return channels_[c].points; }
    void AddChannelForTest(Channel channel) { channels_.push_back(std::move(channel)); }

  private:
    std::vector<Channel> channels_;
};

std::string Floats(std::initializer_list<float> values) {
    std::string out;
    for (float v : values)
        out.append(reinterpret_cast<const char*>(&v), 4);
    return out;
}

}  // namespace

TEST(PlotDataFile, TextFormOfOneChannel) {
    Channels plot{{"数据", {{0.5, 3}, {1.5, 7}}}};
    EXPECT_EQ(WriteTextDataFile(plot, '\t', '.'), "数据(X)\t数据(Y)\r\n0.5\t3\r\n1.5\t7\r\n");
}

TEST(PlotDataFile, ShorterChannelsLeaveSeparatedEmptyColumns) {
    Channels plot{{"a", {{1, 1}, {2, 2}, {3, 3}}}, {"b", {{9, 9}}}};
    EXPECT_EQ(WriteTextDataFile(plot, ',', '.'),
              "a(X),a(Y),b(X),b(Y)\r\n1,1,9,9\r\n2,2,,\r\n3,3,,\r\n");
}

TEST(PlotDataFile, NumbersUseFifteenDigitsAndCompactExponents) {
    EXPECT_EQ(FormatDataNumber(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatDataNumber(1e20, '.'), "1E20");
    EXPECT_EQ(FormatDataNumber(1.5e-7, ','), "1,5E-7");
    EXPECT_EQ(FormatDataNumber(-2.25, ','), "-2,25");
    EXPECT_EQ(FormatDataNumber(123456789012345678.0, '.'), "1.23456789012346E17");
}

// The fast path must agree with C's 15-digit general format everywhere:
// integers, fractions near the plain/exponent thresholds, 15- and 17-digit
// mantissas, tiny and huge magnitudes.
TEST(PlotDataFile, NumbersMatchFifteenDigitGeneralFormat) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::vector<double> values = {0,
                                  -0.0,
                                  1,
                                  100,
                                  1e14,
                                  1e15,
                                  123456789012345,
                                  0.0001,
                                  0.00001,
                                  0.1,
                                  1.0 / 3,
                                  2.0 / 3,
                                  999999999999999.9,
                                  9.999999999999999e14,
                                  5e-324,
                                  1.7976931348623157e308};
    for (int i = 0; i < 200000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::round(mantissa(random) * 1e5) / 100);
    // Sample clocks and readings with up to seven decimals, around the edges
    // of the plain form.
    // Across the plain range, and halfway between two 15-digit decimals,
    // where the rounding is closest to going either way.
    std::uniform_real_distribution<double> decades(-4, 9);
    std::uniform_int_distribution<std::int64_t> fifteenDigits(100000000000000, 999999999999999);
    for (int i = 0; i < 100000; ++i) {
        const double scale = std::pow(10.0, std::floor(decades(random)));
        values.push_back(std::pow(10.0, decades(random)));
        values.push_back((double(fifteenDigits(random)) + 0.5) * scale / 1e14);
    }
    for (int i = 0; i < 20000; ++i) {
        values.push_back(i * 0.001);
        values.push_back(-i * 1e-7);
        values.push_back(999999999.0 - i * 0.000001);
        values.push_back(std::round(mantissa(random) * 1e8) / 1e7);
    }
    for (double value : values) {
        char reference[64];
        std::snprintf(reference, sizeof reference, "%.15G", value);
        std::string expected(reference);
        // C writes "1E+20" and "1.5E-07"; the file form is "1E20" and "1.5E-7".
        const size_t e = expected.find('E');
        if (e != std::string::npos) {
            std::string digits = expected.substr(e + 2);
            digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
            expected = expected.substr(0, e + 1) + (expected[e + 1] == '-' ? "-" : "") + digits;
        }
        ASSERT_EQ(FormatDataNumber(value, '.'), expected) << reference;
    }
}

TEST(PlotDataFile, NullAndEmptyRoundTrip) {
    Channels saved{{"s", {{1, 5}, {2, 0, idpmNull}, {3, 0, idpmEmpty}}}};
    Channels loaded{{"s", {}}};
    ReadDataFile(WriteTextDataFile(saved, '\t', '.'), loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 3u);
    EXPECT_EQ(loaded.Points(0)[1].mark, idpmNull);
    EXPECT_EQ(loaded.Points(0)[1].y, 0);
    EXPECT_EQ(loaded.Points(0)[2].mark, idpmEmpty);
    EXPECT_EQ(loaded.Points(0)[0].y, 5);
}

TEST(PlotDataFile, CommaDecimalFilesReadWhereTheSeparatorIsADot) {
    Channels loaded{{"s", {}}};
    ReadDataFile("s(X)\ts(Y)\r\n0,5\t2,25\r\n", loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 1u);
    EXPECT_DOUBLE_EQ(loaded.Points(0)[0].x, 0.5);
    EXPECT_DOUBLE_EQ(loaded.Points(0)[0].y, 2.25);

    Channels comma{{"s", {}}};
    ReadDataFile("s(X)\ts(Y)\r\n0.5\t3\r\n", comma, ',');
    EXPECT_DOUBLE_EQ(comma.Points(0).at(0).x, 0.5);
}

TEST(PlotDataFile, ExtraColumnsAndEmptyPairsAreSkipped) {
    Channels loaded{{"a", {}}};
    ReadDataFile("a(X),a(Y),b(X),b(Y)\n1,2,3,4\n,,5,6\n\n7,\n", loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 1u);
    EXPECT_EQ(loaded.Points(0)[0].x, 1);
}

TEST(PlotDataFile, BadNumbersFailButKeepEarlierPoints) {
    Channels loaded{{"a", {}}};
    try {
        ReadDataFile("a(X)\ta(Y)\r\n1\t2\r\n3\tabc\r\n5\t6\r\n", loaded, '.');
        FAIL() << "no error";
    } catch (const TiDataFileError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(loaded.Points(0).size(), 1u);
    for (const char* bad : {"nan", "inf", "0x10", "1.2.3", "1e999"}) {
        Channels c{{"a", {}}};
        EXPECT_THROW(ReadDataFile(std::string("a(X)\ta(Y)\n1\t") + bad, c, '.'), TiDataFileError)
            << bad;
    }
}

TEST(PlotDataFile, LogFormReadsOneXForEveryChannel) {
    Channels saved{{"a", {{1, 10}, {2, 20}}}, {"b", {{1, 11}, {2, 0, idpmNull}}}};
    const std::string log = WriteTextLogHeader(saved, '\t') + WriteTextLogRow(saved, 0, '\t', '.') +
                            WriteTextLogRow(saved, 1, '\t', '.');
    EXPECT_EQ(log, "(X)\ta(Y)\tb(Y)\r\n1\t10\t11\r\n2\t20\tNull\r\n");
    Channels loaded{{"a", {}}, {"b", {}}};
    ReadDataFile(log, loaded, '.');
    ASSERT_EQ(loaded.Points(1).size(), 2u);
    EXPECT_EQ(loaded.Points(1)[1].mark, idpmNull);
    EXPECT_EQ(loaded.Points(1)[1].x, 2);
}

TEST(PlotDataFile, CompactFormKeepsXOnlyForTheFirstTwoRows) {
    Channels saved{{"c", {{10, 1}, {10.5, 2}, {11, 3}}}};
    const std::string bytes = WriteCompactDataFile(saved);
    EXPECT_EQ(bytes, "Compact Interval\r\n1\r\n" + Floats({10, 1, 10.5f, 2, 3, 2e38f}));
    Channels loaded{{"c", {}}};
    ReadDataFile(bytes, loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 3u);
    EXPECT_EQ(loaded.Points(0)[1].x, 10.5);
    EXPECT_EQ(loaded.Points(0)[2].x, 0);  // an interval channel ignores it
    EXPECT_EQ(loaded.Points(0)[2].y, 3);
}

TEST(PlotDataFile, CompactFormMarksMissingPointsAndRefusesCutFloats) {
    Channels saved{{"a", {{1, 1}, {2, 2}}}, {"b", {{1, 5}}}};
    const std::string bytes = WriteCompactDataFile(saved);
    Channels loaded{{"a", {}}, {"b", {}}};
    ReadDataFile(bytes, loaded, '.');
    EXPECT_EQ(loaded.Points(0).size(), 2u);
    EXPECT_EQ(loaded.Points(1).size(), 1u);

    Channels cut{{"a", {}}};
    const std::string truncated = "compact interval\n1\n" + Floats({1, 2}) + "\x01\x02";
    EXPECT_THROW(ReadDataFile(truncated, cut, '.'), TiDataFileError);
    EXPECT_EQ(cut.Points(0).size(), 1u);

    Channels none{{"a", {}}};
    ReadDataFile("Compact Interval\r\n0\r\n" + Floats({1, 2, 3}), none, '.');
    EXPECT_TRUE(none.Points(0).empty());
    EXPECT_THROW(ReadDataFile("Compact Interval\r\nxyz\r\n", none, '.'), TiDataFileError);
}

TEST(PlotDataFile, BinaryGarbageLoadsNothingAndNeverCrashes) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(char((i * 7919) & 0xFF));
    Channels loaded{{"a", {{1, 2}}}, {"b", {}}};
    EXPECT_THROW(ReadDataFile(garbage, loaded, '.'), TiDataFileError);
    ReadDataFile("", loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 1u);
    EXPECT_EQ(loaded.Points(0)[0].x, 1);
    EXPECT_EQ(loaded.Points(0)[0].y, 2);
    EXPECT_TRUE(loaded.Points(1).empty());
}

// What one form saves the other loads, or the value is refused at load: the
// compact form treats an infinity or a NaN as a missing value, since the
// text form cannot hold it.
TEST(PlotDataFile, CompactFormSkipsValuesTheTextFormCannotHold) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Channels loaded{{"a", {}}};
    ReadDataFile("Compact Interval\r\n1\r\n" + Floats({0, 1, 1, -inf, nan, 7, 2e38f}), loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 2u);
    EXPECT_EQ(loaded.Points(0)[0].y, 1);
    EXPECT_EQ(loaded.Points(0)[1].y, 7);
    Channels reloaded{{"a", {}}};
    ReadDataFile(WriteTextDataFile(loaded, '\t', '.'), reloaded, '.');
    EXPECT_EQ(reloaded.Points(0).size(), 2u);
}

// A file of one channel is read a block of floats at a time: values it
// cannot hold (infinities, NaNs, 9e37 and up) are skipped and the end mark
// stops it wherever they fall, inside a block or on a block's edge, as a
// float-by-float reading does.
TEST(PlotDataFile, OneChannelCompactFilesSkipAndStopWhereverTheMarksFall) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> odd = {-inf,  inf,     std::numeric_limits<float>::quiet_NaN(), 1e38f,
                                    9e37f, 8.9e37f, -std::numeric_limits<float>::max()};
    std::mt19937 random(5);
    size_t turn = 0;
    for (const size_t end : {size_t{0}, size_t{3}, size_t{511}, size_t{512}, size_t{1024},
                             size_t{1300}, size_t{2999}}) {
        // Each block of 512 holds one odd value, a different kind in each
        // block and each turn.
        std::vector<float> ys(3000);
        for (size_t i = 0; i < ys.size(); ++i)
            ys[i] = float(i) * 0.25f - 100;
        for (size_t block = 0; block * 512 < ys.size(); ++block)
            ys[std::min(block * 512 + random() % 512, ys.size() - 1)] =
                odd[(block + turn) % odd.size()];
        ++turn;
        if (end > 0)
            ys[end] = 2e38f;
        std::string bytes = "Compact Interval\r\n1\r\n" + Floats({1, 2, 1.5f, 3});
        for (const float y : ys)
            bytes += Floats({y});
        std::vector<Point> expected = {{1, 2}, {1.5, 3}};
        for (size_t i = 0; i < ys.size() && !(ys[i] > 1.5e38f); ++i)
            if (std::isfinite(ys[i]) && ys[i] < 9e37f)
                expected.push_back({0, ys[i]});
        Channels loaded{{"a", {}}};
        ReadDataFile(bytes, loaded, '.');
        const std::vector<Point>& got = loaded.Points(0);
        ASSERT_EQ(got.size(), expected.size()) << "end at " << end;
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].x, expected[i].x) << i;
            ASSERT_EQ(got[i].y, expected[i].y) << i;
        }
    }
}

// The compact form reads a float above 1.5e38 as the end of the rows: a point
// that large, or past the float range, is saved as missing, so that it costs
// only its own point and not every point after it. The log's rows likewise.
TEST(PlotDataFile, CompactFormSavesValuesItCannotReadAsMissing) {
    const double inf = std::numeric_limits<double>::infinity();
    Channels saved{{"a",
                    {{0, 1},
                     {1, 1.6e38},
                     {2, 1e300},
                     {3, inf},
                     {4, -1e300},
                     {5, std::nan("")},
                     {6, -3e38},
                     {7, 8.5e37},
                     {8, 9}}}};
    const std::string bytes = WriteCompactDataFile(saved);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), Floats({2e38f}));
    Channels loaded{{"a", {}}};
    ReadDataFile(bytes, loaded, '.');
    std::vector<double> ys;
    for (const Point& p : loaded.Points(0))
        ys.push_back(p.y);
    EXPECT_EQ(ys, (std::vector<double>{1, double(-3e38f), double(8.5e37f), 9}));

    const std::string logRow = WriteCompactLogRow(saved, 1, true);
    EXPECT_EQ(logRow, Floats({1, 1e38f}));
}

// Fifteen digits round the largest doubles past the range ("1.79769313486232E308")
// and the smallest subnormals out of their exact form: both still load.
// Short plain decimals take a path of their own; every text must still read
// as the nearest double, exactly as from_chars rounds it, at the edges of
// that path too (15 and 16 digits, leading zeros, a point at either end).
TEST(PlotDataFile, DecimalsReadAsTheNearestDouble) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digitCount(1, 17);
    std::uniform_int_distribution<int> digit(0, 9);
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.",
                                      ".5",
                                      "-.5",
                                      "1.",
                                      "000000000000001",
                                      "0.000000000000001",
                                      "999999999999999",
                                      "9999999999999999",
                                      "0.1",
                                      "0.3",
                                      "-12.345",
                                      "123456789.012345",
                                      "1234567890123456"};
    for (int i = 0; i < 300000; ++i) {
        const int count = digitCount(random);
        std::string text;
        for (int k = 0; k < count; ++k)
            text += char('0' + digit(random));
        text.insert(std::uniform_int_distribution<int>(0, count)(random), ".");
        if (random() % 2)
            text.insert(0, "-");
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        double expected = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_TRUE(ec == std::errc{} && end == text.data() + text.size()) << text;
        const double read = ReadDataNumber(text, '.');
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected))
            << text;
        // Either separator reads where the other is the user's.
        std::string withComma = text;
        std::replace(withComma.begin(), withComma.end(), '.', ',');
        for (const auto& [field, separator] :
             {std::pair{withComma, ','}, std::pair{withComma, '.'}, std::pair{text, ','}})
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadDataNumber(field, separator)),
                      std::bit_cast<std::uint64_t>(expected))
                << field << " with " << separator;
    }
    // A separator the file cannot mean is refused, as a second one is.
    EXPECT_EQ(ReadDataNumber("1;5", ';'), 1.5);
    for (const char* bad : {"1.5", "1,5"})
        EXPECT_THROW(ReadDataNumber(bad, ';'), TiDataFileError) << bad;
    EXPECT_THROW(ReadDataNumber("1.5,2", '.'), TiDataFileError);
    for (const char* bad : {"", "-", ".", "-.", "1.2.3", "1-2", "--1", "1e", "0x10", "1 2"})
        EXPECT_THROW(ReadDataNumber(bad, '.'), TiDataFileError) << bad;
}

TEST(PlotDataFile, TextFormLoadsTheExtremesItSaves) {
    const double largest = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    Channels saved{{"a", {{-largest, largest}, {tiniest, -tiniest}, {1e-310, 2}}}};
    Channels loaded{{"a", {}}};
    ReadDataFile(WriteTextDataFile(saved, '\t', '.'), loaded, '.');
    ASSERT_EQ(loaded.Points(0).size(), 3u);
    EXPECT_EQ(loaded.Points(0)[0].x, -largest);
    EXPECT_EQ(loaded.Points(0)[0].y, largest);
    EXPECT_EQ(loaded.Points(0)[1].x, tiniest);
    EXPECT_EQ(loaded.Points(0)[1].y, -tiniest);
    EXPECT_DOUBLE_EQ(loaded.Points(0)[2].x, 1e-310);
    // Past what the writer can produce is still no number.
    for (const char* bad : {"1.79769313486233E308", "-1.8e308", "1e400"}) {
        Channels c{{"a", {}}};
        EXPECT_THROW(ReadDataFile(std::string("a(X)\ta(Y)\n1\t") + bad, c, '.'), TiDataFileError)
            << bad;
    }
}

// Rows are fetched a batch at a time and written into room taken for many
// rows at once: files of many rows, and rows wider than a whole block, come
// back point for point in both forms.
TEST(PlotDataFile, ManyAndWideRowsReadBackWhole) {
    const auto fill = [](int channels, int longest) {
        Channels source{};
        for (int c = 0; c < channels; ++c) {
            Channel channel{"c" + std::to_string(c), {}};
            const int count = c == 1 ? longest / 2 : (c == 2 ? std::min(3, longest) : longest);
            for (int i = 0; i < count; ++i)
                channel.points.push_back({i * 0.5, (i % 1000) * 0.25 - c});
            source.AddChannelForTest(channel);
        }
        return source;
    };
    for (const auto& [channels, rows] : {std::pair{3, 5000}, std::pair{20000, 3}}) {
        const Channels source = fill(channels, rows);
        for (const bool compact : {false, true}) {
            Channels loaded = fill(channels, 0);
            const std::string bytes =
                compact ? WriteCompactDataFile(source) : WriteTextDataFile(source, '\t', '.');
            ReadDataFile(bytes, loaded, '.');
            for (int c = 0; c < channels; ++c) {
                const std::vector<Point>& want = source.Points(c);
                const std::vector<Point>& got = loaded.Points(c);
                ASSERT_EQ(got.size(), want.size()) << c << (compact ? " compact" : " text");
                for (size_t i = 0; i < want.size(); ++i) {
                    // The compact form keeps X for the first two rows only.
                    ASSERT_EQ(got[i].x, compact && i >= 2 ? 0.0 : want[i].x) << c << "/" << i;
                    ASSERT_EQ(got[i].y, want[i].y) << c << "/" << i;
                }
            }
        }
    }
}

// Rows of plain numbers are read in one pass, any other row field by field:
// both ways must give what splitting each row and reading each field gives,
// for rows that mix plain numbers (with either decimal point, 15 and 16
// digits), blanks, marks, exponents, empty fields, missing Y fields, trailing
// separators and more columns than there are channels.
TEST(PlotDataFile, RowsReadAsTheirFieldsDoHoweverTheyMixPlainNumbersAndOthers) {
    std::mt19937_64 random(11);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const auto plainNumber = [&](char point) {
        std::string text;
        const int digits = 1 + pick(16);
        for (int k = 0; k < digits; ++k)
            text += char('0' + pick(10));
        if (pick(3) > 0)
            text.insert(size_t(pick(digits + 1)), 1, point);
        return pick(2) ? "-" + text : text;
    };
    // Marks only where a Y stands: an X that is not a number fails the file.
    const auto field = [&](char point, bool isY) -> std::string {
        switch (pick(12)) {
            case 0:
                return "";
            case 1:
                return pick(2) ? " " + plainNumber(point) : plainNumber(point) + " ";
            case 2:
                return plainNumber(point) + "E" + std::to_string(pick(20) - 10);
            case 3:
                return isY ? (pick(2) ? "Null" : "empty") : plainNumber(point);
            default:
                return plainNumber(point);
        }
    };
    struct Case {
        char columns, decimal, written;
    };
    for (const Case form : {Case{'\t', '.', '.'}, Case{'\t', '.', ','}, Case{'\t', ',', '.'},
                            Case{',', '.', '.'}, Case{',', ',', '.'}}) {
        SCOPED_TRACE(testing::Message() << "columns " << int(form.columns) << ", decimal "
                                        << form.decimal << ", written " << form.written);
        std::string file = "a(X)" + std::string(1, form.columns) + "a(Y)\r\n";
        Channels expected{{"a", {}}, {"b", {}}};
        for (int row = 0; row < 20000; ++row) {
            std::vector<std::string> fields;
            for (int k = pick(7); k > 0; --k)
                fields.push_back(pick(4) ? plainNumber(form.written)
                                         : field(form.written, fields.size() % 2 == 1));
            std::string line;
            for (size_t k = 0; k < fields.size(); ++k)
                line += (k ? std::string(1, form.columns) : "") + fields[k];
            if (pick(5) == 0)
                line += form.columns;
            file += line + "\r\n";
            // What the file means, a field at a time.
            for (size_t i = 0; i < 2 && 2 * i + 1 < fields.size(); ++i) {
                if (fields[2 * i].empty() || fields[2 * i + 1].empty())
                    continue;
                const double x = ReadDataNumber(fields[2 * i], form.decimal);
                const std::string& y = fields[2 * i + 1];
                if (y == "Null")
                    expected.AddPoint(int(i), x, 0, idpmNull);
                else if (y == "empty")
                    expected.AddPoint(int(i), x, 0, idpmEmpty);
                else
                    expected.AddPoint(int(i), x, ReadDataNumber(y, form.decimal), idpmNormal);
            }
        }
        Channels loaded{{"a", {}}, {"b", {}}};
        ReadDataFile(file, loaded, form.decimal);
        for (int c = 0; c < 2; ++c) {
            const std::vector<Point>& want = expected.Points(c);
            const std::vector<Point>& got = loaded.Points(c);
            ASSERT_EQ(got.size(), want.size()) << c;
            for (size_t i = 0; i < want.size(); ++i) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(got[i].x),
                          std::bit_cast<std::uint64_t>(want[i].x))
                    << c << "/" << i;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(got[i].y),
                          std::bit_cast<std::uint64_t>(want[i].y))
                    << c << "/" << i;
                ASSERT_EQ(got[i].mark, want[i].mark) << c << "/" << i;
            }
        }
    }
}

// A file is read from its stream a chunk at a time: rows, a CR LF and a float
// that straddle the chunks' edges read as they do from memory.
TEST(PlotDataFile, StreamedFilesReadLikeFilesInMemory) {
    constexpr size_t kChunk = size_t{1} << 20;
    std::string text = "a(X)\ta(Y)\r\n";
    for (int i = 0; text.size() < kChunk - 40; ++i)
        text += std::to_string(i) + "\t" + std::to_string(i % 97) + "\r\n";
    // A row whose CR is the last byte of the first chunk.
    const std::string row = "7\t8";
    text += std::string(kChunk - 1 - text.size() - row.size(), ' ') + row + "\r\n";
    for (int i = 0; text.size() < 3 * kChunk; ++i)
        text += std::to_string(i) + ".25\tNull\n";
    std::string compact = "Compact Interval\r\n1\r\n" + Floats({0, 1, 1, 2});
    for (int i = 0; compact.size() < 2 * kChunk + 7; ++i)
        compact += Floats({float(i % 1000)});
    compact += Floats({2e38f});

    for (const std::string& bytes : {text, compact}) {
        Channels fromMemory{{"a", {}}};
        ReadDataFile(bytes, fromMemory, '.');
        Channels fromStream{{"a", {}}};
        std::istringstream stream(bytes);
        ReadDataFile(stream, fromStream, '.');
        ASSERT_GT(fromMemory.Points(0).size(), 100000u);
        ASSERT_EQ(fromStream.Points(0).size(), fromMemory.Points(0).size());
        for (size_t i = 0; i < fromMemory.Points(0).size(); ++i) {
            ASSERT_EQ(fromStream.Points(0)[i].x, fromMemory.Points(0)[i].x) << i;
            ASSERT_EQ(fromStream.Points(0)[i].y, fromMemory.Points(0)[i].y) << i;
            ASSERT_EQ(fromStream.Points(0)[i].mark, fromMemory.Points(0)[i].mark) << i;
        }
    }
}

// Another program cuts the file short while it is being read (a log being
// rotated, a copy overwritten): the reader stops at the new end, with the
// points it read before it, or refuses what the cut left half-written.
TEST(PlotDataFile, FileTruncatedWhileBeingReadKeepsWhatWasRead) {
    // Four megabytes of points whose Y is their index plus 2.
    std::string text = "a(X)\ta(Y)\r\n";
    for (int i = 2; text.size() < (size_t{4} << 20); ++i)
        text += std::to_string(i) + "\t" + std::to_string(i) + "\r\n";
    std::string compact = "Compact Interval\r\n1\r\n" + Floats({0, 2, 1, 3});
    for (int i = 4; compact.size() < (size_t{4} << 20); ++i)
        compact += Floats({float(i)});
    const std::string path = testing::TempDir() + "/truncated-while-read.dat";
    // A sink that cuts the file to `cutAt` bytes at its 1000th point, inside
    // the first of the reader's chunks.
    struct TCuttingSink : Channels {
        TCuttingSink(std::string path, long cutAt)
            : Channels{{"a", {}}}, path(path), cutAt(cutAt) {}
        void AddPoint(int c, double x, double y, TiDataPointMark mark) override {
            if (Points(0).size() == 1000) {
                EXPECT_EQ(truncate(path.c_str(), cutAt), 0);
            }
            Channels::AddPoint(c, x, y, mark);
        }
        std::string path;
        long cutAt;
    };
    for (const std::string& bytes : {text, compact}) {
        for (const long cutAt : {0L, (3L << 19) + 1, (5L << 19) + 3}) {
            {
                std::FILE* file = std::fopen(path.c_str(), "wb");
                ASSERT_NE(file, nullptr);
                std::fwrite(bytes.data(), 1, bytes.size(), file);
                std::fclose(file);
            }
            TCuttingSink sink(path, cutAt);
            std::ifstream stream(path, std::ios::binary);
            try {
                ReadDataFile(stream, sink, '.');
            } catch (const TiDataFileError& error) {
                EXPECT_STREQ(error.what(), "Invalid Data") << "only a half-written float";
            }
            const std::vector<Point>& points = sink.Points(0);
            ASSERT_GE(points.size(), 1000u) << "what was read before the cut stays";
            EXPECT_LT(points.size(), 4u << 20) << "nothing past the cut is made up";
            // Every point is one the file held; a text row the cut went
            // through may lose its last digits.
            for (size_t i = 0; i + 1 < points.size(); ++i) {
                ASSERT_EQ(points[i].y, double(i + 2)) << i;
            }
            EXPECT_LE(points.back().y, double(points.size() + 1));
        }
    }
    std::remove(path.c_str());

    // A file that ends on the edge of the reader's 1 MiB chunks inside a line
    // without its end: the last read brings nothing, and the line counts.
    std::string edge = "a(X)\ta(Y)\r\n";
    while (edge.size() < (size_t{1} << 20) - 20)
        edge += "1\t1\r\n";
    edge += std::string((size_t{1} << 20) - edge.size() - 3, ' ') + "2\t2";
    ASSERT_EQ(edge.size(), size_t{1} << 20);
    Channels fromEdge{{"a", {}}};
    std::istringstream edgeStream(edge);
    ReadDataFile(edgeStream, fromEdge, '.');
    ASSERT_FALSE(fromEdge.Points(0).empty());
    EXPECT_EQ(fromEdge.Points(0).back().x, 2);
    EXPECT_EQ(fromEdge.Points(0).back().y, 2);
}

// A channel's data file is parsed from bytes alone: the first line picks the
// separator for all, parts are trimmed, "Null" marks keep their place among
// the plain points, rows without a separator or an X are skipped, and a fault
// keeps the points before it.
TEST(PlotDataFile, ChannelDataFileReadsRowsInOrder) {
    Channels tabbed{{"c", {}}};
    ReadChannelDataFile(" 1.5 \t 2 \r\n2\tnull\n3,4\n\t9\n4\tNULL\r\n5\t6", tabbed, '.');
    ASSERT_EQ(tabbed.Points(0).size(), 4u);
    EXPECT_EQ(tabbed.Points(0)[0].x, 1.5);
    EXPECT_EQ(tabbed.Points(0)[0].y, 2.0);
    EXPECT_EQ(tabbed.Points(0)[1].mark, idpmNull);
    EXPECT_EQ(tabbed.Points(0)[2].mark, idpmNull);
    EXPECT_EQ(tabbed.Points(0)[2].x, 4.0);
    EXPECT_EQ(tabbed.Points(0)[3].y, 6.0);

    Channels comma{{"c", {}}};
    ReadChannelDataFile("0;5\n1,2\n", comma, '.');  // no tab on the first line: commas
    ASSERT_EQ(comma.Points(0).size(), 1u);
    EXPECT_EQ(comma.Points(0)[0].y, 2.0);
    ReadChannelDataFile("0,5\t1,25\n", comma, ',');
    ASSERT_EQ(comma.Points(0).size(), 2u);
    EXPECT_EQ(comma.Points(0)[1].y, 1.25);

    Channels cut{{"c", {}}};
    EXPECT_THROW(ReadChannelDataFile("1\t2\n3\t4\n5\tx\n7\t8\n", cut, '.'), TiDataFileError);
    EXPECT_EQ(cut.Points(0).size(), 2u);
    Channels runaway{{"c", {}}};
    try {
        ReadChannelDataFile("1\t2\n" + std::string(5000, '7') + "\n", runaway, '.');
        ADD_FAILURE() << "a runaway line is refused";
    } catch (const TiDataFileError& error) {
        EXPECT_STREQ(error.what(), "Invalid Data");
    }
    EXPECT_EQ(runaway.Points(0).size(), 1u);
}
