#pragma once
// "发送": hands the send box's text to the serial port, as text or as
// hexadecimal bytes, and says how many bytes the sent-bytes counter gains.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TMessageReporter;

struct TSendOptions {
    bool hex = false;     // "16进制发送"
    bool framed = false;  // "带帧头帧尾", acts only with hex
};

class TSender {
  public:
    // The serial port's SendBlock: true when the block was queued.
    using TSendBlock = std::function<bool(const char* data, std::uint16_t length)>;
    // After a refusal: whether the port's send buffer was full.
    using TSendBufferFull = std::function<bool()>;

    TSender(TSendBlock sendBlock, TMessageReporter& reporter, TSendBufferFull sendBufferFull = {});

    // Sends the send box's text, GBK bytes with CR LF line breaks, and
    // returns the bytes to add to the counter (0 when nothing was sent). An empty text shows the
    // empty-box warning; a refused text send shows the send error. A hex send reports nothing: the
    // payload goes out as one frame, or not at all. Either refused for a full send buffer says so.
    uint64_t Send(std::string_view text, TSendOptions options);

  private:
    // Passes `bytes` on in blocks that fit the 16-bit length; false as soon as
    // one is refused.
    bool SendInBlocks(std::string_view bytes);

    // True when the refusal was for a full send buffer, which it then reports.
    bool ReportedBufferFull();

    TSendBlock sendBlock_;
    TMessageReporter& reporter_;
    TSendBufferFull sendBufferFull_;
};
