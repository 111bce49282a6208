#pragma once
// Small supporting types of the plot: the pixel-column accumulator of the
// fast trace and the record list used by plot limits.

#include <vector>

// Collects the points that fall into one pixel column: where the column's
// first point is, and the first, last, lowest and highest Y seen there.
class TiPlotMinMaxPoint {
  public:
    TiPlotMinMaxPoint() { Reset(); }

    bool Empty = true;
    int XPixel = 0;
    double X = 0.0;
    double MaxY = 0.0;
    double MinY = 0.0;
    double FirstY = 0.0;
    double LastY = 0.0;

    // Empties the column; the position fields keep their last values.
    void Reset() {
        Empty = true;
        MaxY = -1e301;
        MinY = 1e301;
    }

    void Take(int APixel, double Y, double AX) {
        if (Empty) {
            Empty = false;
            XPixel = APixel;
            X = AX;
            FirstY = Y;
        }
        if (Y > MaxY)
            MaxY = Y;
        if (Y < MinY)
            MinY = Y;
        LastY = Y;
    }

    void CopyFrom(const TiPlotMinMaxPoint& Other) { *this = Other; }
};

struct TiLimitDataRecord {
    double Value1 = 0.0;
    double Value2 = 0.0;
    double Value3 = 0.0;
};

// The records of a plot limit, three doubles each.
class TiLimitDataList {
  public:
    int Count() const { return static_cast<int>(Records_.size()); }
    void Add(const TiLimitDataRecord& Record) { Records_.push_back(Record); }
    void Clear() { Records_.clear(); }

    // Throws "Index out of Bounds" outside 0 … Count − 1.
    TiLimitDataRecord GetRecord(int Index) const;
    double GetValue1(int Index) const { return GetRecord(Index).Value1; }
    double GetValue2(int Index) const { return GetRecord(Index).Value2; }
    double GetValue3(int Index) const { return GetRecord(Index).Value3; }

  private:
    std::vector<TiLimitDataRecord> Records_;
};
