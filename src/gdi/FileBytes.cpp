#include <QFile>

#include "gdi/ImageEncoders.h"

void WriteFileBytes(const std::string& fileName, const TBytes& bytes) {
    QFile file(QString::fromStdString(fileName));
    const auto size = qint64(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.flush())
        throw std::runtime_error(file.errorString().toStdString());
}
