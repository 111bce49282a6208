#include "console/LineStoreView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

#include "console/AccessibleText.h"
#include "console/ReceiveRows.h"
#include "console/TextBetween.h"
#include "console/TextBoxAccessible.h"
#include "console/TextWords.h"

namespace {

// Pace of scrolling while a selection is dragged past the box's edge.
constexpr int kDragScrollMs = 50;

// Sets `bar` to scroll `rows` rows of which `visibleRows` fit, at the end when
// `followTail`.
void SetScrollRange(QScrollBar& bar, uint64_t rows, int visibleRows, bool followTail) {
    constexpr uint64_t kMaxRange = std::numeric_limits<int>::max();
    const auto visible = static_cast<uint64_t>(visibleRows);
    const uint64_t range = rows > visible ? rows - visible : 0;
    bar.setPageStep(visibleRows);
    bar.setSingleStep(1);
    bar.setMaximum(static_cast<int>(std::min(range, kMaxRange)));
    if (followTail) {
        bar.setValue(bar.maximum());
    }
}

}  // namespace

TLineStoreView::TLineStoreView(const TLineTextStore& store, QWidget* parent)
    : QAbstractScrollArea(parent),
      store_(store),
      firstShown_(store.EndLine()),
      accessible_(new TAccessibleText(*this)) {
    static const bool accessibilityInstalled = (TTextBoxAccessible::Install(), true);
    Q_UNUSED(accessibilityInstalled);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    // The bar moves with every line that arrives; filling its own background
    // makes it opaque, so the window, group box and frame behind it are not
    // painted again each time.
    verticalScrollBar()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(&dragScroll_, &QTimer::timeout, this, [this] {
        MoveCaretTo(PlaceAt(dragPoint_, TPick::NearestBoundary), true);
        EnsureCaretVisible();
    });
    UpdateColumns();
}

void TLineStoreView::ShowFrom(uint64_t line) {
    FollowDroppedText();
    line = std::clamp(line, store_.FirstLine(), store_.EndLine());
    if (line == firstShown_) {
        StoreChanged();
        return;
    }
    firstShown_ = line;
    cutSeen_ = line == store_.FirstLine() ? store_.FirstLineCut() : 0;
    Deselect();
    RebuildRowIndex();
    UpdateScrollBar(true);
    accessible_->TextChanged(false);
}

void TLineStoreView::StoreChanged() {
    accessible_->TextChanged(false);
    const bool follow = AtBottom();
    FollowDroppedText();
    // The last row may have grown; every row after it is new.
    const uint64_t firstChangedRow = rows_.Rows() > 0 ? rows_.Rows() - 1 : 0;
    const int shownFrom = verticalScrollBar()->value();
    ExtendRowIndex();
    SetScrollRange(*verticalScrollBar(), rows_.Rows(), VisibleRows(), follow);
    // Text that lands below the rows on screen changes nothing there: a box
    // the user scrolled up to read stays still while the line runs on.
    const int shownTo = shownFrom + VisibleRows();
    if (verticalScrollBar()->value() != shownFrom ||
        firstChangedRow < static_cast<uint64_t>(std::max(shownTo, 0))) {
        viewport()->update();
    }
}

// The rows of the text that went leave the index and the scroll position,
// so the text on screen stays where it is; a selection keeps what is left
// of it. Costs only the lines that went.
void TLineStoreView::FollowDroppedText() {
    const uint64_t first = store_.FirstLine();
    const bool linesWent = firstShown_ < first;
    if (!linesWent && (firstShown_ > first || cutSeen_ == store_.FirstLineCut())) {
        return;
    }
    uint64_t rowsGone = 0;
    if (linesWent) {
        rowsGone = rows_.DropFront(
            static_cast<size_t>(std::min<uint64_t>(first - firstShown_, rows_.Lines())));
        firstShown_ = first;
        caret_ = std::max(caret_, Start());
        anchor_ = std::max(anchor_, Start());
        cutSeen_ = 0;
    }
    rowsGone += FollowCutFirstLine(store_.FirstLineCut() - cutSeen_);
    cutSeen_ = store_.FirstLineCut();
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - static_cast<int>(std::min<uint64_t>(
                                     rowsGone, static_cast<uint64_t>(bar->value()))));
    viewport()->update();
}

uint64_t TLineStoreView::FollowCutFirstLine(uint64_t cut) {
    if (cut == 0 || !HasText()) {
        return 0;
    }
    caret_ = store_.AfterCut(caret_, cutSeen_);
    anchor_ = store_.AfterCut(anchor_, cutSeen_);
    const uint64_t first = firstShown_;
    const size_t rows = ReceiveRowCount(store_, first, columns_);
    // The index may not have measured the line since it last grew, so the
    // rows gone are counted from its length before the cut.
    const size_t rowsBefore = ReceiveRowCount(
        store_, first, store_.LineLength(first) + static_cast<size_t>(cut), columns_);
    if (rows_.Lines() > 1) {
        rows_.ShrinkFirst(rows);
    } else {
        rows_.Clear();
    }
    return rowsBefore - rows;
}

void TLineStoreView::LinesChangedFrom(uint64_t line) {
    FollowDroppedText();
    rows_.Truncate(static_cast<size_t>(std::max(line, firstShown_) - firstShown_));
    ExtendRowIndex();
}

uint64_t TLineStoreView::FirstRowOf(uint64_t line) const {
    ExtendRowIndex();
    return rows_.Start(static_cast<size_t>(line - firstShown_));
}

uint64_t TLineStoreView::RowCount() {
    ExtendRowIndex();
    return rows_.Rows();
}

QStringList TLineStoreView::Rows() {
    QStringList rows;
    for (uint64_t line = firstShown_; line < store_.EndLine(); ++line) {
        const size_t count = ReceiveRowCount(store_, line, columns_);
        for (size_t row = 0; row < count; ++row) {
            rows.append(ReceiveRowText(store_, line, row, columns_));
        }
    }
    return rows;
}

void TLineStoreView::RebuildRowIndex() {
    rows_.Clear();
    ExtendRowIndex();
}

// The last indexed line may have grown since it was indexed, so it is
// measured again together with the lines added after it.
void TLineStoreView::ExtendRowIndex() const {
    if (rows_.Lines() > 0) {
        rows_.Truncate(rows_.Lines() - 1);
    }
    for (uint64_t line = firstShown_ + rows_.Lines(); line < store_.EndLine(); ++line) {
        rows_.Append(ReceiveRowCount(store_, line, columns_));
    }
}

std::pair<uint64_t, size_t> TLineStoreView::LocateRow(uint64_t row) {
    ExtendRowIndex();
    const auto [index, rowInLine] = rows_.Locate(row);
    return {firstShown_ + index, static_cast<size_t>(rowInLine)};
}

int TLineStoreView::RowHeight() const {
    return fontMetrics().lineSpacing();
}

int TLineStoreView::VisibleRows() const {
    return std::max(1, viewport()->height() / RowHeight());
}

bool TLineStoreView::AtBottom() const {
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void TLineStoreView::UpdateScrollBar(bool followTail) {
    SetScrollRange(*verticalScrollBar(), rows_.Rows(), VisibleRows(), followTail);
    viewport()->update();
}

void TLineStoreView::UpdateColumns() {
    const int charWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const int columns = std::max(1, (viewport()->width() - 2 * kTextMargin) / charWidth);
    if (columns != columns_) {
        columns_ = columns;
        RebuildRowIndex();
    }
}

void TLineStoreView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool follow = AtBottom();
    UpdateColumns();
    UpdateScrollBar(follow);
}

void TLineStoreView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateColumns();
        UpdateScrollBar(AtBottom());
    }
}

void TLineStoreView::paintEvent(QPaintEvent*) {
    ExtendRowIndex();
    QPainter painter(viewport());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const int rowHeight = RowHeight();
    uint64_t row = static_cast<uint64_t>(verticalScrollBar()->value());
    for (int y = 0; y < viewport()->height() && row < rows_.Rows(); y += rowHeight, ++row) {
        const auto [line, rowInLine] = LocateRow(row);
        PaintRow(painter, QRect(0, y, viewport()->width(), rowHeight), line, rowInLine);
    }
}

void TLineStoreView::PaintRow(QPainter& painter, const QRect& area, uint64_t line,
                              size_t rowInLine) {
    const QString text = ReceiveRowText(store_, line, rowInLine, columns_);
    painter.drawText(kTextMargin, area.top() + fontMetrics().ascent(), text);
    if (HasSelection()) {
        PaintSelection(painter, area, line, rowInLine, text);
    }
}

// The selected part of the row's `text` is drawn again over its highlight,
// clipped to it.
void TLineStoreView::PaintSelection(QPainter& painter, const QRect& area, uint64_t line,
                                    size_t rowInLine, const QString& text) {
    const auto [begin, end] = ReceiveRowSpan(store_, line, rowInLine, columns_);
    const TTextPosition from = std::max(SelectionStart(), TTextPosition{line, begin});
    const TTextPosition to = std::min(SelectionEnd(), TTextPosition{line, end});
    if (from >= to) {
        return;
    }
    const QRect selected(QPoint(XOf(from, begin), area.top()),
                         QPoint(XOf(to, begin) - 1, area.bottom()));
    painter.save();
    painter.fillRect(selected, palette().brush(QPalette::Highlight));
    painter.setClipRect(selected);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(kTextMargin, area.top() + fontMetrics().ascent(), text);
    painter.restore();
}

TTextPosition TLineStoreView::End() const {
    const uint64_t last = store_.EndLine() - 1;
    return {last, store_.LineLength(last)};
}

QString TLineStoreView::SelectedText() const {
    return ShownTextBetween(SelectionStart(), SelectionEnd());
}

QString TLineStoreView::ShownTextBetween(TTextPosition from, TTextPosition to,
                                         std::optional<std::string_view> lineBreak) const {
    return ReceivedTextForDisplay(TextBytesBetween(store_, from, to, lineBreak));
}

void TLineStoreView::SelectAll() {
    if (HasText()) {
        Select(Start(), End());
    }
}

void TLineStoreView::Copy() const {
    if (HasSelection()) {
        QApplication::clipboard()->setText(SelectedText());
    }
}

void TLineStoreView::Select(TTextPosition from, TTextPosition to) {
    anchor_ = from;
    caret_ = to;
    viewport()->update();
    SelectionChanged();
}

void TLineStoreView::SelectionChanged() {
    accessible_->CaretMoved();
}

void TLineStoreView::SetSelection(TTextPosition anchor, TTextPosition caret) {
    const auto inText = [this](TTextPosition at) {
        return HasText() ? std::clamp(at, Start(), End()) : Start();
    };
    Select(inText(anchor), inText(caret));
    EnsureCaretVisible();
}

QRect TLineStoreView::CharacterRect(TTextPosition at) {
    if (!HasText()) {
        return {kTextMargin, 0, 1, RowHeight()};
    }
    at = std::clamp(at, Start(), End());
    const size_t rowInLine = ReceiveRowOf(store_, at.line, at.byte, columns_);
    const size_t rowStart = ReceiveRowSpan(store_, at.line, rowInLine, columns_).first;
    const auto row =
        static_cast<int64_t>(FirstRowOf(at.line) + rowInLine) - verticalScrollBar()->value();
    const int left = XOf(at, rowStart);
    const bool lineEnd = at.byte >= store_.LineLength(at.line);
    const int right =
        lineEnd ? left + 1 : XOf({at.line, NextCharacter(store_, at.line, at.byte)}, rowStart);
    const auto top = static_cast<int>(std::clamp<int64_t>(row * RowHeight(), -(1 << 20), 1 << 20));
    return {left, top, std::max(1, right - left), RowHeight()};
}

void TLineStoreView::Deselect() {
    caret_ = anchor_ = Start();
    viewport()->update();
}

// The whole line with its break, as a triple click takes it.
void TLineStoreView::SelectLine(uint64_t line) {
    Select({line, 0}, line + 1 < store_.EndLine() ? TTextPosition{line + 1, 0}
                                                  : TTextPosition{line, store_.LineLength(line)});
}

void TLineStoreView::ScrollToShow(TTextPosition at) {
    if (!HasText()) {
        return;
    }
    at = std::clamp(at, Start(), End());
    QScrollBar* bar = verticalScrollBar();
    const auto row = static_cast<int64_t>(FirstRowOf(at.line) +
                                          ReceiveRowOf(store_, at.line, at.byte, columns_));
    if (row < bar->value()) {
        bar->setValue(static_cast<int>(row));
    } else if (row >= bar->value() + VisibleRows()) {
        bar->setValue(static_cast<int>(row - VisibleRows() + 1));
    }
    viewport()->update();
}

TTextPosition TLineStoreView::PlaceAt(const QPoint& point, TPick pick) {
    const int64_t lastRow = static_cast<int64_t>(RowCount()) - 1;
    // Above the viewport is the row before the first shown, so a drag upwards scrolls.
    const int rowsDown = point.y() < 0 ? -1 : point.y() / RowHeight();
    const int64_t row = std::clamp<int64_t>(verticalScrollBar()->value() + rowsDown, 0, lastRow);
    return PlaceInRow(static_cast<uint64_t>(row), point.x(), pick);
}

TTextPosition TLineStoreView::PlaceInRow(uint64_t row, int x, TPick pick) {
    const auto [line, rowInLine] = LocateRow(row);
    const auto [begin, end] = ReceiveRowSpan(store_, line, rowInLine, columns_);
    // Only the last row of a line can hold the place at its very end; on
    // other rows that place shows at the start of the next row.
    const bool lastRowOfLine = rowInLine + 1 == ReceiveRowCount(store_, line, columns_);
    const size_t last = lastRowOfLine || end == begin ? end : PreviousCharacter(store_, line, end);
    TTextPosition at{line, begin};
    while (at.byte < last) {
        const TTextPosition next{line, NextCharacter(store_, line, at.byte)};
        // Past a character's middle is nearer the place after it.
        const int limit = pick == TPick::NearestBoundary ? (XOf(at, begin) + XOf(next, begin)) / 2
                                                         : XOf(next, begin);
        if (limit > x) {
            break;
        }
        at = next;
    }
    return at;
}

int TLineStoreView::XOf(TTextPosition at, size_t rowStart) const {
    return kTextMargin +
           fontMetrics().horizontalAdvance(ReceiveSpanText(store_, at.line, rowStart, at.byte));
}

bool TLineStoreView::SelectionKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else {
        return false;
    }
    return true;
}

void TLineStoreView::keyPressEvent(QKeyEvent* event) {
    if (SelectionKey(event)) {
        event->accept();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void TLineStoreView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !HasText()) {
        return;
    }
    const QPoint point = event->position().toPoint();
    pressPoint_ = point;
    selectedWhole_ = tripleClick_.IsThirdClick(point);
    if (selectedWhole_) {
        SelectLine(PlaceAt(point, TPick::NearestBoundary).line);
    } else {
        MoveCaretTo(PlaceAt(point, TPick::NearestBoundary), event->modifiers() & Qt::ShiftModifier);
    }
}

void TLineStoreView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !HasText()) {
        return;
    }
    const QPoint point = event->position().toPoint();
    tripleClick_.DoubleClicked(point);
    selectedWhole_ = true;
    const TTextPosition at = PlaceAt(point, TPick::CharacterStart);
    const auto [from, to] = WordAround(store_, at.line, at.byte);
    Select({at.line, from}, {at.line, to});
}

void TLineStoreView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !HasText()) {
        return;
    }
    const QPoint point = event->position().toPoint();
    // A hand that shakes a little while clicking keeps the word or line it chose.
    if (selectedWhole_ &&
        (point - pressPoint_).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    selectedWhole_ = false;
    dragPoint_ = point;
    MoveCaretTo(PlaceAt(point, TPick::NearestBoundary), true);
    EnsureCaretVisible();
    // Held above or below the box, the selection goes on growing and scrolling.
    if (point.y() >= 0 && point.y() < viewport()->height()) {
        dragScroll_.stop();
    } else if (!dragScroll_.isActive()) {
        dragScroll_.start(kDragScrollMs);
    }
}

void TLineStoreView::mouseReleaseEvent(QMouseEvent*) {
    dragScroll_.stop();
}

void TLineStoreView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("复制"), this, &TLineStoreView::Copy)->setEnabled(HasSelection());
    menu.addAction(tr("全选"), this, &TLineStoreView::SelectAll)->setEnabled(HasText());
    menu.exec(event->globalPos());
}
