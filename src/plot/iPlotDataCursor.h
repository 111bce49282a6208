#pragma once
// A data cursor reads values off the chart. It shows one or two pointer
// lines across the data view that the user drags or moves with the keys, and
// a hint box with the values under them: a point's X and Y, the X distance of
// two pointers (a period), their Y distance (peak to peak) or the inverse X
// distance (a frequency). The channel does the reading; the cursor owns the
// pointers, the hint box, the style, the channel choice and its menu.

#include <string>

#include "plot/iPlotDataCursorHint.h"
#include "plot/iPlotObjects.h"

class TiPlotDataView;
class TiPlotChannelCustom;

enum TiPlotDataCursorStyle {
    ipcsValueXY,
    ipcsValueX,
    ipcsValueY,
    ipcsDeltaX,
    ipcsDeltaY,
    ipcsInverseDeltaX
};

class TiPlotDataCursor : public TiPlotManagerObject {
  public:
    // ChannelName for a cursor that reads every channel.
    static constexpr const char* AllChannels = "<All>";

    TiPlotDataCursor(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokDataCursor; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokDataCursor; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    const std::string& ChannelName() const { return channel_.Name(); }
    void SetChannelName(const std::string& value);
    bool ChannelAllowAll() const { return channelAllowAll_; }
    void SetChannelAllowAll(bool value) { SetFlag(channelAllowAll_, value); }
    bool ChannelShowAllInLegend() const { return channelShowAllInLegend_; }
    void SetChannelShowAllInLegend(bool value) { SetFlag(channelShowAllInLegend_, value); }
    TiPlotDataCursorStyle Style() const { return style_; }
    void SetStyle(TiPlotDataCursorStyle value);
    TiFont& Font() { return font_; }
    void SetFont(const TiFont& value) { font_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { SetValue(color_, value); }
    bool UseChannelColor() const { return useChannelColor_; }
    void SetUseChannelColor(bool value) { SetFlag(useChannelColor_, value); }
    bool HintShow() const { return hintShow_; }
    void SetHintShow(bool value) { SetFlag(hintShow_, value); }
    bool HintHideOnRelease() const { return hintHideOnRelease_; }
    void SetHintHideOnRelease(bool value) { SetFlag(hintHideOnRelease_, value); }
    TiOrientationSide HintOrientationSide() const { return hintOrientationSide_; }
    void SetHintOrientationSide(TiOrientationSide value) { SetValue(hintOrientationSide_, value); }
    double HintPosition() const { return hintPosition_; }
    void SetHintPosition(double value) { SetValue(hintPosition_, value); }
    double Pointer1Position() const { return pointer1Position_; }
    void SetPointer1Position(double value);
    double Pointer2Position() const { return pointer2Position_; }
    void SetPointer2Position(double value);
    int PointerPenWidth() const { return pointerPenWidth_; }
    void SetPointerPenWidth(int value) { SetValue(pointerPenWidth_, value); }
    bool MenuUserCanChangeOptions() const { return menuUserCanChangeOptions_; }
    void SetMenuUserCanChangeOptions(bool value) { SetFlag(menuUserCanChangeOptions_, value); }

    // The style items of the popup menu.
    bool MenuItemVisibleValueXY() const { return menuItems_[ipcsValueXY].Visible; }
    void SetMenuItemVisibleValueXY(bool value) { SetFlag(menuItems_[ipcsValueXY].Visible, value); }
    bool MenuItemVisibleValueX() const { return menuItems_[ipcsValueX].Visible; }
    void SetMenuItemVisibleValueX(bool value) { SetFlag(menuItems_[ipcsValueX].Visible, value); }
    bool MenuItemVisibleValueY() const { return menuItems_[ipcsValueY].Visible; }
    void SetMenuItemVisibleValueY(bool value) { SetFlag(menuItems_[ipcsValueY].Visible, value); }
    bool MenuItemVisibleDeltaX() const { return menuItems_[ipcsDeltaX].Visible; }
    void SetMenuItemVisibleDeltaX(bool value) { SetFlag(menuItems_[ipcsDeltaX].Visible, value); }
    bool MenuItemVisibleDeltaY() const { return menuItems_[ipcsDeltaY].Visible; }
    void SetMenuItemVisibleDeltaY(bool value) { SetFlag(menuItems_[ipcsDeltaY].Visible, value); }
    bool MenuItemVisibleInverseDeltaX() const { return menuItems_[ipcsInverseDeltaX].Visible; }
    void SetMenuItemVisibleInverseDeltaX(bool value) {
        SetFlag(menuItems_[ipcsInverseDeltaX].Visible, value);
    }
    const std::string& MenuItemCaptionValueXY() const { return menuItems_[ipcsValueXY].Caption; }
    void SetMenuItemCaptionValueXY(const std::string& value) {
        SetValue(menuItems_[ipcsValueXY].Caption, value);
    }
    const std::string& MenuItemCaptionValueX() const { return menuItems_[ipcsValueX].Caption; }
    void SetMenuItemCaptionValueX(const std::string& value) {
        SetValue(menuItems_[ipcsValueX].Caption, value);
    }
    const std::string& MenuItemCaptionValueY() const { return menuItems_[ipcsValueY].Caption; }
    void SetMenuItemCaptionValueY(const std::string& value) {
        SetValue(menuItems_[ipcsValueY].Caption, value);
    }
    const std::string& MenuItemCaptionDeltaX() const { return menuItems_[ipcsDeltaX].Caption; }
    void SetMenuItemCaptionDeltaX(const std::string& value) {
        SetValue(menuItems_[ipcsDeltaX].Caption, value);
    }
    const std::string& MenuItemCaptionDeltaY() const { return menuItems_[ipcsDeltaY].Caption; }
    void SetMenuItemCaptionDeltaY(const std::string& value) {
        SetValue(menuItems_[ipcsDeltaY].Caption, value);
    }
    const std::string& MenuItemCaptionInverseDeltaX() const {
        return menuItems_[ipcsInverseDeltaX].Caption;
    }
    void SetMenuItemCaptionInverseDeltaX(const std::string& value) {
        SetValue(menuItems_[ipcsInverseDeltaX].Caption, value);
    }

    // The plot's data view 0, handed over before every paint.
    TiPlotDataView* DataView() const { return dataView_; }
    void SetDataView(TiPlotDataView* value) { dataView_ = value; }

    // The channel named by ChannelName; none for "<All>" or a missing name.
    TiPlotChannelCustom* Channel();
    // Asks the channel (or every channel for "<All>") for the values under
    // the pointers.
    void UpdateValues();
    // Called by the channel with what it read; raises OnDataCursorChange
    // only when something changed.
    void ReportValues(int status, double y, double x);
    void SetHintText(const std::string& text) { hintText_ = text; }
    int Status() const { return status_; }
    double ValueX() const { return valueX_; }
    double ValueY() const { return valueY_; }
    const std::string& HintText() const { return hintText_; }

    // The pointers in data-view pixels: Y for a horizontal pointer, X for a
    // vertical one; 0 before the cursor has a data view.
    int Pointer1Pixel() const;
    int Pointer2Pixel() const;
    bool Pointer1Shown() const { return pointers_[0].Shown; }
    bool Pointer2Shown() const { return pointers_[1].Shown; }
    bool Pointer1Horizontal() const { return pointers_[0].Horizontal; }
    bool Pointer2Horizontal() const { return pointers_[1].Horizontal; }
    // The hint box moves left and right (along the horizontal pointers).
    bool HintAlongX() const { return hintAlongX_; }
    // Whether the last paint drew the hint box, and where.
    bool HintVisible() const { return hintVisible_; }
    const TRect& HintRect() const { return hintRect_; }

    void SetVisible(bool value) override;
    void SetXYAxesReverse(bool value) override;
    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;
    static bool FollowsRenamesOf(const TiPlotObject& renamed);
    void ObjectFocused(TiPlotObject* object) override;
    void FocusGained() override;
    bool HitTest(const TiPlotMouseData& data) override;
    void MouseDown(const TiPlotMouseData& data) override;
    void MouseMove(const TiPlotMouseData& data) override;
    void MouseUp(const TiPlotMouseData& data) override;
    Qt::CursorShape MouseCursor(TPoint point) override;
    void KeyDown(int& key, TShiftState shift) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;
    void BuildPopupMenu(QMenu& menu) override;

  private:
    struct Pointer {
        bool Shown = false;
        bool Horizontal = false;
        TRect HitRect{};
    };
    struct MenuItem {
        bool Visible = true;
        std::string Caption;
    };
    enum DragItem { DragNone, DragPointer1, DragPointer2, DragHint };

    template <class T>
    void SetValue(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }
    void SetFlag(bool& field, bool value) { SetValue(field, value); }

    bool ReadsAllChannels() const { return ChannelName() == AllChannels; }
    bool TwoPointerStyle() const;
    void UpdateShapes();
    int PointerPixel(const Pointer& pointer, double position) const;
    TColor PointerColor();
    void DrawPointer(TCanvas& canvas, Pointer& pointer, double position, bool dragged);
    void DrawHint(TCanvas& canvas);
    TiCursorHintRequest HintRequest(TCanvas& canvas, const std::string& text) const;
    // Percent of a pixel along a track: X for a vertical line, Y otherwise.
    double PercentAlong(bool vertical, int pixel) const;
    double& DraggedPosition();
    void MovePositions(bool ctrl, int key);
    void AddChannelMenu(QMenu& menu);
    void AddStyleMenu(QMenu& menu);
    void AddOptionsMenu(QMenu& menu);

    TiPlotObjectLink channel_;
    bool channelAllowAll_ = true;
    bool channelShowAllInLegend_ = true;
    TiPlotDataCursorStyle style_ = ipcsValueXY;
    TiFont font_;
    TColor color_ = clYellow;
    bool useChannelColor_ = true;
    bool hintShow_ = true;
    bool hintHideOnRelease_ = false;
    TiOrientationSide hintOrientationSide_ = iosBottomRight;
    double hintPosition_ = 50;
    double pointer1Position_ = 50;
    double pointer2Position_ = 60;
    int pointerPenWidth_ = 1;
    bool menuUserCanChangeOptions_ = true;
    MenuItem menuItems_[6] = {{true, "Value X-Y"}, {true, "Value X"},   {true, "Value Y"},
                              {true, "Period"},    {true, "Peak-Peak"}, {true, "Frequency"}};

    TiPlotDataView* dataView_ = nullptr;
    Pointer pointers_[2];
    bool hintAlongX_ = false;
    bool hintVisible_ = false;
    TRect hintRect_{};
    DragItem drag_ = DragNone;
    TPoint pressPoint_;
    int dragStartPixel_ = 0;
    int status_ = 0;
    double valueX_ = 0;
    double valueY_ = 0;
    std::string hintText_;
};
