#include "console/ReceiveView.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

#include "console/ReceiveRows.h"

TReceiveView::TReceiveView(const TReceiveTextStore& store, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store), firstShown_(store.EndLine()) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    UpdateColumns();
}

void TReceiveView::ShowFrom(uint64_t line) {
    line = std::clamp(line, store_.FirstLine(), store_.EndLine());
    if (line == firstShown_) {
        StoreChanged();
        return;
    }
    firstShown_ = line;
    RebuildRowIndex();
    UpdateScrollBar(true);
}

void TReceiveView::StoreChanged() {
    const bool follow = AtBottom();
    if (firstShown_ < store_.FirstLine()) {
        LinesChangedFrom(store_.FirstLine());
    } else {
        ExtendRowIndex();
    }
    UpdateScrollBar(follow);
}

void TReceiveView::LinesChangedFrom(uint64_t line) {
    if (firstShown_ < store_.FirstLine()) {
        firstShown_ = store_.FirstLine();
        line = firstShown_;
    }
    const size_t kept = static_cast<size_t>(std::max(line, firstShown_) - firstShown_);
    if (kept < rowStarts_.size()) {
        totalRows_ = rowStarts_[kept];
        rowStarts_.resize(kept);
    }
    if (rowStarts_.empty()) {
        totalRows_ = 0;
    }
    ExtendRowIndex();
}

uint64_t TReceiveView::FirstRowOf(uint64_t line) const {
    ExtendRowIndex();
    return rowStarts_[static_cast<size_t>(line - firstShown_)];
}

uint64_t TReceiveView::RowCount() {
    ExtendRowIndex();
    return totalRows_;
}

QStringList TReceiveView::Rows() {
    QStringList rows;
    for (uint64_t line = firstShown_; line < store_.EndLine(); ++line) {
        const size_t count = ReceiveRowCount(store_, line, columns_);
        for (size_t row = 0; row < count; ++row) {
            rows.append(ReceiveRowText(store_, line, row, columns_));
        }
    }
    return rows;
}

void TReceiveView::RebuildRowIndex() {
    rowStarts_.clear();
    totalRows_ = 0;
    ExtendRowIndex();
}

// The last indexed line may have grown since it was indexed, so it is
// measured again together with the lines added after it.
void TReceiveView::ExtendRowIndex() const {
    if (!rowStarts_.empty()) {
        totalRows_ = rowStarts_.back();
        rowStarts_.pop_back();
    }
    for (uint64_t line = firstShown_ + rowStarts_.size(); line < store_.EndLine(); ++line) {
        rowStarts_.push_back(totalRows_);
        totalRows_ += ReceiveRowCount(store_, line, columns_);
    }
}

std::pair<uint64_t, size_t> TReceiveView::LocateRow(uint64_t row) {
    ExtendRowIndex();
    const auto next = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), row);
    const auto index = static_cast<size_t>(next - rowStarts_.begin()) - 1;
    return {firstShown_ + index, static_cast<size_t>(row - rowStarts_[index])};
}

int TReceiveView::RowHeight() const {
    return fontMetrics().lineSpacing();
}

int TReceiveView::VisibleRows() const {
    return std::max(1, viewport()->height() / RowHeight());
}

bool TReceiveView::AtBottom() const {
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void TReceiveView::UpdateScrollBar(bool followTail) {
    constexpr uint64_t kMaxRange = std::numeric_limits<int>::max();
    const uint64_t visible = static_cast<uint64_t>(VisibleRows());
    const uint64_t range = totalRows_ > visible ? totalRows_ - visible : 0;
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(static_cast<int>(visible));
    bar->setSingleStep(1);
    bar->setMaximum(static_cast<int>(std::min(range, kMaxRange)));
    if (followTail) {
        bar->setValue(bar->maximum());
    }
    viewport()->update();
}

void TReceiveView::UpdateColumns() {
    const int charWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const int columns = std::max(1, (viewport()->width() - 2 * kTextMargin) / charWidth);
    if (columns != columns_) {
        columns_ = columns;
        RebuildRowIndex();
    }
}

void TReceiveView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool follow = AtBottom();
    UpdateColumns();
    UpdateScrollBar(follow);
}

void TReceiveView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateColumns();
        UpdateScrollBar(AtBottom());
    }
}

void TReceiveView::paintEvent(QPaintEvent*) {
    ExtendRowIndex();
    QPainter painter(viewport());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const int rowHeight = RowHeight();
    uint64_t row = static_cast<uint64_t>(verticalScrollBar()->value());
    for (int y = 0; y < viewport()->height() && row < totalRows_; y += rowHeight, ++row) {
        const auto [line, rowInLine] = LocateRow(row);
        PaintRow(painter, QRect(0, y, viewport()->width(), rowHeight), line, rowInLine);
    }
}

void TReceiveView::PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine) {
    painter.drawText(kTextMargin, area.top() + fontMetrics().ascent(),
                     ReceiveRowText(store_, line, rowInLine, columns_));
}
