// Published numbers keep to their ranges: a value a file could hold but a
// paint could not (NaN, infinity, 1e300, 2^31) is refused by the property's
// setter, and the plot's own sizes are clamped to what a desktop can show.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"
#include "plot/iPropertyText.h"

namespace {

struct TRangeCase {
    const char* Object;
    const char* Property;
    double Value;
};

TiPersistent& ObjectNamed(TiPlot& plot, const std::string& name) {
    if (name == "Legend")
        return *plot.Legend(0);
    if (name == "XAxis")
        return *plot.XAxis(0);
    if (name == "Label")
        return *plot.Label(0);
    if (name == "Channel")
        return *plot.Channel(0);
    if (name == "Font")
        return plot.Label(0)->Font();
    return plot;
}

class PublishedRanges : public ::testing::TestWithParam<TRangeCase> {};

TEST_P(PublishedRanges, RefuseValuesNoPaintCouldDraw) {
    TiPlot plot;
    const TRangeCase& c = GetParam();
    TiPersistent& object = ObjectNamed(plot, c.Object);
    const TiPublishedProperty* property = object.Published().Find(c.Property);
    ASSERT_NE(property, nullptr) << c.Property;
    try {
        if (property->Kind() == ipkFloat)
            property->SetFloat(object, c.Value);
        else
            property->SetOrdinal(object, static_cast<std::int64_t>(c.Value));
        FAIL() << c.Object << "." << c.Property << " took " << c.Value;
    } catch (const EiPropertyValueError& error) {
        EXPECT_STREQ(error.what(), "Invalid property value");
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    PlotObjects, PublishedRanges,
    ::testing::Values(
        TRangeCase{"Legend", "MarginLeft", kNaN}, TRangeCase{"Legend", "ColumnSpacing", 1e300},
        TRangeCase{"Legend", "RowSpacing", -kInf},
        TRangeCase{"Legend", "WrapColAutoCountMax", 2147483647},
        TRangeCase{"Legend", "StartPercent", kInf}, TRangeCase{"Legend", "StopPercent", 1e300},
        TRangeCase{"XAxis", "LabelsMargin", kNaN}, TRangeCase{"XAxis", "LabelSeparation", 1e300},
        TRangeCase{"XAxis", "LabelsMinLength", kInf},
        TRangeCase{"XAxis", "StackingEndsMargin", -1e300},
        TRangeCase{"XAxis", "InnerMargin", 2147483647},
        TRangeCase{"XAxis", "MajorLength", -2147483648.0},
        TRangeCase{"XAxis", "MinorLength", 2147483647},
        TRangeCase{"XAxis", "OuterMargin", -2147483648.0}, TRangeCase{"XAxis", "Min", kNaN},
        TRangeCase{"Label", "MarginTop", 1e300}, TRangeCase{"Font", "Height", -2147483648.0},
        TRangeCase{"Font", "Orientation", 2147483647},
        TRangeCase{"Channel", "MarkersSize", 2147483647}, TRangeCase{"Plot", "TitleMargin", kNaN},
        TRangeCase{"Plot", "OuterMarginLeft", 2147483647},
        TRangeCase{"Plot", "OuterMarginBottom", -2147483648.0},
        TRangeCase{"Plot", "Left", 2147483647}),
    [](const ::testing::TestParamInfo<TRangeCase>& info) {
        return std::string(info.param.Object) + info.param.Property;
    });

TEST(PublishedRanges, EveryDefaultLiesInItsRange) {
    // What a fresh plot saves, a fresh plot loads: no default is refused.
    TiPlot plot;
    plot.SetOptionSaveAllProperties(true);
    TiStringList lines;
    PropertiesToText(plot, "", lines);
    TiPlot fresh;
    TiPropertyLines reader(lines);
    EXPECT_NO_THROW(PropertiesFromText(fresh, "", reader));
}

TEST(PlotSize, IsClampedToWhatTheDesktopCanShow) {
    TiPlot plot;
    plot.SetWidth(30000);
    plot.SetHeight(-5);
    EXPECT_EQ(plot.Width(), TiComponent::MaxSide());
    EXPECT_EQ(plot.Height(), 0);
    EXPECT_GE(TiComponent::MaxSide(), 4096);
    EXPECT_LT(TiComponent::MaxSide(), 30000) << "an offscreen test desktop is small";
    plot.SetWidth(640);
    EXPECT_EQ(plot.Width(), 640);
}

}  // namespace
