#include "SimOptions.h"

#include <charconv>
#include <cmath>
#include <map>

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseUnsignedIn(const std::string& text, unsigned low, unsigned high, unsigned& value) {
    return ParseNumber(text, value) && value >= low && value <= high;
}

bool ParseFinite(const std::string& text, double& value) {
    return ParseNumber(text, value) && std::isfinite(value);
}

const std::map<std::string, std::string> kLineEndings{{"crlf", "\r\n"}, {"lf", "\n"}, {"cr", "\r"}};

const std::map<std::string, TWaveShape> kShapes{{"sine", TWaveShape::Sine},
                                                {"square", TWaveShape::Square},
                                                {"triangle", TWaveShape::Triangle},
                                                {"saw", TWaveShape::Saw},
                                                {"noise", TWaveShape::Noise}};

}  // namespace

std::string SimUsage() {
    return R"(Usage: kelvane-sim [options]

Simulates a serial device on a pseudo-terminal. Prints the device path on the
first line of its output, then streams one number per line to whoever opens
that device, until interrupted (Ctrl+C or SIGTERM).

  --link PATH       also make PATH a symbolic link to the device (removed on exit)
  --shape NAME      sine, square, triangle, saw or noise (default sine)
  --hex             write the numbers as upper-case hexadecimal digits
                    (default: decimal, for example 512)
  --rate N          lines per second, 1 to 100000 (default 50)
  --period N        lines per cycle of the wave (default 100)
  --amplitude A     peak deviation from the offset (default 500)
  --offset O        centre value (default 512)
  --eol crlf|lf|cr  how lines end (default crlf)
  --frame N         lines per frame (default 1)
  --gap MS          pause after each frame, in milliseconds (default 0)
  --echo            send back every byte received from the port
  --help            show this text

Example: kelvane-sim --link /tmp/ttyKelvane --shape triangle --rate 100
)";
}

std::variant<TSimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args) {
    TSimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.Help = true;
            continue;
        }
        if (name == "--echo") {
            options.Echo = true;
            continue;
        }
        if (name == "--hex") {
            options.Format = TNumberFormat::Hexadecimal;
            continue;
        }
        if (i + 1 >= args.size()) {
            return "unknown option or missing value: " + name;
        }
        const std::string& value = args[++i];
        bool valid = true;
        if (name == "--link") {
            options.LinkPath = value;
        } else if (name == "--shape") {
            const auto shape = kShapes.find(value);
            valid = shape != kShapes.end();
            if (valid) {
                options.Wave.Shape = shape->second;
            }
        } else if (name == "--rate") {
            valid = ParseUnsignedIn(value, 1, 100000, options.Rate);
        } else if (name == "--period") {
            valid = ParseUnsignedIn(value, 1, 100000000, options.Wave.Period);
        } else if (name == "--amplitude") {
            valid = ParseFinite(value, options.Wave.Amplitude);
        } else if (name == "--offset") {
            valid = ParseFinite(value, options.Wave.Offset);
        } else if (name == "--eol") {
            const auto ending = kLineEndings.find(value);
            valid = ending != kLineEndings.end();
            if (valid) {
                options.LineEnding = ending->second;
            }
        } else if (name == "--frame") {
            valid = ParseUnsignedIn(value, 1, 100000, options.FrameLines);
        } else if (name == "--gap") {
            valid = ParseUnsignedIn(value, 0, 3600000, options.GapMs);
        } else {
            return "unknown option: " + name;
        }
        if (!valid) {
            return "invalid value for " + name + ": " + value;
        }
    }
    return options;
}
