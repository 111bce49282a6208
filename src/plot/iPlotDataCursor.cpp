#include "plot/iPlotDataCursor.h"

#include <QMenu>
#include <algorithm>
#include <cmath>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotHost.h"

namespace {

constexpr int HitReach = 5;  // pixels either side of a pointer that grab it
constexpr int PageStep = 5;  // pixels of one Page Up / Page Down
constexpr int FocusGap = 2;

double ClampPercent(double value) {
    return std::clamp(value, 0.0, 100.0);
}

std::string WithoutLineBreaks(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 2);
    return text;
}

QAction* AddCheckItem(QMenu& menu, const std::string& caption, bool checked,
                      std::function<void()> choose) {
    QAction* action = menu.addAction(FromUtf8(caption));
    action->setCheckable(true);
    action->setChecked(checked);
    QObject::connect(action, &QAction::triggered, std::move(choose));
    return action;
}

}  // namespace

TiPlotDataCursor::TiPlotDataCursor(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotManagerObject(owner, std::move(handlers)) {
    SetVisible(false);
    font_.OnChange = [this] { DoChange(); };
    UpdateShapes();
}

const TiPublishedTable& TiPlotDataCursor::PublishedTable() {
    using C = TiPlotDataCursor;
    static const std::vector<std::string> styles = {
        "ipcsValueXY", "ipcsValueX", "ipcsValueY", "ipcsDeltaX", "ipcsDeltaY", "ipcsInverseDeltaX"};
    static const TiPublishedTable table =
        TiPublishedTableBuilder<C>("TiPlotDataCursor", &TiPlotObject::PublishedTable())
            .String("ChannelName", &C::ChannelName, &C::SetChannelName)
            .Boolean("ChannelAllowAll", &C::ChannelAllowAll, &C::SetChannelAllowAll)
            .Boolean("ChannelShowAllInLegend", &C::ChannelShowAllInLegend,
                     &C::SetChannelShowAllInLegend)
            .Enumeration("Style", &C::Style, &C::SetStyle, styles)
            .Object("Font", &C::Font)
            .Color("Color", &C::Color, &C::SetColor)
            .Boolean("UseChannelColor", &C::UseChannelColor, &C::SetUseChannelColor)
            .Boolean("HintShow", &C::HintShow, &C::SetHintShow)
            .Boolean("HintHideOnRelease", &C::HintHideOnRelease, &C::SetHintHideOnRelease)
            .Enumeration("HintOrientationSide", &C::HintOrientationSide, &C::SetHintOrientationSide,
                         {"iosBottomRight", "iosTopLeft"})
            .Float("HintPosition", &C::HintPosition, &C::SetHintPosition, kPercentRange)
            .Float("Pointer1Position", &C::Pointer1Position, &C::SetPointer1Position, kPercentRange)
            .Float("Pointer2Position", &C::Pointer2Position, &C::SetPointer2Position, kPercentRange)
            .Integer("PointerPenWidth", &C::PointerPenWidth, &C::SetPointerPenWidth, kPixelRange)
            .Boolean("MenuUserCanChangeOptions", &C::MenuUserCanChangeOptions,
                     &C::SetMenuUserCanChangeOptions)
            .Boolean("MenuItemVisibleValueXY", &C::MenuItemVisibleValueXY,
                     &C::SetMenuItemVisibleValueXY)
            .Boolean("MenuItemVisibleValueX", &C::MenuItemVisibleValueX,
                     &C::SetMenuItemVisibleValueX)
            .Boolean("MenuItemVisibleValueY", &C::MenuItemVisibleValueY,
                     &C::SetMenuItemVisibleValueY)
            .Boolean("MenuItemVisibleDeltaX", &C::MenuItemVisibleDeltaX,
                     &C::SetMenuItemVisibleDeltaX)
            .Boolean("MenuItemVisibleDeltaY", &C::MenuItemVisibleDeltaY,
                     &C::SetMenuItemVisibleDeltaY)
            .Boolean("MenuItemVisibleInverseDeltaX", &C::MenuItemVisibleInverseDeltaX,
                     &C::SetMenuItemVisibleInverseDeltaX)
            .String("MenuItemCaptionValueXY", &C::MenuItemCaptionValueXY,
                    &C::SetMenuItemCaptionValueXY)
            .String("MenuItemCaptionValueX", &C::MenuItemCaptionValueX,
                    &C::SetMenuItemCaptionValueX)
            .String("MenuItemCaptionValueY", &C::MenuItemCaptionValueY,
                    &C::SetMenuItemCaptionValueY)
            .String("MenuItemCaptionDeltaX", &C::MenuItemCaptionDeltaX,
                    &C::SetMenuItemCaptionDeltaX)
            .String("MenuItemCaptionDeltaY", &C::MenuItemCaptionDeltaY,
                    &C::SetMenuItemCaptionDeltaY)
            .String("MenuItemCaptionInverseDeltaX", &C::MenuItemCaptionInverseDeltaX,
                    &C::SetMenuItemCaptionInverseDeltaX)
            .Build();
    return table;
}

void TiPlotDataCursor::SetChannelName(const std::string& value) {
    if (channel_.SetName(value))
        DoChange();
}

void TiPlotDataCursor::SetStyle(TiPlotDataCursorStyle value) {
    if (style_ == value)
        return;
    style_ = value;
    UpdateShapes();
    DoChange();
}

void TiPlotDataCursor::SetPointer1Position(double value) {
    SetValue(pointer1Position_, ClampPercent(value));
}

void TiPlotDataCursor::SetPointer2Position(double value) {
    SetValue(pointer2Position_, ClampPercent(value));
}

void TiPlotDataCursor::SetVisible(bool value) {
    TiPlotManagerObject::SetVisible(value);
    if (value)
        UpdateValues();
}

void TiPlotDataCursor::SetXYAxesReverse(bool value) {
    TiPlotManagerObject::SetXYAxesReverse(value);
    UpdateShapes();
}

bool TiPlotDataCursor::TwoPointerStyle() const {
    return style_ == ipcsDeltaX || style_ == ipcsDeltaY || style_ == ipcsInverseDeltaX;
}

void TiPlotDataCursor::UpdateShapes() {
    // Value styles read one vertical line; the Y distance needs two lines
    // across. Exchanged axes turn every line.
    const bool horizontal = (style_ == ipcsDeltaY) != XYAxesReverse();
    pointers_[0] = {true, horizontal, {}};
    pointers_[1] = {TwoPointerStyle(), horizontal, {}};
    hintAlongX_ = horizontal;
}

TiPlotChannelCustom* TiPlotDataCursor::Channel() {
    TiPlotHost& plot = *Owner();
    return static_cast<TiPlotChannelCustom*>(channel_.Resolve(
        [&plot](const std::string& name) -> TiPlotObject* { return plot.ChannelByName(name); }));
}

void TiPlotDataCursor::UpdateValues() {
    TiPlotHost& plot = *Owner();
    plot.DoBeforeDataCursorUpdate(this);
    if (ReadsAllChannels()) {
        for (int i = 0; i < plot.ChannelCount(); ++i)
            plot.Channel(i)->UpdateDataCursor(*this);
    } else if (TiPlotChannelCustom* channel = Channel()) {
        channel->UpdateDataCursor(*this);
    }
}

void TiPlotDataCursor::ReportValues(int status, double y, double x) {
    // A NaN reading repeated is no change (== would call it one every time).
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (status == status_ && same(y, valueY_) && same(x, valueX_))
        return;
    status_ = status;
    valueY_ = y;
    valueX_ = x;
    Owner()->DoDataCursorChange(this);
}

int TiPlotDataCursor::PointerPixel(const Pointer& pointer, double position) const {
    if (!dataView_)
        return 0;
    return pointer.Horizontal ? dataView_->PercentToPixelY(position)
                              : dataView_->PercentToPixelX(position);
}

int TiPlotDataCursor::Pointer1Pixel() const {
    return PointerPixel(pointers_[0], pointer1Position_);
}

int TiPlotDataCursor::Pointer2Pixel() const {
    return PointerPixel(pointers_[1], pointer2Position_);
}

TColor TiPlotDataCursor::PointerColor() {
    TiPlotChannelCustom* channel = Channel();
    return useChannelColor_ && channel ? channel->Color() : color_;
}

void TiPlotDataCursor::Draw(TCanvas& canvas, TColor) {
    if (!dataView_ || !Visible())
        return;
    UpdateValues();
    TCanvasStateSaver saver(canvas);
    canvas.Pen().SetColor(PointerColor());
    canvas.Pen().SetStyle(psSolid);
    if (pointers_[0].Shown)
        DrawPointer(canvas, pointers_[0], pointer1Position_, drag_ == DragPointer1);
    if (pointers_[1].Shown)
        DrawPointer(canvas, pointers_[1], pointer2Position_, drag_ == DragPointer2);
    hintVisible_ = hintShow_ && !ReadsAllChannels() && !(hintHideOnRelease_ && drag_ == DragNone);
    if (hintVisible_)
        DrawHint(canvas);
}

void TiPlotDataCursor::DrawPointer(TCanvas& canvas, Pointer& pointer, double position,
                                   bool dragged) {
    // A dragged line is drawn thin so the trace beneath stays readable.
    canvas.Pen().SetWidth(dragged ? 0 : pointerPenWidth_);
    const TRect& view = dataView_->LayoutRect();
    const int at = PointerPixel(pointer, position);
    if (pointer.Horizontal) {
        canvas.MoveTo(view.Left, at);
        canvas.LineTo(view.Right, at);
        pointer.HitRect = {view.Left, at - HitReach, view.Right, at + HitReach + 1};
    } else {
        canvas.MoveTo(at, view.Top);
        canvas.LineTo(at, view.Bottom);
        pointer.HitRect = {at - HitReach, view.Top, at + HitReach + 1, view.Bottom};
    }
}

TiCursorHintRequest TiPlotDataCursor::HintRequest(TCanvas& canvas, const std::string& text) const {
    TiCursorHintRequest request;
    request.View = dataView_->LayoutRect();
    request.AlongX = hintAlongX_;
    const bool first = pointers_[0].Shown;
    request.Reference = first ? Pointer1Pixel() : Pointer2Pixel();
    request.TrackCentre = hintAlongX_ ? dataView_->PercentToPixelX(hintPosition_)
                                      : dataView_->PercentToPixelY(hintPosition_);
    request.TwoPointers = TwoPointerStyle();
    if (request.TwoPointers) {
        const TRect& a = pointers_[0].HitRect;
        const TRect& b = pointers_[1].HitRect;
        request.PointersCentre = hintAlongX_ ? (a.Top + a.Bottom + b.Top + b.Bottom) / 4
                                             : (a.Left + a.Right + b.Left + b.Right) / 4;
    }
    request.TextWidth = TextBlockWidth(canvas, text);
    request.TextHeight = WrappedTextHeight(canvas, text, request.TextWidth);
    request.CharWidth = canvas.TextWidth("A");
    request.Side = hintOrientationSide_;
    return request;
}

void TiPlotDataCursor::DrawHint(TCanvas& canvas) {
    TiPlotChannelCustom* channel = Channel();
    std::string text = channel ? hintText_ : Translate("No Channel");
    Owner()->DoDataCursorCustomizeHint(this, text);
    canvas.Font() = font_;
    const TiCursorHintPlacement placement = PlaceCursorHint(HintRequest(canvas, text));
    // The side flips near an edge stick, like a user's choice would.
    SetHintOrientationSide(placement.Side);
    hintRect_ = placement.Box;
    const TRect& box = hintRect_;
    const TColor lineColor = PointerColor();

    if (TwoPointerStyle()) {
        canvas.Pen().SetColor(lineColor);
        canvas.Pen().SetStyle(psDot);
        canvas.Pen().SetWidth(0);
        canvas.Brush().SetStyle(bsClear);
        if (hintAlongX_) {
            const int x = (box.Left + box.Right) / 2;
            canvas.MoveTo(x, Pointer1Pixel());
            canvas.LineTo(x, Pointer2Pixel());
        } else {
            const int y = (box.Top + box.Bottom) / 2;
            canvas.MoveTo(Pointer1Pixel(), y);
            canvas.LineTo(Pointer2Pixel(), y);
        }
    }

    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(useChannelColor_ && channel ? channel->Color() : clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clInfoBk);
    canvas.Rectangle(box);
    canvas.Font().SetColor(clInfoText);
    canvas.Brush().SetStyle(bsClear);
    TRect textRect{box.Left + 2, box.Top + 1, box.Right, box.Bottom};
    DrawFormattedText(canvas, text, textRect, itfLeft | itfVCenter | itfWordBreak | itfNoClip);
    canvas.Rectangle(box);

    if (Focused()) {
        canvas.Font().SetColor(clWhite);
        DrawFocusRectangle(canvas, {box.Left - FocusGap, box.Top - FocusGap, box.Right + FocusGap,
                                    box.Bottom + FocusGap});
    }
}

bool TiPlotDataCursor::HitTest(const TiPlotMouseData& data) {
    if (!dataView_)
        return false;
    const TPoint point{data.X, data.Y};
    for (const Pointer& pointer : pointers_) {
        if (pointer.Shown && pointer.HitRect.Contains(point))
            return true;
    }
    return hintVisible_ && hintRect_.Contains(point);
}

double TiPlotDataCursor::PercentAlong(bool vertical, int pixel) const {
    return vertical ? dataView_->PixelToPercentX(pixel) : dataView_->PixelToPercentY(pixel);
}

double& TiPlotDataCursor::DraggedPosition() {
    switch (drag_) {
        case DragPointer1:
            return pointer1Position_;
        case DragPointer2:
            return pointer2Position_;
        default:
            return hintPosition_;
    }
}

void TiPlotDataCursor::MouseDown(const TiPlotMouseData& data) {
    if (!dataView_)
        return;
    pressPoint_ = {data.X, data.Y};
    if (hintVisible_ && hintRect_.Contains(pressPoint_)) {
        // The hint wins over a pointer beneath it.
        drag_ = DragHint;
        dragStartPixel_ = hintAlongX_ ? dataView_->PercentToPixelX(hintPosition_)
                                      : dataView_->PercentToPixelY(hintPosition_);
        DoChange();
        return;
    }
    if (pointers_[0].Shown && pointers_[0].HitRect.Contains(pressPoint_)) {
        drag_ = DragPointer1;
        dragStartPixel_ = Pointer1Pixel();
    } else if (pointers_[1].Shown && pointers_[1].HitRect.Contains(pressPoint_)) {
        drag_ = DragPointer2;
        dragStartPixel_ = Pointer2Pixel();
    }
    DoChange();
    UpdateValues();
}

void TiPlotDataCursor::MouseMove(const TiPlotMouseData& data) {
    if (drag_ == DragNone || !dataView_)
        return;
    // A pointer line that stands upright moves left and right; the hint
    // moves along its own track.
    const bool alongX = drag_ == DragHint ? hintAlongX_ : !pointers_[drag_ - 1].Horizontal;
    const int moved = alongX ? data.X - pressPoint_.X : data.Y - pressPoint_.Y;
    DraggedPosition() = ClampPercent(PercentAlong(alongX, dragStartPixel_ + moved));
    UpdateValues();
    DoChange();
}

void TiPlotDataCursor::MouseUp(const TiPlotMouseData& data) {
    drag_ = DragNone;
    DoChange();
    if (Pressed() && HitTest(data))
        Owner()->DoClickEvent(this);
}

Qt::CursorShape TiPlotDataCursor::MouseCursor(TPoint) {
    return Qt::PointingHandCursor;
}

void TiPlotDataCursor::KeyDown(int& key, TShiftState shift) {
    if (!dataView_ || !Focused())
        return;
    MovePositions(shift & ssCtrl, key);
    pointer1Position_ = ClampPercent(pointer1Position_);
    pointer2Position_ = ClampPercent(pointer2Position_);
    hintPosition_ = ClampPercent(hintPosition_);
    DoChange();
}

void TiPlotDataCursor::MovePositions(bool ctrl, int key) {
    const TRect& view = dataView_->LayoutRect();
    const double pixelX = view.Width() > 0 ? 100.0 / view.Width() : 0.0;
    const double pixelY = view.Height() > 0 ? 100.0 / view.Height() : 0.0;
    // Ctrl moves pointer 1 and the hint; plain keys move pointer 2.
    const Pointer& pointer = pointers_[ctrl ? 0 : 1];
    if (!pointer.Shown)
        return;
    double& position = ctrl ? pointer1Position_ : pointer2Position_;
    const double pixel = pointer.Horizontal ? pixelY : pixelX;
    const bool hintMoves = ctrl && hintVisible_;
    switch (key) {
        case VK_PRIOR:
            position += PageStep * pixel;
            break;
        case VK_NEXT:
            position -= PageStep * pixel;
            break;
        case VK_END:
            position = 100;
            break;
        case VK_HOME:
            position = 0;
            break;
        case VK_LEFT:
        case VK_RIGHT: {
            const double step = key == VK_RIGHT ? 1 : -1;
            if (hintMoves && hintAlongX_)
                hintPosition_ += step * pixelX;
            if (!pointer.Horizontal)
                position += step * pixelX;
            break;
        }
        case VK_UP:
        case VK_DOWN: {
            const double step = key == VK_UP ? 1 : -1;
            if (hintMoves && !hintAlongX_)
                hintPosition_ += step * pixelY;
            if (pointer.Horizontal)
                position += step * pixelY;
            break;
        }
        default:
            break;
    }
}

void TiPlotDataCursor::FocusGained() {
    TiPlotManagerObject::FocusGained();
    if (TiPlotChannelCustom* channel = Channel())
        channel->SetFocused(true);
}

void TiPlotDataCursor::ObjectFocused(TiPlotObject* object) {
    auto* channel = KindCast<TiPlotChannelCustom>(object);
    if (!channel) {
        YieldFocusTo(object);
        return;
    }
    // Clicking another channel (its legend entry) while the cursor is
    // selected moves the cursor to that channel.
    if (Focused() && channel != Channel())
        SetChannelName(channel->Name());
}

void TiPlotDataCursor::ObjectRemoved(TiPlotObject* object) {
    channel_.ObjectRemoved(object);
    if (object == dataView_)
        dataView_ = nullptr;
}

bool TiPlotDataCursor::FollowsRenamesOf(const TiPlotObject& renamed) {
    return KindCast<TiPlotChannelCustom>(&renamed) != nullptr;
}

void TiPlotDataCursor::ObjectRenamed(TiPlotObject* object) {
    if (KindCast<TiPlotChannelCustom>(object))
        channel_.ObjectRenamed(object);
}

void TiPlotDataCursor::BuildPopupMenu(QMenu& menu) {
    TiPlotManagerObject::BuildPopupMenu(menu);
    AddChannelMenu(menu);
    AddStyleMenu(menu);
    if (menuUserCanChangeOptions_)
        AddOptionsMenu(menu);
    QAction* flip = menu.addAction(FromUtf8(Translate("Flip Alignment")));
    const bool valueStyle = !TwoPointerStyle();
    flip->setEnabled(valueStyle && !SameName(ChannelName(), AllChannels));
    QObject::connect(flip, &QAction::triggered, [this] {
        SetHintOrientationSide(hintOrientationSide_ == iosBottomRight ? iosTopLeft
                                                                      : iosBottomRight);
    });
    AddEditItem(menu);
}

void TiPlotDataCursor::AddChannelMenu(QMenu& menu) {
    TiPlotHost& plot = *Owner();
    QMenu* channels = menu.addMenu(FromUtf8(Translate("Channel")));
    if (channelAllowAll_) {
        AddCheckItem(*channels, Translate(AllChannels), ReadsAllChannels(), [this, &plot] {
            SetChannelName(AllChannels);
            for (int i = 0; i < plot.ChannelCount(); ++i)
                plot.Channel(i)->SetFocused(false);
        });
    }
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = plot.Channel(i);
        if (!channel->Visible())
            continue;
        AddCheckItem(*channels, WithoutLineBreaks(channel->TitleText()),
                     channel->Name() == ChannelName(), [this, channel] {
                         SetChannelName(channel->Name());
                         channel->SetFocused(true);
                     });
    }
}

void TiPlotDataCursor::AddStyleMenu(QMenu& menu) {
    QMenu* styles = menu.addMenu(FromUtf8(Translate("Style")));
    for (int i = ipcsValueXY; i <= ipcsInverseDeltaX; ++i) {
        const auto style = static_cast<TiPlotDataCursorStyle>(i);
        QAction* item = AddCheckItem(*styles, Translate(menuItems_[style].Caption), style_ == style,
                                     [this, style] { SetStyle(style); });
        item->setVisible(menuItems_[style].Visible);
    }
}

void TiPlotDataCursor::AddOptionsMenu(QMenu& menu) {
    QMenu* options = menu.addMenu(FromUtf8(Translate("Options")));
    AddCheckItem(*options, Translate("Use Channel Color"), useChannelColor_,
                 [this] { SetUseChannelColor(!useChannelColor_); });
    AddCheckItem(*options, Translate("Hide Hint On Release"), hintHideOnRelease_,
                 [this] { SetHintHideOnRelease(!hintHideOnRelease_); });
}
