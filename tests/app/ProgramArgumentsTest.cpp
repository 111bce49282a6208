// The built program and its command line: --help and --version answer and
// end without a display, an argument it cannot use ends it with status 2
// and the reason, and Qt's own options are left to Qt.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int exitCode = -1;
    QString out, err;
};

TRun RunProgram(const QStringList& arguments) {
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("KELVANE_EXIT_AFTER_FIRST_PAINT", "1");
    environment.remove("DISPLAY");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(KELVANE_PROGRAM, arguments);
    EXPECT_TRUE(program.waitForFinished(60000));
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

TEST(ProgramArguments, HelpAndVersionAnswerAndEnd) {
    const TRun help = RunProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--port PATH")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("用法")));

    const TRun version = RunProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("kelvane 3.")) << version.out.toStdString();
}

TEST(ProgramArguments, AnUnusableArgumentEndsWithStatusTwoAndTheReason) {
    const TRun bad = RunProgram({"--baud", "fast"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("fast")) << bad.err.toStdString();
    EXPECT_TRUE(bad.err.contains("--help"));
    EXPECT_TRUE(bad.out.isEmpty());

    EXPECT_EQ(RunProgram({"extra"}).exitCode, 2);
}

TEST(ProgramArguments, QtsOwnOptionsAreLeftToQt) {
    const TRun run = RunProgram({"-platform", "offscreen", "--plot", "hex"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

}  // namespace
