#pragma once
// Drives a text box's context menu as a user does: opens it where the mouse
// is, reads its entries and triggers one.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QList>
#include <QMenu>
#include <QPair>
#include <QString>
#include <QTimer>

// The menu's entries in order with whether each was enabled; the entry
// `trigger` (if there is one of that text) is chosen before the menu closes.
inline QList<QPair<QString, bool>> UseContextMenu(QAbstractScrollArea& box,
                                                  const QString& trigger) {
    QList<QPair<QString, bool>> entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                entries.append({action->text(), action->isEnabled()});
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == trigger)
                action->trigger();
        }
        menu->close();
    });
    const QPoint at = box.viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box.viewport()->mapToGlobal(at));
    QApplication::sendEvent(box.viewport(), &event);
    return entries;
}
