// Value types of the serial port component: the line-setting enumerations, the
// settings and time-out records the device layer applies, and the bit values
// carried by the line-error and modem events.
#pragma once

#include <cstddef>
#include <cstdint>

enum class TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
enum class TByteSize { _5, _6, _7, _8 };
enum class TParity { None, Odd, Even, Mark, Space };
enum class TStopBits { _1, _1_5, _2 };

// Everything that reaches the line, with the component's constructor defaults.
struct TLineSettings {
    std::uint32_t BaudRate = 9600;
    bool ParityCheck = false;
    bool Outx_CtsFlow = false;
    bool Outx_DsrFlow = false;
    TDtrControl DtrControl = TDtrControl::DtrEnable;
    bool DsrSensitivity = false;
    bool TxContinueOnXoff = true;
    bool Outx_XonXoffFlow = true;
    bool Inx_XonXoffFlow = true;
    bool ReplaceWhenParityError = false;
    bool IgnoreNullChar = false;
    TRtsControl RtsControl = TRtsControl::RtsEnable;
    std::uint16_t XonLimit = 500;
    std::uint16_t XoffLimit = 500;
    TByteSize ByteSize = TByteSize::_8;
    TParity Parity = TParity::None;
    TStopBits StopBits = TStopBits::_1;
    char XonChar = 0x11;
    char XoffChar = 0x13;
    char ReplacedChar = 0x00;

    bool operator==(const TLineSettings&) const = default;
};

// Read and write time-outs in milliseconds. A read waits without limit for its
// first byte, then gathers bytes until ReadIntervalTimeout passes without a new
// one (0: no interval limit), the total read time-out passes (both total fields
// 0: no total limit) or the read buffer is full.
struct TCommTimeouts {
    std::uint32_t ReadIntervalTimeout = 100;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;

    bool operator==(const TCommTimeouts&) const = default;
};

// Line error flags passed to OnReceiveError.
constexpr std::uint32_t CE_RXOVER = 0x0001;    // input buffer overflow
constexpr std::uint32_t CE_OVERRUN = 0x0002;   // hardware receive overrun
constexpr std::uint32_t CE_RXPARITY = 0x0004;  // parity error
constexpr std::uint32_t CE_FRAME = 0x0008;     // framing error
constexpr std::uint32_t CE_BREAK = 0x0010;     // break condition

// Modem event bits passed to OnModemStateChange.
constexpr std::uint32_t MODEM_RING = 4;  // ring indicator event
constexpr std::uint32_t MODEM_RLSD = 8;  // carrier detect changed

// Most bytes one OnReceiveData call carries.
constexpr std::uint16_t kReadBlockSize = 2048;

// Most received bytes that may wait for the owner at once. When the owner
// falls this far behind, the reader stops reading: the driver's buffer and
// the line's flow control hold the rest until the owner catches up.
constexpr std::size_t kReadQueueLimitBytes = std::size_t{64} << 20;
// Most bytes handed to SendBlock and not yet written. Beyond it SendBlock
// refuses, instead of piling up while flow control holds the line.
constexpr std::size_t kWriteQueueLimitBytes = std::size_t{16} << 20;

// How a received block ended. Pause: no byte came for ReadIntervalTimeout, so
// whatever the device sends next starts afresh. Cut: the block was passed on
// while bytes were still coming (it was full, or one interval old with more
// bytes already there, or the read's total time-out passed), so the next block
// continues it.
enum class TBlockEnd { Pause, Cut };
