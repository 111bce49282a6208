#pragma once
// The two plotting-mode buttons of the command row and their twins in the
// floating window. A button's caption is its mode's state: the click handlers
// read it to decide whether to start or stop.
//
// Starting one mode stops the other mode's timer but leaves that button's
// caption alone, so it keeps showing "停止绘图" until it is clicked once more.

#include <QString>

class QAbstractButton;
class TPlotFeedMode;

class TPlotModeSwitch {
  public:
    static const QString kHexCaption;
    static const QString kDecimalCaption;
    static const QString kStopCaption;

    TPlotModeSwitch(TPlotFeedMode& hexMode, TPlotFeedMode& decimalMode, QAbstractButton& hexButton,
                    QAbstractButton& decimalButton);

    // The floating window's twins get the same captions as the main buttons.
    void SetTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin);

    void HexClicked();
    void DecimalClicked();

  private:
    void SetCaptions(QAbstractButton& button, QAbstractButton* twin, const QString& caption);

    TPlotFeedMode& hexMode_;
    TPlotFeedMode& decimalMode_;
    QAbstractButton& hexButton_;
    QAbstractButton& decimalButton_;
    QAbstractButton* hexTwin_ = nullptr;
    QAbstractButton* decimalTwin_ = nullptr;
};
