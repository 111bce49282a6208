#include "console/AccessibleText.h"

#include "console/LineStoreView.h"

TAccessibleText::TBus& TAccessibleText::Bus() {
    static TBus bus;
    return bus;
}

TAccessibleText::TAccessibleText(TLineStoreView& view) : QObject(&view), view_(view) {
    announce_.setSingleShot(true);
    announce_.setInterval(kAnnounceMs);
    connect(&announce_, &QTimer::timeout, this, &TAccessibleText::Announce);
}

const TAccessibleTextWindow& TAccessibleText::Window() {
    // What a tool reads it must also have been told.
    if (announce_.isActive()) {
        announce_.stop();
        Announce();
    }
    return Current();
}

const TAccessibleTextWindow& TAccessibleText::Current() {
    if (!window_) {
        window_ = std::make_shared<TAccessibleTextWindow>(view_.Store(), view_.FirstShownLine());
    }
    if (!announced_) {
        announced_ = window_;
    }
    return *window_;
}

void TAccessibleText::TextChanged(bool byUser) {
    window_.reset();
    if (!Bus().listening()) {
        announced_.reset();
        return;
    }
    if (byUser) {
        announce_.stop();
        Announce();
    } else if (!announce_.isActive()) {
        announce_.start();
    }
}

void TAccessibleText::CaretMoved() {
    if (!Bus().listening()) {
        return;
    }
    // Window() first tells the tools the text the offsets count in.
    const TAccessibleTextWindow& window = Window();
    QAccessibleTextCursorEvent cursor(&view_, window.OffsetOf(view_.Caret()));
    Bus().post(&cursor);
    QAccessibleTextSelectionEvent selection(&view_, window.OffsetOf(view_.SelectionStart()),
                                            window.OffsetOf(view_.SelectionEnd()));
    Bus().post(&selection);
}

void TAccessibleText::Announce() {
    if (!announced_) {
        return;
    }
    const std::shared_ptr<const TAccessibleTextWindow> before = announced_;
    Current();
    announced_ = window_;
    for (const TTextChange& change : TextChanges(*before, *window_)) {
        if (change.removed.isEmpty()) {
            QAccessibleTextInsertEvent event(&view_, change.position, change.inserted);
            Bus().post(&event);
        } else if (change.inserted.isEmpty()) {
            QAccessibleTextRemoveEvent event(&view_, change.position, change.removed);
            Bus().post(&event);
        } else {
            QAccessibleTextUpdateEvent event(&view_, change.position, change.removed,
                                             change.inserted);
            Bus().post(&event);
        }
    }
}
