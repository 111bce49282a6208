#include "console/PortSettingsOpener.h"

#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "serial/Comm.h"

#include <QAbstractButton>

TPortOpener::TPortOpener(TComm& comm, QAbstractButton& openButton, QAbstractButton& closeButton,
                         std::string settingsPath, std::shared_ptr<TMessageReporter> reporter)
    : comm_(comm),
      openButton_(openButton),
      closeButton_(closeButton),
      settingsPath_(std::move(settingsPath)),
      reporter_(std::move(reporter)) {
    connect(&openButton_, &QAbstractButton::clicked, this, &TPortOpener::Open);
    connect(&closeButton_, &QAbstractButton::clicked, this, &TPortOpener::Close);
}

void TPortOpener::Open() {
    // Reopening applies the file afresh, so a port already open is closed first.
    openButton_.setEnabled(false);
    comm_.ClosePort();
    openButton_.setEnabled(true);
    try {
        ApplyPortSettings(ReadPortSettings(settingsPath_), comm_);
        comm_.OpenPort();
    } catch (const std::exception&) {
        // The component's own reason stays out of the box; the user gets the
        // usual causes to check.
        reporter_->Show(kPromptCaption,
                        QStringLiteral("串口打开失败，请检测串口是否被占用或者为无用串口"),
                        TMessageIcon::Warning);
        openButton_.setEnabled(true);
        return;
    }
    // Buttons first: the box's event loop must not offer "打开" on an open port.
    openButton_.setEnabled(false);
    closeButton_.setEnabled(true);
    reporter_->Show(kPromptCaption, QStringLiteral("串口打开成功"), TMessageIcon::Warning);
}

void TPortOpener::Close() {
    closeButton_.setEnabled(false);
    comm_.ClosePort();
    openButton_.setEnabled(true);
    reporter_->Show(kPromptCaption, QStringLiteral("串口关闭成功"), TMessageIcon::Warning);
}
