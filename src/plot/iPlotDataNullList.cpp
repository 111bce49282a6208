#include "plot/iPlotDataNullList.h"

namespace {
constexpr std::uint32_t NullBit = 1;
constexpr std::uint32_t EmptyBit = 2;
constexpr std::uint32_t MarkerVisibleBit = 4;
constexpr int MarkerStyleShift = 3;
constexpr std::uint32_t MarkerStyleMask = 15u << MarkerStyleShift;

std::uint32_t MarkerBits(bool Visible, TiPlotMarkerStyle Style) {
    return ((static_cast<std::uint32_t>(Style) & 15u) << MarkerStyleShift) |
           (Visible ? MarkerVisibleBit : 0u);
}
}  // namespace

// Inlined into GetPoints, which copies millions of points with it.
inline TiPlotDataPoint TiPlotDataNullList::PointOf(const TiPlotStandardPoint& Point) {
    return {Point.X, Point.Y, (Point.Flags & NullBit) != 0, (Point.Flags & EmptyBit) != 0};
}

bool TiPlotDataNullList::GetNull(int Index) const {
    return (At(Index).Flags & NullBit) != 0;
}

bool TiPlotDataNullList::GetEmpty(int Index) const {
    return (At(Index).Flags & EmptyBit) != 0;
}

TiPlotDataPoint TiPlotDataNullList::GetPoint(int Index) const {
    return PointOf(At(Index));
}

void TiPlotDataNullList::GetPoints(int First, std::span<TiPlotDataPoint> Out) const {
    CopyPoints(First, Out, [](const TiPlotStandardPoint& point, int) { return PointOf(point); });
}

void TiPlotDataNullList::SetX(int Index, double Value) {
    At(Index).X = Value;
    Touch();
}

void TiPlotDataNullList::SetY(int Index, double Value) {
    At(Index).Y = Value;
    Touch();
}

void TiPlotDataNullList::SetNull(int Index, bool Value) {
    SetFlagBits(Index, NullBit, Value ? NullBit : 0);
}

void TiPlotDataNullList::SetEmpty(int Index, bool Value) {
    SetFlagBits(Index, EmptyBit, Value ? EmptyBit : 0);
}

TiPlotDataAttributes TiPlotDataNullList::GetPointAttributes(int Index) const {
    const std::uint32_t flags = At(Index).Flags;
    TiPlotDataAttributes attributes = Attributes();
    attributes.MarkerVisible = (flags & MarkerVisibleBit) != 0;
    attributes.MarkerStyle =
        static_cast<TiPlotMarkerStyle>((flags & MarkerStyleMask) >> MarkerStyleShift);
    return attributes;
}

void TiPlotDataNullList::SetPointAttributes(int Index, const TiPlotDataAttributes& Value) {
    SetFlagBits(Index, MarkerStyleMask | MarkerVisibleBit,
                MarkerBits(Value.MarkerVisible, Value.MarkerStyle));
}

std::uint32_t TiPlotDataNullList::NewPointFlags() const {
    return MarkerBits(Attributes().MarkerVisible, Attributes().MarkerStyle);
}

int TiPlotDataNullList::Add(double X, double Y) {
    return Store({X, Y, NewPointFlags()});
}

void TiPlotDataNullList::AddPoints(std::span<const double> X, std::span<const double> Y) {
    const std::uint32_t flags = NewPointFlags();
    StoreAll(X.size(), [&](std::size_t i) { return TiPlotStandardPoint{X[i], Y[i], flags}; });
}

void TiPlotDataNullList::SetFlagBits(int Index, std::uint32_t Mask, std::uint32_t Bits) {
    std::uint32_t& flags = At(Index).Flags;
    flags = (flags & ~Mask) | (Bits & Mask);
    Touch();
}
