// The chart's points as a file and back: saving as CSV and opening the CSV
// again gives the same points on the same channels with the same titles;
// the plot's own data files open too; a big file opens in slices, can be
// cancelled and keeps what it added; a broken file keeps the points before
// the fault and says so.
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "console/KelvaneOptions.h"
#include "console/PlotLineQueue.h"
#include "console/PortSettingsMessages.h"
#include "feed/ChartFileCommands.h"
#include "feed/ChartFileJobs.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

namespace {

struct TPoint {
    double x, y;
    bool operator==(const TPoint&) const = default;
};
using TChannelPoints = std::vector<TPoint>;

class ChartFileJobs : public testing::Test {
  protected:
    ChartFileJobs() { SetUpMainChart(plot); }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const QString& path, const std::string& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::vector<TChannelPoints> Points() const {
        std::vector<TChannelPoints> channels;
        for (int c = 0; c < plot.ChannelCount(); ++c) {
            TChannelPoints& points = channels.emplace_back();
            for (int i = 0; i < plot.Channel(c)->Count(); ++i) {
                points.push_back({plot.Channel(c)->GetX(i), plot.Channel(c)->GetY(i)});
            }
        }
        return channels;
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (int c = 0; c < plot.ChannelCount(); ++c) {
            titles.push_back(plot.Channel(c)->TitleText());
        }
        return titles;
    }
    // Runs a job to its end; true when it succeeded.
    bool Finish(TBackgroundJob& job, QString* error = nullptr) {
        QSignalSpy finished(&job, &TBackgroundJob::Finished);
        job.Start();
        EXPECT_TRUE(finished.wait(30'000));
        if (finished.isEmpty()) {
            return false;
        }
        if (error != nullptr) {
            *error = finished.front().at(1).toString();
        }
        return finished.front().at(0).toBool();
    }
    void PlotLines(std::initializer_list<std::string_view> lines) {
        for (std::string_view line : lines) {
            decimalQueue.Append(std::string(line) + "\n", {});
        }
        while (decimalQueue.HasLine()) {
            feed.DecimalMode().Tick();
        }
    }

    QTemporaryDir dir;
    TKelvaneOptions options{dir.filePath("setfile.ini").toStdString()};
    TiPlot plot;
    TPlotLineQueue hexQueue, decimalQueue;
    QPushButton hexButton{TPlotModeSwitch::HexCaption()};
    QPushButton decimalButton{TPlotModeSwitch::DecimalCaption()};
    QComboBox spans;
    QTimer hexTimer, decimalTimer;
    TWaveformFeed feed{plot,
                       hexQueue,
                       decimalQueue,
                       {&hexButton, &decimalButton, &spans, &hexTimer, &decimalTimer},
                       options};
};

TEST_F(ChartFileJobs, SavedCsvOpensBackToTheSamePointsAndTitles) {
    PlotLines({"1,2,3", "temp=21.5 rpm=-3", "0.1,,1e-9", "7"});
    // A point at an X of its own on one channel, and two at one X.
    plot.Channel(1)->AddXY(1e6, 0.25);
    plot.Channel(2)->AddXY(1e6 + 1, 5);
    plot.Channel(2)->AddXY(1e6 + 1, 6);
    const std::vector<TChannelPoints> before = Points();
    const std::vector<std::string> titles = Titles();
    ASSERT_EQ(titles, (std::vector<std::string>{"数据", "数据2", "数据3", "temp", "rpm"}));

    TChartCsvSaveJob save(plot, Path("chart.csv"));
    ASSERT_TRUE(Finish(save));

    TChartOpenJob open(feed.Channels(), Path("chart.csv"));
    ASSERT_TRUE(Finish(open));
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(Titles(), titles);
    EXPECT_TRUE(feed.Channels().ShowsFile());
}

TEST_F(ChartFileJobs, ThePlotsOwnDataFilesOpenToo) {
    PlotLines({"3", "4.5"});
    plot.SaveDataToFile(Path("chart.txt").toStdString());
    const std::vector<TChannelPoints> before = Points();
    TChartOpenJob open(feed.Channels(), Path("chart.txt"));
    ASSERT_TRUE(Finish(open));
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(Titles().front(), "数据");
}

TEST_F(ChartFileJobs, ABigFileOpensInSlicesAndACancelKeepsWhatWasAdded) {
    std::string csv = "time_s,a,b\r\n";
    constexpr int kRows = 600'000;
    for (int i = 0; i < kRows; ++i) {
        csv += std::to_string(i) + "," + std::to_string(i % 97) + ",-" + std::to_string(i) + "\r\n";
    }
    Write(Path("big.csv"), csv);

    {
        // Unhindered, every row arrives, a slice at a time between polls.
        TChartOpenJob open(feed.Channels(), Path("big.csv"));
        int slicesSeen = 0;
        QObject::connect(&open, &TBackgroundJob::Progress, [&] { ++slicesSeen; });
        ASSERT_TRUE(Finish(open));
        EXPECT_EQ(plot.Channel(0)->Count(), kRows);
        EXPECT_EQ(plot.Channel(1)->Count(), kRows);
        EXPECT_EQ(plot.Channel(1)->GetY(kRows - 1), -(kRows - 1));
        EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b"}));
        EXPECT_GT(slicesSeen, 1) << "the window's side took the file in more than one go";
    }

    PlotLines({"5"});  // a live line: the chart starts afresh with it
    ASSERT_EQ(plot.Channel(0)->Count(), 1);
    TChartOpenJob open(feed.Channels(), Path("big.csv"));
    QSignalSpy cancelled(&open, &TBackgroundJob::Cancelled);
    QSignalSpy finished(&open, &TBackgroundJob::Finished);
    open.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return plot.Channel(0)->Count() > 1; }, 30'000));
    open.Cancel();
    ASSERT_TRUE(cancelled.wait(5000));
    EXPECT_TRUE(finished.isEmpty());
    const int kept = plot.Channel(0)->Count();
    EXPECT_LT(kept, kRows);
    QTest::qWait(100);
    EXPECT_EQ(plot.Channel(0)->Count(), kept) << "nothing comes after the cancel";
}

TEST_F(ChartFileJobs, ABrokenRowKeepsThePointsBeforeItAndFails) {
    Write(Path("broken.csv"), "time_s,v\r\n0,1\r\n1,2\r\n2,two\r\n3,4\r\n");
    TChartOpenJob open(feed.Channels(), Path("broken.csv"));
    QString error;
    EXPECT_FALSE(Finish(open, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Points().front(), (TChannelPoints{{0, 1}, {1, 2}}));

    // Broken from its first row, it leaves the chart as it was.
    Write(Path("broken.csv"), "time_s,v\r\nnothing,1\r\n");
    TChartOpenJob again(feed.Channels(), Path("broken.csv"));
    EXPECT_FALSE(Finish(again));
    EXPECT_EQ(Points().front(), (TChannelPoints{{0, 1}, {1, 2}}));
}

TEST_F(ChartFileJobs, AMissingFileOrFolderFailsWithTheReasonAndKeepsTheChart) {
    PlotLines({"1", "2"});
    TChartOpenJob open(feed.Channels(), Path("absent.csv"));
    EXPECT_FALSE(Finish(open));
    EXPECT_EQ(plot.Channel(0)->Count(), 2);
    EXPECT_FALSE(feed.Channels().ShowsFile());
    TChartCsvSaveJob save(plot, Path("no/such/folder/chart.csv"));
    QString error;
    EXPECT_FALSE(Finish(save, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ChartFileJobs, TheNextLiveLineStartsTheChartAfresh) {
    Write(Path("old.csv"), "time_s,old\r\n0,1\r\n");
    TChartOpenJob open(feed.Channels(), Path("old.csv"));
    ASSERT_TRUE(Finish(open));
    PlotLines({"5"});
    ASSERT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.Channel(0)->Count(), 1);
    EXPECT_EQ(plot.Channel(0)->GetY(0), 5);
    EXPECT_EQ(Titles().front(), "数据");
}

class TTextsShown : public TMessageReporter {
  public:
    void Show(const QString&, const QString& text, TMessageIcon) override { texts << text; }
    QStringList texts;
};

TEST_F(ChartFileJobs, TheContextMenuSavesAndOpensButNeverIntoALiveChart) {
    TTextsShown shown;
    QString saveName = Path("menu.csv");
    QString openName = Path("menu.csv");
    TChartFileCommands commands(plot, feed, shown,
                                {[&] { return saveName; }, [&] { return openName; }});
    QMenu menu;
    plot.OnAddPopupMenuItems(menu);
    QAction* save = menu.findChild<QAction*>("saveChartCsv");
    QAction* open = menu.findChild<QAction*>("openChartFile");
    ASSERT_TRUE(save && open);
    EXPECT_EQ(save->text(), QStringLiteral("导出CSV…"));

    PlotLines({"1,2", "3,4"});
    const std::vector<TChannelPoints> before = Points();
    save->trigger();
    EXPECT_TRUE(commands.Busy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !commands.Busy(); }, 30'000));
    EXPECT_TRUE(QFile::exists(saveName));

    decimalButton.click();  // 绘图其他: live points are coming
    open->trigger();
    EXPECT_FALSE(commands.Busy());
    ASSERT_EQ(shown.texts.size(), 1);
    EXPECT_TRUE(shown.texts.front().contains(QStringLiteral("停止绘图")));
    decimalButton.click();

    PlotLines({"9"});
    open->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !commands.Busy(); }, 30'000));
    EXPECT_EQ(Points(), before);
    EXPECT_EQ(shown.texts.size(), 1) << "no box when all went well";

    openName = Path("absent.csv");
    open->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !commands.Busy(); }, 30'000));
    ASSERT_EQ(shown.texts.size(), 2);
    EXPECT_TRUE(shown.texts.back().startsWith(QStringLiteral("打开数据文件出错")));
}

}  // namespace
