#include "platform/GrowingBlock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

std::uint8_t PatternByte(std::size_t at, unsigned seed) {
    return static_cast<std::uint8_t>((at * 2654435761u) >> 13 ^ seed);
}

void Fill(TGrowingBlock& block, unsigned seed) {
    auto* bytes = static_cast<std::uint8_t*>(block.Data());
    for (std::size_t i = 0; i < block.Bytes(); ++i)
        bytes[i] = PatternByte(i, seed);
}

// The index of the first byte of the first `count` that does not hold the
// pattern, or `count`.
std::size_t FirstDifferent(const TGrowingBlock& block, std::size_t count, unsigned seed) {
    const auto* bytes = static_cast<const std::uint8_t*>(block.Data());
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] != PatternByte(i, seed))
            return i;
    return count;
}

// Sizes that go from malloc to a mapping and back, grow a mapping in place of
// a huge page and past it, and shrink one.
TEST(GrowingBlock, KeepsItsContentsThroughEveryKindOfResize) {
    const std::vector<std::size_t> sizes = {100,
                                            3 * kMiB,
                                            TGrowingBlock::kMappedFrom,
                                            TGrowingBlock::kMappedFrom + 1,
                                            9 * kMiB,
                                            50 * kMiB,
                                            50 * kMiB + 3,
                                            7 * kMiB,
                                            kMiB / 2,
                                            60 * kMiB,
                                            TGrowingBlock::kMappedFrom - 1};
    TGrowingBlock block;
    unsigned seed = 0;
    std::size_t before = 0;
    for (const std::size_t size : sizes) {
        SCOPED_TRACE(testing::Message() << before << " -> " << size << " bytes");
        ASSERT_TRUE(block.Resize(size));
        ASSERT_EQ(block.Bytes(), size);
        const std::size_t kept = std::min(before, size);
        EXPECT_EQ(FirstDifferent(block, kept, seed), kept);
        Fill(block, ++seed);
        before = size;
    }
    ASSERT_TRUE(block.Resize(0));
    EXPECT_EQ(block.Data(), nullptr);
    EXPECT_EQ(block.Bytes(), 0u);
}

TEST(GrowingBlock, AMappedBlockStartsOnAHugePageBoundaryAndStaysThere) {
    TGrowingBlock block;
    for (const std::size_t size : {TGrowingBlock::kMappedFrom, 11 * kMiB, 40 * kMiB, 6 * kMiB}) {
        ASSERT_TRUE(block.Resize(size));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.Data()) % TGrowingBlock::kHugePageBytes,
                  0u)
            << size;
    }
}

TEST(GrowingBlock, ASizeThatCannotBeHadLeavesTheBlockAsItWas) {
    for (const std::size_t start : {std::size_t{4096}, 5 * kMiB}) {
        TGrowingBlock block;
        ASSERT_TRUE(block.Resize(start));
        Fill(block, 7);
        const void* data = block.Data();
        EXPECT_FALSE(block.Resize(std::size_t{1} << 62));
        EXPECT_FALSE(block.Resize(SIZE_MAX));
        EXPECT_EQ(block.Data(), data);
        EXPECT_EQ(block.Bytes(), start);
        EXPECT_EQ(FirstDifferent(block, start, 7), start);
    }
}

#if defined(__SANITIZE_ADDRESS__)
// Room the mapping has past the block is out of bounds, as past a block from
// malloc, and memory a shrink gave back is clean for whatever is mapped there
// next.
TEST(GrowingBlock, RoomPastAMappedBlockIsOutOfBounds) {
    TGrowingBlock block;
    for (const std::size_t size : {5 * kMiB + 8, 9 * kMiB + 16, 5 * kMiB + 24}) {
        ASSERT_TRUE(block.Resize(size));
        const auto* data = static_cast<const char*>(block.Data());
        EXPECT_FALSE(__asan_address_is_poisoned(data + size - 1)) << size;
        EXPECT_TRUE(__asan_address_is_poisoned(data + size)) << size;
        const std::size_t unit = TGrowingBlock::kHugePageBytes;
        const std::size_t mapped = (size + unit - 1) / unit * unit;
        EXPECT_TRUE(__asan_address_is_poisoned(data + mapped - 1)) << size;
    }
    const auto* data = static_cast<const char*>(block.Data());
    ASSERT_TRUE(block.Resize(0));
    EXPECT_EQ(__asan_region_is_poisoned(const_cast<char*>(data), 6 * kMiB), nullptr);
}
#endif

}  // namespace
