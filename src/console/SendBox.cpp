#include "console/SendBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <functional>

#include "console/AccessibleText.h"
#include "console/ReceiveRows.h"
#include "console/SurroundingText.h"
#include "console/TextBetween.h"
#include "console/TextWords.h"
#include "platform/Gbk.h"

namespace {

// GBK bytes of a text with CR LF line breaks. Text copied from the receive
// box or from other programs may already break lines with CR LF; those
// breaks must not gain a second CR.
// Breaks the box makes itself, between received blocks and in typed text.
constexpr std::string_view kBoxLineBreak = "\r\n";

std::string GbkWithCrLf(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    withCrLf.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return Utf8ToGbk(withCrLf.toStdString());
}

}  // namespace

TSendBox::TSendBox(QWidget* parent) : TSendBox(std::make_unique<TLineTextStore>(), parent) {}

TSendBox::TSendBox(std::unique_ptr<TLineTextStore> text, QWidget* parent)
    : TLineStoreView(*text, parent),
      text_(std::move(text)),
      blink_(this, [this] { viewport()->update(CaretRect().adjusted(-1, 0, 1, 0)); }) {
    setAttribute(Qt::WA_InputMethodEnabled);
    SetText({});
}

TSendBox::~TSendBox() = default;

QString TSendBox::Text() const {
    return ShownTextBetween(Start(), End(), "\n");
}

std::string TSendBox::Bytes() const {
    return TextBytesBetween(*text_, Start(), End());
}

bool TSendBox::IsEmpty() const {
    return End() == Start();
}

void TSendBox::SetText(const QString& text) {
    received_ = {};
    text_->Clear();
    // An empty store gets its one line from the append.
    text_->AppendBlock(GbkWithCrLf(text), TLineKind::Text, true);
    // The view still shows from the old first line until the change below.
    caret_ = anchor_ = {text_->FirstLine(), 0};
    ForgetEdits();
    TextChangedFrom(text_->FirstLine());
}

void TSendBox::AppendText(const QString& text) {
    received_ = {};
    const TTextPosition oldEnd = End();
    Appended(oldEnd, text_->Insert(oldEnd, GbkWithCrLf(text)));
}

void TSendBox::AppendReceived(std::string_view bytes, bool lineStaysOpen) {
    const TTextPosition oldEnd = End();
    TTextPosition end = oldEnd;
    // A block starts on a line of its own, so that a line the user is
    // typing is never run together with it, unless it goes on with the
    // line the block before left open.
    if (end.byte > 0 && received_.openEnd != end) {
        end = text_->Insert(end, kBoxLineBreak);
    }
    end = text_->Insert(end, bytes, received_.stream);
    if (!lineStaysOpen) {
        end = text_->Insert(end, kBoxLineBreak);
    }
    Appended(oldEnd, end);
    // Taken after the bound, which may have cut the open line's front.
    received_.openEnd = lineStaysOpen ? std::optional(End()) : std::nullopt;
}

void TSendBox::Appended(TTextPosition oldEnd, TTextPosition newEnd) {
    // The user's edits are not undone across text they did not make.
    ForgetEdits();
    // Like a text box's cursor at the insertion point, an end at the end moves on.
    for (TTextPosition* place : {&caret_, &anchor_}) {
        if (*place == oldEnd) {
            *place = newEnd;
        }
    }
    bound_.Apply(*text_);
    StoreChanged();
}

QString TSendBox::SelectedText() const {
    return ShownTextBetween(SelectionStart(), SelectionEnd(), "\n");
}

void TSendBox::Cut() {
    Copy();
    DeleteSelection();
}

void TSendBox::Paste() {
    ReplaceSelection(GbkWithCrLf(QApplication::clipboard()->text()));
}

void TSendBox::DeleteSelection() {
    ReplaceSelection({});
}

void TSendBox::Replace(TTextPosition from, TTextPosition to, const QString& text) {
    Select(std::min(from, to), std::max(from, to));
    ReplaceSelection(GbkWithCrLf(text));
}

void TSendBox::ReplaceSelection(std::string_view bytes) {
    if (!HasSelection() && bytes.empty()) {
        return;
    }
    const TEdit revert = Apply({SelectionStart(), SelectionEnd(), std::string(bytes)});
    redo_.clear();
    // Typing on at the end of the last insertion adds to that undo step.
    const bool continuesTyping =
        revert.bytes.empty() && !undo_.empty() && undo_.back().to == revert.from;
    if (continuesTyping) {
        undo_.back().to = revert.to;
    } else {
        undo_.push_back(revert);
    }
}

void TSendBox::Undo() {
    if (!undo_.empty()) {
        redo_.push_back(Apply(undo_.back()));
        undo_.pop_back();
    }
}

void TSendBox::Redo() {
    if (!redo_.empty()) {
        undo_.push_back(Apply(redo_.back()));
        redo_.pop_back();
    }
}

TSendBox::TEdit TSendBox::Apply(const TEdit& edit) {
    received_ = {};
    TEdit revert{edit.from, {}, TextBytesBetween(*text_, edit.from, edit.to)};
    text_->Erase(edit.from, edit.to);
    revert.to = text_->Insert(edit.from, edit.bytes);
    caret_ = anchor_ = revert.to;
    goalX_.reset();
    TextChangedFrom(edit.from.line);
    CaretChanged();
    return revert;
}

void TSendBox::ForgetEdits() {
    undo_.clear();
    redo_.clear();
}

void TSendBox::TextChangedFrom(uint64_t line) {
    LinesChangedFrom(line);
    UpdateScrollBar(false);
    EnsureCaretVisible();
    AccessibleText().TextChanged(true);
}

TTextPosition TSendBox::After(TTextPosition at) const {
    if (at.byte < text_->LineLength(at.line)) {
        return {at.line, NextCharacter(*text_, at.line, at.byte)};
    }
    return at.line + 1 < text_->EndLine() ? TTextPosition{at.line + 1, 0} : at;
}

TTextPosition TSendBox::Before(TTextPosition at) const {
    if (at.byte > 0) {
        return {at.line, PreviousCharacter(*text_, at.line, at.byte)};
    }
    return at.line > text_->FirstLine() ? TTextPosition{at.line - 1, text_->LineLength(at.line - 1)}
                                        : at;
}

TTextPosition TSendBox::RowsAway(int64_t rows) {
    const size_t rowInLine = ReceiveRowOf(*text_, caret_.line, caret_.byte, Columns());
    if (!goalX_) {
        goalX_ = XOf(caret_, ReceiveRowSpan(*text_, caret_.line, rowInLine, Columns()).first);
    }
    const int64_t lastRow = static_cast<int64_t>(RowCount()) - 1;
    const int64_t here = static_cast<int64_t>(FirstRowOf(caret_.line) + rowInLine);
    return PlaceInRow(static_cast<uint64_t>(std::clamp<int64_t>(here + rows, 0, lastRow)), *goalX_,
                      TPick::NearestBoundary);
}

TTextPosition TSendBox::CharactersAway(TTextPosition at, int count) const {
    for (; count > 0; --count) {
        at = After(at);
    }
    for (; count < 0; ++count) {
        at = Before(at);
    }
    return at;
}

TTextPosition TSendBox::NextWord(TTextPosition at) const {
    return at.byte < text_->LineLength(at.line)
               ? TTextPosition{at.line, NextWordStart(*text_, at.line, at.byte)}
               : After(at);
}

TTextPosition TSendBox::PreviousWord(TTextPosition at) const {
    return at.byte > 0 ? TTextPosition{at.line, PreviousWordStart(*text_, at.line, at.byte)}
                       : Before(at);
}

void TSendBox::SelectionChanged() {
    goalX_.reset();
    EnsureCaretVisible();
    CaretChanged();
}

// The caret shows at once where it lands, and an input method's candidate
// window follows it.
void TSendBox::CaretChanged() {
    blink_.Restart();
    AccessibleText().CaretMoved();
    if (hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
    }
}

QRect TSendBox::CaretRect() const {
    const size_t rowInLine = ReceiveRowOf(*text_, caret_.line, caret_.byte, Columns());
    const size_t rowStart = ReceiveRowSpan(*text_, caret_.line, rowInLine, Columns()).first;
    // Rows far off screen are kept just off it, so the pixel stays in range.
    const int64_t row = std::clamp<int64_t>(
        static_cast<int64_t>(FirstRowOf(caret_.line) + rowInLine) - verticalScrollBar()->value(),
        -1, VisibleRows() + 1);
    const int x =
        XOf(caret_, rowStart) + fontMetrics().horizontalAdvance(preedit_.left(preeditCursor_));
    return {x, static_cast<int>(row) * RowHeight(), 1, RowHeight()};
}

bool TSendBox::MoveCaret(QKeyEvent* event) {
    struct TMove {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey select;
        std::function<TTextPosition()> target;
        bool vertical = false;  // keeps the column up and down moves started from
    };
    const TMove moves[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar,
         [this] { return After(caret_); }},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar,
         [this] { return Before(caret_); }},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord,
         [this] { return NextWord(caret_); }},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord,
         [this] { return PreviousWord(caret_); }},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, [this] { return RowsAway(1); },
         true},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine,
         [this] { return RowsAway(-1); }, true},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage,
         [this] { return RowsAway(VisibleRows()); }, true},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage,
         [this] { return RowsAway(-VisibleRows()); }, true},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine,
         [this] {
             return TTextPosition{caret_.line, 0};
         }},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine,
         [this] {
             return TTextPosition{caret_.line, text_->LineLength(caret_.line)};
         }},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
         [this] { return Start(); }},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument,
         [this] { return End(); }},
    };
    for (const TMove& move : moves) {
        if (event->matches(move.move) || event->matches(move.select)) {
            const TTextPosition target = move.target();
            const std::optional<int> goal = move.vertical ? goalX_ : std::nullopt;
            MoveCaretTo(target, event->matches(move.select));
            goalX_ = goal;
            return true;
        }
    }
    return false;
}

bool TSendBox::Edit(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        Undo();
    } else if (event->matches(QKeySequence::Redo)) {
        Redo();
    } else if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Paste)) {
        Paste();
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        DeleteTo(PreviousWord(caret_));
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        DeleteTo(NextWord(caret_));
    } else if (event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Delete)) {
        DeleteTo(event->key() == Qt::Key_Backspace ? Before(caret_) : After(caret_));
    } else if (!event->text().isEmpty() && event->text().front().isPrint()) {
        Type(event->text());
    } else {
        return false;
    }
    return true;
}

void TSendBox::DeleteTo(TTextPosition to) {
    if (!HasSelection()) {
        anchor_ = to;
    }
    DeleteSelection();
}

void TSendBox::Type(const QString& text) {
    ReplaceSelection(GbkWithCrLf(text));
}

void TSendBox::keyPressEvent(QKeyEvent* event) {
    if (MoveCaret(event) || SelectionKey(event) || Edit(event)) {
        event->accept();
    } else {
        TLineStoreView::keyPressEvent(event);
    }
}

void TSendBox::mousePressEvent(QMouseEvent* event) {
    // Text being composed is typed in before the click moves the caret away.
    if (event->button() == Qt::LeftButton && !preedit_.isEmpty()) {
        QGuiApplication::inputMethod()->commit();
    }
    TLineStoreView::mousePressEvent(event);
}

void TSendBox::inputMethodEvent(QInputMethodEvent* event) {
    // Input methods may take back text before the caret, as when they turn
    // typed letters into a word.
    if (event->replacementLength() > 0) {
        const TTextPosition from = CharactersAway(caret_, event->replacementStart());
        Select(from, CharactersAway(from, event->replacementLength()));
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        Type(event->commitString());
    }
    preedit_ = event->preeditString();
    preeditCursor_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preeditCursor_ = std::clamp(attribute.start, 0, preeditCursor_);
        }
    }
    EnsureCaretVisible();
    CaretChanged();
    event->accept();
}

QVariant TSendBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImCursorRectangle:
            return QRectF(CaretRect().translated(viewport()->geometry().topLeft()));
        case Qt::ImSurroundingText:
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
        case Qt::ImCurrentSelection:
        case Qt::ImTextBeforeCursor:
        case Qt::ImTextAfterCursor:
            return SurroundingTextOf(*text_, caret_, anchor_).Answer(query);
        default:
            return TLineStoreView::inputMethodQuery(query);
    }
}

void TSendBox::contextMenuEvent(QContextMenuEvent* event) {
    const bool selected = HasSelection();
    QMenu menu(this);
    // The entries in the words Qt's own Chinese edit menus use.
    menu.addAction(tr("撤消"), this, &TSendBox::Undo)->setEnabled(!undo_.empty());
    menu.addAction(tr("重做"), this, &TSendBox::Redo)->setEnabled(!redo_.empty());
    menu.addSeparator();
    menu.addAction(tr("剪切"), this, &TSendBox::Cut)->setEnabled(selected);
    menu.addAction(tr("复制"), this, &TSendBox::Copy)->setEnabled(selected);
    menu.addAction(tr("粘贴"), this, &TSendBox::Paste)
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("删除"), this, &TSendBox::DeleteSelection)->setEnabled(selected);
    menu.addSeparator();
    menu.addAction(tr("全选"), this, &TSendBox::SelectAll)->setEnabled(!IsEmpty());
    menu.exec(event->globalPos());
}

void TSendBox::focusInEvent(QFocusEvent* event) {
    TLineStoreView::focusInEvent(event);
    blink_.Restart();
}

void TSendBox::focusOutEvent(QFocusEvent* event) {
    TLineStoreView::focusOutEvent(event);
    blink_.Stop();
}

void TSendBox::PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine) {
    const auto [begin, end] = ReceiveRowSpan(*text_, line, rowInLine, Columns());
    TLineStoreView::PaintRow(painter, area, line, rowInLine);
    const bool caretHere =
        caret_.line == line && ReceiveRowOf(*text_, line, caret_.byte, Columns()) == rowInLine;
    if (caretHere && !preedit_.isEmpty()) {
        PaintPreedit(painter, area, begin, end);
    }
    if (caretHere && hasFocus() && blink_.Shown()) {
        const int x = CaretRect().x();
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}

// The text being composed shows underlined at the caret, pushing the rest of
// the row to the right, as if it were already typed.
void TSendBox::PaintPreedit(QPainter& painter, const QRect& area, size_t rowStart, size_t rowEnd) {
    const int x = XOf(caret_, rowStart);
    const int baseline = area.top() + fontMetrics().ascent();
    painter.save();
    painter.fillRect(QRect(QPoint(x, area.top()), area.bottomRight()),
                     palette().brush(QPalette::Base));
    painter.drawText(x + fontMetrics().horizontalAdvance(preedit_), baseline,
                     ShownText(text_->LineBytes(caret_.line, caret_.byte, rowEnd - caret_.byte)));
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.drawText(x, baseline, preedit_);
    painter.restore();
}
