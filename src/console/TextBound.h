#pragma once
// Keeps a text box's store within a memory budget, so a box on a port that
// never stops runs flat: past the budget, whole lines go from the front.
//
// It trims below the budget, not just under it, so a busy box loses a slice
// every few megabytes rather than a line per block: an eighth of the budget,
// but never more than kMostTrimBytes at once, so that a trim costs the same
// short moment whatever the budget. The last line stays whole while it fits
// the budget: it may be the one the device is still sending. A line that
// alone outgrows the budget (a device that never sends a line break) loses
// its front instead, down to the same mark, so it reads as the box's tail.

#include <cstddef>
#include <cstdint>

class TLineTextStore;

class TTextBound {
  public:
    // Bytes a box keeps by default: a day of a chatty device at 1 KB/s, or
    // most of an hour of a 115200-baud line sending without a pause.
    static constexpr std::int32_t kDefaultBytes = 32 << 20;
    // The least budget the option accepts: a few screens of text.
    static constexpr std::int32_t kLeastBytes = 64 << 10;
    // The most one trim drops: an eighth of the default budget.
    static constexpr std::int64_t kMostTrimBytes = kDefaultBytes / 8;

    explicit TTextBound(std::int64_t bytes = kDefaultBytes);
    void SetBytes(std::int64_t bytes);
    std::int64_t Bytes() const { return bytes_; }
    // What the store holds after a trim.
    std::int64_t TrimmedBytes() const;

    // Drops text from the front of `store` while it holds more than the
    // budget; true when any went.
    bool Apply(TLineTextStore& store) const;

  private:
    // Cuts the front of the store's only line down to `target` bytes held,
    // at a character boundary.
    static void CutLoneLine(TLineTextStore& store, std::int64_t target);

    std::int64_t bytes_;
};
