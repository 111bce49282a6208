#pragma once
// Which screen rows each shown line of a box takes: line `i` of the index
// (0 being the box's first shown line) starts at row Start(i).
//
// Rows are numbered from a base that moves when lines leave the front, so a
// box whose oldest lines go pays for those lines alone, never for
// renumbering the hundreds of thousands that stay.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "console/BlockPool.h"

class TRowIndex {
  public:
    size_t Lines() const { return starts_.size(); }
    uint64_t Rows() const { return end_ - Base(); }
    uint64_t Start(size_t line) const { return starts_[line] - Base(); }
    // The line holding `row` (below Rows()) and the row's index inside it.
    std::pair<size_t, uint64_t> Locate(uint64_t row) const;

    // Adds a line taking `rows` rows after the last.
    void Append(uint64_t rows);
    // Keeps the first `lines` lines.
    void Truncate(size_t lines);
    void Clear() { Truncate(0); }
    // Forgets the first `lines` lines; returns the rows they took.
    uint64_t DropFront(size_t lines);
    // The first line, not the only one, now takes `rows` rows, no more than
    // before (it lost text at its front).
    void ShrinkFirst(uint64_t rows);

  private:
    uint64_t Base() const { return starts_.empty() ? end_ : starts_.front(); }

    TPooledDeque<uint64_t> starts_;  // each line's first row, from the moving base
    uint64_t end_ = 0;               // one past the last line's last row
};
