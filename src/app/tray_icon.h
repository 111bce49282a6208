#pragma once
// The notification-area icon with its menu: the way back to a hidden main
// window and the only way to end the program.

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class TTrayIcon : public QObject {
    Q_OBJECT
  public:
    TTrayIcon();

    // Shows the icon when the desktop has a notification area; adding it
    // again changes nothing.
    void Add();
    void Remove();
    static bool Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

    QMenu& Menu() { return menu_; }  // PopupMenu1

    std::function<void()> OnShowMain;     // 显示主界面
    std::function<void()> OnDoubleClick;  // double click on the icon
    std::function<void()> OnExit;         // 退出软件
    std::function<void()> OnUpgradeInfo;  // 在线升级
    std::function<void()> OnHelpInfo;     // 在线帮助

  private:
    QMenu menu_;
    QSystemTrayIcon icon_;
};
