#pragma once
// The ports the settings dialog appends to its list: the machine's serial
// ports, found without opening any of them, less the one this program has
// open now (by whatever name it was opened: a udev link leads to it too).

#include <string>
#include <vector>

#include "platform/SerialPortList.h"

// openDevice is the path of the port this program has open, empty when none.
std::vector<TSerialPortInfo> ScanSerialPorts(const TSerialPortRoots& roots,
                                             const std::string& openDevice);
