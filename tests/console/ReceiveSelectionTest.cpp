// Selecting and copying in the receive boxes as a user does it: mouse drags,
// shift-clicks, double and triple clicks, Ctrl+A and Ctrl+C and the context
// menu, with the clipboard read back.
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <string_view>

#include "ConsoleFixture.h"
#include "ContextMenuDriver.h"
#include "TextBoxPoints.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"
#include "platform/Gbk.h"

using namespace std::string_literals;

namespace {

std::string Gbk(const QString& text) {
    return Utf8ToGbk(text.toStdString());
}

// What Ctrl+C puts on the clipboard; an untouched clipboard reads "unchanged".
QString CopyWithKeys(QWidget& box) {
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    return QApplication::clipboard()->text();
}

// Triggers the context-menu entry `text`, returning whether "复制" and
// "全选" were enabled; they are the menu's only entries.
std::pair<bool, bool> UseMenu(TReceiveView& box, const QString& text) {
    const QList<QPair<QString, bool>> entries = UseContextMenu(box, text);
    EXPECT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.value(0).first, QStringLiteral("复制"));
    EXPECT_EQ(entries.value(1).first, QStringLiteral("全选"));
    return {entries.value(0).second, entries.value(1).second};
}

class ReceiveSelection : public testing::Test {
  protected:
    ReceiveSelection() {
        view.resize(300, 150);
        view.show();
        view.setFocus();
        QApplication::processEvents();
    }
    // A block ended by a pause, as the receiver hands it over.
    void Receive(std::string_view bytes, TLineKind kind = TLineKind::Text) {
        store.AppendBlock(bytes, kind, false);
        view.StoreChanged();
    }
    void Drag(const QPoint& from, const QPoint& to) {
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view.viewport(), to);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, to);
    }
    void DoubleClick(const QPoint& at) {
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    }

    TLineTextStore store;
    TReceiveView view{store};
};

}  // namespace

TEST_F(ReceiveSelection, DragSelectsAcrossAWrappedRowAndALineBreak) {
    // The first line wraps onto a second row; "xyz" is the third row.
    QString wrapped;
    for (int i = 0; i < view.Columns() + 10; ++i) {
        wrapped += QChar(u'a' + i % 26);
    }
    Receive(Gbk(wrapped) + "\r\nxyz");
    ASSERT_EQ(view.RowCount(), 3u);

    Drag(BoundaryPoint(view, 0, wrapped.left(2)), BoundaryPoint(view, 2, QStringLiteral("x")));
    EXPECT_EQ(CopyWithKeys(view), wrapped.mid(2) + QStringLiteral("\r\nx"));

    // Dragging upwards selects the same way.
    Drag(BoundaryPoint(view, 2, QStringLiteral("xy")), BoundaryPoint(view, 1, {}));
    EXPECT_EQ(CopyWithKeys(view), wrapped.mid(view.Columns()) + QStringLiteral("\r\nxy"));
}

TEST_F(ReceiveSelection, ShiftClickExtendsFromWhereTheLastClickWas) {
    Receive("first line\r\nsecond line");
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, BoundaryPoint(view, 0, "first "));
    EXPECT_FALSE(view.HasSelection());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      BoundaryPoint(view, 1, "second"));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("line\r\nsecond"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      BoundaryPoint(view, 0, "fir"));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("st "));
}

TEST_F(ReceiveSelection, DoubleClickSelectsAWordAndTripleClickTheLine) {
    const QString line = QStringLiteral("foo bar_1 世界");
    Receive(Gbk(line) + "\r\nnext");
    DoubleClick(CharacterPoint(view, 0, QStringLiteral("foo b"), u'a'));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("bar_1"));
    DoubleClick(CharacterPoint(view, 0, QStringLiteral("foo bar_1 "), u'世'));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("世界"));

    // The third click takes the whole line with its break.
    const QPoint point = CharacterPoint(view, 0, QStringLiteral("f"), u'o');
    DoubleClick(point);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(CopyWithKeys(view), line + QStringLiteral("\r\n"));
}

TEST_F(ReceiveSelection, SelectAllCopiesWhatTheBoxShows) {
    Receive(Gbk(QStringLiteral("温度 25℃")));
    Receive("a\0b"s);
    Receive("A\r\n", TLineKind::Hex);
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("unchanged"));  // nothing selected yet

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    // A zero byte copies as the symbol the box shows for it.
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("温度 25℃\r\na\u2400b\r\n41 0D 0A"));
}

TEST_F(ReceiveSelection, ContextMenuCopiesAndSelectsAll) {
    Receive("one\r\ntwo");
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    EXPECT_EQ(UseMenu(view, QStringLiteral("复制")), std::make_pair(false, true));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));

    EXPECT_EQ(UseMenu(view, QStringLiteral("全选")), std::make_pair(false, true));
    EXPECT_EQ(UseMenu(view, QStringLiteral("复制")), std::make_pair(true, true));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one\r\ntwo"));

    view.ClearText();
    EXPECT_EQ(UseMenu(view, QStringLiteral("全选")), std::make_pair(false, false));
    EXPECT_FALSE(view.HasSelection());
}

TEST_F(ReceiveSelection, SelectionStaysWhileTextArrives) {
    Receive("keep this\r\nand");
    DoubleClick(CharacterPoint(view, 0, QStringLiteral("keep t"), u'h'));
    // Enough lines to scroll the box, which follows the new text.
    for (int i = 0; i < 200; ++i) {
        Receive("more text " + std::to_string(i));
    }
    // A block that continues the selected line's successor does not move it.
    store.AppendBlock("tail", TLineKind::Text, true);
    view.StoreChanged();
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("this"));
}

TEST_F(ReceiveSelection, ClearingOrShowingALaterLineDropsTheSelection) {
    Receive("first\r\nsecond\r\nthird");
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    view.ShowFrom(store.FirstLine() + 1);
    EXPECT_FALSE(view.HasSelection());
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("unchanged"));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("second\r\nthird"));
    view.ClearText();
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("unchanged"));
    Receive("fourth");
    EXPECT_FALSE(view.HasSelection());
}

TEST_F(ReceiveSelection, HexLinesSelectWholePairs) {
    Receive("ABC\0\xFF"s, TLineKind::Hex);
    // Pressing in the blank after "41" starts at the second byte.
    Drag(BoundaryPoint(view, 0, QStringLiteral("41 ")), BoundaryPoint(view, 0, "41 42 43 00"));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("42 43 00"));
    DoubleClick(CharacterPoint(view, 0, QStringLiteral("41 42 43 00 F"), u'F'));
    EXPECT_EQ(CopyWithKeys(view), QStringLiteral("FF"));
}

TEST_F(ReceiveSelection, SelectedTextIsHighlighted) {
    Receive("abc def");
    DoubleClick(CharacterPoint(view, 0, QStringLiteral("abc d"), u'e'));
    const QImage image = view.viewport()->grab().toImage();
    // The row's top pixel line, above the glyphs; the offscreen window may
    // or may not count as active.
    const auto highlighted = [&](const QPoint& point) {
        const QColor color = image.pixelColor(point.x() + 1, 0);
        return color == view.palette().color(QPalette::Active, QPalette::Highlight) ||
               color == view.palette().color(QPalette::Inactive, QPalette::Highlight);
    };
    EXPECT_TRUE(highlighted(BoundaryPoint(view, 0, "abc d")));
    EXPECT_FALSE(highlighted(BoundaryPoint(view, 0, "a")));
    EXPECT_FALSE(highlighted(BoundaryPoint(view, 0, "abc def")));
}

TEST_F(ReceiveSelection, CopiedLinesPasteIntoTheSendBoxUnchanged) {
    const std::string received = Gbk(QStringLiteral("设定值=12\r\n测量值=11"));
    Receive(received);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    view.Copy();
    TSendBox box;
    box.Paste();
    EXPECT_EQ(box.Bytes(), received);
}

class ReceiveBoxesSelection : public ConsoleFixture {
  protected:
    void SetUp() override {
        window.show();
        console->FloatingWindow().show();
        QApplication::processEvents();
    }
    TReceiveView& Floating() {
        return *console->FloatingWindow().findChild<TReceiveView*>(QStringLiteral("sMemo1"));
    }
};

TEST_F(ReceiveBoxesSelection, BothBoxesCopyAndTheFloatingOneDropsItsOnTheNextBlock) {
    TReceiveView& main = *console->MainReceiveView();
    panel.sCheckBox2->setChecked(true);
    Receive("\x01\xAB");
    panel.sCheckBox2->setChecked(false);
    Receive(Gbk(QStringLiteral("压力=3")));
    for (TReceiveView* box : {&main, &Floating()}) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(CopyWithKeys(*box), QStringLiteral("01 AB\r\n压力=3"));
    }

    // Clearing the main box leaves the floating one its text and selection
    // until the next block arrives.
    panel.sButton6->click();
    EXPECT_FALSE(main.HasSelection());
    EXPECT_TRUE(Floating().HasSelection());
    Receive("x");
    EXPECT_FALSE(Floating().HasSelection());
}

// An empty selection of a box that shows nothing (never filled, or cleared)
// lies past the store's last line; reading it must not touch a line there.
TEST_F(ReceiveSelection, AnEmptyBoxHasNoSelectedText) {
    EXPECT_TRUE(view.SelectedText().isEmpty());
    Receive("12\r\n");
    view.ClearText();
    EXPECT_FALSE(view.HasSelection());
    EXPECT_TRUE(view.SelectedText().isEmpty());
}
