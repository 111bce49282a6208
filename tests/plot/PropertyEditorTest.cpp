// The property editor: the configuration's keys, applied edits, and the
// "Edit..." item of each object's menu opening it on that object.
#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include <algorithm>

#include "PlotUiTestSupport.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotPropertyEditor.h"

namespace {

bool Contains(const TiStringList& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The property editor shows the same keys the configuration file uses and
// applies edits to the objects they name.
TEST(PlotPropertyEditor, EditsObjectsByTheirConfigurationKeys) {
    TiPlot plot;
    const TiStringList lines = PlotPropertiesToText(plot);
    EXPECT_TRUE(Contains(lines, "Channel0.TitleText = Channel 1"));
    EXPECT_TRUE(
        PlotPropertiesFromText(plot, {"Channel0.TitleText = 温度", "XAxis0.Span = 25"}).empty());
    EXPECT_EQ(plot.Channel(0)->TitleText(), "温度");
    EXPECT_DOUBLE_EQ(plot.XAxis(0)->Span(), 25);
    EXPECT_EQ(PlotPropertiesFromText(plot, {"Channel7.TitleText = nobody"}),
              (TiStringList{"Channel7.TitleText = nobody"}));
}

// Another dialog on the plot (a progress window) is not taken for the
// editor when an object goes.
TEST(PlotPropertyEditor, OnlyTheEditorIsFoundAmongThePlotsDialogs) {
    TiPlot plot;
    QDialog progress(&plot);
    EXPECT_EQ(FindPlotPropertyEditor(plot), nullptr);
    plot.AddChannel();
    plot.DeleteChannel(1);
    TiPlotPropertyEditor& editor = ShowPlotPropertyEditor(plot, nullptr);
    EXPECT_EQ(FindPlotPropertyEditor(plot), &editor);
}

// On one object the editor shows and applies that object's lines only; a
// line of another object is reported, not applied.
TEST(PlotPropertyEditor, OnOneObjectTouchesThatObjectOnly) {
    TiPlot plot;
    const TiStringList lines = PlotPropertiesToText(plot, plot.YAxis(0));
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("YAxis0.", 0) == 0; }));
    const TiStringList unknown =
        PlotPropertiesFromText(plot, {"YAxis0.Span = 40", "XAxis0.Span = 7"}, plot.YAxis(0));
    EXPECT_EQ(unknown, TiStringList{"XAxis0.Span = 7"});
    EXPECT_DOUBLE_EQ(plot.YAxis(0)->Span(), 40);
    EXPECT_DOUBLE_EQ(plot.XAxis(0)->Span(), 100);
}

class EditMenuItem : public ::testing::Test {
  protected:
    EditMenuItem() : ui_(640, 400) {}

    TiPlot& Plot() { return ui_.Plot(); }

    // Right-clicks at `at`, as a user opening an object's menu would, and
    // picks "Edit..." from it.
    void EditAt(QPoint at) {
        ui_.Paint();
        ui_.RightClick(at);
        QMenu* menu = Plot().findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());
        const QList<QAction*> actions = menu->actions();
        const auto edit = std::find_if(actions.begin(), actions.end(),
                                       [](QAction* a) { return a->text() == "Edit..."; });
        ASSERT_NE(edit, actions.end());
        (*edit)->trigger();
        menu->close();
    }

    // The editor is open on `object` and shows the lines under `prefix` only.
    void ExpectEditorOn(const TiPlotObject* object, const std::string& prefix) {
        TiPlotPropertyEditor* editor = FindPlotPropertyEditor(Plot());
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->Object(), object);
        EXPECT_EQ(editor->windowTitle().toStdString(), "Properties - " + object->Name());
        const QString text = editor->findChild<QPlainTextEdit*>("PropertyText")->toPlainText();
        EXPECT_TRUE(text.startsWith(QString::fromStdString(prefix + ".Name = " + object->Name())))
            << text.left(80).toStdString();
        for (const QString& line : text.split('\n'))
            EXPECT_TRUE(line.startsWith(QString::fromStdString(prefix + ".")))
                << line.toStdString();
        editor->close();
    }

    UiTestPlot ui_;
};

TEST_F(EditMenuItem, OpensTheEditorOnTheAxisClicked) {
    EditAt(CenterOf(Plot().XAxis(0)->LayoutRect()));
    ExpectEditorOn(Plot().XAxis(0), "XAxis0");
    EditAt(CenterOf(Plot().YAxis(0)->LayoutRect()));
    ExpectEditorOn(Plot().YAxis(0), "YAxis0");
}

TEST_F(EditMenuItem, OpensTheEditorOnTheDataViewTheLegendAndTheChannel) {
    EditAt(CenterOf(Plot().DataView(0)->LayoutRect()));
    ExpectEditorOn(Plot().DataView(0), "DataView0");

    const TRect legend = Plot().Legend(0)->LayoutRect();
    EditAt(QPoint((legend.Left + legend.Right) / 2, legend.Bottom - 2));
    ExpectEditorOn(Plot().Legend(0), "Legend0");

    EditAt(CenterOf(Plot().Channel(0)->LegendRect()));
    ExpectEditorOn(Plot().Channel(0), "Channel0");
}

TEST_F(EditMenuItem, OpensTheEditorOnTheDataCursor) {
    TiPlotDataCursor& cursor = *Plot().DataCursor(0);
    cursor.SetVisible(true);
    ui_.Paint();
    const TRect view = Plot().DataView(0)->LayoutRect();
    EditAt(QPoint(Plot().DataView(0)->PercentToPixelX(cursor.Pointer1Position()), view.Top + 3));
    ExpectEditorOn(&cursor, "DataCursor0");
}

TEST_F(EditMenuItem, WithoutUserCanEditObjectsTheMenuHasNoEditItem) {
    Plot().SetUserCanEditObjects(false);
    ui_.RightClick(CenterOf(Plot().XAxis(0)->LayoutRect()));
    QMenu* menu = Plot().findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    for (const QAction* action : menu->actions())
        EXPECT_NE(action->text(), "Edit...");
    menu->close();
}

// An object deleted while the editor shows it leaves the editor on the
// whole plot, never on a freed object; text shown before the deletion is
// not applied to the objects that took over its keys.
TEST_F(EditMenuItem, AnObjectDeletedUnderTheEditorLeavesItOnThePlot) {
    Plot().AddYAxis();
    ui_.Paint();
    EditAt(CenterOf(Plot().YAxis(0)->LayoutRect()));
    TiPlotPropertyEditor* editor = FindPlotPropertyEditor(Plot());
    ASSERT_NE(editor, nullptr);
    auto* text = editor->findChild<QPlainTextEdit*>("PropertyText");
    text->setPlainText("YAxis0.Span = 3");
    Plot().DeleteYAxis(0);
    EXPECT_EQ(editor->Object(), nullptr);
    EXPECT_FALSE(editor->Apply());
    EXPECT_DOUBLE_EQ(Plot().YAxis(0)->Span(), 100);

    Plot().DeleteYAxis(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->windowTitle(), "Properties");
    EXPECT_FALSE(text->toPlainText().contains("YAxis0."));
    EXPECT_TRUE(editor->Apply())
        << editor->findChild<QLabel*>("PropertyStatus")->text().toStdString();
    editor->close();
}

}  // namespace
