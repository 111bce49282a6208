#include "plot/iPlotLayoutManager.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

namespace {

bool IsLevelMarker(const TiPlotObject* object) {
    return object->Kind() == ipokLevelMarker;
}

bool IsDataView(const TiPlotObject* object) {
    return object->Kind() == ipokDataView;
}

// The kinds whose level and orientation changes re-sort the stacks.
bool NotifiesLayout(const TiPlotObject* object) {
    switch (object->Kind()) {
        case ipokXAxis:
        case ipokYAxis:
        case ipokToolBar:
        case ipokLegend:
        case ipokDataView:
        case ipokLabel:
            return true;
        default:
            return false;
    }
}

std::string StackKey(const TiPlotLayoutObject& object) {
    return object.ZOrderKey() + object.StartPercentKey();
}

// Each object's key is made once, not at every comparison.
void SortStack(TiPlotLayoutManager::Stack& stack) {
    std::vector<std::pair<std::string, TiPlotLayoutObject*>> keyed;
    keyed.reserve(stack.size());
    for (TiPlotLayoutObject* object : stack)
        keyed.emplace_back(StackKey(*object), object);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        stack[i] = keyed[i].second;
}

}  // namespace

TiPlotDataViewLayout::TiPlotDataViewLayout(TiPlotHost* owner, TiPlotObjectHandlers handlers,
                                           bool horizontal)
    : TiPlotLayoutObject(owner, std::move(handlers)) {
    SetName("Data View");
    SetHorizontal(horizontal);
    SetZOrder(1);
}

TiPlotLayoutManager::TiPlotLayoutManager(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotObjectManagerCustom(owner, handlers) {
    horzMarker_ = std::make_unique<TiPlotDataViewHorz>(owner, handlers);
    vertMarker_ = std::make_unique<TiPlotDataViewVert>(owner, handlers);
    for (TiPlotDataViewLayout* marker : {horzMarker_.get(), vertMarker_.get()}) {
        marker->Loaded();
        AddObject(marker);
    }
    SetEnabled(true);
}

TiPlotLayoutManager::~TiPlotLayoutManager() = default;

bool TiPlotLayoutManager::IsStackable(const TiPlotObject* object) {
    return !IsDataView(object) && !IsLevelMarker(object);
}

void TiPlotLayoutManager::AddObject(TiPlotObject* object) {
    auto* layoutObject = KindCast<TiPlotLayoutObject>(object);
    if (!layoutObject)
        return;
    AddToList(layoutObject);
    if (NotifiesLayout(layoutObject))
        layoutObject->OnLayoutChange = [this](TiPlotObject*) { Rebuild(); };
    if (TiPlotAxis::OfKind(layoutObject->Kind()))
        SetOrientationOf(*layoutObject);
    if (enabled_)
        PlaceAtLevel(layoutObject, 0, plmIntoLevel);
}

void TiPlotLayoutManager::ObjectRemovedHook(TiPlotObject* object) {
    for (Stack* stack : {&above_, &below_, &left_, &right_})
        stack->erase(std::remove(stack->begin(), stack->end(), object), stack->end());
    auto* layoutObject = KindCast<TiPlotLayoutObject>(object);
    if (enabled_ && layoutObject)
        CloseLevel(layoutObject);
}

void TiPlotLayoutManager::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    if (enabled_)
        Rebuild();
}

void TiPlotLayoutManager::SetXYAxesReverse(bool value) {
    if (value == exchanged_)
        return;
    exchanged_ = value;
    if (enabled_)
        Reorient();
}

void TiPlotLayoutManager::SetOrientationOf(TiPlotLayoutObject& axis) const {
    const bool isXAxis = axis.Kind() == ipokXAxis;
    axis.SetHorizontal(isXAxis != exchanged_);
}

std::vector<TiPlotLayoutObject*> TiPlotLayoutManager::Others(const TiPlotLayoutObject* object,
                                                             bool includeDataViews) const {
    std::vector<TiPlotLayoutObject*> others;
    for (TiPlotObject* item : Objects()) {
        auto* other = static_cast<TiPlotLayoutObject*>(item);
        if (other == object || other->IsHorizontal() != object->IsHorizontal())
            continue;
        if (!includeDataViews && IsDataView(other))
            continue;
        others.push_back(other);
    }
    return others;
}

void TiPlotLayoutManager::ShiftLevels(const std::vector<TiPlotLayoutObject*>& objects, int from,
                                      int by) {
    for (TiPlotLayoutObject* other : objects)
        if (other->ZOrder() >= from)
            other->SetZOrder(other->ZOrder() + by);
}

void TiPlotLayoutManager::PlaceAtLevel(TiPlotLayoutObject* object, int level, int mode) {
    const std::vector<TiPlotLayoutObject*> others = Others(object, false);
    moving_ = true;
    if (mode == plmIntoLevel) {
        const bool occupied = std::any_of(others.begin(), others.end(), [&](const auto* other) {
            return other->ZOrder() == level && other->StartPercent() < object->StopPercent() &&
                   other->StopPercent() > object->StartPercent();
        });
        mode = occupied ? plmNewLevelBefore : -1;
        if (!occupied)
            object->SetZOrder(level);
    }
    if (mode == plmNewLevelBefore) {
        ShiftLevels(others, level, 1);
        object->SetZOrder(level);
    } else if (mode == plmNewLevelAfter) {
        ShiftLevels(others, level + 1, 1);
        object->SetZOrder(level + 1);
    }
    moving_ = false;
    Rebuild();
}

void TiPlotLayoutManager::CloseLevel(TiPlotLayoutObject* object) {
    const std::vector<TiPlotLayoutObject*> others = Others(object, true);
    const bool levelStillUsed = std::any_of(others.begin(), others.end(), [&](const auto* other) {
        return !IsDataView(other) && other->ZOrder() == object->ZOrder();
    });
    if (!levelStillUsed) {
        moving_ = true;
        ShiftLevels(others, object->ZOrder() + 1, -1);
        moving_ = false;
    }
    Rebuild();
}

void TiPlotLayoutManager::Reorient() {
    std::vector<TiPlotLayoutObject*> axes;
    for (TiPlotObject* item : Objects())
        if (auto* axis = KindCast<TiPlotAxis>(item))
            axes.push_back(axis);
    std::stable_sort(axes.begin(), axes.end(), [](const auto* a, const auto* b) {
        return std::to_string(a->ZOrder()) < std::to_string(b->ZOrder());
    });
    for (TiPlotLayoutObject* axis : axes) {
        CloseLevel(axis);
        moving_ = true;
        SetOrientationOf(*axis);
        moving_ = false;
        PlaceAtLevel(axis, 0, plmIntoLevel);
    }
}

void TiPlotLayoutManager::Rebuild() {
    if (!enabled_ || moving_)
        return;
    above_.clear();
    below_.clear();
    left_.clear();
    right_.clear();
    const int horzLevel = horzMarker_->ZOrder();
    const int vertLevel = vertMarker_->ZOrder();
    for (TiPlotObject* item : Objects()) {
        if (!IsStackable(item))
            continue;
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        if (object->IsHorizontal()) {
            object->SetFarSide(horzLevel < object->ZOrder());
            (object->FarSide() ? above_ : below_).push_back(object);
        } else {
            object->SetFarSide(vertLevel < object->ZOrder());
            (object->FarSide() ? right_ : left_).push_back(object);
        }
    }
    sorted_ = false;
}

const TiPlotLayoutManager::Stack& TiPlotLayoutManager::Sorted(Stack& stack) const {
    if (!sorted_) {
        for (Stack* each : {&above_, &below_, &left_, &right_})
            SortStack(*each);
        sorted_ = true;
    }
    return stack;
}

int TiPlotLayoutManager::CountLevels(const Stack& stack) {
    int count = 0;
    int lastCounted = 0;
    for (const TiPlotLayoutObject* object : stack) {
        if (count == 0 || object->ZOrder() > lastCounted) {
            ++count;
            lastCounted = object->ZOrder();
        }
    }
    return count;
}

// ------------------------------------------------------------ TiPlotLayoutPass

namespace {

bool IsCartesianAxis(const TiPlotLayoutObject* object) {
    const auto* axis = KindCast<TiPlotAxis>(object);
    return axis && axis->CartesianStyle() != ipcsNone;
}

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

TiPlotLayoutPass::TiPlotLayoutPass(const TiPlotLayoutManager& manager,
                                   const TiPlotLayoutFrame& frame, TiPlotDataView* dataView,
                                   std::vector<TiPlotAxis*> xAxes, std::vector<TiPlotAxis*> yAxes)
    : manager_(manager),
      frame_(frame),
      dataView_(dataView),
      xAxes_(std::move(xAxes)),
      yAxes_(std::move(yAxes)) {}

TiPlotLayoutPass::Stack TiPlotLayoutPass::VisibleOf(const Stack& stack) {
    Stack visible;
    std::copy_if(stack.begin(), stack.end(), std::back_inserter(visible),
                 [](const auto* object) { return object->Visible(); });
    return visible;
}

// Objects sharing a level, taken in start order, are marked where they meet.
void TiPlotLayoutPass::MarkStacking(const Stack& list) {
    for (TiPlotLayoutObject* object : list)
        object->SetStacked(false, false);
    TiPlotLayoutObject* previous = nullptr;
    int level = -1;
    for (TiPlotLayoutObject* object : list) {
        if (IsCartesianAxis(object))
            continue;
        if (object->ForceStacking()) {
            object->SetStacked(true, true);
        } else if (object->ZOrder() == level) {
            if (previous)
                previous->SetStacked(previous->StackedStart(), true);
            object->SetStacked(true, object->StackedStop());
        } else {
            level = object->ZOrder();
        }
        previous = object;
    }
}

int TiPlotLayoutPass::Thickness(TiPlotLayoutObject* object) {
    for (const auto& [measured, thickness] : thickness_)
        if (measured == object)
            return thickness;
    const int thickness = object->RequiredThickness(*canvas_);
    thickness_.emplace_back(object, thickness);
    return thickness;
}

int TiPlotLayoutPass::LevelThickness(const Stack& list, int level) {
    int thickest = 0;
    for (TiPlotLayoutObject* object : list)
        if (object->ZOrder() == level && !IsCartesianAxis(object))
            thickest = std::max(thickest, Thickness(object));
    return thickest;
}

int TiPlotLayoutPass::StackThickness(const Stack& list) {
    int total = 0;
    std::vector<int> levels;
    for (const TiPlotLayoutObject* object : list)
        if (std::find(levels.begin(), levels.end(), object->ZOrder()) == levels.end())
            levels.push_back(object->ZOrder());
    for (int level : levels)
        total += LevelThickness(list, level);
    return total;
}

int TiPlotLayoutPass::EndsMargin(const Stack& list, bool startEnd) {
    int widest = 0;
    for (TiPlotLayoutObject* object : list) {
        if (IsCartesianAxis(object))
            continue;
        if (startEnd ? object->StackedStart() : object->StackedStop())
            continue;
        widest = std::max(widest, object->EndsMargin(*canvas_));
    }
    return widest;
}

void TiPlotLayoutPass::Run(TCanvas& canvas) {
    canvas_ = &canvas;
    thickness_.clear();
    const Stack above = VisibleOf(manager_.Above());
    const Stack below = VisibleOf(manager_.Below());
    const Stack left = VisibleOf(manager_.Left());
    const Stack right = VisibleOf(manager_.Right());
    for (const Stack* list : {&above, &below, &left, &right})
        MarkStacking(*list);

    // A vertical object's start is its bottom end, a horizontal one's its left.
    const int topOverhang = std::max({0, EndsMargin(left, false), EndsMargin(right, false)});
    const int bottomOverhang = std::max({0, EndsMargin(left, true), EndsMargin(right, true)});
    const int rightOverhang = std::max({0, EndsMargin(above, false), EndsMargin(below, false)});
    const int leftOverhang = std::max({0, EndsMargin(above, true), EndsMargin(below, true)});

    const int leftSpace = std::max(StackThickness(left), leftOverhang);
    const int rightSpace = std::max(StackThickness(right), rightOverhang);
    const int topSpace = std::max(StackThickness(above), topOverhang);
    const int bottomSpace = std::max(StackThickness(below), bottomOverhang);

    // A lone toolbar on top is pinned to the control's edge, so the axis end
    // labels that reach above the data view need their room below it.
    const bool loneToolBar = above.size() == 1 && KindCast<TiPlotToolBar>(above.front()) != nullptr;
    const int gap = loneToolBar ? topOverhang : 0;

    const int b = frame_.Border;
    dv_.Left = leftSpace + b + frame_.OuterMarginLeft;
    dv_.Top = topSpace + b + frame_.OuterMarginTop + gap;
    dv_.Right = frame_.Width - (rightSpace + b + frame_.OuterMarginRight) - 1;
    dv_.Bottom = frame_.Height - (bottomSpace + b + frame_.OuterMarginBottom) - 1;

    PlaceAcross(left, right, above, below, gap);
    if (dataView_)
        dataView_->SetLayoutRect(dv_);
    PlaceAlong();
    PlaceCartesianAxes();
    AlignAxes(canvas);
    FitDataViewToScales(canvas);
}

void TiPlotLayoutPass::PlaceAcross(const Stack& left, const Stack& right, const Stack& above,
                                   const Stack& below, int gap) {
    // Each stack runs outwards from the data view, level by level.
    auto walk = [this](const Stack& list, bool reversed, int edge, int direction, auto&& place) {
        int thickness = 0;
        std::optional<int> level;
        auto step = [&](TiPlotLayoutObject* object) {
            if (level != object->ZOrder()) {
                edge += direction * thickness;
                level = object->ZOrder();
                thickness = LevelThickness(list, *level);
            }
            place(object, edge, thickness);
        };
        if (reversed)
            std::for_each(list.rbegin(), list.rend(), step);
        else
            std::for_each(list.begin(), list.end(), step);
    };
    auto setHorizontalExtent = [](TiPlotLayoutObject* object, int from, int to) {
        TRect rect = object->LayoutRect();
        rect.Left = from;
        rect.Right = to;
        object->SetLayoutRect(rect);
    };
    auto setVerticalExtent = [](TiPlotLayoutObject* object, int from, int to) {
        TRect rect = object->LayoutRect();
        rect.Top = from;
        rect.Bottom = to;
        object->SetLayoutRect(rect);
    };

    walk(left, true, dv_.Left, -1, [&](TiPlotLayoutObject* object, int edge, int thickness) {
        setHorizontalExtent(object, edge - thickness, edge);
    });
    walk(right, false, dv_.Right, 1, [&](TiPlotLayoutObject* object, int edge, int thickness) {
        setHorizontalExtent(object, edge, edge + thickness);
    });

    // Above: the gap is left out once, at the first object that is not an axis.
    int aboveEdge = dv_.Top;
    int aboveThickness = 0;
    std::optional<int> aboveLevel;
    bool gapTaken = false;
    for (TiPlotLayoutObject* object : above) {
        if (!gapTaken && !KindCast<TiPlotAxis>(object)) {
            aboveEdge -= gap;
            gapTaken = true;
        }
        if (aboveLevel != object->ZOrder()) {
            aboveEdge -= aboveThickness;
            aboveLevel = object->ZOrder();
            aboveThickness = LevelThickness(above, *aboveLevel);
        }
        setVerticalExtent(object, aboveEdge - aboveThickness, aboveEdge);
        if (KindCast<TiPlotToolBar>(object))
            setVerticalExtent(object, frame_.Border, frame_.Border + Thickness(object));
    }

    walk(below, true, dv_.Bottom, 1, [&](TiPlotLayoutObject* object, int edge, int thickness) {
        setVerticalExtent(object, edge, edge + thickness);
    });
}

void TiPlotLayoutPass::PlaceAlong() {
    const int b = frame_.Border;
    const int w = frame_.Width;
    const int marginLeft = frame_.OuterMarginLeft;
    const int marginRight = frame_.OuterMarginRight;
    for (TiPlotObject* item : manager_.Objects()) {
        if (!TiPlotLayoutManager::IsStackable(item))
            continue;
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        const double p = object->StartPercent() / 100;
        const double q = object->StopPercent() / 100;
        const bool isToolBar = KindCast<TiPlotToolBar>(object) != nullptr;
        const bool isLabel = KindCast<TiPlotLabel>(object) != nullptr;
        TRect rect = object->LayoutRect();
        if (object->IsHorizontal()) {
            if (isToolBar) {
                rect.Left = b + RoundHalfEven(p * (w - 2 * b));
                rect.Right = b + RoundHalfEven(q * (w - 2 * b)) - 1;
            } else if (isLabel) {
                const int length = w - b - marginLeft - marginRight;
                rect.Left = b + marginLeft + RoundHalfEven(p * length);
                rect.Right = b + marginLeft + RoundHalfEven(q * length);
            } else {
                const int length = dv_.Right - dv_.Left;
                rect.Left = dv_.Left + RoundHalfEven(length * p);
                rect.Right = dv_.Left + RoundHalfEven(length * q);
            }
        } else if (!isToolBar) {
            const int length = dv_.Bottom - dv_.Top;
            rect.Top = dv_.Bottom - RoundHalfEven(length * q);
            rect.Bottom = dv_.Bottom - RoundHalfEven(length * p);
        }
        object->SetLayoutRect(rect);
    }
}

void TiPlotLayoutPass::PlaceCartesianAxes() {
    for (TiPlotObject* item : manager_.Objects()) {
        auto* axis = KindCast<TiPlotAxis>(item);
        if (!axis || axis->CartesianStyle() == ipcsNone)
            continue;
        if (axis->CartesianStyle() == ipcsMaster) {
            if (axis->IsHorizontal()) {
                const int middle = (dv_.Top + dv_.Bottom) / 2;
                axis->SetLayoutRect({dv_.Left, middle, dv_.Right, middle});
            } else {
                const int middle = (dv_.Left + dv_.Right) / 2;
                axis->SetLayoutRect({middle, dv_.Top, middle, dv_.Bottom});
            }
            continue;
        }
        TiPlotAxis* reference = axis->CartesianRefAxis();
        if (!reference) {
            axis->SetLayoutRect({});
            continue;
        }
        const int pixel = reference->PositionToPixel(axis->CartesianChildRefValue());
        if (axis->IsHorizontal())
            axis->SetLayoutRect({dv_.Left, pixel, dv_.Right, pixel});
        else
            axis->SetLayoutRect({pixel, dv_.Top, pixel, dv_.Bottom});
    }
}

void TiPlotLayoutPass::AlignAxes(TCanvas& canvas) {
    for (TiPlotObject* item : manager_.Objects()) {
        auto* axis = KindCast<TiPlotAxis>(item);
        if (!axis)
            continue;
        TiPlotAxis* reference = axis->AlignRefAxis();
        if (!reference)
            continue;
        TRect rect = axis->LayoutRect();
        const TRect& along = reference->LayoutRect();
        if (axis->IsHorizontal()) {
            rect.Left = along.Left;
            rect.Right = along.Right;
        } else {
            rect.Top = along.Top;
            rect.Bottom = along.Bottom;
        }
        axis->SetLayoutRect(rect);
        axis->SetStacked(reference->StackedStart(), reference->StackedStop());
        axis->CalcScale(canvas);
    }
}

void TiPlotLayoutPass::FitDataViewToScales(TCanvas& canvas) {
    const std::vector<TiPlotAxis*>& across = frame_.XYAxesReverse ? xAxes_ : yAxes_;
    const std::vector<TiPlotAxis*>& along = frame_.XYAxesReverse ? yAxes_ : xAxes_;
    // Without axes of a kind the data view keeps the edges the stacks gave it.
    if (!across.empty()) {
        int top = frame_.Height;
        int bottom = 0;
        for (TiPlotAxis* axis : across) {
            axis->CalcScale(canvas);
            top = std::min(top, axis->ScaleRect().Top);
            bottom = std::max(bottom, axis->ScaleRect().Bottom);
        }
        dv_.Top = top;
        dv_.Bottom = bottom;
    }
    if (!along.empty()) {
        int left = frame_.Width;
        int right = 0;
        for (TiPlotAxis* axis : along) {
            axis->CalcScale(canvas);
            left = std::min(left, axis->ScaleRect().Left);
            right = std::max(right, axis->ScaleRect().Right);
        }
        dv_.Left = left;
        dv_.Right = right;
    }
    if (dataView_)
        dataView_->SetLayoutRect(dv_);
}
