#pragma once
// A read-only, wrapping view of a TLineTextStore: all of the receive box
// (TReceiveView), and the drawing half of the send box (TSendBox).
//
// Several views can show one store (the data panel and the floating window);
// each shows the lines from its own first line on, so one can be cleared
// while the other keeps its text. Only visible rows are rendered, and new
// lines extend a row index instead of re-laying out the whole text.
//
// The user selects text as in any read-only text box: by dragging,
// shift-clicking, double-clicking a word, triple-clicking a line or Ctrl+A,
// and copies it with Ctrl+C or the context menu. A selection is two places
// in the store; new text only appends, so it stays put as text arrives.

#include <QAbstractScrollArea>
#include <QTimer>

class QPainter;
class TAccessibleText;

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "console/LineTextStore.h"
#include "console/RowIndex.h"
#include "console/TripleClick.h"

class TLineStoreView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    TLineStoreView(const TLineTextStore& store, QWidget* parent = nullptr);

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

    // The selection, from its start to its end (equal when nothing is selected).
    TTextPosition SelectionStart() const { return std::min(caret_, anchor_); }
    TTextPosition SelectionEnd() const { return std::max(caret_, anchor_); }
    bool HasSelection() const { return caret_ != anchor_; }
    // The selected text as shown: GBK decoded, hex lines as their pairs, a
    // zero byte as its visible symbol, lines joined by the breaks they
    // arrived with.
    virtual QString SelectedText() const;
    void SelectAll();
    // Puts the selected text on the clipboard; without a selection the
    // clipboard keeps what it has.
    void Copy() const;

    // For accessibility tools: the store shown, the moving end of the
    // selection, selecting, where a place shows and which place a point
    // picks (in viewport pixels), and scrolling a place into view.
    const TLineTextStore& Store() const { return store_; }
    TTextPosition Caret() const { return caret_; }
    void SetSelection(TTextPosition anchor, TTextPosition caret);
    QRect CharacterRect(TTextPosition at);
    TTextPosition PlaceAtPoint(const QPoint& point) {
        return PlaceAt(point, TPick::CharacterStart);
    }
    void ScrollToShow(TTextPosition at);
    TAccessibleText& AccessibleText() { return *accessible_; }

    // Pixels between the box's left edge and its text.
    static constexpr int kTextMargin = 3;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Draws row `rowInLine` of `line` into `area`, one row high, with the
    // selected part highlighted.
    virtual void PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine);
    // Handles Ctrl+A and Ctrl+C; false for other keys.
    bool SelectionKey(QKeyEvent* event);
    // Called after the selection or the caret moved.
    virtual void SelectionChanged();

    // The first and the end place of the shown text.
    TTextPosition Start() const { return {firstShown_, 0}; }
    TTextPosition End() const;
    // The text from `from` to `to` as SelectedText() gives it, lines joined
    // by `lineBreak` when one is given.
    QString ShownTextBetween(TTextPosition from, TTextPosition to,
                             std::optional<std::string_view> lineBreak = std::nullopt) const;
    void Select(TTextPosition from, TTextPosition to);
    // Moves the caret to `at`, extending the selection or leaving none.
    void MoveCaretTo(TTextPosition at, bool select) { Select(select ? anchor_ : at, at); }
    void EnsureCaretVisible() { ScrollToShow(caret_); }

    // Which place a pixel picks: the character boundary nearest to it, or
    // the start of the character under it.
    enum class TPick { NearestBoundary, CharacterStart };
    // The place a point of the viewport picks.
    TTextPosition PlaceAt(const QPoint& point, TPick pick);
    // The place pixel `x` of screen row `row` picks.
    TTextPosition PlaceInRow(uint64_t row, int x, TPick pick);
    // Horizontal pixel of `at` inside its row, which starts at byte `rowStart`.
    int XOf(TTextPosition at, size_t rowStart) const;

    // Lines from `line` on were edited: their rows are measured again.
    void LinesChangedFrom(uint64_t line);
    // The first row of a shown line, and the shown line holding `row` with
    // the row's index inside that line.
    uint64_t FirstRowOf(uint64_t line) const;
    std::pair<uint64_t, size_t> LocateRow(uint64_t row);
    void UpdateScrollBar(bool followTail);
    int RowHeight() const;
    int VisibleRows() const;

    // The moving end of the selection, and the other end.
    TTextPosition caret_;
    TTextPosition anchor_;

  private:
    void UpdateColumns();
    void RebuildRowIndex();
    // Takes in lines the store dropped from the front, and bytes its first
    // line lost.
    void FollowDroppedText();
    // Rows the shown text lost at its front when its first line lost `cut`
    // bytes; the caret and the selection move with the bytes that stay.
    uint64_t FollowCutFirstLine(uint64_t cut);
    void ExtendRowIndex() const;
    bool AtBottom() const;
    bool HasText() const { return firstShown_ < store_.EndLine(); }
    // Drops the selection without moving the view.
    void Deselect();
    void SelectLine(uint64_t line);
    void PaintSelection(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine,
                        const QString& text);

    const TLineTextStore& store_;
    uint64_t firstShown_ = 0;
    // Bytes the store's first line had lost when this view last looked, while
    // that line is the first shown.
    uint64_t cutSeen_ = 0;
    int columns_ = 80;
    // Line i of the index is shown line firstShown_ + i; lines beyond its end
    // are added by ExtendRowIndex. The index is a cache of the store's line
    // lengths, so const callers may extend it.
    mutable TRowIndex rows_;

    TAccessibleText* accessible_;  // owned by this widget
    TTripleClick tripleClick_;
    QPoint pressPoint_;
    // The last click chose a whole word or line.
    bool selectedWhole_ = false;
    // Where a selecting drag is, and the timer that scrolls while it is held
    // outside the box.
    QPoint dragPoint_;
    QTimer dragScroll_;
};
