// Recording what arrives: byte for byte into the chosen file, written at
// least once a second and on stop, and stopped with one reason when the
// file refuses more, keeping what reached it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/FileRecorder.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

std::unique_ptr<TRecordWriter> Open(const QString& path) {
    QString error;
    auto writer = OpenRecordFile(path, error);
    EXPECT_NE(writer, nullptr) << error.toStdString();
    return writer;
}

// A disk with `room` bytes left; what it took stays in `kept`.
class TFillingWriter : public TRecordWriter {
  public:
    TFillingWriter(std::size_t room, std::string& kept) : room_(room), kept_(kept) {}
    std::size_t Write(std::string_view bytes, QString& error) override {
        const std::size_t taken = std::min(room_, bytes.size());
        kept_.append(bytes.substr(0, taken));
        room_ -= taken;
        if (taken < bytes.size()) {
            error = QStringLiteral("No space left on device");
        }
        return taken;
    }

  private:
    std::size_t room_;
    std::string& kept_;
};

}  // namespace

TEST(FileRecorder, AppendsByteForByteAndWritesWhatWaitsOnStop) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.bin"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old|");
    }
    TFileRecorder recorder;
    QSignalSpy changes(&recorder, &TFileRecorder::StateChanged);
    recorder.Append("before");  // not recording: ignored
    recorder.Start(Open(path), path);
    EXPECT_TRUE(recorder.Recording());
    const std::string block(
        "\0\r\n\xff\xfe"
        "12\n",
        8);
    recorder.Append(block);
    recorder.Append("tail");
    EXPECT_EQ(recorder.BytesRecorded(), 12u);
    EXPECT_EQ(FileBytes(path), QByteArray("old|")) << "written in batches, not per block";
    recorder.Stop();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(FileBytes(path), QByteArray("old|") + QByteArray(block.data(), 8) + "tail");
    EXPECT_EQ(changes.count(), 2);
    recorder.Append("after");
    recorder.Stop();  // stopping twice changes nothing
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(FileBytes(path).size(), 16);
}

TEST(FileRecorder, WritesAtLeastOnceASecondWhileOn) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.txt"));
    TFileRecorder recorder;
    recorder.Start(Open(path), path);
    recorder.Append("12\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return FileBytes(path) == "12\r\n"; }, 5000));
    EXPECT_TRUE(recorder.Recording());
}

TEST(FileRecorder, AFullDiskStopsItOnceAndKeepsWhatWasWritten) {
    TFileRecorder recorder;
    QSignalSpy failures(&recorder, &TFileRecorder::Failed);
    std::string kept;
    recorder.Start(std::make_unique<TFillingWriter>(5, kept), QStringLiteral("rec.bin"));
    recorder.Append("1234");
    recorder.Flush();
    recorder.Append("5678");
    recorder.Flush();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(kept, "12345");
    EXPECT_EQ(recorder.BytesRecorded(), 5u);
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(failures[0][0].toString(), QStringLiteral("No space left on device"));
    recorder.Append("more");
    recorder.Flush();
    recorder.Stop();
    EXPECT_EQ(failures.count(), 1);
}

TEST(FileRecorder, TheSystemsFullDeviceIsReportedAsFull) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) {
        GTEST_SKIP() << "no /dev/full here";
    }
    TFileRecorder recorder;
    QSignalSpy failures(&recorder, &TFileRecorder::Failed);
    recorder.Start(Open(QStringLiteral("/dev/full")), QStringLiteral("/dev/full"));
    recorder.Append(std::string(100, 'x'));
    recorder.Stop();
    EXPECT_FALSE(recorder.Recording());
    ASSERT_EQ(failures.count(), 1);
    EXPECT_FALSE(failures[0][0].toString().isEmpty());
}

TEST(FileRecorder, AVanishedFolderStopsIt) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("stick"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/rec.bin");
    TFileRecorder recorder;
    QSignalSpy failures(&recorder, &TFileRecorder::Failed);
    recorder.Start(Open(path), path);
    recorder.Append("first");
    recorder.Flush();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    recorder.Append("second");
    recorder.Flush();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(failures.count(), 1);
}

TEST(FileRecorder, AFileThatCannotBeOpenedSaysWhy) {
    QString error;
    EXPECT_EQ(OpenRecordFile(QStringLiteral("/no-such-folder/rec.bin"), error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

class ReceiveRecording : public ConsoleFixture {};

TEST_F(ReceiveRecording, EveryBlockGoesToTheFileAsItCameInEitherView) {
    const QString path = dir.filePath(QStringLiteral("raw.bin"));
    TFileRecorder& recorder = console->Receiver().Recorder();
    recorder.Start(Open(path), path);
    options.ShowTimestamps.Set(true);  // shown, never recorded
    Receive("12\r\n3", TBlockEnd::Cut);
    Receive(std::string("\0\n", 2));
    panel.sCheckBox2->click();
    Receive("\x01\xff");
    recorder.Stop();
    EXPECT_EQ(FileBytes(path), QByteArray("12\r\n3\0\n\x01\xff", 9));
}

// A real full disk: a 16 KiB tmpfs in a mount namespace of our own. The test
// runs itself again inside one; where namespaces are not allowed, it skips.
TEST(FileRecorder, AFullTmpfsStopsItAndKeepsWhatFits) {
    const QByteArray tinyDisk = qgetenv("KELVANE_TINY_DISK");
    if (tinyDisk.isEmpty()) {
        QTemporaryDir mountPoint;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KELVANE_TINY_DISK"), mountPoint.path());
        child.setProcessEnvironment(environment);
        const QString self = QCoreApplication::applicationFilePath();
        child.start(
            QStringLiteral("unshare"),
            {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
             QStringLiteral("sh"), QStringLiteral("-c"),
             QStringLiteral("mount -t tmpfs -o size=16k none \"$KELVANE_TINY_DISK\" && "
                            "exec \"$0\" "
                            "--gtest_filter=FileRecorder.AFullTmpfsStopsItAndKeepsWhatFits"),
             self});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit) {
            GTEST_SKIP() << "unshare did not run here";
        }
        const QByteArray output = child.readAllStandardOutput();
        if (!output.contains("[==========]")) {
            GTEST_SKIP() << "user and mount namespaces are not allowed here";
        }
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        return;
    }
    const QString path = QString::fromLocal8Bit(tinyDisk) + QStringLiteral("/rec.bin");
    TFileRecorder recorder;
    QSignalSpy failures(&recorder, &TFileRecorder::Failed);
    recorder.Start(Open(path), path);
    const std::string block(4096, 'k');
    for (int i = 0; i < 16 && recorder.Recording(); ++i) {
        recorder.Append(block);
        recorder.Flush();
    }
    EXPECT_FALSE(recorder.Recording());
    ASSERT_EQ(failures.count(), 1);
    const QByteArray kept = FileBytes(path);
    EXPECT_GT(kept.size(), 0);
    EXPECT_EQ(static_cast<std::uint64_t>(kept.size()), recorder.BytesRecorded());
    EXPECT_EQ(kept, QByteArray(kept.size(), 'k'));
}
