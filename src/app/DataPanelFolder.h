#pragma once
// Slides the main window's data panel between its folded bar (30 px) and its
// open height (370 px). Opening eases in quickly on a 1 ms timer, closing on
// a 10 ms timer; either can be reversed mid-way by the fold bar. The
// "显示面板" button acts as a fold bar click and names the state reached.
// Both buttons' captions follow state kept here, never the other way round,
// so they may be in any language.

#include <QObject>
#include <QTimer>

class QAbstractButton;
class QWidget;

class TDataPanelFolder : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFoldedHeight = 30;
    static constexpr int kUnfoldedHeight = 370;
    // What the panel button says: "显示面板" at start, then the state it reached.
    enum class TPanelCaption { AtStart, ShowPanel, HidePanel };

    // The height after one tick of each timer.
    static int UnfoldStep(int height) { return height + (372 - height) / 3; }
    static int FoldStep(int height) { return height - (height - 20) / 5; }

    TDataPanelFolder(QWidget& panel, QAbstractButton& foldBar, QAbstractButton& panelButton);

    // What a click on the fold bar does; also runs while the panel is disabled.
    void ClickFoldBar();
    // What a click on "显示面板" does.
    void ClickPanelButton();
    // While the floating window is open the panel ignores the user and folds.
    // `onlyIfOpening`: the command-row button folds only a panel that is
    // open or opening; the receive-bar button (reachable only when open) always clicks.
    void DisableAndFold(bool onlyIfOpening);
    void Enable();

    // The panel's height as the folding left it; the layout follows it.
    int Height() const { return height_; }

    QTimer& UnfoldTimer() { return unfoldTimer_; }  // Timer4
    QTimer& FoldTimer() { return foldTimer_; }      // Timer5

  private:
    void UnfoldTick();
    void FoldTick();
    void SetHeight(int height);
    void SetPanelCaption(TPanelCaption caption);

    QWidget& panel_;
    QAbstractButton& foldBar_;
    QAbstractButton& panelButton_;
    QTimer unfoldTimer_;
    QTimer foldTimer_;
    int height_ = kFoldedHeight;
    // The fold bar's heading: open ("↓↓") or shut ("↑↑").
    bool unfolding_ = false;
    TPanelCaption panelCaption_ = TPanelCaption::AtStart;
};

// Fold bar captions: where the panel is heading.
inline const QString kFoldBarFolded = QStringLiteral("↑↑");
inline const QString kFoldBarUnfolded = QStringLiteral("↓↓");
