// Group ownership from the node itself, holders from /proc/<pid>/fd.
#include "platform/DeviceAccess.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Whether two stat results name the same device (or, for anything but a
// device node, the same file).
bool SameNode(const struct stat& a, const struct stat& b) {
    if (S_ISCHR(a.st_mode) || S_ISBLK(a.st_mode)) {
        return (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT) && a.st_rdev == b.st_rdev;
    }
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool HoldsNode(const fs::path& descriptors, const struct stat& node) {
    std::error_code error;
    for (const fs::directory_entry& fd : fs::directory_iterator(descriptors, error)) {
        struct stat open {};
        if (::stat(fd.path().c_str(), &open) == 0 && SameNode(open, node)) {
            return true;
        }
    }
    return false;
}

std::string ProcessName(const fs::path& process) {
    std::ifstream in(process / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::string DeviceGroupName(const std::string& path) {
    struct stat node {};
    if (::stat(path.c_str(), &node) != 0) {
        return {};
    }
    const struct group* owner = ::getgrgid(node.st_gid);
    return owner != nullptr ? owner->gr_name : std::to_string(node.st_gid);
}

std::vector<TDeviceHolder> DeviceHolders(const std::string& path, const std::string& procRoot) {
    std::vector<TDeviceHolder> holders;
    struct stat node {};
    if (::stat(path.c_str(), &node) != 0) {
        return holders;
    }
    const std::string self = std::to_string(::getpid());
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator(procRoot, error)) {
        const std::string pid = process.path().filename().string();
        if (AllDigits(pid) && pid != self && HoldsNode(process.path() / "fd", node)) {
            holders.push_back({std::stoi(pid), ProcessName(process.path())});
        }
    }
    std::sort(holders.begin(), holders.end(),
              [](const auto& a, const auto& b) { return a.Pid < b.Pid; });
    return holders;
}
