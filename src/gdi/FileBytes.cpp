#include "gdi/FileBytes.h"

#include <algorithm>
#include <stdexcept>

void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
    QFile file(QString::fromStdString(fileName));
    const auto size = qint64(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), size) != size || !file.flush())
        throw std::runtime_error(file.errorString().toStdString());
}

void WriteFileBytes(const std::string& fileName, const TBytes& bytes) {
    WriteFileBytes(fileName, std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                              bytes.size()));
}

TFileBytes::TFileBytes(const std::string& fileName) {
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(file.errorString().toStdString());
    // Read, never mapped: a mapped file that another program truncates while
    // we read it kills the process with SIGBUS; a read just ends early.
    bytes_.resize(size_t(std::max<qint64>(file.size(), 0)));
    const qint64 read = file.read(bytes_.data(), qint64(bytes_.size()));
    if (read < 0)
        throw std::runtime_error(file.errorString().toStdString());
    bytes_.resize(size_t(read));
}
