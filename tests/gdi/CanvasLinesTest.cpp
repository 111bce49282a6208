// A batch of lines drawn in one Lines call must leave exactly the pixels that
// the same lines drawn one by one with MoveTo/LineTo leave, whatever the pen,
// the clip and the lines' directions; faster ways of drawing are the device's
// business, different pictures are not.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "GdiTestSupport.h"
#include "gdi/PainterCanvas.h"
#include "gdi/RecordingCanvas.h"

namespace {

constexpr int kSize = 64;

struct TPenCase {
    const char* Name;
    int Width;
    TPenStyle Style;
};

void SetUp(TCanvas& canvas, const TPenCase& pen, bool clipped) {
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(pen.Width);
    canvas.Pen().SetStyle(pen.Style);
    if (clipped)
        canvas.SetClipRect({7, 9, kSize - 11, kSize - 6});
}

// 32-bit images take the runs straight into their pixels, others through
// the painter's fills.
QImage BlankOf(QImage::Format format) {
    return BlankImage(kSize, kSize).convertToFormat(format);
}

QImage DrawnOneByOne(const std::vector<TLineSegment>& lines, const TPenCase& pen, bool clipped,
                     QImage::Format format) {
    QImage image = BlankOf(format);
    TPainterCanvas canvas(image);
    SetUp(canvas, pen, clipped);
    for (const TLineSegment& line : lines) {
        canvas.MoveTo(line.From.X, line.From.Y);
        canvas.LineTo(line.To.X, line.To.Y);
    }
    canvas.End();
    return image;
}

QImage DrawnTogether(const std::vector<TLineSegment>& lines, const TPenCase& pen, bool clipped,
                     QImage::Format format) {
    QImage image = BlankOf(format);
    TPainterCanvas canvas(image);
    SetUp(canvas, pen, clipped);
    canvas.Lines(lines);
    EXPECT_EQ(canvas.PenPos(), lines.back().To);
    canvas.End();
    return image;
}

// Where the pixels differ, the first one found, for a readable failure.
std::string FirstDifference(const QImage& expected, const QImage& actual) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (expected.pixel(x, y) != actual.pixel(x, y))
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

// Vertical strokes up and down of every short length (one pixel, two, ten),
// horizontal ones both ways, single points, diagonals of the kind that join
// neighbouring columns, and lines that run off the image and across the
// clip's edges.
std::vector<TLineSegment> ShapedLines() {
    std::vector<TLineSegment> lines;
    for (int length = 0; length <= 10; ++length) {
        const int x = 3 + 2 * length;
        lines.push_back({{x, 20}, {x, 20 + length}});
        lines.push_back({{x + 1, 40}, {x + 1, 40 - length}});
        lines.push_back({{30, 2 + 2 * length}, {30 + length, 2 + 2 * length}});
        lines.push_back({{50, 3 + 2 * length}, {50 - length, 3 + 2 * length}});
        lines.push_back({{40 + length, 30}, {41 + length, 30 + 3 * length}});
        lines.push_back({{40 + length, 30}, {41 + length, 30 - 3 * length}});
    }
    lines.push_back({{8, -20}, {8, kSize + 20}});
    lines.push_back({{-5, 8}, {kSize + 5, 8}});
    lines.push_back({{kSize - 11, 2}, {kSize - 11, kSize - 2}});
    lines.push_back({{kSize - 12, kSize - 6}, {kSize - 12, kSize - 30}});
    lines.push_back({{2, kSize - 7}, {kSize - 2, kSize - 7}});
    lines.push_back({{-10, -10}, {kSize + 10, kSize + 10}});
    lines.push_back({{kSize + 3, 5}, {kSize + 3, 20}});
    // Lines that step aside by one pixel over a long way, and across the
    // clip's left and right edges.
    for (const int x : {6, 20, kSize - 12}) {
        lines.push_back({{x, 1}, {x + 1, kSize - 1}});
        lines.push_back({{x + 1, 2}, {x, kSize - 3}});
        lines.push_back({{x, kSize + 4}, {x + 1, -4}});
    }
    lines.push_back({{1, 12}, {kSize - 1, 13}});
    lines.push_back({{kSize + 2, 14}, {-2, 15}});
    return lines;
}

std::vector<TLineSegment> RandomLines() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-8, kSize + 8);
    std::uniform_int_distribution<int> step(-12, 12);
    std::vector<TLineSegment> lines;
    for (int i = 0; i < 400; ++i) {
        const TPoint from{coordinate(random), coordinate(random)};
        switch (i % 5) {
            case 0:
                lines.push_back({from, {from.X, from.Y + step(random)}});
                break;
            case 1:
                lines.push_back({from, {from.X + 1, from.Y + step(random)}});
                break;
            case 2:
                lines.push_back({from, {from.X - 1, from.Y + 4 * step(random)}});
                break;
            case 3:
                lines.push_back({from, {from.X + 4 * step(random), from.Y + (i & 1 ? 1 : -1)}});
                break;
            default:
                lines.push_back({from, {coordinate(random), coordinate(random)}});
        }
    }
    return lines;
}

class CanvasLines : public ::testing::TestWithParam<TPenCase> {};

TEST_P(CanvasLines, DrawTheSamePixelsAsOneLineAtATime) {
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        for (const bool clipped : {false, true}) {
            for (const auto& lines : {ShapedLines(), RandomLines()}) {
                const QImage expected = DrawnOneByOne(lines, GetParam(), clipped, format);
                const QImage actual = DrawnTogether(lines, GetParam(), clipped, format);
                EXPECT_EQ(FirstDifference(expected, actual), "")
                    << GetParam().Name << (clipped ? ", clipped" : ", unclipped") << ", format "
                    << int(format);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pens, CanvasLines,
    ::testing::Values(TPenCase{"thin", 0, psSolid}, TPenCase{"width 1", 1, psSolid},
                      TPenCase{"inside frame", 1, psInsideFrame}, TPenCase{"dashed", 1, psDash},
                      TPenCase{"dotted", 0, psDot}, TPenCase{"width 3", 3, psSolid},
                      TPenCase{"width 2 dash-dot", 2, psDashDot}),
    [](const auto& info) {
        std::string name = info.param.Name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(CanvasLines, AreRecordedAsTheLinesTheyAre) {
    TRecordingCanvas canvas;
    const std::vector<TLineSegment> lines{{{1, 2}, {1, 9}}, {{1, 9}, {2, 4}}};
    canvas.Lines(lines);
    canvas.Lines({});
    const auto drawn = canvas.CallsNamed("Line");
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Args, (std::vector<int>{1, 2, 1, 9}));
    EXPECT_EQ(drawn[1].Args, (std::vector<int>{1, 9, 2, 4}));
    EXPECT_EQ(canvas.PenPos(), (TPoint{2, 4}));
}

}  // namespace
