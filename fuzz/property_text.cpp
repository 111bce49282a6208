// The property text reader fed any lines: what it reads writes back as text
// that reads to the same object, and a string value of any characters
// (line breaks included) survives a save and a load.
#include "FuzzSupport.h"
#include "PlotFuzz.h"
#include "plot/iPlotChannelCustom.h"

namespace {

TiStringList TextOf(TiPersistent& object) {
    TiStringList lines;
    PropertiesToText(object, "Channel", lines);
    return lines;
}

bool HasBlankEnds(std::string_view text) {
    return !text.empty() && (static_cast<unsigned char>(text.front()) <= ' ' ||
                             static_cast<unsigned char>(text.back()) <= ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".txt");
    const std::string_view bytes = AsText(data, size);
    file.Write(bytes);
    // The channels read whole text need no reset: every property is in it.
    TiPlot& plot = SharedFuzzPlot(4);
    TiPlotChannelCustom& read = *plot.Channel(0);
    ResetFuzzChannel(read);
    TiPropertyLines lines(ReadTextLines(file.Path()));
    try {
        PropertiesFromText(read, "Channel", lines);
    } catch (const std::exception&) {
    }
    const TiStringList written = TextOf(read);
    // A line cut at 255 characters, and the blanks its cut leaves at the end,
    // are not read back: the check holds for what was written whole.
    for (const std::string& line : written)
        if (line.size() >= 200)
            return 0;
    TiPlotChannelCustom& reread = *plot.Channel(1);
    TiPropertyLines writtenLines(written);
    PropertiesFromText(reread, "Channel", writtenLines);
    FuzzCheck(TextOf(reread) == written, "written properties read back the same");

    // The whole input as a title: short enough not to be cut, and without the
    // blanks at its ends that reading trims.
    if (size <= 64 && !HasBlankEnds(bytes) && bytes.find('\0') == std::string_view::npos) {
        TiPlotChannelCustom& titled = *plot.Channel(2);
        titled.SetTitleText(std::string(bytes));
        WriteTextLines(file.Path(), TextOf(titled));
        TiPropertyLines titleLines(ReadTextLines(file.Path()));
        TiPlotChannelCustom& loaded = *plot.Channel(3);
        PropertiesFromText(loaded, "Channel", titleLines);
        FuzzCheck(loaded.TitleText() == titled.TitleText(), "a title survives a save and a load");
    }
    return 0;
}
