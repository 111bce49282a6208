#include "console/KelvaneOptions.h"

#include "console/PortSettingsFile.h"
#include "platform/IniFile.h"
#include "platform/StrConv.h"

namespace {

// Never a value of any option: tells a missing key from an empty one.
constexpr const char* kAbsent = "\x01";

template <typename T>
std::optional<T> ParseValue(const std::string& text);

// Like the port settings' Booleans: an integer, non-zero for true.
template <>
std::optional<bool> ParseValue<bool>(const std::string& text) {
    const std::optional<std::int32_t> number = TryStrToInt(text);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

template <>
std::optional<std::int32_t> ParseValue<std::int32_t>(const std::string& text) {
    return TryStrToInt(text);
}

template <>
std::optional<TLanguage> ParseValue<TLanguage>(const std::string& text) {
    return LanguageFromCode(text);
}

std::string ValueText(bool value) {
    return value ? "1" : "0";
}

std::string ValueText(std::int32_t value) {
    return std::to_string(value);
}

std::string ValueText(TLanguage value) {
    return LanguageCode(value);
}

}  // namespace

std::string TOptionBase::ReadText(const std::string& path) const {
    return ReadProfileString(kSettingsSection, key_, kAbsent, path);
}

bool TOptionBase::WriteText(const std::string& path, const std::string& text,
                            bool isDefault) const {
    if (isDefault && ReadText(path) == kAbsent) {
        return true;
    }
    return WriteProfileString(kSettingsSection, key_, text, path);
}

template <typename T>
void TOption<T>::Read(const std::string& path) {
    value_ = default_;
    if (const std::optional<T> value = ParseValue<T>(ReadText(path))) {
        Set(*value);
    }
}

template <typename T>
bool TOption<T>::Write(const std::string& path) const {
    return WriteText(path, ValueText(value_), value_ == default_);
}

template class TOption<bool>;
template class TOption<std::int32_t>;
template class TOption<TLanguage>;

TKelvaneOptions::TKelvaneOptions(std::string settingsPath) : path_(std::move(settingsPath)) {
    Load();
}

void TKelvaneOptions::Load() {
    for (TOptionBase* option : options_) {
        option->Read(path_);
    }
}

bool TKelvaneOptions::Save() const {
    for (const TOptionBase* option : options_) {
        if (!option->Write(path_)) {
            return false;
        }
    }
    return true;
}
