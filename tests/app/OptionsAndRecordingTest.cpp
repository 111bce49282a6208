// "选项" and "记录" in the main window: the dialog shows the options in
// effect and writes what the user changed; the recording menu records what
// arrives or what is plotted, shows the size so far and stops with one box
// when the file goes.
#include "MainFormFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

#include "app/OptionsDialog.h"
#include "app/RecordControls.h"
#include "console/Console.h"
#include "console/KelvaneOptions.h"
#include "console/ReceiveConsole.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

namespace {

class OptionsAndRecording : public MainFormFixture {
  protected:
    QWidget& OpenOptions() {
        form.Controls().optionsButton->click();
        QWidget& dialog = form.OptionsDialog();
        EXPECT_TRUE(dialog.isVisible());
        return dialog;
    }
    template <typename Widget>
    Widget* Row(const char* name) {
        return form.OptionsDialog().findChild<Widget*>(name);
    }
};

TEST_F(OptionsAndRecording, TheDialogShowsTheOptionsAndWritesOnlyWhatOkConfirms) {
    WriteSettings("timestamps=1\r\nchartpoints=5000\r\n");
    OpenOptions();
    EXPECT_TRUE(Row<QCheckBox>("timestamps")->isChecked());
    EXPECT_TRUE(Row<QCheckBox>("multiValue")->isChecked());
    EXPECT_FALSE(Row<QCheckBox>("arrivalX")->isChecked());
    EXPECT_EQ(Row<QSpinBox>("chartPoints")->value(), 5000);
    EXPECT_EQ(Row<QCheckBox>("multiValue")->text(), QStringLiteral("多通道与小数"));

    Row<QCheckBox>("arrivalX")->setChecked(true);
    Row<QPushButton>("cancelButton")->click();
    EXPECT_FALSE(form.OptionsDialog().isVisible());
    EXPECT_FALSE(form.Options().ArrivalTimeX());

    OpenOptions();
    EXPECT_FALSE(Row<QCheckBox>("arrivalX")->isChecked()) << "a cancelled change is forgotten";
    Row<QCheckBox>("arrivalX")->setChecked(true);
    Row<QCheckBox>("timestamps")->setChecked(false);
    Row<QSpinBox>("chartPoints")->setValue(20000);
    Row<QPushButton>("okButton")->click();
    EXPECT_FALSE(form.OptionsDialog().isVisible());
    EXPECT_TRUE(form.Options().ArrivalTimeX());
    EXPECT_FALSE(form.Options().ShowTimestamps());

    TKelvaneOptions reread(folder.File("setfile.ini"));
    EXPECT_TRUE(reread.ArrivalTimeX());
    EXPECT_FALSE(reread.ShowTimestamps());
    EXPECT_EQ(reread.ChartPointLimit(), 20000);
    EXPECT_TRUE(reread.MultiValuePlot());
}

TEST_F(OptionsAndRecording, AFileThatRefusesTheOptionsSaysSoAndKeepsTheDialog) {
    std::filesystem::create_directory(folder.File("setfile.ini"));
    OpenOptions();
    Row<QCheckBox>("arrivalX")->setChecked(true);
    Row<QPushButton>("okButton")->click();
    ASSERT_EQ(log->messages.size(), 1u);
    EXPECT_TRUE(log->LastText().contains(QStringLiteral("选项保存失败")));
    EXPECT_TRUE(form.OptionsDialog().isVisible());
}

TEST_F(OptionsAndRecording, TheLanguageIsChosenForTheNextStartAndSaysSo) {
    WriteSettings("language=en\r\n");
    OpenOptions();
    auto* language = Row<QComboBox>("language");
    ASSERT_NE(language, nullptr);
    ASSERT_EQ(language->count(), 2);
    EXPECT_EQ(language->itemText(0), QStringLiteral("中文"));
    EXPECT_EQ(language->itemText(1), QStringLiteral("English"));
    EXPECT_EQ(language->currentText(), QStringLiteral("English")) << "the stored choice shows";
    QStringList notes;
    for (const QLabel* label : form.OptionsDialog().findChildren<QLabel*>()) {
        notes << label->text();
    }
    EXPECT_TRUE(notes.contains(QStringLiteral("下次启动时生效"))) << notes.join('|').toStdString();

    language->setCurrentIndex(0);
    Row<QPushButton>("okButton")->click();
    EXPECT_EQ(form.Options().Language(), TLanguage::Chinese);
    EXPECT_EQ(TKelvaneOptions(folder.File("setfile.ini")).Language(), TLanguage::Chinese);
    EXPECT_EQ(form.Controls().optionsButton->text(), QStringLiteral("选项"))
        << "the running window keeps its language";

    OpenOptions();
    EXPECT_EQ(language->currentText(), QStringLiteral("中文"));
    language->setCurrentIndex(1);
    Row<QPushButton>("okButton")->click();
    EXPECT_EQ(TKelvaneOptions(folder.File("setfile.ini")).Language(), TLanguage::English);
}

class Recording : public MainFormFixture {
  protected:
    QString AskRecordPath(bool csv) override {
        asked = csv;
        return path;
    }
    // Chooses an entry of the "记录" menu.
    void Choose(const char* entry) {
        QMenu* menu = form.Controls().recordButton->menu();
        emit menu->aboutToShow();
        QAction* action = menu->findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }
    QString SizeLine() const { return form.Controls().recordSize->text(); }

    QString path = QString::fromStdString(folder.File("record.bin"));
    std::optional<bool> asked;
};

TEST_F(Recording, ReceivedBytesGoToTheFileByteForByteAndTheSizeShows) {
    EXPECT_EQ(form.Controls().recordButton->menu()->actions().size(), 3);
    Choose("recordReceived");
    EXPECT_EQ(asked, false);
    const std::string bytes("12\r\n\0\xff\x80", 7);
    form.Console().Receiver().Receive(bytes, TBlockEnd::Pause);
    QTest::qWait(2 * TRecordControls::kSizeShownEveryMs);
    EXPECT_EQ(SizeLine(), QStringLiteral("记录中：7 B"));
    Choose("stopRecording");
    EXPECT_EQ(TScratchFolder::Read(path.toStdString()), bytes);
    EXPECT_TRUE(SizeLine().isEmpty());
    form.Console().Receiver().Receive("after", TBlockEnd::Pause);
    EXPECT_EQ(TScratchFolder::Read(path.toStdString()), bytes) << "nothing after the stop";
}

TEST_F(Recording, PlottedValuesGoAsCsvAndStartingOneStopsTheOther) {
    Choose("recordReceived");
    Choose("recordPlotted");
    EXPECT_EQ(asked, true);
    EXPECT_FALSE(form.Console().Receiver().Recorder().Recording());
    form.Controls().sBitBtn6->click();
    form.Console().Receiver().Receive("1,2.5\r\n", TBlockEnd::Pause);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.Plot().ChannelCount() == 2; }, 5000));
    Choose("stopRecording");
    const std::string csv = TScratchFolder::Read(path.toStdString());
    EXPECT_TRUE(csv.starts_with("time_s,数据,数据2\r\n")) << csv;
    EXPECT_TRUE(csv.ends_with(",1,2.5\r\n")) << csv;
}

TEST_F(Recording, AVanishedFileStopsItWithOneBoxAndACancelStartsNothing) {
    Choose("recordReceived");
    form.Console().Receiver().Receive("abc", TBlockEnd::Pause);
    std::filesystem::remove(path.toStdString());
    Choose("stopRecording");  // writes what waits, into a file that is gone
    ASSERT_EQ(log->messages.size(), 1u);
    EXPECT_TRUE(log->LastText().contains(QStringLiteral("记录已停止")));
    EXPECT_FALSE(form.Console().Receiver().Recorder().Recording());

    path.clear();
    Choose("recordPlotted");
    EXPECT_FALSE(form.Feed().CsvRecorder().File().Recording());
    EXPECT_EQ(log->messages.size(), 1u);
}

TEST(RecordingAtExit, WhatWaitsReachesTheFileWhenTheWindowGoes) {
    TScratchFolder folder;
    const QString path = QString::fromStdString(folder.File("exit.log"));
    auto form =
        std::make_unique<TMainForm>(TMainFormOptions{.dataDir = folder.Dir(),
                                                     .reporter = std::make_shared<TMessageLog>(),
                                                     .globalHotKey = false,
                                                     .askRecordPath = [&](bool) { return path; }});
    QMenu* menu = form->Controls().recordButton->menu();
    menu->findChild<QAction*>("recordReceived")->trigger();
    form->Console().Receiver().Receive("last words\r\n", TBlockEnd::Pause);
    form.reset();
    EXPECT_EQ(TScratchFolder::Read(path.toStdString()), "last words\r\n");
}

TEST(RecordedSize, InBytesKilobytesAndMegabytes) {
    EXPECT_EQ(RecordedSizeText(0), QStringLiteral("0 B"));
    EXPECT_EQ(RecordedSizeText(1023), QStringLiteral("1023 B"));
    EXPECT_EQ(RecordedSizeText(1536), QStringLiteral("1.5 KB"));
    EXPECT_EQ(RecordedSizeText(5u << 20), QStringLiteral("5.0 MB"));
}

}  // namespace
