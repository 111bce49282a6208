// Limits, tables, annotations and translation entries: the kinds the plot
// keeps so that stored configurations hold them, their managers' wiring and
// their places in the configuration file.
#include <gtest/gtest.h>
#include <QMenu>

#include <string>
#include <vector>

#include "PlotUiTestSupport.h"
#include "ScratchFiles.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"

namespace {

class PlotExtras : public ::testing::Test, public ScratchFiles {
  protected:
    bool Has(const std::string& text, const std::string& line) {
        return text.find("\r\n" + line + "\r\n") != std::string::npos;
    }

    TiPlot plot_;
};

TEST_F(PlotExtras, NewObjectsAreNamedAndLinkedByTheirManagers) {
    const int objects = plot_.Master().ObjectManager().Count();
    plot_.XAxis(0)->SetName("Time");
    TiPlotLimit& limit = *plot_.Limit(plot_.AddLimit());
    EXPECT_EQ(limit.Name(), "Limit 1");
    EXPECT_EQ(limit.XAxisName(), "Time");
    EXPECT_EQ(limit.YAxisName(), "Y-Axis 1");
    EXPECT_EQ(plot_.Table(plot_.AddTable())->Name(), "Table 1");
    EXPECT_EQ(plot_.Annotation(plot_.AddAnnotation())->Name(), "") << "annotations go unnamed";

    // A limit follows its axes' renames like a channel does.
    plot_.YAxis(0)->SetName("Pressure");
    EXPECT_EQ(limit.YAxisName(), "Pressure");

    plot_.DeleteLimit(0);
    plot_.DeleteTable(0);
    plot_.DeleteAnnotation(0);
    EXPECT_EQ(plot_.LimitCount() + plot_.TableCount() + plot_.AnnotationCount(), 0);
    EXPECT_EQ(plot_.Master().ObjectManager().Count(), objects) << "deleted objects left the lists";
}

TEST_F(PlotExtras, AnnotationsStartFromThePlotsDefaults) {
    plot_.AnnotationDefaultFont().SetName("DejaVu Sans Mono");
    plot_.SetAnnotationDefaultBrushStlye(bsClear);
    plot_.SetAnnotationDefaultBrushColor(clAqua);
    plot_.SetAnnotationDefaultPenStlye(psDot);
    plot_.SetAnnotationDefaultPenColor(clRed);
    plot_.SetAnnotationDefaultPenWidth(3);
    TiPlotAnnotation& note = *plot_.Annotation(plot_.AddAnnotation());
    EXPECT_EQ(note.Font().Name(), "DejaVu Sans Mono");
    EXPECT_EQ(note.Font().Color(), clWhite);
    EXPECT_EQ(note.BrushStyle(), bsClear);
    EXPECT_EQ(note.BrushColor(), clAqua);
    EXPECT_EQ(note.PenStyle(), psDot);
    EXPECT_EQ(note.PenColor(), clRed);
    EXPECT_EQ(note.PenWidth(), 3);

    // The defaults are the plot's own configuration lines.
    plot_.SetClipAnnotationsToAxes(false);
    plot_.SaveProperties(Path("plot.txt"));
    const std::string text = Read(Path("plot.txt"));
    for (const char* line :
         {"AnnotationDefaultFont.Name = DejaVu Sans Mono", "AnnotationDefaultBrushStlye = 1",
          "AnnotationDefaultBrushColor = 16776960", "AnnotationDefaultPenStlye = 2",
          "AnnotationDefaultPenColor = 255", "AnnotationDefaultPenWidth = 3",
          "ClipAnnotationsToAxes = 0"})
        EXPECT_TRUE(Has(text, line)) << line;
    TiPlot fresh;
    fresh.LoadProperties(Path("plot.txt"));
    EXPECT_EQ(fresh.AnnotationDefaultPenWidth(), 3);
    EXPECT_FALSE(fresh.ClipAnnotationsToAxes());
}

TEST_F(PlotExtras, TablesLimitsAndTranslationsRoundTripThroughTheConfiguration) {
    TiPlotLimit& limit = *plot_.Limit(plot_.AddLimit());
    limit.SetLine1Position(12.5);
    limit.SetLine2Position(-3);
    plot_.Table(plot_.AddTable())->SetZOrder(4);
    TiPlotTranslation& entry = *plot_.Translation(plot_.AddTranslation());
    entry.SetOriginalString("Edit...");
    entry.SetReplacementString("编辑...");
    plot_.SaveProperties(Path("plot.txt"));
    const std::string text = Read(Path("plot.txt"));
    for (const char* line : {"TableCount = 1", "LimitCount = 1", "TranslationCount = 1",
                             "Limit0.Line1Position = 12.5", "Limit0.XAxisName = X-Axis 1",
                             "Table0.ZOrder = 4", "Translation0.ReplacementString = 编辑..."})
        EXPECT_TRUE(Has(text, line)) << line;

    TiPlot fresh;
    fresh.LoadProperties(Path("plot.txt"));
    ASSERT_EQ(fresh.LimitCount(), 1);
    EXPECT_DOUBLE_EQ(fresh.Limit(0)->Line2Position(), -3);
    ASSERT_EQ(fresh.TableCount(), 1);
    EXPECT_EQ(fresh.Table(0)->ZOrder(), 4);
    ASSERT_EQ(fresh.TranslationCount(), 1);
    EXPECT_EQ(fresh.Translation(0)->OriginalString(), "Edit...");
    fresh.SaveProperties(Path("again.txt"));
    EXPECT_EQ(Read(Path("again.txt")), text);

    // Loading again replaces tables and translations but adds the limits.
    fresh.LoadProperties(Path("plot.txt"));
    EXPECT_EQ(fresh.TableCount(), 1);
    EXPECT_EQ(fresh.TranslationCount(), 1);
    EXPECT_EQ(fresh.LimitCount(), 2);
}

// Without translation entries the file is what it always was: no
// "TranslationCount" line, and loading it keeps the entries there.
TEST_F(PlotExtras, TranslationsAreWrittenOnlyWhenThereAreSome) {
    plot_.SaveProperties(Path("plain.txt"));
    EXPECT_EQ(Read(Path("plain.txt")).find("Translation"), std::string::npos);
    TiPlot other;
    other.Translation(other.AddTranslation())->SetOriginalString("Edit...");
    other.LoadProperties(Path("plain.txt"));
    EXPECT_EQ(other.TranslationCount(), 1);
}

TEST_F(PlotExtras, TranslationEntriesReplaceTheTextsObjectsShow) {
    TiPlotTranslation& edit = *plot_.Translation(plot_.AddTranslation());
    edit.SetOriginalString("Edit...");
    edit.SetReplacementString("编辑...");
    TiPlotTranslation& none = *plot_.Translation(plot_.AddTranslation());
    none.SetOriginalString("No X-Axis");
    none.SetReplacementString("无X轴");
    QMenu menu;
    plot_.DataView(0)->BuildPopupMenu(menu);
    ASSERT_FALSE(menu.actions().isEmpty());
    EXPECT_EQ(menu.actions().last()->text(), "编辑...");

    plot_.Channel(0)->SetXAxisName("nowhere");
    EXPECT_EQ(plot_.Channel(0)->XText(1), "无X轴");
    EXPECT_EQ(plot_.Translate("edit..."), "edit...") << "matched exactly";
    plot_.DeleteTranslation(1);
    EXPECT_EQ(plot_.Channel(0)->XText(1), "No X-Axis");
}

TEST_F(PlotExtras, LimitLineMovesRaiseTheirEvents) {
    plot_.AddLimit();
    plot_.AddLimit();
    std::vector<std::string> raised;
    plot_.OnLimitLine1PositionChange = [&raised](int index, double from, double to) {
        raised.push_back("1:" + std::to_string(index) + ":" + std::to_string(int(from)) + ">" +
                         std::to_string(int(to)));
    };
    plot_.OnLimitLine2PositionChange = [&raised](int index, double, double to) {
        raised.push_back("2:" + std::to_string(index) + ":" + std::to_string(int(to)));
    };
    plot_.Limit(1)->SetLine1Position(5);
    plot_.Limit(1)->SetLine1Position(5);
    plot_.Limit(0)->SetLine2Position(7);
    EXPECT_EQ(raised, (std::vector<std::string>{"1:1:0>5", "2:0:7"}));
}

// A table draws nothing here, so it takes no room from the other objects.
TEST(PlotTables, TakeNoRoom) {
    UiTestPlot ui(640, 400);
    const TRect view = ui.Plot().DataView(0)->LayoutRect();
    const TRect legend = ui.Plot().Legend(0)->LayoutRect();
    ui.Plot().AddTable();
    ui.Plot().Table(0)->SetZOrder(2);
    ui.Paint();
    EXPECT_EQ(ui.Plot().DataView(0)->LayoutRect(), view);
    EXPECT_EQ(ui.Plot().Legend(0)->LayoutRect(), legend);
}

}  // namespace
