#pragma once
// Keeps a text box's store within a memory budget, so a box on a port that
// never stops runs flat: past the budget, whole lines go from the front.
//
// It trims to seven eighths of the budget, not just under it, so a busy box
// loses a slice every few megabytes rather than a line per block, and its
// views re-index rarely. The last line always stays: it may be the one the
// device is still sending.

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

    explicit TTextBound(std::int64_t bytes = kDefaultBytes);
    void SetBytes(std::int64_t bytes);
    std::int64_t Bytes() const { return bytes_; }

    // Drops lines from the front of `store` while it holds more than the
    // budget; true when any went.
    bool Apply(TLineTextStore& store) const;

  private:
    std::int64_t bytes_;
};
