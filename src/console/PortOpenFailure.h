#pragma once
// Why a port would not open, for the second line of the open-failure
// message: the cause in the user's terms and what to do about it, from the
// system's error code and what the system tells about the device.

#include <QString>

#include <string>
#include <vector>

#include "platform/DeviceAccess.h"

class ECommsError;

struct TOpenFailureFacts {
    int error = 0;       // errno; 0: nothing known
    std::string device;  // the path that was opened
    std::string group;   // the group owning the device node
    std::vector<TDeviceHolder> holders;
};

// The facts for a failed open of `device`, asking the system about it.
TOpenFailureFacts GatherOpenFailureFacts(const ECommsError& failure, const std::string& device);

// Empty when there is nothing to add to the usual message.
QString OpenFailureCause(const TOpenFailureFacts& facts);
