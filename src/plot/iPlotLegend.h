#pragma once
// The legend lists the plot's channels beside the chart: per channel a line
// sample, optionally its marker, its title, and optional columns with its
// axes' titles, its latest X and Y and its Y maximum, minimum and mean. Rows
// wrap into several legend columns by the wrap rules, and when they do not
// all fit two scroll buttons page through them. A row's title is the
// channel's click target.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plot/iPlotLegendLayout.h"
#include "plot/iPlotObjects.h"

class TiPlotChannelCustom;

enum TiPlotLegendChannelNameColorStyle {
    iplcncsFont,
    iplcncsChannelColor,
    iplcncsXAxisFontColor,
    iplcncsYAxisFontColor
};

// One of the legend's two scroll buttons; repeats while held.
class TiPlotLegendButton : public TiPlotButton {
  public:
    TiPlotLegendButton(TiPlotHost* owner, bool up);
    bool Up() const { return up_; }
    void Draw(TCanvas& canvas, TColor backgroundColor) override;

  private:
    bool up_;
};

// A listed channel and its place, rebuilt at every layout.
struct TiPlotLegendItem {
    TiPlotChannelCustom* Channel = nullptr;
    int Height = 0;
    int Column = 1;
    int Row = 1;
    int Left = 0;
    int Top = 0;
};

class TiPlotLegend : public TiPlotLayoutObject {
  public:
    TiPlotLegend(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokLegend; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokLegend; }
    ~TiPlotLegend() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    double MarginLeft() const { return margins_[0]; }
    void SetMarginLeft(double value) { SetSize(margins_[0], value); }
    double MarginTop() const { return margins_[1]; }
    void SetMarginTop(double value) { SetSize(margins_[1], value); }
    double MarginRight() const { return margins_[2]; }
    void SetMarginRight(double value) { SetSize(margins_[2], value); }
    double MarginBottom() const { return margins_[3]; }
    void SetMarginBottom(double value) { SetSize(margins_[3], value); }
    TColor BackGroundColor() const { return backGroundColor_; }
    void SetBackGroundColor(TColor value) { SetLook(backGroundColor_, value); }
    bool BackGroundTransparent() const { return backGroundTransparent_; }
    void SetBackGroundTransparent(bool value) { SetLook(backGroundTransparent_, value); }
    TColor SelectedItemBackGroundColor() const { return selectedItemBackGroundColor_; }
    void SetSelectedItemBackGroundColor(TColor value) {
        SetLook(selectedItemBackGroundColor_, value);
    }
    TiFont& SelectedItemFont() { return selectedItemFont_; }
    void SetSelectedItemFont(const TFont& value) { selectedItemFont_ = value; }
    bool ShowColumnLine() const { return shown_[ColLine]; }
    void SetShowColumnLine(bool value) { SetSize(shown_[ColLine], value); }
    bool ShowColumnMarker() const { return shown_[ColMarker]; }
    void SetShowColumnMarker(bool value) { SetSize(shown_[ColMarker], value); }
    bool ShowColumnXAxisTitle() const { return shown_[ColXAxisTitle]; }
    void SetShowColumnXAxisTitle(bool value) { SetSize(shown_[ColXAxisTitle], value); }
    bool ShowColumnYAxisTitle() const { return shown_[ColYAxisTitle]; }
    void SetShowColumnYAxisTitle(bool value) { SetSize(shown_[ColYAxisTitle], value); }
    bool ShowColumnXValue() const { return shown_[ColXValue]; }
    void SetShowColumnXValue(bool value) { SetSize(shown_[ColXValue], value); }
    bool ShowColumnYValue() const { return shown_[ColYValue]; }
    void SetShowColumnYValue(bool value) { SetSize(shown_[ColYValue], value); }
    bool ShowColumnYMax() const { return shown_[ColYMax]; }
    void SetShowColumnYMax(bool value) { SetSize(shown_[ColYMax], value); }
    bool ShowColumnYMin() const { return shown_[ColYMin]; }
    void SetShowColumnYMin(bool value) { SetSize(shown_[ColYMin], value); }
    bool ShowColumnYMean() const { return shown_[ColYMean]; }
    void SetShowColumnYMean(bool value) { SetSize(shown_[ColYMean], value); }
    const std::string& CaptionColumnTitle() const { return captions_[ColTitle]; }
    void SetCaptionColumnTitle(const std::string& value) { SetSize(captions_[ColTitle], value); }
    const std::string& CaptionColumnXAxisTitle() const { return captions_[ColXAxisTitle]; }
    void SetCaptionColumnXAxisTitle(const std::string& value) {
        SetSize(captions_[ColXAxisTitle], value);
    }
    const std::string& CaptionColumnYAxisTitle() const { return captions_[ColYAxisTitle]; }
    void SetCaptionColumnYAxisTitle(const std::string& value) {
        SetSize(captions_[ColYAxisTitle], value);
    }
    const std::string& CaptionColumnXValue() const { return captions_[ColXValue]; }
    void SetCaptionColumnXValue(const std::string& value) { SetSize(captions_[ColXValue], value); }
    const std::string& CaptionColumnYValue() const { return captions_[ColYValue]; }
    void SetCaptionColumnYValue(const std::string& value) { SetSize(captions_[ColYValue], value); }
    const std::string& CaptionColumnYMax() const { return captions_[ColYMax]; }
    void SetCaptionColumnYMax(const std::string& value) { SetSize(captions_[ColYMax], value); }
    const std::string& CaptionColumnYMin() const { return captions_[ColYMin]; }
    void SetCaptionColumnYMin(const std::string& value) { SetSize(captions_[ColYMin], value); }
    const std::string& CaptionColumnYMean() const { return captions_[ColYMean]; }
    void SetCaptionColumnYMean(const std::string& value) { SetSize(captions_[ColYMean], value); }
    TiFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_ = value; }
    double ColumnSpacing() const { return columnSpacing_; }
    void SetColumnSpacing(double value) { SetSize(columnSpacing_, value); }
    // One value under two names.
    double RowSpacing() const { return rowSpacing_; }
    void SetRowSpacing(double value) { SetSize(rowSpacing_, value); }
    int WrapColDesiredCount() const { return wrap_.ColDesiredCount; }
    void SetWrapColDesiredCount(int value);
    bool WrapColAutoCountEnabled() const { return wrap_.ColAutoCountEnabled; }
    void SetWrapColAutoCountEnabled(bool value) { SetSize(wrap_.ColAutoCountEnabled, value); }
    int WrapColAutoCountMax() const { return wrap_.ColAutoCountMax; }
    void SetWrapColAutoCountMax(int value) { SetSize(wrap_.ColAutoCountMax, value); }
    double WrapColSpacingMin() const { return wrapColSpacingMin_; }
    void SetWrapColSpacingMin(double value) { SetSize(wrapColSpacingMin_, value); }
    bool WrapColSpacingAuto() const { return wrapColSpacingAuto_; }
    void SetWrapColSpacingAuto(bool value) { SetSize(wrapColSpacingAuto_, value); }
    int WrapRowDesiredCount() const { return wrap_.RowDesiredCount; }
    void SetWrapRowDesiredCount(int value);
    bool WrapRowAutoCountEnabled() const { return wrap_.RowAutoCountEnabled; }
    void SetWrapRowAutoCountEnabled(bool value) { SetSize(wrap_.RowAutoCountEnabled, value); }
    int WrapRowAutoCountMax() const { return wrap_.RowAutoCountMax; }
    void SetWrapRowAutoCountMax(int value) { SetSize(wrap_.RowAutoCountMax, value); }
    double WrapRowSpacingMin() const { return rowSpacing_; }
    void SetWrapRowSpacingMin(double value) { SetRowSpacing(value); }
    bool WrapRowSpacingAuto() const { return wrapRowSpacingAuto_; }
    void SetWrapRowSpacingAuto(bool value) { SetSize(wrapRowSpacingAuto_, value); }
    bool ColumnTitlesVisible() const { return columnTitlesVisible_; }
    void SetColumnTitlesVisible(bool value) { SetSize(columnTitlesVisible_, value); }
    TiFont& ColumnTitlesFont() { return columnTitlesFont_; }
    void SetColumnTitlesFont(const TFont& value) { columnTitlesFont_ = value; }
    double ChannelNameMaxWidth() const { return channelNameMaxWidth_; }
    void SetChannelNameMaxWidth(double value) { SetSize(channelNameMaxWidth_, value); }
    TiPlotLegendChannelNameColorStyle ChannelNameColorStyle() const { return nameColorStyle_; }
    void SetChannelNameColorStyle(TiPlotLegendChannelNameColorStyle value) {
        SetLook(nameColorStyle_, value);
    }

    // Set by the plot before each paint: a data cursor on every channel asks
    // the legend to show each channel's cursor values.
    bool ShowAllCursorValues() const { return showAllCursorValues_; }
    void SetShowAllCursorValues(bool value) { showAllCursorValues_ = value; }

    // The layout of the rows; RequiredThickness and Draw run it.
    void CalcLegend(TCanvas& canvas);
    const std::vector<TiPlotLegendItem>& Items() const { return items_; }
    int FirstShown() const { return firstShown_; }
    int LastShown() const { return lastShown_; }
    TiPlotLegendButton& UpButton() const { return *upButton_; }
    TiPlotLegendButton& DownButton() const { return *downButton_; }
    // Pages by one item; the scroll buttons call these.
    void ScrollUp();
    void ScrollDown();

    int RequiredThickness(TCanvas& canvas) override;
    TiPlotObject* ObjectAt(int x, int y) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;
    void MouseUp(const TiPlotMouseData& data) override;
    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectFocused(TiPlotObject* object) override;
    void BuildPopupMenu(QMenu& menu) override;

  private:
    enum Column {
        ColLine,
        ColMarker,
        ColTitle,
        ColXAxisTitle,
        ColYAxisTitle,
        ColXValue,
        ColYValue,
        ColYMax,
        ColYMin,
        ColYMean,
        ColumnCount
    };
    // The texts of one row, by column (line and marker have none).
    using RowTexts = std::array<std::string, ColumnCount>;

    template <class T>
    void SetSize(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoLayoutChange);
    }
    template <class T>
    void SetLook(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }

    bool ColumnShown(Column column) const;
    RowTexts TextsOf(TiPlotChannelCustom& channel) const;
    void MeasureColumns(TCanvas& canvas, int zeroWidth);
    void PlaceItems();
    void DrawColumnTitles(TCanvas& canvas);
    void DrawItem(TCanvas& canvas, const TiPlotLegendItem& item, const RowTexts& texts);
    void DrawLineSample(TCanvas& canvas, TiPlotChannelCustom& channel, int x, int y);
    TColor TitleColor(TiPlotChannelCustom& channel) const;

    double margins_[4] = {1, 1, 1, 1};
    TColor backGroundColor_ = clGray;
    bool backGroundTransparent_ = true;
    TColor selectedItemBackGroundColor_ = clYellow;
    TiFont selectedItemFont_;
    bool shown_[ColumnCount] = {true, false, true, false, false, false, false, false, false, false};
    std::string captions_[ColumnCount] = {"",  "",  "Title", "X-Axis", "Y-Axis",
                                          "X", "Y", "Y-Max", "Y-Min",  "Y-Mean"};
    TiFont font_;
    double columnSpacing_ = 0.5;
    double rowSpacing_ = 0.25;
    TiLegendWrapRules wrap_;
    double wrapColSpacingMin_ = 2;
    bool wrapColSpacingAuto_ = true;
    bool wrapRowSpacingAuto_ = false;
    bool columnTitlesVisible_ = false;
    TiFont columnTitlesFont_;
    double channelNameMaxWidth_ = 0;
    TiPlotLegendChannelNameColorStyle nameColorStyle_ = iplcncsFont;
    bool showAllCursorValues_ = false;

    std::unique_ptr<TiPlotLegendButton> upButton_;
    std::unique_ptr<TiPlotLegendButton> downButton_;

    // Layout state from CalcLegend.
    std::vector<TiPlotLegendItem> items_;
    std::vector<RowTexts> texts_;
    int firstShown_ = 0;
    int lastShown_ = -1;
    TRect inner_{};
    TRect itemArea_{};
    int zeroHeight_ = 0;     // H0
    int rowHeight_ = 0;      // H
    int rowSpacingPx_ = 0;   // RS
    int wrapSpacingPx_ = 0;  // WS
    int columnSpacingPx_ = 0;
    int titleBand_ = 0;  // T
    int titleGap_ = 0;   // G
    int itemWidth_ = 0;  // W
    int widths_[ColumnCount] = {};
    int offsets_[ColumnCount] = {};
    TiLegendGrid grid_;
    TSize required_{};
};
