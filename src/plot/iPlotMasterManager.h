#pragma once
// The master manager owns one manager per kind of plot object and the layout
// manager. It creates every object through them, registers each new object
// with every manager that cares, wires its handlers, and relays the objects'
// remove, rename, change and focus notices. The plot reaches its objects only
// through here.

#include <functional>
#include <memory>

#include "plot/iPlotManagers.h"
#include "plot/iPlotTranslation.h"

class TiComponent;
class TiPlotLayoutManager;

class TiPlotMasterManager {
  public:
    // The objects get `owner` as their host; their visible changes go to
    // the throttled repaint of `surface`, the same plot as a window.
    TiPlotMasterManager(TiPlotHost* owner, TiComponent& surface);
    ~TiPlotMasterManager();
    TiPlotMasterManager(const TiPlotMasterManager&) = delete;
    TiPlotMasterManager& operator=(const TiPlotMasterManager&) = delete;

    // Relays the plot sets: an object about to go (the plot drops its
    // references), an immediate repaint. A visible change goes straight to
    // the plot's throttled repaint.
    std::function<void(TiPlotObject*)> OnRemoveRelay;
    std::function<void()> OnRepaintRelay;
    // The "Edit..." item of an object's menu; a property editor hooks in here.
    std::function<void(TiPlotObject*)> OnEditRelay;

    TiPlotObjectManager& ObjectManager() const { return *objects_; }
    TiPlotToolBarManager& ToolBarManager() const { return *toolBars_; }
    TiPlotLegendManager& LegendManager() const { return *legends_; }
    TiPlotChannelManager& ChannelManager() const { return *channels_; }
    TiPlotDataCursorManager& DataCursorManager() const { return *dataCursors_; }
    TiPlotDataViewManager& DataViewManager() const { return *dataViews_; }
    TiPlotXAxisManager& XAxisManager() const { return *xAxes_; }
    TiPlotYAxisManager& YAxisManager() const { return *yAxes_; }
    TiPlotLabelManager& LabelManager() const { return *labels_; }
    TiPlotTableManager& TableManager() const { return *tables_; }
    TiPlotLimitManager& LimitManager() const { return *limits_; }
    TiPlotAnnotationManager& AnnotationManager() const { return *annotations_; }
    TiPlotTranslationManager& Translations() const { return *translations_; }
    TiPlotLayoutManager& LayoutManager() const { return *layout_; }

    // Each creates and registers an object of the kind and answers its index.
    int AddToolBar() { return Add(*toolBars_); }
    int AddLegend() { return Add(*legends_); }
    int AddChannel() { return Add(*channels_); }
    int AddDataCursor() { return Add(*dataCursors_); }
    int AddDataView() { return Add(*dataViews_); }
    int AddXAxis() { return Add(*xAxes_); }
    int AddYAxis() { return Add(*yAxes_); }
    int AddLabel() { return Add(*labels_); }
    int AddTable() { return Add(*tables_); }
    int AddLimit() { return Add(*limits_); }
    int AddAnnotation() { return Add(*annotations_); }

    bool UserCanEditObjects() const { return userCanEdit_; }
    void SetUserCanEditObjects(bool value);
    bool XYAxesReverse() const { return exchanged_; }
    void SetXYAxesReverse(bool value);
    void ShowToolBars(bool value);
    // Every channel loses its points and every axis starts tracking afresh.
    void ClearAllData();
    void ClearFocus() { objects_->ClearFocus(); }
    void SetChannelClass(TiPlotChannelManager::ChannelFactory factory);

    // The kind managers in the order they are asked about every object.
    std::vector<TiPlotObjectManagerCustom*> TypedManagers() const;

  private:
    int Add(TiPlotObjectOwnedManager& manager);
    void Register(TiPlotObject* object);
    void Unregister(TiPlotObject* object);
    void Renamed(TiPlotObject* object);
    void Focused(TiPlotObject* object);
    void Repaint();

    TiPlotObjectHandlers handlers_;
    bool userCanEdit_ = true;
    bool exchanged_ = false;
    std::unique_ptr<TiPlotObjectManager> objects_;
    std::unique_ptr<TiPlotToolBarManager> toolBars_;
    std::unique_ptr<TiPlotLegendManager> legends_;
    std::unique_ptr<TiPlotChannelManager> channels_;
    std::unique_ptr<TiPlotDataCursorManager> dataCursors_;
    std::unique_ptr<TiPlotDataViewManager> dataViews_;
    std::unique_ptr<TiPlotXAxisManager> xAxes_;
    std::unique_ptr<TiPlotYAxisManager> yAxes_;
    std::unique_ptr<TiPlotLabelManager> labels_;
    std::unique_ptr<TiPlotTableManager> tables_;
    std::unique_ptr<TiPlotLimitManager> limits_;
    std::unique_ptr<TiPlotAnnotationManager> annotations_;
    std::unique_ptr<TiPlotTranslationManager> translations_;
    std::unique_ptr<TiPlotLayoutManager> layout_;
};
