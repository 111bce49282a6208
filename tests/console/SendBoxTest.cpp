// The send box as a user meets it: received blocks land at its end with the
// receive box's line rules, the user types, moves, selects, copies and
// pastes, and "发送" sends exactly what the box holds.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>

#include <random>

#include "ConsoleFixture.h"
#include "ContextMenuDriver.h"
#include "TextBoxPoints.h"
#include "console/ReceiveConsole.h"
#include "platform/Gbk.h"

using namespace std::string_literals;

namespace {

class SendBoxEditing : public testing::Test {
  protected:
    SendBoxEditing() {
        box.resize(300, 120);
        box.show();
        box.setFocus();
        QApplication::processEvents();
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&box, static_cast<Qt::Key>(key), modifiers);
    }
    // Where an input method is told the caret is, in the viewport.
    QRect CaretRect() const {
        return box.inputMethodQuery(Qt::ImCursorRectangle)
            .toRect()
            .translated(-box.viewport()->pos());
    }
    // Whether anything but the background is drawn where the caret is.
    bool CaretDrawn() const {
        const QRect caret = CaretRect();
        const QImage image = box.viewport()->grab().toImage();
        const QColor background = box.palette().color(QPalette::Base);
        for (int y = caret.top(); y <= caret.bottom(); ++y) {
            if (image.pixelColor(caret.x(), y) != background) {
                return true;
            }
        }
        return false;
    }
    void SendInput(const QString& commit, const QString& preedit = {},
                   QList<QInputMethodEvent::Attribute> attributes = {}, int replaceFrom = 0,
                   int replaceLength = 0) {
        QInputMethodEvent event(preedit, attributes);
        event.setCommitString(commit, replaceFrom, replaceLength);
        QApplication::sendEvent(&box, &event);
    }

    // The send box with its caret's blink step in reach.
    class TBlinkingSendBox : public TSendBox {
      public:
        void Blink() { CaretBlink().Blink(); }
    };

    TBlinkingSendBox box;
};

}  // namespace

TEST_F(SendBoxEditing, ReceivedBlocksFollowTheLineRules) {
    box.AppendReceived("12", false);        // a pause ends the line
    box.AppendReceived("3\r\n45\r", true);  // a cut block leaves it open...
    box.AppendReceived("\n6", true);        // ...and its CR pairs with this LF
    box.AppendReceived("7", false);
    box.AppendReceived("\r\n", false);  // a block ending in CR LF leaves an empty line
    EXPECT_EQ(box.Text(), QStringLiteral("12\n3\n45\n67\n\n\n"));
    EXPECT_EQ(box.Bytes(), "12\r\n3\r\n45\r\n67\r\n\r\n\r\n");

    box.SetText({});
    box.AppendReceived("8\n9\r", false);  // LF and CR alone each end a line
    box.AppendReceived("\n10", false);    // and this LF only completes the CR
    EXPECT_EQ(box.Text(), QStringLiteral("8\n9\n\n10\n"));
    EXPECT_EQ(box.Bytes(), "8\n9\r\n\r\n10\r\n");  // what came, and the box's own breaks
}

TEST_F(SendBoxEditing, ReceivedTextStartsOnALineOfItsOwn) {
    box.AppendReceived("12", true);
    box.AppendReceived("34", false);  // goes on with the line left open
    EXPECT_EQ(box.Bytes(), "1234\r\n");
    box.SetText(QStringLiteral("AT+RST"));
    box.AppendReceived("OK", false);  // the typed line stays a line of its own
    EXPECT_EQ(box.Bytes(), "AT+RST\r\nOK\r\n");

    box.AppendReceived("5", true);
    Press(Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral("x"));  // typing ends the open line's claim
    box.AppendReceived("6", false);
    EXPECT_EQ(box.Text(), QStringLiteral("AT+RST\nOK\n5x\n6\n"));

    box.SetText(QStringLiteral("AB"));
    box.AppendText(QStringLiteral("123456"));  // the time F5 adds joins the line
    EXPECT_EQ(box.Text(), QStringLiteral("AB123456"));
}

TEST_F(SendBoxEditing, KeepsEveryReceivedByte) {
    // Random binary blocks, NUL, lone CR and LF and GBK pairs among them,
    // some cut and some ended by a pause: nothing is lost or reordered.
    std::mt19937 random(7);
    std::string expected;
    for (int block = 0; block < 300; ++block) {
        std::string bytes(random() % 300, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % 4 == 0 ? "\r\n\0\x81"[random() % 4] : random());
        }
        const bool open = random() % 2 == 0;
        box.AppendReceived(bytes, open);
        expected += bytes + (open ? "" : "\r\n");
    }
    EXPECT_EQ(box.Bytes(), expected);
}

TEST_F(SendBoxEditing, TypingGoesToTheCaretAndAnEndCaretFollowsNewText) {
    box.SetText(QStringLiteral("ab"));
    box.AppendReceived("12", false);
    QTest::keyClicks(&box, QStringLiteral("x"));  // the caret stayed at the start
    EXPECT_EQ(box.Text(), QStringLiteral("xab\n12\n"));

    Press(Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral("y"));
    box.AppendReceived("3", false);
    QTest::keyClicks(&box, QStringLiteral("z"));
    EXPECT_EQ(box.Text(), QStringLiteral("xab\n12\ny\n3\nz"));
}

TEST_F(SendBoxEditing, ArrowsAndDeletionStepOverWholeCharacters) {
    box.SetText(QStringLiteral("你a\nbc"));
    Press(Qt::Key_Right);
    QTest::keyClicks(&box, QStringLiteral("1"));
    EXPECT_EQ(box.Text(), QStringLiteral("你1a\nbc"));
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(box.Text(), QStringLiteral("a\nbc"));
    Press(Qt::Key_End);
    Press(Qt::Key_Delete);  // joins the lines
    EXPECT_EQ(box.Text(), QStringLiteral("abc"));
    Press(Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(&box, QStringLiteral("X"));  // typing replaces the selection
    EXPECT_EQ(box.Text(), QStringLiteral("aXc"));
    EXPECT_EQ(box.Bytes(), "aXc");
}

TEST_F(SendBoxEditing, UpAndDownKeepTheColumn) {
    box.SetText(QStringLiteral("abcd\nx\nefgh"));
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);  // a shorter line takes the caret to its end
    QTest::keyClicks(&box, QStringLiteral("1"));
    Press(Qt::Key_Down);
    QTest::keyClicks(&box, QStringLiteral("2"));
    Press(Qt::Key_Up);  // through the shorter line and back to the column
    Press(Qt::Key_Up);
    QTest::keyClicks(&box, QStringLiteral("3"));
    EXPECT_EQ(box.Text(), QStringLiteral("abc3d\nx1\nef2gh"));

    // Any other move starts from where the caret then is.
    box.SetText(QStringLiteral("abcdef\nx\nabcdef"));
    Press(Qt::Key_End);
    Press(Qt::Key_Down);
    Press(Qt::Key_Left);
    Press(Qt::Key_Down);
    QTest::keyClicks(&box, QStringLiteral("4"));
    EXPECT_EQ(box.Text(), QStringLiteral("abcdef\nx\n4abcdef"));
}

TEST_F(SendBoxEditing, SelectionCopiesCutsAndPastesAcrossLines) {
    box.SetText(QStringLiteral("one\ntwo"));
    Press(Qt::Key_Right);
    Press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(box.SelectedText(), QStringLiteral("ne\nt"));
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ne\nt"));
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("owo"));
    Press(Qt::Key_End);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("owone\nt"));
    EXPECT_EQ(box.Bytes(), "owone\r\nt");

    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    EXPECT_TRUE(box.IsEmpty());
}

TEST_F(SendBoxEditing, ContextMenuEditsInChinese) {
    box.SetText(QStringLiteral("one two"));
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    QApplication::clipboard()->clear();
    const QList<QPair<QString, bool>> entries = UseContextMenu(box, QStringLiteral("剪切"));
    const QList<QPair<QString, bool>> expected = {{"撤消", false}, {"重做", false}, {"剪切", true},
                                                  {"复制", true},  {"粘贴", false}, {"删除", true},
                                                  {"全选", true}};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(box.Text(), QStringLiteral("e two"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("on"));

    Press(Qt::Key_End);
    UseContextMenu(box, QStringLiteral("粘贴"));
    EXPECT_EQ(box.Text(), QStringLiteral("e twoon"));
    UseContextMenu(box, QStringLiteral("撤消"));
    EXPECT_EQ(box.Text(), QStringLiteral("e two"));
}

TEST_F(SendBoxEditing, UndoAndRedoStepThroughTheUsersEdits) {
    box.SetText(QStringLiteral("ab\ncd"));
    Press(Qt::Key_End);
    QTest::keyClicks(&box, QStringLiteral("xy"));  // one typing step
    Press(Qt::Key_Right, Qt::ShiftModifier);       // selects the line break
    Press(Qt::Key_Delete);
    EXPECT_EQ(box.Text(), QStringLiteral("abxycd"));
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("abxy\ncd"));
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("ab\ncd"));
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("abxycd"));

    // Received text is not the user's to undo, nor what came before it.
    box.AppendReceived("9", false);
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("abxycd\n9\n"));
}

TEST_F(SendBoxEditing, ClicksAndDragsPlaceTheCaretAndSelect) {
    box.SetText(QStringLiteral("ab\ncd\nef"));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, RowPoint(box, 1, 250));
    QTest::keyClicks(&box, QStringLiteral("1"));
    EXPECT_EQ(box.Text(), QStringLiteral("ab\ncd1\nef"));

    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, RowPoint(box, 0, 1));
    QTest::mouseMove(box.viewport(), RowPoint(box, 2, 1));
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {}, RowPoint(box, 2, 1));
    EXPECT_EQ(box.SelectedText(), QStringLiteral("ab\ncd1\n"));
}

TEST_F(SendBoxEditing, DoubleClickSelectsAWordAndTripleClickTheLine) {
    box.SetText(QStringLiteral("foo bar_1 baz\n你好，世界"));
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {},
                       CharacterPoint(box, 0, QStringLiteral("foo b"), u'a'));
    EXPECT_EQ(box.SelectedText(), QStringLiteral("bar_1"));
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {},
                       CharacterPoint(box, 1, QStringLiteral("你好，世"), u'界'));
    EXPECT_EQ(box.SelectedText(), QStringLiteral("世界"));
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {},
                       CharacterPoint(box, 0, QStringLiteral("foo"), u' '));
    EXPECT_EQ(box.SelectedText(), QStringLiteral(" "));

    const QPoint point = CharacterPoint(box, 0, QStringLiteral("f"), u'o');
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(box.SelectedText(), QStringLiteral("foo bar_1 baz\n"));
    Press(Qt::Key_X, Qt::ControlModifier);  // the whole line goes, break and all
    EXPECT_EQ(box.Text(), QStringLiteral("你好，世界"));
    // A hand that shakes during the second click keeps the word; a real
    // drag selects from the word's start on.
    box.SetText(QStringLiteral("foo bar baz"));
    const QPoint bar = CharacterPoint(box, 0, QStringLiteral("foo b"), u'a');
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, box.viewport()->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(box.viewport(), &event);
    };
    send(QEvent::MouseButtonPress, bar, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, bar, Qt::NoButton);
    send(QEvent::MouseButtonPress, bar, Qt::LeftButton);
    send(QEvent::MouseButtonDblClick, bar, Qt::LeftButton);
    send(QEvent::MouseMove, bar + QPoint(2, 1), Qt::LeftButton);
    EXPECT_EQ(box.SelectedText(), QStringLiteral("bar"));
    send(QEvent::MouseMove, CharacterPoint(box, 0, QStringLiteral("foo bar b"), u'a'),
         Qt::LeftButton);
    send(QEvent::MouseButtonRelease, bar, Qt::NoButton);
    EXPECT_EQ(box.SelectedText().left(5), QStringLiteral("bar b"));
}

TEST_F(SendBoxEditing, ControlKeysMoveAndDeleteByWords) {
    box.SetText(QStringLiteral("one two  three\nfour"));
    Press(Qt::Key_Right, Qt::ControlModifier);
    Press(Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClicks(&box, QStringLiteral("X"));
    EXPECT_EQ(box.Text(), QStringLiteral("one two  Xthree\nfour"));

    Press(Qt::Key_End);
    Press(Qt::Key_Right, Qt::ControlModifier);  // on to the next line
    QTest::keyClicks(&box, QStringLiteral("Y"));
    Press(Qt::Key_Left, Qt::ControlModifier);
    Press(Qt::Key_Left, Qt::ControlModifier);  // back to the end of the line above
    Press(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("one two  \nYfour"));

    Press(Qt::Key_Home);
    Press(Qt::Key_Delete, Qt::ControlModifier);  // the word and the blank after it
    EXPECT_EQ(box.Text(), QStringLiteral("two  \nYfour"));
    Press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.SelectedText(), QStringLiteral("two  "));
}

TEST_F(SendBoxEditing, CaretBlinksOnlyWhileTheBoxHasFocus) {
    // The blinks are stepped by hand: a caret that never blinks by itself
    // leaves nothing to the machine's timing.
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(24 * 3600 * 1000);
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    EXPECT_TRUE(CaretDrawn());
    box.Blink();
    EXPECT_FALSE(CaretDrawn());
    box.Blink();
    EXPECT_TRUE(CaretDrawn());

    box.Blink();
    Press(Qt::Key_End);  // a caret that moves shows at once
    EXPECT_TRUE(CaretDrawn());

    box.clearFocus();
    EXPECT_FALSE(CaretDrawn());
    box.Blink();  // no blinking without focus
    EXPECT_FALSE(CaretDrawn());
    box.setFocus();
    EXPECT_TRUE(CaretDrawn());
    QApplication::setCursorFlashTime(flashTime);
}

TEST_F(SendBoxEditing, CaretBlinksByItselfAtTheFlashRate) {
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(200);
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    // Waited for, not timed: a loaded machine only makes the waits longer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !CaretDrawn(); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return CaretDrawn(); }, 20000));
    QApplication::setCursorFlashTime(flashTime);
}

TEST_F(SendBoxEditing, InputMethodTextGoesInAtTheCaret) {
    EXPECT_TRUE(box.testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(box.inputMethodQuery(Qt::ImEnabled).toBool());
    box.SetText(QStringLiteral("ab"));
    Press(Qt::Key_Right);
    const QRect caret = CaretRect();
    const QImage plain = box.viewport()->grab().toImage();

    // While composing, the text shows at the caret but is not yet in the box.
    SendInput({}, QStringLiteral("ni"), {{QInputMethodEvent::Cursor, 1, 1}});
    EXPECT_EQ(box.Text(), QStringLiteral("ab"));
    EXPECT_EQ(CaretRect().x(), caret.x() + box.fontMetrics().horizontalAdvance(u'n'));
    EXPECT_NE(box.viewport()->grab().toImage(), plain);

    SendInput(QStringLiteral("你"));
    EXPECT_EQ(box.Text(), QStringLiteral("a你b"));
    EXPECT_EQ(box.Bytes(),
              "a\xc4\xe3"
              "b");
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_EQ(box.Text(), QStringLiteral("a你xb"));

    // An input method may replace characters before the caret as it commits.
    SendInput(QStringLiteral("好"), {}, {}, -2, 2);
    EXPECT_EQ(box.Text(), QStringLiteral("a好b"));
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("a你xb"));
}

TEST_F(SendBoxEditing, InputMethodsSeeTheTextAroundTheCaret) {
    box.SetText(QStringLiteral("first\n你好 world"));
    Press(Qt::Key_End, Qt::ControlModifier);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("你好 world"));
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCursorPosition).toInt(), 6);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImAnchorPosition).toInt(), 8);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCurrentSelection).toString(), QStringLiteral("ld"));
    EXPECT_EQ(box.inputMethodQuery(Qt::ImTextBeforeCursor).toString(), QStringLiteral("你好 wor"));
    const QRect caret = CaretRect();
    EXPECT_EQ(caret.top(), box.fontMetrics().lineSpacing());  // the second row
    EXPECT_GT(caret.left(), box.fontMetrics().horizontalAdvance(QStringLiteral("你好 wo")));

    // A selection from another line reaches to the end of the text given.
    Press(Qt::Key_Home, Qt::ShiftModifier);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("first"));
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCursorPosition).toInt(), 0);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImAnchorPosition).toInt(), 5);

    // A huge received line is not handed over whole.
    box.SetText(QString(100000, u'a'));
    EXPECT_LT(box.inputMethodQuery(Qt::ImSurroundingText).toString().size(), 10000);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCursorPosition).toInt(), 0);
}

TEST_F(SendBoxEditing, DraggingPastAnEdgeScrollsThatWay) {
    for (int line = 0; line < 50; ++line) {
        box.AppendReceived("line", false);
    }
    QScrollBar* bar = box.verticalScrollBar();
    const int bottom = bar->value();
    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, RowPoint(box, 1, 1));
    QTest::mouseMove(box.viewport(), QPoint(1, -5));
    EXPECT_EQ(bar->value(), bottom - 1);
    QTest::mouseMove(box.viewport(), QPoint(1, box.viewport()->height() + 5));
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {},
                        QPoint(1, box.viewport()->height() + 5));
    EXPECT_EQ(bar->value(), bottom);

    // Held still past the edge, it goes on scrolling until released.
    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, RowPoint(box, 1, 1));
    QTest::mouseMove(box.viewport(), QPoint(1, -5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() <= bottom - 5; }, 5000));
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {}, QPoint(1, -5));
    const int released = bar->value();
    QTest::qWait(200);
    EXPECT_EQ(bar->value(), released);
    EXPECT_TRUE(box.SelectedText().endsWith(QStringLiteral("line\nline\n")));
}

TEST_F(SendBoxEditing, LongTextScrollsToKeepTheCaretInView) {
    for (int line = 0; line < 200; ++line) {
        box.AppendReceived(std::to_string(line), false);
    }
    QScrollBar* bar = box.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());  // scrolled along with the text
    Press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_EQ(box.Text().section(QLatin1Char('\n'), 0, 0), QStringLiteral("x0"));
    box.SetText(QStringLiteral("short"));  // nothing left to scroll
    EXPECT_EQ(bar->maximum(), 0);
}

class SendBoxInConsole : public ConsoleFixture {};

TEST_F(SendBoxInConsole, TextSendAfterReceivingSendsTheWholeBox) {
    Receive(std::string(2047, 'a') + "\r", TBlockEnd::Cut);  // cut after the CR
    Receive(
        "\n"
        "12\xff\0"s);
    SendBox()->setFocus();
    QTest::keyClick(SendBox(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(SendBox(), QStringLiteral("ok"));
    panel.sButton7->click();
    const std::string expected = std::string(2047, 'a') + "\r\n12\xff\0\r\nok"s;
    EXPECT_EQ(SentBytes(), expected);
    EXPECT_EQ(SendBox()->Bytes(), expected);
    EXPECT_EQ(panel.sEdit1->text(), QString::number(expected.size()));
}

TEST_F(SendBoxInConsole, HexSendReadsTheDigitsOfTheWholeBox) {
    panel.sCheckBox1->click();
    Receive("1A\r\n");
    Receive(
        "\xc4\xe3"
        "2b");  // 你 then digits
    SendBox()->setFocus();
    QTest::keyClick(SendBox(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(SendBox(), QStringLiteral("c"));
    panel.sButton7->click();
    EXPECT_EQ(SentBytes(), "\x1A\x2B\x0C");
}

TEST_F(SendBoxInConsole, SendAndSaveStoresTheBoxAsSent) {
    Receive("\xc4\xe3");
    panel.sButton8->click();
    QFile file(QString::fromStdString(historyPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "\xc4\xe3\r\n\r\n");
    EXPECT_EQ(SentBytes(), "\xc4\xe3\r\n");
}
