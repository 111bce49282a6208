// Byte-level rules of the console: hex rendering, hex send parsing, the plot
// line queue, the receive store's line rules and the history file's lines.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "console/HexRender.h"
#include "console/HexSendParser.h"
#include "console/LineSplitter.h"
#include "console/LineTextStore.h"
#include "console/PlotLineQueue.h"
#include "console/SendHistoryFile.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> StoreLines(const TLineTextStore& store) {
    std::vector<std::string> lines;
    for (uint64_t line = store.FirstLine(); line < store.EndLine(); ++line) {
        lines.push_back(store.LineBytes(line, 0, store.LineLength(line)));
    }
    return lines;
}

std::vector<std::string> DrainQueue(TPlotLineQueue& queue) {
    std::vector<std::string> lines;
    while (auto line = queue.FirstLine()) {
        lines.emplace_back(*line);
        queue.RemoveFirstLine();
    }
    return lines;
}

using Lines = std::vector<std::string>;
using Endings = std::vector<TLineEnding>;
constexpr TLineEnding CrLf = TLineEnding::CrLf;
constexpr TLineEnding Lf = TLineEnding::Lf;
constexpr TLineEnding Cr = TLineEnding::Cr;

Endings StoreEndings(const TLineTextStore& store) {
    Endings endings;
    for (uint64_t line = store.FirstLine(); line < store.EndLine(); ++line) {
        endings.push_back(store.Ending(line));
    }
    return endings;
}

// The lines a queue yields for `stream` cut into two appends at `cut`, the
// second ended as a pause ends a block.
Lines QueueLinesCutAt(const std::string& stream, size_t cut) {
    TPlotLineQueue queue;
    queue.Append(stream.substr(0, cut));
    queue.Append(stream.substr(cut));
    queue.EndLine();
    return DrainQueue(queue);
}

}  // namespace

TEST(HexRender, UpperCasePairsOneBlankApart) {
    EXPECT_EQ(HexRender("A\r\n"), "41 0D 0A");
    EXPECT_EQ(HexRender("\0"s), "00");
    EXPECT_EQ(HexRender("\xff\x5b"), "FF 5B");
    EXPECT_EQ(HexRender(""), "");
}

struct HexSendCase {
    const char* typed;
    std::string bytes;
};

class HexSendParse : public testing::TestWithParam<HexSendCase> {};

TEST_P(HexSendParse, PairsMakeBytes) {
    EXPECT_EQ(ParseHexBytes(GetParam().typed), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(TypedTexts, HexSendParse,
                         testing::Values(HexSendCase{"5B 0A ff", "\x5B\x0A\xFF"s},
                                         HexSendCase{"5b0aFF", "\x5B\x0A\xFF"s},
                                         HexSendCase{"1,2,3", "\x01\x02\x03"s},
                                         HexSendCase{"123", "\x12\x03"s},
                                         HexSendCase{"1A\r\n00", "\x1A\x00"s},
                                         HexSendCase{"GG", ""}, HexSendCase{"  7  ", "\x07"s},
                                         HexSendCase{"0x1A", "\x00\x1A"s},
                                         // a double-byte character whose second byte is 'A'
                                         HexSendCase{"1\x81\x41"
                                                     "2",
                                                     "\x01\x02"s}));

TEST(HexSendFrame, HeadAndTailWrapThePayload) {
    EXPECT_EQ(BuildHexFrame("\x01\x0A", true), "\x5B\x01\x0A\x5D");
    EXPECT_EQ(BuildHexFrame("\x01\x0A", false), "\x01\x0A");
    EXPECT_EQ(BuildHexFrame("", true), "\x5B\x5D");
}

using Pieces = std::vector<std::pair<std::string, TLineEnding>>;

// The pieces of `block`, with an entry {"+LF", None} first where the block's
// LF completed the CR before it.
Pieces Split(TLineSplitter& splitter, std::string_view block) {
    Pieces pieces;
    splitter.Split(
        block, [&] { pieces.emplace_back("+LF", TLineEnding::None); },
        [&](const TLineSplitter::TPiece& piece) {
            pieces.emplace_back(std::string(piece.text), piece.ending);
        });
    return pieces;
}

TEST(LineSplitter, CrLfLfAndCrEachEndOneLine) {
    constexpr TLineEnding None = TLineEnding::None;
    TLineSplitter splitter;
    EXPECT_EQ(Split(splitter, "a\r\nb\nc\rd"),
              (Pieces{{"a", CrLf}, {"b", Lf}, {"c", Cr}, {"d", None}}));
    EXPECT_FALSE(splitter.EndsWithCr());
    EXPECT_EQ(Split(splitter, "\n\r\r\n\r"),
              (Pieces{{"", Lf}, {"", Cr}, {"", CrLf}, {"", Cr}, {"", None}}));
    EXPECT_TRUE(splitter.EndsWithCr());
    EXPECT_TRUE(Split(splitter, "").empty());  // an empty block keeps the CR waiting
    EXPECT_EQ(Split(splitter, "\nx"), (Pieces{{"+LF", None}, {"x", None}}));
    EXPECT_EQ(Split(splitter, "\n"), (Pieces{{"", Lf}, {"", None}}));

    Split(splitter, "y\r");
    splitter.Reset();
    EXPECT_EQ(Split(splitter, "\n"), (Pieces{{"", Lf}, {"", None}}));
    EXPECT_EQ(std::string(EndingBytes(CrLf)) + std::string(EndingBytes(Lf)) +
                  std::string(EndingBytes(Cr)),
              "\r\n\n\r");
    EXPECT_TRUE(EndingBytes(None).empty());
}

TEST(PlotLineQueue, EveryEndingAndEveryCutGiveTheSameLines) {
    for (const std::string ending : {"\r\n", "\n", "\r"}) {
        std::string stream;
        for (const char* line : {"12", "", "-3", "456"}) {
            stream += line + ending;
        }
        for (size_t cut = 0; cut <= stream.size(); ++cut) {
            EXPECT_EQ(QueueLinesCutAt(stream, cut), (Lines{"12", "", "-3", "456", ""}))
                << "ending " << ending.size() << " bytes, cut at " << cut;
        }
    }
    EXPECT_EQ(QueueLinesCutAt("1\r\n2\n3\r4\n\r5", 3), (Lines{"1", "2", "3", "4", "", "5"}));
}

TEST(PlotLineQueue, YieldsCompleteLinesInOrder) {
    TPlotLineQueue queue;
    EXPECT_FALSE(queue.FirstLine());
    queue.Append("12\r\n34");
    queue.EndLine();
    queue.EndLine();
    EXPECT_EQ(queue.LineCount(), 3u);
    EXPECT_EQ(DrainQueue(queue), (Lines{"12", "34", ""}));
    queue.RemoveFirstLine();  // nothing left: no-op
    EXPECT_EQ(queue.ByteCount(), 0u);
}

TEST(PlotLineQueue, OpenLineWaitsForItsContinuation) {
    TPlotLineQueue queue;
    queue.Append("1");
    EXPECT_FALSE(queue.HasLine());
    queue.Append("23\r");  // a CR ends the line at once...
    EXPECT_EQ(queue.LineCount(), 1u);
    queue.Append("\n4");  // ...and the LF after it only completes that break
    EXPECT_EQ(DrainQueue(queue), (Lines{"123"}));
    queue.EndLine();
    EXPECT_EQ(DrainQueue(queue), (Lines{"4"}));
}

TEST(PlotLineQueue, AppendingKeepsTheFirstLineInPlace) {
    TPlotLineQueue queue;
    queue.Append("7");
    queue.EndLine();
    const std::string first(*queue.FirstLine());
    queue.Append("8\r\n9\r\n");
    EXPECT_EQ(queue.FirstLine(), first);
    queue.Clear();
    EXPECT_FALSE(queue.HasLine());
    queue.Append("5\r\n");
    EXPECT_EQ(DrainQueue(queue), (Lines{"5"}));
}

TEST(PlotLineQueue, ALineTooLongToPlotHoldsNothingAndCompletesEmpty) {
    TPlotLineQueue queue;
    queue.Append("1\r\n");
    const std::string chunk(4000, '7');
    for (size_t sent = 0; sent < 4 * TPlotLineQueue::kMostLineBytes; sent += chunk.size()) {
        queue.Append(chunk);
        ASSERT_LE(queue.ByteCount(), 1 + TPlotLineQueue::kMostLineBytes) << "after " << sent;
    }
    // When the endless line ends, none of it is taken for a number.
    queue.Append("8\r\n2");
    queue.EndLine();
    EXPECT_EQ(DrainQueue(queue), (Lines{"1", "", "2"}));

    const std::string longest(TPlotLineQueue::kMostLineBytes, '5');
    queue.Append(longest.substr(0, 100));
    queue.Append(longest.substr(100) + "\n");
    queue.Append(longest + "6");
    queue.EndLine();
    EXPECT_EQ(DrainQueue(queue), (Lines{longest, ""})) << "the longest line kept is kept whole";
}

TEST(PlotLineQueue, TakingLinesWhileMoreArriveKeepsEveryLineWhole) {
    // Lines of every length up to a few hundred bytes, cut into blocks
    // anywhere, taken a few at a time as the chart's ticks take them: the
    // queue's buffer moves what waits to its front again and again.
    std::mt19937 random(11);
    TPlotLineQueue queue;
    std::deque<std::string> waiting;
    std::string stream;
    size_t sent = 0;
    for (int line = 0; line < 20000; ++line) {
        const auto length = std::uniform_int_distribution<size_t>(0, 300)(random);
        std::string text(length, static_cast<char>('a' + line % 26));
        stream += text + "\n";
        waiting.push_back(std::move(text));
    }
    while (sent < stream.size() || queue.HasLine()) {
        const auto cut =
            std::min(stream.size() - sent, std::uniform_int_distribution<size_t>(0, 2000)(random));
        queue.Append(std::string_view(stream).substr(sent, cut));
        sent += cut;
        for (auto take = std::uniform_int_distribution<int>(0, 12)(random);
             take > 0 && queue.HasLine(); --take) {
            ASSERT_EQ(queue.FirstLine(), waiting.front());
            waiting.pop_front();
            queue.RemoveFirstLine();
        }
        // What waits: the complete lines and the one still being received.
        const size_t lastBreak = sent == 0 ? std::string::npos : stream.rfind('\n', sent - 1);
        size_t held = sent - (lastBreak == std::string::npos ? 0 : lastBreak + 1);
        for (size_t i = 0; i < queue.LineCount(); ++i) {
            held += waiting[i].size();
        }
        ASSERT_EQ(queue.ByteCount(), held);
    }
    EXPECT_TRUE(waiting.empty());
}

TEST(LineTextStore, EveryClosedBlockStartsALine) {
    TLineTextStore store;
    store.AppendBlock("12", TLineKind::Text, false);
    store.AppendBlock("3\r\n45", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"12", "3", "45"}));
    store.AppendBlock("6\r\n", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"12", "3", "45", "6", ""}));
}

TEST(LineTextStore, OpenBlockIsContinuedByTheNextOfItsKind) {
    TLineTextStore store;
    store.AppendBlock("12\r", TLineKind::Text, true);
    store.AppendBlock("\n34", TLineKind::Text, true);
    store.AppendBlock("56", TLineKind::Text, false);
    store.AppendBlock("7", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"12", "3456", "7"}));

    store.AppendBlock("\x01\x02", TLineKind::Hex, true);
    store.AppendBlock("ab", TLineKind::Text, false);  // a switch of kind starts a line
    EXPECT_EQ(store.Kind(store.EndLine() - 2), TLineKind::Hex);
    EXPECT_EQ(store.Kind(store.EndLine() - 1), TLineKind::Text);
}

TEST(LineTextStore, KeepsZeroBytesAndBinary) {
    TLineTextStore store;
    const std::string block = "AB\0CD\xff\r\n"s;
    store.AppendBlock(block, TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"AB\0CD\xff"s, ""}));
    store.AppendBlock("\r\n\r\n"s, TLineKind::Hex, false);
    EXPECT_EQ(store.LineLength(store.EndLine() - 1), 4u);  // hex lines never split
}

TEST(LineTextStore, InsertingBreaksLinesAtEveryEnding) {
    TLineTextStore store;
    store.AppendBlock("abc\r\nxyz", TLineKind::Text, false);
    const TTextPosition end = store.Insert({0, 1}, "1\r\n2\r3\n4");
    EXPECT_EQ(StoreLines(store), (Lines{"a1", "2", "3", "4bc", "xyz"}));
    EXPECT_EQ(end, (TTextPosition{3, 1}));
    EXPECT_EQ(StoreEndings(store), (Endings{CrLf, Cr, Lf, CrLf, CrLf}));
    // Lines after the edit still find their bytes.
    store.Insert({4, 3}, "!");
    EXPECT_EQ(StoreLines(store), (Lines{"a1", "2", "3", "4bc", "xyz!"}));
    // A later insert with a break keeps nothing of the earlier ones.
    store.Insert({1, 1}, "\r\n+");
    EXPECT_EQ(StoreLines(store), (Lines{"a1", "2", "+", "3", "4bc", "xyz!"}));
    EXPECT_EQ(StoreEndings(store), (Endings{CrLf, CrLf, Cr, Lf, CrLf, CrLf}));
}

TEST(LineTextStore, TextBlocksSplitAsOneStream) {
    TLineTextStore store;
    store.AppendBlock("ab\r", TLineKind::Text, true);  // cut after the CR
    store.AppendBlock("\ncd\n", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"ab", "cd", ""}));
    EXPECT_EQ(StoreEndings(store), (Endings{CrLf, Lf, Lf}));  // a closed line ends as the last did

    // A pause between the CR and its LF: the block boundary makes its line
    // as after any break, and the LF still adds none of its own.
    store.AppendBlock("12\r", TLineKind::Text, false);
    store.AppendBlock("\n34", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"ab", "cd", "", "12", "", "34"}));
    EXPECT_EQ(store.Ending(3), CrLf);

    // A hex block between them parts the CR from the LF.
    store.AppendBlock("5\r", TLineKind::Text, false);
    store.AppendBlock("\x01", TLineKind::Hex, false);
    store.AppendBlock("\n6", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store).back(), "6");
    EXPECT_EQ(store.Ending(store.EndLine() - 3), TLineEnding::CrLf);  // the hex line's own
    EXPECT_EQ(store.LineLength(store.EndLine() - 2), 0u);             // the lone LF's line
}

TEST(LineTextStore, ErasingJoinsLinesAndKeepsTheRest) {
    TLineTextStore store;
    store.AppendBlock("one\r\ntwo\r\nthree\r\nfour", TLineKind::Text, false);
    store.Erase({0, 2}, {2, 1});
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", "four"}));
    store.Erase({1, 0}, {1, 4});
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", ""}));
    store.Insert({1, 0}, "5");
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", "5"}));
    EXPECT_EQ(store.ByteCount(), 7u);
}

TEST(LineTextStore, DroppingLinesKeepsNumbers) {
    TLineTextStore store;
    store.AppendBlock("a\r\nb\r\nc", TLineKind::Text, false);
    store.DropLinesBefore(2);
    EXPECT_EQ(store.FirstLine(), 2u);
    EXPECT_EQ(store.LineBytes(2, 0, 10), "c");
    store.AppendBlock("d", TLineKind::Text, false);
    EXPECT_EQ(store.LineBytes(3, 0, 10), "d");
    store.Clear();
    EXPECT_EQ(store.FirstLine(), store.EndLine());
    EXPECT_EQ(store.ByteCount(), 0u);
}

TEST(HistoryText, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(ParseHistoryText("A\r\nB\rC\nD"), (Lines{"A", "B", "C", "D"}));
    EXPECT_EQ(ParseHistoryText("A\r\n\r\nB\r\n"), (Lines{"A", "", "B"}));
    EXPECT_EQ(ParseHistoryText("A\r\nB\0C\r\n"s), (Lines{"A", "B"}));
    EXPECT_EQ(ParseHistoryText(""), Lines{});
}

TEST(HistoryText, RepeatsGoAndFirstOccurrencesStay) {
    Lines entries{"A", "B", "A", "A", "", "C", "", "b"};
    RemoveRepeatedEntries(entries);
    EXPECT_EQ(entries, (Lines{"A", "B", "", "C", "b"}));
}
