#pragma once
// Which chart channel each value of a multi-value line goes to.
//
// Column k always goes to channel k - 1, so "1,2,3" draws three traces in the
// same colours every time and a single value always lands on the first
// channel. A name takes the lowest channel nobody has used yet, in the order
// names first appear. A value that would need more than kMaxChannels channels
// gets none.

#include "feed/MultiValueLine.h"

#include <array>
#include <optional>
#include <string>

class TValueChannelMap {
  public:
    static constexpr size_t kMaxChannels = 32;

    std::optional<size_t> ChannelFor(const TLineValue& value);

    // One past the highest channel claimed so far.
    size_t ChannelCount() const { return count_; }
    // The name that holds `channel`, empty for a column's channel.
    const std::string& NameOf(size_t channel) const { return slots_.at(channel).name; }

  private:
    struct TSlot {
        bool claimed = false;
        std::string name;  // empty: claimed by its column
    };
    size_t Claim(size_t channel, const std::string& name);

    std::array<TSlot, kMaxChannels> slots_{};
    size_t count_ = 0;
};
