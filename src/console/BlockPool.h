#pragma once
// Keeps the small blocks the text stores' deques give back, to hand them out
// again.
//
// A box at its byte limit frees megabytes of deque blocks at each trim and
// asks for as many again over the next seconds. Left to the C library's
// allocator, those thousands of frees, interleaved with every other small
// allocation of the window thread, are sorted into its bins and merged again
// in bursts that stall the window for tens of milliseconds. Kept here, they
// cost a pointer pushed and popped.
//
// Every block of up to kBlockBytes (a deque of libstdc++ keeps its elements
// in blocks of 512 bytes) comes from one slot size; larger requests, such as
// a deque's map of blocks, go to operator new. Each thread has its own pool,
// which keeps at most kMostKeptBytes and frees them when the thread ends.

#include <cstddef>
#include <deque>
#include <new>

namespace BlockPool {
inline constexpr std::size_t kBlockBytes = 512;
inline constexpr std::size_t kMostKeptBytes = std::size_t{16} << 20;

// A block of `bytes` bytes, aligned as operator new aligns.
void* Take(std::size_t bytes);
// Gives back a block Take handed out for the same `bytes`.
void Give(void* block, std::size_t bytes) noexcept;
// Blocks the calling thread's pool holds now.
std::size_t KeptBlocks() noexcept;
}  // namespace BlockPool

template <class T>
struct TPooledAllocator {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    using value_type = T;

    TPooledAllocator() = default;
    template <class U>
    TPooledAllocator(const TPooledAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(BlockPool::Take(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        BlockPool::Give(block, count * sizeof(T));
    }

    template <class U>
    bool operator==(const TPooledAllocator<U>&) const noexcept {
        return true;
    }
};

template <class T>
using TPooledDeque = std::deque<T, TPooledAllocator<T>>;
