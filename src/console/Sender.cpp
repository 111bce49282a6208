#include "console/Sender.h"

#include <algorithm>

#include "console/ConsoleMessages.h"
#include "console/HexSendParser.h"

TSender::TSender(TSendBlock sendBlock, TMessageReporter& reporter, TSendBufferFull sendBufferFull)
    : sendBlock_(std::move(sendBlock)),
      reporter_(reporter),
      sendBufferFull_(std::move(sendBufferFull)) {}

uint64_t TSender::Send(std::string_view text, TSendOptions options) {
    if (text.empty()) {
        reporter_.Show(kPromptCaption, kEmptySendBoxText, TMessageIcon::Warning);
        return 0;
    }
    if (!options.hex) {
        if (!SendInBlocks(text)) {
            if (!ReportedBufferFull()) {
                reporter_.Show(kPromptCaption, kSendErrorText, TMessageIcon::Error);
            }
            return 0;
        }
        return text.size();
    }
    const std::string payload = ParseHexBytes(text);
    if (payload.empty() && !options.framed) {
        return 0;
    }
    if (!SendInBlocks(BuildHexFrame(payload, options.framed))) {
        ReportedBufferFull();
        return 0;
    }
    return payload.size();
}

bool TSender::ReportedBufferFull() {
    if (!sendBufferFull_ || !sendBufferFull_()) {
        return false;
    }
    reporter_.Show(kPromptCaption, kSendBufferFullText, TMessageIcon::Warning);
    return true;
}

bool TSender::SendInBlocks(std::string_view bytes) {
    constexpr size_t kMaxBlock = 0xFFFF;
    for (size_t offset = 0; offset < bytes.size(); offset += kMaxBlock) {
        const size_t length = std::min(kMaxBlock, bytes.size() - offset);
        if (!sendBlock_(bytes.data() + offset, static_cast<std::uint16_t>(length))) {
            return false;
        }
    }
    return true;
}
