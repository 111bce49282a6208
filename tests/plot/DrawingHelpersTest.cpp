// The drawing helpers' arithmetic, checked on the recording canvas (6 x 13
// pixel characters for the default font).

#include <gtest/gtest.h>

#include <QPrinter>

#include "gdi/RecordingCanvas.h"
#include "plot/iDrawingHelpers.h"

namespace {

struct TDecimalCase {
    int Precision;
    TiPrecisionStyle Style;
    double V1, V2;
    int Expected;
};

class DecimalPlaces : public ::testing::TestWithParam<TDecimalCase> {};

TEST_P(DecimalPlaces, FollowTheSpan) {
    const TDecimalCase& c = GetParam();
    EXPECT_EQ(DecimalPlacesFor(c.Precision, c.Style, c.V1, c.V2), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Spans, DecimalPlaces,
                         ::testing::Values(TDecimalCase{3, ipsSignificantDigits, 0, 100, 0},
                                           TDecimalCase{3, ipsSignificantDigits, 0, 50, 1},
                                           TDecimalCase{3, ipsSignificantDigits, 10, 5, 2},
                                           TDecimalCase{3, ipsSignificantDigits, 0, 0.5, 3},
                                           TDecimalCase{3, ipsSignificantDigits, 0, 0.05, 4},
                                           TDecimalCase{3, ipsSignificantDigits, 0, 0, 1},
                                           TDecimalCase{3, ipsSignificantDigits, 0, 1e6, 0},
                                           TDecimalCase{0, ipsSignificantDigits, 0, 10, 0},
                                           TDecimalCase{4, ipsFixedDecimalPoints, 0, 1e6, 4}));

TEST(DateTimeSpans, ConvertWholeUnits) {
    const double oneHourOneMinuteOneSecond = (3600 + 60 + 1) / 86400.0;
    EXPECT_EQ(DaysToMilliseconds(1.5), 129'600'000);
    EXPECT_EQ(DaysToSeconds(1 + oneHourOneMinuteOneSecond), 86'400 + 3'661);
    EXPECT_EQ(DaysToMinutes(2 + oneHourOneMinuteOneSecond), 2 * 1440 + 61);
    EXPECT_EQ(DaysToHours(2.25), 54);
    EXPECT_EQ(DaysToMilliseconds(0.25 / 86400), 250);
}

TEST(DateTimeSpans, NegativeAndOverflowingSpansGiveTheMarkers) {
    EXPECT_EQ(DaysToMinutes(-1.5), 10'000);
    EXPECT_EQ(DaysToSeconds(-1.5), 2'147'483'647);
    // A negative span under a day is negative too, not its time of day.
    EXPECT_EQ(DaysToSeconds(-0.5), 2'147'483'647);
    EXPECT_EQ(DaysToMinutes(-0.5), 10'000);
    EXPECT_EQ(DaysToMilliseconds(30), 2'147'483'647);
    EXPECT_EQ(DaysToHours(1e200), 2'147'483'647);
    EXPECT_EQ(DaysToSeconds(std::nan("")), 2'147'483'647);
}

TEST(Orientation, ExchangesCoordinatesWhenSwapped) {
    EXPECT_EQ(OrientPoint(true, 1, 2), (TPoint{2, 1}));
    EXPECT_EQ(OrientPoint(false, 1, 2), (TPoint{1, 2}));
    EXPECT_EQ(OrientRect(true, 1, 2, 3, 4), (TRect{2, 1, 4, 3}));
    EXPECT_EQ(OrientRect(false, 5, 9, 1, 2), (TRect{1, 2, 5, 9}));
    EXPECT_EQ(NormalizedRect(10, 0, 0, 10), (TRect{0, 0, 10, 10}));
    int a = 1, b = 2;
    SwapInts(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST(FormattedText, BitsMapToTheCanvasFlags) {
    EXPECT_EQ(TextFormatFlags(145), unsigned(DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_EQ(TextFormatFlags(146), unsigned(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_EQ(TextFormatFlags(148), unsigned(DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_EQ(TextFormatFlags(529), unsigned(DT_VCENTER | DT_NOCLIP | DT_NOPREFIX));
    EXPECT_EQ(TextFormatFlags(2112), unsigned(DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX));
    EXPECT_EQ(TextFormatFlags(1024), unsigned(DT_LEFT)) << "bit 10 turns prefixes on";
}

TEST(TextMeasure, BlocksAreMeasuredLineByLine) {
    TRecordingCanvas canvas;
    EXPECT_EQ(TextBlockWidth(canvas, "ab\r\nabcdef\nx"), 36);
    EXPECT_EQ(TextBlockWidth(canvas, ""), 0);
    EXPECT_EQ(TextBlockHeight(canvas, "a\r\nb"), 26);
    EXPECT_EQ(TextBlockHeight(canvas, "single"), 13);
    EXPECT_EQ(WrappedTextHeight(canvas, "aaa bbb ccc", 30), 39);
    EXPECT_TRUE(canvas.CallsNamed("Text").size() == 3u) << "wrapped text is drawn out of sight";
    for (const TCanvasCall& call : canvas.CallsNamed("Text"))
        EXPECT_LT(call.Args[1], -100);
}

TEST(TextMeasure, NextTextLineStepsOverEachKindOfLineEnd) {
    const std::string_view text = "a\r\nb\rc\n\nd";
    std::vector<std::string_view> lines;
    size_t cursor = 0;
    std::string_view line;
    while (NextTextLine(text, cursor, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "c", "", "d"}));
}

struct TRotationCase {
    int Rotation;
    TRect Box;
    std::vector<int> TextAt;
    int Orientation;
};

class RotatedText : public ::testing::TestWithParam<TRotationCase> {};

TEST_P(RotatedText, PlacesTheTextAroundTheCentre) {
    const TRotationCase& c = GetParam();
    TRecordingCanvas canvas;  // "abcd" is 24 x 13
    TRect box;
    DrawRotatedText(canvas, "abcd", {50, 50, 150, 150}, box, c.Rotation);
    EXPECT_EQ(box, c.Box);
    const auto texts = canvas.CallsNamed("Text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Args, c.TextAt);
    EXPECT_EQ(texts[0].Font.Orientation(), c.Orientation);
    EXPECT_EQ(canvas.Font().Orientation(), 0) << "the canvas font is restored";
}

INSTANTIATE_TEST_SUITE_P(Rotations, RotatedText,
                         ::testing::Values(TRotationCase{0, {88, 94, 112, 106}, {88, 93}, 0},
                                           TRotationCase{1, {94, 88, 106, 112}, {94, 112}, 900},
                                           TRotationCase{2, {88, 94, 112, 106}, {112, 106}, 1800},
                                           TRotationCase{3, {94, 88, 106, 112}, {107, 88}, 2700}));

TEST(RotatedText, MultiLineTextIsCentredAsABlock) {
    TRecordingCanvas canvas;
    TRect box;
    DrawRotatedText(canvas, "ab\rcd", {0, 0, 100, 100}, box, 0);
    EXPECT_EQ(canvas.CallsNamed("Text").size(), 2u);
    EXPECT_TRUE(canvas.CallsNamed("Clip").empty()) << "drawn without clipping";
}

TEST(Borders, StyleTwoIsAShadowFrameAndLeavesThePen) {
    TRecordingCanvas canvas;
    canvas.Pen().SetColor(clRed);
    DrawBevelBorder(canvas, {0, 0, 10, 5}, 2);
    const auto frames = canvas.CallsNamed("Polyline");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Args, (std::vector<int>{0, 0, 9, 0, 9, 4, 0, 4, 0, 0}));
    EXPECT_EQ(frames[0].Pen.Color(), clBtnShadow);
    EXPECT_EQ(canvas.Pen().Color(), clRed);

    canvas.ClearCalls();
    DrawBevelBorder(canvas, {0, 0, 10, 5}, 0);
    EXPECT_EQ(canvas.CallsNamed("FillSolidRect").front().Color, clBtnShadow) << "sunken";
    canvas.ClearCalls();
    DrawBevelBorder(canvas, {0, 0, 10, 5}, 1);
    EXPECT_EQ(canvas.CallsNamed("FillSolidRect").front().Color, cl3DLight) << "raised";
}

std::vector<TColor> LineColors(const TRecordingCanvas& canvas, const std::string& name) {
    std::vector<TColor> colors;
    for (const TCanvasCall& call : canvas.CallsNamed(name))
        colors.push_back(call.Pen.Color());
    return colors;
}

TEST(Gradient, VerticalStepsBlendRowByRow) {
    TRecordingCanvas canvas;
    FillGradient(canvas, {0, 0, 10, 5}, ifdTopBottom, clRed, clBlue);
    // Four steps: the middle one lands on 127.5, which rounds to even.
    EXPECT_EQ(LineColors(canvas, "Line"),
              (std::vector<TColor>{RGBColor(255, 0, 0), RGBColor(191, 0, 64), RGBColor(128, 0, 128),
                                   RGBColor(64, 0, 191), RGBColor(0, 0, 255)}));
    EXPECT_EQ(canvas.CallsNamed("Line")[1].Args, (std::vector<int>{0, 1, 10, 1}));

    canvas.ClearCalls();
    FillGradient(canvas, {0, 0, 10, 5}, ifdBottomTop, clRed, clBlue);
    EXPECT_EQ(LineColors(canvas, "Line").front(), clBlue);
    EXPECT_EQ(canvas.Brush().Style(), bsSolid) << "the caller's brush is restored";
}

TEST(Gradient, HorizontalAndDiagonalStepCounts) {
    TRecordingCanvas canvas;
    FillGradient(canvas, {0, 0, 8, 3}, ifdLeftRight, clBlack, clWhite);
    EXPECT_EQ(canvas.CallsNamed("Line").size(), 8u);
    EXPECT_EQ(canvas.CallsNamed("Line")[7].Args, (std::vector<int>{7, 0, 7, 3}));
    canvas.ClearCalls();
    FillGradient(canvas, {0, 0, 8, 3}, ifdTopLeftBottomRight, clBlack, clWhite);
    EXPECT_EQ(canvas.CallsNamed("Line").size(), 15u);  // 2M - 2 = 14 steps
    EXPECT_EQ(canvas.CallsNamed("Line")[0].Args, (std::vector<int>{-1, 0, -1, 0}));
}

TEST(Gradient, RectanglesEndWithTheCentrePixel) {
    TRecordingCanvas canvas;
    FillGradient(canvas, {0, 0, 9, 9}, ifdRectangleOut, clRed, clBlue);
    const auto rectangles = canvas.CallsNamed("Rectangle");
    ASSERT_EQ(rectangles.size(), 3u);  // (9 - 1) div 3 = 2 steps
    EXPECT_EQ(rectangles[0].Args, (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(rectangles[2].Args, (std::vector<int>{0, 0, 8, 8}));
    EXPECT_EQ(rectangles[2].Pen.Width(), 2);
    EXPECT_EQ(rectangles[2].Brush.Style(), bsClear);
    const auto pixels = canvas.CallsNamed("FillSolidRect");
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].Args, (std::vector<int>{3, 3, 4, 4}));
    EXPECT_EQ(pixels[0].Color, clRed);
}

TEST(Gradient, OnePixelAndEmptyRectanglesAreSafe) {
    TRecordingCanvas canvas;
    FillGradient(canvas, {0, 0, 5, 1}, ifdTopBottom, clRed, clBlue);
    EXPECT_EQ(LineColors(canvas, "Line"), (std::vector<TColor>{clRed}));
    canvas.ClearCalls();
    FillGradient(canvas, {0, 0, 0, 0}, ifdCircleIn, clRed, clBlue);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(Paper, SizesInInches) {
    double w = 0, h = 0;
    PaperSizeInches(9, w, h);
    EXPECT_NEAR(w, 8.2677, 1e-4);
    EXPECT_NEAR(h, 11.6929, 1e-4);
    PaperSizeInches(5, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 14);
    PaperSizeInches(12345, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 11);
}

TEST(Paper, PrinterPaperFollowsPageSizeAndOrientation) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    double w = 0, h = 0;
    PrinterPaperInches(printer, w, h);
    EXPECT_NEAR(w, 11.6929, 1e-4);
    EXPECT_NEAR(h, 8.2677, 1e-4);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    PrinterPaperInches(printer, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 11);
}

}  // namespace
