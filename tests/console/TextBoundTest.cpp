// The receive and send boxes keep a bounded amount of text: past the budget
// the oldest whole lines go, while what the user has on screen, selected or
// is typing stays put, and "保存" and "发送" take what the box holds.
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include <string>

#include "ConsoleFixture.h"
#include "console/TextBound.h"

namespace {

std::string NumberedLine(int number) {
    return "line " + std::to_string(100000 + number);
}

// Lines `from` up to `to`, each with CR LF.
std::string NumberedLines(int from, int to) {
    std::string block;
    for (int number = from; number < to; ++number) {
        block += NumberedLine(number) + "\r\n";
    }
    return block;
}

// The same lines as a block ended by a pause, which ends its last line.
std::string Block(int from, int to) {
    std::string block = NumberedLines(from, to);
    block.resize(block.size() - 2);
    return block;
}

std::string Line(const TLineTextStore& store, uint64_t line) {
    return store.LineBytes(line, 0, store.LineLength(line));
}

}  // namespace

TEST(TextBound, DropsWholeOldLinesAndKeepsTheNewest) {
    TLineTextStore store;
    const TTextBound bound(TTextBound::kLeastBytes);
    for (int number = 0; number < 20000; number += 100) {
        store.AppendBlock(Block(number, number + 100), TLineKind::Text, false);
        bound.Apply(store);
        ASSERT_LE(store.HeldBytes(), size_t(bound.Bytes()));
    }
    ASSERT_GT(store.FirstLine(), 0u);
    // Lines keep their absolute numbers and their whole text.
    for (uint64_t line = store.FirstLine(); line < store.EndLine(); ++line) {
        ASSERT_EQ(Line(store, line), NumberedLine(int(line)));
    }
    EXPECT_EQ(store.EndLine(), 20000u);
    // Trimming goes below the budget, so the next appends drop nothing.
    EXPECT_LE(store.HeldBytes(), size_t(bound.Bytes() - bound.Bytes() / 8));
    EXPECT_FALSE(bound.Apply(store));
}

TEST(TextBound, EmptyLinesCountAndTheLastLineStays) {
    TLineTextStore store;
    const TTextBound bound(TTextBound::kLeastBytes);
    for (int block = 0; block < 100; ++block) {
        store.AppendBlock(std::string(2000, '\n'), TLineKind::Text, false);
        bound.Apply(store);
    }
    EXPECT_LE(store.HeldBytes(), size_t(bound.Bytes())) << "a flood of breaks is bounded too";

    // A line longer than the budget is still being received: it stays whole.
    const std::string endless(size_t(bound.Bytes()) * 2, 'x');
    store.AppendBlock(endless, TLineKind::Text, true);
    EXPECT_TRUE(bound.Apply(store));
    EXPECT_EQ(store.EndLine() - store.FirstLine(), 1u);
    EXPECT_EQ(Line(store, store.FirstLine()), endless);
    EXPECT_FALSE(bound.Apply(store));

    TTextBound tiny(1);
    EXPECT_EQ(tiny.Bytes(), TTextBound::kLeastBytes) << "never less than a few screens";
}

class BoundedBoxes : public ConsoleFixture {
  protected:
    BoundedBoxes() : ConsoleFixture(TTextBound::kLeastBytes) {
        window.show();
        QApplication::processEvents();
    }
    // Receives lines from `from` on, 100 to a block, until `done`; returns
    // the number of the next line.
    template <typename Done>
    int ReceiveUntil(int from, Done done) {
        while (!done()) {
            Receive(Block(from, from + 100));
            from += 100;
        }
        return from;
    }
    const TLineTextStore& Store() { return console->Receiver().Store(); }
    TReceiveView& MainView() { return *console->MainReceiveView(); }
};

TEST_F(BoundedBoxes, ReceiveBoxKeepsSelectionAndScrolledTextAsLinesGo) {
    Receive(Block(0, 2000));
    TReceiveView& view = MainView();
    // A selection from line 10 to the middle of line 1900, and the view
    // scrolled back to line 1800 to read it.
    view.SetSelection({10, 2}, {1900, 4});
    const QString readLine = QString::fromStdString(NumberedLine(1800));
    view.verticalScrollBar()->setValue(int(view.Rows().indexOf(readLine)));
    ASSERT_EQ(view.Rows().value(view.verticalScrollBar()->value()), readLine);

    const int next = ReceiveUntil(2000, [&] { return Store().FirstLine() >= 1000; });
    ASSERT_LE(Store().HeldBytes(), size_t(TTextBound::kLeastBytes));
    const uint64_t first = Store().FirstLine();
    ASSERT_LT(first, 1800u);
    EXPECT_EQ(view.FirstShownLine(), first);
    EXPECT_EQ(view.Rows().value(0), QString::fromStdString(NumberedLine(int(first))));
    EXPECT_EQ(view.Rows().value(view.verticalScrollBar()->value()), readLine)
        << "the text being read stays on screen";
    EXPECT_EQ(view.SelectionStart(), (TTextPosition{first, 0}));
    EXPECT_EQ(view.SelectionEnd(), (TTextPosition{1900, 4}));
    EXPECT_EQ(view.SelectedText(),
              QString::fromStdString(NumberedLines(int(first), 1900) + "line"));
    EXPECT_EQ(FloatingRows(), view.Rows()) << "the floating box mirrors the bounded text";

    // Once line 1900 goes too, nothing is left selected; a box at its end
    // stays there as lines go and come. "保存" saves what the box holds.
    QScrollBar& bar = *view.verticalScrollBar();
    bar.setValue(bar.maximum());
    const int last = ReceiveUntil(next, [&] { return Store().FirstLine() > 1900; });
    EXPECT_FALSE(view.HasSelection());
    EXPECT_EQ(bar.value(), bar.maximum());
    EXPECT_EQ(view.Rows().value(bar.value()),
              QString::fromStdString(NumberedLine(last - bar.pageStep())));
    EXPECT_EQ(qsizetype(bar.maximum() + bar.pageStep()), view.Rows().size());
    saveFileName = dir.filePath(QStringLiteral("sc.txt"));
    panel.sButton4->click();
    QFile saved(saveFileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), NumberedLines(int(Store().FirstLine()), last));
}

TEST_F(BoundedBoxes, SendBoxSelectionAndCaretSurviveAndSendSendsWhatTheBoxHolds) {
    TSendBox& box = *SendBox();
    Receive(Block(0, 2000));
    box.setFocus();
    // A selection from line 5, which will go, to inside line 1900, which stays.
    box.SetSelection({5, 0}, {1900, 5});
    const int next = ReceiveUntil(2000, [&] { return box.FirstShownLine() >= 1000; });
    const uint64_t first = box.FirstShownLine();
    ASSERT_LT(first, 1900u);
    EXPECT_EQ(box.SelectionStart(), (TTextPosition{first, 0}));
    EXPECT_EQ(box.SelectionEnd(), (TTextPosition{1900, 5}));
    EXPECT_EQ(box.Text().section(QChar(u'\n'), 0, 0),
              QString::fromStdString(NumberedLine(int(first))));

    // Typing replaces what is left of the selection.
    QTest::keyClicks(&box, QStringLiteral("#"));
    EXPECT_EQ(box.Text().section(QChar(u'\n'), 0, 0), QStringLiteral("#101900"));
    EXPECT_EQ(box.Caret(), (TTextPosition{first, 1}));

    // When the caret's own line goes, it waits at the start of the text.
    ReceiveUntil(next, [&] { return box.FirstShownLine() > first; });
    EXPECT_EQ(box.Caret(), (TTextPosition{box.FirstShownLine(), 0}));
    EXPECT_FALSE(box.HasSelection());
    QTest::keyClicks(&box, QStringLiteral("@"));

    panel.sButton7->click();
    EXPECT_EQ(SentBytes(), box.Bytes());
    EXPECT_TRUE(SentBytes().starts_with("@line ")) << SentBytes().substr(0, 20);
    EXPECT_LE(SentBytes().size(), size_t(TTextBound::kLeastBytes));
}
