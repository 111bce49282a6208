// Timed send: the button's caption states, the interval dialog and its
// conversion errors, and what the timer does in each state.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/IntervalDialog.h"

class TimedSend : public ConsoleFixture {
  protected:
    TForm3& Dialog() { return console->IntervalDialog(); }
    QPushButton* DialogButton(const char* name) {
        return Dialog().findChild<QPushButton*>(QLatin1String(name));
    }
    void Confirm(const QString& text) {
        Dialog().IntervalBox()->setEditText(text);
        DialogButton("sButton1")->click();
    }
    QString Caption() const { return panel.sButton9->text(); }
};

TEST_F(TimedSend, StartsAfterConfirmingAndStopsOnTheNextClick) {
    SendBox()->SetText(QStringLiteral("ping"));
    panel.sButton9->click();
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Caption(), QStringLiteral("停止发送"));
    EXPECT_FALSE(panel.Timer2->isActive());  // in between: waiting for the dialog

    Confirm(QStringLiteral("20"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_TRUE(panel.Timer2->isActive());
    EXPECT_EQ(panel.Timer2->interval(), 20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sentBlocks.size() >= 2; }));
    EXPECT_EQ(sentBlocks[0], "ping");

    panel.sButton9->click();
    EXPECT_FALSE(panel.Timer2->isActive());
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
}

TEST_F(TimedSend, EmptyBoxCancelAndCloseBox) {
    panel.sButton9->click();
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("无数据可发送，请先输入要发送的数据"));

    SendBox()->SetText(QStringLiteral("x"));
    panel.sButton9->click();
    DialogButton("sButton2")->click();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
    EXPECT_FALSE(panel.Timer2->isActive());

    panel.sButton9->click();
    Dialog().close();  // the close box leaves the in-between state
    EXPECT_EQ(Caption(), QStringLiteral("停止发送"));
    panel.sButton9->click();  // which the next click only sets back
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_TRUE(sentBlocks.empty());
}

TEST_F(TimedSend, InvalidIntervalsAreReportedAndZeroNeverTicks) {
    SendBox()->SetText(QStringLiteral("x"));
    panel.sButton9->click();
    for (const QString& text : {QString(), QStringLiteral("2147483648")}) {
        Confirm(text);
        EXPECT_EQ(reporter.messages.back().text,
                  QStringLiteral("'%1' is not a valid integer value").arg(text));
        EXPECT_EQ(reporter.messages.back().icon, TMessageIcon::Error);
        EXPECT_TRUE(Dialog().isVisible());
        EXPECT_FALSE(panel.Timer2->isActive());
        EXPECT_EQ(Caption(), QStringLiteral("停止发送"));
    }
    Confirm(QStringLiteral("0"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(panel.Timer2->isActive());
    EXPECT_EQ(Caption(), QStringLiteral("停止发送"));
}

TEST_F(TimedSend, DialogStartsAtTenAndTakesOnlyDigits) {
    QComboBox* box = Dialog().IntervalBox();
    EXPECT_EQ(box->currentText(), QStringLiteral("10"));
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(box->count(), 40);
    EXPECT_EQ(box->itemText(0), QStringLiteral("21"));
    EXPECT_EQ(box->itemText(39), QStringLiteral("60"));
    Dialog().show();
    box->lineEdit()->setFocus();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("a5-x"));
    EXPECT_EQ(box->currentText(), QStringLiteral("105"));
}

TEST_F(TimedSend, FloatingButtonCopiesItsTextAndKeepsItsCaption) {
    Floating().sMemo2->setPlainText(QStringLiteral("tick"));
    Floating().sButton9->click();
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("tick"));
    EXPECT_EQ(Caption(), QStringLiteral("停止发送"));
    EXPECT_EQ(Floating().sButton9->text(), QStringLiteral("定时发送"));
    Confirm(QStringLiteral("15"));
    EXPECT_TRUE(panel.Timer2->isActive());
    Floating().sButton9->click();
    EXPECT_FALSE(panel.Timer2->isActive());
}

TEST_F(TimedSend, AClickStopsWhateverTheBoxHolds) {
    SendBox()->SetText(QStringLiteral("x"));
    panel.sButton9->click();
    Confirm(QStringLiteral("1000"));
    SendBox()->SetText({});
    panel.sButton9->click();
    EXPECT_FALSE(panel.Timer2->isActive());
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
    EXPECT_TRUE(reporter.messages.empty());

    // Stopped from the floating window, whose box is empty: the main box
    // keeps its text.
    Floating().sMemo2->setPlainText(QStringLiteral("tick"));
    Floating().sButton9->click();
    Confirm(QStringLiteral("1000"));
    Floating().sMemo2->clear();
    Floating().sButton9->click();
    EXPECT_FALSE(panel.Timer2->isActive());
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("tick"));

    // A stop while the dialog still waits takes the dialog away too.
    panel.sButton9->click();
    panel.sButton9->click();
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_TRUE(reporter.messages.empty());
}

class TimedSendFailure : public TimedSend, public testing::WithParamInterface<bool> {};

TEST_P(TimedSendFailure, StopsAtTheFirstFailedTickWithOneMessage) {
    if (GetParam()) {
        panel.sCheckBox1->click();  // hex send, which "发送" would let fail quietly
    }
    portOpen = false;
    SendBox()->SetText(QStringLiteral("1A"));
    panel.sButton9->click();
    Confirm(QStringLiteral("1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Timer2->isActive(); }));
    QTest::qWait(20);  // ticks that were still due would show up here
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("数据发送错误，请检查串口是否打开"));
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
}

INSTANTIATE_TEST_SUITE_P(TextAndHex, TimedSendFailure, testing::Bool());

TEST_F(TimedSend, EmptiedBoxStopsWithOneWarning) {
    SendBox()->SetText(QStringLiteral("x"));
    panel.sButton9->click();
    Confirm(QStringLiteral("1"));
    SendBox()->SetText({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Timer2->isActive(); }));
    QTest::qWait(20);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("无数据可发送，请先输入要发送的数据"));
    EXPECT_EQ(Caption(), QStringLiteral("定时发送"));
}
