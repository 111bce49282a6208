#include <gtest/gtest.h>

#include "serial/ReadTimeouts.h"

namespace {

constexpr TBlockEnd kPause = TBlockEnd::Pause;
constexpr TBlockEnd kCut = TBlockEnd::Cut;

void ExpectWait(const TNextByteWait& wait, int ms, TBlockEnd endsAs) {
    EXPECT_EQ(wait.Ms, ms);
    EXPECT_EQ(wait.EndsAs, endsAs);
}

}  // namespace

TEST(ReadTimeouts, IntervalWaitsThatLongAndEndsTheBlockAsAPause) {
    const TCommTimeouts stored;  // 100 ms interval, no totals
    ExpectWait(NextByteWait(stored, 2048, 0), 100, kPause);
    ExpectWait(NextByteWait(stored, 2048, 5000), 100, kPause);  // no total limit
}

TEST(ReadTimeouts, ABlockIsOverdueOneIntervalAfterItsFirstByte) {
    const TCommTimeouts stored;
    EXPECT_FALSE(BlockOverdue(stored, 0));
    EXPECT_FALSE(BlockOverdue(stored, 99));
    EXPECT_TRUE(BlockOverdue(stored, 100));
    EXPECT_TRUE(BlockOverdue(stored, 5000));
    EXPECT_FALSE(BlockOverdue({800, 0, 0, 0, 0}, 700));
    EXPECT_TRUE(BlockOverdue({800, 0, 0, 0, 0}, 800));
}

TEST(ReadTimeouts, WithoutAnIntervalABlockIsNeverOverdue) {
    EXPECT_FALSE(BlockOverdue({0, 0, 0, 0, 0}, 123456));
    EXPECT_FALSE(BlockOverdue({kReadReturnImmediately, 0, 0, 0, 0}, 123456));
    ExpectWait(NextByteWait({0, 0, 0, 0, 0}, 2048, 123), -1, kPause);  // waits for a full buffer
}

TEST(ReadTimeouts, TotalLimitCountsFromTheFirstByteAndCutsTheBlock) {
    const TCommTimeouts timeouts{0, 1, 100, 0, 0};  // 1 ms per byte + 100 ms
    ExpectWait(NextByteWait(timeouts, 10, 0), 110, kCut);
    ExpectWait(NextByteWait(timeouts, 10, 100), 10, kCut);
    ExpectWait(NextByteWait(timeouts, 10, 500), 0, kCut);

    const TCommTimeouts both{50, 0, 120, 0, 0};
    ExpectWait(NextByteWait(both, 10, 0), 50, kPause);  // the nearer limit wins
    ExpectWait(NextByteWait(both, 10, 100), 20, kCut);
    ExpectWait(NextByteWait({50, 0, 50, 0, 0}, 10, 0), 50, kPause);  // a tie is a pause
}

TEST(ReadTimeouts, AllOnesIntervalReturnsWhatIsThere) {
    ExpectWait(NextByteWait({kReadReturnImmediately, 0, 0, 0, 0}, 2048, 0), 0, kPause);
    ExpectWait(NextByteWait({kReadReturnImmediately, 0, 40, 0, 0}, 2048, 0), 40, kCut);
}

TEST(ReadTimeouts, HugeTotalsDoNotOverflow) {
    const TCommTimeouts huge{0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0};
    EXPECT_GT(NextByteWait(huge, 2048, 0).Ms, 0);
}
