#include "gdi/FileBytes.h"

#include <QFile>
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

std::string ReadFileBytes(const std::string& fileName) {
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(file.errorString().toStdString());
    std::string bytes;
    bytes.resize(size_t(file.size()));
    if (file.read(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw std::runtime_error(file.errorString().toStdString());
    return bytes;
}
