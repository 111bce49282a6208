// The port list from Linux's sysfs and udev's links; nothing is opened.
#include "platform/SerialPortList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Orders by the text before the trailing number, then by that number.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) {
            --digits;
        }
        const std::string number = s.substr(digits, 9);
        return std::pair{s.substr(0, digits), number.empty() ? -1L : std::stol(number)};
    };
    return split(a) < split(b);
}

// The first line of a sysfs attribute, without trailing blanks; empty when absent.
std::string Attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return line;
}

bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// Virtual terminals and the like have no device behind them; serial-core
// ports report their UART type, 0 meaning that no UART answered at that
// address (most ttyS nodes). Bluetooth links have a device only while
// connected, and are listed anyway.
bool HasSerialDevice(const fs::path& entry, const std::string& name) {
    if (name.starts_with("rfcomm")) {
        return true;
    }
    if (!Exists(entry / "device")) {
        return false;
    }
    return Attribute(entry / "type") != "0";
}

// The USB device above the tty (its interface, or the usb-serial port
// between), described by its product and serial number.
std::string UsbDescription(const fs::path& entry) {
    std::error_code error;
    fs::path dir = fs::canonical(entry / "device", error);
    constexpr int kLevelsUp = 5;
    for (int level = 0; !error && level < kLevelsUp && dir.has_relative_path(); ++level) {
        if (Exists(dir / "idVendor")) {
            std::string product = Attribute(dir / "product");
            if (product.empty()) {
                const std::string maker = Attribute(dir / "manufacturer");
                product = !maker.empty() ? maker
                                         : "USB " + Attribute(dir / "idVendor") + ":" +
                                               Attribute(dir / "idProduct");
            }
            const std::string serial = Attribute(dir / "serial");
            return serial.empty() ? product : product + " (" + serial + ")";
        }
        dir = dir.parent_path();
    }
    return {};
}

std::vector<TSerialPortInfo> DevicePorts(const TSerialPortRoots& roots) {
    std::vector<std::pair<std::string, TSerialPortInfo>> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(roots.SysClassTty, error)) {
        const std::string name = entry.path().filename().string();
        const fs::path node = fs::path(roots.Dev) / name;
        if (HasSerialDevice(entry.path(), name) && Exists(node)) {
            found.push_back({name, {node.string(), UsbDescription(entry.path())}});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return NaturalLess(a.first, b.first); });
    std::vector<TSerialPortInfo> ports;
    for (auto& [name, port] : found) {
        ports.push_back(std::move(port));
    }
    return ports;
}

// udev's stable names for the devices, each described by what it leads to.
std::vector<TSerialPortInfo> LinkedPorts(const fs::path& folder) {
    std::vector<TSerialPortInfo> ports;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::error_code unresolved;
        const fs::path target = fs::canonical(entry.path(), unresolved);
        if (!unresolved) {
            ports.push_back({entry.path().string(), "→ " + target.string()});
        }
    }
    std::sort(ports.begin(), ports.end(),
              [](const auto& a, const auto& b) { return a.Path < b.Path; });
    return ports;
}

}  // namespace

std::vector<TSerialPortInfo> ListSerialPorts(const TSerialPortRoots& roots) {
    std::vector<TSerialPortInfo> ports = DevicePorts(roots);
    for (const char* links : {"serial/by-id", "serial/by-path"}) {
        std::vector<TSerialPortInfo> linked = LinkedPorts(fs::path(roots.Dev) / links);
        ports.insert(ports.end(), linked.begin(), linked.end());
    }
    return ports;
}
