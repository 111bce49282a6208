#include "feed/PlotFeed.h"

#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <string>
#include <thread>

#include "console/PlotLineQueue.h"
#include "feed/PlotModeSwitch.h"

namespace {

using TLineReader = std::optional<double> (*)(std::string_view);

// A mode whose lines become values by `reader`, for `plot` to take.
TPlotFeedMode::LineSink Reading(TLineReader reader, std::function<void(double)> plot) {
    return [reader, plot](std::string_view line, TArrivalTime) {
        if (const std::optional<double> value = reader(line))
            plot(*value);
    };
}

struct FeedRig {
    QTimer timer;
    TPlotLineQueue queue;
    std::vector<double> points;
    TPlotFeedMode mode;

    explicit FeedRig(TLineReader reader)
        : mode(timer, queue, Reading(reader, [this](double y) { points.push_back(y); })) {}

    void Lines(std::initializer_list<std::string_view> lines) {
        for (std::string_view line : lines) {
            queue.Append(line);
            queue.Append("\r\n");
        }
    }
    void TickUntilEmpty() {
        for (int i = 0; i < 1000 && queue.HasLine(); ++i)
            mode.Tick();
    }
};

}  // namespace

TEST(PlotFeed, DecimalModePlotsOnlyStrictIntegers) {
    FeedRig rig(ReadDecimalPlotLine);
    rig.Lines({"12", "abc", " 7", "8 ", "-3", "$10", ""});
    rig.TickUntilEmpty();
    EXPECT_EQ(rig.points, (std::vector<double>{12, 7, -3, 16}));
}

TEST(PlotFeed, HexModeReadsDigitsAndDropsBlankLines) {
    FeedRig rig(ReadHexPlotLine);
    rig.Lines({"1A", "0x1A", "FFFFFFFF", "123456789", "hello", "   ", "\x01"});
    rig.TickUntilEmpty();
    EXPECT_EQ(rig.points, (std::vector<double>{26, 26, -1, 591751049, 14}));
}

TEST(PlotFeed, OneLineATickUpToAHundredWaiting) {
    FeedRig rig(ReadDecimalPlotLine);
    for (int i = 0; i < 100; ++i)
        rig.Lines({"1"});
    rig.mode.Tick();
    EXPECT_EQ(rig.points.size(), 1u);
    EXPECT_EQ(rig.queue.LineCount(), 99u);
    EXPECT_EQ(TPlotFeedMode::LinesForTick(0), 1u);
    EXPECT_EQ(TPlotFeedMode::LinesForTick(100), 1u);
    EXPECT_GT(TPlotFeedMode::LinesForTick(101), 1u);
}

TEST(PlotFeed, FastInflowStaysLessThanASecondBehindAndLosesNothing) {
    FeedRig rig(ReadDecimalPlotLine);
    constexpr int kLinesPerTick = 100;  // 10,000 lines a second
    int sent = 0;
    size_t worstBacklog = 0;
    for (int tick = 0; tick < 500; ++tick) {
        for (int i = 0; i < kLinesPerTick; ++i)
            rig.Lines({std::to_string(sent++)});
        rig.mode.Tick();
        worstBacklog = std::max(worstBacklog, rig.queue.LineCount());
    }
    // A second's worth of lines waiting would mean a second of lag.
    EXPECT_LT(worstBacklog, size_t(kLinesPerTick * TPlotFeedMode::kTicksPerSecond));
    rig.TickUntilEmpty();
    ASSERT_EQ(rig.points.size(), size_t(sent));
    for (int i = 0; i < sent; ++i)
        ASSERT_EQ(rig.points[i], i);
}

TEST(PlotFeed, ASlowChartBoundsATickAndLosesOrReordersNothing) {
    QTimer timer;
    TPlotLineQueue queue;
    std::vector<double> points;
    // Each point costs a millisecond: a tick due to take many stops at its budget.
    TPlotFeedMode mode(timer, queue, Reading(ReadDecimalPlotLine, [&](double y) {
                           std::this_thread::sleep_for(std::chrono::milliseconds(1));
                           points.push_back(y);
                       }));
    constexpr int kLines = 2000;
    for (int i = 0; i < kLines; ++i)
        queue.Append(std::to_string(i) + "\n");
    const size_t due = TPlotFeedMode::LinesForTick(queue.LineCount());
    ASSERT_GT(due, 20u);
    mode.Tick();
    EXPECT_GE(points.size(), 1u) << "every tick makes progress";
    EXPECT_LT(points.size(), due) << "the budget ends the tick early";
    for (int i = 0; i < 10000 && queue.HasLine(); ++i)
        mode.Tick();
    ASSERT_EQ(points.size(), size_t(kLines));
    for (int i = 0; i < kLines; ++i)
        ASSERT_EQ(points[i], i);
}

TEST(PlotFeed, ARefusedPointCostsOnlyItsLine) {
    QTimer timer;
    TPlotLineQueue queue;
    std::vector<double> points;
    TPlotFeedMode mode(timer, queue, Reading(ReadDecimalPlotLine, [&](double y) {
                           if (y == 2)
                               throw std::runtime_error("refused");
                           points.push_back(y);
                       }));
    for (const char* line : {"1\r\n", "2\r\n", "3\r\n"})
        queue.Append(line);
    for (int i = 0; i < 3; ++i)
        mode.Tick();
    EXPECT_EQ(points, (std::vector<double>{1, 3}));
    EXPECT_FALSE(queue.HasLine());
}

// The chart's feed wraps each tick in one update batch: every line of a
// tick, refused ones too, is handed over inside it, and a tick with nothing
// due still closes what it opened.
TEST(PlotFeed, EachTickHandsItsLinesOverInsideOneScope) {
    FeedRig rig(ReadDecimalPlotLine);
    std::vector<std::string> log;
    rig.mode.SetTickScope([&](const std::function<void()>& handOver) {
        log.push_back("begin");
        handOver();
        log.push_back("end " + std::to_string(rig.points.size()));
    });
    for (int i = 0; i < 150; ++i)
        rig.Lines({i == 3 ? "x" : "1"});
    rig.mode.Tick();
    rig.mode.Tick();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "begin");
    const size_t firstTick = TPlotFeedMode::LinesForTick(150);
    EXPECT_EQ(log[1], "end " + std::to_string(firstTick));
    EXPECT_EQ(log[3], "end " + std::to_string(2 * firstTick - 1)) << "line 4 reads as no number";
    rig.TickUntilEmpty();
    EXPECT_EQ(rig.points.size(), 149u);
    log.clear();
    rig.mode.Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"begin", "end 149"}));
}

TEST(PlotFeed, TimerRunsOnlyWhileLinesWait) {
    FeedRig rig(ReadDecimalPlotLine);
    rig.mode.Start();
    EXPECT_TRUE(rig.mode.Running());
    EXPECT_FALSE(rig.timer.isActive()) << "nothing queued: no ticks";
    EXPECT_EQ(rig.timer.interval(), TPlotFeedMode::kTickMs);

    rig.queue.Append("1");
    EXPECT_FALSE(rig.timer.isActive()) << "a line still arriving is not plotted yet";
    rig.queue.Append("2\r\n3\r\n");
    EXPECT_TRUE(rig.timer.isActive()) << "the first complete line wakes the mode";

    rig.mode.Tick();
    EXPECT_TRUE(rig.timer.isActive()) << "one line still waits";
    rig.mode.Tick();
    EXPECT_FALSE(rig.timer.isActive()) << "the tick that empties the queue stops the timer";
    EXPECT_TRUE(rig.mode.Running());
    EXPECT_EQ(rig.points, (std::vector<double>{12, 3}));

    rig.Lines({"4"});
    EXPECT_TRUE(rig.timer.isActive()) << "and the next line starts it again";
    rig.mode.Stop();
    EXPECT_FALSE(rig.timer.isActive());
    rig.mode.Tick();
    rig.Lines({"5"});
    EXPECT_FALSE(rig.timer.isActive()) << "a mode that is off never wakes";
}

TEST(PlotFeed, StartingWithLinesWaitingStartsTheTimer) {
    FeedRig rig(ReadDecimalPlotLine);
    rig.Lines({"7", "8"});
    EXPECT_FALSE(rig.timer.isActive());
    rig.mode.Start();
    EXPECT_TRUE(rig.timer.isActive());
}

TEST(PlotFeed, TimerTicksEmptyTheQueueAndThenSleep) {
    FeedRig rig(ReadDecimalPlotLine);
    rig.mode.Start();
    rig.Lines({"1", "2", "3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.timer.isActive(); }, 5000));
    EXPECT_EQ(rig.points, (std::vector<double>{1, 2, 3}));
    rig.Lines({"4"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.points.size() == 4; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.timer.isActive(); }, 5000));
}

TEST(PlotModeSwitch, CaptionsDecideAndStartingOneModeStopsTheOther) {
    QTimer hexTimer, decTimer;
    TPlotLineQueue hexQueue, decQueue;
    TPlotFeedMode hex(hexTimer, hexQueue, Reading(ReadHexPlotLine, [](double) {}));
    TPlotFeedMode dec(decTimer, decQueue, Reading(ReadDecimalPlotLine, [](double) {}));
    QPushButton hexButton(TPlotModeSwitch::HexCaption()),
        decButton(TPlotModeSwitch::DecimalCaption());
    QPushButton hexTwin(TPlotModeSwitch::HexCaption()), decTwin(TPlotModeSwitch::DecimalCaption());
    TPlotModeSwitch modes(hex, dec, hexButton, decButton);
    modes.SetTwins(&hexTwin, &decTwin);

    modes.HexClicked();
    EXPECT_TRUE(hex.Running());
    EXPECT_EQ(hexButton.text(), "停止绘图");
    EXPECT_EQ(hexTwin.text(), "停止绘图");

    modes.DecimalClicked();
    EXPECT_FALSE(hex.Running());
    EXPECT_TRUE(dec.Running());
    EXPECT_EQ(hexButton.text(), "停止绘图");  // left showing, its timer already off
    EXPECT_EQ(decTwin.text(), "停止绘图");

    modes.HexClicked();  // only puts the caption back
    EXPECT_FALSE(hex.Running());
    EXPECT_TRUE(dec.Running());
    EXPECT_EQ(hexButton.text(), "绘图[16进制]");
    EXPECT_EQ(hexTwin.text(), "绘图[16进制]");

    modes.HexClicked();  // and the next click starts it again
    EXPECT_TRUE(hex.Running());
    EXPECT_FALSE(dec.Running());

    modes.DecimalClicked();  // decimal showed "停止绘图": this click stops
    EXPECT_EQ(decButton.text(), "绘图其他");
    EXPECT_TRUE(hex.Running());
}
