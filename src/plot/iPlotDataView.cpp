#include "plot/iPlotDataView.h"

#include <QMenu>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotHost.h"
#include "plot/iPlotPercentPixel.h"

namespace {

const std::vector<std::string> GridLineStyleNames = {"ipglsSolid", "ipglsDash", "ipglsDot"};
const std::vector<std::string> AxesControlStyleNames = {"ipacsXAxis", "ipacsYAxis", "ipacsBoth"};

bool NamesEveryAxis(const std::string& name) {
    return SameName(name, "<ALL>");
}

}  // namespace

TiPlotDataView::TiPlotDataView(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotLayoutObject(owner, std::move(handlers)) {}

const TiPublishedTable& TiPlotDataView::PublishedTable() {
    using V = TiPlotDataView;
    // Grid-line widths are stored only when they differ from 1, their
    // declared default, although a new data view starts at 0.
    static const TiPublishedTable table =
        TiPublishedTableBuilder<V>("TiPlotDataView", &TiPlotLayoutObject::PublishedTable())
            .String("Title", &V::Title, &V::SetTitle)
            .Boolean("BackgroundTransparent", &V::BackgroundTransparent,
                     &V::SetBackgroundTransparent)
            .Color("BackgroundColor", &V::BackgroundColor, &V::SetBackgroundColor)
            .String("GridXAxisName", &V::GridXAxisName, &V::SetGridXAxisName)
            .String("GridYAxisName", &V::GridYAxisName, &V::SetGridYAxisName)
            .Boolean("GridShow", &V::GridShow, &V::SetGridShow)
            .Color("GridLineColor", &V::GridLineColor, &V::SetGridLineColor)
            .Boolean("GridLineShowLeft", &V::GridLineShowLeft, &V::SetGridLineShowLeft)
            .Boolean("GridLineShowRight", &V::GridLineShowRight, &V::SetGridLineShowRight)
            .Boolean("GridLineShowTop", &V::GridLineShowTop, &V::SetGridLineShowTop)
            .Boolean("GridLineShowBottom", &V::GridLineShowBottom, &V::SetGridLineShowBottom)
            .Boolean("GridLineShowXMajors", &V::GridLineShowXMajors, &V::SetGridLineShowXMajors)
            .Boolean("GridLineShowXMinors", &V::GridLineShowXMinors, &V::SetGridLineShowXMinors)
            .Boolean("GridLineShowYMajors", &V::GridLineShowYMajors, &V::SetGridLineShowYMajors)
            .Boolean("GridLineShowYMinors", &V::GridLineShowYMinors, &V::SetGridLineShowYMinors)
            .Enumeration("GridLineMajorStyle", &V::GridLineMajorStyle, &V::SetGridLineMajorStyle,
                         GridLineStyleNames)
            .Enumeration("GridLineMinorStyle", &V::GridLineMinorStyle, &V::SetGridLineMinorStyle,
                         GridLineStyleNames)
            .Boolean("GridLineXMajorCustom", &V::GridLineXMajorCustom, &V::SetGridLineXMajorCustom)
            .Color("GridLineXMajorColor", &V::GridLineXMajorColor, &V::SetGridLineXMajorColor)
            .Integer("GridLineXMajorWidth", &V::GridLineXMajorWidth, &V::SetGridLineXMajorWidth,
                     kPixelRange)
            .Enumeration("GridLineXMajorStyle", &V::GridLineXMajorStyle, &V::SetGridLineXMajorStyle,
                         GridLineStyleNames)
            .Boolean("GridLineXMinorCustom", &V::GridLineXMinorCustom, &V::SetGridLineXMinorCustom)
            .Color("GridLineXMinorColor", &V::GridLineXMinorColor, &V::SetGridLineXMinorColor)
            .Integer("GridLineXMinorWidth", &V::GridLineXMinorWidth, &V::SetGridLineXMinorWidth,
                     kPixelRange)
            .Enumeration("GridLineXMinorStyle", &V::GridLineXMinorStyle, &V::SetGridLineXMinorStyle,
                         GridLineStyleNames)
            .Boolean("GridLineYMajorCustom", &V::GridLineYMajorCustom, &V::SetGridLineYMajorCustom)
            .Color("GridLineYMajorColor", &V::GridLineYMajorColor, &V::SetGridLineYMajorColor)
            .Integer("GridLineYMajorWidth", &V::GridLineYMajorWidth, &V::SetGridLineYMajorWidth,
                     kPixelRange)
            .Enumeration("GridLineYMajorStyle", &V::GridLineYMajorStyle, &V::SetGridLineYMajorStyle,
                         GridLineStyleNames)
            .Boolean("GridLineYMinorCustom", &V::GridLineYMinorCustom, &V::SetGridLineYMinorCustom)
            .Color("GridLineYMinorColor", &V::GridLineYMinorColor, &V::SetGridLineYMinorColor)
            .Integer("GridLineYMinorWidth", &V::GridLineYMinorWidth, &V::SetGridLineYMinorWidth,
                     kPixelRange)
            .Enumeration("GridLineYMinorStyle", &V::GridLineYMinorStyle, &V::SetGridLineYMinorStyle,
                         GridLineStyleNames)
            .Boolean("AxesControlEnabled", &V::AxesControlEnabled, &V::SetAxesControlEnabled)
            .Enumeration("AxesControlMouseStyle", &V::AxesControlMouseStyle,
                         &V::SetAxesControlMouseStyle, AxesControlStyleNames)
            .Enumeration("AxesControlWheelStyle", &V::AxesControlWheelStyle,
                         &V::SetAxesControlWheelStyle, AxesControlStyleNames)
            .Build();
    return table;
}

void TiPlotDataView::SetBackgroundTransparent(bool value) {
    SetFlag(backgroundTransparent_, value);
}
void TiPlotDataView::SetBackgroundColor(TColor value) {
    SetValue(backgroundColor_, value);
}
void TiPlotDataView::SetGridShow(bool value) {
    SetFlag(gridShow_, value);
}
void TiPlotDataView::SetGridLineColor(TColor value) {
    SetValue(gridLineColor_, value);
}
void TiPlotDataView::SetGridLineMajorStyle(TiPlotGridLineStyle value) {
    SetValue(majorStyle_, value);
}
void TiPlotDataView::SetGridLineMinorStyle(TiPlotGridLineStyle value) {
    SetValue(minorStyle_, value);
}

void TiPlotDataView::SetGridXAxisName(const std::string& value) {
    if (gridXAxis_.SetName(value))
        DoChange();
}

void TiPlotDataView::SetGridYAxisName(const std::string& value) {
    if (gridYAxis_.SetName(value))
        DoChange();
}

double TiPlotDataView::PixelToPercentX(int x) const {
    return PixelToPercentAlongX(x, LayoutRect().Left, LayoutRect().Right);
}

double TiPlotDataView::PixelToPercentY(int y) const {
    return PixelToPercentAlongY(y, LayoutRect().Top, LayoutRect().Bottom);
}

int TiPlotDataView::PercentToPixelX(double percent) const {
    return PercentToPixelAlongX(percent, LayoutRect().Left, LayoutRect().Right);
}

int TiPlotDataView::PercentToPixelY(double percent) const {
    return PercentToPixelAlongY(percent, LayoutRect().Top, LayoutRect().Bottom);
}

TiPlotViewMode TiPlotDataView::ViewMode() const {
    if (Owner()->SelectModeActive())
        return ipvmSelect;
    if (Owner()->ZoomBoxModeActive())
        return ipvmZoomBox;
    return axesControlEnabled_ ? ipvmAxesControl : ipvmNone;
}

void TiPlotDataView::FillBackground(TCanvas& canvas) {
    if (backgroundTransparent_)
        return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(backgroundColor_);
    canvas.FillRect(LayoutRect());
}

void TiPlotDataView::Draw(TCanvas& canvas, TColor backgroundColor) {
    TCanvasStateSaver saver(canvas);
    if (gridShow_) {
        for (TiPlotAxis* axis : GridAxes(true))
            DrawAxisGrid(canvas, *axis, XMajor, XMinor);
        for (TiPlotAxis* axis : GridAxes(false))
            DrawAxisGrid(canvas, *axis, YMajor, YMinor);
        DrawFrame(canvas);
    }
    DrawFocusAndBand(canvas, backgroundColor);
}

std::vector<TiPlotAxis*> TiPlotDataView::GridAxes(bool xAxes) {
    TiPlotHost& plot = *Owner();
    TiPlotObjectLink& link = xAxes ? gridXAxis_ : gridYAxis_;
    std::vector<TiPlotAxis*> axes;
    if (NamesEveryAxis(link.Name())) {
        const int count = xAxes ? plot.XAxisCount() : plot.YAxisCount();
        for (int i = 0; i < count; ++i) {
            axes.push_back(xAxes ? static_cast<TiPlotAxis*>(plot.XAxis(i)) : plot.YAxis(i));
        }
        return axes;
    }
    TiPlotObject* axis = link.Resolve([&plot, xAxes](const std::string& name) -> TiPlotObject* {
        return xAxes ? static_cast<TiPlotObject*>(plot.XAxisByName(name)) : plot.YAxisByName(name);
    });
    if (axis)
        axes.push_back(static_cast<TiPlotAxis*>(axis));
    return axes;
}

void TiPlotDataView::DrawAxisGrid(TCanvas& canvas, TiPlotAxis& axis, GridLineKind major,
                                  GridLineKind minor) {
    const auto look = [this](GridLineKind kind, TiPlotGridLineStyle plainStyle) {
        const GridLine& line = lines_[kind];
        return line.Custom ? line : GridLine{line.Show, false, gridLineColor_, 0, plainStyle};
    };
    const GridLine majors = look(major, majorStyle_);
    const GridLine minors = look(minor, minorStyle_);
    axis.DrawGridLines(canvas, LayoutRect(), majors.Width, minors.Width, majors.Color, minors.Color,
                       majors.Style, minors.Style, lines_[major].Show, lines_[minor].Show);
}

void TiPlotDataView::DrawFrame(TCanvas& canvas) {
    const TRect& r = LayoutRect();
    canvas.Pen().SetColor(gridLineColor_);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(0);
    const auto line = [&canvas](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (frame_[Left])
        line(r.Left, r.Top, r.Left, r.Bottom);
    if (frame_[Right])
        line(r.Right, r.Top, r.Right, r.Bottom);
    if (frame_[Top])
        line(r.Left, r.Top, r.Right, r.Top);
    if (frame_[Bottom])
        line(r.Left, r.Bottom, r.Right + 1, r.Bottom);
}

void TiPlotDataView::DrawFocusAndBand(TCanvas& canvas, TColor backgroundColor) {
    if (Focused()) {
        const TRect& r = LayoutRect();
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetColor(backgroundColor);
        canvas.Pen().SetWidth(0);
        canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
        canvas.Font().SetColor(clWhite);
        DrawFocusRectangle(canvas, {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    }
    if (Pressed() && ViewMode() == ipvmZoomBox) {
        canvas.Font().SetColor(clWhite);
        DrawFocusRectangle(
            canvas, NormalizedRect(pressPoint_.X, pressPoint_.Y, currentPoint_.X, currentPoint_.Y));
    }
}

bool TiPlotDataView::ShiftHeld() const {
    return ShiftState() & ssShift;
}

void TiPlotDataView::MouseDown(const TiPlotMouseData& data) {
    dragChoice_.Restart();
    pressPoint_ = {data.X, data.Y};
    currentPoint_ = pressPoint_;
    switch (ViewMode()) {
        case ipvmZoomBox:
            // The zoomed range must not be scrolled away by arriving data.
            Owner()->DisableAllTracking();
            DoChange();
            break;
        case ipvmAxesControl:
            ForEachPlotAxis(*Owner(), [&data](TiPlotAxis& axis) { axis.MouseDown(data); });
            break;
        default:
            break;
    }
}

void TiPlotDataView::MouseMove(const TiPlotMouseData& data) {
    switch (ViewMode()) {
        case ipvmZoomBox:
            if (!data.DblClickActive) {
                currentPoint_ = {data.X, data.Y};
                DoChange();
            }
            break;
        case ipvmAxesControl: {
            const TiAxesToFollow follow =
                dragChoice_.Follow(axesControlMouseStyle_, ShiftHeld(), data.X - pressPoint_.X,
                                   data.Y - pressPoint_.Y);
            ForEachPlotAxis(
                *Owner(), [&data](TiPlotAxis& axis) { axis.MouseMove(data); }, follow);
            break;
        }
        default:
            break;
    }
}

void TiPlotDataView::MouseUp(const TiPlotMouseData& data) {
    if (!Pressed())
        return;
    switch (ViewMode()) {
        case ipvmZoomBox:
            // Only a band dragged down and to the right zooms; any other
            // direction is how the user abandons it.
            if (!data.DblClickActive && pressPoint_.X < currentPoint_.X &&
                pressPoint_.Y < currentPoint_.Y) {
                ZoomToBox({pressPoint_.X, pressPoint_.Y, currentPoint_.X, currentPoint_.Y});
            }
            break;
        case ipvmAxesControl:
            ForEachPlotAxis(*Owner(), [&data](TiPlotAxis& axis) { axis.MouseUp(data); });
            break;
        default:
            break;
    }
    if (LayoutRect().Contains({data.X, data.Y}))
        Owner()->DoClickEvent(this);
    DoChange();
}

bool TiPlotDataView::MouseWheel(int delta, TShiftState shift, TPoint point) {
    if (ViewMode() != ipvmAxesControl)
        return false;
    const TiAxesToFollow follow = WheelAxesToFollow(axesControlWheelStyle_, shift & ssShift);
    ForEachPlotAxis(
        *Owner(), [&](TiPlotAxis& axis) { axis.MouseWheel(delta, shift, point); }, follow);
    return true;
}

void TiPlotDataView::ZoomToBox(TRect rect) {
    bool cancel = false;
    Owner()->DoBeforeZoomBox(rect, cancel);
    if (cancel)
        return;
    ForEachPlotAxis(*Owner(), [&rect](TiPlotAxis& axis) { axis.ZoomToRect(rect); });
}

Qt::CursorShape TiPlotDataView::MouseCursor(TPoint) {
    switch (ViewMode()) {
        case ipvmZoomBox:
            return Qt::DragMoveCursor;
        case ipvmAxesControl:
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

void TiPlotDataView::BuildPopupMenu(QMenu& menu) {
    TiPlotLayoutObject::BuildPopupMenu(menu);
    AddEditItem(menu);
}

void TiPlotDataView::ObjectRemoved(TiPlotObject* object) {
    gridXAxis_.ObjectRemoved(object);
    gridYAxis_.ObjectRemoved(object);
}

bool TiPlotDataView::FollowsRenamesOf(const TiPlotObject& renamed) {
    return TiPlotAxis::OfKind(renamed.Kind());  // X and Y axes
}

void TiPlotDataView::ObjectRenamed(TiPlotObject* object) {
    if (KindCast<TiPlotXAxis>(object))
        gridXAxis_.ObjectRenamed(object);
    if (KindCast<TiPlotYAxis>(object))
        gridYAxis_.ObjectRenamed(object);
}

void TiPlotDataView::ObjectFocused(TiPlotObject* object) {
    YieldFocusTo(object);
}
