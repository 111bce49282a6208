#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string RuntimeDir() {
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && *xdg != '\0') {
        return xdg;
    }
    const std::string dir = "/tmp/kelvane-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    return dir;
}

}  // namespace

TSingleInstanceLock::TSingleInstanceLock(const std::string& name)
    : TSingleInstanceLock(RuntimeDir() + "/" + name + ".lock", TPathTag{}) {}

TSingleInstanceLock TSingleInstanceLock::AtPath(const std::string& lockPath) {
    return TSingleInstanceLock(lockPath, TPathTag{});
}

TSingleInstanceLock::TSingleInstanceLock(const std::string& lockPath, TPathTag) {
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        acquired_ = true;
        return;
    }
    int rc;
    do {
        rc = flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    acquired_ = rc == 0 || errno != EWOULDBLOCK;
}

TSingleInstanceLock::TSingleInstanceLock(TSingleInstanceLock&& other) noexcept
    : fd_(other.fd_), acquired_(other.acquired_) {
    other.fd_ = -1;
}

TSingleInstanceLock::~TSingleInstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}
