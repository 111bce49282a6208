#pragma once
// The plot's property editor: the configuration as property text, one
// "Kind0.Property = value" line per published property, which the user edits
// and applies. It opens on the whole plot (the toolbar's Edit button) or on
// one object (the "Edit..." item of the object's menu), when it shows that
// object's lines only. Lines that name nothing are left alone and reported.

#include <QDialog>

#include "plot/iPropertyText.h"

class QLabel;
class QPlainTextEdit;
class TiPlotComponent;

// The properties of every object, or of `object` alone, prefixed by kind
// word and index ("ToolBar0.").
TiStringList PlotPropertiesToText(TiPlotComponent& plot, const TiPersistent* object = nullptr);
// Reads the lines back into the objects that exist (only into `object` when
// given); answers the lines that matched no property.
TiStringList PlotPropertiesFromText(TiPlotComponent& plot, const TiStringList& lines,
                                    TiPersistent* object = nullptr);

class TiPlotPropertyEditor : public QDialog {
  public:
    explicit TiPlotPropertyEditor(TiPlotComponent& plot);

    // The object edited, or none for the whole plot.
    const TiPersistent* Object() const { return object_; }
    void SetObject(TiPersistent* object);
    // An object is going away. The keys shown may now name other objects
    // (indexes close up), so the text is reloaded on the next event-loop
    // turn, when the object has left; the editor of that object falls back
    // to the whole plot.
    void ObjectRemoved(const TiPersistent* object);

    // Shows the current configuration, dropping unapplied edits.
    void Reload();
    // Applies the edited text; false (with the reason shown) when a value
    // was refused, a line named nothing or the text was out of date.
    bool Apply();

  private:
    TiPlotComponent& plot_;
    TiPersistent* object_ = nullptr;
    bool reloadPending_ = false;
    QPlainTextEdit* text_;
    QLabel* status_;
};

// Opens the editor on the plot or on one of its objects, modal or staying on
// top by the plot's EditorFormStyle; returns at once.
TiPlotPropertyEditor& ShowPlotPropertyEditor(TiPlotComponent& plot, TiPersistent* object = nullptr);
// The editor when it has been opened, else none.
TiPlotPropertyEditor* FindPlotPropertyEditor(TiPlotComponent& plot);
