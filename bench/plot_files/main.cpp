// Prints name=value lines: how fast a 10,000,000-point channel is saved to and
// loaded from a data file in the text and the compact form (MB of file per
// second), each beside a plain write and read of as many bytes to the same
// folder in the same run and as a ratio to it (the disk, not the code, sets
// the absolute figures; medians of rounds taken in turns), how long a
// 1920 x 1080 PNG export takes at compression 6, how long a 100 MB line of
// separators takes to read (it holds no point), how long a configuration
// with the most channels and labels a file may name loads, and how long the
// plot of the most objects of every kind takes to build and to load.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "plot/iPlot.h"
#include "plot/iPlotConfigFile.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Points = 10'000'000;

double SecondsOf(const std::function<void()>& action) {
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void FillChannel(TiPlot& plot) {
    TiPlotChannel& channel = *plot.Channel(0);
    channel.SetXAxisTrackingEnabled(false);
    channel.SetYAxisTrackingEnabled(false);
    // A sampled signal as a device would send it: millisecond steps, values
    // with a few decimals.
    for (int i = 0; i < Points; ++i)
        channel.AddXY(i * 0.001, std::round(std::sin(i * 0.01) * 100000) / 100);
}

// Puts the file on the disk and out of the page cache, so that writes are
// timed to the disk and reads from it, alike for the plot and the baseline.
void SyncAndEvict(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        std::abort();
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

struct PlainIo {
    double WriteSeconds = 0;
    double ReadSeconds = 0;
};

// The baseline: `bytes` written to a file beside `path` in 1 MB blocks and
// read back from the disk.
PlainIo MeasurePlainIo(const QString& path, qint64 bytes) {
    const QString plainPath = path + ".plain";
    const QByteArray block(1 << 20, 'x');
    PlainIo io;
    io.WriteSeconds = SecondsOf([&] {
        QFile file(plainPath);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        for (qint64 left = bytes; left > 0; left -= block.size())
            file.write(block.constData(), std::min<qint64>(left, block.size()));
        file.close();
        SyncAndEvict(plainPath);
    });
    io.ReadSeconds = SecondsOf([&] {
        QFile file(plainPath);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        QByteArray buffer(block.size(), Qt::Uninitialized);
        while (file.read(buffer.data(), buffer.size()) > 0) {
        }
    });
    QFile::remove(plainPath);
    return io;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Saves, then loads into an empty plot whose channel keeps `loadStyle`, in
// rounds that take turns with the plain write and read of as many bytes: the
// disk of a shared machine speeds up and slows down within seconds, and
// turns let both sides see the same disk. Prints the medians in MB/s and the
// ratios of the medians (the budget).
void MeasureRoundTrip(TiPlot& source, const QString& path, const char* name,
                      TiPlotDataStyle loadStyle) {
    constexpr int kRounds = 3;
    std::vector<double> saves, loads, plainWrites, plainReads;
    qint64 bytes = 0;
    int loaded = 0;
    for (int round = 0; round < kRounds; ++round) {
        saves.push_back(SecondsOf([&] {
            source.SaveDataToFile(path.toStdString());
            SyncAndEvict(path);
        }));
        bytes = QFileInfo(path).size();
        {
            TiPlot target;
            target.Channel(0)->SetXAxisTrackingEnabled(false);
            target.Channel(0)->SetYAxisTrackingEnabled(false);
            target.Channel(0)->SetDataStyle(loadStyle);
            loads.push_back(SecondsOf([&] { target.LoadDataFromFile(path.toStdString()); }));
            loaded = target.Channel(0)->Count();
        }
        const PlainIo plain = MeasurePlainIo(path, bytes);
        plainWrites.push_back(plain.WriteSeconds);
        plainReads.push_back(plain.ReadSeconds);
    }
    const double megabytes = bytes / 1e6;
    const double save = Median(saves), load = Median(loads);
    const double plainWrite = Median(plainWrites), plainRead = Median(plainReads);
    std::printf("save_%s_MBps=%.1f\nplain_write_%s_MBps=%.1f\nsave_%s_ratio=%.2f\n", name,
                megabytes / save, name, megabytes / plainWrite, name, plainWrite / save);
    std::printf("load_%s_MBps=%.1f\nplain_read_%s_MBps=%.1f\nload_%s_ratio=%.2f\n", name,
                megabytes / load, name, megabytes / plainRead, name, plainRead / load);
    std::printf("%s_file_MB=%.1f\n%s_points_loaded=%d\n", name, megabytes, name, loaded);
    QFile::remove(path);
}

void MeasureRunawayLine(const QString& path) {
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("a(X),a(Y)\r\n");
        file.write(QByteArray(100'000'000, ','));
    }
    TiPlot target;
    const double seconds = SecondsOf([&] { target.LoadDataFromFile(path.toStdString()); });
    std::printf("load_100MB_line_of_commas_s=%.2f\n", seconds);
    QFile::remove(path);
}

// Saves `source`'s configuration to `path` and times loading it into a
// fresh plot.
double ConfigurationLoadSeconds(TiPlot& source, const QString& path) {
    source.SaveProperties(path.toStdString());
    TiPlot target;
    const double seconds = SecondsOf([&] { target.LoadProperties(path.toStdString()); });
    QFile::remove(path);
    return seconds;
}

void MeasureLargestConfiguration(const QString& path) {
    TiPlot source;
    for (int i = 1; i < kMaxConfigObjectsPerKind; ++i) {
        source.AddChannel();
        source.AddLabel();
    }
    std::printf("load_config_of_%d_channels_and_labels_s=%.2f\n", kMaxConfigObjectsPerKind,
                ConfigurationLoadSeconds(source, path));
}

// The most objects a configuration may hold, added one at a time through the
// plot's own calls, then saved and loaded back.
void MeasureFullestPlot(const QString& path) {
    TiPlot source;
    const double addSeconds = SecondsOf([&] {
        for (int i = 1; i < kMaxConfigObjectsPerKind; ++i) {
            source.AddChannel();
            source.AddLabel();
            source.AddXAxis();
            source.AddYAxis();
            source.AddLegend();
            source.AddToolBar();
            source.AddDataView();
            source.AddDataCursor();
            source.AddTable();
            source.AddLimit();
        }
    });
    std::printf("add_%d_of_every_kind_s=%.2f\nload_config_of_%d_of_every_kind_s=%.2f\n",
                kMaxConfigObjectsPerKind, addSeconds, kMaxConfigObjectsPerKind,
                ConfigurationLoadSeconds(source, path));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    TiPlot plot;
    FillChannel(plot);
    MeasureRoundTrip(plot, dir.filePath("data.txt"), "text", ipdsStandard);
    // The compact form keeps X for two rows only: it is written from and read
    // into channels that space their points evenly, as the form is made for
    // (the budget), and also written from the plain channel, whose 24-byte
    // points are all read to write 4 bytes of each.
    TiPlot evenly;
    evenly.Channel(0)->SetDataStyle(ipdsCompactInterval);
    FillChannel(evenly);
    evenly.SetDataFileFormat(ipdffCompactInterval);
    MeasureRoundTrip(evenly, dir.filePath("data.bin"), "compact", ipdsCompactInterval);
    plot.SetDataFileFormat(ipdffCompactInterval);
    MeasureRoundTrip(plot, dir.filePath("data.bin"), "compact_from_plain_channel",
                     ipdsCompactInterval);

    plot.resize(1920, 1080);
    const QString png = dir.filePath("plot.png");
    plot.SaveImageToPNG(png.toStdString(), 6);  // warm caches and fonts
    const double pngSeconds = SecondsOf([&] { plot.SaveImageToPNG(png.toStdString(), 6); });
    std::printf("png_1920x1080_ms=%.1f\n", pngSeconds * 1000);
    MeasureRunawayLine(dir.filePath("line.txt"));
    MeasureLargestConfiguration(dir.filePath("plot.txt"));
    MeasureFullestPlot(dir.filePath("fullest.txt"));
    return 0;
}
