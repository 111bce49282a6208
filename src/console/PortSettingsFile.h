#pragma once
// setfile.ini, the link between the port settings dialog and "打开": the
// dialog writes the user's choices, the open handler reads them back into
// Comm1 each time. Both sides follow the rules a file written by the Windows
// program also follows, so such a file keeps working.

#include "serial/CommTypes.h"

#include <cstdint>
#include <optional>
#include <string>

class TComm;

inline constexpr const char* kSettingsFileName = "setfile.ini";
inline constexpr const char* kSettingsSection = "系统参数";

// The values as read, before they meet the port component.
struct TPortSettings {
    std::string commname = "COM1";
    std::int32_t baudrate = 9600;
    std::int32_t bytesize = 8;
    std::string outxCtsFlow = "false";
    std::string outxDsrFlow = "false";
    std::string outxXonXoff = "false";
    std::string inxXonXoff = "false";
    std::string parity = "none";
    bool paritycheck = false;
    float stopbits = 1;
};

// Reads every key; a missing file, key or unparsable value gives its default.
TPortSettings ReadPortSettings(const std::string& path);

// Settings given for one run of the program (on its command line), laid
// over the file's at each open and never written back.
struct TPortSessionOverride {
    std::optional<std::string> commname;
    std::optional<std::int32_t> baudrate;

    void ApplyTo(TPortSettings& settings) const {
        settings.commname = commname.value_or(settings.commname);
        settings.baudrate = baudrate.value_or(settings.baudrate);
    }
};

// Copies the settings into the port the way "打开" does: a byte size other
// than 5 to 8 and, while parity checking is off, the parity leave the port's
// values as they are.
void ApplyPortSettings(const TPortSettings& settings, TComm& comm);

// The texts shown in the dialog's lists when "保存" is clicked.
struct TPortChoices {
    std::string portName = "COM1";
    std::string baudRate = "9600";
    std::string byteSize = "8";
    std::string parity = "无";
    std::string stopBits = "1";
    std::string parityCheck = "否";
    std::string outxCtsFlow = "false";
    std::string outxDsrFlow = "false";
    std::string outxXonXoff = "false";
    std::string inxXonXoff = "false";
};

// Writes the choices key by key in the file's order. False at the first key
// that cannot be written or a number list that does not hold a number; keys
// written before stay written.
bool SavePortChoices(const TPortChoices& choices, const std::string& path);

// Port enumerations as the settings file spells them.
TParity ParityFromText(const std::string& text);
TStopBits StopBitsFromNumber(float stopbits);
