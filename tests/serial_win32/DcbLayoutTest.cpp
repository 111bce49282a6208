// The flag word lands on the DCB's own bit-fields, as the driver reads them.
#include <gtest/gtest.h>

#include "serial/Dcb_win32.h"

TEST(Win32Dcb, FlagWordFillsTheBitFieldsAndKeepsTheDriversFields) {
    TLineSettings settings;
    settings.BaudRate = 57600;
    settings.ParityCheck = true;
    settings.Outx_DsrFlow = true;
    settings.DtrControl = TDtrControl::DtrHandshake;
    settings.TxContinueOnXoff = false;
    settings.Inx_XonXoffFlow = false;
    settings.IgnoreNullChar = true;
    settings.RtsControl = TRtsControl::RtsTransmissionAvailable;
    settings.ByteSize = TByteSize::_7;
    settings.Parity = TParity::Even;
    settings.StopBits = TStopBits::_2;

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.fAbortOnError = 1;  // as a driver might report it
    dcb.EofChar = 0x1A;
    dcb.EvtChar = 0x7E;
    StoreDcbFields(DcbFieldsFor(settings), dcb);

    EXPECT_EQ(dcb.DCBlength, sizeof dcb);
    EXPECT_EQ(dcb.BaudRate, 57600u);
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fParity, 1u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 1u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_HANDSHAKE));
    EXPECT_EQ(dcb.fDsrSensitivity, 0u);
    EXPECT_EQ(dcb.fTXContinueOnXoff, 0u);
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.fNull, 1u);
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_TOGGLE));
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    EXPECT_EQ(dcb.XonLim, 500);
    EXPECT_EQ(dcb.XoffLim, 500);
    EXPECT_EQ(dcb.ByteSize, 7);
    EXPECT_EQ(dcb.Parity, EVENPARITY);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.ErrorChar, 0);
    EXPECT_EQ(dcb.EofChar, 0x1A);
    EXPECT_EQ(dcb.EvtChar, 0x7E);
}
