#include "plot/iPlotToolBar.h"

#include <QMessageBox>
#include <algorithm>
#include <stdexcept>

#include "plot/iPlotAxesControl.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotHost.h"

namespace {

constexpr int ButtonSize = 30;
constexpr int SmallButtonSize = 22;
constexpr int SeparatorWidth = 10;
constexpr int Inset = 3;
constexpr int HintGap = 3;
// White less 16 in each component: the face of a pressed or latched button.
constexpr TColor PressedFaceColor = RGBColor(239, 239, 239);

// The buttons in screen order; separators sit between the groups.
const TiPlotToolBarButton::Definition ButtonDefinitions[] = {
    {iptbbtResume, "Resume All (Tracking)", "AUTO", 0, true},
    {iptbbtPause, "Pause All (Tracking)", "PAUSE", 0, true},
    {iptbbtScrollAxesMode, "Scroll (Axes)", "SCROLL", 2, true},
    {iptbbtZoomAxesMode, "Zoom (Axes)", "ZOOM", 2, true},
    {iptbbtZoomOut, "Zoom Out All Axes", "ZOOMOUT", 0, true},
    {iptbbtZoomIn, "Zoom In All Axes", "ZOOMIN", 0, true},
    {iptbbtSelect, "Select", "SELECT", -1, false},
    {iptbbtZoomBox, "Zoom Box", "SCROLLBOX", -1, true},
    {iptbbtCursor, "Cursor", "CURSOR", -2, true},
    {iptbbtEdit, "Properties", "PROPERTIES", 0, true},
    {iptbbtCopy, "Copy to Clipboard", "COPY", 0, true},
    {iptbbtSave, "Save to File", "SAVE", 0, true},
    {iptbbtPrint, "Print", "PRINTER", 0, true},
    {iptbbtPreview, "Preview", "PREVIEW", 0, false},
};

// A flat button's one-pixel frame: sunken when pressed, raised when hot.
void DrawThinFrame(TCanvas& canvas, const TRect& rect, bool sunken) {
    const TColor topLeft = sunken ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = sunken ? clBtnHighlight : clBtnShadow;
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(topLeft);
    canvas.MoveTo(rect.Left, rect.Bottom - 1);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Right - 1, rect.Top);
    canvas.Pen().SetColor(bottomRight);
    canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
    canvas.LineTo(rect.Left - 1, rect.Bottom - 1);
}

// The Copy, Save, Print and Preview buttons run the plot's output operations.
void RunPlotOutput(TiPlotHost& plot, TiPlotToolBarButtonType type) {
    switch (type) {
        case iptbbtCopy:
            plot.CopyToClipboard();
            break;
        case iptbbtSave:
            plot.SaveImage();
            break;
        case iptbbtPrint:
            plot.Print();
            break;
        default:
            plot.PrintPreview();
            break;
    }
}

}  // namespace

TiPlotToolBarButton::TiPlotToolBarButton(TiPlotToolBar& toolBar, const Definition& definition)
    : TiPlotButton(toolBar.Owner()),
      toolBar_(toolBar),
      type_(definition.Type),
      hint_(definition.Hint),
      pictureName_(definition.PictureName) {
    SetGroupIndex(definition.GroupIndex);
    SetVisible(definition.VisibleAtStart);
}

TiPlotToolBarButton::TiPlotToolBarButton(TiPlotToolBar& toolBar, TiPlotToolBarButtonType before,
                                         TiPlotToolBarButtonType after)
    : TiPlotButton(toolBar.Owner()),
      toolBar_(toolBar),
      type_(before),
      guardedAfter_(after),
      separator_(true) {}

void TiPlotToolBarButton::SetPictureSize(bool small) {
    const std::string_view prefix = "SMALL";
    const bool isSmall = pictureName_.starts_with(prefix);
    if (isSmall != small) {
        pictureName_ =
            small ? std::string(prefix) + pictureName_ : pictureName_.substr(prefix.size());
    }
    imageIndex_ = -1;
}

void TiPlotToolBarButton::MouseHover(const TiPlotMouseData&, TiHintData& hint) {
    SetHot(true);
    toolBar_.ButtonHover(*this, hint);
}

void TiPlotToolBarButton::MouseLeave() {
    SetHot(false);
}

void TiPlotToolBarButton::SetHot(bool value) {
    if (hot_ == value) {
        return;
    }
    hot_ = value;
    if (flat_) {
        DoChange();
    }
}

TiPlotToolBar::TiPlotToolBar(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotLayoutObject(owner, std::move(handlers)) {
    SetHorizontal(true);
    for (const TiPlotToolBarButton::Definition& definition : ButtonDefinitions) {
        AddButton(definition);
        switch (definition.Type) {
            case iptbbtPause:
                AddSeparator(iptbbtResume, iptbbtPause);
                break;
            case iptbbtZoomAxesMode:
                AddSeparator(iptbbtScrollAxesMode, iptbbtZoomAxesMode);
                break;
            case iptbbtZoomIn:
                AddSeparator(iptbbtZoomOut, iptbbtZoomIn);
                break;
            case iptbbtCursor:
                AddSeparator(iptbbtZoomBox, iptbbtCursor);
                break;
            case iptbbtEdit:
                AddSeparator(iptbbtEdit, iptbbtEdit);
                break;
            default:
                break;
        }
    }
    Button(iptbbtScrollAxesMode).SetDown(true);
}

TiPlotToolBar::~TiPlotToolBar() = default;

const TiPublishedTable& TiPlotToolBar::PublishedTable() {
    using T = TiPlotToolBar;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<T>("TiPlotToolBar", &TiPlotLayoutObject::PublishedTable())
            .Boolean("ShowResumeButton", &T::ShowResumeButton, &T::SetShowResumeButton)
            .Boolean("ShowPauseButton", &T::ShowPauseButton, &T::SetShowPauseButton)
            .Boolean("ShowAxesModeButtons", &T::ShowAxesModeButtons, &T::SetShowAxesModeButtons)
            .Boolean("ShowZoomInOutButtons", &T::ShowZoomInOutButtons, &T::SetShowZoomInOutButtons)
            .Boolean("ShowSelectButton", &T::ShowSelectButton, &T::SetShowSelectButton)
            .Boolean("ShowZoomBoxButton", &T::ShowZoomBoxButton, &T::SetShowZoomBoxButton)
            .Boolean("ShowCursorButton", &T::ShowCursorButton, &T::SetShowCursorButton)
            .Boolean("ShowEditButton", &T::ShowEditButton, &T::SetShowEditButton)
            .Boolean("ShowCopyButton", &T::ShowCopyButton, &T::SetShowCopyButton)
            .Boolean("ShowSaveButton", &T::ShowSaveButton, &T::SetShowSaveButton)
            .Boolean("ShowPrintButton", &T::ShowPrintButton, &T::SetShowPrintButton)
            .Boolean("ShowPreviewButton", &T::ShowPreviewButton, &T::SetShowPreviewButton)
            .Float("ZoomInOutFactor", &T::ZoomInOutFactor, &T::SetZoomInOutFactor)
            .Boolean("FlatBorder", &T::FlatBorder, &T::SetFlatBorder)
            .Boolean("FlatButtons", &T::FlatButtons, &T::SetFlatButtons)
            .Boolean("SmallButtons", &T::SmallButtons, &T::SetSmallButtons)
            .Build();
    return table;
}

void TiPlotToolBar::AddButton(const TiPlotToolBarButton::Definition& definition) {
    auto button = std::make_unique<TiPlotToolBarButton>(*this, definition);
    TiPlotToolBarButton* raw = button.get();
    raw->OnClick = [this, raw](TiPlotObject*) { RunAction(raw->ButtonType()); };
    raw->OnGroupClick = [this, raw](TiPlotObject*) { ReleaseGroupOf(*raw); };
    raw->OnInvalidate = [this](TiPlotObject*) { DoChange(); };
    raw->OnDownChange = [this, raw](TiPlotObject*) { DownChanged(*raw); };
    raw->OnChange = [this](TiPlotObject*) { DoChange(); };
    buttons_.push_back(std::move(button));
}

void TiPlotToolBar::AddSeparator(TiPlotToolBarButtonType before, TiPlotToolBarButtonType after) {
    buttons_.push_back(std::make_unique<TiPlotToolBarButton>(*this, before, after));
}

TiPlotToolBarButton& TiPlotToolBar::Button(TiPlotToolBarButtonType type) const {
    for (const auto& button : buttons_) {
        if (!button->Separator() && button->ButtonType() == type) {
            return *button;
        }
    }
    throw std::out_of_range("Index out of Bounds");
}

void TiPlotToolBar::SetButtonsVisible(std::initializer_list<TiPlotToolBarButtonType> types,
                                      bool value) {
    for (TiPlotToolBarButtonType type : types) {
        Button(type).SetVisible(value);
    }
}

void TiPlotToolBar::SetZoomInOutFactor(double value) {
    SetProperty(zoomInOutFactor_, std::max(1.0, value), &TiPlotObject::DoChange);
}

void TiPlotToolBar::SetFlatBorder(bool value) {
    SetProperty(flatBorder_, value, &TiPlotObject::DoChange);
}

void TiPlotToolBar::SetFlatButtons(bool value) {
    if (flatButtons_ == value) {
        return;
    }
    flatButtons_ = value;
    for (const auto& button : buttons_) {
        button->SetFlat(value);
    }
    DoChange();
}

void TiPlotToolBar::SetSmallButtons(bool value) {
    if (smallButtons_ == value) {
        return;
    }
    smallButtons_ = value;
    images_.Clear();
    for (const auto& button : buttons_) {
        button->SetPictureSize(value);
    }
    DoLayoutChange();
}

void TiPlotToolBar::ReleaseGroupOf(TiPlotToolBarButton& clicked) {
    for (const auto& button : buttons_) {
        if (button.get() != &clicked && !button->Separator() &&
            button->GroupIndex() == clicked.GroupIndex()) {
            button->SetDown(false);
        }
    }
}

void TiPlotToolBar::RunAction(TiPlotToolBarButtonType type) {
    TiPlotHost& plot = *Owner();
    switch (type) {
        case iptbbtResume:
            Resume();
            break;
        case iptbbtPause:
            plot.DisableAllTracking();
            break;
        case iptbbtScrollAxesMode:
        case iptbbtZoomAxesMode:
            SetAxesMode(type);
            break;
        case iptbbtZoomOut:
        case iptbbtZoomIn:
            RunAction(iptbbtPause);
            ZoomAllAxes(type == iptbbtZoomIn);
            break;
        case iptbbtSelect:
            ToggleLatched(iptbbtSelect, iptbbtZoomBox);
            break;
        case iptbbtZoomBox:
            ToggleLatched(iptbbtZoomBox, iptbbtSelect);
            break;
        case iptbbtCursor:
            Button(iptbbtCursor).SetDown(!CursorDown());
            break;
        case iptbbtEdit:
            plot.EditProperties();
            break;
        case iptbbtCopy:
        case iptbbtSave:
        case iptbbtPrint:
        case iptbbtPreview:
            RunOutputOperation(type);
            break;
    }
    plot.DoToolBarButtonClick(this, type);
}

void TiPlotToolBar::Resume() {
    if (CursorDown()) {
        RunAction(iptbbtCursor);
    }
    if (SelectDown()) {
        RunAction(iptbbtSelect);
    }
    Owner()->ClearFocus();
    Owner()->EnableAllTracking();
}

void TiPlotToolBar::SetAxesMode(TiPlotToolBarButtonType downButton) {
    const bool scroll = downButton == iptbbtScrollAxesMode;
    Button(iptbbtScrollAxesMode).SetDown(scroll);
    Button(iptbbtZoomAxesMode).SetDown(!scroll);
    ForEachPlotAxis(*Owner(),
                    [scroll](TiPlotAxis& axis) { axis.SetAxesMode(scroll ? iamScroll : iamZoom); });
}

void TiPlotToolBar::ZoomAllAxes(bool zoomIn) {
    const double linearFactor = zoomIn ? 1.0 / zoomInOutFactor_ : zoomInOutFactor_;
    const double logSteps = zoomIn ? -1.0 : 1.0;
    ForEachPlotAxis(*Owner(), [&](TiPlotAxis& axis) {
        axis.Zoom(axis.ScaleType() == ipstLog10 ? logSteps : linearFactor);
    });
}

void TiPlotToolBar::ToggleLatched(TiPlotToolBarButtonType toggled,
                                  TiPlotToolBarButtonType released) {
    // Select releases Zoom Box before toggling itself, Zoom Box the other
    // way round, so the two are never down together.
    TiPlotToolBarButton& button = Button(toggled);
    const bool down = !button.Down();
    if (toggled == iptbbtSelect) {
        button.SetDown(down);
        Button(released).SetDown(false);
    } else {
        Button(released).SetDown(false);
        button.SetDown(down);
    }
}

void TiPlotToolBar::DownChanged(TiPlotToolBarButton& button) {
    TiPlotHost& plot = *Owner();
    switch (button.ButtonType()) {
        case iptbbtCursor:
            for (int i = 0; i < plot.DataCursorCount(); ++i) {
                plot.DataCursor(i)->SetVisible(button.Down());
            }
            if (button.Down()) {
                plot.DisableAllTracking();
                if (plot.DataCursorCount() > 0) {
                    plot.DataCursor(0)->SetFocused(true);
                }
            }
            break;
        case iptbbtSelect:
            if (button.Down()) {
                plot.DisableAllTracking();
            }
            plot.SetSelectMode(button.Down());
            break;
        default:
            break;
    }
    DoChange();
}

void TiPlotToolBar::RunOutputOperation(TiPlotToolBarButtonType type) {
    // Output failures reach the user as a message; the chart keeps running.
    try {
        RunPlotOutput(*Owner(), type);
    } catch (const std::exception& error) {
        QMessageBox::warning(Owner()->DialogParent(), QString(), QString::fromUtf8(error.what()));
    }
}

void TiPlotToolBar::RefreshStates() {
    bool anyPaused = false;
    bool anyTracking = false;
    ForEachPlotAxis(*Owner(), [&](TiPlotAxis& axis) {
        (axis.TrackingEnabled() ? anyTracking : anyPaused) = true;
    });
    Button(iptbbtResume).SetEnabled(anyPaused);
    Button(iptbbtPause).SetEnabled(anyTracking);
    for (const auto& button : buttons_) {
        if (button->Separator()) {
            button->SetVisible(ButtonVisible(button->GuardedBefore()) ||
                               ButtonVisible(button->GuardedAfter()));
        }
    }
}

int TiPlotToolBar::ButtonSide() const {
    return smallButtons_ ? SmallButtonSize : ButtonSize;
}

int TiPlotToolBar::RequiredThickness(TCanvas&) {
    return ButtonSide() + 2 * Inset;
}

void TiPlotToolBar::LayoutButtons() {
    const TRect& bounds = LayoutRect();
    int left = bounds.Left + Inset;
    const int top = bounds.Top + Inset;
    for (const auto& button : buttons_) {
        if (!button->Visible()) {
            continue;
        }
        const int width = button->Separator() ? SeparatorWidth : ButtonSide();
        button->SetButtonRect(TRect{left, top, left + width, top + ButtonSide()});
        left += width;
    }
}

TiPlotObject* TiPlotToolBar::ObjectAt(int x, int y) {
    for (const auto& button : buttons_) {
        if (button->Visible() && !button->Separator() && button->ButtonRect().Contains({x, y})) {
            return button.get();
        }
    }
    return TiPlotLayoutObject::ObjectAt(x, y);
}

void TiPlotToolBar::Draw(TCanvas& canvas, TColor) {
    if (!Visible()) {
        return;
    }
    RefreshStates();
    TCanvasStateSaver saver(canvas);
    TRect bounds = LayoutRect();
    ++bounds.Bottom;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.Pen().SetWidth(1);
    canvas.FillRect(bounds);
    if (!flatBorder_) {
        DrawBevelBorder(canvas, bounds, 1);
    }
    LayoutButtons();
    for (const auto& button : buttons_) {
        if (button->Visible() && !button->Separator()) {
            DrawButton(canvas, *button);
        }
    }
}

void TiPlotToolBar::DrawButton(TCanvas& canvas, TiPlotToolBarButton& button) {
    const TRect& rect = button.ButtonRect();
    const bool sunk = button.Pressed() || button.Down();
    if (sunk && !(button.Flat() && button.Hot())) {
        canvas.Brush().SetColor(PressedFaceColor);
        canvas.FillRect(rect);
    }
    bool shifted = false;
    if (!button.Flat()) {
        canvas.DrawEdge(rect, sunk ? edSunken : edRaised);
        shifted = sunk;
    } else if (button.Enabled() && (sunk || button.Hot())) {
        DrawThinFrame(canvas, rect, sunk);
        shifted = sunk;
    }
    const QImage& picture = Picture(canvas, button);
    const int size = ToolBarPictureLogicalSize(button.PictureName());
    const int offset = shifted ? 1 : 0;
    canvas.Draw(rect.Left + (rect.Width() - size) / 2 + offset,
                rect.Top + (rect.Height() - size) / 2 + offset, picture);
}

const QImage& TiPlotToolBar::Picture(TCanvas& canvas, TiPlotToolBarButton& button) {
    // Pictures are rendered at the pixel ratio of the device they land on, so
    // they stay sharp; moving the window to a screen of another scale renders
    // them afresh. Vector and printer canvases get the plain pictures.
    const qreal ratio = canvas.PixelRatio();
    if (ratio != imagesPixelRatio_) {
        imagesPixelRatio_ = ratio;
        images_.Clear();
        for (const auto& each : buttons_) {
            each->SetImageIndex(-1);
        }
    }
    if (button.ImageIndex() < 0) {
        button.SetImageIndex(images_.Add(button.PictureName(), ratio));
    }
    return images_.Picture(button.ImageIndex(), button.Enabled());
}

void TiPlotToolBar::ButtonHover(TiPlotToolBarButton& button, TiHintData& hint) {
    std::string text = Translate(button.Hint());
    hint.Top = button.ButtonRect().Bottom + HintGap;
    hint.Left = button.ButtonRect().Left;
    Owner()->DoToolBarCustomizeHint(this, text);
    hint.Text = text;
}
