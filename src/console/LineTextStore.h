#pragma once
// The text of the receive box and of the send box, kept as GBK bytes: what
// arrived, and in the send box what the user typed.
//
// Lines hold raw bytes and remember how they ended (CR LF, LF or CR, as the
// device sent them) and whether they were received in hexadecimal mode;
// views render only what is on screen. So memory stays close to one byte per
// received byte, and an append costs only the block being added, however much
// is already held. Lines are numbered absolutely: dropping lines from the
// front never renumbers the rest, so views can keep line numbers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/BlockPool.h"
#include "console/LineSplitter.h"

class TBlockStamps;

enum class TLineKind : std::uint8_t { Text, Hex };

// A place between two bytes: byte `byte` of absolute line `line`.
struct TTextPosition {
    uint64_t line = 0;
    size_t byte = 0;
    auto operator<=>(const TTextPosition&) const = default;
};

class TLineTextStore {
  public:
    // Adds a received block. Text blocks are split into lines at CR LF, LF
    // and CR, all text blocks as one stream (see TLineSplitter); a hex block
    // stays one line. When `lineStaysOpen` the next block of the same kind
    // continues the last line (its block was cut, not ended by a pause);
    // otherwise the line is closed and the next block starts a line of its
    // own.
    //
    // With `stamps`, every line that gets bytes starts with the arrival
    // stamp of its last byte so far (rewritten as an open line grows); a
    // line already holding bytes without one gets none, and an empty line
    // none either.
    void AppendBlock(std::string_view bytes, TLineKind kind, bool lineStaysOpen,
                     const TBlockStamps* stamps = nullptr);
    // Closes the last line: the next block starts a new one.
    void CloseLine();

    // Inserts bytes at `at`, a place inside a held line; CR LF, LF and CR in
    // them break the line. Returns the place right after the inserted bytes.
    TTextPosition Insert(TTextPosition at, std::string_view bytes);
    // The same, with the bytes as the next piece of `stream`: an LF they
    // begin with completes a CR that ended the stream's previous piece.
    TTextPosition Insert(TTextPosition at, std::string_view bytes, TLineSplitter& stream);
    // Removes the bytes from `from` up to `to`, joining their lines.
    void Erase(TTextPosition from, TTextPosition to);

    // Absolute numbers of the first line held and one past the last.
    uint64_t FirstLine() const { return firstLine_; }
    uint64_t EndLine() const { return firstLine_ + lines_.size(); }

    TLineKind Kind(uint64_t line) const;
    // Bytes at the start of `line` that show as text whatever its kind: the
    // arrival stamp of a hex line, 0 for every other line.
    size_t TextPrefix(uint64_t line) const;
    // Bytes of the arrival stamp `line` begins with, 0 for a line without one.
    size_t StampLength(uint64_t line) const;
    // How `line` ended. A closed line's own text has no break at its end, so
    // it ends as the device's last break did (CR LF until it sent one; hex
    // lines always with CR LF); a line still open has None.
    TLineEnding Ending(uint64_t line) const;
    size_t LineLength(uint64_t line) const;
    // Up to `count` bytes of `line` from byte `from`.
    std::string LineBytes(uint64_t line, size_t from, size_t count) const;
    // The byte at `index` of `line`.
    unsigned char ByteAt(uint64_t line, size_t index) const;

    // Forgets lines before `line`; no-op for lines already gone.
    void DropLinesBefore(uint64_t line);
    // Forgets up to `count` bytes at the front of the first line, right
    // after its arrival stamp, which stays: for a line that alone outgrew its
    // box. The line keeps its number. Costs the bytes dropped.
    void CutFirstLine(size_t count);
    // Bytes the first line lost so far (0 once lines before it went).
    uint64_t FirstLineCut() const { return firstLineCut_; }
    // Where place `at`, taken when the first line had lost `cutSeen` bytes,
    // is now: places in the bytes that went move to where they were.
    TTextPosition AfterCut(TTextPosition at, uint64_t cutSeen) const;
    void Clear();

    size_t ByteCount() const { return bytes_.size(); }
    // The memory the text takes: its bytes and an entry per line, so that
    // empty lines count too.
    size_t HeldBytes() const { return bytes_.size() + lines_.size() * sizeof(TLine); }
    static constexpr size_t HeldBytesOfLine(size_t length) { return length + sizeof(TLine); }
    // What the lines before `line` (FirstLine() to EndLine()) hold, as
    // HeldBytes counts it: what dropping them frees.
    size_t HeldBytesBefore(uint64_t line) const {
        const size_t slot = Slot(line);
        const uint64_t start =
            slot < lines_.size() ? StartOffset(slot) : frontOffset_ + bytes_.size();
        return static_cast<size_t>(start - frontOffset_) + slot * sizeof(TLine);
    }

  private:
    // One line: where its bytes start (an absolute offset), its kind and its
    // ending, in one word since a short line costs few more bytes than this.
    struct TLine {
        uint64_t start : 60;
        uint64_t hex : 1;
        uint64_t stamped : 1;  // begins with an arrival stamp
        uint64_t ending : 2;
    };
    static_assert(sizeof(TLine) == sizeof(uint64_t));

    void StartLine(TLineKind kind);
    // Before bytes go to the last line: an empty one gets a stamp.
    void StampEmptyLastLine(const TBlockStamps* stamps, size_t offset);
    // After bytes went to the last line: its stamp becomes theirs.
    void RestampLastLine(const TBlockStamps* stamps, size_t lastByte);
    // Gives `line` its ending; a lone CR is remembered for the LF that may
    // complete it.
    void SetEnding(uint64_t line, TLineEnding ending);
    void CloseLastLine();
    // The LF completing the remembered lone CR arrived.
    void CompleteCr();
    // Moves the starts of the lines from `slot` on by `delta` bytes.
    void ShiftLineStarts(size_t slot, int64_t delta);
    uint64_t Offset(TTextPosition at) const { return StartOffset(Slot(at.line)) + at.byte; }
    TPooledDeque<char>::iterator ByteIterator(uint64_t offset) {
        return bytes_.begin() + static_cast<std::ptrdiff_t>(offset - frontOffset_);
    }
    uint64_t StartOffset(size_t slot) const { return lines_[slot].start; }
    uint64_t EndOffset(size_t slot) const;
    size_t Slot(uint64_t line) const { return static_cast<size_t>(line - firstLine_); }

    TPooledDeque<char> bytes_;  // the lines' bytes, without their breaks
    uint64_t frontOffset_ = 0;  // absolute offset of bytes_.front()
    TPooledDeque<TLine> lines_;
    uint64_t firstLine_ = 0;
    uint64_t firstLineCut_ = 0;
    bool lineOpen_ = false;
    // The received text blocks as one stream, the line a lone CR at its end
    // ended, and the last break it brought (how closed lines end).
    TLineSplitter stream_;
    uint64_t loneCrLine_ = 0;
    TLineEnding closingEnding_ = TLineEnding::CrLf;
    // Insert's working room, kept so that a steady stream of inserted
    // blocks allocates nothing.
    std::string insertKept_;
    std::vector<TLine> insertAdded_;
};
