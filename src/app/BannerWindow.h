#pragma once
// TForm4, the banner: a borderless strip that stays on top and docks under
// the main window's bottom edge, following it while it is shown.

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
    TBannerWindow(const QWidget& anchor, std::function<bool()> closeKeepsRunning);

    // Moves under the anchor's frame if it is not there already.
    void Dock();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    const QWidget& anchor_;
    std::function<bool()> closeKeepsRunning_;
    QLabel* hint_;
    QTimer dockTimer_;
};
