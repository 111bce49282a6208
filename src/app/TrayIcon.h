#pragma once
// The notification-area icon with its menu: the way back to a hidden main
// window and the only way to end the program.

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

// What the desktop's notification area offers. Trays that speak the
// StatusNotifier protocol report single clicks only, never a double click.
struct TTrayHost {
    std::function<bool()> available;
    std::function<bool()> reportsOnlyClicks;

    // The desktop this program runs on.
    static TTrayHost System();
};

class TTrayIcon : public QObject {
    Q_OBJECT
  public:
    explicit TTrayIcon(TTrayHost host);

    // Shows the icon when the desktop has a notification area; adding it
    // again changes nothing.
    void Add();
    void Remove();
    bool Available() const { return host_.available(); }
    bool Shown() const { return icon_.isVisible(); }

    QMenu& Menu() { return menu_; }  // PopupMenu1

    // What the icon reports; a single click counts as a double click on a
    // tray that reports nothing else, or the window could not come back.
    void Activated(QSystemTrayIcon::ActivationReason reason);

    std::function<void()> OnShowMain;     // 显示主界面
    std::function<void()> OnDoubleClick;  // double click on the icon
    std::function<void()> OnExit;         // 退出软件
    std::function<void()> OnUpgradeInfo;  // 在线升级
    std::function<void()> OnHelpInfo;     // 在线帮助

  private:
    TTrayHost host_;
    bool onlyClicks_;
    QMenu menu_;
    QSystemTrayIcon icon_;
};
