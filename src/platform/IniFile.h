#pragma once
// Private-profile (INI) files with the rules the Windows program's files
// follow, so a settings file moves between the two unchanged: GBK text, CR LF
// line ends, section and key names matched without regard to case, values
// trimmed of surrounding blanks and read up to 2047 bytes, a written key
// replaced in place and a new key appended at the end of its section. Lines
// this code does not touch (comments, other sections, odd bytes) are kept
// byte for byte.
//
// Names and values cross this interface as UTF-8.

#include <string>
#include <string_view>

// The value of `key` in `section`, or `fallback` when the file, the section
// or the key is missing.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, const std::string& path);

// Sets `key` in `section` to `value`, creating the file and the section as
// needed. False when the file cannot be read or written.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);
