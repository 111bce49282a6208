// The Win32 line mapping against the driver's DCB flag table, checked with
// the table's own numbers.
#include <gtest/gtest.h>

#include <functional>

#include "serial/LineMapping_win32.h"

namespace {

// Every flag off and both control lines disabled: only fBinary remains.
TLineSettings AllFlagsOff() {
    TLineSettings settings;
    settings.TxContinueOnXoff = false;
    settings.Outx_XonXoffFlow = false;
    settings.Inx_XonXoffFlow = false;
    settings.DtrControl = TDtrControl::DtrDisable;
    settings.RtsControl = TRtsControl::RtsDisable;
    return settings;
}

struct TFlagCase {
    const char* Property;
    std::function<void(TLineSettings&)> Set;
    std::uint32_t Bits;
};

}  // namespace

TEST(Win32LineMapping, EveryPropertyValueSetsItsDcbFlagBits) {
    const std::vector<TFlagCase> cases{
        {"ParityCheck", [](TLineSettings& s) { s.ParityCheck = true; }, 0x0002},
        {"Outx_CtsFlow", [](TLineSettings& s) { s.Outx_CtsFlow = true; }, 0x0004},
        {"Outx_DsrFlow", [](TLineSettings& s) { s.Outx_DsrFlow = true; }, 0x0008},
        {"DtrEnable", [](TLineSettings& s) { s.DtrControl = TDtrControl::DtrEnable; }, 0x0010},
        {"DtrHandshake", [](TLineSettings& s) { s.DtrControl = TDtrControl::DtrHandshake; },
         0x0020},
        {"DsrSensitivity", [](TLineSettings& s) { s.DsrSensitivity = true; }, 0x0040},
        {"TxContinueOnXoff", [](TLineSettings& s) { s.TxContinueOnXoff = true; }, 0x0080},
        {"Outx_XonXoffFlow", [](TLineSettings& s) { s.Outx_XonXoffFlow = true; }, 0x0100},
        {"Inx_XonXoffFlow", [](TLineSettings& s) { s.Inx_XonXoffFlow = true; }, 0x0200},
        {"ReplaceWhenParityError", [](TLineSettings& s) { s.ReplaceWhenParityError = true; },
         0x0400},
        {"IgnoreNullChar", [](TLineSettings& s) { s.IgnoreNullChar = true; }, 0x0800},
        {"RtsEnable", [](TLineSettings& s) { s.RtsControl = TRtsControl::RtsEnable; }, 0x1000},
        {"RtsHandshake", [](TLineSettings& s) { s.RtsControl = TRtsControl::RtsHandshake; },
         0x2000},
        {"RtsTransmissionAvailable",
         [](TLineSettings& s) { s.RtsControl = TRtsControl::RtsTransmissionAvailable; }, 0x3000},
    };
    EXPECT_EQ(DcbFieldsFor(AllFlagsOff()).Flags, 0x0001u) << "fBinary is always set";
    for (const TFlagCase& flagCase : cases) {
        SCOPED_TRACE(flagCase.Property);
        TLineSettings settings = AllFlagsOff();
        flagCase.Set(settings);
        EXPECT_EQ(DcbFieldsFor(settings).Flags, 0x0001u | flagCase.Bits);
    }
}

TEST(Win32LineMapping, EverythingOnNeverSetsAbortOnErrorOrSpareBits) {
    TLineSettings settings;
    settings.ParityCheck = settings.Outx_CtsFlow = settings.Outx_DsrFlow = true;
    settings.DsrSensitivity = settings.ReplaceWhenParityError = settings.IgnoreNullChar = true;
    settings.DtrControl = TDtrControl::DtrHandshake;
    settings.RtsControl = TRtsControl::RtsTransmissionAvailable;
    EXPECT_EQ(DcbFieldsFor(settings).Flags, 0x3FEFu);
}

TEST(Win32LineMapping, DefaultAndStoredSettingsGiveTheExpectedFlagWords) {
    // Constructor defaults: DTR and RTS raised, XON/XOFF both ways.
    EXPECT_EQ(DcbFieldsFor(TLineSettings{}).Flags, 0x1391u);
    // What the main window opens with: no XON/XOFF.
    TLineSettings stored;
    stored.Outx_XonXoffFlow = false;
    stored.Inx_XonXoffFlow = false;
    EXPECT_EQ(DcbFieldsFor(stored).Flags, 0x1091u);
}

TEST(Win32LineMapping, EnumerationsAndValuesReachTheirFields) {
    TLineSettings settings;
    settings.BaudRate = 250000;
    settings.XonLimit = 123;
    settings.XoffLimit = 4567;
    settings.XonChar = 'Q';
    settings.XoffChar = 'S';
    settings.ReplacedChar = '?';
    const TDcbFields fields = DcbFieldsFor(settings);
    EXPECT_EQ(fields.BaudRate, 250000u);
    EXPECT_EQ(fields.XonLim, 123);
    EXPECT_EQ(fields.XoffLim, 4567);
    EXPECT_EQ(fields.XonChar, 'Q');
    EXPECT_EQ(fields.XoffChar, 'S');
    EXPECT_EQ(fields.ErrorChar, '?');

    const std::pair<TByteSize, int> sizes[] = {
        {TByteSize::_5, 5}, {TByteSize::_6, 6}, {TByteSize::_7, 7}, {TByteSize::_8, 8}};
    for (const auto& [size, bits] : sizes) {
        settings.ByteSize = size;
        EXPECT_EQ(DcbFieldsFor(settings).ByteSize, bits);
    }
    // NOPARITY 0, ODDPARITY 1, EVENPARITY 2, MARKPARITY 3, SPACEPARITY 4.
    const std::pair<TParity, int> parities[] = {{TParity::None, 0},
                                                {TParity::Odd, 1},
                                                {TParity::Even, 2},
                                                {TParity::Mark, 3},
                                                {TParity::Space, 4}};
    for (const auto& [parity, value] : parities) {
        settings.Parity = parity;
        EXPECT_EQ(DcbFieldsFor(settings).Parity, value);
    }
    // ONESTOPBIT 0, ONE5STOPBITS 1, TWOSTOPBITS 2.
    const std::pair<TStopBits, int> stops[] = {
        {TStopBits::_1, 0}, {TStopBits::_1_5, 1}, {TStopBits::_2, 2}};
    for (const auto& [stop, value] : stops) {
        settings.StopBits = stop;
        EXPECT_EQ(DcbFieldsFor(settings).StopBits, value);
    }
}

TEST(Win32LineMapping, LineEventsCarryErrorsOnlyWithEvErrAndModemBitsByEvent) {
    const std::uint32_t frameError = 0x0008;  // CE_FRAME
    const TLineEvent errorAndCarrier = LineEventFor(0x80 | 0x20, frameError);
    EXPECT_EQ(errorAndCarrier.Errors, frameError);
    EXPECT_EQ(errorAndCarrier.ModemEvents, 8u);

    const TLineEvent ring = LineEventFor(0x100, frameError);
    EXPECT_EQ(ring.Errors, 0u) << "no EV_ERR: the error flags belong to no event";
    EXPECT_EQ(ring.ModemEvents, 4u);

    EXPECT_EQ(LineEventFor(0x20 | 0x100, 0).ModemEvents, 12u);
    const TLineEvent nothing = LineEventFor(0, 0);
    EXPECT_EQ(nothing.Errors | nothing.ModemEvents, 0u);
    EXPECT_FALSE(nothing.Stale) << "an event that says nothing at all is a driver fault";
}

TEST(Win32LineMapping, AnErrorEventWhoseFlagsWereAlreadyTakenIsStale) {
    EXPECT_TRUE(LineEventFor(0x80, 0).Stale);
    EXPECT_FALSE(LineEventFor(0x80, 0x0008).Stale);
    // With a modem change there is still something to tell.
    const TLineEvent carrier = LineEventFor(0x80 | 0x20, 0);
    EXPECT_FALSE(carrier.Stale);
    EXPECT_EQ(carrier.ModemEvents, 8u);
}

TEST(Win32LineMapping, ComPortNamesGetTheDevicePrefixOthersPassUnchanged) {
    EXPECT_EQ(Win32DeviceNameFor("COM1"), "\\\\.\\COM1");
    EXPECT_EQ(Win32DeviceNameFor("com12"), "\\\\.\\com12");
    EXPECT_EQ(Win32DeviceNameFor("COM"), "COM");
    EXPECT_EQ(Win32DeviceNameFor("COM1x"), "COM1x");
    EXPECT_EQ(Win32DeviceNameFor("\\\\.\\COM3"), "\\\\.\\COM3");
    EXPECT_EQ(Win32DeviceNameFor("C:\\data\\COM1"), "C:\\data\\COM1");
}
