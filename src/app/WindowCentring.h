#pragma once
// Puts a window back at the centre of its screen each time the program shows
// it, so a window moved off-screen is never lost for good.

#include <QObject>

class TCentreOnShow : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    // Watches `window`'s show events from now on.
    void Watch(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

void CentreOnScreen(QWidget& window);
