#include "console/Sender.h"

#include <algorithm>

#include "console/ConsoleMessages.h"
#include "console/HexSendParser.h"
#include "platform/Gbk.h"

std::string SendBoxBytes(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return Utf8ToGbk(withCrLf.toStdString());
}

TSender::TSender(TSendBlock sendBlock, TMessageReporter& reporter)
    : sendBlock_(std::move(sendBlock)), reporter_(reporter) {}

uint64_t TSender::Send(const QString& text, TSendOptions options) {
    if (text.isEmpty()) {
        reporter_.Show(kPromptCaption, kEmptySendBoxText, TMessageIcon::Warning);
        return 0;
    }
    if (!options.hex) {
        const std::string bytes = SendBoxBytes(text);
        if (!SendInBlocks(bytes)) {
            reporter_.Show(kPromptCaption, kSendErrorText, TMessageIcon::Error);
            return 0;
        }
        return bytes.size();
    }
    const std::string payload = ParseHexBytes(text.toStdString());
    if (payload.empty() && !options.framed) {
        return 0;
    }
    return SendInBlocks(BuildHexFrame(payload, options.framed)) ? payload.size() : 0;
}

bool TSender::SendInBlocks(const std::string& bytes) {
    constexpr size_t kMaxBlock = 0xFFFF;
    for (size_t offset = 0; offset < bytes.size(); offset += kMaxBlock) {
        const size_t length = std::min(kMaxBlock, bytes.size() - offset);
        if (!sendBlock_(bytes.data() + offset, static_cast<std::uint16_t>(length))) {
            return false;
        }
    }
    return true;
}
