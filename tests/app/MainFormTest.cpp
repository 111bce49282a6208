#include "MainFormFixture.h"
#include "app/BannerWindow.h"
#include "console/PortSettingsTestSupport.h"
#include "console/SendBox.h"
#include "platform/Gbk.h"
#include "serial/Comm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using MainForm = MainFormFixture;

struct TStartState {
    const char* name;
    const char* caption;
    const char* hint;
    bool enabled;
};

TEST_F(MainForm, CommandRowStartsAsDescribed) {
    EXPECT_EQ(form.windowTitle(), "KelvaneV3.0");
    EXPECT_EQ(form.size(), QSize(860, 455));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const TStartState buttons[] = {
        {"sButton1", "打开", "打开串口", true},
        {"sButton2", "关闭", "关闭串口", false},
        {"sButton3", "设置", "串口设置", true},
        {"sButton12", "当前信息", "显示当前串口设置信息", true},
        {"sButton11", "显示面板", "显示控件面板", true},
        {"sBitBtn8", "历史数据", "查询历史串口数据", true},
        {"sBitBtn7", "悬浮窗体", "", true},
        {"sBitBtn5", "绘图[16进制]", "绘制16进制数据波型图", true},
        {"sBitBtn6", "绘图其他", "绘图其他数据波型图", true},
    };
    int previousRight = 0;
    for (const TStartState& state : buttons) {
        const auto* button = Find<QPushButton>(state.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(state.caption)) << state.name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(state.hint)) << state.name;
        EXPECT_EQ(button->isEnabled(), state.enabled) << state.name;
        EXPECT_GT(button->x(), previousRight - 1) << state.name << " is out of order";
        previousRight = button->geometry().right();
    }
    EXPECT_EQ(Find<QLabel>("sLabel1")->text(), QStringLiteral("间隔量："));
    const auto* span = Find<QComboBox>("sComboBox1");
    EXPECT_EQ(span->count(), 1000);
    EXPECT_EQ(span->itemText(0), "1");
    EXPECT_EQ(span->itemText(999), "1000");
    EXPECT_EQ(span->currentIndex(), -1);
    EXPECT_FALSE(span->isEditable());
    EXPECT_EQ(span->toolTip(), QStringLiteral("波形间隔"));
}

TEST_F(MainForm, DataPanelStartsFoldedAndEmpty) {
    EXPECT_EQ(Find("sPanel3")->maximumHeight(), 30);
    EXPECT_EQ(Find<QToolButton>("sSpeedButton1")->text(), QStringLiteral("↑↑"));
    EXPECT_EQ(Find<QToolButton>("sSpeedButton1")->toolTip(), QStringLiteral("数据发送/接收"));
    EXPECT_NE(Find("sMemo1"), nullptr);
    EXPECT_TRUE(Find<TSendBox>("sMemo2")->IsEmpty());
    EXPECT_EQ(Find<QLineEdit>("sEdit1")->text(), "0");
    for (const char* box : {"sCheckBox1", "sCheckBox2", "sCheckBox3"}) {
        EXPECT_FALSE(Find<QCheckBox>(box)->isChecked()) << box;
    }
    EXPECT_EQ(Find<QCheckBox>("sCheckBox3")->toolTip(), QStringLiteral("帧头(5B)/帧尾5D"));
    EXPECT_EQ(Find<QPushButton>("sBitBtn3")->toolTip(),
              QStringLiteral("悬浮 【接收/发送数据窗体】"));
    EXPECT_FALSE(Find("sPanel6")->isVisibleTo(&form));
    for (const char* timer : {"Timer2", "Timer3", "Timer6"}) {
        auto* found = form.findChild<QTimer*>(timer);
        ASSERT_NE(found, nullptr) << timer;
        EXPECT_FALSE(found->isActive()) << timer;
    }
}

TEST_F(MainForm, PanelButtonUnfoldsAndFoldsTheDataPanel) {
    auto* panelButton = Find<QPushButton>("sButton11");
    QWidget* panel = Find("sPanel3");
    panelButton->click();
    EXPECT_EQ(panelButton->text(), QStringLiteral("显示数据面板"));
    EXPECT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() == 370; }, 10000));
    panelButton->click();
    EXPECT_EQ(panelButton->text(), QStringLiteral("关闭数据面板"));
    EXPECT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() == 30; }, 10000));
}

TEST_F(MainForm, FloatingWindowButtonsDisableAndFoldThePanel) {
    QSignalSpy requested(&form, &TMainForm::FloatingWindowRequested);
    QWidget* panel = Find("sPanel3");
    Find<QPushButton>("sButton11")->click();
    ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() == 370; }, 10000));

    Find<QPushButton>("sBitBtn3")->click();
    EXPECT_EQ(requested.count(), 1);
    EXPECT_FALSE(panel->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() <= 30; }, 10000));

    auto* panelButton = Find<QPushButton>("sButton11");
    panelButton->click();
    EXPECT_EQ(panelButton->text(), QStringLiteral("显示数据面板"));
    Find<QPushButton>("sBitBtn7")->click();
    EXPECT_EQ(requested.count(), 2);
    QTest::qWait(50);
    EXPECT_LE(panel->maximumHeight(), 30);

    form.EnableDataPanel();
    EXPECT_TRUE(panel->isEnabled());
}

TEST_F(MainForm, CurrentInfoShowsStoredValuesUntilTheFirstOpen) {
    WriteSettings("commname=COM9\r\nbaudrate=300\r\n");
    QTest::mouseClick(Find<QPushButton>("sButton12"), Qt::LeftButton);
    EXPECT_TRUE(Find("sPanel6")->isVisibleTo(&form));
    EXPECT_EQ(InfoValues(), QStringList({"COM1", "9600", "8", QStringLiteral("无"), "1", "false",
                                         "false", "false", "false", "#19", "500", "#17"}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Find("sButton12"), &leave);
    EXPECT_FALSE(Find("sPanel6")->isVisibleTo(&form));
}

TEST_F(MainForm, CurrentInfoFollowsEachOpen) {
    TPtyPair pty;
    WriteSettings(
        "commname=" + pty.DevicePath() +
        "\r\nbaudrate=115200\r\nbytesize=7\r\nparity=Odd\r\nparitycheck=1\r\nstopbits=2\r\n"
        "Outx_CtsFlow=true\r\n");
    Find<QPushButton>("sButton1")->click();
    ASSERT_EQ(log->LastText(), QStringLiteral("串口打开成功"));
    EXPECT_FALSE(Find<QPushButton>("sButton1")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("sButton2")->isEnabled());
    Find<QPushButton>("sButton12")->click();
    EXPECT_EQ(InfoValues().mid(0, 6),
              QStringList({QString::fromStdString(pty.DevicePath()), "115200", "7",
                           QStringLiteral("奇校验"), "2", "true"}));

    WriteSettings("commname=" + pty.DevicePath() + "\r\nparity=Even\r\nparitycheck=0\r\n");
    Find<QPushButton>("sButton2")->click();
    EXPECT_EQ(log->LastText(), QStringLiteral("串口关闭成功"));
    Find<QPushButton>("sButton1")->click();
    Find<QPushButton>("sButton12")->click();
    EXPECT_EQ(InfoValues()[3], QStringLiteral("奇校验"));
    EXPECT_EQ(InfoValues()[1], "9600");
}

TEST_F(MainForm, ReceivedBytesReachTheSendBoxOnceOpened) {
    TPtyPair pty;
    OpenPortOn(pty);
    ASSERT_EQ(::write(pty.Master(), "512\r\n", 5), 5);
    auto* sendBox = Find<TSendBox>("sMemo2");
    EXPECT_TRUE(QTest::qWaitFor([sendBox] { return sendBox->Text().contains("512"); }, 5000))
        << sendBox->Text().toStdString();
}

TEST_F(MainForm, HotKeyAppendsTheTimeToTheSendBox) {
    auto* sendBox = Find<TSendBox>("sMemo2");
    sendBox->SetText("AB");
    form.AppendTimeToSendBox();
    EXPECT_TRUE(
        QRegularExpression("^AB[0-2][0-9][0-5][0-9][0-5][0-9]$").match(sendBox->Text()).hasMatch())
        << sendBox->Text().toStdString();
}

TEST_F(MainForm, SettingsButtonShowsTheDialog) {
    Find<QPushButton>("sButton3")->click();
    QWidget* dialog = TopLevel("TForm1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("串口设置"));
    dialog->hide();
}

TEST_F(MainForm, BannerShowsDockedUnderTheMainWindow) {
    QWidget* banner = TopLevel("TForm4");
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(banner->isVisible());
    form.ShowWithBanner();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->size(), QSize(867, 101));
    form.move(form.pos() + QPoint(37, 11));
    const QRect frame = form.frameGeometry();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return banner->pos() == QPoint(frame.left(), frame.bottom() + 1); }, 5000));
}

TEST_F(MainForm, BannerStopsLookingOnceTheWindowStaysPutAndFollowsItsNextMove) {
    auto* banner = qobject_cast<TBannerWindow*>(TopLevel("TForm4"));
    ASSERT_NE(banner, nullptr);
    form.ShowWithBanner();
    EXPECT_TRUE(banner->Following());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !banner->Following(); }, 10000))
        << "a window that does not move costs no wake-ups";

    form.move(form.pos() + QPoint(25, 9));
    EXPECT_TRUE(QTest::qWaitFor([&] { return banner->Following(); }, 5000));
    const QRect frame = form.frameGeometry();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return banner->pos() == QPoint(frame.left(), frame.bottom() + 1); }, 5000));
}

}  // namespace
