#pragma once
// One block of bytes that grows and shrinks keeping its contents, for arrays
// of millions of records (a channel's points).
//
// Small blocks come from the C library's allocator. From kMappedFrom up the
// block is mapped by itself in whole huge-page units on a huge-page boundary
// and asked to be backed by huge pages: the first write to fresh memory costs
// a page fault per page, and with 4 KiB pages those faults, not the writing,
// were most of the time taken to load a large data file (on a virtual machine
// each fault costs tens of microseconds). A mapped block grows by moving its
// page tables, so its contents are never copied.

#include <cstddef>

class TGrowingBlock {
  public:
    static constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;
    static constexpr std::size_t kMappedFrom = 2 * kHugePageBytes;

    TGrowingBlock() = default;
    TGrowingBlock(const TGrowingBlock&) = delete;
    TGrowingBlock& operator=(const TGrowingBlock&) = delete;
    ~TGrowingBlock() { Resize(0); }

    void* Data() const { return data_; }
    std::size_t Bytes() const { return bytes_; }
    // Makes the block `bytes` long, keeping its first bytes up to the
    // shorter of both lengths; 0 releases it. False when the memory cannot
    // be had, the block then unchanged.
    bool Resize(std::size_t bytes);

  private:
    bool IsMapped() const { return mapped_ != 0; }
    bool ResizeMapped(std::size_t mapped);
    void Release();

    void* data_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t mapped_ = 0;  // 0 while the block comes from malloc
};
