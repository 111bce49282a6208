// A plot reusing its measures and layout from frame to frame paints exactly
// what a plot working everything out anew paints, through every kind of
// change that can make an earlier frame's work wrong.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <string>

#include "gdi/PainterCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"

namespace {

class PaintedPlot : public TiPlot {
  public:
    QImage Frame() {
        QImage image(width(), height(), QImage::Format_RGB32);
        image.fill(Qt::black);
        TPainterCanvas canvas(image);
        DoPaint(canvas);
        return image;
    }
    // Rests the mouse on the point until the hint shows.
    void HoverUntilHint(TPoint point) {
        DoMouseMove(0, point.X, point.Y);
        DoTimer();
    }
};

class FrameCache : public ::testing::Test {
  protected:
    FrameCache() {
        uncached_.SetFrameCachesEnabled(false);
        Both([](PaintedPlot& plot) {
            plot.resize(640, 360);
            plot.XAxis(0)->SetTitle("Time (s)");
            plot.XAxis(0)->SetTitleShow(true);
            plot.YAxis(0)->SetTitle("Value");
            plot.YAxis(0)->SetTitleShow(true);
            plot.Channel(0)->SetTitleText("Channel 1");
        });
        AddPoints(200);
    }

    void Both(const std::function<void(PaintedPlot&)>& change) {
        change(cached_);
        change(uncached_);
    }
    void AddPoints(int count) {
        Both([this, count](PaintedPlot& plot) {
            for (int i = 0; i < count; ++i)
                plot.Channel(0)->AddXY(next_ + i, std::sin((next_ + i) * 0.05) * (next_ + i));
        });
        next_ += count;
    }
    // Paints both twice: the second frame is the one that reuses most.
    void ExpectSamePictures(const char* step) {
        for (int frame = 0; frame < 2; ++frame) {
            const QImage cached = cached_.Frame();
            ASSERT_EQ(cached, uncached_.Frame()) << step << ", frame " << frame;
        }
    }

    PaintedPlot cached_;
    PaintedPlot uncached_;
    int next_ = 0;
};

TEST_F(FrameCache, PaintsWhatAFreshLayoutPaintsThroughEveryKindOfChange) {
    ExpectSamePictures("first paint");
    AddPoints(1);
    ExpectSamePictures("one new point");
    AddPoints(5000);
    ExpectSamePictures("points that widen the value labels");
    Both([](PaintedPlot& plot) { plot.resize(420, 500); });
    ExpectSamePictures("resize");
    Both([](PaintedPlot& plot) { plot.YAxis(0)->LabelsFont().SetHeight(-17); });
    ExpectSamePictures("bigger label font");
    Both([](PaintedPlot& plot) { plot.XAxis(0)->TitleFont().SetStyle(0); });
    ExpectSamePictures("title font style");
    Both([](PaintedPlot& plot) {
        plot.XAxis(0)->SetTrackingEnabled(false);
        plot.XAxis(0)->SetMinSpan(-123456.5, 0.25);
    });
    ExpectSamePictures("range with long labels");
    Both([](PaintedPlot& plot) { plot.Channel(0)->SetTitleText("A much longer channel name"); });
    ExpectSamePictures("legend text");
    Both([](PaintedPlot& plot) { plot.SetTitleText("Pressure over the whole afternoon"); });
    ExpectSamePictures("title label text");
    Both([](PaintedPlot& plot) { plot.Legend(0)->SetVisible(false); });
    ExpectSamePictures("legend hidden");
    Both([](PaintedPlot& plot) { plot.YAxis(0)->SetLabelsVisible(false); });
    ExpectSamePictures("labels hidden");
}

TEST_F(FrameCache, PaintsWhatAFreshLayoutPaintsForTurnedColouredAndBackedTexts) {
    ExpectSamePictures("first paint");
    Both([](PaintedPlot& plot) {
        plot.XAxis(0)->SetLabelsRotation(ira090);
        plot.YAxis(0)->SetLabelsRotation(ira270);
    });
    ExpectSamePictures("labels turned");
    Both([](PaintedPlot& plot) { plot.XAxis(0)->SetLabelsRotation(ira180); });
    ExpectSamePictures("labels upside down");
    Both([](PaintedPlot& plot) { plot.YAxis(0)->SetTitleRotated(true); });
    ExpectSamePictures("title kept level");
    Both([](PaintedPlot& plot) { plot.Legend(0)->Font().SetColor(clRed); });
    ExpectSamePictures("legend text colour alone");
    Both([](PaintedPlot& plot) { plot.Channel(0)->SetTitleText("通道 1 (mV)"); });
    ExpectSamePictures("legend text in another script");
    AddPoints(300);
    ExpectSamePictures("new points after the changes");
    // A hidden title shows as the axis's hint.
    Both([](PaintedPlot& plot) { plot.XAxis(0)->SetTitleShow(false); });
    ExpectSamePictures("title hidden");
    const QImage withoutHint = cached_.Frame();
    const TRect axis = cached_.XAxis(0)->LayoutRect();
    Both([&axis](PaintedPlot& plot) {
        plot.HoverUntilHint({(axis.Left + axis.Right) / 2, (axis.Top + axis.Bottom) / 2});
    });
    ASSERT_NE(cached_.Frame(), withoutHint) << "the hint shows";
    ExpectSamePictures("a hint on its solid background");
}

TEST_F(FrameCache, LabelHandlersAreAskedOnEveryPaint) {
    // A handler may show state of its own: each paint must show its latest.
    std::string suffix = " V";
    Both([&suffix](PaintedPlot& plot) {
        plot.OnYAxisCustomizeLabel = [&suffix](int, double, std::string& text) { text += suffix; };
    });
    ExpectSamePictures("with a handler");
    suffix = " millivolts";
    ExpectSamePictures("handler answers longer texts");
}

}  // namespace
