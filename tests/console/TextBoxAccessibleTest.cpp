// The receive and send boxes as accessibility tools see them: role and
// states, the text with its caret and selection, character extents, editing
// the send box through the interface, the announcements of new text, and
// the one-megabyte window of a huge box.
#include <QAccessible>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/AccessibleText.h"
#include "console/AccessibleTextWindow.h"
#include "platform/Gbk.h"

namespace {

struct TAnnounced {
    QAccessible::Event type;
    int position;
    QString removed;
    QString inserted;
};

// Records what the boxes announce, as a screen reader would hear it.
std::vector<TAnnounced>* recording = nullptr;

void Record(QAccessibleEvent* event) {
    if (!recording) {
        return;
    }
    if (event->type() == QAccessible::TextInserted) {
        auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        recording->push_back(
            {event->type(), inserted->changePosition(), {}, inserted->textInserted()});
    } else if (event->type() == QAccessible::TextRemoved) {
        auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        recording->push_back(
            {event->type(), removed->changePosition(), removed->textRemoved(), {}});
    } else if (event->type() == QAccessible::TextUpdated) {
        auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
        recording->push_back({event->type(), updated->changePosition(), updated->textRemoved(),
                              updated->textInserted()});
    }
}

class TextBoxAccessible : public ConsoleFixture {
  protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        TAccessibleText::Bus() = {[] { return true; }, Record};
        recording = &announced;
    }
    void TearDown() override {
        recording = nullptr;
        TAccessibleText::Bus() = {};
    }
    static QAccessibleInterface* Of(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }
    static QString AllText(QAccessibleInterface* box) { return box->textInterface()->text(0, -1); }

    std::vector<TAnnounced> announced;
};

TEST_F(TextBoxAccessible, ReceiveBoxIsAReadOnlyMultiLineText) {
    Receive("12\n34\n");
    QAccessibleInterface* box = Of(console->MainReceiveView());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::EditableText);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("接收数据"));
    EXPECT_TRUE(box->state().readOnly);
    EXPECT_TRUE(box->state().multiLine);
    EXPECT_TRUE(box->state().selectableText);
    EXPECT_EQ(box->editableTextInterface(), nullptr);
    ASSERT_NE(box->textInterface(), nullptr);
    EXPECT_EQ(AllText(box), QStringLiteral("12\n34\n"));
    EXPECT_EQ(box->textInterface()->characterCount(), 6);

    // The floating window's box shows the same text.
    QAccessibleInterface* floating = Of(Floating().sMemo1);
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(AllText(floating), QStringLiteral("12\n34\n"));
}

TEST_F(TextBoxAccessible, CaretAndSelectionGoBothWays) {
    Receive("first\r\nsecond " + Utf8ToGbk("你好") + "\n");
    QAccessibleTextInterface* text = Of(console->MainReceiveView())->textInterface();
    text->setSelection(0, 6, 12);
    EXPECT_EQ(console->MainReceiveView()->SelectedText(), QStringLiteral("second"));
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(6, 12));
    EXPECT_EQ(text->selectionCount(), 1);
    EXPECT_EQ(text->cursorPosition(), 12);

    console->MainReceiveView()->SelectAll();
    text->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, text->characterCount()));
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);
    text->setCursorPosition(14);  // between the two Chinese characters
    EXPECT_EQ(text->cursorPosition(), 14);
    EXPECT_EQ(console->MainReceiveView()->Caret(), (TTextPosition{1, 9}));

    int lineStart = -1;
    int lineEnd = -1;
    EXPECT_EQ(text->textAtOffset(8, QAccessible::LineBoundary, &lineStart, &lineEnd).trimmed(),
              QStringLiteral("second 你好"));
    EXPECT_EQ(text->textAtOffset(8, QAccessible::WordBoundary, &lineStart, &lineEnd),
              QStringLiteral("second"));
    EXPECT_EQ(std::make_pair(lineStart, lineEnd), std::make_pair(6, 12));
}

TEST_F(TextBoxAccessible, CharacterExtentsAreWhereTheTextIsShown) {
    Receive("abc\ndef\n");
    QAccessibleTextInterface* text = Of(console->MainReceiveView())->textInterface();
    const QRect a = text->characterRect(0);
    const QRect e = text->characterRect(5);
    const QRect viewport(console->MainReceiveView()->viewport()->mapToGlobal(QPoint(0, 0)),
                         console->MainReceiveView()->viewport()->size());
    EXPECT_TRUE(viewport.contains(a)) << a.x() << "," << a.y();
    EXPECT_GT(a.width(), 0);
    EXPECT_GT(e.top(), a.top());    // the second line is lower
    EXPECT_GT(e.left(), a.left());  // and its second character further right
    EXPECT_EQ(text->offsetAtPoint(e.center()), 5);
    EXPECT_EQ(text->offsetAtPoint(viewport.topLeft() - QPoint(50, 50)), -1);
}

TEST_F(TextBoxAccessible, SendBoxIsEditedThroughTheInterface) {
    SendBox()->SetText(QStringLiteral("AT"));
    QAccessibleInterface* box = Of(SendBox());
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("发送数据"));
    EXPECT_TRUE(box->state().editable);
    EXPECT_FALSE(box->state().readOnly);
    QAccessibleEditableTextInterface* edit = box->editableTextInterface();
    ASSERT_NE(edit, nullptr);
    edit->insertText(2, QStringLiteral("+RST"));
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("AT+RST"));
    edit->replaceText(2, 6, QStringLiteral("+GMR\n"));
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("AT+GMR\n"));
    edit->deleteText(0, 3);
    EXPECT_EQ(AllText(box), QStringLiteral("GMR\n"));
    EXPECT_EQ(box->textInterface()->cursorPosition(), 0);
    SendBox()->Undo();  // an edit like the user's own
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("AT+GMR\n"));

    // Each edit was told at once, so a reader's copy of the text stays right.
    QString heard = QStringLiteral("AT");
    for (const TAnnounced& change : announced) {
        heard.replace(change.position, change.removed.size(), change.inserted);
    }
    EXPECT_EQ(heard, AllText(box));
}

TEST_F(TextBoxAccessible, FastStreamIsAnnouncedAFewTimesASecond) {
    QAccessibleInterface* box = Of(console->MainReceiveView());
    const QString before = AllText(box);  // a reader has read the box
    for (int i = 0; i < 500; ++i) {
        Receive(std::to_string(i) + "\n");
    }
    EXPECT_TRUE(announced.empty());  // nothing yet: announcements wait their turn
    ASSERT_TRUE(QTest::qWaitFor([&] { return !announced.empty(); }, 10000));
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].type, QAccessible::TextInserted);
    EXPECT_EQ(announced[0].position, 0);
    EXPECT_EQ(before + announced[0].inserted, AllText(box));
    EXPECT_TRUE(announced[0].inserted.startsWith(QStringLiteral("0\n\n1\n\n")));

    panel.sButton6->click();  // "清空": the reader hears the text go
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced.size() > 1; }, 10000));
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[1].type, QAccessible::TextRemoved);
    EXPECT_TRUE(AllText(box).isEmpty());
}

TEST_F(TextBoxAccessible, HugeBoxShowsItsLastMegabyte) {
    std::string block;
    for (int i = 0; i < 1000; ++i) {
        block += std::string(99, 'x') + "\n";
    }
    for (int i = 0; i < 30; ++i) {  // 3 MB
        Receive(block);
    }
    Receive("last\n");
    QAccessibleTextInterface* text = Of(console->MainReceiveView())->textInterface();
    const int count = text->characterCount();
    EXPECT_LE(count, static_cast<int>(TAccessibleTextWindow::kMaxCharacters));
    EXPECT_GT(count, static_cast<int>(TAccessibleTextWindow::kMaxCharacters) - 200);
    const QString all = text->text(0, -1);
    EXPECT_TRUE(all.endsWith(QStringLiteral("\nlast\n")));
    EXPECT_TRUE(all.startsWith(QString(99, QLatin1Char('x')) + QLatin1Char('\n')));  // whole lines
}

}  // namespace

TEST(AccessibleTextWindow, WholeLinesFromTheEndAndALongLastLineInPart) {
    TLineTextStore store;
    store.AppendBlock("one\ntwo\nthree", TLineKind::Text, false);
    EXPECT_EQ(TAccessibleTextWindow(store, 0).Text(), QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(TAccessibleTextWindow(store, 0, 10).Text(), QStringLiteral("two\nthree"));
    EXPECT_EQ(TAccessibleTextWindow(store, 1).Text(), QStringLiteral("two\nthree"));
    EXPECT_EQ(TAccessibleTextWindow(store, 0, 3).Text(), QStringLiteral("ree"));
    store.AppendBlock("\x01\x02", TLineKind::Hex, false);
    const TAccessibleTextWindow window(store, 0);
    EXPECT_EQ(window.Text(), QStringLiteral("one\ntwo\nthree\n01 02"));
    EXPECT_EQ(window.OffsetOf({3, 1}), 17);  // the pair of the second byte
    EXPECT_EQ(window.OffsetOf({3, 2}), 19);  // the end of the line, after its last pair
    EXPECT_EQ(window.PositionAt(18), (TTextPosition{3, 1}));
    EXPECT_EQ(window.PositionAt(7), (TTextPosition{1, 3}));  // on the line break
}

TEST(AccessibleTextWindow, OffsetsAndPlacesAgreeOverDoubleByteText) {
    TLineTextStore store;
    std::string line;
    for (int i = 0; i < 400; ++i) {  // longer than a mark's reach
        line += i % 3 == 0 ? "a" : "\xc4\xe3";
    }
    store.AppendBlock(line, TLineKind::Text, false);
    const TAccessibleTextWindow window(store, 0);
    EXPECT_EQ(window.CharacterCount(), 400);
    for (int offset = 0; offset <= 400; ++offset) {
        ASSERT_EQ(window.OffsetOf(window.PositionAt(offset)), offset) << offset;
    }
}

TEST(AccessibleTextWindow, ChangesFromOneTextToTheNext) {
    TLineTextStore store;
    store.AppendBlock("aa\nbb\n", TLineKind::Text, true);
    const TAccessibleTextWindow before(store, 0, 6);
    store.AppendBlock("cc\n", TLineKind::Text, true);
    const TAccessibleTextWindow after(store, 0, 6);  // the first line no longer fits
    EXPECT_EQ(after.Text(), QStringLiteral("bb\ncc\n"));
    const std::vector<TTextChange> changes = TextChanges(before, after);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].position, 0);
    EXPECT_EQ(changes[0].removed, QStringLiteral("aa\n"));
    EXPECT_EQ(changes[1].position, 3);
    EXPECT_EQ(changes[1].inserted, QStringLiteral("cc\n"));

    const TAccessibleTextWindow cleared(store, store.EndLine());
    const std::vector<TTextChange> gone = TextChanges(after, cleared);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0].removed, after.Text());
}
