#pragma once
// The storage of one channel's points. One interface, four storage variants
// that trade memory for features (see iPlotDataNullList.h and its siblings).
// A list grows geometrically or acts as a fixed ring that overwrites its oldest
// point without moving anything. It also carries the channel's current drawing
// attributes, so that the full-feature variant can copy them into each point.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <type_traits>

#include "platform/GrowingBlock.h"
#include "plot/iPlotDataTypes.h"

// What GetPoint reports: the fields the traces need, in one virtual call.
struct TiPlotDataPoint {
    double X = 0.0;
    double Y = 0.0;
    bool Null = false;
    bool Empty = false;
};

class TiPlotDataCustomList {
  public:
    TiPlotDataCustomList();
    virtual ~TiPlotDataCustomList() = default;
    TiPlotDataCustomList(const TiPlotDataCustomList&) = delete;
    TiPlotDataCustomList& operator=(const TiPlotDataCustomList&) = delete;

    int Count() const { return Count_; }
    int Capacity() const { return Capacity_; }
    int RingStart() const { return RingStart_; }
    bool RingMode() const { return RingMode_; }
    int ItemSize() const { return ItemSize_; }
    int MaxCapacity() const { return MaxCapacity_; }
    std::int64_t MemoryUsed() const { return std::int64_t{ItemSize_} * Capacity_; }

    // Changes whenever stored points change other than by Add (setters,
    // deletion, clearing, resizing), so derived summaries know to rebuild.
    std::uint64_t Generation() const { return Generation_; }
    // Number of Add calls ever made; with Generation it tells a summary which
    // slots were written since it last looked.
    std::uint64_t AddedTotal() const { return AddedTotal_; }

    // Logical index (0 = oldest) to storage slot; throws "Index out of Bounds".
    int StorageIndex(int Index) const {
        if (Index < 0 || Index >= Count_)
            throw std::runtime_error("Index out of Bounds");
        if (RingStart_ == 0)
            return Index;
        const int slot = Index + RingStart_;
        return slot > Count_ - 1 ? slot - Count_ : slot;
    }

    virtual double GetX(int Index) const = 0;
    virtual double GetY(int Index) const = 0;
    virtual bool GetEmpty(int Index) const;
    virtual bool GetNull(int Index) const;
    virtual double GetHigh(int Index) const;
    virtual double GetLow(int Index) const;
    virtual double GetOpen(int Index) const;
    virtual double GetClose(int Index) const;
    virtual TiPlotDataPoint GetPoint(int Index) const = 0;

    virtual void SetX(int Index, double Value) = 0;
    virtual void SetY(int Index, double Value) = 0;
    virtual void SetEmpty(int Index, bool Value);
    virtual void SetNull(int Index, bool Value);
    virtual void SetHigh(int Index, double Value);
    virtual void SetLow(int Index, double Value);
    virtual void SetOpen(int Index, double Value);
    virtual void SetClose(int Index, double Value);

    // The current attribute block; the channel's drawing properties live here.
    const TiPlotDataAttributes& Attributes() const { return Attributes_; }
    TiPlotDataAttributes& Attributes() { return Attributes_; }

    // One point's own attributes: the current block, patched with whatever the
    // variant stores per point. Setting changes only what the variant stores.
    virtual TiPlotDataAttributes GetPointAttributes(int Index) const;
    virtual void SetPointAttributes(int Index, const TiPlotDataAttributes& Value);

#define KELVANE_POINT_ATTRIBUTE(Type, Name)                          \
    Type Get##Name(int Index) const {                                \
        return GetPointAttributes(Index).Name;                       \
    }                                                                \
    void Set##Name(int Index, Type Value) {                          \
        TiPlotDataAttributes attributes = GetPointAttributes(Index); \
        attributes.Name = Value;                                     \
        SetPointAttributes(Index, attributes);                       \
    }
    KELVANE_POINT_ATTRIBUTE(TColor, TraceColor)
    KELVANE_POINT_ATTRIBUTE(std::int32_t, TraceWidth)
    KELVANE_POINT_ATTRIBUTE(TiPlotLineStyle, TraceStyle)
    KELVANE_POINT_ATTRIBUTE(bool, MarkerVisible)
    KELVANE_POINT_ATTRIBUTE(std::int32_t, MarkerSize)
    KELVANE_POINT_ATTRIBUTE(TiPlotMarkerStyle, MarkerStyle)
    KELVANE_POINT_ATTRIBUTE(TColor, MarkerPenColor)
    KELVANE_POINT_ATTRIBUTE(std::int32_t, MarkerPenWidth)
    KELVANE_POINT_ATTRIBUTE(TPenStyle, MarkerPenStyle)
    KELVANE_POINT_ATTRIBUTE(TColor, MarkerBrushColor)
    KELVANE_POINT_ATTRIBUTE(TBrushStyle, MarkerBrushStyle)
    KELVANE_POINT_ATTRIBUTE(char, MarkerCharacter)
    KELVANE_POINT_ATTRIBUTE(bool, BarVisible)
    KELVANE_POINT_ATTRIBUTE(double, BarReference)
    KELVANE_POINT_ATTRIBUTE(double, BarWidth)
    KELVANE_POINT_ATTRIBUTE(TColor, BarPenColor)
    KELVANE_POINT_ATTRIBUTE(std::int32_t, BarPenWidth)
    KELVANE_POINT_ATTRIBUTE(TPenStyle, BarPenStyle)
    KELVANE_POINT_ATTRIBUTE(TColor, BarBrushColor)
    KELVANE_POINT_ATTRIBUTE(TBrushStyle, BarBrushStyle)
#undef KELVANE_POINT_ATTRIBUTE

    // Appends a point; returns its storage slot (the new index until a ring
    // wraps).
    virtual int Add(double X, double Y) = 0;
    // Appends the pairs in turn with what one Add call a pair would leave
    // (slots, capacity, ring start, counts), at a fraction of the calls. A
    // failure leaves the pairs before it added, as it would have.
    virtual void AddPoints(std::span<const double> X, std::span<const double> Y) = 0;
    // The points from logical index First on, as GetPoint gives them, into
    // Out; throws "Index out of Bounds" unless all of them exist.
    virtual void GetPoints(int First, std::span<TiPlotDataPoint> Out) const = 0;
    // When the list stores Y as 32-bit floats (the compact styles), copies
    // them from logical index First on into Out, as GetPoints would check
    // them, and answers true; otherwise answers false and leaves Out alone.
    virtual bool CopyFloatYs(int First, std::span<float> Out) const;
    virtual void Clear();
    // Throws "Exceed Maximum List Size" above MaxCapacity; keeps the points
    // that fit. A failed allocation throws "Out of memory" and changes nothing.
    void SetCapacity(int N);
    // Drops the N oldest points; assumes the ring has not wrapped.
    void DeleteFirst(int N);

    int GetRingBufferSize() const {
        return RingMode_ ? Capacity_ : 0;
    }
    void SetRingBufferSize(int N);

  protected:
    void SetItemSize(int Size);
    void Grow();

    // Picks the slot a new point goes to and updates Count and RingStart.
    int ClaimSlot() {
        if (Count_ < Capacity_) {
            ++AddedTotal_;
            return Count_++;
        }
        if (RingMode_ && Capacity_ > 0) {
            // A full ring: the oldest point gives its slot to the new one.
            ++AddedTotal_;
            const int slot = RingStart_;
            RingStart_ = slot + 1 == Count_ ? 0 : slot + 1;
            return slot;
        }
        return ClaimGrownSlot();
    }
    // Grows the storage first; kept out of line, it is rarely taken.
    int ClaimGrownSlot();
    // Up to Wanted slots in a row, the ones that many ClaimSlot calls would
    // pick first: below the capacity, or from the start of a full ring to the
    // end of the storage, growing it when neither has room.
    struct TiSlotRun {
        int First;
        int Count;
    };
    TiSlotRun ClaimSlots(std::size_t Wanted);
    // Checks that Count points from First exist and answers the storage runs
    // they lie in, oldest first (two once a ring has wrapped past them).
    std::array<TiSlotRun, 2> StorageRuns(int First, std::size_t Count) const;
    void Touch() {
        ++Generation_;
    }

    // Storage hooks for SetCapacity and DeleteFirst.
    virtual void ResizeStorage(int N) = 0;
    virtual void MoveToFront(int First, int Remaining) = 0;

  private:
    int Count_ = 0;
    int Capacity_ = 0;
    int RingStart_ = 0;
    bool RingMode_ = false;
    int ItemSize_ = 0;
    int MaxCapacity_ = 0;
    std::uint64_t Generation_ = 0;
    std::uint64_t AddedTotal_ = 0;
    TiPlotDataAttributes Attributes_;
};

// The storage every variant shares: one growing block of trivially copyable
// records, which a large list grows without copying.
// ItemSize is the documented cost of a point, which fixes MaxCapacity; the
// record may pack tighter but never needs more.
template <class Record, int ItemSizeBytes>
class TiPlotDataArrayList : public TiPlotDataCustomList {
    static_assert(std::is_trivially_copyable_v<Record>);
    static_assert(sizeof(Record) <= ItemSizeBytes);

  protected:
    TiPlotDataArrayList() { SetItemSize(ItemSizeBytes); }

    Record& At(int Index) { return Items()[StorageIndex(Index)]; }
    const Record& At(int Index) const { return Items()[StorageIndex(Index)]; }
    int Store(const Record& Item) {
        const int slot = ClaimSlot();
        Items()[slot] = Item;
        return slot;
    }
    // Stores Make(0) … Make(Count − 1) as Store would one after another.
    template <class MakeRecord>
    void StoreAll(std::size_t Count, MakeRecord&& Make) {
        for (std::size_t done = 0; done < Count;) {
            const TiSlotRun run = ClaimSlots(Count - done);
            Record* to = Items() + run.First;
            for (int k = 0; k < run.Count; ++k)
                to[k] = Make(done + std::size_t(k));
            done += std::size_t(run.Count);
        }
    }
    // Out[k] = Point(record of index First + k, First + k).
    template <class Item, class MakeItem>
    void CopyPoints(int First, std::span<Item> Out, MakeItem&& Point) const {
        int index = First;
        Item* to = Out.data();
        for (const TiSlotRun run : StorageRuns(First, Out.size())) {
            const Record* from = Items() + run.First;
            for (int k = 0; k < run.Count; ++k)
                *to++ = Point(from[k], index++);
        }
    }

    void ResizeStorage(int N) override {
        if (!Storage_.Resize(static_cast<std::size_t>(N) * sizeof(Record)))
            throw std::runtime_error("Out of memory");
    }
    void MoveToFront(int First, int Remaining) override {
        std::memmove(Items(), Items() + First,
                     static_cast<std::size_t>(Remaining) * sizeof(Record));
    }

  private:
    Record* Items() const { return static_cast<Record*>(Storage_.Data()); }

    TGrowingBlock Storage_;
};
