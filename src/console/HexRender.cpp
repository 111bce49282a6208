#include "console/HexRender.h"

void AppendHexRender(std::string_view bytes, std::string& out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (bytes.empty()) {
        return;
    }
    const size_t start = out.size();
    out.resize(start + bytes.size() * 3 - 1, ' ');
    char* pos = out.data() + start;
    for (unsigned char byte : bytes) {
        pos[0] = kDigits[byte >> 4];
        pos[1] = kDigits[byte & 0x0F];
        pos += 3;
    }
}

std::string HexRender(std::string_view bytes) {
    std::string out;
    AppendHexRender(bytes, out);
    return out;
}
