// Sending as a user meets it: text and hexadecimal sends, the counters of
// both windows, send and save, the send box's key filter and the floating
// window's send commands and switches.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/HistoryDialog.h"

using namespace std::string_literals;

class SendConsole : public ConsoleFixture {
  protected:
    void Type(const QString& text) { SendBox()->SetText(text); }
    std::string HistoryFile() const {
        QFile file(QString::fromStdString(historyPath));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }
};

TEST_F(SendConsole, TextSendCountsItsBytesInBothCounters) {
    Type(QStringLiteral("abc"));
    panel.sButton7->click();
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks, (std::vector<std::string>{"abc", "abc"}));
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("6"));
    EXPECT_EQ(Floating().sEdit1->text(), QStringLiteral("6"));

    Type(QStringLiteral("a\n你"));  // CR LF line breaks, GBK characters
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks.back(), "a\r\n\xc4\xe3");
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("11"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SendConsole, CountersResetSeparately) {
    Type(QStringLiteral("abcd"));
    panel.sButton7->click();
    panel.sBitBtn9->click();
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("0"));
    EXPECT_EQ(Floating().sEdit1->text(), QStringLiteral("4"));
    panel.sButton7->click();
    EXPECT_EQ(Floating().sEdit1->text(), QStringLiteral("4"));
    Floating().sBitBtn4->click();
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("0"));
    EXPECT_EQ(Floating().sEdit1->text(), QStringLiteral("0"));
}

TEST_F(SendConsole, HexSendGoesOutAsOneFrameOfPairs) {
    panel.sCheckBox1->click();
    Type(QStringLiteral("5B 0A ff"));
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks, (std::vector<std::string>{"\x5B\x0A\xFF"}));
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("3"));

    panel.sCheckBox3->click();
    Type(QStringLiteral("1A"));
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks.back(), "\x5B\x1A\x5D");
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("4"));  // frame bytes are not counted

    Type(QStringLiteral("GG"));
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks.back(), "\x5B\x5D");
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("4"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SendConsole, FrameSwitchActsOnlyOnHexSend) {
    panel.sCheckBox3->click();
    Type(QStringLiteral("1A"));
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks.back(), "1A");
}

TEST_F(SendConsole, ClosedPortAndEmptyBoxMessages) {
    panel.sButton7->click();
    panel.sButton8->click();
    ASSERT_EQ(reporter.messages.size(), 2u);
    for (const TLoggedMessage& message : reporter.messages) {
        EXPECT_EQ(message.caption, QStringLiteral("提示"));
        EXPECT_EQ(message.text, QStringLiteral("无数据可发送，请先输入要发送的数据"));
        EXPECT_EQ(message.icon, TMessageIcon::Warning);
    }
    EXPECT_EQ(HistoryFile(), "<missing>");

    portOpen = false;
    Type(QStringLiteral("abc"));
    panel.sButton7->click();
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[2].text, QStringLiteral("数据发送错误，请检查串口是否打开"));
    EXPECT_EQ(reporter.messages[2].icon, TMessageIcon::Error);

    panel.sCheckBox1->click();  // hex send says nothing
    panel.sButton7->click();
    EXPECT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("0"));
}

TEST_F(SendConsole, LongTextGoesOutWholeInConsecutiveBlocks) {
    QString text;
    for (int i = 0; i < 70000; ++i) {
        text += QChar(u'a' + i % 26);
    }
    Type(text);
    panel.sButton7->click();
    ASSERT_EQ(sentBlocks.size(), 2u);
    EXPECT_EQ(sentBlocks[0].size(), 65535u);
    EXPECT_EQ(SentBytes(), text.toStdString());
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("70000"));
}

TEST_F(SendConsole, SendAndSaveStartsTheHistoryAndAppendsToIt) {
    Type(QStringLiteral("ab\ncd"));
    panel.sButton8->click();  // the first save makes the file
    EXPECT_EQ(SentBytes(), "ab\r\ncd");
    EXPECT_EQ(HistoryFile(), "ab\r\ncd\r\n");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, QStringLiteral(" 示"));
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("数据保存成功"));
    EXPECT_EQ(reporter.messages[0].icon, TMessageIcon::Information);

    portOpen = false;  // saved even when the send fails
    Type(QStringLiteral("ef"));
    panel.sButton8->click();
    EXPECT_EQ(HistoryFile(), "ab\r\ncd\r\nef\r\n");
    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[1].text, QStringLiteral("数据发送错误，请检查串口是否打开"));
    EXPECT_EQ(reporter.messages[2].text, QStringLiteral("数据保存成功"));
}

TEST_F(SendConsole, SendAndSaveReportsAHistoryItCannotWrite) {
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(historyPath)));
    Type(QStringLiteral("ab"));
    panel.sButton8->click();
    EXPECT_EQ(SentBytes(), "ab");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, QStringLiteral(" 示"));
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("数据保存错误"));
    EXPECT_EQ(reporter.messages[0].icon, TMessageIcon::Error);
}

TEST_F(SendConsole, SendBoxTakesOnlyPlainTypedCharacters) {
    window.show();
    SendBox()->setFocus();
    QTest::keyClicks(SendBox(), QStringLiteral("a1 ,x\"[]:;{}~"));
    QTest::keyClick(SendBox(), Qt::Key_Return);
    QTest::keyClick(SendBox(), Qt::Key_Tab);
    QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("你"));
    QApplication::sendEvent(SendBox(), &chinese);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("你a"));
    QApplication::sendEvent(SendBox(), &composed);
    QInputMethodEvent plain;
    plain.setCommitString(QStringLiteral("ok"));
    QApplication::sendEvent(SendBox(), &plain);
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("a1 ,x~ok"));
    QTest::keyClick(SendBox(), Qt::Key_Backspace);
    QTest::keyClick(SendBox(), Qt::Key_Backspace);
    QTest::keyClick(SendBox(), Qt::Key_Backspace);
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("a1 ,x"));

    Floating().sMemo2->setFocus();  // the floating send box is not filtered
    QTest::keyClicks(Floating().sMemo2, QStringLiteral("[;]"));
    EXPECT_EQ(Floating().sMemo2->toPlainText(), QStringLiteral("[;]"));
}

TEST_F(SendConsole, FloatingSendReplacesTheMainSendBox) {
    Receive("rx");
    Floating().sMemo2->setPlainText(QStringLiteral("hello"));
    Floating().sButton7->click();
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("hello"));
    EXPECT_EQ(sentBlocks.back(), "hello");

    Floating().sMemo2->clear();
    Floating().sButton7->click();
    EXPECT_TRUE(SendBox()->Text().isEmpty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("无数据可发送，请先输入要发送的数据"));
}

TEST_F(SendConsole, SendSwitchesFollowEachOther) {
    Floating().sCheckBox3->click();
    Floating().sCheckBox2->click();
    EXPECT_TRUE(panel.sCheckBox3->isChecked());
    EXPECT_TRUE(panel.sCheckBox1->isChecked());
    Type(QStringLiteral("01"));
    panel.sButton7->click();
    EXPECT_EQ(sentBlocks.back(), "\x5B\x01\x5D");

    panel.sCheckBox1->click();
    EXPECT_FALSE(Floating().sCheckBox2->isChecked());
    EXPECT_TRUE(Floating().sCheckBox3->isChecked());
}

TEST_F(SendConsole, FloatingPlotButtonsRunTheMainOnes) {
    int hexClicks = 0;
    int decimalClicks = 0;
    QObject::connect(panel.sBitBtn5, &QPushButton::clicked, [&] { ++hexClicks; });
    QObject::connect(panel.sBitBtn6, &QPushButton::clicked, [&] { ++decimalClicks; });
    Floating().sBitBtn2->click();
    Floating().sBitBtn3->click();
    Floating().sButton10->click();  // 历史数据 here does nothing
    EXPECT_EQ(hexClicks, 1);
    EXPECT_EQ(decimalClicks, 1);
    EXPECT_FALSE(console->HistoryDialog().isVisible());
}
