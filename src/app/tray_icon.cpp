#include "app/tray_icon.h"

#include "app/app_icon.h"

namespace {

void AddItem(QMenu& menu, const char* name, const QString& caption,
             std::function<void()>& handler) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, [&handler] {
        if (handler) {
            handler();
        }
    });
}

}  // namespace

TTrayIcon::TTrayIcon() {
    menu_.setObjectName("PopupMenu1");
    AddItem(menu_, "N5", QStringLiteral("显示主界面"), OnShowMain);
    menu_.addSeparator()->setObjectName("N3");
    AddItem(menu_, "N4", QStringLiteral("退出软件"), OnExit);
    menu_.addSeparator()->setObjectName("N6");
    AddItem(menu_, "N1", QStringLiteral("在线升级"), OnUpgradeInfo);
    AddItem(menu_, "N2", QStringLiteral("在线帮助"), OnHelpInfo);

    icon_.setIcon(AppIcon());
    icon_.setToolTip(QStringLiteral("双击显示主界面"));
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick && OnDoubleClick) {
                    OnDoubleClick();
                }
            });
}

void TTrayIcon::Add() {
    if (Available()) {
        icon_.show();
    }
}

void TTrayIcon::Remove() {
    icon_.hide();
}
