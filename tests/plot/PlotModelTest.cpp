// The plot's object model: naming, lookup, name links between objects,
// unregistering on free, focus rules and the layout object's percent rules.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotToolBar.h"

namespace {

std::vector<std::string> NamesOf(const TiPlotObjectManagerCustom& manager) {
    std::vector<std::string> names;
    for (const TiPlotObject* object : manager.Objects())
        names.push_back(object->Name());
    return names;
}

bool Lists(const TiPlotObjectManagerCustom& manager, const TiPlotObject* object) {
    return manager.IndexOf(object) >= 0;
}

}  // namespace

TEST(PlotModel, NewPlotHasTheDefaultObjectsLinkedToEachOther) {
    TiPlot plot;
    EXPECT_EQ(plot.ToolBar(0)->Name(), "Toolbar 1");
    EXPECT_EQ(plot.Legend(0)->Name(), "Legend 1");
    EXPECT_EQ(plot.XAxis(0)->Name(), "X-Axis 1");
    EXPECT_EQ(plot.YAxis(0)->Name(), "Y-Axis 1");
    EXPECT_EQ(plot.Channel(0)->Name(), "Channel 1");
    EXPECT_EQ(plot.DataView(0)->Name(), "Data View 1");
    EXPECT_EQ(plot.DataCursor(0)->Name(), "Cursor 1");
    EXPECT_EQ(plot.Label(0)->Name(), "Title");
    EXPECT_EQ(plot.TitleText(), "Untitled");

    // New objects link to the first objects of the kinds they refer to.
    EXPECT_EQ(plot.XAxis(0)->Title(), "X-Axis 1");
    EXPECT_EQ(plot.Channel(0)->TitleText(), "Channel 1");
    EXPECT_EQ(plot.Channel(0)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(plot.Channel(0)->YAxisName(), "Y-Axis 1");
    EXPECT_EQ(plot.Channel(0)->XAxis(), plot.XAxis(0));
    EXPECT_EQ(plot.DataView(0)->GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(plot.DataView(0)->GridYAxisName(), "Y-Axis 1");
    EXPECT_EQ(plot.DataCursor(0)->ChannelName(), "Channel 1");
    EXPECT_EQ(plot.DataCursor(0)->DataView(), plot.DataView(0));

    // Orientation and levels as the plot sets them up.
    EXPECT_TRUE(plot.ToolBar(0)->Horizontal());
    EXPECT_EQ(plot.ToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(plot.Legend(0)->ZOrder(), 2);
    EXPECT_TRUE(plot.XAxis(0)->Horizontal());
    EXPECT_FALSE(plot.YAxis(0)->Horizontal());
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 1);
}

TEST(PlotModel, NewChannelsAreNumberedAndColouredFromThePalette) {
    TiPlot plot;
    plot.RemoveAllChannels();
    for (int i = 0; i < 3; ++i)
        plot.AddChannel();
    EXPECT_EQ(NamesOf(plot.Master().ChannelManager()),
              (std::vector<std::string>{"Channel 1", "Channel 2", "Channel 3"}));
    EXPECT_EQ(plot.Channel(0)->Color(), clRed);
    EXPECT_EQ(plot.Channel(1)->Color(), clYellow);
    EXPECT_EQ(plot.Channel(2)->Color(), clBlue);

    // Numbers continue after the highest in use, whatever lower ones are free.
    plot.DeleteChannel(1);
    plot.AddChannel();
    EXPECT_EQ(plot.Channel(2)->Name(), "Channel 4");
    plot.Channel(0)->SetName("channel 9");
    plot.AddChannel();
    EXPECT_EQ(plot.Channel(3)->Name(), "Channel 10");
}

// What counts as the number of a name: any case of the base, blanks around
// the number (Unicode ones too), and only what 64 bits hold.
TEST(PlotModel, NewNamesFollowTheHighestNumberAnyNameSpells) {
    TiPlot plot;
    plot.RemoveAllChannels();
    plot.AddChannel();
    TiPlotChannel& named = *plot.Channel(0);
    const auto nextName = [&plot] {
        plot.AddChannel();
        const std::string name = plot.Channel(plot.ChannelCount() - 1)->Name();
        plot.DeleteChannel(plot.ChannelCount() - 1);
        return name;
    };
    const std::pair<const char*, const char*> cases[] = {
        {"Channel 12", "Channel 13"},
        {"CHANNEL\t 20 ", "Channel 21"},
        {"channel 007", "Channel 8"},
        {"Channel\u00a050\u3000", "Channel 51"},
        {"Channel 5x", "Channel 1"},
        {"Channels 5", "Channel 1"},
        {"Channel", "Channel 1"},
        {"通道 5", "Channel 1"},
        {"Channel 18446744073709551615", "Channel 18446744073709551616"},
        {"Channel 18446744073709551616", "Channel 1"},
    };
    for (const auto& [name, next] : cases) {
        named.SetName(name);
        EXPECT_EQ(nextName(), next) << "after " << name;
    }
}

TEST(PlotModel, FindsObjectsByNameWithoutRegardToCase) {
    TiPlot plot;
    EXPECT_EQ(plot.ChannelByName("CHANNEL 1"), plot.Channel(0));
    EXPECT_EQ(plot.XAxisByName("x-axis 1"), plot.XAxis(0));
    EXPECT_EQ(plot.YAxisByName("X-Axis 1"), nullptr);
    EXPECT_EQ(plot.ChannelByName("Channel 2"), nullptr);
}

TEST(PlotModel, IndexOutOfRangeIsAnError) {
    TiPlot plot;
    try {
        plot.Channel(1);
        FAIL() << "no error for a missing channel";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Index out of Bounds");
    }
    EXPECT_THROW(plot.XAxis(-1), std::out_of_range);
}

TEST(PlotModel, RenamingAnAxisUpdatesEveryReferenceToIt) {
    TiPlot plot;
    TiPlotChannelCustom* channel = plot.Channel(0);
    ASSERT_EQ(channel->XAxis(), plot.XAxis(0));  // resolve, so the link caches it

    plot.XAxis(0)->SetName("Time");
    EXPECT_EQ(channel->XAxisName(), "Time");
    EXPECT_EQ(plot.DataView(0)->GridXAxisName(), "Time");
    EXPECT_EQ(channel->XAxis(), plot.XAxis(0));
    // The Y axis reference is untouched.
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");

    // A second rename is followed too.
    plot.XAxis(0)->SetName("Seconds");
    EXPECT_EQ(channel->XAxisName(), "Seconds");
    plot.Channel(0)->SetName("Signal");
    EXPECT_EQ(plot.DataCursor(0)->ChannelName(), "Signal");

    // Every kind that links to an axis follows a Y axis too, and an axis
    // follows the axis it aligns to.
    plot.AddLimit();
    plot.AddYAxis();
    plot.YAxis(1)->SetAlignRefAxisName("Y-Axis 1");
    plot.YAxis(0)->SetName("Volts");
    EXPECT_EQ(channel->YAxisName(), "Volts");
    EXPECT_EQ(plot.DataView(0)->GridYAxisName(), "Volts");
    EXPECT_EQ(plot.Limit(0)->YAxisName(), "Volts");
    EXPECT_EQ(plot.Limit(0)->XAxisName(), "Seconds");
    EXPECT_EQ(plot.YAxis(1)->AlignRefAxisName(), "Volts");
    // Names that objects of other kinds happen to share are not links.
    plot.AddLabel();
    plot.Label(0)->SetName("Volts");
    plot.Label(0)->SetName("Current");
    EXPECT_EQ(channel->YAxisName(), "Volts");
    EXPECT_EQ(plot.Limit(0)->YAxisName(), "Volts");
}

TEST(PlotModel, NewNamesFollowEveryAddRenameAndDelete) {
    TiPlot plot;
    const auto lastChannel = [&plot] { return plot.Channel(plot.ChannelCount() - 1)->Name(); };
    plot.AddChannel();
    plot.AddChannel();
    EXPECT_EQ(lastChannel(), "Channel 3");
    plot.DeleteChannel(2);  // the highest goes
    plot.AddChannel();
    EXPECT_EQ(lastChannel(), "Channel 3");
    plot.Channel(0)->SetName("Channel 9");  // one grows past the rest
    plot.AddChannel();
    EXPECT_EQ(lastChannel(), "Channel 10");
    plot.Channel(3)->SetName("Pressure");  // the highest is renamed away
    plot.AddChannel();
    EXPECT_EQ(lastChannel(), "Channel 10");
    plot.AddLabel();
    plot.Label(0)->SetName("Channel 40");  // another kind's names do not count
    plot.AddChannel();
    EXPECT_EQ(lastChannel(), "Channel 11");
}

TEST(PlotModel, FreeingAnObjectUnregistersItEverywhere) {
    TiPlot plot;
    TiPlotXAxis* axis = plot.XAxis(0);
    TiPlotChannelCustom* channel = plot.Channel(0);
    ASSERT_EQ(channel->XAxis(), axis);
    ASSERT_TRUE(Lists(plot.Master().ObjectManager(), axis));
    ASSERT_TRUE(Lists(plot.Master().LayoutManager(), axis));

    plot.DeleteXAxis(0);
    EXPECT_EQ(plot.XAxisCount(), 0);
    EXPECT_FALSE(Lists(plot.Master().ObjectManager(), axis));
    EXPECT_FALSE(Lists(plot.Master().LayoutManager(), axis));
    const auto& below = plot.Master().LayoutManager().Below();
    EXPECT_EQ(std::find(below.begin(), below.end(), axis), below.end());
    // The channel keeps the name but no longer reaches the freed axis.
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->XAxis(), nullptr);

    // A new axis with the same name is found again.
    plot.AddXAxis();
    EXPECT_EQ(plot.XAxis(0)->Name(), "X-Axis 1");
    EXPECT_EQ(channel->XAxis(), plot.XAxis(0));
}

TEST(PlotModel, ObjectsNeedAnOwnerAndEveryHandler) {
    TiPlot plot;
    TiPlotObjectHandlers handlers;
    handlers.OnChange = [](TiPlotObject*) {};
    handlers.OnInsert = [](TiPlotObject*) {};
    handlers.OnRemove = [](TiPlotObject*) {};
    const auto messageOf = [](auto&& make) -> std::string {
        try {
            make();
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(messageOf([&] { TiPlotChannel channel(nullptr, handlers); }),
              "Owner must be assigned");
    EXPECT_EQ(messageOf([&] { TiPlotChannel channel(&plot, handlers); }),
              "AOnRename event handler can not be null");
    handlers.OnRename = [](TiPlotObject*) {};
    handlers.OnInsert = nullptr;
    EXPECT_EQ(messageOf([&] { TiPlotLabelManager labels(&plot, handlers); }),
              "OnInsert event handler can not be null");
}

TEST(PlotModel, ShiftKeepsSeveralAxesFocusedUntilAnotherKindTakesTheFocus) {
    TiPlot plot;
    plot.AddYAxis();
    TiPlotYAxis* first = plot.YAxis(0);
    TiPlotYAxis* second = plot.YAxis(1);
    first->SetFocused(true);
    plot.Master().ObjectManager().SetShiftState(ssShift);
    second->SetFocused(true);
    EXPECT_TRUE(first->Focused());
    EXPECT_TRUE(second->Focused());

    plot.Master().ObjectManager().SetShiftState(0);
    plot.Channel(0)->SetFocused(true);
    EXPECT_FALSE(first->Focused());
    EXPECT_FALSE(second->Focused());
    EXPECT_TRUE(plot.Channel(0)->Focused());
}

// Selecting the legend that lists a channel, or the data cursor reading it,
// keeps the channel selected; anything else, another channel's cursor
// included, takes the selection away.
TEST(PlotModel, AChannelStaysSelectedForTheLegendAndItsOwnCursor) {
    TiPlot plot;
    plot.AddChannel();
    TiPlotChannelCustom& own = *plot.Channel(0);
    TiPlotChannelCustom& other = *plot.Channel(1);
    int lost = 0;
    plot.OnLostFocusChannel = [&lost](int) { ++lost; };

    own.SetFocused(true);
    plot.Legend(0)->SetFocused(true);
    EXPECT_TRUE(own.Focused());
    plot.DataCursor(0)->SetFocused(true);
    EXPECT_TRUE(own.Focused());
    EXPECT_EQ(lost, 0);

    plot.DataCursor(0)->SetFocused(false);
    other.SetFocused(true);
    EXPECT_FALSE(own.Focused());
    plot.DataCursor(0)->SetChannelName("<All>");
    plot.DataCursor(0)->SetFocused(true);
    EXPECT_FALSE(other.Focused());

    own.SetFocused(true);
    plot.DataView(0)->SetFocused(true);
    EXPECT_FALSE(own.Focused());
}

TEST(PlotModel, PercentRangeStaysAtLeastFivePercentWide) {
    TiPlot plot;
    TiPlotLegend* legend = plot.Legend(0);
    legend->SetStartPercent(97);
    EXPECT_DOUBLE_EQ(legend->StartPercent(), 95);
    EXPECT_DOUBLE_EQ(legend->StopPercent(), 100);

    legend->SetStartPercent(0);
    legend->SetStopPercent(2);
    EXPECT_DOUBLE_EQ(legend->StartPercent(), 0);
    EXPECT_DOUBLE_EQ(legend->StopPercent(), 5);

    legend->SetStopPercent(150);
    EXPECT_DOUBLE_EQ(legend->StopPercent(), 100);
    legend->SetStartPercent(40);
    legend->SetStopPercent(42);
    EXPECT_DOUBLE_EQ(legend->StartPercent(), 37);
    EXPECT_DOUBLE_EQ(legend->StopPercent(), 42);
}

TEST(PlotModel, LayerKeyAndLayoutKeysArePaddedForTextSorting) {
    TiPlot plot;
    TiPlotLegend* legend = plot.Legend(0);
    legend->SetLayer(42);
    EXPECT_EQ(legend->LayerKey(), "000042");
    legend->SetZOrder(2);
    legend->SetStartPercent(49.6);
    EXPECT_EQ(legend->ZOrderKey() + legend->StartPercentKey(), "002050");
}
