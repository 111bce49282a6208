#pragma once
// What accessibility tools see of the receive and send boxes: a multi-line
// text (read-only for the receive boxes, editable for the send box) with
// Qt's text interfaces, so a screen reader or a UI-automation tool reads,
// selects and edits it like any text box. The text is the box's
// TAccessibleText window: its last megabyte at most.

#include <QAccessibleWidget>

class TAccessibleTextWindow;
class TLineStoreView;
class TSendBox;

class TTextBoxAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit TTextBoxAccessible(TLineStoreView* view);

    // Makes every TLineStoreView (receive and send boxes) answer with this interface.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface, for the send box
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    TLineStoreView* View() const;
    TSendBox* SendBox() const;  // null for a receive box
    const TAccessibleTextWindow& Window() const;
};
