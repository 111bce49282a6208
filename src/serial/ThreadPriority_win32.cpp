#include <windows.h>

#include <algorithm>

#include "serial/ThreadPriority.h"

void RaiseCurrentThreadPriority(int steps) {
    // THREAD_PRIORITY_ABOVE_NORMAL is one step above normal, _HIGHEST two.
    SetThreadPriority(GetCurrentThread(),
                      std::clamp(steps, THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_HIGHEST));
}
