// Byte-level rules of the console: hex rendering, hex send parsing, the plot
// line queue, the receive store's line rules and the history file's lines.
#include <gtest/gtest.h>

#include "console/HexRender.h"
#include "console/HexSendParser.h"
#include "console/PlotLineQueue.h"
#include "console/ReceiveTextStore.h"
#include "console/SendHistoryFile.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> StoreLines(const TReceiveTextStore& store) {
    std::vector<std::string> lines;
    for (uint64_t line = store.FirstLine(); line < store.EndLine(); ++line) {
        lines.push_back(store.LineBytes(line, 0, store.LineLength(line)));
    }
    return lines;
}

std::vector<std::string> DrainQueue(TPlotLineQueue& queue) {
    std::vector<std::string> lines;
    while (auto line = queue.FirstLine()) {
        lines.push_back(*line);
        queue.RemoveFirstLine();
    }
    return lines;
}

using Lines = std::vector<std::string>;

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
    queue.Append("23\r");  // CR LF split across two appends still ends the line
    EXPECT_FALSE(queue.HasLine());
    queue.Append("\n4");
    EXPECT_EQ(DrainQueue(queue), (Lines{"123"}));
    queue.EndLine();
    EXPECT_EQ(DrainQueue(queue), (Lines{"4"}));
}

TEST(PlotLineQueue, AppendingKeepsTheFirstLineInPlace) {
    TPlotLineQueue queue;
    queue.Append("7");
    queue.EndLine();
    const auto first = queue.FirstLine();
    queue.Append("8\r\n9\r\n");
    EXPECT_EQ(queue.FirstLine(), first);
    queue.Clear();
    EXPECT_FALSE(queue.HasLine());
    queue.Append("5\r\n");
    EXPECT_EQ(DrainQueue(queue), (Lines{"5"}));
}

TEST(ReceiveTextStore, EveryClosedBlockStartsALine) {
    TReceiveTextStore store;
    store.AppendBlock("12", TLineKind::Text, false);
    store.AppendBlock("3\r\n45", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"12", "3", "45"}));
    store.AppendBlock("6\r\n", TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"12", "3", "45", "6", ""}));
}

TEST(ReceiveTextStore, OpenBlockIsContinuedByTheNextOfItsKind) {
    TReceiveTextStore store;
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

TEST(ReceiveTextStore, KeepsZeroBytesAndBinary) {
    TReceiveTextStore store;
    const std::string block = "AB\0CD\xff\r\n"s;
    store.AppendBlock(block, TLineKind::Text, false);
    EXPECT_EQ(StoreLines(store), (Lines{"AB\0CD\xff"s, ""}));
    store.AppendBlock("\r\n\r\n"s, TLineKind::Hex, false);
    EXPECT_EQ(store.LineLength(store.EndLine() - 1), 4u);  // hex lines never split
}

TEST(ReceiveTextStore, InsertingBreaksLinesAtCrLfOnly) {
    TReceiveTextStore store;
    store.AppendBlock("abc\r\nxyz", TLineKind::Text, false);
    const TTextPosition end = store.Insert({0, 1}, "1\r\n2\r3\n4\r\n");
    EXPECT_EQ(StoreLines(store), (Lines{"a1", "2\r3\n4", "bc", "xyz"}));
    EXPECT_EQ(end, (TTextPosition{2, 0}));
    // Lines after the edit still find their bytes.
    store.Insert({3, 3}, "!");
    EXPECT_EQ(StoreLines(store), (Lines{"a1", "2\r3\n4", "bc", "xyz!"}));
}

TEST(ReceiveTextStore, LeadingLfCompletesACrBeforeTheInsertionPoint) {
    TReceiveTextStore store;
    store.AppendBlock("ab\r", TLineKind::Text, true);
    EXPECT_EQ(store.Insert({0, 3}, "\ncd"), (TTextPosition{1, 2}));
    EXPECT_EQ(StoreLines(store), (Lines{"ab", "cd"}));
    store.Insert({0, 0}, "\n");  // no CR before it: an ordinary byte
    EXPECT_EQ(StoreLines(store), (Lines{"\nab", "cd"}));
}

TEST(ReceiveTextStore, ErasingJoinsLinesAndKeepsTheRest) {
    TReceiveTextStore store;
    store.AppendBlock("one\r\ntwo\r\nthree\r\nfour", TLineKind::Text, false);
    store.Erase({0, 2}, {2, 1});
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", "four"}));
    store.Erase({1, 0}, {1, 4});
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", ""}));
    store.Insert({1, 0}, "5");
    EXPECT_EQ(StoreLines(store), (Lines{"onhree", "5"}));
    EXPECT_EQ(store.ByteCount(), 7u);
}

TEST(ReceiveTextStore, DroppingLinesKeepsNumbers) {
    TReceiveTextStore store;
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
