// kelvane-sim: its waveform and options, and the running simulator read
// through TComm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <charconv>
#include <filesystem>

#include "SerialTestSupport.h"
#include "SimOptions.h"
#include "Waveform.h"

namespace {

std::vector<std::int32_t> Samples(TWaveShape shape, unsigned period, std::size_t count) {
    TWaveform wave({shape, 100, 10, period});
    std::vector<std::int32_t> samples;
    for (std::size_t i = 0; i < count; ++i) {
        samples.push_back(wave.Next());
    }
    return samples;
}

// Complete CR LF lines after the first line break (the first line may have
// started before the port was opened).
std::vector<std::string> WholeLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = bytes.find("\r\n");
    while (start != std::string::npos) {
        const std::size_t end = bytes.find("\r\n", start + 2);
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(bytes.substr(start + 2, end - start - 2));
        start = end;
    }
    return lines;
}

class TRunningSim {
  public:
    explicit TRunningSim(QStringList arguments) {
        process_.start(KELVANE_SIM_PATH, arguments);
        if (process_.waitForReadyRead(10000)) {
            devicePath_ = process_.readLine().trimmed().toStdString();
        }
    }
    ~TRunningSim() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    const std::string& DevicePath() const { return devicePath_; }
    QProcess& Process() { return process_; }

  private:
    QProcess process_;
    std::string devicePath_;
};

}  // namespace

TEST(SimWaveform, ShapesOverOneCycle) {
    EXPECT_EQ(Samples(TWaveShape::Square, 4, 4), (std::vector<std::int32_t>{110, 110, -90, -90}));
    EXPECT_EQ(Samples(TWaveShape::Saw, 4, 5), (std::vector<std::int32_t>{-90, -40, 10, 60, -90}));
    EXPECT_EQ(Samples(TWaveShape::Triangle, 4, 4), (std::vector<std::int32_t>{-90, 10, 110, 10}));
    EXPECT_EQ(Samples(TWaveShape::Sine, 4, 4), (std::vector<std::int32_t>{10, 110, 10, -90}));
    for (const std::int32_t sample : Samples(TWaveShape::Noise, 10, 1000)) {
        EXPECT_GE(sample, -90);
        EXPECT_LE(sample, 110);
    }
}

TEST(SimWaveform, LinesInDecimalAndHex) {
    EXPECT_EQ(FormatSampleLine(512, TNumberFormat::Decimal), "512\r\n");
    EXPECT_EQ(FormatSampleLine(-7, TNumberFormat::Decimal), "-7\r\n");
    EXPECT_EQ(FormatSampleLine(0, TNumberFormat::Hexadecimal), "0\r\n");
    EXPECT_EQ(FormatSampleLine(0x3FF, TNumberFormat::Hexadecimal), "3FF\r\n");
    EXPECT_EQ(FormatSampleLine(-1, TNumberFormat::Hexadecimal), "FFFFFFFF\r\n");
}

TEST(SimOptions, AcceptsTheDocumentedOptionsAndRejectsOthers) {
    const auto parsed = ParseSimOptions({"--link", "/tmp/x", "--shape", "saw", "--hex", "--rate",
                                         "100000", "--frame", "8", "--gap", "250", "--echo"});
    ASSERT_TRUE(std::holds_alternative<TSimOptions>(parsed));
    const TSimOptions& options = std::get<TSimOptions>(parsed);
    EXPECT_EQ(options.LinkPath, "/tmp/x");
    EXPECT_EQ(options.Wave.Shape, TWaveShape::Saw);
    EXPECT_EQ(options.Format, TNumberFormat::Hexadecimal);
    EXPECT_EQ(options.Rate, 100000u);
    EXPECT_EQ(options.FrameLines, 8u);
    EXPECT_EQ(options.GapMs, 250u);
    EXPECT_TRUE(options.Echo);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--rate", "0"},
                                               {"--rate", "100001"},
                                               {"--rate", "fast"},
                                               {"--shape", "circle"},
                                               {"--amplitude", "nan"},
                                               {"--link"},
                                               {"--loud"}}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseSimOptions(bad))) << bad[0];
    }
}

TEST(Sim, StreamsNumberLinesAcrossRepeatedOpens) {
    const std::string link =
        (std::filesystem::temp_directory_path() / ("kelvane-sim-" + std::to_string(getpid())))
            .string();
    TRunningSim sim({"--rate", "200", "--link", QString::fromStdString(link)});
    ASSERT_FALSE(sim.DevicePath().empty());
    ASSERT_EQ(std::filesystem::read_symlink(link), sim.DevicePath());

    TComm comm;
    TCommRecorder recorder(comm);
    for (int round = 0; round < 3; ++round) {
        RunEventsFor(50ms);  // blocks read just before the last close
        recorder.Bytes.clear();
        OpenLikeTheMainWindow(comm, link);
        ASSERT_TRUE(WaitUntil([&] { return WholeLines(recorder.Bytes).size() >= 5; }))
            << "round " << round << ": " << recorder.Bytes;
        comm.ClosePort();
        for (const std::string& line : WholeLines(recorder.Bytes)) {
            int value = 0;
            const auto [end, error] =
                std::from_chars(line.data(), line.data() + line.size(), value);
            EXPECT_TRUE(error == std::errc() && end == line.data() + line.size()) << line;
            EXPECT_GE(value, 12);
            EXPECT_LE(value, 1012);
        }
    }

    sim.Process().terminate();
    ASSERT_TRUE(sim.Process().waitForFinished(10000));
    EXPECT_EQ(sim.Process().exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)))
        << "the link outlived the simulator";
}

TEST(Sim, EchoesWhatItReceives) {
    TRunningSim sim({"--rate", "1", "--gap", "60000", "--echo"});
    ASSERT_FALSE(sim.DevicePath().empty());
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, sim.DevicePath());
    ASSERT_TRUE(comm.SendBlock("hello sim", 9));
    EXPECT_TRUE(WaitUntil([&] { return recorder.Bytes.find("hello sim") != std::string::npos; }))
        << recorder.Bytes;
}
