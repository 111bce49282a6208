#include "serial/LineMapping_win32.h"

#include <algorithm>
#include <cctype>

namespace {

// The component's control enumerations start with "enable"; the driver's
// values start with "disable".
std::uint32_t DtrControlValue(TDtrControl control) {
    switch (control) {
        case TDtrControl::DtrEnable:
            return 1;  // DTR_CONTROL_ENABLE
        case TDtrControl::DtrDisable:
            return 0;  // DTR_CONTROL_DISABLE
        case TDtrControl::DtrHandshake:
            return 2;  // DTR_CONTROL_HANDSHAKE
    }
    return 1;
}

std::uint32_t RtsControlValue(TRtsControl control) {
    switch (control) {
        case TRtsControl::RtsEnable:
            return 1;  // RTS_CONTROL_ENABLE
        case TRtsControl::RtsDisable:
            return 0;  // RTS_CONTROL_DISABLE
        case TRtsControl::RtsHandshake:
            return 2;  // RTS_CONTROL_HANDSHAKE
        case TRtsControl::RtsTransmissionAvailable:
            return 3;  // RTS_CONTROL_TOGGLE
    }
    return 1;
}

std::uint32_t FlagIf(bool set, std::uint32_t flag) {
    return set ? flag : 0;
}

}  // namespace

TDcbFields DcbFieldsFor(const TLineSettings& settings) {
    const std::uint32_t flags = kDcbBinary | FlagIf(settings.ParityCheck, kDcbParity) |
                                FlagIf(settings.Outx_CtsFlow, kDcbOutxCtsFlow) |
                                FlagIf(settings.Outx_DsrFlow, kDcbOutxDsrFlow) |
                                DtrControlValue(settings.DtrControl) << kDcbDtrControlShift |
                                FlagIf(settings.DsrSensitivity, kDcbDsrSensitivity) |
                                FlagIf(settings.TxContinueOnXoff, kDcbTXContinueOnXoff) |
                                FlagIf(settings.Outx_XonXoffFlow, kDcbOutX) |
                                FlagIf(settings.Inx_XonXoffFlow, kDcbInX) |
                                FlagIf(settings.ReplaceWhenParityError, kDcbErrorChar) |
                                FlagIf(settings.IgnoreNullChar, kDcbNull) |
                                RtsControlValue(settings.RtsControl) << kDcbRtsControlShift;
    return TDcbFields{
        .BaudRate = settings.BaudRate,
        .Flags = flags,
        .XonLim = settings.XonLimit,
        .XoffLim = settings.XoffLimit,
        .ByteSize = static_cast<std::uint8_t>(static_cast<int>(settings.ByteSize) + 5),
        .Parity = static_cast<std::uint8_t>(settings.Parity),
        .StopBits = static_cast<std::uint8_t>(settings.StopBits),
        .XonChar = settings.XonChar,
        .XoffChar = settings.XoffChar,
        .ErrorChar = settings.ReplacedChar,
    };
}

TLineEvent LineEventFor(std::uint32_t eventMask, std::uint32_t errors) {
    TLineEvent event;
    if ((eventMask & kEvErr) != 0) {
        event.Errors = errors;
    }
    if ((eventMask & kEvRlsd) != 0) {
        event.ModemEvents |= MODEM_RLSD;
    }
    if ((eventMask & kEvRing) != 0) {
        event.ModemEvents |= MODEM_RING;
    }
    // The driver signals EV_ERR again for errors an earlier ClearCommError
    // already took: a repeat, not a driver gone wrong.
    event.Stale = (eventMask & kEvErr) != 0 && errors == 0 && event.ModemEvents == 0;
    return event;
}

std::string Win32DeviceNameFor(std::string_view commName) {
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    const bool comPort = commName.size() > 3 &&
                         std::equal(commName.begin(), commName.begin() + 3, "COM",
                                    [](char a, char b) {
                                        return std::toupper(static_cast<unsigned char>(a)) == b;
                                    }) &&
                         std::all_of(commName.begin() + 3, commName.end(), isDigit);
    return comPort ? "\\\\.\\" + std::string(commName) : std::string(commName);
}
