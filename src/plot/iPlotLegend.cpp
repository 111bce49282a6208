#include "plot/iPlotLegend.h"

#include <QMenu>
#include <algorithm>
#include <cmath>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotHost.h"

namespace {

constexpr int SampleWidth = 16;  // the line and marker columns
constexpr TColor DisabledArrowColor = clGray;

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

// An axis's title, or its name when the title is blank.
std::string AxisTitleOf(const TiPlotAxis* axis) {
    if (!axis)
        return "None";
    return IsBlank(axis->Title()) ? axis->Name() : axis->Title();
}

}  // namespace

TiPlotLegendButton::TiPlotLegendButton(TiPlotHost* owner, bool up) : TiPlotButton(owner), up_(up) {
    SetAutoRepeat(true);
}

void TiPlotLegendButton::Draw(TCanvas& canvas, TColor) {
    const TRect& r = ButtonRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    canvas.DrawEdge(r, Pressed() ? edSunken : edRaised);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const int base = up_ ? cy + 2 : cy - 2;
    const int apex = up_ ? cy - 2 : cy + 2;
    const TPoint arrow[] = {{cx - 4, base}, {cx + 4, base}, {cx, apex}};
    const TColor color = Enabled() ? clBlack : DisabledArrowColor;
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetColor(color);
    canvas.Polygon(arrow);
}

TiPlotLegend::TiPlotLegend(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotLayoutObject(owner, std::move(handlers)),
      upButton_(std::make_unique<TiPlotLegendButton>(owner, true)),
      downButton_(std::make_unique<TiPlotLegendButton>(owner, false)) {
    font_.SetColor(clWhite);
    selectedItemFont_.SetColor(clBlack);
    columnTitlesFont_.SetColor(clAqua);
    columnTitlesFont_.SetStyle(fsBold);
    for (TiFont* font : {&font_, &selectedItemFont_, &columnTitlesFont_}) {
        font->OnChange = [this] { DoLayoutChange(); };
    }
    upButton_->OnClick = [this](TiPlotObject*) { ScrollUp(); };
    downButton_->OnClick = [this](TiPlotObject*) { ScrollDown(); };
    for (TiPlotLegendButton* button : {upButton_.get(), downButton_.get()}) {
        button->OnInvalidate = [this](TiPlotObject*) { DoChange(); };
        button->OnChange = [this](TiPlotObject*) { DoChange(); };
        button->SetVisible(false);
    }
}

TiPlotLegend::~TiPlotLegend() = default;

const TiPublishedTable& TiPlotLegend::PublishedTable() {
    using L = TiPlotLegend;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<L>("TiPlotLegend", &TiPlotLayoutObject::PublishedTable())
            .Float("MarginLeft", &L::MarginLeft, &L::SetMarginLeft, kCharacterRange)
            .Float("MarginTop", &L::MarginTop, &L::SetMarginTop, kCharacterRange)
            .Float("MarginRight", &L::MarginRight, &L::SetMarginRight, kCharacterRange)
            .Float("MarginBottom", &L::MarginBottom, &L::SetMarginBottom, kCharacterRange)
            .Color("BackGroundColor", &L::BackGroundColor, &L::SetBackGroundColor)
            .Boolean("BackGroundTransparent", &L::BackGroundTransparent,
                     &L::SetBackGroundTransparent)
            .Color("SelectedItemBackGroundColor", &L::SelectedItemBackGroundColor,
                   &L::SetSelectedItemBackGroundColor)
            .Object("SelectedItemFont", &L::SelectedItemFont)
            .Boolean("ShowColumnLine", &L::ShowColumnLine, &L::SetShowColumnLine)
            .Boolean("ShowColumnMarker", &L::ShowColumnMarker, &L::SetShowColumnMarker)
            .Boolean("ShowColumnXAxisTitle", &L::ShowColumnXAxisTitle, &L::SetShowColumnXAxisTitle)
            .Boolean("ShowColumnYAxisTitle", &L::ShowColumnYAxisTitle, &L::SetShowColumnYAxisTitle)
            .Boolean("ShowColumnXValue", &L::ShowColumnXValue, &L::SetShowColumnXValue)
            .Boolean("ShowColumnYValue", &L::ShowColumnYValue, &L::SetShowColumnYValue)
            .Boolean("ShowColumnYMax", &L::ShowColumnYMax, &L::SetShowColumnYMax)
            .Boolean("ShowColumnYMin", &L::ShowColumnYMin, &L::SetShowColumnYMin)
            .Boolean("ShowColumnYMean", &L::ShowColumnYMean, &L::SetShowColumnYMean)
            .String("CaptionColumnTitle", &L::CaptionColumnTitle, &L::SetCaptionColumnTitle)
            .String("CaptionColumnXAxisTitle", &L::CaptionColumnXAxisTitle,
                    &L::SetCaptionColumnXAxisTitle)
            .String("CaptionColumnYAxisTitle", &L::CaptionColumnYAxisTitle,
                    &L::SetCaptionColumnYAxisTitle)
            .String("CaptionColumnXValue", &L::CaptionColumnXValue, &L::SetCaptionColumnXValue)
            .String("CaptionColumnYValue", &L::CaptionColumnYValue, &L::SetCaptionColumnYValue)
            .String("CaptionColumnYMax", &L::CaptionColumnYMax, &L::SetCaptionColumnYMax)
            .String("CaptionColumnYMin", &L::CaptionColumnYMin, &L::SetCaptionColumnYMin)
            .String("CaptionColumnYMean", &L::CaptionColumnYMean, &L::SetCaptionColumnYMean)
            .Object("Font", &L::Font)
            .Float("ColumnSpacing", &L::ColumnSpacing, &L::SetColumnSpacing, kCharacterRange)
            .Float("RowSpacing", &L::RowSpacing, &L::SetRowSpacing, kCharacterRange)
            .Integer("WrapColDesiredCount", &L::WrapColDesiredCount, &L::SetWrapColDesiredCount,
                     kObjectCountRange)
            .Boolean("WrapColAutoCountEnabled", &L::WrapColAutoCountEnabled,
                     &L::SetWrapColAutoCountEnabled)
            .Integer("WrapColAutoCountMax", &L::WrapColAutoCountMax, &L::SetWrapColAutoCountMax,
                     kObjectCountRange)
            .Float("WrapColSpacingMin", &L::WrapColSpacingMin, &L::SetWrapColSpacingMin,
                   kCharacterRange)
            .Boolean("WrapColSpacingAuto", &L::WrapColSpacingAuto, &L::SetWrapColSpacingAuto)
            .Integer("WrapRowDesiredCount", &L::WrapRowDesiredCount, &L::SetWrapRowDesiredCount,
                     kObjectCountRange)
            .Boolean("WrapRowAutoCountEnabled", &L::WrapRowAutoCountEnabled,
                     &L::SetWrapRowAutoCountEnabled)
            .Integer("WrapRowAutoCountMax", &L::WrapRowAutoCountMax, &L::SetWrapRowAutoCountMax,
                     kObjectCountRange)
            .Float("WrapRowSpacingMin", &L::WrapRowSpacingMin, &L::SetWrapRowSpacingMin,
                   kCharacterRange)
            .Boolean("WrapRowSpacingAuto", &L::WrapRowSpacingAuto, &L::SetWrapRowSpacingAuto)
            .Boolean("ColumnTitlesVisible", &L::ColumnTitlesVisible, &L::SetColumnTitlesVisible)
            .Object("ColumnTitlesFont", &L::ColumnTitlesFont)
            .Float("ChannelNameMaxWidth", &L::ChannelNameMaxWidth, &L::SetChannelNameMaxWidth,
                   kCharacterRange)
            .Enumeration("ChannelNameColorStyle", &L::ChannelNameColorStyle,
                         &L::SetChannelNameColorStyle,
                         {"iplcncsFont", "iplcncsChannelColor", "iplcncsXAxisFontColor",
                          "iplcncsYAxisFontColor"})
            .Build();
    return table;
}

void TiPlotLegend::SetWrapColDesiredCount(int value) {
    SetSize(wrap_.ColDesiredCount, std::max(1, value));
}

void TiPlotLegend::SetWrapRowDesiredCount(int value) {
    SetSize(wrap_.RowDesiredCount, std::max(1, value));
}

void TiPlotLegend::ScrollUp() {
    firstShown_ = std::max(0, firstShown_ - 1);
    DoChange();
}

void TiPlotLegend::ScrollDown() {
    firstShown_ = ClampLegendFirstShown(firstShown_ + 1, static_cast<int>(items_.size()));
    DoChange();
}

bool TiPlotLegend::ColumnShown(Column column) const {
    switch (column) {
        case ColTitle:
            return true;
        case ColXValue:
        case ColYValue:
            return shown_[column] || showAllCursorValues_;
        default:
            return shown_[column];
    }
}

TiPlotLegend::RowTexts TiPlotLegend::TextsOf(TiPlotChannelCustom& channel) const {
    RowTexts texts;
    texts[ColTitle] = IsBlank(channel.TitleText()) ? channel.Name() : channel.TitleText();
    TiPlotAxis* xAxis = channel.XAxis();
    TiPlotAxis* yAxis = channel.YAxis();
    texts[ColXAxisTitle] = Translate(AxisTitleOf(xAxis));
    texts[ColYAxisTitle] = Translate(AxisTitleOf(yAxis));
    const bool empty = channel.Count() == 0;
    const auto value = [&](TiPlotAxis* axis, auto read) -> std::string {
        if (empty)
            return Translate("Empty");
        if (!axis)
            return Translate("N/A");
        return axis->LegendValueText(read());
    };
    if (showAllCursorValues_) {
        texts[ColXValue] = channel.CursorXText();
        texts[ColYValue] = channel.CursorYText();
    } else {
        const int last = channel.Count() - 1;
        texts[ColXValue] = value(xAxis, [&] { return channel.GetX(last); });
        texts[ColYValue] = value(yAxis, [&] { return channel.GetY(last); });
    }
    texts[ColYMax] = value(yAxis, [&] { return channel.MaxY(); });
    texts[ColYMin] = value(yAxis, [&] { return channel.MinY(); });
    texts[ColYMean] = value(yAxis, [&] { return channel.MeanY(); });
    return texts;
}

void TiPlotLegend::CalcLegend(TCanvas& canvas) {
    TCanvasStateSaver saver(canvas);
    canvas.Font() = font_;
    const int zeroWidth = canvas.TextWidth("0");
    zeroHeight_ = canvas.TextHeight("0");
    const int left = Round(zeroWidth * margins_[0]);
    const int top = Round(zeroHeight_ * margins_[1]);
    const int right = Round(zeroWidth * margins_[2]);
    const int bottom = Round(zeroHeight_ * margins_[3]);
    const TRect& bounds = LayoutRect();
    inner_ = {bounds.Left + left, bounds.Top + top, bounds.Right - right, bounds.Bottom - bottom};
    columnSpacingPx_ = Round(zeroWidth * columnSpacing_);
    rowSpacingPx_ = Round(zeroHeight_ * rowSpacing_);
    wrapSpacingPx_ = Round(zeroHeight_ * wrapColSpacingMin_);
    std::fill(std::begin(widths_), std::end(widths_), 0);
    titleBand_ = titleGap_ = rowHeight_ = 0;

    items_.clear();
    texts_.clear();
    const TiPlotHost& plot = *Owner();
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = plot.Channel(i);
        if (!channel->VisibleInLegend())
            continue;
        items_.push_back({channel});
        texts_.push_back(TextsOf(*channel));
    }
    const int count = static_cast<int>(items_.size());
    firstShown_ = ClampLegendFirstShown(firstShown_, count);

    MeasureColumns(canvas, zeroWidth);

    int at = 0;
    for (int column = ColLine; column < ColumnCount; ++column) {
        if (!ColumnShown(Column(column)))
            continue;
        offsets_[column] = at;
        itemWidth_ = at + widths_[column];
        at = itemWidth_ + columnSpacingPx_;
    }

    itemArea_ = {inner_.Left, inner_.Top + titleBand_ + titleGap_, inner_.Right, inner_.Bottom};
    TiLegendMetrics metrics;
    metrics.Horizontal = Horizontal();
    metrics.ItemCount = count;
    metrics.ItemWidth = itemWidth_;
    metrics.RowHeight = rowHeight_;
    metrics.RowSpacing = rowSpacingPx_;
    metrics.WrapSpacing = wrapSpacingPx_;
    metrics.AreaWidth = itemArea_.Width();
    metrics.AreaHeight = itemArea_.Height();
    grid_ = LegendWrapGrid(metrics, wrap_);

    required_.Width =
        grid_.Columns * itemWidth_ + (grid_.Columns - 1) * wrapSpacingPx_ + left + right;
    required_.Height = top + titleBand_ + titleGap_ + (rowHeight_ + rowSpacingPx_) * grid_.Rows +
                       bottom - rowSpacingPx_;
    const bool scrolling = LegendNeedsScrolling(grid_, count);
    if (scrolling) {
        required_.Width += LegendScrollButtonsReserve;
    } else {
        firstShown_ = 0;
    }
    PlaceItems();

    upButton_->SetVisible(scrolling);
    downButton_->SetVisible(scrolling);
    upButton_->SetButtonRect({itemArea_.Right - LegendScrollButtonSize, itemArea_.Top,
                              itemArea_.Right, itemArea_.Top + LegendScrollButtonSize});
    downButton_->SetButtonRect({itemArea_.Right - LegendScrollButtonSize,
                                itemArea_.Bottom - LegendScrollButtonSize, itemArea_.Right,
                                itemArea_.Bottom});
    upButton_->SetEnabled(firstShown_ != 0);
    downButton_->SetEnabled(lastShown_ != count - 1);
}

void TiPlotLegend::MeasureColumns(TCanvas& canvas, int zeroWidth) {
    int& titleWidth = widths_[ColTitle];
    const int nameLimit = Round(zeroWidth * channelNameMaxWidth_);
    for (size_t i = 0; i < items_.size(); ++i) {
        const std::string& title = texts_[i][ColTitle];
        int height = zeroHeight_;
        for (const TiFont* font : {&font_, &selectedItemFont_}) {
            canvas.Font() = *font;
            if (nameLimit != 0) {
                height = std::max(height, WrappedTextHeight(canvas, title, nameLimit));
            } else {
                titleWidth = std::max(titleWidth, canvas.TextWidth(title));
            }
        }
        if (nameLimit != 0) {
            titleWidth = nameLimit;
            items_[i].Height = height;
        } else {
            items_[i].Height = zeroHeight_;
        }
        rowHeight_ = std::max(rowHeight_, items_[i].Height);
    }

    if (columnTitlesVisible_) {
        canvas.Font() = columnTitlesFont_;
        titleBand_ = canvas.TextHeight("0");
        titleGap_ = titleBand_ / 4;
        for (int column = ColTitle; column < ColumnCount; ++column) {
            if (!ColumnShown(Column(column)))
                continue;
            widths_[column] =
                std::max(widths_[column], canvas.TextWidth(Translate(captions_[column])));
        }
    }
    if (shown_[ColLine])
        widths_[ColLine] = SampleWidth;
    if (shown_[ColMarker])
        widths_[ColMarker] = SampleWidth;

    canvas.Font() = font_;
    for (size_t i = 0; i < items_.size(); ++i) {
        TiPlotChannelCustom& channel = *items_[i].Channel;
        const RowTexts& texts = texts_[i];
        for (Column column : {ColXAxisTitle, ColYAxisTitle, ColYMax, ColYMin, ColYMean}) {
            if (ColumnShown(column)) {
                widths_[column] = std::max(widths_[column], canvas.TextWidth(texts[column]));
            }
        }
        for (Column column : {ColXValue, ColYValue}) {
            if (!ColumnShown(column))
                continue;
            TiPlotAxis* axis = column == ColXValue ? channel.XAxis() : channel.YAxis();
            int& width = widths_[column];
            if (axis) {
                width = std::max(width, showAllCursorValues_ ? axis->CursorMinWidth(canvas, font_)
                                                             : axis->LegendMinWidth(canvas, font_));
            }
            // Cursor texts change with every move: size them by characters
            // so the column does not twitch.
            width = std::max(width, showAllCursorValues_
                                        ? LabelLength(texts[column]) * zeroWidth
                                        : canvas.TextWidth(texts[column]));
        }
    }
}

void TiPlotLegend::PlaceItems() {
    const int count = static_cast<int>(items_.size());
    const auto place = [&](int gap, int spacing) {
        const TiLegendPlacement placement =
            PlaceLegendItems(firstShown_, count, grid_, itemArea_.Left, itemArea_.Top, itemWidth_,
                             gap, rowHeight_, spacing);
        lastShown_ = placement.LastShown;
        for (size_t i = 0; i < placement.Places.size(); ++i) {
            TiPlotLegendItem& item = items_[static_cast<size_t>(firstShown_) + i];
            item.Column = placement.Places[i].Column;
            item.Row = placement.Places[i].Row;
            item.Left = placement.Places[i].Left;
            item.Top = placement.Places[i].Top;
        }
    };
    place(wrapSpacingPx_, rowSpacingPx_);
    if (wrapColSpacingAuto_ && Horizontal() && grid_.Columns > 1) {
        wrapSpacingPx_ = SpreadLegendColumnGap(itemArea_.Width(), grid_.Columns, itemWidth_);
        place(wrapSpacingPx_, rowSpacingPx_);
    }
    const int rowsInFirstColumn = std::min(grid_.Rows, count - firstShown_);
    if (wrapRowSpacingAuto_ && !Horizontal() && rowsInFirstColumn > 1) {
        rowSpacingPx_ = SpreadLegendRowSpacing(itemArea_.Height(), rowsInFirstColumn, rowHeight_);
        place(wrapSpacingPx_, rowSpacingPx_);
    }
}

int TiPlotLegend::RequiredThickness(TCanvas& canvas) {
    CalcLegend(canvas);
    return Horizontal() ? required_.Height : required_.Width;
}

TiPlotObject* TiPlotLegend::ObjectAt(int x, int y) {
    const TPoint point{x, y};
    for (TiPlotLegendButton* button : {upButton_.get(), downButton_.get()}) {
        if (button->Visible() && button->ButtonRect().Contains(point))
            return button;
    }
    for (const TiPlotLegendItem& item : items_) {
        if (item.Channel->LegendRect().Contains(point))
            return item.Channel;
    }
    return TiPlotLayoutObject::ObjectAt(x, y);
}

void TiPlotLegend::Draw(TCanvas& canvas, TColor backgroundColor) {
    // Rows drawn last time must stop being click targets, also for channels
    // that left the legend and when the legend is hidden now.
    const TiPlotHost& plot = *Owner();
    for (int i = 0; i < plot.ChannelCount(); ++i)
        plot.Channel(i)->SetLegendRect({});
    if (!Visible())
        return;
    CalcLegend(canvas);
    if (items_.empty())
        return;
    TCanvasStateSaver saver(canvas);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psSolid);
    if (!backGroundTransparent_) {
        canvas.Brush().SetColor(backGroundColor_);
        canvas.FillRect(LayoutRect());
    }
    if (columnTitlesVisible_)
        DrawColumnTitles(canvas);
    for (int i = firstShown_; i <= lastShown_; ++i)
        DrawItem(canvas, items_[static_cast<size_t>(i)], texts_[static_cast<size_t>(i)]);
    for (TiPlotLegendButton* button : {upButton_.get(), downButton_.get()}) {
        if (button->Visible())
            button->Draw(canvas, backgroundColor);
    }
    if (Focused()) {
        TRect r = LayoutRect();
        if (Horizontal()) {
            r.Top += 2;
            r.Bottom -= 2;
        } else {
            r.Left += 2;
            r.Right -= 2;
        }
        canvas.Font().SetColor(clWhite);
        DrawFocusRectangle(canvas, r);
    }
}

void TiPlotLegend::DrawColumnTitles(TCanvas& canvas) {
    canvas.Font() = columnTitlesFont_;
    canvas.Brush().SetStyle(bsClear);
    for (int legendColumn = 0; legendColumn < grid_.Columns; ++legendColumn) {
        const int x = inner_.Left + (itemWidth_ + wrapSpacingPx_) * legendColumn;
        for (int column = ColTitle; column < ColumnCount; ++column) {
            if (!ColumnShown(Column(column)))
                continue;
            const unsigned align = column == ColTitle        ? itfLeft
                                   : column <= ColYAxisTitle ? itfCenter
                                                             : itfRight;
            TRect r{x + offsets_[column], inner_.Top, x + offsets_[column] + widths_[column],
                    inner_.Top + titleBand_};
            DrawFormattedText(canvas, Translate(captions_[column]), r,
                              align | itfVCenter | itfSingleLine | itfNoClip);
        }
    }
}

void TiPlotLegend::DrawItem(TCanvas& canvas, const TiPlotLegendItem& item, const RowTexts& texts) {
    TiPlotChannelCustom& channel = *item.Channel;
    const int x = item.Left;
    const int y = item.Top;
    const int titleLeft = x + offsets_[ColTitle];
    TRect titleRect{titleLeft, y, titleLeft + widths_[ColTitle] + 1, y + item.Height};
    channel.SetLegendRect(titleRect);

    if (shown_[ColLine])
        DrawLineSample(canvas, channel, x, y);
    if (shown_[ColMarker]) {
        channel.DrawMarker(canvas, -1,
                           {x + offsets_[ColMarker] + SampleWidth / 2, y + zeroHeight_ / 2});
    }

    if (channel.Focused()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(selectedItemBackGroundColor_);
        canvas.FillRect(titleRect);
        canvas.Font() = selectedItemFont_;
    } else {
        canvas.Font() = font_;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(TitleColor(channel));
    DrawFormattedText(canvas, texts[ColTitle], titleRect,
                      itfLeft | itfTop | itfWordBreak | itfWordEllipsis);

    canvas.Font() = font_;
    for (int column = ColXAxisTitle; column < ColumnCount; ++column) {
        if (!ColumnShown(Column(column)))
            continue;
        const unsigned align = column <= ColYAxisTitle ? itfLeft : itfRight;
        TRect r{x + offsets_[column], y, x + offsets_[column] + widths_[column], y + zeroHeight_};
        DrawFormattedText(canvas, texts[column], r, align | itfVCenter | itfSingleLine);
    }
}

TColor TiPlotLegend::TitleColor(TiPlotChannelCustom& channel) const {
    const TColor fontColor = channel.Focused() ? selectedItemFont_.Color() : font_.Color();
    switch (nameColorStyle_) {
        case iplcncsChannelColor:
            return channel.Color();
        case iplcncsXAxisFontColor:
            return channel.XAxis() ? channel.XAxis()->LabelsFont().Color() : fontColor;
        case iplcncsYAxisFontColor:
            return channel.YAxis() ? channel.YAxis()->LabelsFont().Color() : fontColor;
        case iplcncsFont:
            break;
    }
    return fontColor;
}

void TiPlotLegend::DrawLineSample(TCanvas& canvas, TiPlotChannelCustom& channel, int x, int y) {
    canvas.Pen().SetColor(channel.Color());
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    const int middle = y + zeroHeight_ / 2;
    for (const TiLegendDash& dash : LegendLineSampleDashes(channel.TraceLineStyle())) {
        for (int row = middle - 1; row <= middle + 1; ++row) {
            canvas.MoveTo(x + dash.Start, row);
            canvas.LineTo(x + dash.Stop, row);
        }
    }
}

void TiPlotLegend::MouseUp(const TiPlotMouseData& data) {
    if (Pressed() && LayoutRect().Contains({data.X, data.Y}))
        Owner()->DoClickEvent(this);
}

void TiPlotLegend::ObjectRemoved(TiPlotObject* object) {
    // The rows keep channel pointers between paints; a deleted channel must
    // not be reached through them.
    for (size_t i = items_.size(); i-- > 0;) {
        if (items_[i].Channel == object) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    lastShown_ = std::min(lastShown_, static_cast<int>(items_.size()) - 1);
}

void TiPlotLegend::ObjectFocused(TiPlotObject* object) {
    YieldFocusTo(object);
}

void TiPlotLegend::BuildPopupMenu(QMenu& menu) {
    TiPlotLayoutObject::BuildPopupMenu(menu);
    AddEditItem(menu);
}
