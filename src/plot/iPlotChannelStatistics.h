#pragma once
// A channel's running statistics: extremes and means of X and Y, kept with
// running sums so that adding a point costs constant time. The means are
// divided out when read, not with every point.

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "plot/iPlotDataCustomList.h"

class TiPlotChannelStatistics {
  public:
    void Reset();
    // New points wait in a small buffer and are folded into the totals in
    // runs, with the totals in registers: folded one call at a time, every
    // sum and extreme went through memory with each point and the chain of
    // loads and stores cost more than storing the point itself. The order of
    // the additions is unchanged, so the sums are the same to the bit.
    void Add(double X, double Y) {
        pending_[pendingCount_] = TPair{X, Y};
        if (++pendingCount_ == kPendingCapacity)
            FoldPending();
    }
    void AddAll(std::span<const double> X, std::span<const double> Y);
    // Starts over from every point that is neither null nor empty.
    void RecalculateFrom(const TiPlotDataCustomList& List);

    double MinX() const { return Folded().Min[0]; }
    double MaxX() const { return Folded().Max[0]; }
    double MeanX() const { return Folded().Mean(0); }
    double MinY() const { return Folded().Min[1]; }
    double MaxY() const { return Folded().Max[1]; }
    double MeanY() const { return Folded().Mean(1); }
    // The count is kept in 64 bits, so the means stay right on a ring that
    // has taken more than 2^31 points; it reads as at most INT_MAX.
    int StatCount() const { return static_cast<int>(std::min<long long>(Folded().Count, INT_MAX)); }

  private:
    // X and Y side by side: each lane does exactly the arithmetic of a
    // scalar of its own, two at a time.
    using TPair = double __attribute__((vector_size(16)));

    struct Totals {
        TPair Min = {1e300, 1e300};
        TPair Max = {-1e300, -1e300};
        // Compensated sums: a double and its accumulated rounding error, at
        // least as precise as an 80-bit sum and without its x87 loads and
        // stores.
        TPair High = {0.0, 0.0};
        TPair Low = {0.0, 0.0};
        // The values each sum holds: a NaN or an infinity would make the
        // mean NaN for good (inf − inf), so the means are of finite values.
        TPair Summed = {0.0, 0.0};
        long long Count = 0;

        // One value, finite in both lanes.
        void AddFinite(TPair Value) {
            AddToExtremes(Value);
            AddToSums(Value);
            ++Count;
        }
        // One value of any kind: a lane that is not finite is left out of
        // its sum.
        void AddAny(TPair Value) {
            AddToExtremes(Value);
            const auto finite = (Value - Value) == TPair{0.0, 0.0};
            AddToSums(finite ? Value : TPair{0.0, 0.0});
            Summed += finite ? TPair{1.0, 1.0} : TPair{0.0, 0.0};
            ++Count;
        }
        void AddToExtremes(TPair Value) {
            // A NaN compares false and leaves an extreme as it was.
            Max = Value > Max ? Value : Max;
            Min = Value < Min ? Value : Min;
        }
        void AddToSums(TPair Value) {
            const TPair sum = High + Value;
            const TPair back = sum - High;
            Low += (High - (sum - back)) + (Value - back);
            High = sum;
        }
        double Mean(int Lane) const {
            if (Summed[Lane] == 0)
                return 0.0;
            const long double sum = static_cast<long double>(High[Lane]) + Low[Lane];
            return static_cast<double>(sum / Summed[Lane]);
        }
    };
    static constexpr int kPendingCapacity = 256;

    // The reading side folds what is waiting; the totals it returns are
    // what they would be had every point been folded as it came.
    const Totals& Folded() const {
        if (pendingCount_ > 0)
            FoldPending();
        return totals_;
    }
    void FoldPending() const;
    // Folds Count values, Value(i) each, into the totals: in one plain pass,
    // and only when that pass leaves a sum that is not finite (a NaN or an
    // infinity went in) once more, value by value, from where it started.
    template <class Values>
    static void Fold(Totals& Into, size_t Count, const Values& Value) {
        Totals local = Into;
        for (size_t i = 0; i < Count; ++i)
            local.AddFinite(Value(i));
        // x − x is 0 only for a finite x.
        const TPair check = (local.High - local.High) + (local.Low - local.Low);
        if (check[0] == 0.0 && check[1] == 0.0) {
            local.Summed += double(Count);
        } else {
            local = Into;
            for (size_t i = 0; i < Count; ++i)
                local.AddAny(Value(i));
        }
        Into = local;
    }

    mutable Totals totals_;
    mutable int pendingCount_ = 0;
    std::array<TPair, kPendingCapacity> pending_;
};
