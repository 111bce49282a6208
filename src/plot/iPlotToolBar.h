#pragma once
// The toolbar: a row of picture buttons inside the plot that pause and resume
// tracking, switch the axes between scrolling and zooming by drag, zoom every
// axis, switch the zoom-box, select and data-cursor modes, open the property
// editor and copy, save, print and preview the chart. The plot's first
// toolbar also holds the modes the data view and the channels read.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plot/iPlotObjects.h"
#include "plot/iPlotToolBarIcons.h"

enum TiPlotToolBarButtonType {
    iptbbtResume,
    iptbbtPause,
    iptbbtScrollAxesMode,
    iptbbtZoomAxesMode,
    iptbbtSelect,
    iptbbtZoomBox,
    iptbbtZoomOut,
    iptbbtZoomIn,
    iptbbtCursor,
    iptbbtEdit,
    iptbbtCopy,
    iptbbtSave,
    iptbbtPrint,
    iptbbtPreview
};

class TiPlotAxis;
class TiPlotToolBar;

// One button of the toolbar, or a separator: a fixed gap between groups that
// shows while one of the two buttons it guards is visible.
class TiPlotToolBarButton : public TiPlotButton {
  public:
    struct Definition {
        TiPlotToolBarButtonType Type;
        const char* Hint;
        const char* PictureName;
        int GroupIndex;
        bool VisibleAtStart;
    };

    TiPlotToolBarButton(TiPlotToolBar& toolBar, const Definition& definition);
    // A separator shown while `before` or `after` is visible.
    TiPlotToolBarButton(TiPlotToolBar& toolBar, TiPlotToolBarButtonType before,
                        TiPlotToolBarButtonType after);

    TiPlotToolBarButtonType ButtonType() const { return type_; }
    const std::string& Hint() const { return hint_; }
    bool Separator() const { return separator_; }
    TiPlotToolBarButtonType GuardedBefore() const { return type_; }
    TiPlotToolBarButtonType GuardedAfter() const { return guardedAfter_; }
    const std::string& PictureName() const { return pictureName_; }
    // Switches between the 24 and the 16 pixel picture; it reloads on the
    // next drawing.
    void SetPictureSize(bool small);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    bool Flat() const { return flat_; }
    void SetFlat(bool value) { flat_ = value; }
    bool Hot() const { return hot_; }

    void MouseHover(const TiPlotMouseData& data, TiHintData& hint) override;
    void MouseLeave() override;

  private:
    void SetHot(bool value);

    TiPlotToolBar& toolBar_;
    TiPlotToolBarButtonType type_;
    TiPlotToolBarButtonType guardedAfter_ = iptbbtResume;
    std::string hint_;
    std::string pictureName_;
    bool separator_ = false;
    int imageIndex_ = -1;
    bool flat_ = false;
    bool hot_ = false;
};

class TiPlotToolBar : public TiPlotLayoutObject {
  public:
    TiPlotToolBar(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokToolBar; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokToolBar; }
    ~TiPlotToolBar() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // The Show properties hold no value of their own: they are the buttons'
    // Visible flags.
    bool ShowResumeButton() const { return ButtonVisible(iptbbtResume); }
    void SetShowResumeButton(bool value) { SetButtonsVisible({iptbbtResume}, value); }
    bool ShowPauseButton() const { return ButtonVisible(iptbbtPause); }
    void SetShowPauseButton(bool value) { SetButtonsVisible({iptbbtPause}, value); }
    bool ShowAxesModeButtons() const { return ButtonVisible(iptbbtScrollAxesMode); }
    void SetShowAxesModeButtons(bool value) {
        SetButtonsVisible({iptbbtScrollAxesMode, iptbbtZoomAxesMode}, value);
    }
    bool ShowZoomInOutButtons() const { return ButtonVisible(iptbbtZoomIn); }
    void SetShowZoomInOutButtons(bool value) {
        SetButtonsVisible({iptbbtZoomOut, iptbbtZoomIn}, value);
    }
    bool ShowSelectButton() const { return ButtonVisible(iptbbtSelect); }
    void SetShowSelectButton(bool value) { SetButtonsVisible({iptbbtSelect}, value); }
    bool ShowZoomBoxButton() const { return ButtonVisible(iptbbtZoomBox); }
    void SetShowZoomBoxButton(bool value) { SetButtonsVisible({iptbbtZoomBox}, value); }
    bool ShowCursorButton() const { return ButtonVisible(iptbbtCursor); }
    void SetShowCursorButton(bool value) { SetButtonsVisible({iptbbtCursor}, value); }
    bool ShowEditButton() const { return ButtonVisible(iptbbtEdit); }
    void SetShowEditButton(bool value) { SetButtonsVisible({iptbbtEdit}, value); }
    bool ShowCopyButton() const { return ButtonVisible(iptbbtCopy); }
    void SetShowCopyButton(bool value) { SetButtonsVisible({iptbbtCopy}, value); }
    bool ShowSaveButton() const { return ButtonVisible(iptbbtSave); }
    void SetShowSaveButton(bool value) { SetButtonsVisible({iptbbtSave}, value); }
    bool ShowPrintButton() const { return ButtonVisible(iptbbtPrint); }
    void SetShowPrintButton(bool value) { SetButtonsVisible({iptbbtPrint}, value); }
    bool ShowPreviewButton() const { return ButtonVisible(iptbbtPreview); }
    void SetShowPreviewButton(bool value) { SetButtonsVisible({iptbbtPreview}, value); }

    double ZoomInOutFactor() const { return zoomInOutFactor_; }
    void SetZoomInOutFactor(double value);
    bool FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(bool value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    bool SmallButtons() const { return smallButtons_; }
    void SetSmallButtons(bool value);

    // Latched states the data view, the channels and the plot read.
    bool ZoomBoxDown() const { return Button(iptbbtZoomBox).Down(); }
    bool SelectDown() const { return Button(iptbbtSelect).Down(); }
    bool CursorDown() const { return Button(iptbbtCursor).Down(); }
    void ClickSelectButton() { RunAction(iptbbtSelect); }

    // Runs a button's action as a click would, ending with the plot's
    // OnToolBarButtonClick.
    void RunAction(TiPlotToolBarButtonType type);

    TiPlotToolBarButton& Button(TiPlotToolBarButtonType type) const;
    // Every button and separator, left to right.
    const std::vector<std::unique_ptr<TiPlotToolBarButton>>& Buttons() const { return buttons_; }

    int RequiredThickness(TCanvas& canvas) override;
    TiPlotObject* ObjectAt(int x, int y) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;

    // Called by the buttons.
    void ButtonHover(TiPlotToolBarButton& button, TiHintData& hint);

  private:
    bool ButtonVisible(TiPlotToolBarButtonType type) const { return Button(type).Visible(); }
    void SetButtonsVisible(std::initializer_list<TiPlotToolBarButtonType> types, bool value);
    void AddButton(const TiPlotToolBarButton::Definition& definition);
    void AddSeparator(TiPlotToolBarButtonType before, TiPlotToolBarButtonType after);
    void ReleaseGroupOf(TiPlotToolBarButton& clicked);
    void DownChanged(TiPlotToolBarButton& button);
    void RefreshStates();
    int ButtonSide() const;
    void LayoutButtons();
    void DrawButton(TCanvas& canvas, TiPlotToolBarButton& button);
    const QImage& Picture(TCanvas& canvas, TiPlotToolBarButton& button);

    // The actions.
    void Resume();
    void SetAxesMode(TiPlotToolBarButtonType downButton);
    void ZoomAllAxes(bool zoomIn);
    void ToggleLatched(TiPlotToolBarButtonType toggled, TiPlotToolBarButtonType released);
    void RunOutputOperation(TiPlotToolBarButtonType type);

    std::vector<std::unique_ptr<TiPlotToolBarButton>> buttons_;
    TiPlotToolBarImageList images_;
    qreal imagesPixelRatio_ = 1.0;
    double zoomInOutFactor_ = 2.0;
    bool flatBorder_ = false;
    bool flatButtons_ = false;
    bool smallButtons_ = false;
};
