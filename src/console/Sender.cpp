#include "console/Sender.h"

#include <algorithm>

#include "console/ConsoleMessages.h"
#include "console/HexSendParser.h"

TSender::TSender(TSendBlock sendBlock, TSendBufferFull sendBufferFull)
    : sendBlock_(std::move(sendBlock)), sendBufferFull_(std::move(sendBufferFull)) {}

TSendResult TSender::Send(std::string_view text, TSendOptions options) {
    if (text.empty()) {
        return {TSendOutcome::EmptyBox, 0};
    }
    if (!options.hex) {
        return SendInBlocks(text) ? TSendResult{TSendOutcome::Sent, text.size()} : Refusal();
    }
    const std::string payload = ParseHexBytes(text);
    if (payload.empty() && !options.framed) {
        return {TSendOutcome::Sent, 0};
    }
    return SendInBlocks(BuildHexFrame(payload, options.framed))
               ? TSendResult{TSendOutcome::Sent, payload.size()}
               : Refusal();
}

TSendResult TSender::Refusal() const {
    const bool full = sendBufferFull_ && sendBufferFull_();
    return {full ? TSendOutcome::BufferFull : TSendOutcome::Refused, 0};
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

void ReportSendOutcome(TMessageReporter& reporter, TSendOutcome outcome, bool quietRefusal) {
    if (outcome == TSendOutcome::EmptyBox) {
        reporter.Show(PromptCaption(), EmptySendBoxText(), TMessageIcon::Warning);
    } else if (outcome == TSendOutcome::Refused && !quietRefusal) {
        reporter.Show(PromptCaption(), SendErrorText(), TMessageIcon::Error);
    } else if (outcome == TSendOutcome::BufferFull) {
        reporter.Show(PromptCaption(), SendBufferFullText(), TMessageIcon::Warning);
    }
}
