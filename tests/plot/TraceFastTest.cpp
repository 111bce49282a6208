#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <random>

#include "TraceTestSupport.h"
#include "gdi/PainterCanvas.h"
#include "gdi/RecordingCanvas.h"
#include "plot/iPlotDataNullList.h"
#include "plot/iPlotMinMaxSummary.h"

namespace {

constexpr int Width = 400;
constexpr int Height = 200;

// A painter canvas that strokes every line on its own, as the canvas did
// before it learned to fill straight lines.
class LineByLineCanvas : public TPainterCanvas {
  public:
    using TPainterCanvas::TPainterCanvas;

  protected:
    void DrawLines(std::span<const TLineSegment> lines) override { TCanvas::DrawLines(lines); }
};

template <class Canvas = TPainterCanvas>
QImage RenderFastTrace(const TiPlotDataCustomList& list, const TraceTestAxes& axes,
                       const TiPlotMinMaxSummary* summary, int penWidth = 0, int size = Width,
                       int height = Height) {
    QImage image(size, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    Canvas canvas(image);
    canvas.Pen().SetColor(clLime);
    canvas.Pen().SetWidth(penWidth);
    TiPlotSegmentPainter painter(canvas, axes.Axes);
    DrawFastTrace(painter, list, 0, list.Count() - 1, summary);
    return image;
}

// Draws the list point by point and through the summary; the two must match.
void ExpectSummaryDrawsTheSame(const TiPlotDataCustomList& list, const TraceTestAxes& axes) {
    TiPlotMinMaxSummary summary;
    summary.Sync(list);
    const QImage direct = RenderFastTrace(list, axes, nullptr);
    const QImage summarised = RenderFastTrace(list, axes, &summary);
    EXPECT_EQ(direct, summarised);
}

void Fill(TiPlotDataCustomList& list, int count, const std::function<double(int)>& y) {
    for (int i = 0; i < count; ++i)
        list.Add(i, y(i));
}

int LitPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += image.pixel(x, y) != qRgb(0, 0, 0);
    return lit;
}

}  // namespace

// A spike to +inf reaches the top edge in the fast trace too, point by
// point and through the summary alike.
TEST(TraceFast, InfinitePointsSpikeToTheEdge) {
    const TraceTestAxes axes(0, 100, 0, 20, Width, Height);
    TiPlotDataNullList list;
    list.Add(0, 10);
    list.Add(50, INFINITY);
    list.Add(100, 10);
    const QImage image = RenderFastTrace(list, axes, nullptr);
    EXPECT_NE(image.pixel(Width / 2, 0), qRgb(0, 0, 0)) << "the spike reaches the top";
    EXPECT_NE(image.pixel(Width / 4, Height / 4), qRgb(0, 0, 0)) << "the rising side";
    ExpectSummaryDrawsTheSame(list, axes);
}

TEST(TraceFast, SummaryDrawsPixelIdenticalSignals) {
    const int count = 200000;
    const TraceTestAxes axes(-1000, count + 2000, -1.5, 3, Width, Height);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1, 1);
    const std::vector<std::function<double(int)>> waveforms = {
        [](int i) { return i % 9973 == 0 ? 1.4 : 0.0; },         // spikes
        [](int i) { return (i / 1500) % 2 == 0 ? 1.0 : -1.0; },  // square
        [&](int) { return noise(random); },                      // noise
        [](int i) { return std::sin(i / 3000.0) * 5; },          // clipped sine
    };
    for (const auto& waveform : waveforms) {
        TiPlotDataNullList list;
        Fill(list, count, waveform);
        ExpectSummaryDrawsTheSame(list, axes);
        EXPECT_GT(LitPixels(RenderFastTrace(list, axes, nullptr)), Width / 2);
    }
}

TEST(TraceFast, SummaryFollowsAWrappedRingAndBreaks) {
    const TraceTestAxes axes(40000, 60000, -1.5, 3, Width, Height);
    TiPlotDataNullList list;
    list.SetRingBufferSize(50000);
    TiPlotMinMaxSummary summary;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 17000; ++i)
            list.Add(round * 17000 + i, noise(random));
        summary.Sync(list);  // folds the appends in, across the ring's seam
        EXPECT_EQ(RenderFastTrace(list, axes, nullptr), RenderFastTrace(list, axes, &summary));
    }
    EXPECT_NE(list.RingStart(), 0);
    for (int i = 100; i < list.Count(); i += 7919)
        list.SetNull(i, true);
    list.SetEmpty(2000, true);
    list.SetY(3000, std::nan(""));
    summary.Sync(list);
    EXPECT_EQ(RenderFastTrace(list, axes, nullptr), RenderFastTrace(list, axes, &summary));
}

// A ring's summary makes room for all of the ring's slots at once: filling
// the ring never moves a level, which for millions of points stalled a paint.
TEST(TraceFast, SummaryOfARingMakesItsRoomOnce) {
    TiPlotDataNullList list;
    list.SetRingBufferSize(50000);
    TiPlotMinMaxSummary summary;
    Fill(list, 20000, [](int i) { return std::sin(i * 0.01); });
    summary.Sync(list);  // every level a ring of 50,000 needs is there by now
    const std::size_t room = summary.MemoryUsed();
    EXPECT_GE(room, (50000 / 32) * sizeof(TiPlotMinMaxSummary::Block));
    for (int i = 20000; i < 120000; ++i) {
        list.Add(i, std::cos(i * 0.01));
        if (i % 997 == 0)
            summary.Sync(list);
    }
    summary.Sync(list);
    EXPECT_EQ(summary.MemoryUsed(), room);
    const TraceTestAxes axes(70000, 120000, -1.5, 1.5, Width, Height);
    EXPECT_EQ(RenderFastTrace(list, axes, nullptr), RenderFastTrace(list, axes, &summary));
}

TEST(TraceFast, OneStrokeAndJoinsPerColumn) {
    // Pixels per unit: 1, so X 0..9 lie in columns 0..9.
    const TraceTestAxes axes(0, 100, 0, 100, 100, 100);
    TiPlotDataNullList list;
    for (double y : {10.0, 50.0, 30.0})  // three points on column 2
        list.Add(2.2, y);
    list.Add(5, 20);  // a column of one point draws no stroke
    list.Add(8, 20);
    TRecordingCanvas canvas;
    TiPlotSegmentPainter painter(canvas, axes.Axes);
    DrawFastTrace(painter, list, 0, list.Count() - 1, nullptr);
    const auto lines = canvas.CallsNamed("Line");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Args, (std::vector<int>{2, 50, 2, 90}));  // stroke max → min
    EXPECT_EQ(lines[1].Args, (std::vector<int>{2, 70, 5, 80}));  // last Y → next first Y
    EXPECT_EQ(lines[2].Args, (std::vector<int>{5, 80, 8, 80}));
}

TEST(TraceFast, NullBreaksAndEmptyIsBridgedInBothTraces) {
    const TraceTestAxes axes(0, 100, 0, 100, 100, 100);
    TiPlotDataNullList list;
    for (int x : {10, 20, 30, 40, 50})
        list.Add(x, 50);
    list.SetNull(2, true);   // no line from 20 to 30 nor from 30 to 40
    list.SetEmpty(4, true);  // nothing reaches 50
    for (bool fast : {false, true}) {
        TRecordingCanvas canvas;
        TiPlotSegmentPainter painter(canvas, axes.Axes);
        if (fast)
            DrawFastTrace(painter, list, 0, 4, nullptr);
        else
            DrawStandardTrace(painter, list, 0, 4, false);
        const auto lines = canvas.CallsNamed("Line");
        ASSERT_EQ(lines.size(), 1u) << (fast ? "fast" : "standard");
        EXPECT_EQ(lines[0].Args, (std::vector<int>{10, 50, 20, 50}));
    }
    // A single point in range draws no line in either trace.
    TRecordingCanvas canvas;
    TiPlotSegmentPainter painter(canvas, axes.Axes);
    DrawFastTrace(painter, list, 1, 1, nullptr);
    DrawStandardTrace(painter, list, 1, 1, false);
    EXPECT_TRUE(canvas.CallsNamed("Line").empty());
}

// The fast trace fills its straight strokes rather than stroking them: the
// picture must not change by a pixel, at the ends of the trace, in columns of
// many points, across breaks and bridged points, where the trace leaves the
// view, with the axes exchanged (horizontal strokes) and with wide pens
// (which are still stroked).
TEST(TraceFast, FilledStrokesPaintWhatStrokedLinesPaint) {
    constexpr int Size = 300;
    TiPlotDataNullList list;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> noise(-4, 4);
    for (int i = 0; i < 3000; ++i)
        list.Add(i * 0.1, 10 + 8 * std::sin(i * 0.01) + noise(random) + (i % 700 == 0 ? 30 : 0));
    for (int i = 400; i < 3000; i += 997)
        list.SetNull(i, true);
    for (int i = 50; i < 3000; i += 613)
        list.SetEmpty(i, true);
    for (const bool swap : {false, true}) {
        TraceTestAxes axes(-3, 306, 0, 20, Size, Size);
        axes.Axes.Swap = swap;
        for (const int penWidth : {0, 1, 3}) {
            const QImage filled = RenderFastTrace(list, axes, nullptr, penWidth, Size, Size);
            EXPECT_EQ(filled,
                      RenderFastTrace<LineByLineCanvas>(list, axes, nullptr, penWidth, Size, Size))
                << (swap ? "exchanged axes" : "upright") << ", pen width " << penWidth;
            EXPECT_GT(LitPixels(filled), Size);
        }
    }
}
