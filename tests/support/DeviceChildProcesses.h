// Second processes for tests of how a device refuses us: one that holds a
// device locked, and one that tries something without root's privileges. They
// are forked from the test process; the children do only what is safe there.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

// A process that opens the device and holds an exclusive flock on it until
// this object goes, named `name` in /proc.
class TLockHolder {
  public:
    TLockHolder(const std::string& path, const char* name) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::prctl(PR_SET_NAME, name);
            const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            const char answer = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            [[maybe_unused]] const ssize_t written = ::write(ready[1], &answer, 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char answer = 'n';
        struct pollfd wait {
            ready[0], POLLIN, 0
        };
        if (pid_ > 0 && ::poll(&wait, 1, 10000) == 1 && ::read(ready[0], &answer, 1) == 1) {
            holding_ = answer == 'y';
        }
        ::close(ready[0]);
    }
    ~TLockHolder() { Release(); }
    TLockHolder(const TLockHolder&) = delete;
    TLockHolder& operator=(const TLockHolder&) = delete;

    bool Holding() const { return holding_; }
    pid_t Pid() const { return pid_; }
    void Release() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        holding_ = false;
    }

  private:
    pid_t pid_ = -1;
    bool holding_ = false;
};

// Runs `attempt` where permissions apply: as root (which bypasses them) in a
// forked child that has become an ordinary user without groups, else right
// here. Returns what the attempt returned; device permissions are the
// caller's to take away (see DenyAccess).
inline std::string AttemptWithoutPrivileges(const std::function<std::string()>& attempt) {
    if (::geteuid() != 0) {
        return attempt();
    }
    int result[2];
    if (::pipe(result) != 0) {
        return "(no pipe)";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(result[0]);
        constexpr gid_t kNobody = 65534;
        std::string answer = "(privileges kept)";
        if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
            answer = attempt();
        }
        [[maybe_unused]] const ssize_t written = ::write(result[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(result[1]);
    std::string answer;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(result[0], buffer, sizeof buffer)) > 0) {
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    return answer;
}

// Leaves the device to its owner alone: an ordinary user other than the
// owner (or the owner itself once it is not root) may not open it.
inline bool DenyAccess(const std::string& path) {
    return ::chmod(path.c_str(), ::geteuid() == 0 ? 0600 : 0000) == 0;
}
