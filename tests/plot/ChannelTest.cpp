#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <span>
#include <sstream>
#include <vector>

#include "ChannelTestSupport.h"
#include "plot/iPlotDataCompactList.h"

namespace {

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no exception";
}

std::string ReadFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

struct ChannelFixture : testing::Test {
    ChannelTestPlot plot;
    TiPlotChannel& channel = plot.Chan();
    QTemporaryDir dir;
    std::string PathOf(const char* name) { return dir.filePath(name).toStdString(); }
};

}  // namespace

TEST_F(ChannelFixture, StatisticsRunWithThePoints) {
    channel.AddXY(1, 10);
    channel.AddXY(2, -4);
    channel.AddXY(3, 3);
    EXPECT_EQ(channel.MaxY(), 10.0);
    EXPECT_EQ(channel.MinY(), -4.0);
    EXPECT_EQ(channel.MeanY(), 3.0);
    EXPECT_EQ(channel.MeanX(), 2.0);
    EXPECT_EQ(channel.StatCount(), 3);
    channel.SetNull(0, true);
    channel.RecalculateStatistics();
    EXPECT_EQ(channel.MaxY(), 3.0);
    EXPECT_EQ(channel.StatCount(), 2);
    channel.Clear();
    EXPECT_EQ(channel.MinX(), 1e300);
    EXPECT_EQ(channel.MaxY(), -1e300);
    EXPECT_EQ(channel.StatCount(), 0);
}

TEST_F(ChannelFixture, ElapsedSecondsComeFromAMonotonicClock) {
    using namespace std::chrono;
    steady_clock::time_point now{};
    channel.SetElapsedClockSource([&] { return now; });
    now += milliseconds(1500);
    channel.AddYAtElapsedSeconds(1);
    now += seconds(2);
    channel.Clear();  // keeps counting from creation
    channel.AddYAtElapsedSeconds(2);
    channel.AddYAtElapsedTime(3);
    EXPECT_GT(channel.GetX(0), 3.5 - 1e-3);
    EXPECT_LT(channel.GetX(0), 3.6);
    EXPECT_DOUBLE_EQ(channel.GetX(1) * 86400.0, channel.GetX(0));
    EXPECT_GT(channel.StartTime(), 40000.0);  // a real date, days since 1899
}

TEST_F(ChannelFixture, MeansKeepSmallValuesBesideHugeOnes) {
    channel.AddXY(0, 1e16);
    for (int i = 0; i < 1000; ++i)
        channel.AddXY(0, 1);
    // A plain double sum would lose every 1 beside 1e16.
    EXPECT_DOUBLE_EQ(channel.MeanY(), static_cast<double>((1e16L + 1000) / 1001));
    EXPECT_EQ(channel.MeanX(), 0.0);
}

// The running statistics are kept point by point, in runs or by the bulk
// adder; each must agree to the bit with a count over the stored points in
// the order they came.
TEST_F(ChannelFixture, RunningStatisticsEqualARecountWhereverTheyAreRead) {
    channel.SetXAxisTrackingEnabled(false);
    channel.SetYAxisTrackingEnabled(false);
    std::vector<double> xs, ys;
    double seed = 0.5;
    for (int i = 0; i < 1500; ++i) {
        seed = std::fmod(seed * 997.0 + 0.123456789, 1.0);
        xs.push_back(i * 0.1);
        ys.push_back((seed - 0.5) * std::pow(10.0, i % 17));  // magnitudes 1 .. 1e16
    }
    const auto expectRecountAgrees = [&](int added) {
        const double runningMeanX = channel.MeanX(), runningMeanY = channel.MeanY();
        const double runningMinY = channel.MinY(), runningMaxY = channel.MaxY();
        const double runningMaxX = channel.MaxX();
        const int runningCount = channel.StatCount();
        channel.RecalculateStatistics();
        EXPECT_EQ(runningCount, added);
        EXPECT_EQ(channel.StatCount(), added);
        EXPECT_EQ(runningMeanX, channel.MeanX()) << added;
        EXPECT_EQ(runningMeanY, channel.MeanY()) << added;
        EXPECT_EQ(runningMinY, channel.MinY()) << added;
        EXPECT_EQ(runningMaxY, channel.MaxY()) << added;
        EXPECT_EQ(runningMaxX, xs[added - 1]) << added;
    };
    int added = 0;
    // Read after one point, around a run's end, and far into a run.
    for (const int until : {1, 255, 256, 257, 700}) {
        for (; added < until; ++added)
            channel.AddXY(xs[added], ys[added]);
        expectRecountAgrees(added);
    }
    // Points waiting in a run when the bulk adder comes keep their place.
    for (; added < 800; ++added)
        channel.AddXY(xs[added], ys[added]);
    channel.AddXYs(std::span(xs).subspan(800), std::span(ys).subspan(800));
    expectRecountAgrees(1500);
}

TEST_F(ChannelFixture, PointsBetweenTwoPaintsAskForOneRepaint) {
    int asked = 0;
    channel.OnChange = [&](TiPlotObject*) { ++asked; };
    channel.AddXY(1, 1);
    channel.AddXY(2, 2);
    channel.AddXY(3, 3);
    EXPECT_EQ(asked, 1);
    plot.Render();
    channel.AddXY(4, 4);
    channel.AddXY(5, 5);
    EXPECT_EQ(asked, 2);
    // Other changes still ask for themselves.
    channel.SetNull(0, true);
    EXPECT_EQ(asked, 3);
}

// One NaN or infinite point must not make the mean NaN until Clear: the
// means are of the finite values, the extremes see the infinities.
TEST_F(ChannelFixture, NotANumberLeavesTheExtremesAndTheMeansAlone) {
    channel.AddXY(1, 5);
    channel.AddXY(NAN, NAN);
    channel.AddXY(2, -4);
    EXPECT_EQ(channel.MinX(), 1);
    EXPECT_EQ(channel.MaxX(), 2);
    EXPECT_EQ(channel.MinY(), -4);
    EXPECT_EQ(channel.MaxY(), 5);
    EXPECT_EQ(channel.StatCount(), 3);
    EXPECT_EQ(channel.MeanY(), 0.5);
    EXPECT_EQ(channel.MeanX(), 1.5);

    channel.AddXY(3, INFINITY);
    channel.AddXY(4, -INFINITY);
    channel.AddXY(5, 5);
    EXPECT_EQ(channel.MaxY(), INFINITY);
    EXPECT_EQ(channel.MinY(), -INFINITY);
    EXPECT_EQ(channel.MeanY(), 2.0);
    EXPECT_EQ(channel.MeanX(), 3.0);
    channel.RecalculateStatistics();
    EXPECT_EQ(channel.MeanY(), 2.0);
    EXPECT_EQ(channel.StatCount(), 6);
}

TEST_F(ChannelFixture, MarkersWidenWhatTheAxesTrack) {
    plot.Render();  // lays the axes out so pixels have a length
    plot.Y().SetMinSpan(0, 10);
    channel.AddXY(1, 5);
    EXPECT_EQ(plot.Y().Max(), 10) << "without markers a point inside leaves the range alone";
    channel.SetMarkersVisible(true);
    channel.SetMarkersSize(10);
    // Half a marker in Y units, measured on the range the point arrives at.
    const auto halfMarker = [&] {
        return std::fabs(plot.Y().PixelToPosition(20) - plot.Y().PixelToPosition(0)) / 2;
    };

    const double above = halfMarker();
    ASSERT_GT(above, 0.0);
    channel.AddXY(2, 10);  // its marker pokes out of the top edge
    EXPECT_DOUBLE_EQ(plot.Y().Min(), 0);
    EXPECT_DOUBLE_EQ(plot.Y().Max(), 10 + above);

    const double below = halfMarker();
    EXPECT_GT(below, above) << "the wider span makes the same pixels longer";
    channel.AddXY(3, 0);  // and this one out of the bottom edge
    EXPECT_DOUBLE_EQ(plot.Y().Min(), -below);
    EXPECT_DOUBLE_EQ(plot.Y().Span(), 10 + above);
}

TEST_F(ChannelFixture, DrawingRangeReachesOnePointBeyondTheView) {
    for (int i = 0; i < 100; ++i)
        channel.AddXY(i, i % 7);
    plot.X().SetMinSpan(20.5, 10);
    plot.Render();
    EXPECT_TRUE(channel.XIncreasing());
    EXPECT_EQ(channel.FirstVisible(), 20);
    EXPECT_EQ(channel.LastVisible(), 31);
    EXPECT_EQ(channel.IndexAtX(25.5), 26);
    double y = 0;
    ASSERT_TRUE(channel.ValueAtX(25, y));
    EXPECT_EQ(y, 25 % 7);
    EXPECT_FALSE(channel.ValueAtX(200, y));
    // One point in range still draws its marker but no line.
    channel.Clear();
    channel.AddXY(25, 5);
    plot.Render();
    EXPECT_EQ(channel.FirstVisible(), channel.LastVisible());
}

TEST_F(ChannelFixture, DataFilesRoundTripAndRejectGarbage) {
    channel.AddXY(0.5, 3);
    channel.AddXY(1.5, 7);
    channel.AddXY(2.5, 9);
    channel.SetNull(1, true);
    channel.SetEmpty(2, true);
    plot.SetDataFileColumnSeparator(ipdfcsTab);
    channel.SaveData(PathOf("data.txt"));
    EXPECT_EQ(ReadFile(PathOf("data.txt")), "0.5\t3\r\n1.5\tNull\r\n");
    channel.LoadData(PathOf("data.txt"), true);
    ASSERT_EQ(channel.Count(), 2);
    EXPECT_EQ(channel.GetY(0), 3.0);
    EXPECT_TRUE(channel.GetNull(1));

    // A compact channel loses the mark and plots the null point at 0.
    channel.SetDataStyle(ipdsCompact);
    channel.LoadData(PathOf("data.txt"), true);
    EXPECT_FALSE(channel.GetNull(1));
    EXPECT_EQ(channel.GetY(1), 0.0);

    channel.SetDataStyle(ipdsStandard);
    WriteFile(PathOf("bad.txt"), "1,2\r\nno separator\r\n,5\r\n3,abc\r\n4,5\r\n");
    EXPECT_EQ(MessageOf([&] { channel.LoadData(PathOf("bad.txt"), true); }),
              "'abc' is not a valid floating point value");
    EXPECT_EQ(channel.Count(), 1);  // the rows before the fault stay
    WriteFile(PathOf("binary.txt"), std::string(100000, 'x'));
    EXPECT_EQ(MessageOf([&] { channel.LoadData(PathOf("binary.txt"), true); }), "Invalid Data");
    channel.Clear();
    channel.SaveData(PathOf("empty.txt"));
    EXPECT_EQ(ReadFile(PathOf("empty.txt")), "");
}

// A channel's data file takes the numbers the plot's data file takes: the
// words a float parser would also accept are refused, not loaded as points
// that no file could hold.
TEST_F(ChannelFixture, DataFilesRefuseInfinityAndNotANumber) {
    for (const char* row : {"inf\t1", "1\tinf", "1\t-inf", "nan\t2", "1\tNaN", "1\t0x1p3"}) {
        WriteFile(PathOf("special.txt"), std::string("0\t5\r\n") + row + "\r\n");
        EXPECT_NE(MessageOf([&] {
                      channel.LoadData(PathOf("special.txt"), true);
                  }).find("is not a valid floating point value"),
                  std::string::npos)
            << row;
        EXPECT_EQ(channel.Count(), 1) << row;
    }
}

TEST_F(ChannelFixture, PropertyFilesRoundTrip) {
    channel.SetTitleText("数据");
    channel.SetMarkersStyle(ipmsDiamond);
    channel.SetRingBufferSize(500);
    channel.MarkersFont().SetColor(clYellow);
    channel.SaveProperties(PathOf("channel.txt"));
    const std::string text = ReadFile(PathOf("channel.txt"));
    EXPECT_EQ(text.rfind("File Type = Plot Channel Config\r\n", 0), 0u);
    EXPECT_NE(text.find("Channel.MarkersStyle = 2"), std::string::npos);
    EXPECT_EQ(text.find("Channel.Name ="), std::string::npos);

    ChannelTestPlot other;
    other.Chan().LoadProperties(PathOf("channel.txt"));
    EXPECT_EQ(other.Chan().TitleText(), "数据");
    EXPECT_EQ(other.Chan().MarkersStyle(), ipmsDiamond);
    EXPECT_EQ(other.Chan().RingBufferSize(), 500);
    EXPECT_EQ(other.Chan().MarkersFont().Color(), clYellow);

    WriteFile(PathOf("plot.txt"), "File Type = Plot Config\r\n");
    EXPECT_EQ(MessageOf([&] { other.Chan().LoadProperties(PathOf("plot.txt")); }),
              "Error Loading Properties - Incompatible Plot Channel Configuration File Type");
    EXPECT_EQ(MessageOf([&] {
                  channel.SaveProperties(PathOf("missing/dir/x.txt"));
              }).rfind("Error Saving Properties - ", 0),
              0u);
}

TEST_F(ChannelFixture, LoggingWritesEveryPointWithASmallBuffer) {
    EXPECT_EQ(MessageOf([&] { channel.StartLogging(false); }), "Log File Name not Defined");
    channel.SetLogFileName(PathOf("log.txt"));
    channel.StartLogging(false);
    EXPECT_EQ(MessageOf([&] { channel.StartLogging(false); }), "Logging Already Active");
    EXPECT_EQ(MessageOf([&] { channel.SetLogFileName("other.txt"); }),
              "Log File Name can not be changed while logging is active.");
    channel.AddXY(1, 2);
    EXPECT_EQ(ReadFile(PathOf("log.txt")), "1\t2\r\n");
    channel.SetLogBufferSize(3);
    channel.AddXY(2, 3);
    channel.AddXY(3, 4);
    EXPECT_EQ(ReadFile(PathOf("log.txt")), "1\t2\r\n");
    channel.StopLogging();  // flushes the rest
    EXPECT_EQ(ReadFile(PathOf("log.txt")), "1\t2\r\n2\t3\r\n3\t4\r\n");
    EXPECT_EQ(MessageOf([&] { channel.StopLogging(); }), "Logging not Active");
}

TEST_F(ChannelFixture, DataStyleChangeKeepsAttributesAndRingSize) {
    channel.SetColor(clBlue);
    channel.SetMarkersStyle(ipmsSquare);
    channel.SetRingBufferSize(8);
    channel.AddXY(1, 1);
    channel.SetDataStyle(ipdsFullFeature);
    EXPECT_EQ(channel.Count(), 0);
    EXPECT_EQ(channel.RingBufferSize(), 8);
    EXPECT_EQ(channel.Color(), clBlue);
    EXPECT_EQ(channel.ItemSize(), 136);
    channel.AddXY(1, 1);
    channel.SetMarkersStyle(ipmsCircle);
    EXPECT_EQ(channel.DataList().GetMarkerStyle(0), ipmsSquare);
}

TEST_F(ChannelFixture, FastTraceAppearsInTheFullPaint) {
    plot.X().SetMinSpan(0, 100);
    plot.Y().SetMinSpan(-2, 4);
    channel.SetColor(clLime);
    channel.SetXAxisTrackingEnabled(false);
    channel.SetYAxisTrackingEnabled(false);
    for (int i = 0; i <= 100000; ++i)
        channel.AddXY(i / 1000.0, (i / 5000) % 2 == 0 ? 1.0 : -1.0);
    const QImage image = plot.Render();
    int lime = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lime += image.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_GT(lime, 300);  // the square wave's levels and edges
}
