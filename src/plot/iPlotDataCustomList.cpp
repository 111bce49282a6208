#include "plot/iPlotDataCustomList.h"

#include <algorithm>
#include <limits>

TiPlotDataCustomList::TiPlotDataCustomList() {
    Attributes_.BarVisible = true;
}

// What a variant does not store reads as "absent" and is silently not written.
bool TiPlotDataCustomList::GetEmpty(int) const {
    return false;
}
bool TiPlotDataCustomList::GetNull(int) const {
    return false;
}
double TiPlotDataCustomList::GetHigh(int) const {
    return 0.0;
}
double TiPlotDataCustomList::GetLow(int) const {
    return 0.0;
}
double TiPlotDataCustomList::GetOpen(int) const {
    return 0.0;
}
double TiPlotDataCustomList::GetClose(int) const {
    return 0.0;
}
bool TiPlotDataCustomList::CopyFloatYs(int, std::span<float>) const {
    return false;
}
void TiPlotDataCustomList::SetEmpty(int, bool) {}
void TiPlotDataCustomList::SetNull(int, bool) {}
void TiPlotDataCustomList::SetHigh(int, double) {}
void TiPlotDataCustomList::SetLow(int, double) {}
void TiPlotDataCustomList::SetOpen(int, double) {}
void TiPlotDataCustomList::SetClose(int, double) {}
TiPlotDataAttributes TiPlotDataCustomList::GetPointAttributes(int) const {
    return Attributes_;
}
void TiPlotDataCustomList::SetPointAttributes(int, const TiPlotDataAttributes&) {}

void TiPlotDataCustomList::SetItemSize(int Size) {
    ItemSize_ = Size;
    MaxCapacity_ = std::numeric_limits<std::int32_t>::max() / Size;
}

void TiPlotDataCustomList::Grow() {
    int delta = 4;
    if (Capacity_ > 64)
        delta = Capacity_ / 4;
    else if (Capacity_ > 8)
        delta = 16;
    // Near the top the quarter step would overshoot; stop exactly at the limit.
    SetCapacity(Capacity_ > MaxCapacity_ - delta ? MaxCapacity_ : Capacity_ + delta);
    if (Count_ == Capacity_)
        throw std::runtime_error("Exceed Maximum List Size");
}

int TiPlotDataCustomList::ClaimGrownSlot() {
    Grow();
    ++AddedTotal_;
    return Count_++;
}

TiPlotDataCustomList::TiSlotRun TiPlotDataCustomList::ClaimSlots(std::size_t Wanted) {
    if (Count_ == Capacity_ && !(RingMode_ && Capacity_ > 0))
        Grow();
    const auto upTo = [Wanted](int room) {
        return static_cast<int>(std::min<std::size_t>(Wanted, static_cast<std::size_t>(room)));
    };
    TiSlotRun run{};
    if (Count_ < Capacity_) {
        run = {Count_, upTo(Capacity_ - Count_)};
        Count_ += run.Count;
    } else {
        // A full ring: the oldest points give their slots to the new ones.
        run = {RingStart_, upTo(Count_ - RingStart_)};
        const int next = run.First + run.Count;
        RingStart_ = next == Count_ ? 0 : next;
    }
    AddedTotal_ += static_cast<std::uint64_t>(run.Count);
    return run;
}

std::array<TiPlotDataCustomList::TiSlotRun, 2> TiPlotDataCustomList::StorageRuns(
    int First, std::size_t Count) const {
    if (First < 0 || First > Count_ || Count > static_cast<std::size_t>(Count_ - First))
        throw std::runtime_error("Index out of Bounds");
    const int last = First + static_cast<int>(Count);
    // Index i lies in slot i + RingStart up to the end of the points, then
    // from slot 0 on.
    const int wrapAt = Count_ - RingStart_;
    const int before = std::clamp(wrapAt - First, 0, last - First);
    return {TiSlotRun{First + RingStart_, before},
            TiSlotRun{std::max(First, wrapAt) - wrapAt, last - First - before}};
}

void TiPlotDataCustomList::SetCapacity(int N) {
    if (N > MaxCapacity_ || N < 0)
        throw std::runtime_error("Exceed Maximum List Size");
    if (N == Capacity_)
        return;
    ResizeStorage(N);
    Capacity_ = N;
    if (N < Count_) {
        Count_ = N;
        if (RingStart_ >= Count_)
            RingStart_ = 0;
        Touch();
    }
}

void TiPlotDataCustomList::DeleteFirst(int N) {
    if (N < 0 || N > Count_ - 1)
        throw std::runtime_error("Delete size out of Range");
    if (N == 0)
        return;
    MoveToFront(N, Count_ - N);
    Count_ -= N;
    Touch();
}

void TiPlotDataCustomList::Clear() {
    Count_ = 0;
    RingStart_ = 0;
    Touch();
    if (!RingMode_)
        SetCapacity(0);
}

void TiPlotDataCustomList::SetRingBufferSize(int N) {
    if (N <= 0) {
        if (!RingMode_)
            return;
        RingMode_ = false;
        if (RingStart_ != 0)
            Clear();
        return;
    }
    if (N == Capacity_) {
        RingMode_ = true;
        return;
    }
    // Allocate first, so a ring too large for memory leaves the list as it was.
    if (N > Capacity_)
        SetCapacity(N);
    RingMode_ = true;
    if (RingStart_ != 0)
        Clear();
    if (N < Capacity_) {
        if (Count_ > N)
            DeleteFirst(Count_ - N);
        SetCapacity(N);
    }
}
