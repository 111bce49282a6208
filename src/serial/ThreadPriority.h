// Raises the calling thread's scheduling priority by a number of steps above
// normal, so that the port's reader and writer keep up with the line on a
// busy machine. Where the system does not allow it (an unprivileged user on
// Linux), the thread keeps its priority; nothing else changes.
#pragma once

void RaiseCurrentThreadPriority(int steps);
