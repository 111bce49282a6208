// Any text typed in hexadecimal-send mode gives at most one byte per digit,
// and framing adds exactly the head and the tail.
#include "FuzzSupport.h"
#include "console/HexSendParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText(data, size);
    const std::string payload = ParseHexBytes(text);
    FuzzCheck(payload.size() <= text.size(), "no more bytes than characters");
    const std::string framed = BuildHexFrame(payload, true);
    FuzzCheck(framed.size() == payload.size() + 2 && framed.front() == kFrameHead &&
                  framed.back() == kFrameTail,
              "the frame wraps the payload");
    FuzzCheck(BuildHexFrame(payload, false) == payload, "no frame without the switch");
    return 0;
}
