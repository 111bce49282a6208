#pragma once
// Appends bytes to a file while recording is on: what was received, or the
// plotted values as CSV.
//
// Bytes wait in memory and go to the file at least once a second, and on
// stop, so a crash loses at most the last second. When the file refuses a
// write (the disk is full, the folder went away, the stick was pulled) the
// recording stops by itself: what reached the file stays there, and the
// owner is told once why.

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Where a recording's bytes go. The program writes to a file; tests put in
// writers that fail on demand.
class TRecordWriter {
  public:
    virtual ~TRecordWriter() = default;
    // Writes `bytes` and returns how many reached the file; fewer than all
    // is a failure, whose reason goes to `error`.
    virtual std::size_t Write(std::string_view bytes, QString& error) = 0;
};

// Opens `path` for appending; null with the reason when it cannot.
std::unique_ptr<TRecordWriter> OpenRecordFile(const QString& path, QString& error);

class TFileRecorder : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFlushMs = 1000;
    // Buffered bytes beyond this go to the file at once.
    static constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

    explicit TFileRecorder(QObject* parent = nullptr);
    ~TFileRecorder() override;

    // Starts recording into `writer`; a recording already on is stopped first.
    void Start(std::unique_ptr<TRecordWriter> writer, QString path);
    // Writes what waits and stops. Does nothing when not recording.
    void Stop();
    bool Recording() const { return writer_ != nullptr; }
    const QString& Path() const { return path_; }

    // Adds bytes while recording; ignored otherwise.
    void Append(std::string_view bytes);
    // Bytes of this recording in the file or waiting to go there; after a
    // failure, those that reached the file.
    std::uint64_t BytesRecorded() const { return written_ + waiting_.size(); }

    // Writes what waits now.
    void Flush();

  signals:
    // The recording started or stopped, by the user or by a failure.
    void StateChanged();
    // A write failed and the recording stopped; `reason` says why.
    void Failed(const QString& reason);

  private:
    std::unique_ptr<TRecordWriter> writer_;
    QString path_;
    std::string waiting_;
    std::uint64_t written_ = 0;
    QTimer flushTimer_;
};
