// The pure translation from line settings to the Linux driver's records.
// Kept apart from the pty tests: <asm/termbits.h> and <termios.h> clash.
#include <gtest/gtest.h>

#include <tuple>

#include "serial/LineMapping_posix.h"

namespace {

struct termios2 CookedTermios() {
    struct termios2 t {};
    t.c_iflag = ICRNL | IXON | ISTRIP;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG;
    t.c_cflag = B38400 | CS7 | PARENB | CSTOPB | CRTSCTS;
    t.c_ispeed = t.c_ospeed = 38400;
    t.c_line = 0;
    t.c_cc[VINTR] = 3;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 5;
    return t;
}

TPosixLineSettings Build(const TLineSettings& settings) {
    return PosixLineSettingsFor(settings, CookedTermios());
}

TLineSettings Plain() {
    TLineSettings settings;
    settings.Outx_XonXoffFlow = false;
    settings.Inx_XonXoffFlow = false;
    return settings;
}

}  // namespace

TEST(LineMapping, RawLineWhateverTheDriverHadBefore) {
    const struct termios2 t = Build(Plain()).Termios;
    EXPECT_EQ(t.c_iflag, 0u) << "no translation or stripping of received bytes";
    EXPECT_EQ(t.c_oflag, 0u) << "bytes leave unchanged";
    EXPECT_EQ(t.c_lflag, 0u) << "no echo, no line editing, no signals";
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t{CREAD | CLOCAL});
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 1);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    EXPECT_EQ(t.c_cc[VINTR], 3) << "characters we do not set keep the driver's values";
}

class ByteSizeMapping : public testing::TestWithParam<std::tuple<TByteSize, tcflag_t>> {};
TEST_P(ByteSizeMapping, SetsDataBits) {
    TLineSettings settings = Plain();
    settings.ByteSize = std::get<0>(GetParam());
    EXPECT_EQ(Build(settings).Termios.c_cflag & CSIZE, std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(All, ByteSizeMapping,
                         testing::Values(std::tuple{TByteSize::_5, tcflag_t{CS5}},
                                         std::tuple{TByteSize::_6, tcflag_t{CS6}},
                                         std::tuple{TByteSize::_7, tcflag_t{CS7}},
                                         std::tuple{TByteSize::_8, tcflag_t{CS8}}));

class ParityMapping : public testing::TestWithParam<std::tuple<TParity, tcflag_t>> {};
TEST_P(ParityMapping, SetsParityBits) {
    TLineSettings settings = Plain();
    settings.Parity = std::get<0>(GetParam());
    EXPECT_EQ(Build(settings).Termios.c_cflag & (PARENB | PARODD | CMSPAR),
              std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(All, ParityMapping,
                         testing::Values(std::tuple{TParity::None, tcflag_t{0}},
                                         std::tuple{TParity::Odd, tcflag_t{PARENB | PARODD}},
                                         std::tuple{TParity::Even, tcflag_t{PARENB}},
                                         std::tuple{TParity::Mark,
                                                    tcflag_t{PARENB | PARODD | CMSPAR}},
                                         std::tuple{TParity::Space, tcflag_t{PARENB | CMSPAR}}));

class StopBitsMapping : public testing::TestWithParam<std::tuple<TStopBits, tcflag_t>> {};
TEST_P(StopBitsMapping, SetsStopBits) {
    TLineSettings settings = Plain();
    settings.StopBits = std::get<0>(GetParam());
    EXPECT_EQ(Build(settings).Termios.c_cflag & CSTOPB, std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(All, StopBitsMapping,
                         testing::Values(std::tuple{TStopBits::_1, tcflag_t{0}},
                                         std::tuple{TStopBits::_1_5, tcflag_t{CSTOPB}},
                                         std::tuple{TStopBits::_2, tcflag_t{CSTOPB}}));

TEST(LineMapping, BaudRates) {
    TLineSettings settings = Plain();
    settings.BaudRate = 115200;
    struct termios2 t = Build(settings).Termios;
    EXPECT_EQ(t.c_cflag & (CBAUD | CIBAUD), tcflag_t{B115200});
    EXPECT_EQ(t.c_ospeed, 115200u);

    settings.BaudRate = 250000;  // not a standard rate: asked for by number
    t = Build(settings).Termios;
    EXPECT_EQ(t.c_cflag & (CBAUD | CIBAUD), tcflag_t{BOTHER});
    EXPECT_EQ(t.c_ispeed, 250000u);
    EXPECT_EQ(t.c_ospeed, 250000u);

    // 0 would hang the line up, and -5 from a settings file is no rate at
    // all: both keep the current one.
    for (const std::uint32_t refused : {0u, static_cast<std::uint32_t>(-5)}) {
        settings.BaudRate = refused;
        t = Build(settings).Termios;
        EXPECT_EQ(t.c_cflag & (CBAUD | CIBAUD), tcflag_t{B38400}) << refused;
        EXPECT_EQ(t.c_ospeed, 38400u) << refused;
    }
}

TEST(LineMapping, SoftwareFlowControlAndItsCharacters) {
    TLineSettings settings = Plain();
    settings.Outx_XonXoffFlow = true;
    settings.XonChar = 'Q';
    settings.XoffChar = 'S';
    struct termios2 t = Build(settings).Termios;
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), tcflag_t{IXON});
    EXPECT_EQ(t.c_cc[VSTART], 'Q');
    EXPECT_EQ(t.c_cc[VSTOP], 'S');

    settings.Outx_XonXoffFlow = false;
    settings.Inx_XonXoffFlow = true;
    EXPECT_EQ(Build(settings).Termios.c_iflag & (IXON | IXOFF), tcflag_t{IXOFF});
}

TEST(LineMapping, HardwareFlowControlAndControlLines) {
    TLineSettings settings = Plain();
    TPosixLineSettings built = Build(settings);
    EXPECT_TRUE(built.RaiseDtr);
    EXPECT_TRUE(built.RaiseRts);
    EXPECT_FALSE(built.DriverDrivesRts);
    EXPECT_FALSE(built.RtsOnSend);

    settings.DtrControl = TDtrControl::DtrDisable;
    settings.RtsControl = TRtsControl::RtsDisable;
    built = Build(settings);
    EXPECT_FALSE(built.RaiseDtr);
    EXPECT_FALSE(built.RaiseRts);

    settings.DtrControl = TDtrControl::DtrHandshake;
    settings.RtsControl = TRtsControl::RtsHandshake;
    built = Build(settings);
    EXPECT_TRUE(built.RaiseDtr);
    EXPECT_TRUE(built.DriverDrivesRts);
    EXPECT_EQ(built.Termios.c_cflag & CRTSCTS, tcflag_t{CRTSCTS});

    settings = Plain();
    settings.Outx_CtsFlow = true;
    EXPECT_EQ(Build(settings).Termios.c_cflag & CRTSCTS, tcflag_t{CRTSCTS});

    settings = Plain();
    settings.RtsControl = TRtsControl::RtsTransmissionAvailable;
    built = Build(settings);
    EXPECT_TRUE(built.RtsOnSend);
    EXPECT_EQ(built.Termios.c_cflag & CRTSCTS, 0u);
}

TEST(LineMapping, ParityErrorsAreReplacedOnlyWhenAsked) {
    TLineSettings settings = Plain();
    settings.ParityCheck = true;
    EXPECT_EQ(Build(settings).Termios.c_iflag & INPCK, 0u) << "a bad byte passes unchanged";
    settings.ReplaceWhenParityError = true;
    EXPECT_EQ(Build(settings).Termios.c_iflag & INPCK, tcflag_t{INPCK});
}

TEST(LineMapping, ComNamesFindTheSerialPorts) {
    EXPECT_EQ(DevicePathForCommName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(DevicePathForCommName("com12"), "/dev/ttyS11");
    EXPECT_EQ(DevicePathForCommName("COM0"), "COM0");
    EXPECT_EQ(DevicePathForCommName("COM"), "COM");
    EXPECT_EQ(DevicePathForCommName("COM1x"), "COM1x");
    EXPECT_EQ(DevicePathForCommName("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForCommName("/dev/serial/by-id/usb-COM3"), "/dev/serial/by-id/usb-COM3");
}

TEST(LineMapping, CounterChangesBecomeLineEvents) {
    struct serial_icounter_struct before {};
    before.frame = 3;
    before.dcd = 7;
    EXPECT_EQ(LineEventBetween(before, before).Errors, 0u);
    EXPECT_EQ(LineEventBetween(before, before).ModemEvents, 0u);

    struct serial_icounter_struct after = before;
    after.frame = 4;
    after.parity = 1;
    after.overrun = 1;
    after.buf_overrun = 1;
    after.brk = 2;
    after.dcd = 8;
    after.rng = 1;
    const TLineEvent event = LineEventBetween(before, after);
    EXPECT_EQ(event.Errors, CE_FRAME | CE_RXPARITY | CE_OVERRUN | CE_RXOVER | CE_BREAK);
    EXPECT_EQ(event.ModemEvents, MODEM_RLSD | MODEM_RING);

    after = before;
    after.cts = 9;  // lines nobody asked about
    after.dsr = 9;
    EXPECT_EQ(LineEventBetween(before, after).ModemEvents, 0u);
}
