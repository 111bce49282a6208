#include "feed/ValueChannelMap.h"

std::optional<size_t> TValueChannelMap::ChannelFor(const TLineValue& value) {
    if (value.name.empty()) {
        if (value.column == 0 || value.column > kMaxChannels)
            return std::nullopt;
        return Claim(value.column - 1, {});
    }
    for (size_t channel = 0; channel < kMaxChannels; ++channel) {
        const TSlot& slot = slots_[channel];
        if (slot.claimed && slot.name == value.name)
            return channel;
    }
    for (size_t channel = 0; channel < kMaxChannels; ++channel) {
        if (!slots_[channel].claimed)
            return Claim(channel, value.name);
    }
    return std::nullopt;
}

size_t TValueChannelMap::Claim(size_t channel, const std::string& name) {
    TSlot& slot = slots_[channel];
    if (slot.claimed)
        return channel;
    slot.claimed = true;
    slot.name = name;
    if (channel >= count_)
        count_ = channel + 1;
    return channel;
}
