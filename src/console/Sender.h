#pragma once
// "发送": hands the send box's text to the serial port, as text or as
// hexadecimal bytes, and says how it went and how many bytes the sent-bytes
// counter gains.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TMessageReporter;

struct TSendOptions {
    bool hex = false;     // "16进制发送"
    bool framed = false;  // "带帧头帧尾", acts only with hex
};

enum class TSendOutcome {
    Sent,        // handed over whole (a hex text without digits sends nothing and counts as sent)
    EmptyBox,    // the send box is empty: nothing to send
    Refused,     // the port took nothing (closed, or the hand-over failed)
    BufferFull,  // the port refused it: its send buffer is full (the line is held back)
};

struct TSendResult {
    TSendOutcome outcome = TSendOutcome::Sent;
    uint64_t counted = 0;  // bytes the counter gains
};

class TSender {
  public:
    // The serial port's SendBlock: true when the block was queued.
    using TSendBlock = std::function<bool(const char* data, std::uint16_t length)>;
    // After a refusal: whether the port's send buffer was full.
    using TSendBufferFull = std::function<bool()>;

    explicit TSender(TSendBlock sendBlock, TSendBufferFull sendBufferFull = {});

    // Sends the send box's text, GBK bytes with CR LF line breaks. A text
    // send goes out as it is; a hex send goes out as one frame of the pairs
    // the text holds, or not at all. Reports nothing: the caller says what
    // the outcome means to the user.
    TSendResult Send(std::string_view text, TSendOptions options);

  private:
    // Passes `bytes` on in blocks that fit the 16-bit length; false as soon as
    // one is refused.
    bool SendInBlocks(std::string_view bytes);
    TSendResult Refusal() const;

    TSendBlock sendBlock_;
    TSendBufferFull sendBufferFull_;
};

// What a send says to the user: the empty-box warning, the send error for a
// refused send unless `quietRefusal` (a hex send by "发送" reports none), or,
// quiet or not, that the send buffer is full.
void ReportSendOutcome(TMessageReporter& reporter, TSendOutcome outcome, bool quietRefusal);
