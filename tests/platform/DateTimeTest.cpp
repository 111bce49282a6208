#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace {

TEST(DateTime, CountsDaysFrom30December1899) {
    EXPECT_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_EQ(EncodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_EQ(EncodeDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    // Before the epoch the time of day still counts forward: -1.25 is 29 Dec 1899, 06:00.
    const TDateTimeParts before = DecodeDateTime(-1.25);
    EXPECT_EQ(before.day, 29);
    EXPECT_EQ(before.hour, 6);
}

TEST(DateTime, DecodesWhatItEncodes) {
    const TDateTimeParts parts{2026, 2, 28, 23, 59, 58, 999};
    const TDateTimeParts back = DecodeDateTime(EncodeDateTime(parts));
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.month, 2);
    EXPECT_EQ(back.day, 28);
    EXPECT_EQ(back.hour, 23);
    EXPECT_EQ(back.minute, 59);
    EXPECT_EQ(back.second, 58);
    EXPECT_EQ(back.millisecond, 999);
}

TEST(DateTime, FormatsTheUsualLetters) {
    const TDateTime t = EncodeDateTime({2024, 3, 7, 14, 23, 5, 42});
    EXPECT_EQ(FormatDateTime("hhnnss", t), "142305");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", t), "14:23:05");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss.zzz", t), "2024-03-07 14:23:05.042");
    EXPECT_EQ(FormatDateTime("d/m/yy h:n:s", t), "7/3/24 14:23:5");
    EXPECT_EQ(FormatDateTime("'at' hh\"h\"", t), "at 14h");
}

TEST(DateTime, NowIsLocalWallClock) {
    // The local date read before and after Now(); at midnight they differ
    // and the reading is taken again.
    auto localDay = [] {
        const std::time_t seconds = std::time(nullptr);
        std::tm local{};
        localtime_r(&seconds, &local);
        return local;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::tm before = localDay();
        const TDateTimeParts now = DecodeDateTime(Now());
        const std::tm after = localDay();
        if (before.tm_mday != after.tm_mday)
            continue;
        EXPECT_EQ(now.year, before.tm_year + 1900);
        EXPECT_EQ(now.month, before.tm_mon + 1);
        EXPECT_EQ(now.day, before.tm_mday);
        return;
    }
    FAIL() << "the date kept changing";
}

}  // namespace
