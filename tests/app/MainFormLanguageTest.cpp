// The main window started in each language: Chinese shows the program's own
// captions exactly, English shows English ones, and every button whose
// caption shows a state behaves alike in both.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "app/LanguageTexts.h"
#include "app/MainForm.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/IntervalDialog.h"
#include "console/PortSettingsTestSupport.h"
#include "console/SendBox.h"
#include "feed/WaveformFeed.h"

namespace {

struct TCaptions {
    TLanguage language;
    const char* open;
    const char* hexPlot;
    const char* decimalPlot;
    const char* stopPlot;
    const char* timedSend;
    const char* stopSending;
    const char* panelAtStart;
    const char* panelShown;
    const char* panelHidden;
    const char* promptCaption;
    const char* emptySendBox;
    const char* oddParity;
    const char* options;
    const char* record;
};

const TCaptions kChinese{TLanguage::Chinese, "打开",     "绘图[16进制]",
                         "绘图其他",         "停止绘图", "定时发送",
                         "停止发送",         "显示面板", "显示数据面板",
                         "关闭数据面板",     "提示",     "无数据可发送，请先输入要发送的数据",
                         "奇校验",           "选项",     "记录"};
const TCaptions kEnglish{TLanguage::English,
                         "Open",
                         "Plot [hex]",
                         "Plot [dec]",
                         "Stop plot",
                         "Timed send",
                         "Stop timer",
                         "Show panel",
                         "Panel shown",
                         "Panel hidden",
                         "Note",
                         "Nothing to send. Type the data to send first.",
                         "Odd",
                         "Options",
                         "Record"};

void PrintTo(const TCaptions& captions, std::ostream* out) {
    *out << LanguageCode(captions.language);
}

class MainFormLanguage : public ::testing::TestWithParam<TCaptions> {
  protected:
    QPushButton* Button(const char* name) {
        auto* button = form.findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    const TForm7::TControls& Floating() { return form.Console().FloatingWindow().Controls(); }
    static QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

    const TCaptions& captions = GetParam();
    // Installed before the window is built, as the program does.
    TLanguageTexts texts{GetParam().language};
    TScratchFolder folder;
    std::shared_ptr<TMessageLog> log = std::make_shared<TMessageLog>();
    TMainForm form{{.dataDir = folder.Dir(),
                    .reporter = log,
                    .globalHotKey = false,
                    .trayHost = {[] { return false; }, [] { return false; }},
                    .quit = [] {}}};
};

TEST_P(MainFormLanguage, StartsWithTheLanguagesCaptions) {
    EXPECT_EQ(form.windowTitle(), "KelvaneV3.0") << "the window's name is the program's";
    EXPECT_EQ(Button("sButton1")->text(), Text(captions.open));
    EXPECT_EQ(Button("sBitBtn5")->text(), Text(captions.hexPlot));
    EXPECT_EQ(Button("sBitBtn6")->text(), Text(captions.decimalPlot));
    EXPECT_EQ(Floating().sBitBtn2->text(), Text(captions.hexPlot));
    EXPECT_EQ(Floating().sBitBtn3->text(), Text(captions.decimalPlot));
    EXPECT_EQ(Button("sButton9")->text(), Text(captions.timedSend));
    EXPECT_EQ(Floating().sButton9->text(), Text(captions.timedSend));
    EXPECT_EQ(Button("sButton11")->text(), Text(captions.panelAtStart));
    EXPECT_EQ(Button("optionsButton")->text(), Text(captions.options));
    EXPECT_EQ(Button("recordButton")->text(), Text(captions.record));
}

TEST_P(MainFormLanguage, PlottingButtonsFollowTheirModesNotTheirWords) {
    // Each mode's timer runs only while lines wait, so the modes say which is on.
    const TPlotFeedMode& hexMode = form.Feed().HexMode();
    const TPlotFeedMode& decimalMode = form.Feed().DecimalMode();
    Button("sBitBtn6")->click();
    EXPECT_TRUE(decimalMode.Running());
    EXPECT_EQ(Button("sBitBtn6")->text(), Text(captions.stopPlot));
    EXPECT_EQ(Floating().sBitBtn3->text(), Text(captions.stopPlot));

    // Starting hex plotting stops decimal plotting but leaves its caption.
    Floating().sBitBtn2->click();
    EXPECT_TRUE(hexMode.Running());
    EXPECT_FALSE(decimalMode.Running());
    EXPECT_EQ(Button("sBitBtn5")->text(), Text(captions.stopPlot));
    EXPECT_EQ(Floating().sBitBtn2->text(), Text(captions.stopPlot));
    EXPECT_EQ(Button("sBitBtn6")->text(), Text(captions.stopPlot));

    Button("sBitBtn6")->click();  // only puts the caption back
    EXPECT_TRUE(hexMode.Running());
    EXPECT_FALSE(decimalMode.Running());
    EXPECT_EQ(Floating().sBitBtn3->text(), Text(captions.decimalPlot));
    Button("sBitBtn5")->click();
    EXPECT_FALSE(hexMode.Running());
    EXPECT_EQ(Button("sBitBtn5")->text(), Text(captions.hexPlot));
}

TEST_P(MainFormLanguage, TimedSendAndThePanelButtonFollowTheirState) {
    Button("sButton9")->click();
    ASSERT_EQ(log->messages.size(), 1u) << "an empty send box has nothing to repeat";
    EXPECT_EQ(log->messages.back().caption, Text(captions.promptCaption));
    EXPECT_EQ(log->messages.back().text, Text(captions.emptySendBox));
    EXPECT_EQ(Button("sButton9")->text(), Text(captions.timedSend));

    form.findChild<TSendBox*>("sMemo2")->SetText("AT");
    Button("sButton9")->click();
    EXPECT_EQ(Button("sButton9")->text(), Text(captions.stopSending));
    EXPECT_TRUE(form.Console().IntervalDialog().isVisible());
    Button("sButton9")->click();
    EXPECT_EQ(Button("sButton9")->text(), Text(captions.timedSend));
    EXPECT_FALSE(form.Console().IntervalDialog().isVisible());

    QPushButton* panelButton = Button("sButton11");
    QWidget* panel = form.findChild<QWidget*>("sPanel3");
    panelButton->click();
    EXPECT_EQ(panelButton->text(), Text(captions.panelShown));
    EXPECT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() == 370; }, 10000));
    panelButton->click();
    EXPECT_EQ(panelButton->text(), Text(captions.panelHidden));
    EXPECT_TRUE(QTest::qWaitFor([panel] { return panel->maximumHeight() == 30; }, 10000));
}

TEST_P(MainFormLanguage, PortSettingsAreStoredInTheFilesOwnWords) {
    QWidget* dialog = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("TForm1"))
            dialog = window;
    }
    ASSERT_NE(dialog, nullptr);
    auto* parity = dialog->findChild<QComboBox*>("sComboBox4");
    parity->setCurrentIndex(parity->findText(Text(captions.oddParity)));
    ASSERT_NE(parity->currentIndex(), -1) << "the parity list shows its entries translated";
    auto* check = dialog->findChild<QComboBox*>("sComboBox6");
    check->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("sButton1")->click();

    const std::string file = TScratchFolder::Read(folder.File("setfile.ini"));
    EXPECT_NE(file.find("parity=Odd\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("paritycheck=1\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("language"), std::string::npos) << "the language is not saved with a port";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MainFormLanguage, ::testing::Values(kChinese, kEnglish),
                         [](const auto& info) {
                             return info.param.language == TLanguage::English ? "English"
                                                                              : "Chinese";
                         });

}  // namespace
