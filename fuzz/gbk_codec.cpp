// Any bytes decode to valid UTF-8, any text encodes, and text that came from
// GBK goes back to the same GBK.
#include <QString>

#include "FuzzSupport.h"
#include "platform/Gbk.h"

namespace {

bool IsValidUtf8(std::string_view text) {
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return decoded.toUtf8() == QByteArray(text.data(), qsizetype(text.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);
    const std::string utf8 = GbkToUtf8(bytes);
    FuzzCheck(IsValidUtf8(utf8), "decoded GBK is valid UTF-8");
    const std::string gbk = Utf8ToGbk(utf8);
    FuzzCheck(GbkToUtf8(gbk) == utf8 || utf8.find("\xEF\xBF\xBD") != std::string::npos,
              "text decoded from GBK encodes back to the same text");
    Utf8ToGbk(bytes);
    return 0;
}
