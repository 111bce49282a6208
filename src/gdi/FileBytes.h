#pragma once
// Files written from memory, whole or a piece at a time, with the system's
// reason on failure.

#include <QSaveFile>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// A file written a piece at a time, replacing what was there only once all
// of it is written: a write that fails, or a writer dropped before Close,
// leaves the old file as it was. Every step throws with the system's reason
// when it fails.
class TFileWriter {
  public:
    explicit TFileWriter(const std::string& fileName);
    void Write(std::string_view bytes);
    // Puts the written file in the old one's place.
    void Close();

  private:
    [[noreturn]] void Fail() const;
    QSaveFile file_;
    qint64 written_ = 0;
};

// Writes the whole buffer, replacing the file; throws when it cannot.
void WriteFileBytes(const std::string& fileName, std::string_view bytes);
void WriteFileBytes(const std::string& fileName, const TBytes& bytes);
