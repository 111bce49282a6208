#pragma once
// The send box: an editable text box whose text is kept as GBK bytes in a
// line store, like the receive box's.
//
// Every received block is also appended here, so on a busy line this box
// grows as fast as the receive box. A document-based text edit costs several
// bytes of memory per received byte and a layout pass per block; keeping the
// bytes and drawing only the rows on screen keeps both close to the receive
// box's. The user still types (through an input method too), selects,
// copies, cuts, pastes and deletes as in any text box; the text is what
// "发送" sends.

#include <QString>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/CaretBlink.h"
#include "console/LineStoreView.h"
#include "console/LineTextStore.h"
#include "console/TextBound.h"

class TSendBox : public TLineStoreView {
    Q_OBJECT
  public:
    explicit TSendBox(QWidget* parent = nullptr);
    ~TSendBox() override;

    // The text, lines joined by '\n'.
    QString Text() const;
    // The text as sent: GBK bytes with CR LF line breaks.
    std::string Bytes() const;
    bool IsEmpty() const;
    // Replaces the whole text; the caret goes to the start.
    void SetText(const QString& text);
    // Adds text at the end, where a caret or selection end at the end follows it.
    void AppendText(const QString& text);
    // Adds a received block at the end, on a line of its own: a line break
    // goes before it unless the box ends with one or the block continues
    // the line the block before left open, and one follows it unless its
    // own line stays open. The received blocks split into lines as one
    // stream until an edit comes between (see TLineSplitter).
    void AppendReceived(std::string_view bytes, bool lineStaysOpen);
    // Most bytes the box keeps: text appended to it (received blocks, the
    // time F5 adds) pushes out the oldest lines beyond it (see TTextBound).
    // The user's own edits never cut text.
    void SetByteLimit(std::int64_t bytes) { bound_.SetBytes(bytes); }

    // The selected text, lines joined by '\n' as in Text().
    QString SelectedText() const override;

    void Cut();
    void Paste();
    void DeleteSelection();
    // Replaces the text from `from` to `to`, as pasting over a selection
    // would: an edit the user can undo.
    void Replace(TTextPosition from, TTextPosition to, const QString& text);
    // Undo and redo the user's edits since the text was last set or received.
    void Undo();
    void Redo();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  protected:
    TSendBox(std::unique_ptr<TLineTextStore> text, QWidget* parent);

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void PaintRow(QPainter& painter, const QRect& area, uint64_t line, size_t rowInLine) override;
    void SelectionChanged() override;
    // The caret's row spans bytes [rowStart, rowEnd).
    void PaintPreedit(QPainter& painter, const QRect& area, size_t rowStart, size_t rowEnd);
    TCaretBlink& CaretBlink() { return blink_; }

  private:
    // Replacing the bytes from `from` up to `to` with `bytes`.
    struct TEdit {
        TTextPosition from;
        TTextPosition to;
        std::string bytes;
    };

    // The place one character after or before `at`, crossing line ends.
    TTextPosition After(TTextPosition at) const;
    TTextPosition Before(TTextPosition at) const;
    // The place `rows` screen rows below (or above, when negative) the caret,
    // as near to the column the vertical moves started from as that row reaches.
    TTextPosition RowsAway(int64_t rows);
    // Places `count` characters after `at`, or before it when negative.
    TTextPosition CharactersAway(TTextPosition at, int count) const;
    TTextPosition NextWord(TTextPosition at) const;
    TTextPosition PreviousWord(TTextPosition at) const;
    bool MoveCaret(QKeyEvent* event);
    bool Edit(QKeyEvent* event);
    // Deletes the selection, or else from the caret to `to`.
    void DeleteTo(TTextPosition to);
    // Enters typed or input-method text, replacing the selection.
    void Type(const QString& text);
    // The caret's rectangle in the viewport, after any text being composed.
    QRect CaretRect() const;
    void CaretChanged();
    // Replaces the selection with GBK bytes, as typing, pasting and deleting do.
    void ReplaceSelection(std::string_view bytes);
    // Makes an edit, leaving the caret after its bytes, and returns the edit
    // that reverts it.
    TEdit Apply(const TEdit& edit);
    void ForgetEdits();
    void TextChangedFrom(uint64_t line);
    // Text was added at the end, which moved from `oldEnd` to `newEnd`.
    void Appended(TTextPosition oldEnd, TTextPosition newEnd);

    std::unique_ptr<TLineTextStore> text_;
    // The received blocks as one stream since the last edit: how it splits,
    // and where it left the end of the box while its last line stays open.
    struct TReceivedStream {
        TLineSplitter stream;
        std::optional<TTextPosition> openEnd;
    };
    TReceivedStream received_;
    std::vector<TEdit> undo_;
    std::vector<TEdit> redo_;
    // Pixel column that up and down keep to through shorter rows.
    std::optional<int> goalX_;
    // Text an input method is composing at the caret, and its cursor in it.
    QString preedit_;
    int preeditCursor_ = 0;
    TCaretBlink blink_;
    TTextBound bound_;
};
