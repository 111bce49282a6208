#include "console/FileRecorder.h"

#include <QCoreApplication>
#include <QFile>

namespace {

class TFileRecordWriter : public TRecordWriter {
  public:
    explicit TFileRecordWriter(const QString& path) : file_(path) {}
    bool Open(QString& error) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            error = file_.errorString();
            return false;
        }
        return true;
    }
    std::size_t Write(std::string_view bytes, QString& error) override {
        // Writing on to a file whose folder was removed would succeed into
        // nowhere.
        if (!QFile::exists(file_.fileName())) {
            error = QCoreApplication::translate("TFileRecorder", "文件或其所在文件夹已不存在");
            return 0;
        }
        const qint64 written = file_.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written != static_cast<qint64>(bytes.size())) {
            error = file_.errorString();
        }
        return written < 0 ? 0 : static_cast<std::size_t>(written);
    }

  private:
    QFile file_;
};

}  // namespace

std::unique_ptr<TRecordWriter> OpenRecordFile(const QString& path, QString& error) {
    auto writer = std::make_unique<TFileRecordWriter>(path);
    if (!writer->Open(error)) {
        return nullptr;
    }
    return writer;
}

TFileRecorder::TFileRecorder(QObject* parent) : QObject(parent) {
    flushTimer_.setInterval(kFlushMs);
    connect(&flushTimer_, &QTimer::timeout, this, &TFileRecorder::Flush);
}

TFileRecorder::~TFileRecorder() {
    Stop();
}

void TFileRecorder::Start(std::unique_ptr<TRecordWriter> writer, QString path) {
    Stop();
    writer_ = std::move(writer);
    path_ = std::move(path);
    written_ = 0;
    flushTimer_.start();
    emit StateChanged();
}

void TFileRecorder::Stop() {
    if (!writer_) {
        return;
    }
    Flush();
    if (!writer_) {
        return;  // the last write failed, which stopped the recording already
    }
    flushTimer_.stop();
    writer_.reset();
    emit StateChanged();
}

void TFileRecorder::Append(std::string_view bytes) {
    if (!writer_) {
        return;
    }
    waiting_.append(bytes);
    if (waiting_.size() >= kFlushBytes) {
        Flush();
    }
}

void TFileRecorder::Flush() {
    if (!writer_ || waiting_.empty()) {
        return;
    }
    QString error;
    const std::size_t written = writer_->Write(waiting_, error);
    written_ += written;
    const bool complete = written == waiting_.size();
    waiting_.clear();
    if (complete) {
        return;
    }
    flushTimer_.stop();
    writer_.reset();
    emit StateChanged();
    emit Failed(error);
}
