#pragma once
// TForm4, the banner: a borderless strip that stays on top and docks under
// the main window's bottom edge, following it while it is shown. It looks
// for the edge only for a while after the main window was shown, moved or
// resized (the window manager may settle its frame a little later), so a
// window that stays put costs no wake-ups.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class TBannerWindow : public QWidget {
    Q_OBJECT
  public:
    // closeKeepsRunning says, each time the banner is shown, whether closing
    // the main window leaves the program in the notification area (there is
    // a tray) or ends it (there is none); the hint says which.
    TBannerWindow(QWidget& anchor, std::function<bool()> closeKeepsRunning);

    // Moves under the anchor's frame if it is not there already.
    void Dock();
    // Whether it is still looking for the anchor's edge.
    bool Following() const { return dockTimer_.isActive(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowAnchor();
    void DockTick();

    const QWidget& anchor_;
    std::function<bool()> closeKeepsRunning_;
    QLabel* hint_;
    QTimer dockTimer_;
    QElapsedTimer sinceAnchorMoved_;
};
