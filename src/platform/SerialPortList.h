#pragma once
// The serial ports of this machine, found without opening any of them: an
// open pulses DTR, which resets boards that take it as their reset line, and
// would hide ports that are busy or not permitted instead of letting the open
// say why. Each port comes with a description for people where the system
// has one (a USB adapter's product and serial number).

#include <string>
#include <vector>

struct TSerialPortInfo {
    std::string Path;         // what the port is opened by, e.g. /dev/ttyUSB0
    std::string Description;  // e.g. "FT232R USB UART (A50285BI)"; may be empty

    bool operator==(const TSerialPortInfo&) const = default;
};

// Where the listing looks. Tests point these at trees of their own.
struct TSerialPortRoots {
    std::string SysClassTty = "/sys/class/tty";
    std::string Dev = "/dev";
};

// The ports with a device behind them (UARTs with a driver and a device, USB
// adapters, Bluetooth serial links) in natural order (ttyS2 before ttyS10),
// then the udev links to them under serial/by-id and serial/by-path, which
// name a device however it was enumerated.
std::vector<TSerialPortInfo> ListSerialPorts(const TSerialPortRoots& roots = {});
