// The receive and send boxes keep a bounded amount of text: past the budget
// the oldest whole lines go, while what the user has on screen, selected or
// is typing stays put, and "保存" and "发送" take what the box holds.
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include <random>
#include <string>

#include "ConsoleFixture.h"
#include "console/ArrivalStamps.h"
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

    // A line that alone passes the budget (a device that never sends a
    // break) keeps its newest bytes and its number, down to the trim mark.
    const std::string endless = std::string(size_t(bound.Bytes()) * 2, 'x') + "newest";
    const uint64_t endlessLine = store.EndLine();
    store.AppendBlock(endless, TLineKind::Text, true);
    EXPECT_TRUE(bound.Apply(store));
    EXPECT_EQ(store.FirstLine(), endlessLine);
    EXPECT_EQ(store.EndLine(), endlessLine + 1);
    EXPECT_EQ(store.HeldBytes(), size_t(bound.TrimmedBytes()));
    EXPECT_TRUE(endless.ends_with(Line(store, endlessLine)));
    EXPECT_FALSE(bound.Apply(store));

    TTextBound tiny(1);
    EXPECT_EQ(tiny.Bytes(), TTextBound::kLeastBytes) << "never less than a few screens";
}

TEST(TextBound, DropsTheFewestWholeLinesThatReachTheMark) {
    // Lines of every length, empty ones among them, ended by LF alone.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 120);
    TLineTextStore store;
    const TTextBound bound(TTextBound::kLeastBytes);
    const auto mark = size_t(bound.TrimmedBytes());
    for (int trims = 0; trims < 40;) {
        std::string block;
        for (int i = 0; i < 40; ++i) {
            block += std::string(size_t(length(random)), char('a' + i % 26)) + "\n";
        }
        store.AppendBlock(block, TLineKind::Text, false);
        if (store.HeldBytes() <= size_t(bound.Bytes())) {
            ASSERT_FALSE(bound.Apply(store));
            continue;
        }
        // Line by line from the oldest, as few as bring the store to the mark.
        uint64_t first = store.FirstLine();
        size_t left = store.HeldBytes();
        for (; left > mark; ++first) {
            left -= TLineTextStore::HeldBytesOfLine(store.LineLength(first));
        }
        ASSERT_TRUE(bound.Apply(store));
        ASSERT_EQ(store.FirstLine(), first);
        ASSERT_EQ(store.HeldBytes(), left);
        ++trims;
    }
}

TEST(TextBound, ABigBudgetTrimsNoMoreThanASliceAtATime) {
    TLineTextStore store;
    // A budget whose eighth is more than one slice.
    const TTextBound bound(10 * TTextBound::kMostTrimBytes);
    EXPECT_EQ(bound.TrimmedBytes(), bound.Bytes() - TTextBound::kMostTrimBytes);
    const std::string block = NumberedLines(0, 10000);
    int trims = 0;
    while (trims < 3) {
        const size_t held = store.HeldBytes();
        store.AppendBlock(block, TLineKind::Text, false);
        const size_t before = store.HeldBytes();
        if (bound.Apply(store)) {
            ++trims;
            // A slice, and what the block brought over the budget, and at most
            // the part of one line below the mark.
            ASSERT_LE(before - store.HeldBytes(),
                      size_t(TTextBound::kMostTrimBytes) + (before - held) + 64);
        }
        ASSERT_LE(store.HeldBytes(), size_t(bound.Bytes()));
    }
}

TEST(TextBound, AnEndlessLineIsCutBetweenCharactersAndBySlices) {
    TLineTextStore store;
    const TTextBound bound(TTextBound::kLeastBytes);
    // 数据 in GBK and two digits, over and over, without a line break.
    const std::string unit =
        "\xCA\xFD\xBE\xDD"
        "12";
    std::string block;
    while (block.size() < 4000) {
        block += unit;
    }
    std::string streamed;
    int cuts = 0;
    while (streamed.size() < size_t(bound.Bytes()) * 5) {
        store.AppendBlock(block, TLineKind::Text, true);
        streamed += block;
        const size_t before = store.HeldBytes();
        if (!bound.Apply(store)) {
            continue;
        }
        ++cuts;
        ASSERT_LE(before - store.HeldBytes(), size_t(bound.Bytes() / 8) + block.size());
        ASSERT_EQ(store.EndLine() - store.FirstLine(), 1u);
        const std::string kept = Line(store, store.FirstLine());
        ASSERT_TRUE(streamed.ends_with(kept));
        const size_t from = (streamed.size() - kept.size()) % unit.size();
        ASSERT_TRUE(from != 1 && from != 3) << "a character halved at " << from;
    }
    EXPECT_GT(cuts, 5);
    EXPECT_EQ(store.FirstLine(), 0u);
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

TEST_F(BoundedBoxes, AnEndlessLineScrollsOnInEveryBoxWithItsStampAndSelection) {
    options.ShowTimestamps.Set(true);
    // Numbers counting up, so that every stretch of the line reads differently.
    std::string streamed;
    int counter = 0;
    const auto receiveUntil = [&](auto done) {
        while (!done()) {
            std::string block;
            while (block.size() < 2000) {
                block += std::to_string(100000 + counter++) + " ";
            }
            Receive(block, TBlockEnd::Cut);
            streamed += block;
        }
    };
    receiveUntil([&] { return Store().FirstLineCut() > 0; });
    TReceiveView& view = MainView();
    const uint64_t line = Store().FirstLine();
    const size_t length = Store().LineLength(line);
    view.SetSelection({line, length - 40}, {line, length - 20});
    const QString selected = view.SelectedText();
    QScrollBar& bar = *view.verticalScrollBar();
    bar.setValue(bar.maximum());
    const uint64_t firstCut = Store().FirstLineCut();
    receiveUntil([&] { return Store().FirstLineCut() > firstCut; });

    ASSERT_EQ(Store().FirstLine(), line);
    ASSERT_EQ(Store().EndLine(), line + 1);
    EXPECT_LE(Store().HeldBytes(), size_t(TTextBound::kLeastBytes));
    const std::string kept = Line(Store(), line);
    EXPECT_EQ(kept.substr(0, 1), "[") << "the line keeps its arrival stamp";
    EXPECT_TRUE(streamed.ends_with(kept.substr(kArrivalStampBytes)));
    EXPECT_EQ(view.SelectedText(), selected) << "the selection stays on its bytes";
    EXPECT_EQ(bar.value(), bar.maximum()) << "a box at its end stays there";
    EXPECT_EQ(qsizetype(bar.maximum() + bar.pageStep()), view.Rows().size());
    EXPECT_EQ(FloatingRows().join(QString()), view.Rows().join(QString()));

    // The send box cut the same line and still holds it as one line.
    TSendBox& box = *SendBox();
    EXPECT_LT(box.Bytes().size(), streamed.size());
    EXPECT_LE(box.Bytes().size(), size_t(TTextBound::kLeastBytes));
    EXPECT_GE(box.Bytes().size(), size_t(TTextBound(TTextBound::kLeastBytes).TrimmedBytes()) - 8)
        << "the line is cut, never broken and then dropped";
    EXPECT_TRUE(streamed.ends_with(box.Bytes()));
    EXPECT_FALSE(box.Text().contains(QChar(u'\n')));
}
