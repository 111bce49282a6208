#pragma once
// Object managers: the plot holds its objects in one manager per kind. A
// manager lists its objects in insertion order (an object's index is its
// position) and finds them by name without regard to case; the typed managers
// also own and create the objects of their kind and name new ones
// ("Channel 3"). The object manager lists every object of every kind and
// dispatches input to the focused ones.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plot/iPlotObjects.h"

class TiPlotToolBar;
class TiPlotLegend;
class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotChannelCustom;
class TiPlotDataView;
class TiPlotDataCursor;
class TiPlotLabel;
class TiPlotLimit;
class TiPlotAnnotation;
class TiPlotTable;

class TiPlotObjectManagerCustom {
  public:
    TiPlotObjectManagerCustom(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    virtual ~TiPlotObjectManagerCustom();
    TiPlotObjectManagerCustom(const TiPlotObjectManagerCustom&) = delete;
    TiPlotObjectManagerCustom& operator=(const TiPlotObjectManagerCustom&) = delete;

    virtual std::string BaseName() const = 0;
    // Takes the object into the list when it is of this manager's kind.
    virtual void AddObject(TiPlotObject* object) = 0;
    // The object is going away: drop it from the list.
    virtual void Remove(TiPlotObject* object);
    // Whether a rename of `renamed` may concern this manager's objects. A
    // manager of objects of any kind cannot tell, so it says yes.
    virtual bool FollowsRenamesOf(const TiPlotObject&) const { return true; }
    // Whether `object` is of the kind this manager names.
    virtual bool NamesKindOf(const TiPlotObject&) const { return false; }
    // An object of this manager's kind changed its name: the numbers new
    // names follow may have moved.
    void NameChanged(const TiPlotObject& object);
    void BroadcastRenamed(TiPlotObject* object);
    void BroadcastFocused(TiPlotObject* object);
    virtual void Clear() {}

    int Count() const { return static_cast<int>(list_.size()); }
    bool HasItems() const { return !list_.empty(); }
    // Throws std::out_of_range("Index out of Bounds") for a bad index.
    TiPlotObject* Items(int index) const;
    int IndexOf(const TiPlotObject* object) const;
    TiPlotObject* FindByName(const std::string& name) const;
    std::string NextName() const;
    void AddToList(TiPlotObject* object);
    const std::vector<TiPlotObject*>& Objects() const { return list_; }

  protected:
    virtual void ObjectRemovedHook(TiPlotObject*) {}
    TiPlotHost* Owner() const { return owner_; }
    const TiPlotObjectHandlers& Handlers() const { return handlers_; }

  private:
    // Raises the highest number names spell, while it is known, by `name`'s.
    void NoteNumberOf(const std::string& name) const;

    TiPlotHost* owner_;
    TiPlotObjectHandlers handlers_;
    std::vector<TiPlotObject*> list_;
    // The highest number after the base name of any listed object, kept
    // while names only grow, so that adding objects does not read every
    // name again; unknown after a removal or a rename of the highest.
    mutable std::optional<unsigned long long> highestNumber_;
};

// A manager that owns the objects it creates. An object is destroyed only
// through Free (or Clear), which first lets it unregister everywhere.
class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
  public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
    ~TiPlotObjectOwnedManager() override;

    // Creates an unregistered object of this kind; its Loaded registers it.
    TiPlotObject* NewObject();
    void Free(TiPlotObject* object);
    void Clear() override;
    void Remove(TiPlotObject* object) override;

  protected:
    virtual std::unique_ptr<TiPlotObject> CreateObject() = 0;

  private:
    std::vector<std::unique_ptr<TiPlotObject>> owned_;
};

// Common shape of the typed managers: typed item access and kind filtering.
template <class T>
class TiPlotKindManager : public TiPlotObjectOwnedManager {
  public:
    using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;

    T* Item(int index) const { return static_cast<T*>(Items(index)); }
    T* ItemByName(const std::string& name) const { return static_cast<T*>(FindByName(name)); }

    bool FollowsRenamesOf(const TiPlotObject& renamed) const override {
        return T::FollowsRenamesOf(renamed);
    }
    bool NamesKindOf(const TiPlotObject& object) const override {
        return KindCast<T>(&object) != nullptr;
    }

    void AddObject(TiPlotObject* object) override {
        T* item = KindCast<T>(object);
        if (!item)
            return;
        AddToList(item);
        if (item->Name().empty()) {
            item->SetName(NextName());
            NameGiven(*item);
        }
    }

  protected:
    std::unique_ptr<TiPlotObject> CreateObject() override {
        return std::make_unique<T>(Owner(), Handlers());
    }
    // Kind defaults for an object that came without a name.
    virtual void NameGiven(T&) {}
};

class TiPlotToolBarManager final : public TiPlotKindManager<TiPlotToolBar> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Toolbar"; }
};

class TiPlotLegendManager final : public TiPlotKindManager<TiPlotLegend> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Legend"; }
};

class TiPlotXAxisManager final : public TiPlotKindManager<TiPlotXAxis> {
  public:
    using NewAxisDefaults = std::function<void(TiPlotXAxis&)>;

    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "X-Axis"; }
    // What a kind of plot changes in every X axis it makes, right after the
    // axis is built and before it is registered.
    void SetNewAxisDefaults(NewAxisDefaults defaults) { newAxisDefaults_ = std::move(defaults); }

  protected:
    std::unique_ptr<TiPlotObject> CreateObject() override;
    void NameGiven(TiPlotXAxis& axis) override;

  private:
    NewAxisDefaults newAxisDefaults_;
};

class TiPlotYAxisManager final : public TiPlotKindManager<TiPlotYAxis> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Y-Axis"; }

  protected:
    void NameGiven(TiPlotYAxis& axis) override;
};

// Managers whose new objects link to the first object of other managers.
struct TiPlotManagerLinks {
    TiPlotXAxisManager* XAxes = nullptr;
    TiPlotYAxisManager* YAxes = nullptr;
    TiPlotObjectManagerCustom* Channels = nullptr;
    TiPlotObjectManagerCustom* DataViews = nullptr;
};

class TiPlotChannelManager final : public TiPlotKindManager<TiPlotChannelCustom> {
  public:
    using ChannelFactory = std::function<std::unique_ptr<TiPlotChannelCustom>(
        TiPlotHost*, const TiPlotObjectHandlers&)>;

    TiPlotChannelManager(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    std::string BaseName() const override { return "Channel"; }
    void SetChannelClass(ChannelFactory factory) { factory_ = std::move(factory); }
    const ChannelFactory& ChannelClass() const { return factory_; }
    void SetLinks(const TiPlotManagerLinks& links) { links_ = links; }

  protected:
    std::unique_ptr<TiPlotObject> CreateObject() override;
    void NameGiven(TiPlotChannelCustom& channel) override;

  private:
    TColor NextColor() const;

    ChannelFactory factory_;
    TiPlotManagerLinks links_;
};

class TiPlotDataViewManager final : public TiPlotKindManager<TiPlotDataView> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Data View"; }
    void SetLinks(const TiPlotManagerLinks& links) { links_ = links; }

  protected:
    void NameGiven(TiPlotDataView& view) override;

  private:
    TiPlotManagerLinks links_;
};

class TiPlotDataCursorManager final : public TiPlotKindManager<TiPlotDataCursor> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Cursor"; }
    void SetLinks(const TiPlotManagerLinks& links) { links_ = links; }

  protected:
    void NameGiven(TiPlotDataCursor& cursor) override;

  private:
    TiPlotManagerLinks links_;
};

class TiPlotLabelManager final : public TiPlotKindManager<TiPlotLabel> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Label"; }

  protected:
    void NameGiven(TiPlotLabel& label) override;
};

class TiPlotTableManager final : public TiPlotKindManager<TiPlotTable> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Table"; }
};

class TiPlotLimitManager final : public TiPlotKindManager<TiPlotLimit> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Limit"; }
    void SetLinks(const TiPlotManagerLinks& links) { links_ = links; }

  protected:
    void NameGiven(TiPlotLimit& limit) override;

  private:
    TiPlotManagerLinks links_;
};

// Annotations are not named: they are told apart by index only.
class TiPlotAnnotationManager final : public TiPlotKindManager<TiPlotAnnotation> {
  public:
    using TiPlotKindManager::TiPlotKindManager;
    std::string BaseName() const override { return "Annotation"; }
    void AddObject(TiPlotObject* object) override;
};

// Every object of every kind, owning none; input goes through it to the
// focused objects.
class TiPlotObjectManager final : public TiPlotObjectManagerCustom {
  public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;
    std::string BaseName() const override { return "n/a"; }
    void AddObject(TiPlotObject* object) override { AddToList(object); }

    void ClearFocus();
    void SetShiftState(TShiftState shift);
    void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                           int screenY, QMenu& menu);
    void DispatchMouseMove(TiHintData& hint, TShiftState shift, bool doubleClick, int x, int y,
                           int screenX, int screenY);
    void DispatchMouseUp(TMouseButton button, TShiftState shift, bool doubleClick, int x, int y,
                         int screenX, int screenY);
    void DispatchKeyDown(int& key, TShiftState shift);
    bool DispatchMouseWheel(int delta, TShiftState shift, TPoint point);
    // Silences every object so that tearing the plot down notifies nobody.
    void DetachAll();

  private:
    // A snapshot: handlers may change focus while the dispatch runs.
    std::vector<TiPlotObject*> FocusedObjects() const;
};

// The channel colours, in the order new channels take them.
const std::vector<TColor>& ChannelPalette();
