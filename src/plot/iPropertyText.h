#pragma once
// The property text form: one "Name = value" line per published property,
// sub-objects under their owner's name ("Channel0.MarkersFont.Color = 255").
// The component, the plot configuration and the channels write and read their
// property files with these functions.

#include <string>
#include <string_view>
#include <vector>

#include "plot/iPublished.h"

using TiStringList = std::vector<std::string>;

// Lines read for loading, indexed by key so each lookup is quick even in a
// file of a million lines. Taking a value removes its line; with repeated keys
// the first remaining line answers.
class TiPropertyLines {
  public:
    explicit TiPropertyLines(TiStringList lines);

    // The value of the first remaining line whose key equals key without
    // regard to case; that line is removed. False when there is none.
    bool Take(std::string_view key, std::string& value);
    // The lines not taken yet, in file order.
    TiStringList Remaining() const;
    // Whether a line not taken yet has a key in `prefix`'s part of the file
    // ("Channel0" holds "Channel0.Color" and "Channel0.MarkersFont.Size"),
    // or, for an empty prefix, any line at all.
    bool HasKeysUnder(std::string_view prefix) const;
    // Puts every taken line back, so the same file can be read again.
    void Rewind();

  private:
    TiStringList lines_;
    std::vector<std::string> keys_;  // lower case
    std::vector<std::string> values_;
    // Line numbers sorted by key, then file order: a lookup is a binary
    // search, and building it needs no node per line.
    std::vector<size_t> order_;
    // A file this program wrote lists the properties in the order they are
    // read, so the line after the last one taken mostly answers without a
    // search; it may when its key is on no other line.
    std::vector<bool> single_;
    size_t next_ = 0;
    std::vector<bool> taken_;
    size_t remaining_ = 0;
    std::string probe_;  // the key looked for, in lower case
};

// Splits at the first separator into trimmed key and value; both are empty
// when the line has no separator.
void SplitKeyValue(std::string_view line, std::string_view separator, std::string& key,
                   std::string& value);
bool TakeTextValue(std::string_view key, std::string& value, TiPropertyLines& lines);

// The first line of a property file: "File Type = <type>".
std::string FileTypeLine(std::string_view type);
// True when the file's "File Type" line exists and names `type` without regard
// to case; the line is taken.
bool TakeFileType(std::string_view type, TiPropertyLines& lines);

// The decimal separator of the user's locale: the second character of 1.1
// written in it.
char UserDecimalSeparator();

// Shortest general text with at most 15 significant digits ("0.1", "1E20").
std::string FloatToText(double value, char decimalSeparator);
// Reads a float written with either "." or "," as the separator.
double TextToFloat(const std::string& text);
std::int64_t TextToInteger(const std::string& text);

void PropertiesToText(TiPersistent& object, const std::string& prefix, TiStringList& lines,
                      const TiStringList* excluded = nullptr,
                      char decimalSeparator = UserDecimalSeparator());
void PropertiesFromText(TiPersistent& object, const std::string& prefix, TiPropertyLines& lines);

// Property files: text lines, UTF-8, CR LF line ends.
void WriteTextLines(const std::string& fileName, const TiStringList& lines);
TiStringList ReadTextLines(const std::string& fileName);
