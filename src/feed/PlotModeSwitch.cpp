#include "feed/PlotModeSwitch.h"

#include <QAbstractButton>

#include "feed/PlotFeed.h"

const QString TPlotModeSwitch::kHexCaption = QStringLiteral("绘图[16进制]");
const QString TPlotModeSwitch::kDecimalCaption = QStringLiteral("绘图其他");
const QString TPlotModeSwitch::kStopCaption = QStringLiteral("停止绘图");

TPlotModeSwitch::TPlotModeSwitch(TPlotFeedMode& hexMode, TPlotFeedMode& decimalMode,
                                 QAbstractButton& hexButton, QAbstractButton& decimalButton)
    : hexMode_(hexMode),
      decimalMode_(decimalMode),
      hexButton_(hexButton),
      decimalButton_(decimalButton) {}

void TPlotModeSwitch::SetTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin) {
    hexTwin_ = hexTwin;
    decimalTwin_ = decimalTwin;
}

void TPlotModeSwitch::SetCaptions(QAbstractButton& button, QAbstractButton* twin,
                                  const QString& caption) {
    button.setText(caption);
    if (twin)
        twin->setText(caption);
}

void TPlotModeSwitch::HexClicked() {
    if (hexButton_.text() == kHexCaption) {
        SetCaptions(hexButton_, hexTwin_, kStopCaption);
        decimalMode_.Stop();
        hexMode_.Start();
    } else {
        SetCaptions(hexButton_, hexTwin_, kHexCaption);
        hexMode_.Stop();
    }
}

void TPlotModeSwitch::DecimalClicked() {
    if (decimalButton_.text() == kDecimalCaption) {
        SetCaptions(decimalButton_, decimalTwin_, kStopCaption);
        hexMode_.Stop();
        decimalMode_.Start();
    } else {
        SetCaptions(decimalButton_, decimalTwin_, kDecimalCaption);
        decimalMode_.Stop();
    }
}
