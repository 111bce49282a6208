#pragma once
// The main window's "打开" and "关闭": reads setfile.ini into Comm1 and opens
// the port, or closes it, keeping the two buttons in step with the port and
// telling the user how it went, and why an open failed.
//
// It also looks after the open port: when its device vanishes (a USB adapter
// pulled, a pseudo-terminal closed) the port is closed, the user is told on
// the notice line how many bytes went unsent, and, with the auto-reopen
// option, the device is watched for and reopened with the same settings as
// soon as it is back, until the user clicks "关闭" (which stays enabled for
// that while the port waits). Bytes the system reports lost on the way in
// are told once per open.

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

#include "console/PortReturnWatch.h"
#include "console/PortSettingsFile.h"

class QAbstractButton;
class TComm;
class TKelvaneOptions;
class TMessageReporter;
class TPortNoticeSink;

class TPortOpener : public QObject {
    Q_OBJECT
  public:
    // Takes over comm's OnRequestHangup and OnReceiveError.
    TPortOpener(TComm& comm, QAbstractButton& openButton, QAbstractButton& closeButton,
                std::string settingsPath, std::shared_ptr<TMessageReporter> reporter,
                TKelvaneOptions& options, TPortNoticeSink& notices);

    void Open();
    void Close();
    // Laid over setfile.ini at every open of this session.
    void SetSessionOverride(TPortSessionOverride override) { override_ = std::move(override); }
    // The device went away and the port waits for it to return.
    bool WaitingForDevice() const { return watch_.Watching(); }

  signals:
    // The port opened or closed, by the user or because its device went or came back.
    void PortStateChanged();

  private:
    void ReportOpenFailure(const QString& cause);
    void DeviceLost();
    bool Reopen();
    void ReceiveErrors(std::uint32_t errors);
    void ShowOpen();

    TComm& comm_;
    QAbstractButton& openButton_;
    QAbstractButton& closeButton_;
    std::string settingsPath_;
    std::shared_ptr<TMessageReporter> reporter_;
    TKelvaneOptions& options_;
    TPortNoticeSink& notices_;
    TPortReturnWatch watch_;
    bool lossTold_ = false;
    TPortSessionOverride override_;
};
