#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/AsanPoison.h"
#include "platform/GrowingBlock.h"

namespace {

constexpr std::size_t kUnit = TGrowingBlock::kHugePageBytes;

std::size_t RoundUpToUnit(std::size_t bytes) {
    return (bytes + kUnit - 1) / kUnit * kUnit;
}

// `bytes` of fresh address space starting on a unit boundary, so that every
// unit of it can be one huge page. Null when none can be had.
char* MapAligned(std::size_t bytes, int protection) {
    const std::size_t padded = bytes + kUnit;
    void* got = ::mmap(nullptr, padded, protection, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (got == MAP_FAILED)
        return nullptr;
    char* const start = static_cast<char*>(got);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    char* const aligned = start + ((kUnit - address % kUnit) % kUnit);
    if (aligned > start)
        ::munmap(start, std::size_t(aligned - start));
    char* const end = start + padded;
    if (end > aligned + bytes)
        ::munmap(aligned + bytes, std::size_t(end - (aligned + bytes)));
    return aligned;
}

// Only advice: where huge pages are off, the block works in small ones.
void AdviseHugePages(void* block, std::size_t bytes) {
    ::madvise(block, bytes, MADV_HUGEPAGE);
}

}  // namespace

bool TGrowingBlock::Resize(std::size_t bytes) {
    if (bytes == 0) {
        Release();
        return true;
    }
    // Far past any address space, and rounding it up would overflow.
    if (bytes > SIZE_MAX / 2)
        return false;
    bool done = false;
    if (bytes >= kMappedFrom) {
        done = ResizeMapped(RoundUpToUnit(bytes));
    } else if (IsMapped()) {
        // A mapped block is longer than any block from malloc.
        if (void* small = std::malloc(bytes)) {
            std::memcpy(small, data_, bytes);
            Release();
            data_ = small;
            done = true;
        }
    } else if (void* resized = std::realloc(data_, bytes)) {
        data_ = resized;
        done = true;
    }
    if (done)
        bytes_ = bytes;
    // The mapping's room past the block is out of bounds, as it would be
    // past a block from malloc.
    if (IsMapped()) {
        ASAN_UNPOISON_MEMORY_REGION(data_, bytes_);
        ASAN_POISON_MEMORY_REGION(static_cast<char*>(data_) + bytes_, mapped_ - bytes_);
    }
    return done;
}

bool TGrowingBlock::ResizeMapped(std::size_t mapped) {
    if (mapped == mapped_)
        return true;
    char* const block = static_cast<char*>(data_);
    if (IsMapped() && mapped < mapped_) {
        // The shadow of memory given back must not stay poisoned for
        // whatever is mapped there next.
        ASAN_UNPOISON_MEMORY_REGION(block + mapped, mapped_ - mapped);
        ::munmap(block + mapped, mapped_ - mapped);
        mapped_ = mapped;
        return true;
    }
    if (IsMapped()) {
        // Moved to an aligned place, whole huge pages move with their page
        // tables; growing in place could leave the block where it is
        // unaligned beyond its first unit.
        char* const to = MapAligned(mapped, PROT_NONE);
        if (to == nullptr)
            return false;
        ASAN_UNPOISON_MEMORY_REGION(block, mapped_);
        void* moved = ::mremap(block, mapped_, mapped, MREMAP_MAYMOVE | MREMAP_FIXED, to);
        if (moved == MAP_FAILED) {
            ::munmap(to, mapped);
            return false;
        }
        data_ = moved;
        mapped_ = mapped;
        AdviseHugePages(data_, mapped_);
        return true;
    }
    char* const to = MapAligned(mapped, PROT_READ | PROT_WRITE);
    if (to == nullptr)
        return false;
    AdviseHugePages(to, mapped);
    // A block from malloc is shorter than any mapped one.
    if (data_ != nullptr)
        std::memcpy(to, data_, bytes_);
    std::free(data_);
    data_ = to;
    mapped_ = mapped;
    return true;
}

void TGrowingBlock::Release() {
    if (IsMapped()) {
        ASAN_UNPOISON_MEMORY_REGION(data_, mapped_);
        ::munmap(data_, mapped_);
    } else {
        std::free(data_);
    }
    data_ = nullptr;
    bytes_ = 0;
    mapped_ = 0;
}
