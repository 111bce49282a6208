#pragma once
// A first-in first-out queue of received text lines waiting to be plotted.
//
// The receive view appends raw bytes; lines end at CR LF. Only complete lines
// can be taken, so a line still being received (its block was cut by a full
// read buffer) is never plotted half-way. Appending and taking the first line
// cost only the bytes involved, however long the backlog grows.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

class TPlotLineQueue {
  public:
    // Adds bytes to the open line; CR LF pairs inside them complete lines.
    void Append(std::string_view bytes);
    // Completes the open line (which may be empty).
    void EndLine();

    // Number of complete lines.
    size_t LineCount() const { return lineEnds_.size(); }
    bool HasLine() const { return !lineEnds_.empty(); }
    // The first complete line without its CR LF, or nothing when there is none.
    std::optional<std::string> FirstLine() const;
    // Drops the first complete line; does nothing when there is none.
    void RemoveFirstLine();
    void Clear();

    // Bytes held, complete lines and the open one, CR LF included.
    size_t ByteCount() const { return bytes_.size(); }

  private:
    std::deque<char> bytes_;
    // Absolute stream offset of bytes_.front() and of the CR of each complete
    // line's CR LF, so that removing from the front never renumbers them.
    uint64_t frontOffset_ = 0;
    std::deque<uint64_t> lineEnds_;
};
