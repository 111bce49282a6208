#pragma once
// Whole files written from memory, with the system's reason on failure.

#include <QFile>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Writes the whole buffer, replacing the file; throws when it cannot.
void WriteFileBytes(const std::string& fileName, std::string_view bytes);
void WriteFileBytes(const std::string& fileName, const TBytes& bytes);
