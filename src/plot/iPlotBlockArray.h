#pragma once
// A resizable array of trivially copyable records kept in blocks of a fixed
// number of records (the last block only as long as the size needs), for a
// channel's points.
//
// One contiguous block would have to be copied whole to grow; here growing
// copies at most the last block, so a channel adding its ten millionth point
// pays no more than for its thousandth. Finding a slot is a shift and a mask.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <vector>

template <class Record>
class TiPlotBlockArray {
    static_assert(std::is_trivially_copyable_v<Record>);

    // The most records whose bytes fit in a mebibyte, as a power of two.
    static constexpr int ShiftFor(std::size_t bytes) {
        int shift = 0;
        while ((std::size_t{2} << shift) * sizeof(Record) <= bytes)
            ++shift;
        return shift;
    }

  public:
    static constexpr int BlockShift = ShiftFor(std::size_t{1} << 20);
    static constexpr int BlockRecords = 1 << BlockShift;

    TiPlotBlockArray() = default;
    ~TiPlotBlockArray() { Resize(0); }
    TiPlotBlockArray(const TiPlotBlockArray&) = delete;
    TiPlotBlockArray& operator=(const TiPlotBlockArray&) = delete;

    int Size() const { return size_; }
    Record& operator[](int slot) { return blocks_[Block(slot)][slot & (BlockRecords - 1)]; }
    const Record& operator[](int slot) const {
        return blocks_[Block(slot)][slot & (BlockRecords - 1)];
    }

    // Makes room for `size` records, keeping the first ones that fit. When
    // memory runs out it throws "Out of memory" and keeps what it held.
    void Resize(int size) {
        if (size > size_)
            Grow(size);
        else if (size < size_)
            Shrink(size);
    }

    // Moves the `count` records from slot `first` on to the front, in order.
    void MoveToFront(int first, int count) {
        for (int to = 0, from = first; count > 0;) {
            const int run = std::min({count, BlockRecords - (to & (BlockRecords - 1)),
                                      BlockRecords - (from & (BlockRecords - 1))});
            std::memmove(&(*this)[to], &(*this)[from], Bytes(run));
            to += run;
            from += run;
            count -= run;
        }
    }

  private:
    static std::size_t Block(int slot) { return static_cast<std::size_t>(slot >> BlockShift); }
    static std::size_t Bytes(int records) {
        return static_cast<std::size_t>(records) * sizeof(Record);
    }
    static std::size_t BlocksFor(int size) { return size == 0 ? 0 : Block(size - 1) + 1; }
    // Records block `block` holds when the array holds `size`.
    static int RecordsIn(std::size_t block, int size) {
        return std::min(BlockRecords, size - static_cast<int>(block << BlockShift));
    }

    // Everything is allocated before anything changes, so a failure leaves
    // the array as it was.
    void Grow(int size) {
        const std::size_t oldBlocks = blocks_.size();
        const std::size_t newBlocks = BlocksFor(size);
        std::vector<Record*> added;
        try {
            blocks_.reserve(newBlocks);
            added.reserve(newBlocks - oldBlocks);
        } catch (const std::bad_alloc&) {
            throw std::runtime_error("Out of memory");
        }
        for (std::size_t block = oldBlocks; block < newBlocks; ++block) {
            added.push_back(static_cast<Record*>(std::malloc(Bytes(RecordsIn(block, size)))));
            if (added.back() == nullptr) {
                FreeAll(added);
                throw std::runtime_error("Out of memory");
            }
        }
        if (oldBlocks > 0 && RecordsIn(oldBlocks - 1, size) != RecordsIn(oldBlocks - 1, size_)) {
            void* longer =
                std::realloc(blocks_[oldBlocks - 1], Bytes(RecordsIn(oldBlocks - 1, size)));
            if (longer == nullptr) {
                FreeAll(added);
                throw std::runtime_error("Out of memory");
            }
            blocks_[oldBlocks - 1] = static_cast<Record*>(longer);
        }
        blocks_.insert(blocks_.end(), added.begin(), added.end());
        size_ = size;
    }

    void Shrink(int size) {
        const std::size_t newBlocks = BlocksFor(size);
        const bool lastWasFull = newBlocks < blocks_.size();
        FreeAll({blocks_.begin() + static_cast<std::ptrdiff_t>(newBlocks), blocks_.end()});
        blocks_.resize(newBlocks);
        if (newBlocks > 0) {
            const int had = lastWasFull ? BlockRecords : RecordsIn(newBlocks - 1, size_);
            const int keeps = RecordsIn(newBlocks - 1, size);
            // A shorter block that cannot be had keeps the longer one.
            if (keeps < had) {
                if (void* shorter = std::realloc(blocks_.back(), Bytes(keeps)))
                    blocks_.back() = static_cast<Record*>(shorter);
            }
        }
        size_ = size;
    }

    static void FreeAll(const std::vector<Record*>& blocks) {
        for (Record* block : blocks)
            std::free(block);
    }

    std::vector<Record*> blocks_;
    int size_ = 0;
};
