#pragma once
// The arrival time a received line shows at its start when timestamps are
// on: "[HH:MM:SS.mmm] ", local time, of the read that brought the line's
// last byte.
//
// The reader thread stamps reads on a monotonic clock; a stamp is turned
// into the local time once, when its block is handled, so a wall clock that
// is set later never changes what a line already shows.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"
#include "serial/ArrivalMarks.h"

// Every stamp has this many bytes, so an open line's stamp can be rewritten
// in place as more of the line arrives.
constexpr std::size_t kArrivalStampBytes = 15;

// "[14:23:05.042] " for that local time.
std::string FormatArrivalStamp(TDateTime localTime);

// The stamps of one received block, read by read.
class TBlockStamps {
  public:
    explicit TBlockStamps(const TArrivalMarks& marks);

    // The stamp of the read that brought byte `offset` of the block.
    std::string_view At(std::size_t offset) const;

  private:
    struct TStamp {
        std::size_t end;
        std::string text;
    };
    std::vector<TStamp> stamps_;
};
