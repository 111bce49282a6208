#include <gtest/gtest.h>

#include "serial/ReadTimeouts.h"

TEST(ReadTimeouts, IntervalAloneWaitsThatLongForEachByte) {
    const TCommTimeouts stored;  // 100 ms interval, no totals
    EXPECT_EQ(NextByteWaitMs(stored, 2048, 0), 100);
    EXPECT_EQ(NextByteWaitMs(stored, 2048, 5000), 100) << "no total limit";
}

TEST(ReadTimeouts, NoIntervalAndNoTotalWaitsForAFullBuffer) {
    EXPECT_EQ(NextByteWaitMs({0, 0, 0, 0, 0}, 2048, 123), -1);
}

TEST(ReadTimeouts, TotalLimitCountsFromTheFirstByte) {
    const TCommTimeouts timeouts{0, 1, 100, 0, 0};  // 1 ms per byte + 100 ms
    EXPECT_EQ(NextByteWaitMs(timeouts, 10, 0), 110);
    EXPECT_EQ(NextByteWaitMs(timeouts, 10, 100), 10);
    EXPECT_EQ(NextByteWaitMs(timeouts, 10, 500), 0);

    const TCommTimeouts both{50, 0, 120, 0, 0};
    EXPECT_EQ(NextByteWaitMs(both, 10, 0), 50) << "the nearer limit wins";
    EXPECT_EQ(NextByteWaitMs(both, 10, 100), 20);
}

TEST(ReadTimeouts, AllOnesIntervalReturnsWhatIsThere) {
    EXPECT_EQ(NextByteWaitMs({kReadReturnImmediately, 0, 0, 0, 0}, 2048, 0), 0);
    EXPECT_EQ(NextByteWaitMs({kReadReturnImmediately, 0, 40, 0, 0}, 2048, 0), 40);
}

TEST(ReadTimeouts, HugeTotalsDoNotOverflow) {
    const TCommTimeouts huge{0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0};
    EXPECT_GT(NextByteWaitMs(huge, 2048, 0), 0);
}
