#pragma once
// The layout manager keeps every layout object of the plot sorted into four
// stacks around the data view (above, below, left, right), each ordered by
// level and then by start percent, and moves objects between levels when they
// are added, removed or turned by XYAxesReverse. The data view's own level
// among the horizontal and among the vertical objects is held by two level
// markers that take part in level moves but are never drawn or placed.

#include <memory>
#include <string>
#include <vector>

#include "plot/iPlotManagers.h"

// A level marker: a layout object with no behaviour of its own.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
  public:
    TiPlotDataViewLayout(TiPlotHost* owner, TiPlotObjectHandlers handlers, bool horizontal);
    TiPlotObjectKind Kind() const override { return ipokLevelMarker; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokLevelMarker; }
};

class TiPlotDataViewHorz final : public TiPlotDataViewLayout {
  public:
    TiPlotDataViewHorz(TiPlotHost* owner, TiPlotObjectHandlers handlers)
        : TiPlotDataViewLayout(owner, std::move(handlers), true) {}
};

class TiPlotDataViewVert final : public TiPlotDataViewLayout {
  public:
    TiPlotDataViewVert(TiPlotHost* owner, TiPlotObjectHandlers handlers)
        : TiPlotDataViewLayout(owner, std::move(handlers), false) {}
};

class TiPlotLayoutManager final : public TiPlotObjectManagerCustom {
  public:
    using Stack = std::vector<TiPlotLayoutObject*>;

    // How PlaceAtLevel treats an occupied level.
    enum PlaceMode { plmIntoLevel = 0, plmNewLevelBefore = 1, plmNewLevelAfter = 2 };

    TiPlotLayoutManager(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    ~TiPlotLayoutManager() override;

    std::string BaseName() const override { return "Layout Object"; }
    void AddObject(TiPlotObject* object) override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool XYAxesReverse() const { return exchanged_; }
    void SetXYAxesReverse(bool value);

    void PlaceAtLevel(TiPlotLayoutObject* object, int level, int mode);
    void CloseLevel(TiPlotLayoutObject* object);
    void Rebuild();

    TiPlotDataViewLayout& HorzLevelMarker() const { return *horzMarker_; }
    TiPlotDataViewLayout& VertLevelMarker() const { return *vertMarker_; }

    const Stack& Above() const { return Sorted(above_); }
    const Stack& Below() const { return Sorted(below_); }
    const Stack& Left() const { return Sorted(left_); }
    const Stack& Right() const { return Sorted(right_); }
    int AboveLevelCount() const { return CountLevels(Above()); }
    int BelowLevelCount() const { return CountLevels(Below()); }
    int LeftLevelCount() const { return CountLevels(Left()); }
    int RightLevelCount() const { return CountLevels(Right()); }

    // Data views and level markers are registered here but never stacked.
    static bool IsStackable(const TiPlotObject* object);

  protected:
    void ObjectRemovedHook(TiPlotObject* object) override;

  private:
    void Reorient();
    void SetOrientationOf(TiPlotLayoutObject& axis) const;
    // Listed layout objects of the given orientation, without Object.
    std::vector<TiPlotLayoutObject*> Others(const TiPlotLayoutObject* object,
                                            bool includeDataViews) const;
    void ShiftLevels(const std::vector<TiPlotLayoutObject*>& objects, int from, int by);
    const Stack& Sorted(Stack& stack) const;
    static int CountLevels(const Stack& stack);

    bool enabled_ = false;
    bool exchanged_ = false;
    // Level moves set ZOrder on many objects; they rebuild once at the end.
    bool moving_ = false;
    std::unique_ptr<TiPlotDataViewLayout> horzMarker_;
    std::unique_ptr<TiPlotDataViewLayout> vertMarker_;
    // Every add and level move restacks; the stacks are sorted only when
    // read, so building a plot of many objects sorts once, not once an add.
    mutable Stack above_;
    mutable Stack below_;
    mutable Stack left_;
    mutable Stack right_;
    mutable bool sorted_ = false;
};

class TiPlotDataView;
class TiPlotAxis;

// What the layout pass reads from the plot besides its objects.
struct TiPlotLayoutFrame {
    int Width = 0;
    int Height = 0;
    int Border = 0;  // 2 with a bevel border, else 0
    int OuterMarginLeft = 5;
    int OuterMarginTop = 5;
    int OuterMarginRight = 5;
    int OuterMarginBottom = 5;
    bool XYAxesReverse = false;
};

// One run of the layout: measures the visible stacked objects on the paint
// canvas and gives every layout object and data view 0 its rectangle. The
// plot runs it twice per paint so that sizes depending on each other settle.
class TiPlotLayoutPass {
  public:
    TiPlotLayoutPass(const TiPlotLayoutManager& manager, const TiPlotLayoutFrame& frame,
                     TiPlotDataView* dataView, std::vector<TiPlotAxis*> xAxes,
                     std::vector<TiPlotAxis*> yAxes);

    void Run(TCanvas& canvas);
    const TRect& DataViewRect() const { return dv_; }

  private:
    using Stack = TiPlotLayoutManager::Stack;

    static Stack VisibleOf(const Stack& stack);
    static void MarkStacking(const Stack& list);
    int Thickness(TiPlotLayoutObject* object);
    int LevelThickness(const Stack& list, int level);
    int StackThickness(const Stack& list);
    int EndsMargin(const Stack& list, bool startEnd);
    void PlaceAcross(const Stack& left, const Stack& right, const Stack& above, const Stack& below,
                     int gap);
    void PlaceAlong();
    void PlaceCartesianAxes();
    void AlignAxes(TCanvas& canvas);
    void FitDataViewToScales(TCanvas& canvas);

    const TiPlotLayoutManager& manager_;
    TiPlotLayoutFrame frame_;
    TiPlotDataView* dataView_;
    std::vector<TiPlotAxis*> xAxes_;
    std::vector<TiPlotAxis*> yAxes_;
    TCanvas* canvas_ = nullptr;
    std::vector<std::pair<TiPlotLayoutObject*, int>> thickness_;
    TRect dv_{};
};
