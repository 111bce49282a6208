// Saved data files byte for byte against files that earlier builds wrote
// from the same plot: readers elsewhere depend on every digit and separator.
// Each saved value also reads back to the value the channel held.
#include <gtest/gtest.h>
#include <QLocale>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include "ScratchFiles.h"
#include "plot/iPlot.h"
#include "plot/iPlotChannel.h"

namespace {

std::string DataPath(const char* name) {
    return std::string(KELVANE_PLOT_TEST_DATA) + "/" + name;
}

// Values that take each way through the number writer: short decimals,
// thresholds of the plain and the exponent form, 17-digit mantissas, tiny,
// huge and not finite values, and random bit patterns over every exponent.
std::vector<double> AwkwardValues() {
    std::vector<double> values = {0,
                                  -0.0,
                                  1,
                                  -2.25,
                                  0.1 + 0.2,
                                  1.0 / 3,
                                  100,
                                  1e14,
                                  1e15,
                                  1e20,
                                  1.5e-7,
                                  0.0001,
                                  0.00001,
                                  123456789012345,
                                  123456789012345678.0,
                                  999999999.999999,
                                  999999999999999.9,
                                  5e-324,
                                  2.2250738585072014e-308,
                                  1.7976931348623157e308,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    // The generator's output is fixed by the standard, so are these values.
    std::mt19937_64 bits(20260101);
    for (int i = 0; i < 200; ++i) {
        const double value = std::bit_cast<double>(bits());
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (int i = 0; i < 200; ++i) {
        const auto whole = std::int64_t(bits() % 2000000000) - 1000000000;
        values.push_back(double(whole) / std::pow(10.0, double(bits() % 12)));
    }
    return values;
}

// Channels of every data style, two of them rings that have wrapped, with
// null and empty points and different lengths; of the values, those `kept`.
template <class Keep>
void FillPlot(TiPlot& plot, Keep&& kept) {
    std::vector<double> values;
    for (double value : AwkwardValues())
        if (kept(value))
            values.push_back(value);
    while (plot.ChannelCount() < 5)
        plot.AddChannel();
    const TiPlotDataStyle styles[] = {ipdsStandard, ipdsCompact, ipdsCompactInterval,
                                      ipdsFullFeature, ipdsStandard};
    for (int c = 0; c < 5; ++c) {
        TiPlotChannel& channel = *plot.Channel(c);
        channel.SetDataStyle(styles[c]);
        channel.SetTitleText(c == 0 ? "数据" : "ch" + std::to_string(c));
        channel.SetXAxisTrackingEnabled(false);
        channel.SetYAxisTrackingEnabled(false);
    }
    plot.Channel(2)->SetRingBufferSize(150);
    plot.Channel(4)->SetRingBufferSize(40);
    for (size_t i = 0; i < values.size(); ++i) {
        const double x = double(i) * 0.001;
        plot.Channel(0)->AddXY(values[i], values[values.size() - 1 - i]);
        // The float channels would hold an infinity for what is beyond them.
        const double small = std::fabs(values[i]) < 3e38 ? values[i] : 0.0;
        plot.Channel(1)->AddXY(x, small);
        plot.Channel(2)->AddXY(x * 10, small);
        if (i < values.size() / 2)
            plot.Channel(3)->AddXY(values[i], x);
        if (i < 100)
            plot.Channel(4)->AddXY(x, double(i) - 50.5);
    }
    for (int i = 3; i < plot.Channel(0)->Count(); i += 17)
        plot.Channel(0)->SetNull(i, true);
    for (int i = 5; i < plot.Channel(3)->Count(); i += 13)
        plot.Channel(3)->SetEmpty(i, true);
    plot.Channel(3)->SetNull(1, true);
    plot.Channel(4)->SetEmpty(7, true);
}

// Where two byte strings first differ, for a readable failure.
std::string FirstDifference(const std::string& saved, const std::string& expected) {
    size_t at = 0;
    while (at < saved.size() && at < expected.size() && saved[at] == expected[at])
        ++at;
    if (at == saved.size() && at == expected.size())
        return "none";
    return "at byte " + std::to_string(at) + " of " + std::to_string(saved.size()) + " (expected " +
           std::to_string(expected.size()) + "): \"" + saved.substr(at, 40) + "\" instead of \"" +
           expected.substr(at, 40) + "\"";
}

// What a value reads back as from text: its 15-digit form, read by C.
double ThroughFifteenDigits(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    return std::strtod(text, nullptr);
}

bool SameValue(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

class DataFileBytes : public ::testing::Test, public ScratchFiles {
  protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::string Saved(TiPlot& plot, TiPlotDataFileFormat format,
                      TiPlotDataFileColumnSeparator separator) {
        plot.SetDataFileFormat(format);
        plot.SetDataFileColumnSeparator(separator);
        plot.SaveDataToFile(Path("saved"));
        return Read(Path("saved"));
    }
    void ExpectSavedAs(TiPlotDataFileFormat format, TiPlotDataFileColumnSeparator separator,
                       const char* golden) {
        TiPlot plot;
        FillPlot(plot, [](double) { return true; });
        EXPECT_EQ(FirstDifference(Saved(plot, format, separator), Read(DataPath(golden))), "none");
    }
    // Saves a plot of the values `kept` in `format`, loads the file into
    // full-feature channels and checks each point against the one saved.
    template <class Keep, class Check>
    void ExpectReadBack(TiPlotDataFileFormat format, Keep&& kept, Check&& check) {
        TiPlot source;
        FillPlot(source, kept);
        Saved(source, format, ipdfcsTab);
        TiPlot loaded;
        LoadInto(loaded, ipdsFullFeature, Path("saved"));
        for (int c = 0; c < 5; ++c) {
            const TiPlotChannel& from = *source.Channel(c);
            const TiPlotChannel& back = *loaded.Channel(c);
            ASSERT_EQ(back.Count(), from.Count()) << "channel " << c;
            for (int i = 0; i < from.Count(); ++i) {
                check(from, back, i);
                ASSERT_FALSE(HasFailure()) << "channel " << c << ", point " << i;
            }
        }
    }
    // A fresh plot of as many channels, each in `style`, loaded from `file`.
    static void LoadInto(TiPlot& plot, TiPlotDataStyle style, const std::string& file) {
        while (plot.ChannelCount() < 5)
            plot.AddChannel();
        for (int c = 0; c < 5; ++c)
            plot.Channel(c)->SetDataStyle(style);
        plot.LoadDataFromFile(file);
    }
};

}  // namespace

TEST_F(DataFileBytes, TextFormWithTabsIsUnchanged) {
    ExpectSavedAs(ipdffText, ipdfcsTab, "saved-text-tab.txt");
}

TEST_F(DataFileBytes, TextFormWithCommasIsUnchanged) {
    ExpectSavedAs(ipdffText, ipdfcsComma, "saved-text-comma.txt");
}

TEST_F(DataFileBytes, TextFormWithDecimalCommasIsUnchanged) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ExpectSavedAs(ipdffText, ipdfcsTab, "saved-text-decimal-comma.txt");
}

TEST_F(DataFileBytes, CompactFormIsUnchanged) {
    ExpectSavedAs(ipdffCompactInterval, ipdfcsTab, "saved-compact.bin");
}

// Every point comes back where it was, as its 15-digit text reads, with its
// null or empty mark.
TEST_F(DataFileBytes, TextFormReadsBackEveryValue) {
    // What the text form cannot hold ("inf", "nan") it cannot read either;
    // nor the largest doubles, whose 15 digits round beyond them.
    ExpectReadBack(
        ipdffText, [](double value) { return std::fabs(value) < 1e308; },
        [](const TiPlotChannel& from, const TiPlotChannel& back, int i) {
            EXPECT_EQ(back.GetNull(i), from.GetNull(i));
            EXPECT_EQ(back.GetEmpty(i), from.GetEmpty(i));
            EXPECT_TRUE(SameValue(back.GetX(i), ThroughFifteenDigits(from.GetX(i))))
                << back.GetX(i) << " for " << from.GetX(i);
            if (!from.GetNull(i) && !from.GetEmpty(i)) {
                EXPECT_TRUE(SameValue(back.GetY(i), ThroughFifteenDigits(from.GetY(i))))
                    << back.GetY(i) << " for " << from.GetY(i);
            }
        });
}

// Floats keep every bit: each Y, and X where the form keeps it (the first
// two rows; after them the reader adds X 0).
TEST_F(DataFileBytes, CompactFormReadsBackEveryFloat) {
    // A float above 1.5e38 ends the form's rows.
    ExpectReadBack(
        ipdffCompactInterval, [](double value) { return std::fabs(value) < 1e38; },
        [](const TiPlotChannel& from, const TiPlotChannel& back, int i) {
            const double x = i < 2 ? double(float(from.GetX(i))) : 0.0;
            EXPECT_TRUE(SameValue(back.GetX(i), x));
            EXPECT_TRUE(SameValue(back.GetY(i), double(float(from.GetY(i)))));
        });
}

// The compact styles hand their floats to the writer as they store them.
// What that writes must be what the same floats give through a standard
// channel, point by point: in every row and column, for a wrapped ring, for
// channels of different lengths, over more rows than the writer takes at a
// time, and for floats the form cannot hold as they are (past 1.5e38, the
// infinities, not a number).
TEST_F(DataFileBytes, CompactStylesWriteTheirFloatsAsAStandardChannelOfThemWould) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {1.6e38, 3e38, 1e300, inf, -inf, -1e300, std::nan(""), 8.9e37};
    for (double value : AwkwardValues())
        values.push_back(value);
    TiPlot compact;
    TiPlot standard;
    const TiPlotDataStyle styles[] = {ipdsCompactInterval, ipdsCompact, ipdsCompactInterval};
    for (int c = 0; c < 3; ++c) {
        if (c > 0) {
            compact.AddChannel();
            standard.AddChannel();
        }
        compact.Channel(c)->SetDataStyle(styles[c]);
    }
    compact.Channel(2)->SetRingBufferSize(97);
    for (size_t i = 0; i < values.size(); ++i) {
        compact.Channel(0)->AddXY(double(i) * 0.5, values[i]);
        compact.Channel(1)->AddXY(values[values.size() - 1 - i], values[i]);
        compact.Channel(2)->AddXY(double(i), values[(i * 7) % values.size()]);
    }
    for (int i = 0; i < 5; ++i)
        compact.Channel(1)->AddXY(0, 1);
    // Rows enough for several of the writer's batches.
    for (int i = 0; i < 9000; ++i)
        compact.Channel(0)->AddXY(0, std::sin(i * 0.01) * 1e3);
    for (int c = 0; c < 3; ++c) {
        const TiPlotChannel& from = *compact.Channel(c);
        for (int i = 0; i < from.Count(); ++i)
            standard.Channel(c)->AddXY(from.GetX(i), from.GetY(i));
    }
    const std::string saved = Saved(compact, ipdffCompactInterval, ipdfcsTab);
    EXPECT_EQ(FirstDifference(saved, Saved(standard, ipdffCompactInterval, ipdfcsTab)), "none");
    // Header, rows, end: every row of the longest channel is there.
    const size_t rows = size_t(compact.Channel(0)->Count());
    EXPECT_EQ(saved.size(), std::string("Compact Interval\r\n3\r\n").size() + 2 * 3 * 8 +
                                (rows - 2) * 3 * 4 + 4);
}
