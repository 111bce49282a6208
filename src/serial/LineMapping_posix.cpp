#include "serial/LineMapping_posix.h"

#include <array>
#include <cctype>
#include <charconv>
#include <utility>

namespace {

constexpr std::array<std::pair<std::uint32_t, tcflag_t>, 30> kStandardRates{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

// Standard rates go by their code, which every driver knows; any other rate
// asks the driver for that exact number.
tcflag_t BaudBits(std::uint32_t rate) {
    for (const auto& [standard, bits] : kStandardRates) {
        if (standard == rate) {
            return bits;
        }
    }
    return BOTHER;
}

tcflag_t ByteSizeBits(TByteSize size) {
    switch (size) {
        case TByteSize::_5:
            return CS5;
        case TByteSize::_6:
            return CS6;
        case TByteSize::_7:
            return CS7;
        case TByteSize::_8:
            break;
    }
    return CS8;
}

tcflag_t ParityBits(TParity parity) {
    switch (parity) {
        case TParity::None:
            break;
        case TParity::Odd:
            return PARENB | PARODD;
        case TParity::Even:
            return PARENB;
        case TParity::Mark:
            return PARENB | CMSPAR | PARODD;
        case TParity::Space:
            return PARENB | CMSPAR;
    }
    return 0;
}

// Rate 0 would hang the line up; a rate past any UART is what a negative
// rate in the settings file wraps to. Both are refused as a driver refuses a
// rate it cannot run: the line keeps the one it has.
bool RateAccepted(std::uint32_t rate) {
    constexpr std::uint32_t kHighestRate = 0x7FFFFFFF;
    return rate != 0 && rate <= kHighestRate;
}

bool StartsWithComIgnoringCase(std::string_view name) {
    return name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
           std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
           std::toupper(static_cast<unsigned char>(name[2])) == 'M';
}

}  // namespace

std::string DevicePathForCommName(std::string_view commName) {
    if (StartsWithComIgnoringCase(commName)) {
        const std::string_view digits = commName.substr(3);
        unsigned number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size() && number >= 1) {
            return "/dev/ttyS" + std::to_string(number - 1);
        }
    }
    return std::string(commName);
}

TPosixLineSettings PosixLineSettingsFor(const TLineSettings& settings,
                                        const struct termios2& current) {
    struct termios2 t = current;

    t.c_iflag = 0;
    if (settings.Outx_XonXoffFlow) {
        t.c_iflag |= IXON;
    }
    if (settings.Inx_XonXoffFlow) {
        t.c_iflag |= IXOFF;
    }
    // With INPCK the driver hands a byte with a parity error over as 0;
    // without it the byte passes unchanged. Errors are counted either way.
    if (settings.ParityCheck && settings.ReplaceWhenParityError) {
        t.c_iflag |= INPCK;
    }
    t.c_oflag = 0;
    t.c_lflag = 0;

    const bool hardwareHandshake =
        settings.Outx_CtsFlow || settings.RtsControl == TRtsControl::RtsHandshake;
    t.c_cflag =
        CREAD | CLOCAL | HUPCL | ByteSizeBits(settings.ByteSize) | ParityBits(settings.Parity);
    if (settings.StopBits != TStopBits::_1) {
        // One bit more: the UART makes it 1.5 bits with 5 data bits, else 2.
        t.c_cflag |= CSTOPB;
    }
    if (hardwareHandshake) {
        t.c_cflag |= CRTSCTS;
    }
    if (RateAccepted(settings.BaudRate)) {
        t.c_cflag |= BaudBits(settings.BaudRate);
        t.c_ispeed = settings.BaudRate;
        t.c_ospeed = settings.BaudRate;
    } else {
        t.c_cflag |= current.c_cflag & (CBAUD | CIBAUD);
    }

    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = static_cast<cc_t>(settings.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(settings.XoffChar);

    return TPosixLineSettings{
        .Termios = t,
        .RaiseDtr = settings.DtrControl != TDtrControl::DtrDisable,
        .RaiseRts = settings.RtsControl != TRtsControl::RtsDisable,
        .DriverDrivesRts = hardwareHandshake,
        .RtsOnSend = settings.RtsControl == TRtsControl::RtsTransmissionAvailable,
    };
}

TLineEvent LineEventBetween(const struct serial_icounter_struct& before,
                            const struct serial_icounter_struct& after) {
    TLineEvent event;
    if (after.overrun != before.overrun) {
        event.Errors |= CE_OVERRUN;
    }
    if (after.buf_overrun != before.buf_overrun) {
        event.Errors |= CE_RXOVER;
    }
    if (after.parity != before.parity) {
        event.Errors |= CE_RXPARITY;
    }
    if (after.frame != before.frame) {
        event.Errors |= CE_FRAME;
    }
    if (after.brk != before.brk) {
        event.Errors |= CE_BREAK;
    }
    if (after.dcd != before.dcd) {
        event.ModemEvents |= MODEM_RLSD;
    }
    if (after.rng != before.rng) {
        event.ModemEvents |= MODEM_RING;
    }
    return event;
}
