#pragma once
// The language of the interface. Chinese is the program's own; English is a
// translation the user chooses, never one picked from the system's locale.
// The codes are what setfile.ini and the command line spell.

#include <optional>
#include <string_view>

enum class TLanguage { Chinese, English };

// "zh" or "en"; anything else is no language.
inline std::optional<TLanguage> LanguageFromCode(std::string_view code) {
    if (code == "zh")
        return TLanguage::Chinese;
    if (code == "en")
        return TLanguage::English;
    return std::nullopt;
}

inline const char* LanguageCode(TLanguage language) {
    return language == TLanguage::English ? "en" : "zh";
}

// Each language is named in itself, so that a user finds their own whatever
// language the interface is in.
inline const char* LanguageName(TLanguage language) {
    return language == TLanguage::English ? "English" : "中文";
}
