#pragma once
// The bytes between two places of a line store, as a text box holds them.

#include <optional>
#include <string>
#include <string_view>

#include "console/ReceiveTextStore.h"

// Lines are joined by the breaks they ended with, or by `lineBreak` when it
// is given; a hex line gives the pairs it shows, which are plain ASCII, so
// the result decodes as GBK like the text lines around it.
std::string TextBytesBetween(const TReceiveTextStore& store, TTextPosition from, TTextPosition to,
                             std::optional<std::string_view> lineBreak = std::nullopt);
