#include "serial/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace {

// One step above normal is this much lower a nice value; the scheduler gives
// a thread about three times the share of one five nice levels above it.
constexpr int kNicePerStep = 5;

}  // namespace

void RaiseCurrentThreadPriority(int steps) {
    const auto thread = static_cast<id_t>(::gettid());
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (errno != 0) {
        return;
    }
    ::setpriority(PRIO_PROCESS, thread, current - steps * kNicePerStep);
}
