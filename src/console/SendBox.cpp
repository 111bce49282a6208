#include "console/SendBox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <functional>

#include "console/ReceiveRows.h"
#include "platform/Gbk.h"

namespace {

// GBK bytes of a text with '\n' line breaks, with CR LF breaks instead.
std::string GbkWithCrLf(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return Utf8ToGbk(withCrLf.toStdString());
}

}  // namespace

TSendBox::TSendBox(QWidget* parent) : TSendBox(std::make_unique<TReceiveTextStore>(), parent) {}

TSendBox::TSendBox(std::unique_ptr<TReceiveTextStore> text, QWidget* parent)
    : TReceiveView(*text, parent), text_(std::move(text)) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    SetText({});
}

TSendBox::~TSendBox() = default;

QString TSendBox::Text() const {
    QString text = ReceivedTextForDisplay(Bytes());
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string TSendBox::Bytes() const {
    return BytesBetween(Start(), End());
}

std::string TSendBox::BytesBetween(TTextPosition from, TTextPosition to) const {
    std::string bytes;
    for (uint64_t line = from.line; line <= to.line; ++line) {
        const size_t begin = line == from.line ? from.byte : 0;
        const size_t end = line == to.line ? to.byte : text_->LineLength(line);
        bytes += text_->LineBytes(line, begin, end - begin);
        bytes += line < to.line ? "\r\n" : "";
    }
    return bytes;
}

bool TSendBox::IsEmpty() const {
    return End() == Start();
}

void TSendBox::SetText(const QString& text) {
    text_->Clear();
    // An empty store gets its one line from the append.
    text_->AppendBlock(GbkWithCrLf(text), TLineKind::Text, true);
    caret_ = anchor_ = Start();
    ForgetEdits();
    TextChangedFrom(text_->FirstLine());
}

void TSendBox::AppendText(const QString& text) {
    AppendReceived(GbkWithCrLf(text), true);
}

void TSendBox::AppendReceived(std::string_view bytes, bool lineStaysOpen) {
    const TTextPosition oldEnd = End();
    TTextPosition end = text_->Insert(oldEnd, bytes);
    if (!lineStaysOpen) {
        end = text_->Insert(end, "\r\n");
    }
    // The user's edits are not undone across text they did not make.
    ForgetEdits();
    // Like a text box's cursor at the insertion point, an end at the end moves on.
    for (TTextPosition* place : {&caret_, &anchor_}) {
        if (*place == oldEnd) {
            *place = end;
        }
    }
    StoreChanged();
}

QString TSendBox::SelectedText() const {
    QString text = ReceivedTextForDisplay(BytesBetween(SelectionStart(), SelectionEnd()));
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void TSendBox::SelectAll() {
    anchor_ = Start();
    caret_ = End();
    viewport()->update();
}

void TSendBox::Copy() const {
    if (caret_ != anchor_) {
        QApplication::clipboard()->setText(SelectedText());
    }
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

void TSendBox::ReplaceSelection(std::string_view bytes) {
    if (caret_ == anchor_ && bytes.empty()) {
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
    TEdit revert{edit.from, {}, BytesBetween(edit.from, edit.to)};
    text_->Erase(edit.from, edit.to);
    revert.to = text_->Insert(edit.from, edit.bytes);
    caret_ = anchor_ = revert.to;
    TextChangedFrom(edit.from.line);
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
}

TTextPosition TSendBox::End() const {
    const uint64_t last = text_->EndLine() - 1;
    return {last, text_->LineLength(last)};
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
    const size_t column =
        caret_.byte - ReceiveRowSpan(*text_, caret_.line, rowInLine, Columns()).first;
    const int64_t lastRow = static_cast<int64_t>(RowCount()) - 1;
    const int64_t here = static_cast<int64_t>(FirstRowOf(caret_.line) + rowInLine);
    const auto [line, targetRow] =
        LocateRow(static_cast<uint64_t>(std::clamp<int64_t>(here + rows, 0, lastRow)));
    const auto [begin, end] = ReceiveRowSpan(*text_, line, targetRow, Columns());
    // Only the last row of a line can hold the place at its very end.
    const bool lastRowOfLine = targetRow + 1 == ReceiveRowCount(*text_, line, Columns());
    size_t byte = std::min(begin + column, lastRowOfLine || end == begin ? end : end - 1);
    if (IsInsideDoubleByte(*text_, line, byte)) {
        --byte;
    }
    return {line, byte};
}

TTextPosition TSendBox::PlaceAt(const QPoint& point) {
    const int64_t lastRow = static_cast<int64_t>(RowCount()) - 1;
    // Above the viewport is the row before the first shown, so a drag upwards scrolls.
    const int rowsDown = point.y() < 0 ? -1 : point.y() / RowHeight();
    const int64_t row = std::clamp<int64_t>(verticalScrollBar()->value() + rowsDown, 0, lastRow);
    const auto [line, rowInLine] = LocateRow(static_cast<uint64_t>(row));
    const auto [begin, end] = ReceiveRowSpan(*text_, line, rowInLine, Columns());
    // The nearest character boundary: past a character's middle is after it.
    TTextPosition at{line, begin};
    while (at.byte < end) {
        const TTextPosition next{line, NextCharacter(*text_, line, at.byte)};
        if ((XOf(at, begin) + XOf(next, begin)) / 2 > point.x()) {
            break;
        }
        at = next;
    }
    return at;
}

int TSendBox::XOf(TTextPosition at, size_t rowStart) const {
    const std::string bytes = text_->LineBytes(at.line, rowStart, at.byte - rowStart);
    return kTextMargin + fontMetrics().horizontalAdvance(ShownText(bytes));
}

void TSendBox::MoveCaretTo(TTextPosition at, bool select) {
    caret_ = at;
    if (!select) {
        anchor_ = at;
    }
    EnsureCaretVisible();
    viewport()->update();
}

void TSendBox::EnsureCaretVisible() {
    QScrollBar* bar = verticalScrollBar();
    const auto row = static_cast<int64_t>(
        FirstRowOf(caret_.line) + ReceiveRowOf(*text_, caret_.line, caret_.byte, Columns()));
    if (row < bar->value()) {
        bar->setValue(static_cast<int>(row));
    } else if (row >= bar->value() + VisibleRows()) {
        bar->setValue(static_cast<int>(row - VisibleRows() + 1));
    }
    viewport()->update();
}

bool TSendBox::MoveCaret(QKeyEvent* event) {
    struct TMove {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey select;
        std::function<TTextPosition()> target;
    };
    const TMove moves[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar,
         [this] { return After(caret_); }},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar,
         [this] { return Before(caret_); }},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine,
         [this] { return RowsAway(1); }},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine,
         [this] { return RowsAway(-1); }},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage,
         [this] { return RowsAway(VisibleRows()); }},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage,
         [this] { return RowsAway(-VisibleRows()); }},
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
            MoveCaretTo(move.target(), event->matches(move.select));
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
    } else if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Paste)) {
        Paste();
    } else if (event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Delete)) {
        // Without a selection the key takes the character before or after the caret.
        if (caret_ == anchor_) {
            anchor_ = event->key() == Qt::Key_Backspace ? Before(caret_) : After(caret_);
        }
        DeleteSelection();
    } else if (!event->text().isEmpty() && event->text().front().isPrint()) {
        ReplaceSelection(GbkWithCrLf(event->text()));
    } else {
        return false;
    }
    return true;
}

void TSendBox::keyPressEvent(QKeyEvent* event) {
    if (MoveCaret(event) || Edit(event)) {
        event->accept();
    } else {
        TReceiveView::keyPressEvent(event);
    }
}

void TSendBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MoveCaretTo(PlaceAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    }
}

void TSendBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        MoveCaretTo(PlaceAt(event->position().toPoint()), true);
    }
}

void TSendBox::contextMenuEvent(QContextMenuEvent* event) {
    const bool selected = caret_ != anchor_;
    QMenu menu(this);
    menu.addAction(tr("&Undo"), this, &TSendBox::Undo)->setEnabled(!undo_.empty());
    menu.addAction(tr("&Redo"), this, &TSendBox::Redo)->setEnabled(!redo_.empty());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &TSendBox::Cut)->setEnabled(selected);
    menu.addAction(tr("&Copy"), this, &TSendBox::Copy)->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, &TSendBox::Paste)
        ->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("Delete"), this, &TSendBox::DeleteSelection)->setEnabled(selected);
    menu.addSeparator();
    menu.addAction(tr("Select All"), this, &TSendBox::SelectAll)->setEnabled(!IsEmpty());
    menu.exec(event->globalPos());
}

void TSendBox::focusInEvent(QFocusEvent* event) {
    TReceiveView::focusInEvent(event);
    viewport()->update();
}

void TSendBox::focusOutEvent(QFocusEvent* event) {
    TReceiveView::focusOutEvent(event);
    viewport()->update();
}

void TSendBox::PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine) {
    const auto [begin, end] = ReceiveRowSpan(*text_, line, rowInLine, Columns());
    const TTextPosition from = std::max(SelectionStart(), TTextPosition{line, begin});
    const TTextPosition to = std::min(SelectionEnd(), TTextPosition{line, end});
    TReceiveView::PaintRow(painter, area, line, rowInLine);
    if (from < to) {
        const QRect selected(QPoint(XOf(from, begin), area.top()),
                             QPoint(XOf(to, begin) - 1, area.bottom()));
        painter.save();
        painter.fillRect(selected, palette().brush(QPalette::Highlight));
        painter.setClipRect(selected);
        painter.setPen(palette().color(QPalette::HighlightedText));
        TReceiveView::PaintRow(painter, area, line, rowInLine);
        painter.restore();
    }
    const bool caretHere =
        caret_.line == line && ReceiveRowOf(*text_, line, caret_.byte, Columns()) == rowInLine;
    if (hasFocus() && caretHere) {
        const int x = XOf(caret_, begin);
        painter.drawLine(x, area.top(), x, area.bottom());
    }
}
