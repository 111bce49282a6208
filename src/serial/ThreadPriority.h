// Raises the calling thread's scheduling priority by a number of steps above
// normal, so that the port's reader and writer keep up with the line on a
// busy machine. Where the system does not allow it (an unprivileged user on
// Linux), the thread keeps its priority; nothing else changes.
#pragma once

// The steps the port's threads are raised by: the reader most, since a
// reader that falls behind loses the line's bytes to the driver's limits.
constexpr int kReaderPrioritySteps = 2;  // THREAD_PRIORITY_HIGHEST
constexpr int kWriterPrioritySteps = 1;  // THREAD_PRIORITY_ABOVE_NORMAL

void RaiseCurrentThreadPriority(int steps);
