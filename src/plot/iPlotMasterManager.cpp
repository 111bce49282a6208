#include "plot/iPlotMasterManager.h"

#include "plot/iComponent.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"

TiPlotMasterManager::TiPlotMasterManager(TiPlotHost* owner, TiComponent& surface) {
    // Straight to the plot's throttled repaint: every new point passes here.
    handlers_.OnChange = [&surface](TiPlotObject*) { surface.InvalidateChange(); };
    handlers_.OnInsert = [this](TiPlotObject* object) { Register(object); };
    handlers_.OnRemove = [this](TiPlotObject* object) { Unregister(object); };
    handlers_.OnRename = [this](TiPlotObject* object) { Renamed(object); };

    objects_ = std::make_unique<TiPlotObjectManager>(owner, handlers_);
    toolBars_ = std::make_unique<TiPlotToolBarManager>(owner, handlers_);
    legends_ = std::make_unique<TiPlotLegendManager>(owner, handlers_);
    channels_ = std::make_unique<TiPlotChannelManager>(owner, handlers_);
    dataCursors_ = std::make_unique<TiPlotDataCursorManager>(owner, handlers_);
    dataViews_ = std::make_unique<TiPlotDataViewManager>(owner, handlers_);
    xAxes_ = std::make_unique<TiPlotXAxisManager>(owner, handlers_);
    yAxes_ = std::make_unique<TiPlotYAxisManager>(owner, handlers_);
    labels_ = std::make_unique<TiPlotLabelManager>(owner, handlers_);
    tables_ = std::make_unique<TiPlotTableManager>(owner, handlers_);
    limits_ = std::make_unique<TiPlotLimitManager>(owner, handlers_);
    annotations_ = std::make_unique<TiPlotAnnotationManager>(owner, handlers_);
    layout_ = std::make_unique<TiPlotLayoutManager>(owner, handlers_);
    translations_ = std::make_unique<TiPlotTranslationManager>();

    TiPlotManagerLinks links;
    links.XAxes = xAxes_.get();
    links.YAxes = yAxes_.get();
    links.Channels = channels_.get();
    links.DataViews = dataViews_.get();
    channels_->SetLinks(links);
    dataViews_->SetLinks(links);
    dataCursors_->SetLinks(links);
    limits_->SetLinks(links);
}

TiPlotMasterManager::~TiPlotMasterManager() {
    // Kinds go first, then the object manager, the layout manager last: the
    // layout's level markers stay registered until every other object left.
    toolBars_.reset();
    legends_.reset();
    channels_.reset();
    xAxes_.reset();
    yAxes_.reset();
    dataViews_.reset();
    dataCursors_.reset();
    labels_.reset();
    tables_.reset();
    limits_.reset();
    annotations_.reset();
    objects_.reset();
    layout_.reset();
}

std::vector<TiPlotObjectManagerCustom*> TiPlotMasterManager::TypedManagers() const {
    return {toolBars_.get(),  legends_.get(), channels_.get(),   dataCursors_.get(),
            dataViews_.get(), xAxes_.get(),   yAxes_.get(),      labels_.get(),
            tables_.get(),    limits_.get(),  annotations_.get()};
}

int TiPlotMasterManager::Add(TiPlotObjectOwnedManager& manager) {
    manager.NewObject()->Loaded();
    return manager.Count() - 1;
}

void TiPlotMasterManager::Register(TiPlotObject* object) {
    objects_->AddObject(object);
    if (layout_)
        layout_->AddObject(object);
    for (TiPlotObjectManagerCustom* manager : TypedManagers())
        manager->AddObject(object);

    object->OnFocus = [this](TiPlotObject* focused) { Focused(focused); };
    object->OnFocusChange = [this](TiPlotObject*) { Repaint(); };
    object->OnEdit = [this](TiPlotObject* edited) {
        if (OnEditRelay)
            OnEditRelay(edited);
    };
    object->SetUserCanEdit(userCanEdit_);
    object->SetXYAxesReverse(exchanged_);
}

void TiPlotMasterManager::Unregister(TiPlotObject* object) {
    if (OnRemoveRelay)
        OnRemoveRelay(object);
    if (objects_)
        objects_->Remove(object);
    if (layout_)
        layout_->Remove(object);
    for (TiPlotObjectManagerCustom* manager : TypedManagers())
        if (manager)
            manager->Remove(object);
}

void TiPlotMasterManager::Renamed(TiPlotObject* object) {
    // Every object is in the manager of its kind, so the layout, which lists
    // some of them once more, passes on no notice of its own; and only the
    // kinds that link to the renamed one's hear of it.
    for (TiPlotObjectManagerCustom* manager : TypedManagers()) {
        if (!manager)
            continue;
        if (manager->NamesKindOf(*object))
            manager->NameChanged(*object);
        if (manager->FollowsRenamesOf(*object))
            manager->BroadcastRenamed(object);
    }
}

void TiPlotMasterManager::Focused(TiPlotObject* object) {
    for (TiPlotObjectManagerCustom* manager : TypedManagers())
        manager->BroadcastFocused(object);
    layout_->BroadcastFocused(object);
}

void TiPlotMasterManager::Repaint() {
    if (OnRepaintRelay)
        OnRepaintRelay();
}

void TiPlotMasterManager::SetUserCanEditObjects(bool value) {
    userCanEdit_ = value;
    for (TiPlotObject* object : objects_->Objects())
        object->SetUserCanEdit(value);
}

void TiPlotMasterManager::SetXYAxesReverse(bool value) {
    exchanged_ = value;
    layout_->SetXYAxesReverse(value);
    for (TiPlotObject* object : objects_->Objects())
        object->SetXYAxesReverse(value);
    Repaint();
}

void TiPlotMasterManager::ShowToolBars(bool value) {
    for (int i = 0; i < toolBars_->Count(); ++i)
        toolBars_->Item(i)->SetVisible(value);
}

void TiPlotMasterManager::ClearAllData() {
    for (int i = 0; i < channels_->Count(); ++i)
        channels_->Item(i)->Clear();
    for (int i = 0; i < xAxes_->Count(); ++i)
        xAxes_->Item(i)->RestartTracking();
    for (int i = 0; i < yAxes_->Count(); ++i)
        yAxes_->Item(i)->RestartTracking();
}

void TiPlotMasterManager::SetChannelClass(TiPlotChannelManager::ChannelFactory factory) {
    channels_->SetChannelClass(std::move(factory));
}
