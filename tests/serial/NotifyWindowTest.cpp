#include "serial/NotifyWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <thread>
#include <vector>

// A backlog of slow notifications is handed over a few milliseconds at a
// time, so the owner's timers run in between, and none is lost or reordered.
TEST(NotifyWindow, ABacklogIsDeliveredInSlicesInOrder) {
    std::vector<std::uint32_t> delivered;
    TNotifyWindow window([&](TNotification& notification) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        delivered.push_back(notification.LParam);
    });
    constexpr std::uint32_t kCount = 200;
    for (std::uint32_t i = 0; i < kCount; ++i)
        window.Post(TNotification(TNotifyCode::NOTIFY_LINE_ERROR, i));

    int ticksBetween = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!delivered.empty() && delivered.size() < kCount)
            ++ticksBetween;
    });
    timer.start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered.size() == kCount; }, 30000));
    EXPECT_GT(ticksBetween, 0) << "a timer ran while the backlog was delivered";
    for (std::uint32_t i = 0; i < kCount; ++i)
        ASSERT_EQ(delivered[i], i);
}
