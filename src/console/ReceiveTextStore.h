#pragma once
// Everything shown in the receive box, kept as the bytes that arrived.
//
// Lines hold raw bytes and remember whether they were received in hexadecimal
// mode; views render only what is on screen. So memory stays close to one
// byte per received byte, and an append costs only the block being added,
// however much is already held. Lines are numbered absolutely: dropping lines
// from the front never renumbers the rest, so views can keep line numbers.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

enum class TLineKind : std::uint8_t { Text, Hex };

// A place between two bytes: byte `byte` of absolute line `line`.
struct TTextPosition {
    uint64_t line = 0;
    size_t byte = 0;
    auto operator<=>(const TTextPosition&) const = default;
};

class TReceiveTextStore {
  public:
    // Adds a received block. Text blocks are split into lines at CR LF; a hex
    // block stays one line. When `lineStaysOpen` the next block of the same
    // kind continues the last line (its block was cut, not ended by a pause);
    // otherwise the next block starts a line of its own.
    void AppendBlock(std::string_view bytes, TLineKind kind, bool lineStaysOpen);
    // Makes the next block start a new line.
    void CloseLine() { lineOpen_ = false; }

    // Inserts bytes at `at`, a place inside a held line; CR LF pairs in them
    // break the line, and a leading LF completes a CR just before `at`.
    // Returns the place right after the inserted bytes.
    TTextPosition Insert(TTextPosition at, std::string_view bytes);
    // Removes the bytes from `from` up to `to`, joining their lines.
    void Erase(TTextPosition from, TTextPosition to);

    // Absolute numbers of the first line held and one past the last.
    uint64_t FirstLine() const { return firstLine_; }
    uint64_t EndLine() const { return firstLine_ + lineStarts_.size(); }

    TLineKind Kind(uint64_t line) const;
    size_t LineLength(uint64_t line) const;
    // Up to `count` bytes of `line` from byte `from`.
    std::string LineBytes(uint64_t line, size_t from, size_t count) const;
    // The byte at `index` of `line`.
    unsigned char ByteAt(uint64_t line, size_t index) const;

    // Forgets lines before `line`; no-op for lines already gone.
    void DropLinesBefore(uint64_t line);
    void Clear() { DropLinesBefore(EndLine()); }

    size_t ByteCount() const { return bytes_.size(); }

  private:
    static constexpr uint64_t kHexFlag = uint64_t{1} << 63;

    void StartLine(TLineKind kind);
    // Moves the starts of the lines from `slot` on by `delta` bytes.
    void ShiftLineStarts(size_t slot, int64_t delta);
    uint64_t Offset(TTextPosition at) const { return StartOffset(Slot(at.line)) + at.byte; }
    std::deque<char>::iterator ByteIterator(uint64_t offset) {
        return bytes_.begin() + static_cast<std::ptrdiff_t>(offset - frontOffset_);
    }
    uint64_t StartOffset(size_t slot) const { return lineStarts_[slot] & ~kHexFlag; }
    uint64_t EndOffset(size_t slot) const;
    size_t Slot(uint64_t line) const { return static_cast<size_t>(line - firstLine_); }

    std::deque<char> bytes_;
    uint64_t frontOffset_ = 0;  // absolute offset of bytes_.front()
    // Absolute start offset of each line, with kHexFlag set on hex lines.
    // A line ends where the next one starts; line breaks are not stored.
    std::deque<uint64_t> lineStarts_;
    uint64_t firstLine_ = 0;
    bool lineOpen_ = false;
};
