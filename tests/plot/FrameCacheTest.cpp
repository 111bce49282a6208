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
