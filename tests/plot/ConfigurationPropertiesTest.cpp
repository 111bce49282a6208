// Properties a stored configuration carries beyond the basics: the title
// font, the channel's high-low settings, the axis's entries from older
// files, and the channel's Tag, which stays out of the text.
#include <gtest/gtest.h>

#include <string>

#include "ScratchFiles.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotLabel.h"

namespace {

class ConfigurationProperties : public ::testing::Test, public ScratchFiles {
  protected:
    // Saves plot_ and loads the file into fresh_.
    void RoundTrip() {
        plot_.SaveProperties(Path("plot.txt"));
        fresh_.LoadProperties(Path("plot.txt"));
    }
    bool Saved(const std::string& line) {
        return Read(Path("plot.txt")).find("\r\n" + line + "\r\n") != std::string::npos;
    }

    TiPlot plot_;
    TiPlot fresh_;
};

TEST_F(ConfigurationProperties, TitleFontIsTheTitleLabelsFont) {
    TiFont& font = plot_.TitleFont();
    EXPECT_EQ(&font, &plot_.Label(0)->Font());
    font.SetName("DejaVu Serif");
    font.SetHeight(-17);
    font.SetColor(clRed);
    font.SetStyle(fsBold | fsItalic);
    RoundTrip();
    EXPECT_TRUE(Saved("TitleFont.Name = DejaVu Serif"));
    EXPECT_TRUE(Saved("TitleFont.Height = -17"));
    const TFont& loaded = fresh_.Label(0)->Font();
    EXPECT_EQ(loaded.Name(), "DejaVu Serif");
    EXPECT_EQ(loaded.Height(), -17);
    EXPECT_EQ(loaded.Color(), clRed);
    EXPECT_EQ(loaded.Style(), fsBold | fsItalic);

    // Without labels the title font is the control's own, and loading a
    // title font into it changes nothing else.
    fresh_.Master().LabelManager().Clear();
    fresh_.TitleFont().SetHeight(-30);
    fresh_.LoadProperties(Path("plot.txt"));
    EXPECT_EQ(fresh_.LabelCount(), 1);
    EXPECT_EQ(fresh_.Label(0)->Font().Height(), -17);
}

TEST_F(ConfigurationProperties, EveryHighLowSettingRoundTrips) {
    TiPlotChannel& channel = *plot_.Channel(0);
    const TiPublishedTable& table = channel.Published();
    int published = 0;
    for (const TiPublishedTable::Entry& property : table) {
        if (property->Name().rfind("HighLow", 0) != 0)
            continue;
        ++published;
        switch (property->Kind()) {
            case ipkFloat:
                property->SetFloat(channel, property->GetFloat(channel) + 0.25);
                break;
            case ipkEnumeration:
                property->SetOrdinal(channel, property->ValueNames().size() - 1);
                break;
            case ipkBoolean:
                property->SetOrdinal(channel, 1 - property->GetOrdinal(channel));
                break;
            default:
                property->SetOrdinal(channel, property->GetOrdinal(channel) ^ 0x123456);
                break;
        }
    }
    EXPECT_EQ(published, 15);  // HighLowEnabled and the fourteen settings
    EXPECT_EQ(channel.HighLowStyle(), iphlsCandleStick);
    EXPECT_DOUBLE_EQ(channel.HighLowBarWidth(), 0.75);

    RoundTrip();
    EXPECT_TRUE(Saved("Channel0.HighLowBarWidth = 0.75"));
    TiPlotChannel& loaded = *fresh_.Channel(0);
    for (const TiPublishedTable::Entry& property : table) {
        if (property->Name().rfind("HighLow", 0) != 0)
            continue;
        if (property->Kind() == ipkFloat)
            EXPECT_EQ(property->GetFloat(loaded), property->GetFloat(channel)) << property->Name();
        else
            EXPECT_EQ(property->GetOrdinal(loaded), property->GetOrdinal(channel))
                << property->Name();
    }
}

// Older configurations hold the axis span as "Span_2", and the label
// separation and title margin a second time when they are 0; these are
// read, never written.
TEST_F(ConfigurationProperties, AxesReadTheirEntriesFromOlderFiles) {
    plot_.SaveProperties(Path("plot.txt"));
    std::string text = Read(Path("plot.txt"));
    const auto replace = [&text](const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("\r\nXAxis0.Span = 100\r\n", "\r\nXAxis0.Span_2 = 42\r\n");
    replace("\r\nYAxis0.LabelSeparation = 2\r\n", "\r\nYAxis0.LabelSeparation = 0\r\n");
    text += "YAxis0.LabelSeparation = 0\r\nYAxis0.TitleMargin = 0\r\n";
    Write(Path("old.txt"), text);

    fresh_.LoadProperties(Path("old.txt"));
    EXPECT_DOUBLE_EQ(fresh_.XAxis(0)->Span(), 42);
    EXPECT_DOUBLE_EQ(fresh_.YAxis(0)->LabelSeparation(), 0);
    EXPECT_DOUBLE_EQ(fresh_.YAxis(0)->TitleMargin(), 0);

    fresh_.SaveProperties(Path("again.txt"));
    const std::string again = Read(Path("again.txt"));
    EXPECT_EQ(again.find("Span_2"), std::string::npos);
    EXPECT_NE(again.find("\r\nXAxis0.Span = 42\r\n"), std::string::npos);
}

// The Tag is the user's: any kind of value, kept by the channel, and left out
// of property text, where its kind could not survive.
TEST_F(ConfigurationProperties, ChannelTagHoldsAnyValueAndStaysOutOfFiles) {
    TiPlotChannel& channel = *plot_.Channel(0);
    const TiPublishedProperty* tag = channel.Published().Find("Tag");
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->Kind(), ipkVariant);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(channel.Tag()));
    tag->SetVariant(channel, TiVariant(std::string("pump 3")));
    EXPECT_EQ(std::get<std::string>(channel.Tag()), "pump 3");
    channel.SetTag(TiVariant(std::int64_t{42}));
    EXPECT_EQ(std::get<std::int64_t>(tag->GetVariant(channel)), 42);
    channel.SetDataStyle(ipdsCompact);
    EXPECT_EQ(std::get<std::int64_t>(channel.Tag()), 42);

    RoundTrip();
    EXPECT_EQ(Read(Path("plot.txt")).find(".Tag"), std::string::npos);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(fresh_.Channel(0)->Tag()));
}

}  // namespace
