#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/DateTime.h"
#include "plot/iPlotAxisFormat.h"
#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotAxisScale.h"

namespace {

// The ticks an axis of `pixels` keeps: candidates that lie on its scale.
std::vector<TiTickValue> TicksOnScale(const TiTickRequest& request, int pixels) {
    const TiTickPlan plan(request);
    TiAxisMapping mapping;
    mapping.SetScale({0, pixels, true, false});
    mapping.SetRange(plan.Range().Min, plan.Range().Span, request.ScaleType);
    std::vector<TiTickValue> kept;
    for (const TiTickValue& tick : plan.Candidates()) {
        if (mapping.InRange(tick.Value)) {
            kept.push_back(tick);
        }
    }
    return kept;
}

std::vector<double> Values(const std::vector<TiTickValue>& ticks, bool minor) {
    std::vector<double> values;
    for (const TiTickValue& tick : ticks) {
        if (tick.Minor == minor) {
            values.push_back(tick.Value);
        }
    }
    return values;
}

TiTickRequest Linear(double min, double span, int intervals) {
    TiTickRequest request;
    request.Range = {min, span};
    request.ScaleLength = 500;
    request.MaxIntervals = intervals;
    return request;
}

TEST(AxisTicks, LinearMajorsAndMinors) {
    const auto ticks = TicksOnScale(Linear(0, 100, 5), 500);
    EXPECT_EQ(Values(ticks, false), (std::vector<double>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Values(ticks, true), (std::vector<double>{10, 30, 50, 70, 90}));
}

TEST(AxisTicks, IncrementRules) {
    const TiTickIncrement halved = ChooseTickIncrement(Linear(0, 1.2, 2));
    EXPECT_DOUBLE_EQ(halved.Increment, 0.5);
    EXPECT_EQ(halved.Intervals, 2);

    TiTickRequest desired = Linear(0, 100, 5);
    desired.DesiredIncrement = 25;
    EXPECT_EQ(ChooseTickIncrement(desired).Increment, 25);
    EXPECT_EQ(ChooseTickIncrement(desired).Intervals, 4);
    desired.MaxIntervals = 3;
    EXPECT_EQ(ChooseTickIncrement(desired).Increment, 50);

    TiTickRequest start = Linear(0, 100, 5);
    start.DesiredStart = 5;
    EXPECT_EQ(Values(TicksOnScale(start, 500), false), (std::vector<double>{5, 25, 45, 65, 85}));
}

TEST(AxisTicks, ScrollingKeepsTicksOnMultiplesOfTheIncrement) {
    // Consecutive frames of a smoothly scrolling axis: each major tick must be
    // an exact multiple of the increment, so its label text never changes as
    // it moves and labels of one frame never differ by rounding noise.
    for (double min = 1000.013; min < 1003; min += 0.0371) {
        const TiTickPlan plan(Linear(min, 1, 5));
        const double increment = plan.Increment().Increment;
        int majors = 0;
        for (const TiTickValue& tick : plan.Candidates()) {
            if (!tick.Minor) {
                ++majors;
                EXPECT_EQ(tick.Value, std::nearbyint(tick.Value / increment) * increment);
            }
        }
        EXPECT_GE(majors, 4) << "at " << min;
    }
}

TEST(AxisTicks, DateTimeStepsOnCalendarBoundaries) {
    TiTickRequest minutes = Linear(45000.25, 10.0 / 1440, 6);
    minutes.FormatStyle = iptfDateTime;
    EXPECT_NEAR(ChooseTickIncrement(minutes).Increment * 1440, 2, 1e-9);

    TiTickRequest months = Linear(EncodeDateTime({2024, 2, 10, 0, 0, 0, 0}), 91, 4);
    months.FormatStyle = iptfDateTime;
    const auto ticks = TicksOnScale(months, 400);
    ASSERT_EQ(Values(ticks, false).size(), 3u);
    int expectedMonth = 3;
    for (const double value : Values(ticks, false)) {
        const TDateTimeParts date = DecodeDateTime(value);
        EXPECT_EQ(date.day, 1);
        EXPECT_EQ(date.month, expectedMonth++);
        EXPECT_EQ(date.hour, 0);
    }
    EXPECT_TRUE(Values(ticks, true).empty());
}

TEST(AxisTicks, CalendarStepsNeverSplitBelowOneMonth) {
    // 45 days on two intervals picks one-month steps with a single interval;
    // halving that would leave a zero-month step.
    TiTickRequest request = Linear(45000, 45, 2);
    request.FormatStyle = iptfDateTime;
    const TiTickPlan plan(request);
    EXPECT_TRUE(plan.Increment().MonthSteps);
    EXPECT_EQ(plan.Increment().Increment, 1);
    const auto ticks = TicksOnScale(request, 300);
    EXPECT_FALSE(ticks.empty());
}

TEST(AxisTicks, YearStepsStartOnTheFirstOfJanuary) {
    TiTickRequest request = Linear(EncodeDateTime({2001, 7, 1, 0, 0, 0, 0}), 3650, 5);
    request.FormatStyle = iptfDateTime;
    const TiTickPlan plan(request);
    ASSERT_TRUE(plan.Increment().YearSteps);
    EXPECT_EQ(plan.Increment().Increment, 2);
    const std::vector<double> majors = Values(TicksOnScale(request, 500), false);
    ASSERT_GE(majors.size(), 4u);
    for (const double value : majors) {
        const TDateTimeParts date = DecodeDateTime(value);
        EXPECT_EQ(date.month, 1);
        EXPECT_EQ(date.day, 1);
        EXPECT_EQ(date.year % 2, 0);
    }
}

TEST(AxisTicks, LogarithmicDecadesWithMinors) {
    TiTickRequest request = Linear(1, 999, 5);
    request.ScaleType = ipstLog10;
    const auto ticks = TicksOnScale(request, 300);
    EXPECT_EQ(Values(ticks, false), (std::vector<double>{1, 10, 100, 1000}));
    const auto minors = Values(ticks, true);
    ASSERT_EQ(minors.size(), 24u);
    EXPECT_EQ(minors.front(), 2);
    EXPECT_EQ(minors.back(), 900);

    request.MaxIntervals = 2;  // too short for every decade: majors every 2 decades
    EXPECT_EQ(Values(TicksOnScale(request, 300), false), (std::vector<double>{1, 100}));
}

TEST(AxisTicks, PriceStepsInFractionsOfAPoint) {
    TiTickRequest request = Linear(100, 2, 8);
    request.FormatStyle = iptfPrice32nds;
    EXPECT_EQ(ChooseTickIncrement(request).Increment, 0.25);
}

// A span of a trillion years asks for year steps past INT_MAX; the step is
// held to the calendar the axis can show instead of overflowing.
TEST(AxisTicks, YearStepsPastTheLargestIntegerStayDefined) {
    TiTickRequest request = Linear(EncodeDateTime({2001, 7, 1, 0, 0, 0, 0}), 365.0 * 1e12, 5);
    request.FormatStyle = iptfDateTime;
    const TiTickPlan plan(request);
    ASSERT_TRUE(plan.Increment().YearSteps);
    EXPECT_GT(plan.Increment().Increment, 2147483647.0);
    for (const TiTickValue& tick : plan.Candidates())
        EXPECT_TRUE(std::isfinite(tick.Value));
}

TEST(AxisTicks, AbsurdSettingsStayBounded) {
    TiTickRequest request = Linear(1e300, 100, 5);
    request.MinorCount = 1 << 30;
    EXPECT_LE(TiTickPlan(request).Candidates().size(), 100000u);
    EXPECT_LE(TiTickPlan(Linear(0, 1e-300, 5)).Candidates().size(), 12u);
}

TEST(AxisLabelTexts, DecimalsFollowTheSpan) {
    const TiAxisTextFormat format;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 100, 20).Text, "20");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0.2).Text, "0.20");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0.1 + 0.2).Text, "0.30");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 0.05, 0.01).Text, "0.0100");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, -1e-17).Text, "0.00");
    TiAxisTextFormat fixed;
    fixed.PrecisionStyle = ipsFixedDecimalPoints;
    fixed.Precision = 1;
    EXPECT_EQ(FormatAxisValue(fixed, ipstLinear, 1000, 12.345).Text, "12.3");
}

TEST(AxisLabelTexts, LogarithmicValues) {
    const TiAxisTextFormat format;
    EXPECT_EQ(FormatAxisValue(format, ipstLog10, 999, 1000).Text, "1000");
    EXPECT_EQ(FormatAxisValue(format, ipstLog10, 999, 0.1).Text, "0.1");
    const TiFormattedValue zero = FormatAxisValue(format, ipstLog10, 999, 0);
    EXPECT_EQ(zero.Text, "Unknown");
    EXPECT_FALSE(zero.Showable);
}

TEST(AxisLabelTexts, PrefixPriceThousandsAndExponent) {
    TiAxisTextFormat format;
    format.Style = iptfPrefix;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1500).Text, "1.50K");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0.0005).Text, "0.500m");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0.002).Text, "0.00200");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0).Text, "0.0");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 5e-7).Text, "0.500\u00B5");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1e30).Text, "Unknown");

    format.Style = iptfPrice32nds;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 100.5).Text, "100.160");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 100.515625).Text, "100.164");

    format.Style = iptfThousands;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 100, 1234567.891).Text, "1,234,568");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, -1234.5).Text, "-1,234.50");

    format.Style = iptfExponent;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1500).Text, "1.50e+03");
}

// Where the user writes "0,5", labels do too, as cursor texts and data files
// already did; thousands are then grouped with dots. Prices and dates keep
// their own punctuation.
TEST(AxisLabelTexts, NumbersFollowTheDecimalSeparator) {
    TiAxisTextFormat format;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 0.2, ',').Text, "0,20");
    EXPECT_EQ(FormatAxisValue(format, ipstLog10, 999, 0.1, ',').Text, "0,1");
    format.Style = iptfPrefix;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1500, ',').Text, "1,50K");
    format.Style = iptfExponent;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1500, ',').Text, "1,50e+03");
    format.Style = iptfThousands;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, -1234.5, ',').Text, "-1.234,50");
    format.Style = iptfPrice32nds;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 100.5, ',').Text, "100.160");
    format.Style = iptfDateTime;
    format.DateTimeFormat = "hh:nn:ss.zzz";
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 2.5, ',').Text, "12:00:00.000");
}

TEST(AxisLabelTexts, DateTimeTexts) {
    TiAxisTextFormat format;
    format.Style = iptfDateTime;
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 2.5).Text, "12:00:00");
    format.DateTimeFormat = "Jhh:nn";
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 2.5).Text, "2 12:00");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, 1e12).Text, "Error");
    EXPECT_EQ(FormatAxisValue(format, ipstLinear, 1, std::nan("")).Text, "Error");
}

TEST(AxisLabelTexts, OneLineTextsAndLengths) {
    EXPECT_EQ(JoinLabelLines("a\r\nb\rc\nd"), "a b c\nd");
    EXPECT_EQ(LabelLength("2.00\u00B5"), 5);
}

}  // namespace
