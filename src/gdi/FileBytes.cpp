#include "gdi/FileBytes.h"

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
