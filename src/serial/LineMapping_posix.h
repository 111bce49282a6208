// Pure translations between the component's line settings and what a Linux
// serial driver takes and reports. No device is touched here.
#pragma once

#include <asm/termbits.h>
#include <linux/serial.h>

#include <string>
#include <string_view>

#include "serial/CommTypes.h"
#include "serial/PortDevice.h"

// "COMn" (any letter case, n >= 1) names /dev/ttyS(n-1), so settings written
// for the first serial port still find it; any other name is used as a path.
std::string DevicePathForCommName(std::string_view commName);

struct TPosixLineSettings {
    struct termios2 Termios;
    bool RaiseDtr;
    bool RaiseRts;
    bool DriverDrivesRts;  // hardware handshake: the driver owns RTS
    bool RtsOnSend;        // RTS up only while sending (RS-485 style)
};

// Builds the driver's settings from ours. Fields we have no say over (line
// discipline, unused control characters) keep the values of current. A baud
// rate of 0, or one above 2^31 - 1 (a negative rate gone through unsigned),
// keeps the current rate, as a driver keeps it when it refuses a rate.
TPosixLineSettings PosixLineSettingsFor(const TLineSettings& settings,
                                        const struct termios2& current);

// The line event between two readings of the driver's interrupt counters.
TLineEvent LineEventBetween(const struct serial_icounter_struct& before,
                            const struct serial_icounter_struct& after);
