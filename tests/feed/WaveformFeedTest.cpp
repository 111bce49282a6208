// The feed into a real chart: the Part's readings with every option at its
// default and off, several values a line on channels of their own, names in
// the legend, one X per line, X at arrival, and the point limit shared out.
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "console/KelvaneOptions.h"
#include "console/PlotLineQueue.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

using namespace std::chrono_literals;

namespace {

class WaveformFeed : public testing::Test {
  protected:
    WaveformFeed() { SetUpMainChart(plot); }

    // Queues the lines, each as its own read, and plots them all.
    void Plot(std::initializer_list<std::string_view> lines, TArrivalTime at = TArrivalClock::now(),
              TArrivalClock::duration apart = {}) {
        for (std::string_view line : lines) {
            TArrivalMarks arrival;
            arrival.Add(line.size() + 1, at);
            decimalQueue.Append(std::string(line) + "\n", arrival);
            at += apart;
        }
        while (decimalQueue.HasLine())
            feed.DecimalMode().Tick();
    }
    std::vector<double> Ys(int channel) {
        std::vector<double> ys;
        for (int i = 0; i < plot.Channel(channel)->Count(); ++i)
            ys.push_back(plot.Channel(channel)->GetY(i));
        return ys;
    }
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (int i = 0; i < plot.ChannelCount(); ++i)
            titles.push_back(plot.Channel(i)->TitleText());
        return titles;
    }

    QTemporaryDir dir;
    TKelvaneOptions options{dir.filePath("setfile.ini").toStdString()};
    TiPlot plot;
    TPlotLineQueue hexQueue, decimalQueue;
    QPushButton hexButton{TPlotModeSwitch::HexCaption()}, decimalButton{TPlotModeSwitch::DecimalCaption()};
    QComboBox spans;
    QTimer hexTimer, decimalTimer;
    TWaveformFeed feed{plot,    hexQueue, decimalQueue, {&hexButton, &decimalButton, &spans, &hexTimer, &decimalTimer},
                       options};
};

// The Part's decimal edge cases, and what "多通道与小数" adds to them.
TEST_F(WaveformFeed, ThePartsDecimalLinesPlotTheSameWithTheOptionOnOrOff) {
    const std::initializer_list<std::string_view> partLines = {"12", "abc", " 7", "8 ", "-3", "$10", ""};
    for (const bool multiValue : {false, true}) {
        options.MultiValuePlot.Set(multiValue);
        plot.Channel(0)->Clear();
        Plot(partLines);
        EXPECT_EQ(Ys(0), (std::vector<double>{12, 7, -3, 16})) << multiValue;
        EXPECT_EQ(plot.ChannelCount(), 1);
        EXPECT_EQ(Titles(), std::vector<std::string>{"数据"});
    }
    plot.Channel(0)->Clear();
    Plot({"23.75", "1,2"});
    EXPECT_EQ(Ys(0), (std::vector<double>{23.75, 1}));
    options.MultiValuePlot.Set(false);  // off: exactly the Part's reading
    Plot({"23.75", "4,5", "6"});
    EXPECT_EQ(Ys(0), (std::vector<double>{23.75, 1, 6}));
    EXPECT_EQ(Ys(1), (std::vector<double>{2}));
}

TEST_F(WaveformFeed, ColumnsGetChannelsOfTheirOwnInPaletteColoursSharingOneX) {
    Plot({"1,2,3", "4;5;6", "7\t\t9"});
    ASSERT_EQ(plot.ChannelCount(), 3);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"数据", "数据2", "数据3"}));
    EXPECT_EQ(Ys(0), (std::vector<double>{1, 4, 7}));
    EXPECT_EQ(Ys(1), (std::vector<double>{2, 5}));  // an empty field adds no point
    EXPECT_EQ(Ys(2), (std::vector<double>{3, 6, 9}));
    EXPECT_NE(plot.Channel(0)->Color(), plot.Channel(1)->Color());
    EXPECT_NE(plot.Channel(1)->Color(), plot.Channel(2)->Color());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(plot.Channel(2)->GetX(i), plot.Channel(0)->GetX(i)) << "one X per line";
        EXPECT_EQ(plot.Channel(i)->YAxisName(), plot.Channel(0)->YAxisName());
    }
}

TEST_F(WaveformFeed, NamesTitleTheirChannelsInTheLegend) {
    Plot({"a=1 b=2", "b:3,a:4", "\xce\xc2\xb6\xc8=20.5"});  // 温度 in GBK
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b", "温度"}));
    EXPECT_EQ(Ys(0), (std::vector<double>{1, 4}));
    EXPECT_EQ(Ys(1), (std::vector<double>{2, 3}));
    EXPECT_EQ(Ys(2), (std::vector<double>{20.5}));
}

TEST_F(WaveformFeed, NoMoreThanThirtyTwoChannels) {
    std::string wide;
    for (int i = 1; i <= 40; ++i)
        wide += std::to_string(i) + ",";
    Plot({std::string_view(wide)});
    EXPECT_EQ(plot.ChannelCount(), 32);
    EXPECT_EQ(Ys(31), std::vector<double>{32});
}

TEST_F(WaveformFeed, ArrivalTimeXKeepsTheGapsTheLinesCameWith) {
    options.ArrivalTimeX.Set(true);
    const TArrivalTime start = TArrivalClock::now() - 1s;
    Plot({"1", "2", "3"}, start, 20ms);  // plotted together, arrived 20 ms apart
    TiPlotChannel& channel = *plot.Channel(0);
    ASSERT_EQ(channel.Count(), 3);
    EXPECT_NEAR(channel.GetX(1) - channel.GetX(0), 0.020, 1e-9);
    EXPECT_NEAR(channel.GetX(2) - channel.GetX(1), 0.020, 1e-9);
    EXPECT_NEAR(channel.GetX(0), channel.ElapsedSecondsAt(start), 1e-9);

    // Off: X is when the line is plotted, never before the points already there.
    options.ArrivalTimeX.Set(false);
    Plot({"4"}, start);
    EXPECT_GE(channel.GetX(3), channel.GetX(2) + 0.9);

    // On again, a line that came earlier than the last point keeps X in order.
    options.ArrivalTimeX.Set(true);
    Plot({"5"}, start);
    EXPECT_EQ(channel.GetX(4), channel.GetX(3));
}

TEST_F(WaveformFeed, ThePointLimitIsSharedAmongTheChannels) {
    options.ChartPointLimit.Set(1000);
    TWaveformFeed limited{plot, hexQueue, decimalQueue,
                          {&hexButton, &decimalButton, &spans, &hexTimer, &decimalTimer}, options};
    EXPECT_EQ(plot.Channel(0)->RingBufferSize(), 1000);
    for (int i = 0; i < 300; ++i)
        decimalQueue.Append("1,2,3,4\n");
    while (decimalQueue.HasLine())
        limited.DecimalMode().Tick();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(plot.Channel(i)->RingBufferSize(), 250);
        EXPECT_EQ(plot.Channel(i)->Count(), 250);
    }
}

TEST_F(WaveformFeed, HexLinesPlotOneValueWhateverTheOptions) {
    hexQueue.Append("1A\n1,2\n");
    while (hexQueue.HasLine())
        feed.HexMode().Tick();
    EXPECT_EQ(Ys(0), (std::vector<double>{26, 18}));
    EXPECT_EQ(plot.ChannelCount(), 1);
}

TEST_F(WaveformFeed, RecordingThePlottedValuesWritesARowPerLineAndHeadersAsChannelsCome) {
    const QString path = dir.filePath("values.csv");
    QString error;
    feed.CsvRecorder().Start(OpenRecordFile(path, error), path);
    Plot({"1,2", "abc", "3,4,5", "a=6"});
    feed.CsvRecorder().File().Stop();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    const auto x = [&](int channel, int index) {
        return QString::number(plot.Channel(channel)->GetX(index), 'g', 17).toDouble();
    };
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "time_s,数据,数据2");
    EXPECT_EQ(lines[1].section(',', 1), "1,2");
    EXPECT_EQ(lines[1].section(',', 0, 0).toDouble(), x(0, 0));
    EXPECT_EQ(lines[2], "time_s,数据,数据2,数据3");
    EXPECT_EQ(lines[3].section(',', 1), "3,4,5");
    EXPECT_EQ(lines[4], "time_s,数据,数据2,数据3,a");  // a name takes the next free channel
    EXPECT_EQ(lines[5].section(',', 1), ",,,6");
    EXPECT_EQ(lines[5].section(',', 0, 0).toDouble(), x(3, 0));
    EXPECT_EQ(lines[6], "");
}

}  // namespace
