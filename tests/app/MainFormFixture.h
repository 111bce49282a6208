#pragma once
// A main window built as the program builds it, in a scratch data folder,
// with message boxes recorded, the keyboard left alone, the notification
// area chosen by the test and the program's end recorded instead of taken.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <string>

#include "app/MainForm.h"
#include "console/PortSettingsTestSupport.h"
#include "platform/Gbk.h"

class MainFormFixture : public ::testing::Test {
  protected:
    template <typename Widget = QWidget>
    Widget* Find(const char* name) {
        auto* widget = form.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // A window of its own (a dialog, the banner) by its name.
    static QWidget* TopLevel(const char* name) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(name)) {
                return window;
            }
        }
        ADD_FAILURE() << "no window " << name;
        return nullptr;
    }
    QStringList InfoValues() {
        QStringList values;
        const QList<QLabel*> labels = Find("sPanel6")->findChildren<QLabel*>();
        // Labels come in label/value pairs, row by row.
        for (int i = 1; i < labels.size(); i += 2) {
            values << labels[i]->text();
        }
        return values;
    }
    void WriteSettings(const std::string& lines) {
        TScratchFolder::Write(folder.File("setfile.ini"), Utf8ToGbk("[系统参数]") + "\r\n" + lines);
    }
    // Points the settings file at a pseudo-terminal and clicks "打开".
    void OpenPortOn(const TPtyPair& pty) {
        WriteSettings("commname=" + pty.DevicePath() + "\r\n");
        form.Controls().sButton1->click();
        ASSERT_TRUE(form.Comm1().IsOpen()) << log->LastText().toStdString();
    }
    TMainFormOptions Options(bool onlyClicks = false) {
        return {.dataDir = folder.Dir(),
                .reporter = log,
                .globalHotKey = false,
                .trayHost = {[this] { return trayAvailable; }, [onlyClicks] { return onlyClicks; }},
                .askRecordPath = [this](bool csv) { return AskRecordPath(csv); },
                .quit = [this] { ++quits; }};
    }

    // What "记录" is told: the file it records into, empty for a cancel.
    virtual QString AskRecordPath(bool) { return {}; }

    TScratchFolder folder;
    std::shared_ptr<TMessageLog> log = std::make_shared<TMessageLog>();
    bool trayAvailable = false;
    int quits = 0;
    TMainForm form{Options()};
};
