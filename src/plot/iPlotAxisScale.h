#pragma once

#include <vector>

#include "plot/iPlotAxisFormat.h"
#include "plot/iPlotAxisRange.h"

// Chooses where an axis puts its major and minor ticks. Major ticks sit on
// multiples of the increment (or on calendar boundaries for month and year
// steps), so while an axis scrolls its ticks move with the data instead of
// jumping.

struct TiTickRequest {
    TiAxisRange Range;
    TiPlotScaleType ScaleType = ipstLinear;
    TiPlotTextFormat FormatStyle = iptfValue;
    int ScaleLength = 0;   // pixels along the scale
    int MaxIntervals = 1;  // the most major intervals whose labels fit
    double DesiredIncrement = 0;
    double DesiredStart = 0;
    bool LabelsVisible = true;
    int MinorCount = 1;
};

struct TiTickValue {
    double Value;
    bool Minor;
};

struct TiTickIncrement {
    double Increment = 0;  // in axis units, or a count of months or years
    int Intervals = 0;
    bool MonthSteps = false;
    bool YearSteps = false;
};

// The increment for a scale of MaxIntervals intervals, by format style.
TiTickIncrement ChooseTickIncrement(const TiTickRequest& request);

class TiTickPlan {
  public:
    explicit TiTickPlan(const TiTickRequest& request);

    // Month and year steps limit the range to the calendar the date functions
    // cover; the axis adopts this range before it places the ticks.
    const TiAxisRange& Range() const { return range_; }
    const TiTickIncrement& Increment() const { return increment_; }
    double Start() const { return Major(0); }

    // Every candidate tick from the start to one increment past the end; the
    // axis keeps those that lie on its scale.
    std::vector<TiTickValue> Candidates() const;

  private:
    void PlaceFirstTick(const TiTickRequest& request);
    // The index-th major tick after the first one.
    double Major(double index) const;
    std::vector<TiTickValue> LogCandidates() const;

    TiAxisRange range_;
    TiTickIncrement increment_;
    int minorCount_ = 0;
    int maxIntervals_ = 1;
    bool logDecades_ = false;
    // Linear steps: major k lies at origin_ + (firstIndex_ + k) × increment.
    // Calendar steps: firstIndex_ is the first month index (year × 12 +
    // month − 1) or year, advancing calendarStep_ at a time.
    double origin_ = 0;
    double firstIndex_ = 0;
    int calendarStep_ = 1;
};
