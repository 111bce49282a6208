#include <gtest/gtest.h>

#include <QFile>
#include <stdexcept>

#include "GdiTestSupport.h"
#include "gdi/FileBytes.h"

namespace {

QByteArray Contents(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

// A save that stops half way (a value refused, the disk full) must not leave
// the user with half a file where a whole one was.
TEST(FileWriter, ReplacesTheOldFileOnlyOnceTheNewOneIsWhole) {
    const std::string path = TempPath("writer.txt");
    WriteFileBytes(path, std::string_view("old contents"));
    {
        TFileWriter writer(path);
        writer.Write("new ");
        EXPECT_EQ(Contents(path), "old contents") << "replaced before Close";
    }
    EXPECT_EQ(Contents(path), "old contents") << "a dropped writer replaced the file";

    TFileWriter writer(path);
    writer.Write("new ");
    writer.Write("contents");
    writer.Close();
    EXPECT_EQ(Contents(path), "new contents");
}

TEST(FileWriter, AFileThatCannotBeMadeThrowsWithTheReason) {
    try {
        TFileWriter writer(TempPath("no-such-folder/file.txt"));
        FAIL() << "opened a file in a missing folder";
    } catch (const std::runtime_error& error) {
        EXPECT_STRNE(error.what(), "");
    }
}
