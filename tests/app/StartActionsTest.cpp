// What the command line asks of the main window: a session's port and speed
// open the port without touching setfile.ini, and a plotting mode starts.
#include "MainFormFixture.h"

#include <QTest>

#include "app/CommandLine.h"
#include "app/StartActions.h"
#include "plot/iPlot.h"
#include "serial/Comm.h"

namespace {

using StartActions = MainFormFixture;

TEST_F(StartActions, SessionPortOpensAndPlotsWithoutWritingTheSettings) {
    TPtyPair device;
    const std::string settings = "commname=COM9\r\nbaudrate=9600\r\n";
    WriteSettings(settings);
    TCommandLine line;
    line.port = device.DevicePath();
    line.baud = 57600;
    line.open = true;
    line.plot = TStartPlotting::Decimal;
    RunStartActions(form, line);

    ASSERT_TRUE(form.Comm1().IsOpen()) << log->LastText().toStdString();
    EXPECT_EQ(form.Comm1().CommName(), device.DevicePath());
    EXPECT_EQ(form.Comm1().BaudRate(), 57600u);
    EXPECT_EQ(form.Controls().sBitBtn6->text(), QStringLiteral("停止绘图"));
    ASSERT_EQ(::write(device.Master(), "41\r\n", 4), 4);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Plot().Channel(0)->Count() == 1; }, 5000));
    EXPECT_EQ(TScratchFolder::Read(folder.File("setfile.ini")),
              Utf8ToGbk("[系统参数]") + "\r\n" + settings);

    // A later "打开" of the same session keeps the session's port.
    form.Controls().sButton2->click();
    form.Controls().sButton1->click();
    EXPECT_EQ(form.Comm1().CommName(), device.DevicePath());
}

TEST_F(StartActions, NothingAskedLeavesThePortClosedAndThePlotStill) {
    RunStartActions(form, {});
    EXPECT_FALSE(form.Comm1().IsOpen());
    EXPECT_TRUE(log->messages.empty());
    EXPECT_EQ(form.Controls().sBitBtn5->text(), QStringLiteral("绘图[16进制]"));
    EXPECT_EQ(form.Controls().sBitBtn6->text(), QStringLiteral("绘图其他"));
}

}  // namespace
