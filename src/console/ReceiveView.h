#pragma once
// A read-only, wrapping view of a TReceiveTextStore: the receive box, and the
// drawing half of the send box.
//
// Several views can show one store (the data panel and the floating window);
// each shows the lines from its own first line on, so one can be cleared
// while the other keeps its text. Only visible rows are rendered, and new
// lines extend a row index instead of re-laying out the whole text.

#include <QAbstractScrollArea>

class QPainter;

#include <cstdint>
#include <vector>

#include "console/ReceiveTextStore.h"

class TReceiveView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    TReceiveView(const TReceiveTextStore& store, QWidget* parent = nullptr);

    // Shows the store's lines from `line` on (the lines before are no longer
    // this view's text). Showing from the same line again only takes in the
    // store's new text, at the cost of that text.
    void ShowFrom(uint64_t line);
    uint64_t FirstShownLine() const { return firstShown_; }
    // Shows nothing of what the store holds so far.
    void ClearText() { ShowFrom(store_.EndLine()); }

    // Takes in what the store gained since the last call. A view scrolled to
    // the bottom follows the new text.
    void StoreChanged();

    // Width of the text in columns of the view's font.
    int Columns() const { return columns_; }
    // Rows the shown text takes at the current width.
    uint64_t RowCount();
    // The shown text row by row, as laid out on screen.
    QStringList Rows();

  protected:
    static constexpr int kTextMargin = 3;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Draws row `rowInLine` of `line` into `area`, one row high.
    virtual void PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine);

    // Lines from `line` on were edited: their rows are measured again.
    void LinesChangedFrom(uint64_t line);
    // The first row of a shown line, and the shown line holding `row` with
    // the row's index inside that line.
    uint64_t FirstRowOf(uint64_t line) const;
    std::pair<uint64_t, size_t> LocateRow(uint64_t row);
    void UpdateScrollBar(bool followTail);
    int RowHeight() const;
    int VisibleRows() const;

  private:
    void UpdateColumns();
    void RebuildRowIndex();
    void ExtendRowIndex() const;
    bool AtBottom() const;

    const TReceiveTextStore& store_;
    uint64_t firstShown_ = 0;
    int columns_ = 80;
    // rowStarts_[i] is the first row of shown line firstShown_ + i; lines
    // beyond the index's end are added by ExtendRowIndex. The index is a
    // cache of the store's line lengths, so const callers may extend it.
    mutable std::vector<uint64_t> rowStarts_;
    mutable uint64_t totalRows_ = 0;
};
