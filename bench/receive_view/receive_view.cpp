// Receive-view benchmark: feeds 100 MB of 60-character lines through the
// receive handler in 2 KB blocks (a third text ended by CR LF, a third text
// ended by LF alone, a third in hex mode) with the data panel's widgets and
// the floating window shown, then streams 1 MB/s into an open
// pseudo-terminal and watches the event loop.
//
// Prints chunk_cost_ratio (mean cost of the last 1,000 blocks over the first
// 1,000 of each mode, the largest of the three), bytes_per_received_byte
// (resident memory growth over bytes received), save_100MB_s,
// copy_10MB_s (selecting all of 10 MB of received Chinese text and copying
// it to the clipboard), a11y_text_ms (building the accessible text of the
// full box, its last megabyte), trim_slice_ms (the longest of ten trims of a
// box at the default budget full of short number lines), print_50MB_s with
// print_max_slice_ms (the
// longest the window waited while 50 MB printed to PDF) and
// max_event_loop_stall_ms.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

#include "console/AccessibleText.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/KelvaneOptions.h"
#include "console/LineTextStore.h"
#include "console/PrintTarget.h"
#include "console/ReceivePrinter.h"
#include "console/ReceiveTextFile.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"
#include "console/TextBound.h"
#include "platform/Gbk.h"
#include "serial/Comm.h"

namespace {

constexpr size_t kTotalBytes = 100u << 20;
constexpr size_t kLineLength = 60;  // line break included
constexpr size_t kLinesPerBlock = 34;
constexpr size_t kMeasuredBlocks = 1000;

class TSilentReporter : public TMessageReporter {
  public:
    void Show(const QString&, const QString&, TMessageIcon) override {}
};

class TNoAsker : public TQuestionAsker {
  public:
    bool AskYesNo(const QString&, const QString&) override { return false; }
};

double ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

std::string MakeBlock(size_t firstLine, const std::string& ending = "\r\n") {
    std::string block;
    for (size_t i = 0; i < kLinesPerBlock; ++i) {
        std::string line = std::to_string((firstLine + i) * 7919 % 1000003);
        line.resize(kLineLength - ending.size(), '.');
        block += line + ending;
    }
    return block;
}

template <typename Widget>
Widget* Add(QWidget& window, const char* name) {
    auto* widget = new Widget(&window);
    widget->setObjectName(QLatin1String(name));
    window.layout()->addWidget(widget);
    return widget;
}

double MeanMs(const std::vector<double>& costs, size_t from) {
    return std::accumulate(costs.begin() + static_cast<std::ptrdiff_t>(from),
                           costs.begin() + static_cast<std::ptrdiff_t>(from + kMeasuredBlocks),
                           0.0) /
           kMeasuredBlocks;
}

// Feeds `bytes` worth of blocks and returns each block's cost in milliseconds,
// letting the views repaint between blocks as the event loop would.
std::vector<double> Feed(TConsole& console, size_t bytes, size_t& lineNumber,
                         const std::string& ending) {
    std::vector<double> costs;
    QElapsedTimer timer;
    for (size_t fed = 0; fed < bytes;) {
        const std::string block = MakeBlock(lineNumber, ending);
        lineNumber += kLinesPerBlock;
        timer.start();
        console.Receiver().Receive(block, TBlockEnd::Pause);
        QApplication::processEvents();
        costs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        fed += block.size();
    }
    return costs;
}

// Runs the event loop until `done` says so, and returns the longest it went
// without running a 1 ms timer, beyond that 1 ms, and the seconds it ran.
template <typename Done>
std::pair<double, double> WatchEventLoop(Done done) {
    double maxGap = 0;
    QElapsedTimer sinceTick;
    QElapsedTimer wall;
    sinceTick.start();
    wall.start();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        maxGap = std::max(maxGap, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 1.0);
        sinceTick.start();
    });
    ticker.start(1);
    while (!done()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return {maxGap, static_cast<double>(wall.nsecsElapsed()) / 1e9};
}

// Streams 1 MB/s into the port for `seconds` and returns the longest time
// the event loop went without running a 1 ms timer, beyond that 1 ms.
double MaxStallMs(TConsole& console, int seconds) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        return -1;
    }
    TComm comm;
    comm.SetCommName(name);
    comm.SetBaudRate(115200);
    comm.OpenPort();
    ConnectConsoleToComm(console, comm);

    std::atomic<bool> running = true;
    std::thread device([&] {
        const std::string block = MakeBlock(0);
        const auto start = std::chrono::steady_clock::now();
        size_t sent = 0;
        while (running) {
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (sent < elapsed * (1 << 20)) {
                sent += static_cast<size_t>(
                    std::max<ssize_t>(0, ::write(master, block.data(), block.size())));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    });

    QElapsedTimer streaming;
    streaming.start();
    const double maxGap =
        WatchEventLoop([&] { return streaming.elapsed() >= seconds * 1000; }).first;

    running = false;
    device.join();
    comm.ClosePort();
    ::close(master);
    ::close(slave);
    return maxGap;
}

// Prints the last 50 MB of the main receive box to a PDF, the way "打印"
// does, and returns the longest the window waited and the seconds taken.
std::pair<double, double> PrintSeconds(TConsole& console, const QString& path) {
    const TLineTextStore& store = console.Receiver().Store();
    const uint64_t lines = (50u << 20) / kLineLength;
    const uint64_t first = store.EndLine() > lines ? store.EndLine() - lines : store.FirstLine();
    TReceivePrintJob job(TPrintTarget::ForPdfFile(path), store, first,
                         console.MainReceiveView()->Columns());
    bool ended = false;
    bool printed = false;
    QObject::connect(&job, &TReceivePrintJob::Finished, [&](bool ok) {
        ended = true;
        printed = ok;
    });
    job.Start();
    const auto watched = WatchEventLoop([&] { return ended; });
    return printed ? watched : std::pair{-1.0, -1.0};
}

// Milliseconds to build the accessible text of the whole main receive box.
double AccessibleTextMs(TConsole& console) {
    TReceiveView& view = *console.MainReceiveView();
    view.AccessibleText().TextChanged(false);
    QElapsedTimer timer;
    timer.start();
    const int characters = view.AccessibleText().Window().CharacterCount();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("a11y_text_chars=%d\n", characters);
    return ms;
}

// Seconds to copy 10 MB of received text, all selected, to the clipboard.
double CopySeconds() {
    TLineTextStore store;
    TReceiveView view(store);
    const std::string line = Utf8ToGbk("温度=25.5 压力=101.3 kPa 状态 OK") + "\r\n";
    std::string block;
    while (block.size() < (64u << 10)) {
        block += line;
    }
    for (size_t fed = 0; fed < (10u << 20); fed += block.size()) {
        store.AppendBlock(block, TLineKind::Text, false);
    }
    view.StoreChanged();
    view.SelectAll();
    QElapsedTimer timer;
    timer.start();
    view.Copy();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    return QApplication::clipboard()->text().size() > 0 ? seconds : -1.0;
}

// A device that sends a number a line fills a box with the shortest lines
// there are, so a trim's slice of the default budget is over a quarter of a
// million of them: the most work one trim has.
double TrimSliceMs() {
    TLineTextStore store;
    const TTextBound bound;
    std::string block;
    for (int number = 0; block.size() < (64u << 10); ++number) {
        block += std::to_string(number % 20001 - 10000) + "\r\n";
    }
    double longest = 0;
    for (int trims = 0; trims < 10;) {
        store.AppendBlock(block, TLineKind::Text, false);
        QElapsedTimer timer;
        timer.start();
        if (bound.Apply(store)) {
            longest = std::max(longest, static_cast<double>(timer.nsecsElapsed()) / 1e6);
            ++trims;
        }
    }
    return longest;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TSilentReporter reporter;
    TNoAsker asker;

    QWidget window;
    new QVBoxLayout(&window);
    TConsolePanel panel;
    panel.window = &window;
    panel.sButton4 = Add<QPushButton>(window, "sButton4");
    panel.sButton5 = Add<QPushButton>(window, "sButton5");
    panel.sButton6 = Add<QPushButton>(window, "sButton6");
    panel.sCheckBox2 = Add<QCheckBox>(window, "sCheckBox2");
    panel.sButton7 = Add<QPushButton>(window, "sButton7");
    panel.sButton8 = Add<QPushButton>(window, "sButton8");
    panel.sButton9 = Add<QPushButton>(window, "sButton9");
    panel.sCheckBox3 = Add<QCheckBox>(window, "sCheckBox3");
    panel.sCheckBox1 = Add<QCheckBox>(window, "sCheckBox1");
    panel.sEdit1 = Add<QLineEdit>(window, "sEdit1");
    panel.sBitBtn9 = Add<QPushButton>(window, "sBitBtn9");
    panel.sBitBtn8 = Add<QPushButton>(window, "sBitBtn8");
    panel.sBitBtn5 = Add<QPushButton>(window, "sBitBtn5");
    panel.sBitBtn6 = Add<QPushButton>(window, "sBitBtn6");
    panel.Timer2 = new QTimer(&window);

    TKelvaneOptions options(dir.filePath(QStringLiteral("setfile.ini")).toStdString());
    TConsoleServices services;
    services.reporter = &reporter;
    services.options = &options;
    services.asker = &asker;
    services.historyPath = dir.filePath(QStringLiteral("txt.txt")).toStdString();
    services.sendBlock = [](const char*, std::uint16_t) { return true; };
    TConsole console(panel, std::move(services));
    window.layout()->addWidget(console.MainReceiveView());
    window.layout()->addWidget(console.SendBox());
    window.resize(860, 600);
    window.show();
    console.FloatingWindow().show();
    QApplication::processEvents();

    const double residentBefore = ResidentBytes();
    size_t lineNumber = 0;
    const std::vector<double> text = Feed(console, kTotalBytes / 3, lineNumber, "\r\n");
    const std::vector<double> lf = Feed(console, kTotalBytes / 3, lineNumber, "\n");
    panel.sCheckBox2->setChecked(true);
    const std::vector<double> hex = Feed(console, kTotalBytes / 3, lineNumber, "\r\n");
    panel.sCheckBox2->setChecked(false);
    const double residentAfter = ResidentBytes();
    const double received =
        static_cast<double>((text.size() + lf.size() + hex.size()) * kLinesPerBlock * kLineLength);

    const auto ratio = [](const std::vector<double>& costs) {
        return MeanMs(costs, costs.size() - kMeasuredBlocks) / MeanMs(costs, 0);
    };
    std::printf("chunk_cost_ratio=%.3f\n", std::max({ratio(text), ratio(lf), ratio(hex)}));
    std::printf("chunk_cost_ratio_text=%.3f\n", ratio(text));
    std::printf("chunk_cost_ratio_lf=%.3f\n", ratio(lf));
    std::printf("chunk_cost_ratio_hex=%.3f\n", ratio(hex));
    std::printf("block_cost_text_ms=%.4f\n", MeanMs(text, text.size() - kMeasuredBlocks));
    std::printf("block_cost_lf_ms=%.4f\n", MeanMs(lf, lf.size() - kMeasuredBlocks));
    std::printf("block_cost_hex_ms=%.4f\n", MeanMs(hex, hex.size() - kMeasuredBlocks));
    std::printf("bytes_per_received_byte=%.3f\n", (residentAfter - residentBefore) / received);
    std::printf("a11y_text_ms=%.1f\n", AccessibleTextMs(console));
    std::printf("trim_slice_ms=%.1f\n", TrimSliceMs());

    QElapsedTimer saveTimer;
    saveTimer.start();
    const bool saved =
        SaveReceivedText(console.Receiver().Store(), console.MainReceiveView()->FirstShownLine(),
                         dir.filePath(QStringLiteral("sc.txt")));
    std::printf("save_100MB_s=%.3f\n",
                saved ? static_cast<double>(saveTimer.elapsed()) / 1000 : -1.0);

    std::printf("copy_10MB_s=%.3f\n", CopySeconds());
    const auto [printSlice, printSeconds] =
        PrintSeconds(console, dir.filePath(QStringLiteral("print.pdf")));
    std::printf("print_50MB_s=%.1f\nprint_max_slice_ms=%.1f\n", printSeconds, printSlice);
    std::printf("max_event_loop_stall_ms=%.1f\n", MaxStallMs(console, 10));
    return 0;
}
