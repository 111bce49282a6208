#include "feed/PlotModeSwitch.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include "feed/PlotFeed.h"

QString TPlotModeSwitch::HexCaption() {
    return QCoreApplication::translate("TPlotModeSwitch", "绘图[16进制]");
}

QString TPlotModeSwitch::DecimalCaption() {
    return QCoreApplication::translate("TPlotModeSwitch", "绘图其他");
}

QString TPlotModeSwitch::StopCaption() {
    return QCoreApplication::translate("TPlotModeSwitch", "停止绘图");
}

TPlotModeSwitch::TPlotModeSwitch(TPlotFeedMode& hexMode, TPlotFeedMode& decimalMode,
                                 QAbstractButton& hexButton, QAbstractButton& decimalButton)
    : hexMode_(hexMode),
      decimalMode_(decimalMode),
      hex_{hexButton, nullptr, HexCaption()},
      decimal_{decimalButton, nullptr, DecimalCaption()} {
    hex_.Show(false);
    decimal_.Show(false);
}

void TPlotModeSwitch::SetTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin) {
    hex_.twin = hexTwin;
    decimal_.twin = decimalTwin;
    hex_.Show(hex_.showsStop);
    decimal_.Show(decimal_.showsStop);
}

void TPlotModeSwitch::TModeButtons::Show(bool stop) {
    showsStop = stop;
    const QString caption = stop ? StopCaption() : idleCaption;
    button.setText(caption);
    if (twin)
        twin->setText(caption);
}

void TPlotModeSwitch::Clicked(TModeButtons& buttons, TPlotFeedMode& mode, TPlotFeedMode& other) {
    if (!buttons.showsStop) {
        buttons.Show(true);
        other.Stop();
        mode.Start();
    } else {
        buttons.Show(false);
        mode.Stop();
    }
}

void TPlotModeSwitch::HexClicked() {
    Clicked(hex_, hexMode_, decimalMode_);
}

void TPlotModeSwitch::DecimalClicked() {
    Clicked(decimal_, decimalMode_, hexMode_);
}
