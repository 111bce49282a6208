// The pool behind the text stores' deques: what it keeps, what it hands out
// again, and that deques over it keep their elements through every growth and
// trim.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "console/BlockPool.h"

namespace {

// Empties the calling thread's pool, so that each test starts from nothing.
void DrainPool() {
    std::vector<void*> blocks;
    while (BlockPool::KeptBlocks() > 0) {
        blocks.push_back(BlockPool::Take(BlockPool::kBlockBytes));
    }
    for (void* block : blocks) {
        ::operator delete(block);
    }
}

}  // namespace

TEST(BlockPool, ABlockGivenBackIsTheNextHandedOutForEverySmallSize) {
    DrainPool();
    void* first = BlockPool::Take(BlockPool::kBlockBytes);
    BlockPool::Give(first, BlockPool::kBlockBytes);
    EXPECT_EQ(BlockPool::KeptBlocks(), 1u);
    // A smaller request gets a whole slot too, so any freed block fits it.
    void* smaller = BlockPool::Take(24);
    EXPECT_EQ(smaller, first);
    EXPECT_EQ(BlockPool::KeptBlocks(), 0u);
    BlockPool::Give(smaller, 24);

    // Larger requests never enter the pool.
    void* large = BlockPool::Take(BlockPool::kBlockBytes + 1);
    BlockPool::Give(large, BlockPool::kBlockBytes + 1);
    EXPECT_EQ(BlockPool::KeptBlocks(), 1u);
    DrainPool();
}

TEST(BlockPool, KeepsNoMoreThanItsLimit) {
    DrainPool();
    constexpr size_t limit = BlockPool::kMostKeptBytes / BlockPool::kBlockBytes;
    std::vector<void*> blocks(limit + 100);
    for (void*& block : blocks) {
        block = BlockPool::Take(BlockPool::kBlockBytes);
    }
    for (void* block : blocks) {
        BlockPool::Give(block, BlockPool::kBlockBytes);
    }
    EXPECT_EQ(BlockPool::KeptBlocks(), limit);
    DrainPool();
}

TEST(BlockPool, EachThreadKeepsWhatItGivesBack) {
    DrainPool();
    void* block = BlockPool::Take(BlockPool::kBlockBytes);
    size_t keptThere = 0;
    std::thread([&] {
        BlockPool::Give(block, BlockPool::kBlockBytes);
        keptThere = BlockPool::KeptBlocks();
    }).join();  // the other thread's pool frees it as the thread ends
    EXPECT_EQ(keptThere, 1u);
    EXPECT_EQ(BlockPool::KeptBlocks(), 0u);
}

TEST(BlockPool, ADequeOverItKeepsItsElementsThroughGrowthAndTrims) {
    // As a box at its limit does: add at the back, drop thousands at the
    // front, now and then clear, so blocks go round through the pool.
    TPooledDeque<uint64_t> values;
    uint64_t next = 0;
    uint64_t front = 0;
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const auto added = std::uniform_int_distribution<size_t>(0, 5000)(random);
        for (size_t i = 0; i < added; ++i) {
            values.push_back(next++);
        }
        const auto dropped = std::uniform_int_distribution<size_t>(0, values.size())(random);
        values.erase(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(dropped));
        front += dropped;
        if (round % 50 == 49) {
            front += values.size();
            values.clear();
        }
        ASSERT_EQ(values.size(), next - front);
        for (size_t i = 0; i < values.size(); i += 97) {
            ASSERT_EQ(values[i], front + i) << "round " << round;
        }
    }
    EXPECT_GT(BlockPool::KeptBlocks(), 0u) << "the trims' blocks wait for the next additions";
}
