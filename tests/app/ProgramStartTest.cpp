// Starts the built program the way a user's desktop does, offscreen, and lets
// it leave through its own exit path after the first paint.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray errors;  // what it wrote to stderr
};

TRun RunProgram(const QStringList& arguments) {
    QTemporaryDir runtime;
    EXPECT_TRUE(runtime.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Its own lock folder, so a Kelvane the user has open does not stop it.
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("KELVANE_EXIT_AFTER_FIRST_PAINT", "1");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    program.start(KELVANE_PROGRAM, arguments);
    EXPECT_TRUE(program.waitForStarted());
    TRun run;
    run.finished = program.waitForFinished(60000);
    if (!run.finished) {
        program.kill();
        program.waitForFinished();
    }
    run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.errors = program.readAllStandardError();
    return run;
}

TEST(Program, StartsPaintsAndExitsCleanly) {
    const TRun run = RunProgram({});
    ASSERT_TRUE(run.finished) << "still running a minute after start";
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
}

TEST(Program, StartsInEnglishWhenTheCommandLineAsks) {
    const TRun run = RunProgram({"--lang", "en"});
    ASSERT_TRUE(run.finished) << "still running a minute after start";
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains("English texts")) << run.errors.toStdString();
}

TEST(Program, RefusesALanguageItDoesNotSpeak) {
    const TRun run = RunProgram({"--lang", "fr"});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains("--lang takes zh")) << run.errors.toStdString();
}

}  // namespace
