#include "console/PortSettingsScan.h"

#include <fcntl.h>
#include <glob.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace {

// Orders by the text before the trailing number, then by that number.
bool NaturalLess(const std::string& a, const std::string& b) {
    auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) {
            --digits;
        }
        const std::string number = s.substr(digits);
        return std::pair{s.substr(0, digits),
                         number.empty() ? -1L : std::stol(number.substr(0, 9))};
    };
    return split(a) < split(b);
}

std::vector<std::string> Glob(const std::string& pattern) {
    glob_t matches{};
    std::vector<std::string> paths;
    if (glob(pattern.c_str(), 0, nullptr, &matches) == 0) {
        paths.assign(matches.gl_pathv, matches.gl_pathv + matches.gl_pathc);
    }
    globfree(&matches);
    std::sort(paths.begin(), paths.end(), NaturalLess);
    return paths;
}

bool CanOpen(const std::string& path, bool mustBeUart) {
    // Non-blocking, so a modem line waiting for carrier cannot stall the dialog.
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool usable = isatty(fd) == 1;
    if (usable && mustBeUart) {
        serial_struct info{};
        usable = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    }
    close(fd);
    return usable;
}

}  // namespace

std::vector<TPortScanPattern> DefaultPortScanPatterns() {
    return {{"/dev/ttyS*", true},
            {"/dev/ttyUSB*", false},
            {"/dev/ttyACM*", false},
            {"/dev/serial/by-id/*", false}};
}

std::vector<std::string> ScanSerialPorts(const std::vector<TPortScanPattern>& patterns) {
    std::vector<std::string> ports;
    for (const TPortScanPattern& pattern : patterns) {
        for (const std::string& path : Glob(pattern.glob)) {
            if (CanOpen(path, pattern.mustBeUart)) {
                ports.push_back(path);
            }
        }
    }
    return ports;
}
