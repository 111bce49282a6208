#include "plot/iPlotMinMaxSummary.h"

#include <algorithm>

#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotChannelDraw.h"

namespace {

// Storage slot to logical index: the inverse of StorageIndex.
int LogicalIndexOf(const TiPlotDataCustomList& List, int Slot) {
    if (List.RingStart() == 0)
        return Slot;
    const int index = Slot - List.RingStart();
    return index < 0 ? index + List.Count() : index;
}

TiPlotMinMaxSummary::Block EmptyBlock() {
    return {1e301, -1e301, 0.0, 0.0, 0.0, 1e301, -1e301, false, false};
}

// Folds the later block Next into Into, in the order a walk would meet them.
void Append(TiPlotMinMaxSummary::Block& Into, const TiPlotMinMaxSummary::Block& Next) {
    if (!Next.Valid) {
        Into.Break = Into.Break || Next.Break;
        return;
    }
    if (!Into.Valid) {
        Into.FirstX = Next.FirstX;
        Into.FirstY = Next.FirstY;
        Into.Valid = true;
    }
    Into.MinX = std::min(Into.MinX, Next.MinX);
    Into.MaxX = std::max(Into.MaxX, Next.MaxX);
    if (Next.MinY < Into.MinY)
        Into.MinY = Next.MinY;
    if (Next.MaxY > Into.MaxY)
        Into.MaxY = Next.MaxY;
    Into.LastY = Next.LastY;
    Into.Break = Into.Break || Next.Break;
}

}  // namespace

void TiPlotMinMaxSummary::Sync(const TiPlotDataCustomList& List) {
    const std::uint64_t added = List.AddedTotal() - AddedTotal_;
    if (&List != List_ || List.Generation() != Generation_ || List.Count() < Count_ ||
        added >= static_cast<std::uint64_t>(List.Count())) {
        Rebuild(List);
        return;
    }
    if (added == 0)
        return;
    // Only the newest points changed; in a ring their slots may wrap round.
    const int firstNew = List.Count() - static_cast<int>(added);
    const int firstSlot = List.StorageIndex(firstNew);
    const int lastSlot = List.StorageIndex(List.Count() - 1);
    if (firstSlot <= lastSlot) {
        UpdateSlots(List, firstSlot, lastSlot);
    } else {
        UpdateSlots(List, firstSlot, List.Count() - 1);
        UpdateSlots(List, 0, lastSlot);
    }
    AddedTotal_ = List.AddedTotal();
    Count_ = List.Count();
}

void TiPlotMinMaxSummary::Rebuild(const TiPlotDataCustomList& List) {
    List_ = &List;
    Generation_ = List.Generation();
    AddedTotal_ = List.AddedTotal();
    Count_ = List.Count();
    Levels_.clear();
    if (Count_ > 0)
        UpdateSlots(List, 0, Count_ - 1);
}

void TiPlotMinMaxSummary::UpdateSlots(const TiPlotDataCustomList& List, int FirstSlot,
                                      int LastSlot) {
    const int count = List.Count();
    for (int level = 0; (std::int64_t{1} << BlockShift(level)) <= count; ++level) {
        const int shift = BlockShift(level);
        const int blocks = ((count - 1) >> shift) + 1;
        if (static_cast<int>(Levels_.size()) <= level)
            Levels_.emplace_back();
        // Room for every slot the list holds: a ring filling up then never
        // moves a level of many megabytes in one go, a pause in the middle of
        // a paint. A list that grows makes room at least twice as large.
        std::vector<Block>& blocksOfLevel = Levels_[level];
        const auto room =
            static_cast<std::size_t>(((std::max(count, List.Capacity()) - 1) >> shift) + 1);
        if (blocksOfLevel.capacity() < room)
            blocksOfLevel.reserve(std::max(room, 2 * blocksOfLevel.capacity()));
        blocksOfLevel.resize(static_cast<std::size_t>(blocks), EmptyBlock());
        for (int b = FirstSlot >> shift; b <= (LastSlot >> shift); ++b) {
            Levels_[level][b] =
                level == 0 ? SummariseSlots(List, b << shift, std::min(count, (b + 1) << shift))
                           : SummariseChildren(level, b);
        }
    }
}

TiPlotMinMaxSummary::Block TiPlotMinMaxSummary::SummariseSlots(const TiPlotDataCustomList& List,
                                                               int FirstSlot, int EndSlot) const {
    Block block = EmptyBlock();
    for (int slot = FirstSlot; slot < EndSlot; ++slot) {
        const TiPlotDataPoint point = List.GetPoint(LogicalIndexOf(List, slot));
        if (point.Empty)
            continue;
        if (BreaksTrace(point)) {
            block.Break = true;
            continue;
        }
        Append(block, {point.X, point.X, point.X, point.Y, point.Y, point.Y, point.Y, true, false});
    }
    return block;
}

TiPlotMinMaxSummary::Block TiPlotMinMaxSummary::SummariseChildren(int Level, int Index) const {
    const std::vector<Block>& children = Levels_[Level - 1];
    const int first = Index << LevelShift;
    const int end = std::min(static_cast<int>(children.size()), first + (1 << LevelShift));
    Block block = EmptyBlock();
    for (int child = first; child < end; ++child)
        Append(block, children[child]);
    return block;
}

void TiPlotMinMaxSummary::Walk(const TiPlotDataCustomList& List, int First, int Last,
                               const TiAxisMapping& XAxis, TiPlotColumnReducer& Reducer) const {
    const int ringStart = List.RingStart();
    int i = First;
    while (i <= Last) {
        const int slot = List.StorageIndex(i);
        const int remaining = Last - i + 1;
        int consumed = 0;
        for (int level = static_cast<int>(Levels_.size()) - 1; level >= 0 && consumed == 0;
             --level) {
            const int shift = BlockShift(level);
            const int size = 1 << shift;
            const bool fits = (slot & (size - 1)) == 0 && size <= remaining &&
                              slot + size <= Count_ &&
                              !(ringStart != 0 && slot < ringStart && slot + size > ringStart);
            if (!fits)
                continue;
            const Block& block = Levels_[level][slot >> shift];
            if (!block.Valid && !block.Break) {
                consumed = size;
                continue;
            }
            const int column = XAxis.PositionToPixel(block.MinX);
            if (block.Break || column != XAxis.PositionToPixel(block.MaxX))
                continue;
            Reducer.TakeRun(column, block.FirstX, block.FirstY, block.MinY, block.MaxY,
                            block.LastY);
            consumed = size;
        }
        if (consumed > 0) {
            i += consumed;
            continue;
        }
        const TiPlotDataPoint point = List.GetPoint(i++);
        if (point.Empty)
            continue;
        if (BreaksTrace(point))
            Reducer.Break();
        else
            Reducer.TakePoint(XAxis.PositionToPixel(point.X), point.X, point.Y);
    }
}

std::size_t TiPlotMinMaxSummary::MemoryUsed() const {
    std::size_t bytes = 0;
    for (const std::vector<Block>& level : Levels_)
        bytes += level.capacity() * sizeof(Block);
    return bytes;
}
