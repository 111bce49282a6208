// Prints name=value lines: full-plot frame times with the fast trace over 1
// and 10 million points in view, a scrolling frame over a 10 million point
// ring, append rates, bytes per point for each data style, and the frame
// against a plain QPainter polyline of the same points.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "../common/ReferenceFrame.h"
#include "gdi/PainterCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataListFactory.h"
#include "plot/iPlotDataNullList.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotMinMaxSummary.h"
#include "plot/iPlotToolBar.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ImageWidth = 800;
constexpr int ImageHeight = 400;

double MillisecondsOf(const std::function<void()>& action) {
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double MedianMilliseconds(int runs, const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(MillisecondsOf(action));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Wave(int i) {
    return std::sin(i * 0.001) + 0.3 * std::sin(i * 0.37);
}

class BenchPlot : public TiPlot {
  public:
    BenchPlot() {
        resize(ImageWidth, ImageHeight);
        image_.fill(Qt::black);
    }
    TiPlotChannel& Chan() { return *Channel(0); }
    void Frame() {
        TPainterCanvas canvas(image_);
        DoPaint(canvas);
    }

  private:
    QImage image_{ImageWidth, ImageHeight, QImage::Format_RGB32};
};

// A plot showing all of `points` points of a wave, tracking off.
double FrameMilliseconds(int points) {
    BenchPlot plot;
    plot.Chan().SetXAxisTrackingEnabled(false);
    plot.Chan().SetYAxisTrackingEnabled(false);
    for (int i = 0; i < points; ++i)
        plot.Chan().AddXY(i, Wave(i));
    plot.XAxis(0)->SetMinSpan(0, points);
    plot.YAxis(0)->SetMinSpan(-1.5, 3);
    plot.Frame();  // first frame builds the min/max summary
    return MedianMilliseconds(25, [&] { plot.Frame(); });
}

double ScrollFrameMilliseconds() {
    BenchPlot plot;
    TiPlotChannel& channel = plot.Chan();
    constexpr int Ring = 10'000'000;
    channel.SetRingBufferSize(Ring);
    plot.XAxis(0)->SetSpan(1000);
    plot.YAxis(0)->SetMinSpan(-1.5, 3);
    channel.SetYAxisTrackingEnabled(false);
    int i = 0;
    for (; i < Ring + Ring / 3; ++i)
        channel.AddXY(i, Wave(i));
    plot.Frame();
    return MedianMilliseconds(200, [&] {
        channel.AddXY(i, Wave(i));
        ++i;
        plot.Frame();
    });
}

// The plain scene: X and Y axes with titles and tick labels, a one-entry
// legend, no grid, no toolbar, no plot title. X in seconds, 1 ms apart.
class PlainScenePlot : public BenchPlot {
  public:
    explicit PlainScenePlot(double span) {
        ToolBar(0)->SetVisible(false);
        SetTitleVisible(false);
        DataView(0)->SetGridShow(false);
        XAxis(0)->SetTitle("Time (s)");
        XAxis(0)->SetTitleShow(true);
        XAxis(0)->SetTrackingStyle(iptsScrollSmooth);
        XAxis(0)->SetSpan(span);
        YAxis(0)->SetTitle("Value");
        YAxis(0)->SetTitleShow(true);
        YAxis(0)->SetMinSpan(-1.5, 3);
        Chan().SetYAxisTrackingEnabled(false);
        Chan().SetTitleText("Channel 1");
    }
    void Add() {
        const double x = next_ * 0.001;
        Chan().AddXY(x, std::sin(2 * M_PI * x / 10) + 0.1 * noise_(random_));
        ++next_;
    }

  private:
    long next_ = 0;
    std::mt19937 random_{1};
    std::uniform_real_distribution<double> noise_{-1.0, 1.0};
};

// 10 million points held, the last `inView` of them in view. With `scroll`
// each frame adds one point first, so the view moves on by a millisecond.
double PlainSceneFrameMilliseconds(int inView, bool scroll) {
    PlainScenePlot plot(inView * 0.001);
    for (int i = 0; i < 10'000'000; ++i)
        plot.Add();
    plot.Frame();
    return MedianMilliseconds(400, [&] {
        if (scroll)
            plot.Add();
        plot.Frame();
    });
}

double RingAppendMptsPerSecond() {
    BenchPlot plot;
    TiPlotChannel& channel = plot.Chan();
    constexpr int Ring = 10'000'000;
    channel.SetRingBufferSize(Ring);
    plot.XAxis(0)->SetSpan(1000);
    int i = 0;
    for (; i < Ring + 1000; ++i)
        channel.AddXY(i, Wave(i));
    // The median of several runs: one run alone swings with whatever else
    // the machine does.
    constexpr int Appends = 10'000'000;
    const double ms = MedianMilliseconds(5, [&] {
        for (int n = 0; n < Appends; ++n, ++i)
            channel.AddXY(i, n & 1023);
    });
    return Appends / ms / 1000.0;
}

double AppendRatioVersusVector() {
    struct Record {
        double X, Y;
        std::uint32_t Flags;
    };
    constexpr int Points = 10'000'000;
    std::vector<double> listTimes, vectorTimes;
    for (int run = 0; run < 5; ++run) {
        listTimes.push_back(MillisecondsOf([&] {
            TiPlotDataNullList list;
            for (int i = 0; i < Points; ++i)
                list.Add(i, i & 1023);
        }));
        vectorTimes.push_back(MillisecondsOf([&] {
            std::vector<Record> records;
            for (int i = 0; i < Points; ++i)
                records.push_back({double(i), double(i & 1023), 0});
            if (records.size() != Points)
                std::abort();
        }));
    }
    std::sort(listTimes.begin(), listTimes.end());
    std::sort(vectorTimes.begin(), vectorTimes.end());
    return vectorTimes[2] / listTimes[2];
}

void PrintBytesPerPoint() {
    const std::pair<TiPlotDataStyle, const char*> styles[] = {
        {ipdsStandard, "standard"},
        {ipdsCompact, "compact"},
        {ipdsCompactInterval, "compact_interval"},
        {ipdsFullFeature, "full_feature"}};
    constexpr int Points = 1'000'000;
    for (const auto& [style, name] : styles) {
        auto list = CreatePlotDataList(style);
        for (int i = 0; i < Points; ++i)
            list->Add(i, i);
        std::printf("bytes_per_point_%s=%.2f\n", name, double(list->MemoryUsed()) / Points);
        auto ring = CreatePlotDataList(style);
        ring->SetRingBufferSize(Points);
        for (int i = 0; i < Points; ++i)
            ring->Add(i, i);
        std::printf("bytes_per_point_%s_ring=%.2f\n", name, double(ring->MemoryUsed()) / Points);
    }
    TiPlotDataNullList list;
    for (int i = 0; i < Points; ++i)
        list.Add(i, Wave(i));
    TiPlotMinMaxSummary summary;
    summary.Sync(list);
    std::printf("summary_bytes_per_point=%.2f\n", double(summary.MemoryUsed()) / Points);
}

double PolylineMilliseconds(int points) {
    QImage image(ImageWidth, ImageHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return MedianMilliseconds(5, [&] {
        QPolygonF polyline;
        polyline.reserve(points);
        for (int i = 0; i < points; ++i)
            polyline << QPointF(i * double(ImageWidth) / points,
                                ImageHeight / 2 - Wave(i) * ImageHeight / 3);
        QPainter painter(&image);
        painter.setPen(Qt::green);
        painter.drawPolyline(polyline);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Names given on the command line run only those frames (for a profiler);
    // without any, every figure is printed.
    const QStringList only = app.arguments().mid(1);
    const auto wanted = [&only](const char* name) {
        return only.isEmpty() || only.contains(QString::fromLatin1(name));
    };
    const double reference = ReferenceFrameMs();
    std::printf("reference_frame_ms=%.3f\n", reference);
    if (wanted("frame_ms_scroll_plain"))
        PrintAgainstReference("frame_ms_scroll_plain", PlainSceneFrameMilliseconds(1000, true),
                              reference);
    if (wanted("frame_ms_1M_plain"))
        PrintAgainstReference("frame_ms_1M_plain", PlainSceneFrameMilliseconds(1'000'000, false),
                              reference);
    if (!only.isEmpty())
        return 0;
    const double frame1M = FrameMilliseconds(1'000'000);
    PrintAgainstReference("frame_ms_1M", frame1M, reference);
    PrintAgainstReference("frame_ms_10M", FrameMilliseconds(10'000'000), reference);
    PrintAgainstReference("frame_ms_scroll", ScrollFrameMilliseconds(), reference);
    std::printf("append_Mpts_per_s=%.1f\n", RingAppendMptsPerSecond());
    std::printf("append_ratio_vs_vector=%.2f\n", AppendRatioVersusVector());
    PrintBytesPerPoint();
    const double polyline = PolylineMilliseconds(1'000'000);
    std::printf("polyline_ms_1M=%.3f\n", polyline);
    std::printf("ratio_vs_polyline=%.1f\n", polyline / frame1M);
    return 0;
}
