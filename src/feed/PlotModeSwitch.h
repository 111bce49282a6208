#pragma once
// The two plotting-mode buttons of the command row and their twins in the
// floating window. Each button shows either its mode's caption or "停止绘图";
// a click on a button that shows "停止绘图" stops, any other click starts.
// The captions live here alone, and what a button shows is kept as state,
// so they may be in any language.
//
// Starting one mode stops the other mode's timer but leaves that button's
// caption alone, so it keeps showing "停止绘图" until it is clicked once more.

#include <QString>

class QAbstractButton;
class TPlotFeedMode;

class TPlotModeSwitch {
  public:
    // The captions, in the interface's language.
    static QString HexCaption();      // "绘图[16进制]"
    static QString DecimalCaption();  // "绘图其他"
    static QString StopCaption();     // "停止绘图"

    // Captions the buttons with their modes, both off.
    TPlotModeSwitch(TPlotFeedMode& hexMode, TPlotFeedMode& decimalMode, QAbstractButton& hexButton,
                    QAbstractButton& decimalButton);

    // The floating window's twins get the same captions as the main buttons,
    // from now on.
    void SetTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin);

    void HexClicked();
    void DecimalClicked();

  private:
    // One mode's button, its twin and whether they show "停止绘图".
    struct TModeButtons {
        QAbstractButton& button;
        QAbstractButton* twin = nullptr;
        QString idleCaption;
        bool showsStop = false;

        void Show(bool stop);
    };

    // Starts `mode` (stopping `other`) or, when its button shows "停止绘图", stops it.
    static void Clicked(TModeButtons& buttons, TPlotFeedMode& mode, TPlotFeedMode& other);

    TPlotFeedMode& hexMode_;
    TPlotFeedMode& decimalMode_;
    TModeButtons hex_;
    TModeButtons decimal_;
};
