// The plot's configuration, annotation and data files and its data log,
// through the component's own operations on real files.
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ScratchFiles.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotConfigFile.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"

namespace {

class PlotFilesTest : public ::testing::Test, public ScratchFiles {
  protected:
    // The message of what `action` raises.
    template <class Action>
    static std::string ErrorOf(Action&& action) {
        try {
            action();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "(nothing raised)";
    }
    static void TurnEventLoop() { QCoreApplication::processEvents(); }

    TiPlot plot_;
};

// ------------------------------------------------------------ configuration

TEST_F(PlotFilesTest, ConfigurationNamesEveryObjectByKindAndIndex) {
    plot_.Channel(0)->SetTitleText("数据");
    plot_.XAxis(0)->SetSpan(100);
    plot_.Channel(0)->MarkersFont().SetColor(clRed);
    plot_.SaveProperties(Path("plot.txt"));

    const std::string text = Read(Path("plot.txt"));
    EXPECT_EQ(text.rfind("File Type = Plot Config\r\n", 0), 0u);
    for (const char* line :
         {"\r\nChannel0.TitleText = 数据\r\n", "\r\nXAxis0.Span = 100\r\n",
          "\r\nChannel0.MarkersFont.Color = 255\r\n", "\r\nChannelCount = 1\r\n",
          "\r\nXAxisCount = 1\r\n", "\r\nTableCount = 0\r\n", "\r\nLimitCount = 0\r\n",
          "\r\nDataViewZHorz = "})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    // Counts come after the component's own lines and before the objects'.
    EXPECT_LT(text.find("ChannelCount = "), text.find("Channel0."));
    EXPECT_LT(text.find("Channel0."), text.find("XAxis0."));
    EXPECT_LT(text.find("XAxis0."), text.find("YAxis0."));
    EXPECT_EQ(text.find("\r\nName = "), std::string::npos);
    EXPECT_EQ(text.find("\r\nWidth = "), std::string::npos);
    EXPECT_EQ(plot_.PropertiesFileName(), Path("plot.txt"));
}

TEST_F(PlotFilesTest, ConfigurationRoundTripsThroughAFreshPlot) {
    plot_.Channel(plot_.AddChannel())->SetTitleText("second");
    plot_.Channel(0)->SetTitleText("数据");
    plot_.Channel(1)->SetColor(clLime);
    plot_.XAxis(0)->SetSpan(100);
    plot_.YAxis(plot_.AddYAxis())->SetName("Pressure");
    plot_.Channel(1)->SetYAxisName("Pressure");
    plot_.SetTitleText("Loop test");
    plot_.Label(plot_.AddLabel())->SetCaption("footnote");
    plot_.SaveProperties(Path("first.txt"));

    TiPlot fresh;
    int loadedEvents = 0;
    fresh.OnAfterLoadProperties = [&] { ++loadedEvents; };
    fresh.LoadProperties(Path("first.txt"));
    EXPECT_EQ(loadedEvents, 1);
    fresh.SaveProperties(Path("second.txt"));

    EXPECT_EQ(Read(Path("second.txt")), Read(Path("first.txt")));
    ASSERT_EQ(fresh.ChannelCount(), 2);
    EXPECT_EQ(fresh.Channel(1)->TitleText(), "second");
    EXPECT_EQ(fresh.Channel(1)->YAxis(), fresh.YAxis(1));
    EXPECT_EQ(fresh.LabelCount(), 2);
    EXPECT_EQ(fresh.TitleText(), "Loop test");
    EXPECT_DOUBLE_EQ(fresh.XAxis(0)->Span(), 100);
}

TEST_F(PlotFilesTest, ChannelFileIsRefusedAndThePlotKeepsWorking) {
    plot_.Channel(0)->SetTitleText("kept");
    plot_.Channel(0)->SaveProperties(Path("channel.txt"));
    Write(Path("other.ini"), "[Section]\r\nKey=Value\r\n");

    for (const char* name : {"channel.txt", "other.ini"}) {
        EXPECT_EQ(ErrorOf([&] { plot_.LoadProperties(Path(name)); }),
                  "Error Loading Properties - Incompatible Plot Configuration File Type");
    }
    EXPECT_EQ(plot_.ChannelCount(), 1);
    EXPECT_EQ(plot_.Channel(0)->TitleText(), "kept");
    EXPECT_TRUE(plot_.Master().LayoutManager().Enabled());
    EXPECT_FALSE(plot_.Updating());
}

TEST_F(PlotFilesTest, ConfigurationWithoutDataViewLevelsIsRefused) {
    Write(Path("bad.txt"), "File Type = Plot Config\r\nChannelCount = 1\r\n");
    EXPECT_EQ(ErrorOf([&] { plot_.LoadProperties(Path("bad.txt")); }).rfind(
                  "Error Loading Properties - ", 0),
              0u);
    EXPECT_EQ(plot_.ChannelCount(), 1);
    EXPECT_FALSE(plot_.Updating());
    EXPECT_EQ(ErrorOf([&] { plot_.SaveProperties("/nonexistent-folder/p.txt"); })
                  .rfind("Error Saving Properties - ", 0),
              0u);
}

// The whole file is checked before the plot changes: a bad value late in
// the file, or a count no plot could hold, leaves every object and point.
TEST_F(PlotFilesTest, RefusedConfigurationLeavesThePlotExactlyAsItWas) {
    plot_.Channel(0)->SetTitleText("kept");
    plot_.Channel(0)->AddXY(1, 2);
    plot_.SaveProperties(Path("good.txt"));
    const std::string good = Read(Path("good.txt"));
    const TiStringList before = PlotConfigLines(plot_);

    // The file with the line of `key` holding `value` instead.
    auto with = [&good](const std::string& key, const std::string& value) {
        const size_t at = good.find("\r\n" + key + " = ") + 2;
        return good.substr(0, at) + key + " = " + value + good.substr(good.find("\r\n", at));
    };
    const std::string bad[] = {
        with("XAxis0.InnerMargin", "nan"),  with("ChannelCount", "100000"),
        with("ChannelCount", "4294967297"), with("LabelCount", "-1"),
        with("YAxis0.Span", "abc"),
    };
    for (const std::string& file : bad) {
        Write(Path("bad.txt"), file);
        EXPECT_EQ(ErrorOf([&] {
                      plot_.LoadProperties(Path("bad.txt"));
                  }).rfind("Error Loading Properties - ", 0),
                  0u);
        EXPECT_EQ(PlotConfigLines(plot_), before);
        ASSERT_EQ(plot_.ChannelCount(), 1);
        EXPECT_EQ(plot_.Channel(0)->Count(), 1) << "the points stay";
        EXPECT_TRUE(plot_.Master().LayoutManager().Enabled());
        EXPECT_FALSE(plot_.Updating());
    }
    EXPECT_EQ(ErrorOf([&] { plot_.LoadProperties(Path("good.txt")); }), "(nothing raised)");
}

TEST_F(PlotFilesTest, CountsUpToTheLimitLoad) {
    plot_.SaveProperties(Path("good.txt"));
    std::string file = Read(Path("good.txt"));
    file.replace(file.find("LabelCount = 1"), 14,
                 "LabelCount = " + std::to_string(kMaxConfigObjectsPerKind));
    Write(Path("many.txt"), file);
    plot_.LoadProperties(Path("many.txt"));
    EXPECT_EQ(plot_.LabelCount(), kMaxConfigObjectsPerKind);
}

// A channel title of two lines used to reload as its first line, the second
// read as a key of the file.
TEST_F(PlotFilesTest, MultiLineTitlesReloadWhole) {
    plot_.Channel(0)->SetTitleText("first\r\nChannelCount = 3");
    plot_.SaveProperties(Path("plot.txt"));
    TiPlot fresh;
    fresh.LoadProperties(Path("plot.txt"));
    ASSERT_EQ(fresh.ChannelCount(), 1);
    EXPECT_EQ(fresh.Channel(0)->TitleText(), "first\r\nChannelCount = 3");
}

TEST_F(PlotFilesTest, AnnotationFileRoundTripsAndReplacesTheAnnotations) {
    plot_.SaveAnnotationsToFile(Path("none.txt"));
    EXPECT_EQ(Read(Path("none.txt")), "AnnotationCount = 0\r\n");

    plot_.SetAnnotationDefaultPenColor(clRed);
    plot_.AddAnnotation();
    plot_.Annotation(plot_.AddAnnotation())->SetBrushStyle(bsCross);
    plot_.Annotation(1)->Font().SetName("DejaVu Sans");
    plot_.SaveAnnotationsToFile(Path("notes.txt"));
    const std::string notes = Read(Path("notes.txt"));
    EXPECT_EQ(notes.rfind("AnnotationCount = 2\r\n", 0), 0u);
    EXPECT_NE(notes.find("\r\nAnnotation1.BrushStyle = 6\r\n"), std::string::npos);
    EXPECT_NE(notes.find("\r\nAnnotation0.PenColor = 255\r\n"), std::string::npos);

    TiPlot fresh;
    fresh.AddAnnotation();
    fresh.LoadAnnotationsFromFile(Path("notes.txt"));
    ASSERT_EQ(fresh.AnnotationCount(), 2);
    EXPECT_EQ(fresh.Annotation(1)->BrushStyle(), bsCross);
    EXPECT_EQ(fresh.Annotation(1)->Font().Name(), "DejaVu Sans");
    EXPECT_EQ(fresh.Annotation(0)->PenColor(), clRed);
    fresh.SaveAnnotationsToFile(Path("again.txt"));
    EXPECT_EQ(Read(Path("again.txt")), notes);
    // The configuration does not carry annotations.
    fresh.SaveProperties(Path("plot.txt"));
    EXPECT_EQ(Read(Path("plot.txt")).find("Annotation0."), std::string::npos);

    // A refused file leaves the annotations there as they were.
    Write(Path("bad.txt"), "AnnotationCount = 1\r\nAnnotation0.PenWidth = wide\r\n");
    EXPECT_EQ(ErrorOf([&] { fresh.LoadAnnotationsFromFile(Path("bad.txt")); })
                  .rfind("Error Loading Annotations - ", 0),
              0u);
    EXPECT_FALSE(fresh.Updating());
    EXPECT_EQ(fresh.AnnotationCount(), 2);
}

// ------------------------------------------------------------------- data

TEST_F(PlotFilesTest, DataFileRoundTripsPointsAndMarks) {
    plot_.Channel(0)->SetTitleText("数据");
    plot_.Channel(0)->AddXY(0.5, 3);
    plot_.Channel(0)->AddXY(1.5, 7);
    plot_.Channel(0)->AddXY(2.5, 9);
    plot_.Channel(0)->SetNull(2, true);
    plot_.SaveDataToFile(Path("data.txt"));
    EXPECT_EQ(Read(Path("data.txt")), "数据(X)\t数据(Y)\r\n0.5\t3\r\n1.5\t7\r\n2.5\tNull\r\n");

    TiPlot fresh;
    int loadedEvents = 0;
    fresh.OnAfterLoadData = [&] { ++loadedEvents; };
    fresh.LoadDataFromFile(Path("data.txt"));
    TiPlotChannel& channel = *fresh.Channel(0);
    ASSERT_EQ(channel.Count(), 3);
    EXPECT_DOUBLE_EQ(channel.GetX(1), 1.5);
    EXPECT_DOUBLE_EQ(channel.GetY(1), 7);
    EXPECT_TRUE(channel.GetNull(2));
    EXPECT_DOUBLE_EQ(channel.GetY(2), 0);
    EXPECT_EQ(loadedEvents, 1);
    EXPECT_EQ(fresh.DataFileName(), Path("data.txt"));

    // Loading adds to what is there.
    fresh.LoadDataFromFile(Path("data.txt"));
    EXPECT_EQ(fresh.Channel(0)->Count(), 6);
}

TEST_F(PlotFilesTest, CommaDecimalFileReadsWithPointSeparator) {
    Write(Path("comma.txt"), "a(X)\ta(Y)\r\n1,5\t-2,25\r\n");
    plot_.LoadDataFromFile(Path("comma.txt"));
    ASSERT_EQ(plot_.Channel(0)->Count(), 1);
    EXPECT_DOUBLE_EQ(plot_.Channel(0)->GetX(0), 1.5);
    EXPECT_DOUBLE_EQ(plot_.Channel(0)->GetY(0), -2.25);
}

TEST_F(PlotFilesTest, CompactFileKeepsXOnlyForTheFirstTwoRows) {
    plot_.SetDataFileFormat(ipdffCompactInterval);
    for (double x : {10.0, 10.5, 11.0})
        plot_.Channel(0)->AddXY(x, x * 2);
    plot_.SaveDataToFile(Path("compact.bin"));

    TiPlot interval;
    interval.Channel(0)->SetDataStyle(ipdsCompactInterval);
    interval.LoadDataFromFile(Path("compact.bin"));
    TiPlot standard;
    standard.LoadDataFromFile(Path("compact.bin"));

    ASSERT_EQ(interval.Channel(0)->Count(), 3);
    ASSERT_EQ(standard.Channel(0)->Count(), 3);
    EXPECT_DOUBLE_EQ(interval.Channel(0)->GetX(2), 11);
    EXPECT_DOUBLE_EQ(standard.Channel(0)->GetX(2), 0);
    EXPECT_DOUBLE_EQ(standard.Channel(0)->GetY(2), 22);
}

TEST_F(PlotFilesTest, LargeCompactFileOfTwoChannelsLoadsLikePointByPoint) {
    plot_.AddChannel();
    plot_.SetDataFileFormat(ipdffCompactInterval);
    for (int i = 0; i < 10000; ++i) {
        plot_.Channel(0)->AddXY(i * 0.5, std::sin(i * 0.01));
        if (i < 7000)
            plot_.Channel(1)->AddXY(i * 0.5, i % 17);
    }
    plot_.SaveDataToFile(Path("big.bin"));

    TiPlot loaded;  // tracking on: every point is handed to the axes
    TiPlot quiet;   // tracking off: points are added in runs
    for (TiPlot* plot : {&loaded, &quiet}) {
        plot->AddChannel();
        for (int c = 0; c < 2; ++c)
            plot->Channel(c)->SetDataStyle(ipdsCompactInterval);
    }
    for (int c = 0; c < 2; ++c) {
        quiet.Channel(c)->SetXAxisTrackingEnabled(false);
        quiet.Channel(c)->SetYAxisTrackingEnabled(false);
    }
    loaded.LoadDataFromFile(Path("big.bin"));
    quiet.LoadDataFromFile(Path("big.bin"));

    for (int c = 0; c < 2; ++c) {
        const TiPlotChannel& source = *plot_.Channel(c);
        const TiPlotChannel& single = *loaded.Channel(c);
        const TiPlotChannel& runs = *quiet.Channel(c);
        ASSERT_EQ(single.Count(), source.Count());
        ASSERT_EQ(runs.Count(), source.Count());
        EXPECT_DOUBLE_EQ(runs.GetX(runs.Count() - 1), source.GetX(source.Count() - 1));
        EXPECT_FLOAT_EQ(float(runs.GetY(4321)), float(source.GetY(4321)));
        // Statistics see what AddXY saw: X 0 after the second row, as read.
        EXPECT_EQ(runs.StatCount(), single.StatCount());
        EXPECT_DOUBLE_EQ(runs.MaxX(), single.MaxX());
        EXPECT_DOUBLE_EQ(runs.MinY(), single.MinY());
        EXPECT_DOUBLE_EQ(runs.MaxY(), single.MaxY());
        EXPECT_DOUBLE_EQ(runs.MeanY(), single.MeanY());
    }
}

TEST_F(PlotFilesTest, BadDataKeepsThePointsBeforeTheFault) {
    Write(Path("garbage.txt"), "a(X)\ta(Y)\r\n1\t1\r\n2\t2\r\n3\tabc\r\n4\t4\r\n");
    EXPECT_EQ(ErrorOf([&] { plot_.LoadDataFromFile(Path("garbage.txt")); }),
              "Error Loading Data - 'abc' is not a valid floating point value");
    EXPECT_EQ(plot_.Channel(0)->Count(), 2);
    EXPECT_FALSE(plot_.Updating());

    std::string cut("Compact Interval\r\n1\r\n", 21);
    const float values[] = {1.0f, 2.0f};
    cut.append(reinterpret_cast<const char*>(values), sizeof values);
    cut.append("\x01\x02", 2);
    Write(Path("cut.bin"), cut);
    EXPECT_EQ(ErrorOf([&] { plot_.LoadDataFromFile(Path("cut.bin")); }),
              "Error Loading Data - Invalid Data");
    EXPECT_EQ(plot_.Channel(0)->Count(), 3);

    Write(Path("empty.txt"), "");
    plot_.LoadDataFromFile(Path("empty.txt"));
    EXPECT_EQ(ErrorOf([&] { plot_.LoadDataFromFile(Path("missing.txt")); })
                  .rfind("Error Loading Data - ", 0),
              0u);
    // The plot still takes points afterwards.
    plot_.Channel(0)->AddXY(10, 10);
    EXPECT_EQ(plot_.Channel(0)->Count(), 4);
}

TEST_F(PlotFilesTest, BinaryAndRunawayFieldsAreQuotedShort) {
    std::string binary = "a(X)\ta(Y)\r\n1\t2\r\n";
    for (int i = 0; i < 4096; ++i)
        binary.push_back(char(i * 37 % 256));
    Write(Path("binary.dat"), binary);
    Write(Path("long.txt"), "a(X)\ta(Y)\r\n" + std::string(1 << 20, 'x') + "\t1\r\n");
    for (const char* name : {"binary.dat", "long.txt"}) {
        const std::string message = ErrorOf([&] { plot_.LoadDataFromFile(Path(name)); });
        EXPECT_EQ(message.rfind("Error Loading Data - '", 0), 0u) << name;
        EXPECT_LT(message.size(), 200u) << name;
    }
    EXPECT_EQ(plot_.Channel(0)->Count(), 1);
}

TEST_F(PlotFilesTest, MoreColumnsThanChannelsAndMegabyteLinesAreHarmless) {
    Write(Path("wide.txt"), "a(X),a(Y),b(X),b(Y)\r\n1,2,3,4\r\n" + std::string(1 << 20, ',') +
                                "\r\n5,6\r\n");
    plot_.LoadDataFromFile(Path("wide.txt"));
    ASSERT_EQ(plot_.Channel(0)->Count(), 2);
    EXPECT_DOUBLE_EQ(plot_.Channel(0)->GetY(1), 6);
}

// -------------------------------------------------------------------- log

TEST_F(PlotFilesTest, LogReceivesARowForEveryPointOfChannelZero) {
    plot_.Channel(plot_.AddChannel())->SetTitleText("b");
    plot_.Channel(0)->SetTitleText("a");
    plot_.SetLogFileName(Path("log.txt"));
    plot_.LogActivate(false);
    EXPECT_TRUE(plot_.LoggingActive());
    EXPECT_EQ(Read(Path("log.txt")), "(X)\ta(Y)\tb(Y)\r\n");

    plot_.Channel(0)->AddXY(1, 10);
    plot_.Channel(1)->AddXY(1, 20);
    TurnEventLoop();
    EXPECT_EQ(Read(Path("log.txt")), "(X)\ta(Y)\tb(Y)\r\n1\t10\t20\r\n");

    plot_.Channel(0)->AddXY(2, 11);
    plot_.Channel(0)->SetEmpty(1, true);
    plot_.Channel(1)->AddXY(2, 21);
    plot_.LogDeactivate();  // writes what waits for the next turn
    EXPECT_FALSE(plot_.LoggingActive());
    EXPECT_EQ(Read(Path("log.txt")), "(X)\ta(Y)\tb(Y)\r\n1\t10\t20\r\n2\tEmpty\t21\r\n");

    TiPlot reader;
    reader.AddChannel();
    reader.LoadDataFromFile(Path("log.txt"));
    ASSERT_EQ(reader.Channel(1)->Count(), 2);
    EXPECT_DOUBLE_EQ(reader.Channel(1)->GetY(1), 21);
    EXPECT_TRUE(reader.Channel(0)->GetEmpty(1));
}

TEST_F(PlotFilesTest, LogRefusesWhatWouldBreakIt) {
    EXPECT_EQ(ErrorOf([&] { plot_.LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(ErrorOf([&] { plot_.LogDeactivate(); }), "Logging not Active");
    plot_.SetLogFileName(Path("absent.txt"));
    EXPECT_NE(ErrorOf([&] { plot_.LogActivate(true); }), "(nothing raised)");
    EXPECT_FALSE(plot_.LoggingActive());

    plot_.LogActivate(false);
    EXPECT_EQ(ErrorOf([&] { plot_.LogActivate(false); }), "Logging Already Active");
    EXPECT_EQ(ErrorOf([&] { plot_.SetLogFileName(Path("other.txt")); }),
              "Log File Name can not be changed while logging is active.");
    EXPECT_EQ(ErrorOf([&] { plot_.SetDataFileColumnSeparator(ipdfcsComma); }),
              "Data File Column Seperator can not be changed while logging active");
    EXPECT_EQ(ErrorOf([&] { plot_.SetDataFileFormat(ipdffCompactInterval); }),
              "Data File Format can not be changed while logging active");
    // Clearing the data closes the log after writing what is pending.
    plot_.Channel(0)->AddXY(5, 6);
    plot_.ClearAllData();
    EXPECT_FALSE(plot_.LoggingActive());
    EXPECT_EQ(Read(Path("absent.txt")), "(X)\tChannel 1(Y)\r\n5\t6\r\n");
}

TEST_F(PlotFilesTest, CompactLogAppendedLaterStillReadsBack) {
    plot_.SetDataFileFormat(ipdffCompactInterval);
    plot_.Channel(0)->SetDataStyle(ipdsCompactInterval);
    plot_.SetLogFileName(Path("log.bin"));
    plot_.LogActivate(false);
    for (double x : {10.0, 10.5, 11.0})
        plot_.Channel(0)->AddXY(x, x);
    plot_.LogDeactivate();
    // A later session appends: its rows carry no X, as the reader expects.
    plot_.LogActivate(true);
    plot_.Channel(0)->AddXY(11.5, 11.5);
    plot_.LogDeactivate();

    std::string bytes = Read(Path("log.bin"));
    const float end = 2e38f;
    bytes.append(reinterpret_cast<const char*>(&end), 4);
    Write(Path("log.bin"), bytes);
    TiPlot reader;
    reader.Channel(0)->SetDataStyle(ipdsCompactInterval);
    reader.LoadDataFromFile(Path("log.bin"));
    ASSERT_EQ(reader.Channel(0)->Count(), 4);
    EXPECT_DOUBLE_EQ(reader.Channel(0)->GetX(3), 11.5);
    EXPECT_DOUBLE_EQ(reader.Channel(0)->GetY(3), 11.5);
}

TEST_F(PlotFilesTest, PlotDestroyedWhileLoggingWritesItsLastRows) {
    {
        TiPlot plot;
        plot.SetLogFileName(Path("last.txt"));
        plot.LogActivate(false);
        plot.Channel(0)->AddXY(1, 2);
    }
    EXPECT_EQ(Read(Path("last.txt")), "(X)\tChannel 1(Y)\r\n1\t2\r\n");
}

}  // namespace
