// "显示时间戳": received lines in both receive boxes, in text and hex view, start
// with the arrival time of their last byte; saving and printing keep the
// stamps; the plot queues and the send box never see them.
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "ConsoleFixture.h"
#include "console/AccessibleTextWindow.h"
#include "console/ArrivalStamps.h"
#include "console/ReceiveRows.h"

using namespace std::chrono_literals;

namespace {

const QRegularExpression kStamped(QStringLiteral(R"(^\[(\d\d):(\d\d):(\d\d)\.(\d\d\d)\] (.*)$)"));

// Milliseconds since midnight of a row's stamp, or -1 without one.
int StampMs(const QString& row) {
    const QRegularExpressionMatch match = kStamped.match(row);
    if (!match.hasMatch()) {
        return -1;
    }
    return ((match.captured(1).toInt() * 60 + match.captured(2).toInt()) * 60 +
            match.captured(3).toInt()) *
               1000 +
           match.captured(4).toInt();
}

QString Unstamped(const QString& row) {
    return kStamped.match(row).captured(5);
}

// A block of reads, each `ago` before one fixed moment, ending at the given
// offsets: the gaps between reads of different blocks are what the test says,
// however long a loaded machine takes between the blocks.
TArrivalMarks Reads(std::initializer_list<std::pair<std::size_t, TArrivalClock::duration>> reads) {
    static const TArrivalTime moment = TArrivalClock::now();
    TArrivalMarks marks;
    for (const auto& [end, ago] : reads) {
        marks.Add(end, moment - ago);
    }
    return marks;
}

std::vector<std::string> Drain(TPlotLineQueue& queue) {
    std::vector<std::string> lines;
    for (; queue.HasLine(); queue.RemoveFirstLine()) {
        lines.emplace_back(*queue.FirstLine());
    }
    return lines;
}

class ReceiveTimestamps : public ConsoleFixture {
  protected:
    void SetUp() override {
        options.ShowTimestamps.Set(true);
        window.show();
        console->FloatingWindow().show();
        QApplication::processEvents();
    }
};

TEST_F(ReceiveTimestamps, EachLineStartsWithTheTimeOfItsLastByte) {
    // "10" and "20" came 300 ms apart in one block; "3" began it, "0\n" ended it.
    Receive("10\n2", TBlockEnd::Pause, Reads({{3, 900ms}, {4, 600ms}}));
    const QStringList rows = MainRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(Unstamped(rows[0]), QStringLiteral("10"));
    EXPECT_EQ(Unstamped(rows[1]), QStringLiteral("2"));
    const int gap = (StampMs(rows[1]) - StampMs(rows[0]) + 86'400'000) % 86'400'000;
    EXPECT_NEAR(gap, 300, 2);
    EXPECT_EQ(FloatingRows(), rows);
}

TEST_F(ReceiveTimestamps, AnOpenLineTakesTheTimeOfItsNewestBytes) {
    Receive("12", TBlockEnd::Cut, Reads({{2, 2s}}));
    const int first = StampMs(MainRows().last());
    Receive("34\r\n", TBlockEnd::Pause, Reads({{4, 500ms}}));
    const QStringList rows = MainRows();
    ASSERT_EQ(rows.size(), 2);  // the line and the Part's empty line after a CR LF
    EXPECT_EQ(Unstamped(rows[0]), QStringLiteral("1234"));
    EXPECT_NEAR((StampMs(rows[0]) - first + 86'400'000) % 86'400'000, 1500, 2);
    EXPECT_EQ(rows[1], QString()) << "an empty line has no time to show";
}

TEST_F(ReceiveTimestamps, QueuesAndTheSendBoxGetTheBytesAlone) {
    Receive("5\r\n6\r\n");
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (std::vector<std::string>{"5", "6", ""}));
    EXPECT_EQ(SendBox()->Bytes(), "5\r\n6\r\n\r\n");
    panel.sCheckBox2->click();
    Receive("AB");
    EXPECT_EQ(Drain(console->Receiver().HexQueue()), (std::vector<std::string>{"AB"}));
}

TEST_F(ReceiveTimestamps, SavedTextKeepsTheStamps) {
    Receive("ok\n");
    panel.sCheckBox2->click();
    Receive("AB");
    saveFileName = dir.filePath(QStringLiteral("sc.txt"));
    panel.sButton4->click();
    QFile saved(saveFileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(saved.readAll()).split(QStringLiteral("\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(Unstamped(lines[0]), QStringLiteral("ok"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(Unstamped(lines[2].chopped(1)), QStringLiteral("41 42"));  // hex lines end CR LF
    EXPECT_EQ(lines[3], QString());
}

TEST_F(ReceiveTimestamps, PrintedPagesShowTheStamps) {
    Receive("printed");
    pdfPath = dir.filePath(QStringLiteral("stamps.pdf"));
    panel.sButton5->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console->Receiver().Printing(); }, 60000));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    EXPECT_GE(StampMs(QString::fromUtf8(text.readAllStandardOutput()).trimmed()), 0);
}

TEST_F(ReceiveTimestamps, HexLinesWrapWholePairsAfterTheirStamp) {
    panel.sCheckBox2->click();
    const int columns = console->MainReceiveView()->Columns();
    Receive(std::string(static_cast<std::size_t>(columns), '\x5A'));
    const QStringList rows = MainRows();
    ASSERT_GE(rows.size(), 2);
    EXPECT_GE(StampMs(rows[0]), 0);
    const QRegularExpression pairs(QStringLiteral(R"(^5A( 5A)*$)"));
    EXPECT_TRUE(pairs.match(Unstamped(rows[0])).hasMatch()) << rows[0].toStdString();
    for (const QString& row : rows.mid(1)) {
        EXPECT_TRUE(pairs.match(row).hasMatch()) << row.toStdString();
        EXPECT_LE(row.size(), columns);
    }
    const QString pairsShown = Unstamped(rows[0]) + rows.mid(1).join(QString());
    EXPECT_EQ(pairsShown.count(QStringLiteral("5A")), columns);
}

TEST_F(ReceiveTimestamps, TurnedOnItStampsOnlyLinesThatArriveAfter) {
    options.ShowTimestamps.Set(false);
    Receive("before", TBlockEnd::Cut);
    options.ShowTimestamps.Set(true);
    Receive(" still\nafter");
    EXPECT_EQ(MainRows().first(), QStringLiteral("before still"));
    EXPECT_EQ(Unstamped(MainRows().last()), QStringLiteral("after"));
}

}  // namespace

TEST(AccessibleTextWindow, AStampedHexLineReadsAsShownAndMapsBothWays) {
    TLineTextStore store;
    const TArrivalMarks now;
    const TBlockStamps stamps(now);
    store.AppendBlock("\x01\x02\x03", TLineKind::Hex, false, &stamps);
    const TAccessibleTextWindow window(store, 0);
    const QString stamp = QString::fromLatin1(stamps.At(0).data(), 15);
    EXPECT_EQ(window.Text(), stamp + QStringLiteral("01 02 03"));
    EXPECT_EQ(window.OffsetOf({0, 3}), 3);  // inside the stamp: a character a byte
    EXPECT_EQ(window.OffsetOf({0, 15}), 15);
    EXPECT_EQ(window.OffsetOf({0, 16}), 18);  // the second pair
    EXPECT_EQ(window.OffsetOf({0, 18}), 23);  // the end, right after the last pair
    EXPECT_EQ(window.PositionAt(4), (TTextPosition{0, 4}));
    EXPECT_EQ(window.PositionAt(19), (TTextPosition{0, 16}));
    EXPECT_EQ(ReceiveRowText(store, 0, 0, 80), window.Text());
}

TEST(PlotLineQueue, EachLineKeepsTheArrivalOfItsLastByte) {
    const TArrivalTime t0 = TArrivalClock::now() - 10s;
    TArrivalMarks first;
    first.Add(3, t0);         // "1\n2"
    first.Add(7, t0 + 20ms);  // "3\r\n4"
    TArrivalMarks second;
    second.Add(2, t0 + 100ms);  // "5\n"
    TPlotLineQueue queue;
    queue.Append("1\n23\r\n4", first);
    queue.Append("5\n", second);
    queue.Append("6");
    queue.EndLine();  // a pause ends the line: its block's last byte counts

    std::vector<std::pair<std::string, TArrivalTime>> lines;
    for (; queue.HasLine(); queue.RemoveFirstLine()) {
        lines.emplace_back(*queue.FirstLine(), queue.FirstLineArrival());
    }
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::make_pair(std::string("1"), t0));
    EXPECT_EQ(lines[1], std::make_pair(std::string("23"), t0 + 20ms));
    EXPECT_EQ(lines[2], std::make_pair(std::string("45"), t0 + 100ms));
    EXPECT_EQ(lines[3].first, "6");
    EXPECT_GT(lines[3].second, t0 + 9s);  // bytes without marks came now
}
