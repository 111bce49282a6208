#pragma once
// The data view is the plotting area inside the axes: channels, the grid,
// limits and annotations are drawn in its rectangle. It fills its background,
// draws the grid and frame, turns percents of its size into pixels for the
// cursors and annotations, and turns drags and wheel turns inside it into
// zoom-box zooming or axis scrolling ("axes control").

#include <string>

#include "plot/iPlotAxesControl.h"
#include "plot/iPlotObjects.h"

class TiPlotAxis;

enum TiPlotGridLineStyle { ipglsSolid, ipglsDash, ipglsDot };

// What a drag inside the data view does, from the first toolbar's buttons.
enum TiPlotViewMode { ipvmNone, ipvmZoomBox, ipvmSelect, ipvmAxesControl };

class TiPlotDataView : public TiPlotLayoutObject {
  public:
    TiPlotDataView(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokDataView; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokDataView; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    bool BackgroundTransparent() const { return backgroundTransparent_; }
    void SetBackgroundTransparent(bool value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor value);
    const std::string& GridXAxisName() const { return gridXAxis_.Name(); }
    void SetGridXAxisName(const std::string& value);
    const std::string& GridYAxisName() const { return gridYAxis_.Name(); }
    void SetGridYAxisName(const std::string& value);
    bool GridShow() const { return gridShow_; }
    void SetGridShow(bool value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    bool GridLineShowLeft() const { return frame_[Left]; }
    void SetGridLineShowLeft(bool value) { SetFlag(frame_[Left], value); }
    bool GridLineShowRight() const { return frame_[Right]; }
    void SetGridLineShowRight(bool value) { SetFlag(frame_[Right], value); }
    bool GridLineShowTop() const { return frame_[Top]; }
    void SetGridLineShowTop(bool value) { SetFlag(frame_[Top], value); }
    bool GridLineShowBottom() const { return frame_[Bottom]; }
    void SetGridLineShowBottom(bool value) { SetFlag(frame_[Bottom], value); }
    bool GridLineShowXMajors() const { return lines_[XMajor].Show; }
    void SetGridLineShowXMajors(bool value) { SetFlag(lines_[XMajor].Show, value); }
    bool GridLineShowXMinors() const { return lines_[XMinor].Show; }
    void SetGridLineShowXMinors(bool value) { SetFlag(lines_[XMinor].Show, value); }
    bool GridLineShowYMajors() const { return lines_[YMajor].Show; }
    void SetGridLineShowYMajors(bool value) { SetFlag(lines_[YMajor].Show, value); }
    bool GridLineShowYMinors() const { return lines_[YMinor].Show; }
    void SetGridLineShowYMinors(bool value) { SetFlag(lines_[YMinor].Show, value); }
    TiPlotGridLineStyle GridLineMajorStyle() const { return majorStyle_; }
    void SetGridLineMajorStyle(TiPlotGridLineStyle value);
    TiPlotGridLineStyle GridLineMinorStyle() const { return minorStyle_; }
    void SetGridLineMinorStyle(TiPlotGridLineStyle value);

    // The custom look of each kind of grid line.
    bool GridLineXMajorCustom() const { return lines_[XMajor].Custom; }
    void SetGridLineXMajorCustom(bool value) { SetFlag(lines_[XMajor].Custom, value); }
    TColor GridLineXMajorColor() const { return lines_[XMajor].Color; }
    void SetGridLineXMajorColor(TColor value) { SetValue(lines_[XMajor].Color, value); }
    int GridLineXMajorWidth() const { return lines_[XMajor].Width; }
    void SetGridLineXMajorWidth(int value) { SetValue(lines_[XMajor].Width, value); }
    TiPlotGridLineStyle GridLineXMajorStyle() const { return lines_[XMajor].Style; }
    void SetGridLineXMajorStyle(TiPlotGridLineStyle value) {
        SetValue(lines_[XMajor].Style, value);
    }
    bool GridLineXMinorCustom() const { return lines_[XMinor].Custom; }
    void SetGridLineXMinorCustom(bool value) { SetFlag(lines_[XMinor].Custom, value); }
    TColor GridLineXMinorColor() const { return lines_[XMinor].Color; }
    void SetGridLineXMinorColor(TColor value) { SetValue(lines_[XMinor].Color, value); }
    int GridLineXMinorWidth() const { return lines_[XMinor].Width; }
    void SetGridLineXMinorWidth(int value) { SetValue(lines_[XMinor].Width, value); }
    TiPlotGridLineStyle GridLineXMinorStyle() const { return lines_[XMinor].Style; }
    void SetGridLineXMinorStyle(TiPlotGridLineStyle value) {
        SetValue(lines_[XMinor].Style, value);
    }
    bool GridLineYMajorCustom() const { return lines_[YMajor].Custom; }
    void SetGridLineYMajorCustom(bool value) { SetFlag(lines_[YMajor].Custom, value); }
    TColor GridLineYMajorColor() const { return lines_[YMajor].Color; }
    void SetGridLineYMajorColor(TColor value) { SetValue(lines_[YMajor].Color, value); }
    int GridLineYMajorWidth() const { return lines_[YMajor].Width; }
    void SetGridLineYMajorWidth(int value) { SetValue(lines_[YMajor].Width, value); }
    TiPlotGridLineStyle GridLineYMajorStyle() const { return lines_[YMajor].Style; }
    void SetGridLineYMajorStyle(TiPlotGridLineStyle value) {
        SetValue(lines_[YMajor].Style, value);
    }
    bool GridLineYMinorCustom() const { return lines_[YMinor].Custom; }
    void SetGridLineYMinorCustom(bool value) { SetFlag(lines_[YMinor].Custom, value); }
    TColor GridLineYMinorColor() const { return lines_[YMinor].Color; }
    void SetGridLineYMinorColor(TColor value) { SetValue(lines_[YMinor].Color, value); }
    int GridLineYMinorWidth() const { return lines_[YMinor].Width; }
    void SetGridLineYMinorWidth(int value) { SetValue(lines_[YMinor].Width, value); }
    TiPlotGridLineStyle GridLineYMinorStyle() const { return lines_[YMinor].Style; }
    void SetGridLineYMinorStyle(TiPlotGridLineStyle value) {
        SetValue(lines_[YMinor].Style, value);
    }

    bool AxesControlEnabled() const { return axesControlEnabled_; }
    void SetAxesControlEnabled(bool value) { SetFlag(axesControlEnabled_, value); }
    TiPlotAxesControlStyle AxesControlMouseStyle() const { return axesControlMouseStyle_; }
    void SetAxesControlMouseStyle(TiPlotAxesControlStyle value) {
        SetValue(axesControlMouseStyle_, value);
    }
    TiPlotAxesControlStyle AxesControlWheelStyle() const { return axesControlWheelStyle_; }
    void SetAxesControlWheelStyle(TiPlotAxesControlStyle value) {
        SetValue(axesControlWheelStyle_, value);
    }

    // Percent positions: X from 0 at the left to 100 at the right, Y from 0
    // at the bottom to 100 at the top.
    double PixelToPercentX(int x) const;
    double PixelToPercentY(int y) const;
    int PercentToPixelX(double percent) const;
    int PercentToPixelY(double percent) const;

    TiPlotViewMode ViewMode() const;
    // Zooms every axis to the pixels of rect, unless OnBeforeZoomBox cancels.
    void ZoomToBox(TRect rect);

    // The background under everything the plot clips to the data view.
    virtual void FillBackground(TCanvas& canvas);
    void Draw(TCanvas& canvas, TColor backgroundColor) override;

    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;
    static bool FollowsRenamesOf(const TiPlotObject& renamed);
    void ObjectFocused(TiPlotObject* object) override;
    bool MouseWheel(int delta, TShiftState shift, TPoint point) override;
    void MouseDown(const TiPlotMouseData& data) override;
    void MouseMove(const TiPlotMouseData& data) override;
    void MouseUp(const TiPlotMouseData& data) override;
    Qt::CursorShape MouseCursor(TPoint point) override;
    void BuildPopupMenu(QMenu& menu) override;

  private:
    enum FrameEdge { Left, Top, Right, Bottom };
    enum GridLineKind { XMajor, XMinor, YMajor, YMinor };
    struct GridLine {
        bool Show = false;
        bool Custom = false;
        TColor Color = clGreen;
        int Width = 0;
        TiPlotGridLineStyle Style = ipglsSolid;
    };

    template <class T>
    void SetValue(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }
    void SetFlag(bool& field, bool value) { SetValue(field, value); }

    void DrawAxisGrid(TCanvas& canvas, TiPlotAxis& axis, GridLineKind major, GridLineKind minor);
    void DrawFrame(TCanvas& canvas);
    void DrawFocusAndBand(TCanvas& canvas, TColor backgroundColor);
    // The grid axes: the named axis, or every axis of the kind for "<ALL>".
    std::vector<TiPlotAxis*> GridAxes(bool xAxes);
    bool ShiftHeld() const;

    std::string title_;
    bool backgroundTransparent_ = true;
    TColor backgroundColor_ = clTeal;
    TiPlotObjectLink gridXAxis_;
    TiPlotObjectLink gridYAxis_;
    bool gridShow_ = true;
    TColor gridLineColor_ = clGreen;
    bool frame_[4] = {true, true, true, true};
    GridLine lines_[4] = {{true}, {false}, {true}, {false}};
    TiPlotGridLineStyle majorStyle_ = ipglsSolid;
    TiPlotGridLineStyle minorStyle_ = ipglsSolid;
    bool axesControlEnabled_ = false;
    TiPlotAxesControlStyle axesControlMouseStyle_ = ipacsBoth;
    TiPlotAxesControlStyle axesControlWheelStyle_ = ipacsXAxis;

    TPoint pressPoint_;
    TPoint currentPoint_;
    TiAxesDragChoice dragChoice_;
};
