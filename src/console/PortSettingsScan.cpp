#include "console/PortSettingsScan.h"

#include <algorithm>
#include <filesystem>

namespace {

std::filesystem::path Resolved(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(path, ignored);
}

}  // namespace

std::vector<TSerialPortInfo> ScanSerialPorts(const TSerialPortRoots& roots,
                                             const std::string& openDevice) {
    std::vector<TSerialPortInfo> ports = ListSerialPorts(roots);
    if (!openDevice.empty()) {
        const std::filesystem::path open = Resolved(openDevice);
        std::erase_if(ports,
                      [&open](const TSerialPortInfo& port) { return Resolved(port.Path) == open; });
    }
    return ports;
}
