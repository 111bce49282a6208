// The main window when its port's device goes and comes back: the port shows
// closed, one notice below the chart says so, and the chart and the receive
// view carry on once the device is back. The chart keeps a bounded ring.
#include "app/MainForm.h"
#include "console/KelvaneOptions.h"
#include "console/PortNotice.h"
#include "console/PortSettingsTestSupport.h"
#include "platform/Gbk.h"
#include "plot/iPlot.h"
#include "serial/Comm.h"

#include <QPushButton>
#include <QTest>

namespace {

class MainFormPort : public ::testing::Test {
  protected:
    void WriteSettings(const std::string& lines) {
        TScratchFolder::Write(folder.File("setfile.ini"), Utf8ToGbk("[系统参数]") + "\r\n" + lines);
    }
    std::unique_ptr<TMainForm> MakeForm() {
        return std::make_unique<TMainForm>(
            TMainFormOptions{.dataDir = folder.Dir(), .reporter = log, .globalHotKey = false});
    }
    QPushButton* Button(TMainForm& form, const char* name) {
        return form.findChild<QPushButton*>(name);
    }

    TScratchFolder folder;
    std::shared_ptr<TMessageLog> log = std::make_shared<TMessageLog>();
};

TEST_F(MainFormPort, UnpluggedShowsClosedOnceAndPlottingCarriesOnAfterTheReturn) {
    TLinkedPty device(folder.File("ttyBoard"));
    WriteSettings("commname=" + device.LinkPath() + "\r\n");
    std::unique_ptr<TMainForm> form = MakeForm();
    TiPlotChannel& channel = *form->Plot().Channel(0);
    Button(*form, "sButton1")->click();
    ASSERT_TRUE(form->Comm1().IsOpen());
    Button(*form, "sBitBtn6")->click();  // 绘图其他: plot the decimal lines
    device.Write("100\r\n200\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return channel.Count() >= 2; }, 5000));
    Button(*form, "sButton12")->click();  // the information panel is up meanwhile
    QWidget* info = form->findChild<QWidget*>("sPanel6");
    ASSERT_TRUE(info->isVisibleTo(form.get()));

    device.Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Comm1().IsOpen(); }, 5000));
    EXPECT_TRUE(Button(*form, "sButton1")->isEnabled());
    EXPECT_TRUE(form->PortNotice().isVisibleTo(form.get()));
    EXPECT_TRUE(form->PortNotice().Text().contains(QStringLiteral("的设备已断开")));
    EXPECT_TRUE(info->isVisibleTo(form.get()));
    EXPECT_EQ(log->messages.size(), 1u) << "no box for the loss, only the open's";
    const int pointsBefore = channel.Count();

    device.Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Comm1().IsOpen(); }, 5000));
    EXPECT_FALSE(Button(*form, "sButton1")->isEnabled());
    EXPECT_TRUE(Button(*form, "sButton2")->isEnabled());
    EXPECT_TRUE(form->PortNotice().Text().contains(QStringLiteral("的设备已重新连接")));
    device.Write("300\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return channel.Count() > pointsBefore; }, 5000));
    EXPECT_GE(pointsBefore, 2) << "the chart kept its points";
}

TEST_F(MainFormPort, TheChartKeepsABoundedRingOfPoints) {
    EXPECT_EQ(MakeForm()->Plot().Channel(0)->RingBufferSize(),
              TKelvaneOptions("").ChartPointLimit.Default());
    WriteSettings("chartpoints=5000\r\n");
    EXPECT_EQ(MakeForm()->Plot().Channel(0)->RingBufferSize(), 5000);
}

}  // namespace
