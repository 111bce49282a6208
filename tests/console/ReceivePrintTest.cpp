// Printing the receive box where no printer is installed: the PDF file the
// user picks, written whole or not at all, in slices that let the window
// run and that can be cancelled.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "console/LineTextStore.h"
#include "console/PrintTarget.h"
#include "console/ReceivePrinter.h"

namespace {

class ReceivePrint : public testing::Test {
  protected:
    ReceivePrint() {
        std::string block;
        for (int i = 0; i < 30; ++i) {
            block += "row " + std::to_string(i) + "\n";
        }
        store.AppendBlock(block, TLineKind::Text, false);
    }
    // What the machine offers: no printer, and a save dialog answering `answer`.
    TPrintDesk NoPrinterDesk(const QString& answer) {
        return {[] { return false; },
                [this, answer](const QString& offered) {
                    suggested = offered;
                    return answer;
                }};
    }
    std::unique_ptr<TReceivePrintJob> Job(TPrintChoice choice) {
        return std::make_unique<TReceivePrintJob>(std::move(choice.target), store,
                                                  store.FirstLine(), 80);
    }
    QStringList FilesInDir() const { return QDir(dir.path()).entryList(QDir::Files); }
    static void Write(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TLineTextStore store;
    QString suggested;
};

TEST_F(ReceivePrint, WithoutAPrinterThePickedPdfFileIsWrittenWhole) {
    const QString path = dir.filePath(QStringLiteral("received.pdf"));
    TPrintChoice choice = ChoosePrintTarget(NoPrinterDesk(path));
    ASSERT_FALSE(choice.cancelled);
    ASSERT_NE(choice.target, nullptr);
    EXPECT_TRUE(suggested.contains(QStringLiteral("接收数据-")));
    EXPECT_TRUE(suggested.endsWith(QStringLiteral(".pdf")));

    auto job = Job(std::move(choice));
    QSignalSpy finished(job.get(), &TReceivePrintJob::Finished);
    job->Start();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("received.pdf")});  // nothing partial left
    EXPECT_TRUE(Read(path).startsWith("%PDF"));
}

TEST_F(ReceivePrint, TurningTheDialogDownPrintsNothing) {
    const TPrintChoice choice = ChoosePrintTarget(NoPrinterDesk({}));
    EXPECT_TRUE(choice.cancelled);
    EXPECT_EQ(choice.target, nullptr);
}

TEST_F(ReceivePrint, AFileBeingReplacedStaysUntilTheNewOneIsWhole) {
    const QString path = dir.filePath(QStringLiteral("old.pdf"));
    Write(path, "old contents");
    auto job = Job(ChoosePrintTarget(NoPrinterDesk(path)));
    QSignalSpy finished(job.get(), &TReceivePrintJob::Finished);
    job->Start();
    EXPECT_EQ(Read(path), QByteArray("old contents"));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(Read(path).startsWith("%PDF"));
}

TEST_F(ReceivePrint, LargeBoxPrintsInSlicesThatCanBeCancelled) {
    // Enough rows that printing them takes several slices.
    const std::string row(70, 'x');
    std::string block;
    for (int i = 0; i < 1000; ++i) {
        block += row + "\n";
    }
    for (int i = 0; i < 200; ++i) {
        store.AppendBlock(block, TLineKind::Text, false);
    }
    const QString path = dir.filePath(QStringLiteral("big.pdf"));
    Write(path, "keep me");
    auto job = Job(ChoosePrintTarget(NoPrinterDesk(path)));
    QSignalSpy cancelled(job.get(), &TReceivePrintJob::Cancelled);
    QSignalSpy finished(job.get(), &TReceivePrintJob::Finished);
    // The window runs between slices: a timer fires, and cancels there.
    int ticks = 0;
    QTimer window;
    QObject::connect(&window, &QTimer::timeout, [&] {
        if (++ticks == 2) {
            job->Cancel();
        }
    });
    QObject::connect(job.get(), &TReceivePrintJob::Progress, &window, [&] { window.start(0); });
    job->Start();
    ASSERT_TRUE(cancelled.wait(60000));
    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_EQ(Read(path), QByteArray("keep me"));  // the old file is untouched
    EXPECT_EQ(FilesInDir(), QStringList{QStringLiteral("big.pdf")});
}

}  // namespace
