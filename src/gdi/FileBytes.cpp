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

TFileBytes::TFileBytes(const std::string& fileName) : file_(QString::fromStdString(fileName)) {
    if (!file_.open(QIODevice::ReadOnly))
        throw std::runtime_error(file_.errorString().toStdString());
    if (file_.size() == 0)
        return;
    if (const uchar* mapped = file_.map(0, file_.size())) {
        view_ = std::string_view(reinterpret_cast<const char*>(mapped), size_t(file_.size()));
        return;
    }
    const QByteArray bytes = file_.readAll();
    if (file_.error() != QFileDevice::NoError)
        throw std::runtime_error(file_.errorString().toStdString());
    copy_.assign(bytes.constData(), size_t(bytes.size()));
    view_ = copy_;
}
