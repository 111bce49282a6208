#include "plot/iPlotAxisScale.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/DateTime.h"

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Month and year steps work on dates between 1 January 1900 (1400 for years)
// and the year 8999, and on spans up to a century.
constexpr double kMonthStepsFirstDay = 0;
constexpr double kYearStepsFirstDay = -182625;
constexpr double kCalendarLastDay = 2593224;
constexpr double kCalendarMaxSpan = 36525;

struct TimeUnit {
    double (*Count)(double span);  // the span in whole units
    double DaysPerUnit;
    std::array<int, 9> Steps;
    int StepCount;
};

double Milliseconds(double span) {
    return DaysToMilliseconds(span);
}
double Seconds(double span) {
    return DaysToSeconds(span);
}
double Minutes(double span) {
    return DaysToMinutes(span);
}
double Hours(double span) {
    return DaysToHours(span);
}
double Days(double span) {
    return std::trunc(span);
}

constexpr std::array<TimeUnit, 5> kTimeUnits{{
    {Milliseconds, 1 / kMillisecondsPerDay, {1, 2, 5, 10, 20, 50, 100, 200, 500}, 9},
    {Seconds, 1 / 86400.0, {1, 2, 5, 10, 15, 20, 30}, 7},
    {Minutes, 1 / 1440.0, {1, 2, 5, 10, 15, 20, 30}, 7},
    {Hours, 1 / 24.0, {1, 2, 4, 6, 12}, 5},
    {Days, 1, {1, 7, 14}, 3},
}};

// Steps are chosen by whole intervals, as an integer division would count them.
double WholeIntervals(double units, double step) {
    return std::trunc(units / step);
}

TiTickIncrement DecimalIncrement(double span, int n) {
    for (int e = static_cast<int>(std::trunc(std::log10(span) - 1 - std::log10(n)));; ++e) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double increment = multiple * std::pow(10.0, e);
            if (n >= span / increment) {
                return {increment, static_cast<int>(std::nearbyint(span / increment))};
            }
        }
    }
}

TiTickIncrement DateTimeIncrement(double span, int n) {
    for (const TimeUnit& unit : kTimeUnits) {
        const double units = unit.Count(span);
        for (int i = 0; i < unit.StepCount; ++i) {
            const double step = unit.Steps[i];
            if (n >= WholeIntervals(units, step)) {
                const double intervals = std::max(WholeIntervals(units, step), 1.0);
                return {step * unit.DaysPerUnit, static_cast<int>(intervals)};
            }
        }
    }
    const double days = std::trunc(span);
    constexpr std::array<std::pair<double, int>, 4> kMonthSteps{
        {{31, 1}, {61, 2}, {92, 3}, {183, 6}}};
    for (const auto& [stepDays, months] : kMonthSteps) {
        if (n >= WholeIntervals(days, stepDays)) {
            const double intervals = std::max(WholeIntervals(days, stepDays), 1.0);
            return {static_cast<double>(months), static_cast<int>(intervals), true, false};
        }
    }
    for (double decade = 1;; decade *= 10) {
        for (const double years : {1.0, 2.0, 5.0}) {
            const double stepDays = 365 * years * decade;
            if (n >= WholeIntervals(days, stepDays)) {
                const double intervals = std::max(WholeIntervals(days, stepDays), 1.0);
                return {years * decade, static_cast<int>(intervals), false, true};
            }
        }
    }
}

TiTickIncrement PriceIncrement(double span, int n) {
    for (double step = 1.0 / 256; step <= 0.5; step *= 2) {
        if (n >= span / step) {
            return {step, static_cast<int>(std::trunc(span / step))};
        }
    }
    for (double decade = 1;; decade *= 10) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * decade;
            if (n >= span / step) {
                return {step, static_cast<int>(std::trunc(span / step))};
            }
        }
    }
}

double LogDecades(TiAxisRange range) {
    return std::log10(range.Max()) - std::log10(range.Min);
}

double FirstOfMonth(int monthIndex) {
    const int year = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    return EncodeDateTime({year, monthIndex - year * 12 + 1, 1, 0, 0, 0, 0});
}

}  // namespace

TiTickIncrement ChooseTickIncrement(const TiTickRequest& request) {
    const double span = request.Range.Span;
    const double desired = request.DesiredIncrement;
    int n = request.MaxIntervals;
    TiTickIncrement chosen;
    if (span <= 1e-299) {
        chosen = {span, 1};
    } else {
        if (desired != 0 && !request.LabelsVisible &&
            span / desired < static_cast<double>(request.ScaleLength) / (request.MinorCount + 1)) {
            chosen = {desired, static_cast<int>(std::nearbyint(span / desired))};
            n = chosen.Intervals;
        }
        if (chosen.Intervals == 0 && desired != 0 && n > span / desired) {
            chosen = {desired, static_cast<int>(std::nearbyint(span / desired))};
            n = chosen.Intervals;
        }
    }
    n = std::max(n, 1);
    if (chosen.Intervals == 0) {
        switch (request.FormatStyle) {
            case iptfDateTime:
                chosen = DateTimeIncrement(span, n);
                break;
            case iptfPrice32nds:
                chosen = PriceIncrement(span, n);
                break;
            default:
                chosen = DecimalIncrement(span, n);
                break;
        }
    }
    if (chosen.Intervals < 2 && n > 1) {
        // Calendar steps cannot be split below one month or one year.
        const bool calendar = chosen.MonthSteps || chosen.YearSteps;
        if (!calendar || chosen.Increment >= 2) {
            chosen.Increment /= 2;
            chosen.Intervals = 2;
        }
    }
    if (n < chosen.Intervals) {
        chosen.Intervals = n;
        chosen.Increment = span / n;
    }
    return chosen;
}

TiTickPlan::TiTickPlan(const TiTickRequest& request)
    : range_(request.Range),
      // More minor ticks than pixels cannot be told apart; the cap keeps an
      // absurd MinorCount from filling memory.
      minorCount_(std::min(request.MinorCount, std::max(request.ScaleLength, 1))),
      maxIntervals_(std::max(request.MaxIntervals, 1)) {
    if (request.ScaleType == ipstLog10) {
        range_ = LogSafeRange(range_);
        logDecades_ = LogDecades(range_) > 1;
    }
    if (!logDecades_) {
        increment_ = ChooseTickIncrement(request);
        PlaceFirstTick(request);
    }
}

void TiTickPlan::PlaceFirstTick(const TiTickRequest& request) {
    const double increment = increment_.Increment;
    const double desired = request.DesiredStart;
    if (desired != 0 && range_.Min <= desired && desired <= range_.Max()) {
        origin_ = desired;
        while (Major(0) > range_.Min && Major(-1) != Major(0)) {
            --firstIndex_;
        }
        return;
    }
    if (increment_.MonthSteps || increment_.YearSteps) {
        const double firstDay = increment_.MonthSteps ? kMonthStepsFirstDay : kYearStepsFirstDay;
        range_.Min = std::clamp(range_.Min, firstDay, kCalendarLastDay);
        range_.Span = std::min(range_.Span, kCalendarMaxSpan);
        // A desired increment of any size steps at most a whole calendar at once.
        calendarStep_ = static_cast<int>(std::clamp(std::nearbyint(increment), 1.0, 10000.0));
        const TDateTimeParts date = DecodeDateTime(range_.Min);
        if (increment_.MonthSteps) {
            const int month = std::max(1, date.month / calendarStep_ * calendarStep_);
            firstIndex_ = date.year * 12 + month - 1 - calendarStep_;
        } else {
            firstIndex_ = date.year / calendarStep_ * calendarStep_ - calendarStep_;
        }
        return;
    }
    // One increment before the first multiple at or below Min.
    firstIndex_ = std::trunc(range_.Min / increment) - 1;
}

double TiTickPlan::Major(double index) const {
    if (increment_.MonthSteps) {
        return FirstOfMonth(static_cast<int>(firstIndex_ + index * calendarStep_));
    }
    if (increment_.YearSteps) {
        const int year = static_cast<int>(firstIndex_ + index * calendarStep_);
        return EncodeDateTime({year, 1, 1, 0, 0, 0, 0});
    }
    // Counting whole increments from the origin, instead of adding them up,
    // keeps every major tick an exact multiple of the increment, so a label
    // never changes its text while the axis scrolls.
    return origin_ + (firstIndex_ + index) * increment_.Increment;
}

std::vector<TiTickValue> TiTickPlan::Candidates() const {
    if (logDecades_) {
        return LogCandidates();
    }
    std::vector<TiTickValue> ticks;
    const double increment = increment_.Increment;
    const double end = range_.Max() + increment;
    const bool calendar = increment_.MonthSteps || increment_.YearSteps;
    const double minorStep = increment / (minorCount_ + 1);
    const bool minors = minorCount_ > 0 && !calendar && minorStep != 0;
    double major = Major(0);
    for (int index = 1; major <= end; ++index) {
        ticks.push_back({major, false});
        if (minors) {
            for (int j = 1; j <= minorCount_; ++j) {
                const double minor = major + j * minorStep;
                if (minor == ticks.back().Value) {
                    return ticks;
                }
                ticks.push_back({minor, true});
            }
        }
        const double next = Major(index);
        if (next <= major) {
            break;
        }
        major = next;
    }
    return ticks;
}

std::vector<TiTickValue> TiTickPlan::LogCandidates() const {
    const double decades = LogDecades(range_);
    const double m = range_.Min;
    int exponent = static_cast<int>(std::trunc(std::log10(m)));
    int step = 1;
    if (maxIntervals_ >= decades) {
        exponent -= 1;
    } else {
        step = 200;
        for (const int candidate : {2, 5, 10, 20, 50, 100}) {
            if (maxIntervals_ >= decades / candidate) {
                step = candidate;
                break;
            }
        }
    }
    std::vector<TiTickValue> ticks;
    for (; std::pow(10.0, exponent) <= range_.Span + m; exponent += step) {
        const double major = std::pow(10.0, exponent);
        ticks.push_back({major, false});
        if (step == 1) {
            for (int j = 2; j <= 9; ++j) {
                ticks.push_back({j * major, true});
            }
        }
    }
    return ticks;
}
