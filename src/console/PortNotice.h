#pragma once
// Where the port tells the user what happened to it (the device went away,
// came back, lost bytes) without a box in the way of the data: a line the
// main window shows below the chart. Tests substitute a recorder.

#include <QFrame>
#include <QString>
#include <QTimer>

#include <chrono>

class QLabel;

class TPortNoticeSink {
  public:
    virtual ~TPortNoticeSink() = default;
    // Replaces what is shown. With a duration, the notice goes by itself
    // after that long; without, it stays until replaced, cleared or closed.
    virtual void ShowNotice(const QString& text, std::chrono::milliseconds lasting = {}) = 0;
    virtual void ClearNotice() = 0;
};

// The notice line: the text and a button that closes it.
class TPortNoticeBar : public QFrame, public TPortNoticeSink {
    Q_OBJECT
  public:
    explicit TPortNoticeBar(QWidget* parent);

    void ShowNotice(const QString& text, std::chrono::milliseconds lasting = {}) override;
    void ClearNotice() override;
    QString Text() const;

  private:
    QLabel* text_;
    QTimer expiry_;
};
