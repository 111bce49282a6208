#pragma once
// The main window's "打开" and "关闭": reads setfile.ini into Comm1 and opens
// the port, or closes it, keeping the two buttons in step with the port and
// telling the user how it went.

#include <QObject>

#include <memory>
#include <string>

class QAbstractButton;
class TComm;
class TMessageReporter;

class TPortOpener : public QObject {
    Q_OBJECT
  public:
    TPortOpener(TComm& comm, QAbstractButton& openButton, QAbstractButton& closeButton,
                std::string settingsPath, std::shared_ptr<TMessageReporter> reporter);

    void Open();
    void Close();

  private:
    TComm& comm_;
    QAbstractButton& openButton_;
    QAbstractButton& closeButton_;
    std::string settingsPath_;
    std::shared_ptr<TMessageReporter> reporter_;
};
