#include "platform/Gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

// An iconv descriptor, kept per direction and thread: opening one costs
// more than converting a screen row, which the receive box does for every
// row it paints, and one per thread keeps the functions thread-safe.
class TIconv {
  public:
    TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~TIconv() { iconv_close(cd_); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts all of `input`; at each sequence iconv rejects, appends
    // `replacement` and skips `skip(rest)` bytes of the input.
    template <typename Skip>
    std::string Convert(std::string_view input, std::string_view replacement, Skip skip) {
        // What an earlier conversion left half-done must not carry over.
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(input.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (rc != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // EILSEQ (invalid) or EINVAL (cut off at the end): replace and move on.
            out.append(replacement);
            const size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
            in += n;
            inLeft -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence starting at text[0]; 1 for a stray byte.
size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    for (size_t i = 1; i < length; ++i) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return length;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    thread_local TIconv toUtf8("UTF-8", "GBK");
    return toUtf8.Convert(gbk, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToGbk(std::string_view utf8) {
    thread_local TIconv toGbk("GBK", "UTF-8");
    return toGbk.Convert(utf8, "?", Utf8SequenceLength);
}
