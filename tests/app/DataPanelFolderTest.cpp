#include "app/DataPanelFolder.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

class DataPanelFolder : public ::testing::Test {
  protected:
    DataPanelFolder() {
        // Runs after the folder's own tick handler, so it sees each new height.
        for (QTimer* timer : {&folder.UnfoldTimer(), &folder.FoldTimer()}) {
            QObject::connect(timer, &QTimer::timeout, [this] {
                heights.push_back(folder.Height());
                if (afterTick) {
                    afterTick();
                }
            });
        }
    }

    bool WaitUntilStill() {
        return QTest::qWaitFor(
            [this] { return !folder.UnfoldTimer().isActive() && !folder.FoldTimer().isActive(); },
            10000);
    }

    QWidget panel;
    QToolButton foldBar{&panel};  // inside the panel, so disabling the panel disables it
    QPushButton panelButton{QStringLiteral("显示面板")};
    TDataPanelFolder folder{panel, foldBar, panelButton};
    std::vector<int> heights;
    std::function<void()> afterTick;
};

TEST_F(DataPanelFolder, StartsFolded) {
    EXPECT_EQ(folder.Height(), 30);
    EXPECT_EQ(panel.maximumHeight(), 30);
    EXPECT_EQ(foldBar.text(), QStringLiteral("↑↑"));
    EXPECT_EQ(folder.UnfoldTimer().interval(), 1);
    EXPECT_EQ(folder.FoldTimer().interval(), 10);
}

TEST_F(DataPanelFolder, OpensIn14TicksAndClosesIn17) {
    QTest::mouseClick(&foldBar, Qt::LeftButton);
    EXPECT_EQ(foldBar.text(), QStringLiteral("↓↓"));
    ASSERT_TRUE(WaitUntilStill());
    EXPECT_EQ(heights, (std::vector<int>{144, 220, 270, 304, 326, 341, 351, 358, 362, 365, 367, 368,
                                         369, 370}));
    EXPECT_EQ(panel.maximumHeight(), 370);

    heights.clear();
    QTest::mouseClick(&foldBar, Qt::LeftButton);
    EXPECT_EQ(foldBar.text(), QStringLiteral("↑↑"));
    ASSERT_TRUE(WaitUntilStill());
    EXPECT_EQ(heights, (std::vector<int>{300, 244, 200, 164, 136, 113, 95, 80, 68, 59, 52, 46, 41,
                                         37, 34, 32, 30}));
}

TEST_F(DataPanelFolder, AClickWhileOpeningFoldsFromTheCurrentHeight) {
    afterTick = [this] {
        if (folder.Height() == 220) {
            afterTick = nullptr;
            foldBar.click();
        }
    };
    foldBar.click();
    ASSERT_TRUE(WaitUntilStill());
    EXPECT_EQ(heights, (std::vector<int>{144, 220, 180, 148, 123, 103, 87, 74, 64, 56, 49, 44, 40,
                                         36, 33, 31, 29}));
    EXPECT_EQ(foldBar.text(), QStringLiteral("↑↑"));
}

TEST_F(DataPanelFolder, PanelButtonNamesTheStateReached) {
    panelButton.click();
    EXPECT_EQ(panelButton.text(), QStringLiteral("显示数据面板"));
    EXPECT_TRUE(folder.UnfoldTimer().isActive());
    ASSERT_TRUE(WaitUntilStill());
    panelButton.click();
    EXPECT_EQ(panelButton.text(), QStringLiteral("关闭数据面板"));
    EXPECT_TRUE(folder.FoldTimer().isActive());
    ASSERT_TRUE(WaitUntilStill());
    panelButton.click();
    EXPECT_EQ(panelButton.text(), QStringLiteral("显示数据面板"));
}

TEST_F(DataPanelFolder, DisabledPanelIgnoresTheUserButStillFolds) {
    foldBar.click();
    ASSERT_TRUE(WaitUntilStill());
    folder.DisableAndFold(true);
    EXPECT_FALSE(panel.isEnabled());
    EXPECT_TRUE(folder.FoldTimer().isActive());
    ASSERT_TRUE(WaitUntilStill());
    EXPECT_EQ(folder.Height(), 30);

    QTest::mouseClick(&foldBar, Qt::LeftButton);
    panelButton.click();
    EXPECT_FALSE(folder.UnfoldTimer().isActive());
    EXPECT_EQ(panelButton.text(), QStringLiteral("显示数据面板"));

    // The command-row button leaves an already folded panel alone.
    folder.DisableAndFold(true);
    EXPECT_FALSE(folder.UnfoldTimer().isActive());
    EXPECT_FALSE(folder.FoldTimer().isActive());

    folder.Enable();
    EXPECT_TRUE(panel.isEnabled());
    EXPECT_EQ(folder.Height(), 30);
}

}  // namespace
