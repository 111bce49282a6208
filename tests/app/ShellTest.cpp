// The shell as a user meets it: the tray icon and its menu, closing with and
// without a notification area, the banner following the main window, the
// two information dialogs and a second start of the program.
#include <sys/file.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "MainFormFixture.h"

namespace {

class Shell : public MainFormFixture {
  protected:
    QAction* MenuItem(const char* name) {
        auto* item = form.Tray().Menu().findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
    QWidget* Banner() { return TopLevel("TForm4"); }
};

TEST_F(Shell, TrayMenuListsItsItemsInOrder) {
    QStringList items;
    for (const QAction* action : form.Tray().Menu().actions()) {
        items << action->objectName() + QLatin1Char('=') + action->text();
    }
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("N5=显示主界面"), "N3=", QStringLiteral("N4=退出软件"),
                           "N6=", QStringLiteral("N1=在线升级"), QStringLiteral("N2=在线帮助")}));
}

TEST_F(Shell, ShowMainShowsTheWindowAndTheBanner) {
    ASSERT_FALSE(form.isVisible());
    MenuItem("N5")->trigger();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Banner()->isVisible());
}

TEST_F(Shell, ExitRemovesTheIconReleasesThePortAndEnds) {
    trayAvailable = true;
    TPtyPair pty;
    OpenPortOn(pty);
    form.show();
    EXPECT_TRUE(form.Tray().Shown());
    MenuItem("N4")->trigger();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(form.Tray().Shown());
    EXPECT_FALSE(form.Comm1().IsOpen());
}

TEST_F(Shell, CloseOnlyHidesWhileThereIsATray) {
    trayAvailable = true;
    form.show();
    ASSERT_TRUE(Banner()->isVisible());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(Banner()->isVisible());
    EXPECT_TRUE(form.Tray().Shown());
    EXPECT_EQ(quits, 0);

    form.Tray().Activated(QSystemTrayIcon::DoubleClick);  // the way back
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Banner()->isVisible());
}

TEST_F(Shell, BannerHintSaysWhatClosingDoesOnThisDesktop) {
    const auto hint = [this] {
        QString text;
        for (const QLabel* label : Banner()->findChildren<QLabel*>()) {
            text += label->text();
        }
        return text;
    };
    form.show();
    EXPECT_TRUE(hint().contains(QStringLiteral("关闭主窗口即退出程序")));
    form.hide();

    trayAvailable = true;  // a notification area appeared meanwhile
    form.show();
    EXPECT_TRUE(hint().contains(QStringLiteral("关闭主窗口后程序在通知区继续运行")));
    EXPECT_FALSE(hint().contains(QStringLiteral("即退出程序")));
}

TEST_F(Shell, CloseWithoutATrayEndsTheProgramAsExitDoes) {
    TPtyPair pty;
    OpenPortOn(pty);
    form.show();
    form.close();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(form.Comm1().IsOpen());
}

TEST_F(Shell, SingleClickShowsOnlyWhereTheTrayReportsNothingElse) {
    trayAvailable = true;
    form.Tray().Activated(QSystemTrayIcon::Trigger);  // an XEmbed tray: a click alone does nothing
    EXPECT_FALSE(form.isVisible());

    TMainForm clicksOnly(Options(true));
    clicksOnly.Tray().Activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(clicksOnly.isVisible());
    clicksOnly.hide();
    clicksOnly.Tray().Activated(QSystemTrayIcon::Context);
    EXPECT_FALSE(clicksOnly.isVisible());
}

TEST_F(Shell, BannerGoesAndComesWithTheMainWindow) {
    form.show();
    ASSERT_TRUE(Banner()->isVisible());
    form.showMinimized();
    EXPECT_FALSE(Banner()->isVisible());
    form.showNormal();
    EXPECT_TRUE(Banner()->isVisible());
    form.hide();
    EXPECT_FALSE(Banner()->isVisible());
}

struct TInfoDialogCase {
    const char* item;
    const char* window;
    const char* caption;
    QSize size;
};

TEST_F(Shell, InfoDialogsShowTheirTextAndCloseWithTheirButton) {
    for (const TInfoDialogCase& dialog :
         {TInfoDialogCase{"N1", "TForm6", "在线升级", {297, 179}},
          TInfoDialogCase{"N2", "TForm5", "在线帮助", {253, 170}}}) {
        MenuItem(dialog.item)->trigger();
        QWidget* window = TopLevel(dialog.window);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(dialog.caption));
        EXPECT_EQ(window->size(), dialog.size);
        const auto* text = window->findChild<QLabel*>();
        ASSERT_NE(text, nullptr);
        EXPECT_FALSE(text->text().isEmpty());
        auto* close = window->findChild<QPushButton*>("sButton1");
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->text(), QStringLiteral("关 闭"));
        close->click();
        EXPECT_FALSE(window->isVisible());
    }
}

// Whether process `pid` holds a lock taken with flock(), as the single
// instance guard takes its lock.
bool HoldsFlock(qint64 pid) {
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray owner = " " + QByteArray::number(pid) + " ";
    for (const QByteArray& line : locks.readAll().split('\n')) {
        if (line.contains("FLOCK") && line.contains(owner)) {
            return true;
        }
    }
    return false;
}

TEST(SecondInstance, EndsAtOnceAndLeavesTheFirstRunning) {
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(KELVANE_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return HoldsFlock(first.processId()); }, 30000))
        << "the first instance never took its lock";

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(KELVANE_PROGRAM), {});
    EXPECT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    first.waitForFinished(10000);
}

}  // namespace
