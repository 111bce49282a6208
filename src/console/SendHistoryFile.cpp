#include "console/SendHistoryFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <unordered_set>

namespace {

// Matches the wording users know from the platform's file errors.
QString FileError(const char* what, const std::string& path, const QString& reason) {
    return QStringLiteral("Cannot %1 file \"%2\". %3")
        .arg(QLatin1String(what), QString::fromStdString(path), reason);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

THistoryEntries ParseHistoryText(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    THistoryEntries entries;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            entries.emplace_back(bytes.substr(start));
            break;
        }
        entries.emplace_back(bytes.substr(start, end - start));
        start = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return entries;
}

void RemoveRepeatedEntries(THistoryEntries& entries) {
    std::unordered_set<std::string> seen;
    std::erase_if(entries,
                  [&seen](const std::string& entry) { return !seen.insert(entry).second; });
}

bool TSendHistoryFile::Load(THistoryEntries& entries, QString& error) const {
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly)) {
        error = FileError("open", path_, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = FileError("open", path_, file.errorString());
        return false;
    }
    entries =
        ParseHistoryText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return true;
}

bool TSendHistoryFile::Save(const THistoryEntries& entries, QString& error) const {
    QSaveFile file(QString::fromStdString(path_));
    bool ok = file.open(QIODevice::WriteOnly);
    for (const std::string& entry : entries) {
        ok = ok && file.write(entry.data(), static_cast<qint64>(entry.size())) >= 0 &&
             file.write("\r\n", 2) == 2;
    }
    ok = ok && file.commit();
    if (!ok) {
        error = FileError("create", path_, file.errorString());
    }
    return ok;
}

bool TSendHistoryFile::Exists() const {
    return QFileInfo::exists(QString::fromStdString(path_));
}

bool TSendHistoryFile::Append(std::string_view gbkText) const {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool ok = WriteAll(fd, gbkText) && WriteAll(fd, "\r\n");
    return ::close(fd) == 0 && ok;
}
