// Starts the built program the way a user's desktop does, offscreen, and lets
// it leave through its own exit path after the first paint.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Program, StartsPaintsAndExitsCleanly) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Its own lock folder, so a Kelvane the user has open does not stop it.
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("KELVANE_EXIT_AFTER_FIRST_PAINT", "1");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(KELVANE_PROGRAM);
    ASSERT_TRUE(program.waitForStarted());
    const bool finished = program.waitForFinished(60000);
    if (!finished) {
        program.kill();
        program.waitForFinished();
    }
    ASSERT_TRUE(finished) << "still running a minute after start";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
