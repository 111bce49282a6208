#pragma once
// The text a receive or send box shows to accessibility tools: its lines as
// the box shows them (GBK decoded, hex lines as their pairs, control
// characters as visible symbols), joined by '\n', and a map between
// character offsets in it and places in the line store.
//
// A box can hold hundreds of megabytes, more than a screen reader can use
// and more than can be decoded without stalling the window, so the text is
// at most its last kMaxCharacters characters, starting at a line where it
// can. The map keeps a mark every few hundred bytes, so turning an offset
// into a place decodes no more than that.
//
// A window is a snapshot: once the store changes, build a new one.

#include <QString>

#include <cstdint>
#include <vector>

#include "console/LineTextStore.h"

class TAccessibleTextWindow {
  public:
    static constexpr size_t kMaxCharacters = size_t{1} << 20;

    // The store's lines from `firstLine` on, the last kMaxCharacters
    // characters of them at most (`maxCharacters` for tests).
    TAccessibleTextWindow(const TLineTextStore& store, uint64_t firstLine,
                          size_t maxCharacters = kMaxCharacters);

    const QString& Text() const { return text_; }
    int CharacterCount() const { return static_cast<int>(text_.size()); }
    // Where the text starts and ends in the store.
    TTextPosition Start() const { return start_; }
    TTextPosition End() const { return end_; }

    // The offset of a place; places before the text give 0, after it its end.
    int OffsetOf(TTextPosition at) const;
    // The place before the character at `offset` (clamped to the text); an
    // offset on a line break or inside a hex pair gives the place before it.
    TTextPosition PositionAt(int offset) const;
    // The offset at which the text from place `at` starts, when `at` is where
    // one of the window's marks is (every line start is one); otherwise -1.
    int MarkOffset(TTextPosition at) const;

  private:
    // A place in the store and the offset of its text.
    struct TMark {
        TTextPosition at;
        int offset;
    };

    void AddLine(uint64_t line, size_t fromByte);
    // The mark at or before `at`, or before `offset`.
    const TMark& MarkAt(TTextPosition at) const;
    const TMark& MarkBefore(int offset) const;
    // Where the bytes of `mark` end: the next mark on its line, or the line's end.
    size_t MarkEnd(const TMark& mark) const;

    const TLineTextStore& store_;
    TTextPosition start_;
    TTextPosition end_;
    QString text_;
    std::vector<TMark> marks_;
};

// How a text changed: at `position`, `removed` went and `inserted` came.
struct TTextChange {
    int position = 0;
    QString removed;
    QString inserted;
};

// The changes that turn the text of `before` into that of `after`: first
// the lines dropped at the front (when the box outgrew the window), then the
// one stretch between what the two texts share at their start and at their
// end.
std::vector<TTextChange> TextChanges(const TAccessibleTextWindow& before,
                                     const TAccessibleTextWindow& after);
