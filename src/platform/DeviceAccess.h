#pragma once
// Who stands between the user and a device node: the group that owns it
// (whose members may open it) and the processes that hold it open. Used to
// tell the user why a port would not open; nothing here opens the device.

#include <string>
#include <vector>

// The name of the group owning the node ("dialout"); empty when unknown.
std::string DeviceGroupName(const std::string& path);

struct TDeviceHolder {
    int Pid = 0;
    std::string Name;  // the program's name as the system knows it, e.g. "minicom"

    bool operator==(const TDeviceHolder&) const = default;
};

// Other processes that have the device open, as far as the system tells
// (other users' processes only when running as root), in process-id order.
std::vector<TDeviceHolder> DeviceHolders(const std::string& path,
                                         const std::string& procRoot = "/proc");
