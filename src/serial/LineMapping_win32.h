// Pure translations between the component's line settings and what a Windows
// serial driver takes and reports. Nothing here needs <windows.h>, so every
// host can check the translations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "serial/CommTypes.h"
#include "serial/PortDevice.h"

// The device control block fields we set. Flags is the DCB's flag word, bit
// 0 (fBinary) upwards; fAbortOnError and the spare bits are always 0.
struct TDcbFields {
    std::uint32_t BaudRate;
    std::uint32_t Flags;
    std::uint16_t XonLim;
    std::uint16_t XoffLim;
    std::uint8_t ByteSize;
    std::uint8_t Parity;
    std::uint8_t StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;

    bool operator==(const TDcbFields&) const = default;
};

// Bits and fields of the DCB flag word.
constexpr std::uint32_t kDcbBinary = 1u << 0;
constexpr std::uint32_t kDcbParity = 1u << 1;
constexpr std::uint32_t kDcbOutxCtsFlow = 1u << 2;
constexpr std::uint32_t kDcbOutxDsrFlow = 1u << 3;
constexpr int kDcbDtrControlShift = 4;  // two bits
constexpr std::uint32_t kDcbDsrSensitivity = 1u << 6;
constexpr std::uint32_t kDcbTXContinueOnXoff = 1u << 7;
constexpr std::uint32_t kDcbOutX = 1u << 8;
constexpr std::uint32_t kDcbInX = 1u << 9;
constexpr std::uint32_t kDcbErrorChar = 1u << 10;
constexpr std::uint32_t kDcbNull = 1u << 11;
constexpr int kDcbRtsControlShift = 12;  // two bits

TDcbFields DcbFieldsFor(const TLineSettings& settings);

// Communication event mask bits the reader waits for: 416 in all.
constexpr std::uint32_t kEvRlsd = 0x0020;
constexpr std::uint32_t kEvErr = 0x0080;
constexpr std::uint32_t kEvRing = 0x0100;
constexpr std::uint32_t kLineEventMask = kEvRlsd | kEvErr | kEvRing;

// The line event a WaitCommEvent mask stands for; errors are the flags
// ClearCommError returned for it (ignored unless the mask holds EV_ERR). An
// EV_ERR whose flags are already collected (errors 0) is stale.
TLineEvent LineEventFor(std::uint32_t eventMask, std::uint32_t errors);

// "COMn" (any letter case) becomes "\\.\COMn": CreateFileA finds COM10 and
// above only by that name, and it works for COM1 to COM9 as well. Any other
// name is passed on unchanged.
std::string Win32DeviceNameFor(std::string_view commName);
