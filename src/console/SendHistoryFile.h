#pragma once
// The history file "txt.txt": sent texts the user chose to keep, one a line,
// GBK with CR LF line ends.

#include <QString>

#include <string>
#include <string_view>
#include <vector>

using THistoryEntries = std::vector<std::string>;  // GBK bytes, without line ends

// Splits file bytes into entries: lines end at CR LF, a lone CR or a lone LF;
// a last line without an end is an entry too; reading stops at a zero byte.
THistoryEntries ParseHistoryText(std::string_view bytes);

// Keeps the first occurrence of each entry, in place; the rest keep their order.
void RemoveRepeatedEntries(THistoryEntries& entries);

class TSendHistoryFile {
  public:
    explicit TSendHistoryFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Reads the entries; on failure returns false with the message to report.
    bool Load(THistoryEntries& entries, QString& error) const;
    // Replaces the file with the entries, each followed by CR LF, creating it
    // if needed. A failed write leaves the old file as it was.
    bool Save(const THistoryEntries& entries, QString& error) const;
    // Appends `gbkText` and CR LF, creating the file on the first save.
    bool Append(std::string_view gbkText) const;
    // False before anything was ever saved.
    bool Exists() const;

  private:
    std::string path_;
};
