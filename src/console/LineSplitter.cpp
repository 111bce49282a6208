#include "console/LineSplitter.h"

std::string_view EndingBytes(TLineEnding ending) {
    switch (ending) {
        case TLineEnding::CrLf:
            return "\r\n";
        case TLineEnding::Lf:
            return "\n";
        case TLineEnding::Cr:
            return "\r";
        case TLineEnding::None:
            break;
    }
    return {};
}
