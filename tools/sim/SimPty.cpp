#include "SimPty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

TSimPty::TSimPty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        Fail("cannot create a pseudo-terminal");
    }
    devicePath_ = ::ptsname(master_);
    keepAlive_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (keepAlive_ < 0) {
        Fail("cannot open " + devicePath_);
    }
    // Raw from the start: no echo or line editing before the far side sets
    // its own line settings.
    struct termios raw {};
    if (::tcgetattr(keepAlive_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(keepAlive_, TCSANOW, &raw);
    }
}

TSimPty::~TSimPty() {
    if (!linkPath_.empty()) {
        ::unlink(linkPath_.c_str());
    }
    ::close(keepAlive_);
    ::close(master_);
}

void TSimPty::Link(const std::string& linkPath) {
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            errno = EEXIST;
            Fail("refusing to replace " + linkPath);
        }
        ::unlink(linkPath.c_str());
    }
    if (::symlink(devicePath_.c_str(), linkPath.c_str()) != 0) {
        Fail("cannot create link " + linkPath);
    }
    linkPath_ = linkPath;
}
