// The chart as the main window feeds it: the span list sets the X span, and
// lines from the port, in either plotting mode and with any line ending,
// become points at the seconds elapsed since the chart was made.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

#include "MainFormFixture.h"
#include "console/PlotLineQueue.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"

namespace {

class ChartFeed : public MainFormFixture {
  protected:
    TiPlotChannelCustom& Channel() { return *form.Plot().Channel(0); }
    std::vector<double> Values() {
        std::vector<double> values;
        for (int i = 0; i < Channel().Count(); ++i) {
            values.push_back(Channel().GetY(i));
        }
        return values;
    }
    void WriteToDevice(const TPtyPair& pty, const std::string& bytes) {
        ASSERT_EQ(::write(pty.Master(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    bool WaitForPoints(int count) {
        return QTest::qWaitFor([&] { return Channel().Count() >= count; }, 10000);
    }
};

TEST_F(ChartFeed, SpanListSetsTheXAxisSpan) {
    EXPECT_EQ(form.Plot().XAxis(0)->Span(), 1);
    form.Controls().sComboBox1->setCurrentText(QStringLiteral("10"));
    EXPECT_EQ(form.Plot().XAxis(0)->Span(), 10);
    form.Controls().sComboBox1->setCurrentIndex(999);
    EXPECT_EQ(form.Plot().XAxis(0)->Span(), 1000);
}

TEST_F(ChartFeed, QueuedLinesBecomePointsAtElapsedSeconds) {
    QElapsedTimer sinceMade;  // the chart was made just before this test's body
    sinceMade.start();
    form.DecimalPlotQueue().Append("5\n-7\nabc\n8\n");
    form.Controls().sBitBtn6->click();  // 绘图其他
    ASSERT_TRUE(WaitForPoints(3));
    EXPECT_EQ(Values(), (std::vector<double>{5, -7, 8}));
    const double upper = static_cast<double>(sinceMade.elapsed()) / 1000 + 5;
    for (int i = 0; i < Channel().Count(); ++i) {
        EXPECT_GE(Channel().GetX(i), 0);
        EXPECT_LE(Channel().GetX(i), upper);
        EXPECT_LE(i == 0 ? 0 : Channel().GetX(i - 1), Channel().GetX(i));
    }
}

TEST_F(ChartFeed, BytesFromThePortBecomePointsWithAnyLineEnding) {
    TPtyPair pty;
    OpenPortOn(pty);
    form.Controls().sBitBtn6->click();  // 绘图其他
    WriteToDevice(pty, "123\n456\r789\r\n");
    ASSERT_TRUE(WaitForPoints(3)) << Channel().Count();
    WriteToDevice(pty, "-1\n");
    ASSERT_TRUE(WaitForPoints(4));

    form.Controls().sCheckBox2->click();  // 16进制接收
    form.Controls().sBitBtn5->click();    // 绘图[16进制]
    WriteToDevice(pty, "1A\nff\r");
    ASSERT_TRUE(WaitForPoints(6));
    EXPECT_EQ(Values(), (std::vector<double>{123, 456, 789, -1, 26, 255}));
}

}  // namespace
