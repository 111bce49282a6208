// The receive side as a user meets it: what the receive box, the floating
// box, the plot queues and the send box show after each block, and what
// "保存", "打印" and "清空" produce.
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/HexRender.h"
#include "console/ReceiveRows.h"
#include "platform/Gbk.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> Drain(TPlotLineQueue& queue) {
    std::vector<std::string> lines;
    while (auto line = queue.FirstLine()) {
        lines.emplace_back(*line);
        queue.RemoveFirstLine();
    }
    return lines;
}

using Lines = std::vector<std::string>;

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& path) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

QString PdfPageText(const QString& path, int page) {
    const QString number = QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"),
                                                 number, path, QStringLiteral("-")})
        .simplified();
}

}  // namespace

class ReceiveConsole : public ConsoleFixture {
  protected:
    void SetUp() override {
        window.show();
        console->FloatingWindow().show();
        QApplication::processEvents();
    }
};

TEST_F(ReceiveConsole, TextBlocksBecomeLinesEverywhere) {
    Receive("12");
    Receive("3\r\n45");
    EXPECT_EQ(MainRows(), (QStringList{"12", "3", "45"}));
    EXPECT_EQ(FloatingRows(), MainRows());
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (Lines{"12", "3", "45"}));
    EXPECT_FALSE(console->Receiver().HexQueue().HasLine());
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("12\n3\n45\n"));

    Receive("6\r\n");  // a block ending with CR LF leaves an empty line
    EXPECT_EQ(MainRows().mid(3), (QStringList{"6", ""}));
}

// The same lines ended by CR LF, by LF alone and by CR alone, a block cut
// after the first break's first byte: every view and queue sees the same
// lines, and the saved text keeps the endings that came.
class ReceiveEndings : public ReceiveConsole, public testing::WithParamInterface<std::string> {};

TEST_P(ReceiveEndings, EndLinesInEveryViewAndQueue) {
    const std::string& ending = GetParam();
    const std::string stream = "10" + ending + "20" + ending + "30" + ending;
    Receive(stream.substr(0, 3), TBlockEnd::Cut);
    Receive(stream.substr(3, 5), TBlockEnd::Cut);
    Receive(stream.substr(8));
    EXPECT_EQ(MainRows(), (QStringList{"10", "20", "30", ""}));
    EXPECT_EQ(FloatingRows(), MainRows());
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (Lines{"10", "20", "30", ""}));
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("10\n20\n30\n\n"));
    EXPECT_EQ(SendBox()->Bytes(), stream + "\r\n");

    saveFileName = dir.filePath(QStringLiteral("sc.txt"));
    panel.sButton4->click();
    QFile saved(saveFileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), stream + ending);

    panel.sCheckBox2->click();  // the hex view shows the bytes; its queue splits the same way
    Receive("1A" + ending + "2B" + ending);
    EXPECT_EQ(MainRows().last(), QString::fromStdString(HexRender("1A" + ending + "2B" + ending)));
    EXPECT_EQ(Drain(console->Receiver().HexQueue()), (Lines{"1A", "2B", ""}));
}

INSTANTIATE_TEST_SUITE_P(CrLfLfAndCr, ReceiveEndings, testing::Values("\r\n", "\n", "\r"));

TEST_F(ReceiveConsole, MixedEndingsAndACrLfSplitByAPause) {
    Receive("1\r\n2\n3\r");
    Receive("\n4\n");  // the LF completes the CR although a pause came between
    EXPECT_EQ(MainRows(), (QStringList{"1", "2", "3", "", "4", ""}));
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (Lines{"1", "2", "3", "", "4", ""}));
}

TEST_F(ReceiveConsole, HexModeShowsPairsAndQueuesTheRawText) {
    panel.sCheckBox2->click();
    Receive("12\r\n");
    Receive("\0"s);
    EXPECT_EQ(MainRows(), (QStringList{"31 32 0D 0A", "00"}));
    EXPECT_EQ(Drain(console->Receiver().HexQueue()), (Lines{"12", "", "\0"s}));
    EXPECT_FALSE(console->Receiver().DecimalQueue().HasLine());
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("12\n\n\u2400\n"));
}

TEST_F(ReceiveConsole, ZeroByteHidesNothingAfterIt) {
    Receive("AB\0CD"s);
    EXPECT_EQ(MainRows(), (QStringList{QStringLiteral("AB\u2400CD")}));
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (Lines{"AB\0CD"s}));
}

TEST_F(ReceiveConsole, CutBlockContinuesItsLineAndAPauseEndsIt) {
    Receive("100\r\n5", TBlockEnd::Cut);
    Receive("12\r\n7", TBlockEnd::Pause);  // the split number is one number
    Receive("8", TBlockEnd::Pause);        // the next block starts a line
    Receive("9\r", TBlockEnd::Cut);        // a CR LF split by the cut is one break
    Receive("\n10", TBlockEnd::Pause);

    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()),
              (Lines{"100", "512", "7", "8", "9", "10"}));
    EXPECT_EQ(MainRows(), (QStringList{"100", "512", "7", "8", "9", "10"}));
    EXPECT_EQ(SendBox()->Bytes(), "100\r\n512\r\n7\r\n8\r\n9\r\n10\r\n");

    panel.sCheckBox2->click();
    Receive("\x01\x02", TBlockEnd::Cut);
    Receive("\x03", TBlockEnd::Pause);
    Receive("\x04", TBlockEnd::Pause);
    EXPECT_EQ(MainRows().mid(6), (QStringList{"01 02 03", "04"}));
    EXPECT_EQ(Drain(console->Receiver().HexQueue()), (Lines{"\x01\x02\x03", "\x04"}));
}

TEST_F(ReceiveConsole, LongLinesWrapWithoutSplittingCharacters) {
    const int columns = console->MainReceiveView()->Columns();
    ASSERT_GT(columns, 10);
    QString wide = QStringLiteral("a");
    for (int i = 0; i < columns * 2; ++i) {
        wide += QStringLiteral("你");
    }
    Receive(Utf8ToGbk(wide.toStdString()));
    const QStringList rows = MainRows();
    EXPECT_GT(rows.size(), 3);
    EXPECT_EQ(rows.join(QString()), wide);
    for (const QString& row : rows) {
        EXPECT_FALSE(row.contains(QChar(0xFFFD)));
    }
}

TEST_F(ReceiveConsole, MainClearLeavesTheFloatingBoxUntilTheNextBlock) {
    Receive("old");
    panel.sButton6->click();
    EXPECT_TRUE(MainRows().isEmpty());
    EXPECT_EQ(FloatingRows(), (QStringList{"old"}));
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()), (Lines{"old"}));
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("old\n"));

    Receive("new");
    EXPECT_EQ(MainRows(), (QStringList{"new"}));
    EXPECT_EQ(FloatingRows(), (QStringList{"new"}));

    Floating().sButton6->click();
    EXPECT_TRUE(MainRows().isEmpty());
    EXPECT_TRUE(FloatingRows().isEmpty());
    Receive("again");
    EXPECT_EQ(FloatingRows(), (QStringList{"again"}));
}

TEST_F(ReceiveConsole, HexSwitchesFollowEachOtherAndAffectOnlyLaterBlocks) {
    Receive("A");
    panel.sCheckBox2->click();
    EXPECT_TRUE(Floating().sCheckBox1->isChecked());
    Receive("A");
    Floating().sCheckBox1->click();
    EXPECT_FALSE(panel.sCheckBox2->isChecked());
    Receive("A");
    EXPECT_EQ(MainRows(), (QStringList{"A", "41", "A"}));
}

TEST_F(ReceiveConsole, SaveWritesTheBoxAsReceivedWithCrLf) {
    panel.sButton4->click();  // cancelled dialog: nothing written
    EXPECT_TRUE(reporter.messages.empty());

    Receive("old\r\n");
    panel.sButton6->click();
    Receive("12\r\n\xc4\xe3");
    panel.sCheckBox2->click();
    Receive("AB");
    saveFileName = dir.filePath(QStringLiteral("sc.txt"));
    Floating().sButton4->click();

    QFile saved(saveFileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("12\r\n\xc4\xe3\r\n41 42\r\n"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ReceiveConsole, FailedSaveIsSilentAndLosesNothing) {
    Receive("keep");
    saveFileName = dir.filePath(QStringLiteral("missing-folder/sc.txt"));
    panel.sButton4->click();
    EXPECT_FALSE(QFile::exists(saveFileName));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(MainRows(), (QStringList{"keep"}));
}

TEST_F(ReceiveConsole, PrintsTwentySixRowsAPage) {
    for (int i = 1; i <= 26; ++i) {
        Receive("line" + std::to_string(i));
    }
    pdfPath = dir.filePath(QStringLiteral("26.pdf"));
    panel.sButton5->click();
    ASSERT_TRUE(PrintEnded());
    EXPECT_EQ(PdfPageCount(pdfPath), 1);  // a full page is not followed by a blank one

    Receive("line27");
    pdfPath = dir.filePath(QStringLiteral("27.pdf"));
    Floating().sButton5->click();
    ASSERT_TRUE(PrintEnded());
    EXPECT_EQ(PdfPageCount(pdfPath), 2);
    EXPECT_TRUE(PdfPageText(pdfPath, 1).startsWith(QStringLiteral("line1 line2 ")));
    EXPECT_TRUE(PdfPageText(pdfPath, 1).endsWith(QStringLiteral("line26")));
    EXPECT_EQ(PdfPageText(pdfPath, 2), QStringLiteral("line27"));

    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].caption, QStringLiteral("提示"));
    EXPECT_EQ(reporter.messages[1].text, QStringLiteral("打印成功"));
    EXPECT_EQ(reporter.messages[1].icon, TMessageIcon::Information);
}

TEST_F(ReceiveConsole, PrintFailuresAreReportedAndCancellingSaysNothing) {
    Receive("x");
    panel.sButton5->click();  // nothing to print on
    pdfPath = dir.filePath(QStringLiteral("no-folder/out.pdf"));
    panel.sButton5->click();  // a printer that cannot start the job
    ASSERT_TRUE(PrintEnded());
    ASSERT_EQ(reporter.messages.size(), 2u);
    for (const TLoggedMessage& message : reporter.messages) {
        EXPECT_EQ(message.text, QStringLiteral("打印出错，请检查打印是否存在或已装好"));
        EXPECT_EQ(message.icon, TMessageIcon::Error);
    }
    EXPECT_EQ(MainRows(), (QStringList{"x"}));

    pdfPath.clear();
    printCancelled = true;  // the user turned the PDF file dialog down
    panel.sButton5->click();
    EXPECT_FALSE(console->Receiver().Printing());
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST_F(ReceiveConsole, GarbageAndNulOnlyBlocksAreShownSafely) {
    std::string garbage;
    for (int i = 0; i < 2048; ++i) {
        garbage.push_back(static_cast<char>((i * 37) & 0xFF));
    }
    Receive(garbage, TBlockEnd::Cut);
    Receive(std::string(100, '\0'));
    Receive("\x81\x30\xfe");  // invalid GBK sequences
    const QStringList rows = MainRows();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_TRUE(rows.join(QString()).contains(QString(100, QChar(0x2400))));
    EXPECT_EQ(rows.last(), QStringLiteral("\uFFFD0\uFFFD"));
    // Every byte but the line breaks reached the queue, the garbage block's
    // last line going on with the zero bytes.
    std::string kept;
    for (const std::string& line : Drain(console->Receiver().DecimalQueue())) {
        kept += line;
    }
    std::string expected = garbage + std::string(100, '\0') + "\x81\x30\xfe";
    std::erase_if(expected, [](char c) { return c == '\r' || c == '\n'; });
    EXPECT_EQ(kept, expected);
    console->MainReceiveView()->repaint();
}

namespace {

// Counts the paints a widget gets.
class TPaintCount : public QObject {
  public:
    explicit TPaintCount(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

}  // namespace

// Lines arriving below what a user scrolled up to read change nothing on
// screen, so the box is not painted for them; at its end it follows them.
TEST_F(ReceiveConsole, ABoxScrolledUpIsNotRepaintedForLinesBelowIt) {
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += std::to_string(i) + "\r\n";
    Receive(lines);
    TReceiveView& view = *console->MainReceiveView();
    QScrollBar& bar = *view.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    bar.setValue(0);
    QApplication::processEvents();
    TPaintCount count(view.viewport());
    Receive("300\r\n");
    QApplication::processEvents();
    EXPECT_EQ(count.paints, 0);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(MainRows().value(MainRows().size() - 2), QStringLiteral("300"));

    bar.setValue(bar.maximum());
    QApplication::processEvents();
    count.paints = 0;
    Receive("301\r\n");
    QApplication::processEvents();
    EXPECT_GT(count.paints, 0);
    EXPECT_EQ(bar.value(), bar.maximum());
}

// A box following its end moves its scroll bar with every line; the window
// behind the bar is not painted for it.
TEST_F(ReceiveConsole, LinesAtTheEndRepaintTheBoxButNotTheWindowBehindIt) {
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += std::to_string(i) + "\r\n";
    Receive(lines);
    QApplication::processEvents();
    TReceiveView& view = *console->MainReceiveView();
    TPaintCount behind(&window);
    TPaintCount bar(view.verticalScrollBar());
    TPaintCount text(view.viewport());
    const int maximum = view.verticalScrollBar()->maximum();
    for (int i = 300; i < 310; ++i) {
        Receive(std::to_string(i) + "\r\n");
        QApplication::processEvents();
    }
    EXPECT_GT(view.verticalScrollBar()->maximum(), maximum);
    EXPECT_GT(bar.paints, 0);
    EXPECT_GT(text.paints, 0);
    EXPECT_EQ(behind.paints, 0);
}
