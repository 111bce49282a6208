// The chart CSV: its header and rows, reading them back exactly, headers
// that come again with more channels, and rows that are not numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "feed/ChartCsv.h"
#include "plot/iPlotDataFiles.h"

namespace {

struct TPoint {
    int channel;
    double x, y;
    bool operator==(const TPoint&) const = default;
};

class TPointSink : public TDataFileSink {
  public:
    int ChannelCount() const override { return 32; }
    void AddPoint(int channel, double x, double y, TiDataPointMark) override {
        points.push_back({channel, x, y});
    }
    std::vector<TPoint> points;
};

}  // namespace

TEST(ChartCsv, HeaderAndRowsAsSpreadsheetsReadThem) {
    EXPECT_EQ(ChartCsvHeader({"数据", "a,b", "say \"hi\""}),
              "time_s,数据,\"a,b\",\"say \"\"hi\"\"\"\r\n");
    EXPECT_EQ(ChartCsvHeader({}), "time_s\r\n");
    std::string rows;
    const std::vector<std::optional<double>> values{3, std::nullopt, -0.25};
    AppendChartCsvRow(rows, 12.5, values);
    AppendChartCsvRow(rows, 1e-7, std::vector<std::optional<double>>{std::nullopt});
    EXPECT_EQ(rows, "12.5,3,,-0.25\r\n1e-07,\r\n");
}

TEST(ChartCsv, EveryNumberReadsBackExactly) {
    const std::vector<double> xs{0.1 + 0.2, 3600.123456789012, 1.0 / 3, 5e-324, 1.7976931348623157e308};
    std::string text = ChartCsvHeader({"a", "b"});
    for (double x : xs)
        AppendChartCsvRow(text, x, std::vector<std::optional<double>>{-x, x / 7});
    TPointSink sink;
    TChartCsvReader reader;
    reader.ReadLines(text, sink);
    ASSERT_EQ(sink.points.size(), 2 * xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        EXPECT_EQ(sink.points[2 * i], (TPoint{0, xs[i], -xs[i]}));
        EXPECT_EQ(sink.points[2 * i + 1], (TPoint{1, xs[i], xs[i] / 7}));
    }
    EXPECT_EQ(reader.Titles(), (std::vector<std::string>{"a", "b"}));
}

TEST(ChartCsv, ALaterHeaderRenamesAndAddsChannelsByPosition) {
    TPointSink sink;
    TChartCsvReader reader;
    // Read in pieces of whole lines, as a big file is, LF or CR LF alike.
    reader.ReadLines("time_s,数据\n1,10\n", sink);
    reader.ReadLines("\r\ntime_s,a,\"b,c\"\r\n2,20,30\r\n3,,31", sink);
    EXPECT_EQ(reader.Titles(), (std::vector<std::string>{"a", "b,c"}));
    EXPECT_EQ(sink.points, (std::vector<TPoint>{{0, 1, 10}, {0, 2, 20}, {1, 2, 30}, {1, 3, 31}}));
    EXPECT_TRUE(IsChartCsvHeader("time_s,x"));
    EXPECT_TRUE(IsChartCsvHeader("time_s"));
    EXPECT_FALSE(IsChartCsvHeader("数据(X)\t数据(Y)"));
    EXPECT_FALSE(IsChartCsvHeader("time_seconds,x"));
}

TEST(ChartCsv, ARowThatIsNoNumbersStopsTheReadingAfterTheRowsBefore) {
    for (const char* bad : {"x,1", "2,abc", "2,1e999", "2,nan", ",5"}) {
        TPointSink sink;
        TChartCsvReader reader;
        try {
            reader.ReadLines(std::string("time_s,a\n1,1\n") + bad + "\n9,9\n", sink);
            ADD_FAILURE() << bad << " was read";
        } catch (const TiDataFileError& error) {
            EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
        }
        EXPECT_EQ(sink.points, (std::vector<TPoint>{{0, 1, 1}})) << bad;
    }
}
