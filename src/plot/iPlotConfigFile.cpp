#include "plot/iPlotConfigFile.h"

#include <array>
#include <memory>
#include <stdexcept>

#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"

namespace {

constexpr const char* kPlotFileType = "Plot Config";

// One kind of plot object as the file sees it.
struct TiObjectKind {
    const char* Word;
    std::function<int(TiPlotComponent&)> Count;
    std::function<TiPersistent*(TiPlotComponent&, int)> Item;
    // Makes object `index` while loading and returns it.
    std::function<TiPersistent*(TiPlotComponent&, int)> Create;
    std::function<void(TiPlotComponent&)> RemoveAll;
    // A kind the configuration did not always hold: its count is written
    // only when it has objects, and a file that lists it replaces the
    // plot's objects of the kind (one that does not leaves them).
    bool Optional = false;
};

const TiObjectKind kChannels{
    "Channel", &TiPlotComponent::ChannelCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Channel(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Channel(p.AddChannel()); },
    &TiPlotComponent::RemoveAllChannels};
const TiObjectKind kXAxes{
    "XAxis", &TiPlotComponent::XAxisCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.XAxis(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.XAxis(p.AddXAxis()); },
    &TiPlotComponent::RemoveAllXAxes};
const TiObjectKind kYAxes{
    "YAxis", &TiPlotComponent::YAxisCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.YAxis(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.YAxis(p.AddYAxis()); },
    &TiPlotComponent::RemoveAllYAxes};
const TiObjectKind kToolBars{
    "ToolBar", &TiPlotComponent::ToolBarCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.ToolBar(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.ToolBar(p.AddToolBar()); },
    &TiPlotComponent::RemoveAllToolBars};
const TiObjectKind kLegends{
    "Legend", &TiPlotComponent::LegendCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Legend(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Legend(p.AddLegend()); },
    &TiPlotComponent::RemoveAllLegends};
// Label 0 is the title: it survives RemoveAllLabels and is read in place.
const TiObjectKind kLabels{"Label", &TiPlotComponent::LabelCount,
                           [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Label(i); },
                           [](TiPlotComponent& p, int i) -> TiPersistent* {
                               return i == 0 && p.LabelCount() > 0 ? p.Label(0)
                                                                   : p.Label(p.AddLabel());
                           },
                           &TiPlotComponent::RemoveAllLabels};
const TiObjectKind kDataViews{
    "DataView", &TiPlotComponent::DataViewCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.DataView(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.DataView(p.AddDataView()); },
    &TiPlotComponent::RemoveAllDataViews};
const TiObjectKind kDataCursors{
    "DataCursor", &TiPlotComponent::DataCursorCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.DataCursor(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.DataCursor(p.AddDataCursor()); },
    &TiPlotComponent::RemoveAllDataCursors};
const TiObjectKind kTables{
    "Table", &TiPlotComponent::TableCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Table(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Table(p.AddTable()); },
    &TiPlotComponent::RemoveAllTables};
// Limits are never removed by loading: a file's limits join those there.
const TiObjectKind kLimits{
    "Limit", &TiPlotComponent::LimitCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Limit(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Limit(p.AddLimit()); }, nullptr};
const TiObjectKind kTranslations{
    "Translation",
    &TiPlotComponent::TranslationCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Translation(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Translation(p.AddTranslation()); },
    &TiPlotComponent::RemoveAllTranslations,
    true};
// Annotations have a file of their own.
const TiObjectKind kAnnotations{
    "Annotation", &TiPlotComponent::AnnotationCount,
    [](TiPlotComponent& p, int i) -> TiPersistent* { return p.Annotation(i); },
    [](TiPlotComponent& p, int) -> TiPersistent* { return p.Annotation(p.AddAnnotation()); },
    &TiPlotComponent::RemoveAllAnnotations};

const std::array<const TiObjectKind*, 11> kSavedKinds = {
    &kChannels, &kXAxes,     &kYAxes,       &kToolBars, &kLegends,     &kTables,
    &kLabels,   &kDataViews, &kDataCursors, &kLimits,   &kTranslations};

std::string CountKey(const TiObjectKind& kind) {
    return std::string(kind.Word) + "Count";
}

std::string Prefix(const TiObjectKind& kind, int index) {
    return kind.Word + std::to_string(index);
}

void ReadObjects(TiPlotComponent& plot, const TiObjectKind& kind, int count,
                 TiPropertyLines& lines) {
    for (int i = 0; i < count; ++i)
        PropertiesFromText(*kind.Create(plot, i), Prefix(kind, i), lines);
}

bool TakeInteger(const std::string& key, TiPropertyLines& lines, int& value) {
    std::string text;
    if (!TakeTextValue(key, text, lines))
        return false;
    value = static_cast<int>(TextToInteger(text));
    return true;
}

int RequiredInteger(const std::string& key, TiPropertyLines& lines) {
    int value = 0;
    if (!TakeInteger(key, lines, value))
        throw std::runtime_error("Missing " + key);
    return value;
}

// The kind's count line, when there is one; a count outside 0 to the limit
// is refused rather than cut to 32 bits or obeyed.
bool TakeCount(const TiObjectKind& kind, TiPropertyLines& lines, int& count) {
    std::string text;
    if (!TakeTextValue(CountKey(kind), text, lines))
        return false;
    const std::int64_t value = TextToInteger(text);
    if (value < 0 || value > kMaxConfigObjectsPerKind)
        throw std::runtime_error(CountKey(kind) + " " + std::to_string(value) +
                                 " is outside 0 to " + std::to_string(kMaxConfigObjectsPerKind));
    count = static_cast<int>(value);
    return true;
}

// Keeps the layout from rebuilding and the plot from repainting while
// objects come and go; switching the layout back on rebuilds the stacks once.
class TiLoadingPause {
  public:
    explicit TiLoadingPause(TiPlotComponent& plot)
        : layout_(plot.Master().LayoutManager()), batch_(plot) {
        layout_.SetEnabled(false);
    }
    ~TiLoadingPause() { layout_.SetEnabled(true); }
    TiLoadingPause(const TiLoadingPause&) = delete;
    TiLoadingPause& operator=(const TiLoadingPause&) = delete;

  private:
    TiPlotLayoutManager& layout_;
    TiUpdateBatch batch_;
};

}  // namespace

void ForEachPlotObject(TiPlotComponent& plot,
                       const std::function<void(TiPersistent&, const std::string&)>& visit) {
    for (const TiObjectKind* kind : kSavedKinds) {
        for (int i = 0; i < kind->Count(plot); ++i)
            visit(*kind->Item(plot, i), Prefix(*kind, i));
    }
}

TiStringList PlotConfigLines(TiPlotComponent& plot) {
    TiStringList lines{FileTypeLine(kPlotFileType)};
    plot.AppendOwnProperties(lines);
    for (const TiObjectKind* kind : kSavedKinds)
        if (!kind->Optional || kind->Count(plot) > 0)
            lines.push_back(CountKey(*kind) + " = " + std::to_string(kind->Count(plot)));
    lines.push_back("DataViewZHorz = " + std::to_string(plot.DataViewZHorz()));
    lines.push_back("DataViewZVert = " + std::to_string(plot.DataViewZVert()));
    ForEachPlotObject(plot, [&lines](TiPersistent& object, const std::string& prefix) {
        PropertiesToText(object, prefix, lines);
    });
    return lines;
}

namespace {

void ReadPlotConfig(TiPlotComponent& plot, TiPropertyLines& lines) {
    if (!TakeFileType(kPlotFileType, lines))
        throw std::runtime_error("Incompatible Plot Configuration File Type");
    const int zHorz = RequiredInteger("DataViewZHorz", lines);
    const int zVert = RequiredInteger("DataViewZVert", lines);
    plot.SetDataViewZHorz(zHorz);
    plot.SetDataViewZVert(zVert);

    for (const TiObjectKind* kind : {&kToolBars, &kLegends, &kTables, &kLabels, &kXAxes, &kYAxes,
                                     &kDataViews, &kChannels, &kAnnotations, &kDataCursors})
        kind->RemoveAll(plot);

    PropertiesFromText(plot, "", lines);
    for (const TiObjectKind* kind :
         {&kToolBars, &kLegends, &kTables, &kLabels, &kXAxes, &kYAxes, &kDataViews, &kChannels,
          &kDataCursors, &kLimits, &kTranslations}) {
        int count = 0;
        if (!TakeCount(*kind, lines, count))
            continue;
        if (kind->Optional)
            kind->RemoveAll(plot);
        ReadObjects(plot, *kind, count, lines);
    }
}

// A plot to try a file on: the same kind of channels and the same own
// properties as `plot`.
std::unique_ptr<TiPlotComponent> ScratchLike(TiPlotComponent& plot) {
    auto scratch = std::make_unique<TiPlotComponent>();
    scratch->Master().SetChannelClass(plot.Master().ChannelManager().ChannelClass());
    TiStringList own;
    const TiStringList excluded{"Name"};
    PropertiesToText(plot, "", own, &excluded);
    TiPropertyLines ownLines(std::move(own));
    PropertiesFromText(*scratch, "", ownLines);
    return scratch;
}

}  // namespace

void LoadPlotConfig(TiPlotComponent& plot, const TiStringList& lines) {
    TiPropertyLines file(lines);
    {
        const std::unique_ptr<TiPlotComponent> scratch = ScratchLike(plot);
        TiLoadingPause pause(*scratch);
        ReadPlotConfig(*scratch, file);
    }
    file.Rewind();
    TiLoadingPause pause(plot);
    ReadPlotConfig(plot, file);
}

TiStringList AnnotationLines(TiPlotComponent& plot) {
    TiStringList lines{CountKey(kAnnotations) + " = " + std::to_string(plot.AnnotationCount())};
    for (int i = 0; i < plot.AnnotationCount(); ++i)
        PropertiesToText(*plot.Annotation(i), Prefix(kAnnotations, i), lines);
    return lines;
}

namespace {

void ReadAnnotations(TiPlotComponent& plot, TiPropertyLines& lines) {
    plot.RemoveAllAnnotations();
    int count = 0;
    if (TakeCount(kAnnotations, lines, count))
        ReadObjects(plot, kAnnotations, count, lines);
}

}  // namespace

void LoadAnnotations(TiPlotComponent& plot, const TiStringList& lines) {
    {
        const std::unique_ptr<TiPlotComponent> scratch = ScratchLike(plot);
        TiPropertyLines trial(lines);
        ReadAnnotations(*scratch, trial);
    }
    TiUpdateBatch batch(plot);
    TiPropertyLines file(lines);
    ReadAnnotations(plot, file);
}
