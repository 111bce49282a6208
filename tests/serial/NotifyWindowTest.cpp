#include "serial/NotifyWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// A full block cut short, as the reader posts them in a flood, whose first
// byte says which it is.
TNotification FloodBlock(std::uint8_t tag) {
    auto block = std::make_unique<std::uint8_t[]>(kReadBlockSize + 1);
    block[0] = tag;
    return TNotification(std::move(block), kReadBlockSize, TBlockEnd::Cut);
}

}  // namespace

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

// A line that fills a block every few milliseconds or more is shown block
// by block: a flood block that waited is not held for a batch of others.
TEST(NotifyWindow, FloodBlocksFarApartAreEachDelivered) {
    std::vector<std::uint8_t> tags;
    TNotifyWindow window([&](TNotification& notification) { tags.push_back(notification.Block[0]); });
    window.Post(FloodBlock(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    window.Post(FloodBlock(2));
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(tags, (std::vector<std::uint8_t>{1, 2}));
}

// However fast they come, a batch of flood blocks wakes the owner, and the
// block that ends the flood brings the rest.
TEST(NotifyWindow, AFloodIsDeliveredWholeAndInOrder) {
    std::vector<std::uint8_t> tags;
    TNotifyWindow window([&](TNotification& notification) { tags.push_back(notification.Block[0]); });
    std::vector<std::uint8_t> posted;
    for (std::uint8_t tag = 0; tag < 200; ++tag) {
        window.Post(FloodBlock(tag));
        posted.push_back(tag);
    }
    auto last = std::make_unique<std::uint8_t[]>(2);
    last[0] = 200;
    window.Post(TNotification(std::move(last), 1, TBlockEnd::Pause));
    posted.push_back(200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tags.size() == posted.size(); }, 5000));
    EXPECT_EQ(tags, posted);
}
