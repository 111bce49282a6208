#include "app/TrayIcon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include "app/AppIcon.h"

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

// Qt shows the icon through a StatusNotifier host when one is registered on
// the session bus, as it is asked here, and through the older XEmbed tray
// otherwise.
bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierWatcher")
         << QStringLiteral("IsStatusNotifierHostRegistered");
    constexpr int kTimeoutMs = 500;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

}  // namespace

TTrayHost TTrayHost::System() {
    return {QSystemTrayIcon::isSystemTrayAvailable, StatusNotifierHostRegistered};
}

TTrayIcon::TTrayIcon(TTrayHost host)
    : host_(std::move(host)), onlyClicks_(host_.reportsOnlyClicks()) {
    menu_.setObjectName("PopupMenu1");
    AddItem(menu_, "N5", tr("显示主界面"), OnShowMain);
    menu_.addSeparator()->setObjectName("N3");
    AddItem(menu_, "N4", tr("退出软件"), OnExit);
    menu_.addSeparator()->setObjectName("N6");
    AddItem(menu_, "N1", tr("在线升级"), OnUpgradeInfo);
    AddItem(menu_, "N2", tr("在线帮助"), OnHelpInfo);

    icon_.setIcon(AppIcon());
    icon_.setToolTip(tr("双击显示主界面"));
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    const bool doubleClick = reason == QSystemTrayIcon::DoubleClick ||
                             (onlyClicks_ && reason == QSystemTrayIcon::Trigger);
    if (doubleClick && OnDoubleClick) {
        OnDoubleClick();
    }
}

void TTrayIcon::Add() {
    if (Available()) {
        icon_.show();
    }
}

void TTrayIcon::Remove() {
    icon_.hide();
}
