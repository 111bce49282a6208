// The reader runs two steps above normal, the writer one.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "serial/ThreadPriority.h"

namespace {

int PriorityAfterRaising(int steps) {
    int priority = 0;
    std::thread([&] {
        RaiseCurrentThreadPriority(steps);
        priority = GetThreadPriority(GetCurrentThread());
    }).join();
    return priority;
}

}  // namespace

TEST(Win32ThreadPriority, StepsAboveNormalMapToTheWindowsLevels) {
    EXPECT_EQ(PriorityAfterRaising(1), THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_EQ(PriorityAfterRaising(2), THREAD_PRIORITY_HIGHEST);
    EXPECT_EQ(PriorityAfterRaising(5), THREAD_PRIORITY_HIGHEST) << "never time-critical";
}
