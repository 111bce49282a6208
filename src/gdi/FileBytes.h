#pragma once
// Whole files in and out of memory, with the system's reason on failure.

#include <QFile>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Writes the whole buffer, replacing the file; throws when it cannot.
void WriteFileBytes(const std::string& fileName, std::string_view bytes);
void WriteFileBytes(const std::string& fileName, const TBytes& bytes);
// A whole file's bytes, read into memory. Throws when the file cannot be
// opened or read.
class TFileBytes {
  public:
    explicit TFileBytes(const std::string& fileName);
    TFileBytes(const TFileBytes&) = delete;
    TFileBytes& operator=(const TFileBytes&) = delete;

    std::string_view View() const { return bytes_; }

  private:
    std::string bytes_;
};
