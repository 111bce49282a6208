#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <string>
#include <vector>

#include "gdi/RecordingCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"

namespace {

// The recording canvas measures 6 pixels a character and 13 a line in the
// default label font, so positions can be worked out by hand.
class AxisLabels : public testing::Test {
  protected:
    AxisLabels() {
        x.SetLayoutRect({50, 400, 550, 440});  // a 500-pixel scale below the data view
        x.SetMinSpan(0, 100);
        y.SetLayoutRect({0, 100, 45, 300});
    }

    std::vector<std::string> MajorTexts(const TiPlotAxis& axis) const {
        std::vector<std::string> texts;
        for (const TiPlotTickObject& tick : axis.Ticks()) {
            if (!tick.Minor) {
                texts.push_back(tick.Text);
            }
        }
        return texts;
    }

    const TiPlotTickObject* TickAt(const TiPlotAxis& axis, double value) const {
        for (const TiPlotTickObject& tick : axis.Ticks()) {
            if (tick.Value == value) {
                return &tick;
            }
        }
        return nullptr;
    }

    TiPlot plot;
    TiPlotAxis& x = *plot.XAxis(0);
    TiPlotAxis& y = *plot.YAxis(0);
    TRecordingCanvas canvas;
};

TEST_F(AxisLabels, TicksFitTheLabelPitch) {
    // Labels at least 5 characters (30 px) plus 3 characters of separation:
    // 48 px a label, so ten intervals of 10 fit on 500 pixels.
    x.GenerateTicks(canvas);
    EXPECT_EQ(MajorTexts(x), (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60",
                                                       "70", "80", "90", "100"}));
    const TiPlotTickObject* half = TickAt(x, 50);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->Pixel, 300);
    const TiPlotTickObject* minor = TickAt(x, 55);
    ASSERT_NE(minor, nullptr);
    EXPECT_TRUE(minor->Minor);
    EXPECT_TRUE(minor->Text.empty());
}

TEST_F(AxisLabels, DrawsCentredLabelsTicksAndScaleLine) {
    x.GenerateTicks(canvas);
    canvas.ClearCalls();
    x.Draw(canvas, clBlack);
    const auto texts = canvas.CallsNamed("Text");
    const auto fifty = std::find_if(texts.begin(), texts.end(),
                                    [](const TCanvasCall& call) { return call.Text == "50"; });
    ASSERT_NE(fifty, texts.end());
    ASSERT_GE(fifty->Args.size(), 2u);
    EXPECT_EQ(fifty->Args[0], 300 - 6);  // centred on the tick
    // Below the scale line (5), the major tick (7) and the label margin (3).
    EXPECT_EQ(fifty->Args[1], 400 + 5 + 7 + 3);

    const auto lines = canvas.CallsNamed("Line");
    const auto tick = std::find_if(lines.begin(), lines.end(), [](const TCanvasCall& call) {
        return call.Args == std::vector<int>{300, 405, 300, 412};
    });
    EXPECT_NE(tick, lines.end());
    const auto scaleLine = std::find_if(lines.begin(), lines.end(), [](const TCanvasCall& call) {
        return call.Args == std::vector<int>{50, 405, 551, 405};
    });
    EXPECT_NE(scaleLine, lines.end());
}

TEST_F(AxisLabels, CustomizedLabelsAndOneLineTexts) {
    plot.OnXAxisCustomizeLabel = [](int index, double value, std::string& label) {
        if (index == 0 && value == 50) {
            label = "half\r\nway";
        }
    };
    x.GenerateTicks(canvas);
    const TiPlotTickObject* half = TickAt(x, 50);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->Text, "half\r\nway");
    EXPECT_EQ(x.CursorValueText(50), "half way");
    EXPECT_EQ(x.LegendValueText(50), "half way");
}

TEST_F(AxisLabels, CursorAndLegendFormats) {
    x.SetMinSpan(0, 1);
    x.SetLabelsFormatStyle(iptfDateTime);
    EXPECT_EQ(x.CursorValueText(2.5), "12:00:00");
    // Differences are never dates.
    EXPECT_EQ(x.CursorDeltaText(2.5), "2.50");
    x.SetLegendUseDefaultFormat(false);
    x.SetLegendPrecisionStyle(ipsFixedDecimalPoints);
    x.SetLegendPrecision(1);
    EXPECT_EQ(x.LegendValueText(2.54), "2.5");
}

// Labels, cursor texts and legend texts all take the user's separator.
TEST_F(AxisLabels, TextsFollowTheUsersDecimalSeparator) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    x.SetMinSpan(0, 1);
    TRecordingCanvas canvas;
    x.GenerateTicks(canvas);
    const std::vector<std::string> labels = MajorTexts(x);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "0,20"), labels.end());
    EXPECT_EQ(x.CursorValueText(0.5), "0,50");
    EXPECT_EQ(x.LegendValueText(0.5), "0,50");
    QLocale::setDefault(saved);
    EXPECT_EQ(x.CursorValueText(0.5), "0.50");
}

TEST_F(AxisLabels, AutoAdjustRaisesTheMinimumLengthUntilResume) {
    y.SetMinSpan(0, 1e6);
    y.SetLabelsMinLengthAutoAdjust(true);
    y.SetTrackingEnabled(false);
    y.RequiredThickness(canvas);        // measures the widest label
    EXPECT_EQ(y.LabelsMinLength(), 7);  // "1000000"
    y.SetTrackingEnabled(true);
    EXPECT_EQ(y.LabelsMinLength(), 5);
}

TEST_F(AxisLabels, ThicknessAndEndsMargin) {
    // Inner 5 + ticks 7 + label margin round(13 × 0.25) = 3 + one line 13 + outer 5.
    EXPECT_EQ(x.RequiredThickness(canvas), 33);
    x.SetTitleShow(true);
    // The 10-point title font is 13 pixels high, a 16-pixel line: round(16 × 0.25 + 16).
    EXPECT_EQ(x.RequiredThickness(canvas), 33 + 20);
    // Half the widest label (30 px) beyond each end.
    EXPECT_EQ(x.EndsMargin(canvas), 15);
    x.SetLabelsVisible(false);
    EXPECT_EQ(x.EndsMargin(canvas), 0);
}

TEST_F(AxisLabels, GridLinesAtVisibleTicks) {
    x.GenerateTicks(canvas);
    canvas.ClearCalls();
    x.DrawGridLines(canvas, {50, 20, 551, 400}, 1, 1, clGray, clSilver, 0, 2, true, false);
    EXPECT_EQ(canvas.CallsNamed("Line").size(), 11u);
    x.SetGridLinesVisible(false);
    canvas.ClearCalls();
    x.DrawGridLines(canvas, {50, 20, 551, 400}, 1, 1, clGray, clSilver, 0, 2, true, true);
    EXPECT_TRUE(canvas.CallsNamed("Line").empty());
}

}  // namespace
