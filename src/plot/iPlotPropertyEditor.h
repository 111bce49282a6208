#pragma once
// The plot's property editor: the whole configuration as property text, one
// "Kind0.Property = value" line per published property, which the user edits
// and applies. Lines that name nothing are left alone and reported.

#include <QDialog>

#include "plot/iPropertyText.h"

class QLabel;
class QPlainTextEdit;
class TiPlotComponent;

// Every object's properties, prefixed by kind word and index ("ToolBar0.").
TiStringList PlotPropertiesToText(TiPlotComponent& plot);
// Reads the lines back into the objects that exist; answers the lines that
// matched no property.
TiStringList PlotPropertiesFromText(TiPlotComponent& plot, const TiStringList& lines);

class TiPlotPropertyEditor : public QDialog {
  public:
    explicit TiPlotPropertyEditor(TiPlotComponent& plot);

    // Shows the plot's current configuration, dropping unapplied edits.
    void Reload();
    // Applies the edited text; false (with the reason shown) when a value
    // was refused or a line named nothing.
    bool Apply();

  private:
    TiPlotComponent& plot_;
    QPlainTextEdit* text_;
    QLabel* status_;
};

// Opens the editor on the plot, modal or staying on top by the plot's
// EditorFormStyle; returns at once.
TiPlotPropertyEditor& ShowPlotPropertyEditor(TiPlotComponent& plot);
