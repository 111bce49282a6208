#include "console/TypedCharacterFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

TTypedCharacterFilter::TTypedCharacterFilter(QWidget* target, TAllowed allowed)
    : QObject(target), allowed_(std::move(allowed)) {}

void TTypedCharacterFilter::Install(QWidget* target, TAllowed allowed) {
    target->installEventFilter(new TTypedCharacterFilter(target, std::move(allowed)));
}

bool TTypedCharacterFilter::eventFilter(QObject* watched, QEvent* event) {
    const auto allowedText = [this](const QString& text) {
        return std::all_of(text.begin(), text.end(),
                           [this](QChar c) { return allowed_(c.unicode()); });
    };
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        const bool editingKey = key->key() == Qt::Key_Backspace || key->text().isEmpty();
        return !shortcut && !editingKey && !allowedText(key->text());
    }
    // Input methods commit composed text (Chinese, for one) without key presses.
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (!allowedText(input->commitString())) {
            input->setCommitString(QString());
        }
    }
    return QObject::eventFilter(watched, event);
}

bool IsSendBoxCharacter(char16_t c) {
    constexpr std::u16string_view kRefused = u"\":;[]{}";
    return c >= 32 && c <= 126 && kRefused.find(c) == std::u16string_view::npos;
}

bool IsIntervalCharacter(char16_t c) {
    return c >= '0' && c <= '9';
}
