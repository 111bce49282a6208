#include "console/PortSettingsFile.h"

#include "platform/IniFile.h"
#include "platform/StrConv.h"
#include "serial/Comm.h"

#include <charconv>
#include <optional>

namespace {

std::string ReadText(const char* key, const char* fallback, const std::string& path) {
    return ReadProfileString(kSettingsSection, key, fallback, path);
}

std::int32_t ReadInteger(const char* key, std::int32_t fallback, const std::string& path) {
    return TryStrToInt(ReadText(key, "", path)).value_or(fallback);
}

bool ReadBoolean(const char* key, bool fallback, const std::string& path) {
    return ReadInteger(key, fallback ? 1 : 0, path) != 0;
}

double ReadNumber(const char* key, double fallback, const std::string& path) {
    return TryStrToFloat(ReadText(key, "", path)).value_or(fallback);
}

// A list text is written without the blanks and control characters at its ends.
constexpr TBlanks kListBlanks = TBlanks::SpacesAndControls;

bool IsFalseText(const std::string& text) {
    return text == "false";
}

std::string FlagText(const std::string& listText) {
    return IsFalseText(listText) ? "false" : "true";
}

std::string ParityKeyText(std::string_view listText) {
    if (listText == "偶校验")
        return "Even";
    if (listText == "奇校验")
        return "Odd";
    if (listText == "标记")
        return "Mark";
    if (listText == "空格")
        return "Space";
    return "none";
}

// Shortest decimal form that reads back as the same number: "1", "1.5", "2".
std::string ShortestDecimal(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

TPortSettings ReadPortSettings(const std::string& path) {
    const TPortSettings defaults;
    TPortSettings settings;
    settings.commname = ReadText("commname", defaults.commname.c_str(), path);
    settings.baudrate = ReadInteger("baudrate", defaults.baudrate, path);
    settings.bytesize = ReadInteger("bytesize", defaults.bytesize, path);
    settings.outxCtsFlow = ReadText("Outx_CtsFlow", "false", path);
    settings.outxDsrFlow = ReadText("Outx_DsrFlow", "false", path);
    settings.outxXonXoff = ReadText("Outx_XonXoff", "false", path);
    settings.inxXonXoff = ReadText("Inx_XonXoff", "false", path);
    settings.parity = ReadText("parity", defaults.parity.c_str(), path);
    settings.paritycheck = ReadBoolean("paritycheck", defaults.paritycheck, path);
    settings.stopbits = static_cast<float>(ReadNumber("stopbits", defaults.stopbits, path));
    return settings;
}

TParity ParityFromText(const std::string& text) {
    if (text == "Even")
        return TParity::Even;
    if (text == "Mark")
        return TParity::Mark;
    if (text == "Odd")
        return TParity::Odd;
    if (text == "Space")
        return TParity::Space;
    return TParity::None;
}

TStopBits StopBitsFromNumber(float stopbits) {
    if (stopbits == 1.0f)
        return TStopBits::_1;
    if (stopbits == 2.0f)
        return TStopBits::_2;
    return TStopBits::_1_5;
}

void ApplyPortSettings(const TPortSettings& settings, TComm& comm) {
    comm.SetCommName(settings.commname);
    // A negative rate wraps to a huge one, which the open then rejects.
    comm.SetBaudRate(static_cast<std::uint32_t>(settings.baudrate));
    comm.SetOutx_CtsFlow(!IsFalseText(settings.outxCtsFlow));
    comm.SetOutx_DsrFlow(!IsFalseText(settings.outxDsrFlow));
    comm.SetOutx_XonXoffFlow(!IsFalseText(settings.outxXonXoff));
    comm.SetInx_XonXoffFlow(!IsFalseText(settings.inxXonXoff));
    switch (settings.bytesize) {
        case 5:
            comm.SetByteSize(TByteSize::_5);
            break;
        case 6:
            comm.SetByteSize(TByteSize::_6);
            break;
        case 7:
            comm.SetByteSize(TByteSize::_7);
            break;
        case 8:
            comm.SetByteSize(TByteSize::_8);
            break;
        default:
            break;  // an unknown size keeps the one in force
    }
    comm.SetParityCheck(settings.paritycheck);
    if (settings.paritycheck) {
        comm.SetParity(ParityFromText(settings.parity));
    }
    comm.SetStopBits(StopBitsFromNumber(settings.stopbits));
}

bool SavePortChoices(const TPortChoices& choices, const std::string& path) {
    const auto write = [&path](const char* key, const std::string& value) {
        return WriteProfileString(kSettingsSection, key, value, path);
    };
    const auto writeInteger = [&write](const char* key, const std::string& listText) {
        const std::optional<std::int32_t> value = TryStrToInt(Trim(listText, kListBlanks));
        return value && write(key, std::to_string(*value));
    };
    const std::optional<double> stopbits = TryStrToFloat(Trim(choices.stopBits, kListBlanks));
    return write("commname", choices.portName) && writeInteger("baudrate", choices.baudRate) &&
           writeInteger("bytesize", choices.byteSize) &&
           write("Outx_CtsFlow", FlagText(choices.outxCtsFlow)) &&
           write("Outx_DsrFlow", FlagText(choices.outxDsrFlow)) &&
           write("Outx_XonXoff", FlagText(choices.outxXonXoff)) &&
           write("Inx_XonXoff", FlagText(choices.inxXonXoff)) &&
           write("parity", ParityKeyText(Trim(choices.parity, kListBlanks))) &&
           write("paritycheck", Trim(choices.parityCheck, kListBlanks) == "否" ? "0" : "1") &&
           stopbits && write("stopbits", ShortestDecimal(*stopbits));
}
