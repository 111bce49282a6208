#include "console/TextBoxAccessible.h"

#include <QScrollBar>

#include <algorithm>

#include "console/AccessibleText.h"
#include "console/LineStoreView.h"
#include "console/SendBox.h"

namespace {

// How far around an offset the word, sentence and line rules look. Qt's
// rules read the whole text they are given, which for a megabyte would
// stall the window; a line longer than this is read in part.
constexpr int kBoundaryReach = 4096;

// Qt's own boundary rules over a stretch of the text.
class TTextStretch : public QAccessibleTextInterface {
  public:
    explicit TTextStretch(QString text) : text_(std::move(text)) {}
    QString text(int startOffset, int endOffset) const override {
        return text_.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(text_.size()); }
    // The boundary rules ask nothing else.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        return {};
    }

  private:
    QString text_;
};

// Runs one of Qt's boundary functions over the stretch of `text` around
// `offset`: whole lines where they are short enough.
template <typename Rule>
QString AtBoundary(const QString& text, int offset, int* startOffset, int* endOffset, Rule rule) {
    const auto size = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, size);
    int from = std::max(0, offset - kBoundaryReach);
    int to = std::min(size, offset + kBoundaryReach);
    // Lines cut by the stretch's edges are taken whole when they are short.
    if (from > 0) {
        const auto lineStart = static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), from - 1) + 1);
        from = from - lineStart <= kBoundaryReach ? lineStart : from;
    }
    const qsizetype nextBreak = text.indexOf(QLatin1Char('\n'), to);
    const int lineEnd = nextBreak < 0 ? size : static_cast<int>(nextBreak);
    to = lineEnd - to <= kBoundaryReach ? lineEnd : to;
    const TTextStretch stretch(text.mid(from, to - from));
    const QString found = rule(stretch, offset - from, startOffset, endOffset);
    *startOffset += from;
    *endOffset += from;
    return found;
}

}  // namespace

TTextBoxAccessible::TTextBoxAccessible(TLineStoreView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void TTextBoxAccessible::Install() {
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
        auto* view = qobject_cast<TLineStoreView*>(object);
        return view ? new TTextBoxAccessible(view) : nullptr;
    });
}

TLineStoreView* TTextBoxAccessible::View() const {
    return static_cast<TLineStoreView*>(widget());
}

TSendBox* TTextBoxAccessible::SendBox() const {
    return qobject_cast<TSendBox*>(widget());
}

const TAccessibleTextWindow& TTextBoxAccessible::Window() const {
    return View()->AccessibleText().Window();
}

void* TTextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface && SendBox()) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TTextBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.selectableText = true;
    state.editable = SendBox() != nullptr;
    state.readOnly = !state.editable;
    return state;
}

QString TTextBoxAccessible::text(QAccessible::Text t) const {
    // The value would be the whole text: tools read it through the text interface.
    return t == QAccessible::Value ? QString() : QAccessibleWidget::text(t);
}

void TTextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && View()->HasSelection()) {
        *startOffset = Window().OffsetOf(View()->SelectionStart());
        *endOffset = Window().OffsetOf(View()->SelectionEnd());
    }
}

int TTextBoxAccessible::selectionCount() const {
    return View()->HasSelection() ? 1 : 0;
}

void TTextBoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void TTextBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        View()->SetSelection(View()->Caret(), View()->Caret());
    }
}

void TTextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        View()->SetSelection(Window().PositionAt(startOffset), Window().PositionAt(endOffset));
    }
}

int TTextBoxAccessible::cursorPosition() const {
    return Window().OffsetOf(View()->Caret());
}

void TTextBoxAccessible::setCursorPosition(int position) {
    const TTextPosition at = Window().PositionAt(position);
    View()->SetSelection(at, at);
}

QString TTextBoxAccessible::text(int startOffset, int endOffset) const {
    const QString& text = Window().Text();
    // -1 asks for everything to the end, as AT-SPI readers do.
    const auto size = static_cast<int>(text.size());
    const int end = endOffset < 0 ? size : std::min(endOffset, size);
    const int start = std::clamp(startOffset, 0, end);
    return text.mid(start, end - start);
}

QString TTextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    return AtBoundary(Window().Text(), offset, startOffset, endOffset,
                      [boundaryType](const TTextStretch& stretch, int at, int* s, int* e) {
                          return stretch.textBeforeOffset(at, boundaryType, s, e);
                      });
}

QString TTextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return AtBoundary(Window().Text(), offset, startOffset, endOffset,
                      [boundaryType](const TTextStretch& stretch, int at, int* s, int* e) {
                          return stretch.textAfterOffset(at, boundaryType, s, e);
                      });
}

QString TTextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    if (boundaryType == QAccessible::NoBoundary) {
        *startOffset = 0;
        *endOffset = characterCount();
        return Window().Text();
    }
    return AtBoundary(Window().Text(), offset, startOffset, endOffset,
                      [boundaryType](const TTextStretch& stretch, int at, int* s, int* e) {
                          return stretch.textAtOffset(at, boundaryType, s, e);
                      });
}

int TTextBoxAccessible::characterCount() const {
    return Window().CharacterCount();
}

QRect TTextBoxAccessible::characterRect(int offset) const {
    const QRect rect = View()->CharacterRect(Window().PositionAt(offset));
    return rect.translated(View()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int TTextBoxAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint inViewport = View()->viewport()->mapFromGlobal(point);
    if (!View()->viewport()->rect().contains(inViewport)) {
        return -1;
    }
    return Window().OffsetOf(View()->PlaceAtPoint(inViewport));
}

void TTextBoxAccessible::scrollToSubstring(int startIndex, int) {
    View()->ScrollToShow(Window().PositionAt(startIndex));
}

QString TTextBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TTextBoxAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, {});
}

void TTextBoxAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void TTextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (TSendBox* box = SendBox()) {
        box->Replace(Window().PositionAt(startOffset), Window().PositionAt(endOffset), text);
    }
}
