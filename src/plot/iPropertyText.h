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

  private:
    TiStringList lines_;
    std::vector<std::string> keys_;  // lower case
    std::vector<std::string> values_;
    // Line numbers sorted by key, then file order: a lookup is a binary
    // search, and building it needs no node per line.
    std::vector<size_t> order_;
    std::vector<bool> taken_;
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
