#pragma once
// The data-file targets share one run: read the bytes into three recording
// channels, then check that whatever was loaded saves in both forms and loads
// back from each.

#include <cstddef>
#include <cstdint>
#include <string_view>

void FuzzDataFile(std::string_view bytes);
