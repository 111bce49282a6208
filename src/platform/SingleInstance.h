#pragma once
// Keeps a second copy of the program from starting for the same user. The
// guard is an advisory lock on a per-user file, which the system releases when
// the process ends, so a crashed instance never blocks the next start.

#include <string>

class TSingleInstanceLock {
  public:
    // Locks "<runtime dir>/<name>.lock", where the runtime dir is
    // $XDG_RUNTIME_DIR or a private folder under /tmp.
    explicit TSingleInstanceLock(const std::string& name);
    // Locks the given file; for tests and odd environments.
    static TSingleInstanceLock AtPath(const std::string& lockPath);
    ~TSingleInstanceLock();
    TSingleInstanceLock(TSingleInstanceLock&& other) noexcept;
    TSingleInstanceLock& operator=(TSingleInstanceLock&&) = delete;
    TSingleInstanceLock(const TSingleInstanceLock&) = delete;
    TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;

    // False when another process holds the lock. When the lock file cannot
    // be created at all the program runs rather than refusing to start.
    bool Acquired() const { return acquired_; }

  private:
    struct TPathTag {};
    TSingleInstanceLock(const std::string& lockPath, TPathTag);

    int fd_ = -1;
    bool acquired_ = false;
};
