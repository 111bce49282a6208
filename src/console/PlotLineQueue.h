#pragma once
// A first-in first-out queue of received text lines waiting to be plotted.
//
// The receive view appends raw bytes; lines end at CR LF, LF or CR (see
// TLineSplitter). Only complete lines can be taken, so a line still being
// received (its block was cut by a full read buffer) is never plotted
// half-way. Appending and taking the first line cost only the bytes
// involved, however long the backlog grows.
//
// Each complete line keeps its arrival time: that of the read that brought
// its last byte (its line break, or for a line a pause ended, the block's
// last byte).
//
// Whoever takes the lines may ask to hear when a line completes in a queue
// that held none, so that it need not look while the queue is empty.
//
// A line longer than kMostLineBytes holds no number worth plotting (a device
// sending without line breaks, or binary data in decimal mode): its bytes go
// as they come and it completes empty, so it costs no memory however long it
// runs, and no cut of it is ever plotted as a number it never was.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/BlockPool.h"
#include "console/LineSplitter.h"
#include "serial/ArrivalMarks.h"

class TPlotLineQueue {
  public:
    // Longest line kept: far more than 32 named values take.
    static constexpr size_t kMostLineBytes = size_t{64} << 10;

    // Adds bytes to the open line; the line breaks in them complete lines.
    // `arrival` says when the bytes came; without it they came now.
    void Append(std::string_view bytes, const TArrivalMarks& arrival = {});
    // Completes the open line (which may be empty). An LF appended next still
    // completes a CR the bytes before ended with, as it would without this.
    void EndLine();

    // Number of complete lines.
    size_t LineCount() const { return lineEnds_.size(); }
    bool HasLine() const { return !lineEnds_.empty(); }
    // The first complete line without its break, or nothing when there is
    // none. The view holds until the queue next changes.
    std::optional<std::string_view> FirstLine() const;
    // When the first complete line arrived; meaningful while there is one.
    TArrivalTime FirstLineArrival() const { return lineEnds_.front().arrival; }
    // Drops the first complete line; does nothing when there is none.
    void RemoveFirstLine();
    void Clear();

    // Bytes held, complete lines and the open one, breaks left out.
    size_t ByteCount() const { return bytes_.size() - taken_; }

    // Called when a line completes while no other complete line waits.
    void SetFirstLineHandler(std::function<void()> handler) { onFirstLine_ = std::move(handler); }

  private:
    // A complete line's end, as an absolute stream offset so that removing
    // lines from the front never renumbers the rest, and its arrival.
    struct TLineEnd {
        uint64_t end;
        TArrivalTime arrival;
    };

    // Bytes of the line not yet complete.
    size_t OpenLineBytes() const;
    // Adds bytes to the open line, or drops them once it is too long.
    void AddToOpenLine(std::string_view text);
    // Lets the bytes of taken lines go once they are the larger part of the
    // buffer, so that each byte is moved at most once on average.
    void ReleaseTakenBytes();

    TLineSplitter splitter_;
    // The bytes from absolute stream offset frontOffset_ on, in one piece so
    // that a line can be handed over where it lies. The first taken_ of them
    // belong to lines already removed.
    std::string bytes_;
    size_t taken_ = 0;
    uint64_t frontOffset_ = 0;
    TPooledDeque<TLineEnd> lineEnds_;
    TArrivalTime lastArrival_;  // of the last byte appended
    std::function<void()> onFirstLine_;
    bool openLineTooLong_ = false;
};
