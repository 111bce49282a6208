#include "gdi/FileBytes.h"

#include <fcntl.h>

#include <stdexcept>

TFileWriter::TFileWriter(const std::string& fileName) : file_(QString::fromStdString(fileName)) {
    // Where no file can be made beside it, the file itself is written.
    file_.setDirectWriteFallback(true);
    // Unbuffered: what is written comes in large pieces, and a buffer would
    // only copy them once more.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail();
}

void TFileWriter::Write(std::string_view bytes) {
    const auto size = qint64(bytes.size());
    if (file_.write(bytes.data(), size) != size)
        Fail();
    // The disk starts on each piece while the next is made, so that Close,
    // which waits for all of it to be on the disk, waits only for the last.
    // Only a hint: where the system cannot, Close writes it all.
    ::sync_file_range(file_.handle(), written_, size, SYNC_FILE_RANGE_WRITE);
    written_ += size;
}

void TFileWriter::Close() {
    if (!file_.commit())
        Fail();
}

void TFileWriter::Fail() const {
    throw std::runtime_error(file_.errorString().toStdString());
}

void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
    TFileWriter file(fileName);
    file.Write(bytes);
    file.Close();
}

void WriteFileBytes(const std::string& fileName, const TBytes& bytes) {
    WriteFileBytes(fileName,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
