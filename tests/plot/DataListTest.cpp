#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "plot/iClasses.h"
#include "plot/iPlotDataCompactIntervalList.h"
#include "plot/iPlotDataCompactList.h"
#include "plot/iPlotDataFullList.h"
#include "plot/iPlotDataListFactory.h"
#include "plot/iPlotDataNullList.h"

namespace {

std::vector<double> Ys(const TiPlotDataCustomList& list) {
    std::vector<double> ys;
    for (int i = 0; i < list.Count(); ++i)
        ys.push_back(list.GetY(i));
    return ys;
}

void AddYs(TiPlotDataCustomList& list, std::initializer_list<double> ys) {
    for (double y : ys)
        list.Add(y, y);
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no exception";
}

class EveryDataStyle : public testing::TestWithParam<TiPlotDataStyle> {};

}  // namespace

TEST(DataList, ItemSizesFixMaxCapacity) {
    EXPECT_EQ(CreatePlotDataList(ipdsStandard)->MaxCapacity(), 89478485);
    EXPECT_EQ(CreatePlotDataList(ipdsCompact)->MaxCapacity(), 268435455);
    EXPECT_EQ(CreatePlotDataList(ipdsCompactInterval)->MaxCapacity(), 536870911);
    EXPECT_EQ(CreatePlotDataList(ipdsFullFeature)->MaxCapacity(), 15790320);
}

TEST_P(EveryDataStyle, GrowsInTheDocumentedSteps) {
    auto list = CreatePlotDataList(GetParam());
    std::vector<int> capacities;
    for (int i = 0; i < 120; ++i) {
        list->Add(i, i);
        if (capacities.empty() || capacities.back() != list->Capacity())
            capacities.push_back(list->Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
    EXPECT_EQ(list->MemoryUsed(), std::int64_t{147} * list->ItemSize());
    EXPECT_EQ(list->GetY(119), 119.0);
}

TEST_P(EveryDataStyle, RingOfThreeKeepsTheNewestInOrder) {
    auto list = CreatePlotDataList(GetParam());
    list->SetRingBufferSize(3);
    std::vector<int> storageSlots;
    for (double y : {1.0, 2.0, 3.0, 4.0, 5.0})
        storageSlots.push_back(list->Add(y, y));
    EXPECT_EQ(storageSlots, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(Ys(*list), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(list->Capacity(), 3);
    list->Add(6, 6);  // wraps all the way round
    EXPECT_EQ(list->RingStart(), 0);
    EXPECT_EQ(Ys(*list), (std::vector<double>{4, 5, 6}));
}

TEST_P(EveryDataStyle, RingResizing) {
    auto unwrapped = CreatePlotDataList(GetParam());
    AddYs(*unwrapped, {1, 2, 3, 4, 5});
    unwrapped->SetRingBufferSize(2);
    EXPECT_EQ(Ys(*unwrapped), (std::vector<double>{4, 5}));
    EXPECT_EQ(unwrapped->GetRingBufferSize(), 2);

    auto wrapped = CreatePlotDataList(GetParam());
    wrapped->SetRingBufferSize(3);
    AddYs(*wrapped, {1, 2, 3, 4});
    wrapped->SetRingBufferSize(5);
    EXPECT_EQ(wrapped->Count(), 0);
    EXPECT_EQ(wrapped->GetRingBufferSize(), 5);

    // Turning the ring off keeps an unwrapped ring's points, drops a wrapped one's.
    auto ring = CreatePlotDataList(GetParam());
    ring->SetRingBufferSize(4);
    AddYs(*ring, {1, 2});
    ring->SetRingBufferSize(0);
    EXPECT_EQ(Ys(*ring), (std::vector<double>{1, 2}));
    AddYs(*ring, {3, 4, 5});
    EXPECT_EQ(ring->Count(), 5);
    wrapped->SetRingBufferSize(2);
    AddYs(*wrapped, {1, 2, 3});
    wrapped->SetRingBufferSize(0);
    EXPECT_EQ(wrapped->Count(), 0);
    EXPECT_EQ(wrapped->Capacity(), 0);
}

TEST_P(EveryDataStyle, ClearKeepsARingButReleasesAGrowingList) {
    auto growing = CreatePlotDataList(GetParam());
    AddYs(*growing, {1, 2, 3});
    growing->Clear();
    EXPECT_EQ(growing->Capacity(), 0);
    auto ring = CreatePlotDataList(GetParam());
    ring->SetRingBufferSize(3);
    AddYs(*ring, {1, 2, 3, 4});
    ring->Clear();
    EXPECT_EQ(ring->Count(), 0);
    EXPECT_EQ(ring->Capacity(), 3);
    AddYs(*ring, {7});
    EXPECT_EQ(Ys(*ring), (std::vector<double>{7}));
}

TEST_P(EveryDataStyle, FailuresLeaveTheListUnchanged) {
    auto list = CreatePlotDataList(GetParam());
    AddYs(*list, {1, 2, 3});
    EXPECT_EQ(MessageOf([&] { list->SetCapacity(list->MaxCapacity() + 1); }),
              "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->SetRingBufferSize(list->MaxCapacity() + 1); }),
              "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list->DeleteFirst(3); }), "Delete size out of Range");
    EXPECT_EQ(MessageOf([&] { list->DeleteFirst(-1); }), "Delete size out of Range");
    EXPECT_EQ(MessageOf([&] { list->GetY(3); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list->SetY(-1, 0); }), "Index out of Bounds");
    EXPECT_EQ(Ys(*list), (std::vector<double>{1, 2, 3}));
    EXPECT_FALSE(list->RingMode());
    list->DeleteFirst(2);
    EXPECT_EQ(Ys(*list), (std::vector<double>{3}));
}

// What a list shows of its state and points, to compare two lists by.
std::string StateOf(const TiPlotDataCustomList& list) {
    std::string state = std::to_string(list.Count()) + "/" + std::to_string(list.Capacity()) +
                        " start " + std::to_string(list.RingStart()) + " added " +
                        std::to_string(list.AddedTotal()) + " generation " +
                        std::to_string(list.Generation()) + ":";
    for (int i = 0; i < list.Count(); ++i) {
        const TiPlotDataPoint point = list.GetPoint(i);
        state += " " + std::to_string(point.X) + "," + std::to_string(point.Y);
    }
    return state;
}

// Runs of every length, into growing lists and rings that wrap (rings of one
// and two points included), leave what one Add a point leaves.
TEST_P(EveryDataStyle, AddPointsLeavesWhatAddsOneByOneLeave) {
    std::vector<double> xs, ys;
    for (int i = 0; i < 300; ++i) {
        xs.push_back(10 + i * 0.25);
        ys.push_back(std::sin(i) * 100);
    }
    for (const int ring : {0, 1, 2, 7, 64}) {
        auto single = CreatePlotDataList(GetParam());
        auto bulk = CreatePlotDataList(GetParam());
        single->SetRingBufferSize(ring);
        bulk->SetRingBufferSize(ring);
        size_t from = 0;
        for (const size_t run : {1, 2, 3, 5, 40, 0, 100, 149}) {
            for (size_t i = from; i < from + run; ++i)
                single->Add(xs[i], ys[i]);
            bulk->AddPoints(std::span(xs).subspan(from, run), std::span(ys).subspan(from, run));
            from += run;
            ASSERT_EQ(StateOf(*bulk), StateOf(*single)) << "ring " << ring << " after " << from;
        }
    }
}

TEST_P(EveryDataStyle, GetPointsReadsWhatGetPointReads) {
    auto list = CreatePlotDataList(GetParam());
    list->SetRingBufferSize(50);
    for (int i = 0; i < 137; ++i)  // wrapped, the oldest in the middle
        list->Add(i * 0.5, i % 11 - 3);
    list->SetNull(4, true);
    list->SetEmpty(9, true);
    for (const auto& [first, count] : {std::pair{0, 50}, {0, 0}, {13, 37}, {36, 3}, {49, 1}}) {
        std::vector<TiPlotDataPoint> points(static_cast<size_t>(count));
        list->GetPoints(first, points);
        for (int k = 0; k < count; ++k) {
            const TiPlotDataPoint expected = list->GetPoint(first + k);
            EXPECT_EQ(points[size_t(k)].X, expected.X) << first << "+" << k;
            EXPECT_EQ(points[size_t(k)].Y, expected.Y) << first << "+" << k;
            EXPECT_EQ(points[size_t(k)].Null, expected.Null) << first << "+" << k;
            EXPECT_EQ(points[size_t(k)].Empty, expected.Empty) << first << "+" << k;
        }
    }
    std::vector<TiPlotDataPoint> points(3);
    EXPECT_EQ(MessageOf([&] { list->GetPoints(48, points); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list->GetPoints(-1, points); }), "Index out of Bounds");
}

INSTANTIATE_TEST_SUITE_P(DataList, EveryDataStyle,
                         testing::Values(ipdsStandard, ipdsCompact, ipdsCompactInterval,
                                         ipdsFullFeature));

TEST(DataList, GetXBeforeTheFirstPoint) {
    for (TiPlotDataStyle style : {ipdsStandard, ipdsCompact, ipdsFullFeature}) {
        auto list = CreatePlotDataList(style);
        list->Add(1, 1);
        EXPECT_EQ(MessageOf([&] { list->GetX(-1); }), "Index out of Bounds");
    }
    TiPlotDataCompactIntervalList interval;
    interval.Add(10, 1);
    interval.Add(12, 2);
    EXPECT_EQ(interval.GetX(-1), 8.0);
}

TEST(DataList, CompactIntervalSpacingComesFromTheFirstTwoPoints) {
    TiPlotDataCompactIntervalList list;
    list.Add(10, 1);
    EXPECT_EQ(list.Interval(), -1.0);
    list.Add(10.5, 2);
    list.Add(99, 3);
    EXPECT_EQ(list.GetX(2), 11.0);
    EXPECT_EQ(list.GetPoint(1).X, 10.5);
    list.SetX(0, 20);
    EXPECT_EQ(list.GetX(2), 21.0);
    EXPECT_EQ(MessageOf([&] { list.SetX(1, 0); }),
              "Data Style does not support setting individual X-Value with the exception of the "
              "first X-Value");

    // A ring moves its first X along as the oldest points fall out.
    TiPlotDataCompactIntervalList ring;
    ring.SetRingBufferSize(2);
    for (double x : {0.0, 2.0, 4.0, 6.0})
        ring.Add(x, x);
    EXPECT_EQ(ring.GetX(0), 4.0);
    EXPECT_EQ(ring.GetX(1), 6.0);
    EXPECT_EQ(ring.GetY(1), 6.0);
    ring.Clear();
    EXPECT_EQ(ring.Interval(), -1.0);
}

TEST(DataList, CompactStylesKeepFloatPrecisionAndNoMarks) {
    TiPlotDataCompactList list;
    list.Add(0.1, 1e300);
    list.Add(std::nan(""), -1e300);
    EXPECT_EQ(list.GetX(0), static_cast<double>(0.1f));
    EXPECT_NE(list.GetX(0), 0.1);
    EXPECT_EQ(list.GetY(0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(list.GetY(1), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(list.GetX(1)));
    list.SetNull(0, true);
    list.SetEmpty(0, true);
    EXPECT_FALSE(list.GetNull(0));
    EXPECT_FALSE(list.GetEmpty(0));
    EXPECT_EQ(list.GetHigh(0), 0.0);
}

TEST(DataList, StandardFlagsChangeOnlyTheirOwnBits) {
    TiPlotDataNullList list;
    list.Attributes().MarkerVisible = true;
    list.Attributes().MarkerStyle = ipmsTriangleLeft;
    list.Attributes().TraceColor = 0x00FF00;
    list.Add(1, 2);
    list.Attributes().MarkerVisible = false;
    list.Attributes().MarkerStyle = ipmsSquare;
    EXPECT_TRUE(list.GetMarkerVisible(0));
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsTriangleLeft);
    list.SetNull(0, true);
    list.SetMarkerVisible(0, false);
    EXPECT_TRUE(list.GetNull(0));
    EXPECT_FALSE(list.GetEmpty(0));
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsTriangleLeft);
    // Attributes the standard style does not store read as the current ones.
    list.SetTraceColor(0, 0x0000FF);
    list.Attributes().TraceColor = 0x123456;
    EXPECT_EQ(list.GetTraceColor(0), 0x123456);
    const TiPlotDataPoint point = list.GetPoint(0);
    EXPECT_TRUE(point.Null);
    EXPECT_EQ(point.Y, 2.0);
}

TEST(DataList, FullFeatureSnapshotsTheAttributesOfEachPoint) {
    TiPlotDataFullList list;
    list.Attributes().MarkerStyle = ipmsSquare;
    list.Attributes().MarkerCharacter = 'x';
    list.Attributes().BarWidth = 2.5;
    list.Add(1, 1);
    list.Attributes().MarkerStyle = ipmsCircle;
    list.Add(2, 2);
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsSquare);
    EXPECT_EQ(list.GetMarkerStyle(1), ipmsCircle);
    EXPECT_EQ(list.GetMarkerCharacter(0), 0);
    EXPECT_EQ(list.GetBarWidth(0), 2.5);
    EXPECT_TRUE(list.GetBarVisible(0));
    list.SetHigh(1, 9);
    list.SetClose(1, 4);
    list.SetEmpty(0, true);
    EXPECT_EQ(list.GetHigh(1), 9.0);
    EXPECT_EQ(list.GetClose(1), 4.0);
    EXPECT_EQ(list.GetLow(1), 0.0);
    EXPECT_TRUE(list.GetPoint(0).Empty);
}

TEST(DataList, GenerationTracksEveryChangeButAppends) {
    TiPlotDataNullList list;
    const auto start = list.Generation();
    list.Add(1, 1);
    list.Add(2, 2);
    EXPECT_EQ(list.Generation(), start);
    EXPECT_EQ(list.AddedTotal(), 2u);
    list.SetY(0, 5);
    EXPECT_GT(list.Generation(), start);
}

TEST(MinMaxPoint, AccumulatesOneColumn) {
    TiPlotMinMaxPoint column;
    EXPECT_TRUE(column.Empty);
    column.Take(7, 3, 1.0);
    column.Take(8, -2, 1.5);
    column.Take(9, 5, 1.7);
    column.Take(9, 1, 1.8);
    EXPECT_FALSE(column.Empty);
    EXPECT_EQ(column.XPixel, 7);
    EXPECT_EQ(column.X, 1.0);
    EXPECT_EQ(column.FirstY, 3.0);
    EXPECT_EQ(column.LastY, 1.0);
    EXPECT_EQ(column.MinY, -2.0);
    EXPECT_EQ(column.MaxY, 5.0);
    TiPlotMinMaxPoint copy;
    copy.CopyFrom(column);
    column.Reset();
    EXPECT_TRUE(column.Empty);
    EXPECT_EQ(column.XPixel, 7);
    EXPECT_EQ(copy.MaxY, 5.0);
}

TEST(LimitDataList, RecordsByIndex) {
    TiLimitDataList list;
    list.Add({1, 2, 3});
    EXPECT_EQ(list.GetValue3(0), 3.0);
    EXPECT_EQ(MessageOf([&] { list.GetRecord(1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.GetRecord(-1); }), "Index out of Bounds");
}
