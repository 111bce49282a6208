#include <gtest/gtest.h>

#include <algorithm>

#include "PlotUiTestSupport.h"
#include "gdi/RecordingCanvas.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotLegend.h"

namespace {

class LegendTest : public ::testing::Test {
  protected:
    explicit LegendTest(int height = 400) : ui(640, height) {}

    void AddChannels(int total) {
        while (ui.Plot().ChannelCount() < total)
            ui.Plot().AddChannel();
        ui.Paint();
    }

    std::vector<std::string> DrawnTexts() {
        TRecordingCanvas canvas;
        ui.Plot().PaintTo(canvas);
        std::vector<std::string> texts;
        for (const TCanvasCall& call : canvas.CallsNamed("Text")) {
            if (ui.Legend().LayoutRect().Contains({call.Args[0], call.Args[1]})) {
                texts.push_back(call.Text);
            }
        }
        return texts;
    }

    bool Drawn(const std::string& text) {
        const std::vector<std::string> texts = DrawnTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    UiTestPlot ui;
};

class ShortLegendTest : public LegendTest {
  protected:
    ShortLegendTest() : LegendTest(200) {}
};

}  // namespace

TEST_F(ShortLegendTest, TwelveChannelsPageOneRowAtATime) {
    AddChannels(12);
    TiPlotLegend& legend = ui.Legend();
    const int rows = legend.LastShown() - legend.FirstShown() + 1;
    ASSERT_GE(rows, 3);
    ASSERT_LT(rows, 12);
    ASSERT_TRUE(legend.DownButton().Visible());
    EXPECT_FALSE(legend.UpButton().Enabled());

    for (int first = 1; first <= 12 - rows; ++first) {
        ui.Click(CenterOf(legend.DownButton().ButtonRect()));
        EXPECT_EQ(legend.FirstShown(), first);
        EXPECT_EQ(legend.LastShown(), first + rows - 1);
    }
    EXPECT_EQ(legend.LastShown(), 11);
    EXPECT_FALSE(legend.DownButton().Enabled());
    ui.Click(CenterOf(legend.DownButton().ButtonRect()));
    EXPECT_EQ(legend.LastShown(), 11) << "the disabled button does nothing";

    EXPECT_TRUE(legend.UpButton().Enabled());
    ui.Click(CenterOf(legend.UpButton().ButtonRect()));
    EXPECT_EQ(legend.FirstShown(), 11 - rows);
}

TEST_F(LegendTest, ItemsThatFitNeedNoScrolling) {
    AddChannels(3);
    EXPECT_EQ(ui.Legend().LastShown(), 2);
    EXPECT_FALSE(ui.Legend().DownButton().Visible());
}

TEST_F(LegendTest, BlankTitleShowsTheChannelName) {
    ui.Plot().Channel(0)->SetTitleText("  ");
    EXPECT_TRUE(Drawn("Channel 1"));
    ui.Plot().Channel(0)->SetTitleText("Pressure");
    EXPECT_TRUE(Drawn("Pressure"));
}

TEST_F(LegendTest, SpacingAndCountRules) {
    TiPlotLegend& legend = ui.Legend();
    legend.SetRowSpacing(0.75);
    EXPECT_EQ(legend.WrapRowSpacingMin(), 0.75);
    legend.SetWrapRowSpacingMin(0.5);
    EXPECT_EQ(legend.RowSpacing(), 0.5);
    legend.SetWrapColDesiredCount(0);
    EXPECT_EQ(legend.WrapColDesiredCount(), 1);
    legend.SetWrapRowDesiredCount(-3);
    EXPECT_EQ(legend.WrapRowDesiredCount(), 1);
}

TEST_F(LegendTest, NothingIsDrawnWithoutListedChannels) {
    ui.Plot().Channel(0)->SetVisibleInLegend(false);
    EXPECT_TRUE(DrawnTexts().empty());
    EXPECT_TRUE(ui.Plot().Channel(0)->LegendRect().IsEmpty()) << "no stale click target";
}

TEST_F(LegendTest, ValueColumnsShowTheLatestPointAndStatistics) {
    TiPlotLegend& legend = ui.Legend();
    legend.SetShowColumnYValue(true);
    legend.SetShowColumnYMax(true);
    EXPECT_TRUE(Drawn("Empty"));
    TiPlotChannel& channel = *ui.Plot().Channel(0);
    channel.AddXY(1, 4);
    channel.AddXY(2, 9);
    channel.AddXY(3, 2);
    const std::vector<std::string> texts = DrawnTexts();
    TiPlotAxis& y = *ui.Plot().YAxis(0);
    EXPECT_NE(std::find(texts.begin(), texts.end(), y.LegendValueText(2)), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), y.LegendValueText(9)), texts.end());
}

// Cursor values are sized by their characters (so the column does not
// twitch as they change): a Chinese or µ text needs as many character
// widths as a Latin one of the same length, not one per UTF-8 byte.
TEST_F(LegendTest, CursorValueColumnsCountCharactersNotBytes) {
    TiPlot& plot = ui.Plot();
    plot.Channel(0)->SetTitleText("数据");
    plot.Channel(0)->AddXY(0, 5);
    plot.Channel(0)->AddXY(100, 5);
    TiPlotDataCursor& cursor = ui.Cursor();
    cursor.SetChannelName("<All>");
    cursor.SetVisible(true);
    std::string label;
    plot.OnYAxisCustomizeLabel = [&label](int, double, std::string& text) { text = label; };
    const auto requiredWidth = [&](const char* text) {
        label = text;
        ui.Paint();
        TRecordingCanvas canvas;
        return ui.Legend().RequiredThickness(canvas);
    };
    const int latin = requiredWidth("abcdefghijkl");
    EXPECT_TRUE(ui.Legend().ShowAllCursorValues());
    EXPECT_EQ(requiredWidth("一二三四五六七八九十百千"), latin);
    EXPECT_EQ(requiredWidth("µµµµµµµµµµµµ"), latin);
    EXPECT_GT(requiredWidth("abcdefghijklmnop"), latin);
}
