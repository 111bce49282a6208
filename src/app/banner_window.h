#pragma once
// TForm4, the banner: a borderless strip that stays on top and docks under
// the main window's bottom edge, following it while it is shown.

#include <QTimer>
#include <QWidget>

class TBannerWindow : public QWidget {
    Q_OBJECT
  public:
    explicit TBannerWindow(const QWidget& anchor);

    // Moves under the anchor's frame if it is not there already.
    void Dock();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    const QWidget& anchor_;
    QTimer dockTimer_;
};
