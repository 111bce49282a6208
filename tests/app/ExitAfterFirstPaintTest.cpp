#include "app/ExitAfterFirstPaint.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(ExitAfterFirstPaint, LeavesOnceAfterTheWindowHasPainted) {
    // Covered by a child, as the main window is by its panels: only the child paints.
    QWidget window;
    window.resize(200, 100);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QWidget(&window);
    child->setAutoFillBackground(true);
    layout->addWidget(child);
    QWidget elsewhere;
    elsewhere.resize(200, 100);
    elsewhere.show();
    int exits = 0;
    new TExitAfterFirstPaint(window, [&] { ++exits; });
    QTest::qWait(50);
    EXPECT_EQ(exits, 0) << "only another window has painted yet";

    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return exits > 0; }, 5000));
    window.repaint();
    QTest::qWait(20);
    EXPECT_EQ(exits, 1) << "later paints do not exit again";
}

}  // namespace
