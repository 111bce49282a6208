#pragma once
// Finds the serial devices the user can open right now, for the port list of
// the settings dialog. A device counts when it exists and opens for reading
// and writing; built-in UART nodes (/dev/ttyS*) count only when a UART is
// really behind them, since most of those nodes are placeholders.

#include <string>
#include <vector>

struct TPortScanPattern {
    std::string glob;         // e.g. "/dev/ttyUSB*"
    bool mustBeUart = false;  // keep only nodes with a known UART type
};

// /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*, /dev/serial/by-id/*.
std::vector<TPortScanPattern> DefaultPortScanPatterns();

// Device paths, each pattern's matches in natural order (ttyS2 before ttyS10).
std::vector<std::string> ScanSerialPorts(const std::vector<TPortScanPattern>& patterns);
