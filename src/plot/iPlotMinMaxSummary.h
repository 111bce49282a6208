#pragma once
// A multi-level min/max summary of a data list, so that the fast trace of a
// million points in view costs about as much as that of a thousand. Blocks
// cover storage slots (32 points, then eight times more per level), so a ring
// that overwrites its oldest point only dirties the blocks of that slot.
// Appends are folded in when the trace next asks; any other change to the
// list rebuilds the summary.

#include <cstdint>
#include <vector>

#include "plot/iPlotDataCustomList.h"

class TiPlotColumnReducer;
class TiAxisMapping;

class TiPlotMinMaxSummary {
  public:
    struct Block {
        double MinX;
        double MaxX;
        double FirstX;
        double FirstY;
        double LastY;
        double MinY;
        double MaxY;
        bool Valid;  // holds at least one point that is not empty
        bool Break;  // holds a point that breaks the trace
    };

    // Brings the summary up to date with List.
    void Sync(const TiPlotDataCustomList& List);

    // Feeds logical points First..Last to the reducer, whole blocks at a time
    // wherever a block lies in one pixel column of XAxis.
    void Walk(const TiPlotDataCustomList& List, int First, int Last, const TiAxisMapping& XAxis,
              TiPlotColumnReducer& Reducer) const;

    std::size_t MemoryUsed() const;

  private:
    static constexpr int LeafShift = 5;   // 32 points per leaf block
    static constexpr int LevelShift = 3;  // 8 blocks per parent

    static int BlockShift(int Level) { return LeafShift + Level * LevelShift; }
    void Rebuild(const TiPlotDataCustomList& List);
    void UpdateSlots(const TiPlotDataCustomList& List, int FirstSlot, int LastSlot);
    Block SummariseSlots(const TiPlotDataCustomList& List, int FirstSlot, int EndSlot) const;
    Block SummariseChildren(int Level, int Index) const;

    std::vector<std::vector<Block>> Levels_;
    const TiPlotDataCustomList* List_ = nullptr;
    std::uint64_t Generation_ = 0;
    std::uint64_t AddedTotal_ = 0;
    int Count_ = 0;
};
