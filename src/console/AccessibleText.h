#pragma once
// Keeps a box's accessible text up to date and tells accessibility tools
// (screen readers, UI automation) what changed: received text at most a few
// times a second however fast it streams, so a busy port never floods the
// bus; the user's own edits and caret moves at once.
//
// Nothing is built or sent while no tool is listening.

#include <QAccessible>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

#include "console/AccessibleTextWindow.h"

class TLineStoreView;

class TAccessibleText : public QObject {
  public:
    explicit TAccessibleText(TLineStoreView& view);

    // The text as the box shows it now.
    const TAccessibleTextWindow& Window();

    // The box's text changed; `byUser` for an edit the user just made.
    void TextChanged(bool byUser);
    // The caret or the selection moved.
    void CaretMoved();

    // Least time between two announcements of received text.
    static constexpr int kAnnounceMs = 250;

    // Where announcements go: the platform's accessibility bridge, while a
    // tool listens. One for the process, as Qt's accessibility is; tests
    // listen in here, since a platform without a bridge drops every event.
    struct TBus {
        std::function<bool()> listening = QAccessible::isActive;
        std::function<void(QAccessibleEvent*)> post = QAccessible::updateAccessibility;
    };
    static TBus& Bus();

  private:
    // The text now, built if the last one went stale.
    const TAccessibleTextWindow& Current();
    void Announce();

    TLineStoreView& view_;
    std::shared_ptr<const TAccessibleTextWindow> window_;  // null once the text changed
    // The text as the tools were last told it; null until one has read it.
    std::shared_ptr<const TAccessibleTextWindow> announced_;
    QTimer announce_;
};
