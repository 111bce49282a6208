#include "console/BlockPool.h"

#include <vector>

#include "platform/AsanPoison.h"

namespace {

using BlockPool::kBlockBytes;

// Set once the thread's pool is gone: blocks freed later, by objects of
// static storage that outlive every thread's objects, go straight back.
thread_local bool poolEnded = false;

class TPool {
  public:
    TPool() = default;
    TPool(const TPool&) = delete;
    TPool& operator=(const TPool&) = delete;
    ~TPool() {
        poolEnded = true;
        for (void* block : kept_) {
            ASAN_UNPOISON_MEMORY_REGION(block, kBlockBytes);
            ::operator delete(block);
        }
    }

    void* Take() {
        if (kept_.empty()) {
            return ::operator new(kBlockBytes);
        }
        void* block = kept_.back();
        kept_.pop_back();
        ASAN_UNPOISON_MEMORY_REGION(block, kBlockBytes);
        return block;
    }

    void Give(void* block) noexcept {
        if (kept_.size() >= BlockPool::kMostKeptBytes / kBlockBytes) {
            ::operator delete(block);
            return;
        }
        try {
            kept_.push_back(block);
        } catch (const std::bad_alloc&) {
            ::operator delete(block);
            return;
        }
        // A use of a block after its deque gave it back is still caught.
        ASAN_POISON_MEMORY_REGION(block, kBlockBytes);
    }

    std::size_t Size() const noexcept { return kept_.size(); }

  private:
    std::vector<void*> kept_;
};

TPool& ThreadPool() {
    thread_local TPool pool;
    return pool;
}

}  // namespace

void* BlockPool::Take(std::size_t bytes) {
    if (bytes > kBlockBytes) {
        return ::operator new(bytes);
    }
    return poolEnded ? ::operator new(kBlockBytes) : ThreadPool().Take();
}

void BlockPool::Give(void* block, std::size_t bytes) noexcept {
    if (bytes > kBlockBytes || poolEnded) {
        ::operator delete(block);
        return;
    }
    ThreadPool().Give(block);
}

std::size_t BlockPool::KeptBlocks() noexcept {
    return poolEnded ? 0 : ThreadPool().Size();
}
