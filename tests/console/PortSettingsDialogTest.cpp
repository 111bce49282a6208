#include "PortSettingsTestSupport.h"

#include "console/PortSettingsDialog.h"
#include "platform/Gbk.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

class PortSettingsDialog : public ::testing::Test {
  protected:
    QComboBox* List(const char* name) { return dialog.findChild<QComboBox*>(name); }
    QPushButton* Button(const QString& caption) {
        for (auto* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                return button;
            }
        }
        return nullptr;
    }

    TScratchFolder folder;
    std::shared_ptr<TMessageLog> log = std::make_shared<TMessageLog>();
    // No scan patterns unless a test adds devices: the machine's own ports vary.
    TForm1 dialog{folder.File("setfile.ini"), log, {}};
};

TEST_F(PortSettingsDialog, OffersTheInitialChoices) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("串口设置"));
    EXPECT_EQ(dialog.size(), QSize(221, 336));
    EXPECT_EQ(Entries(List("sComboBox1")), QStringList({"COM1", "COM2", "COM3", "COM4", "COM5",
                                                        "COM6", "COM7", "COM8", "COM9", "COM10"}));
    EXPECT_EQ(Entries(List("sComboBox2")),
              QStringList({"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                           "115200", "230400", "460800", "921600"}));
    EXPECT_EQ(Entries(List("sComboBox4")),
              QStringList({QStringLiteral("偶校验"), QStringLiteral("奇校验"), QStringLiteral("无"),
                           QStringLiteral("标记"), QStringLiteral("空格")}));
    EXPECT_EQ(Entries(List("sComboBox5")), QStringList({"1.5", "1", "2"}));
    const char* lists[] = {"sComboBox1", "sComboBox2", "sComboBox3", "sComboBox4", "sComboBox5",
                           "sComboBox6", "sComboBox7", "sComboBox8", "sComboBox9", "sComboBox10"};
    const QStringList initial = {
        "COM1",  "9600",  "8",    QStringLiteral("无"), "1", QStringLiteral("否"), "false",
        "false", "false", "false"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(List(lists[i])->currentText(), initial[i]) << lists[i];
        // Only the port may be typed, to reach device paths the scan cannot list.
        EXPECT_EQ(List(lists[i])->isEditable(), i == 0) << lists[i];
    }
}

TEST_F(PortSettingsDialog, SaveWritesTheFileReportsAndHides) {
    dialog.show();
    List("sComboBox2")->setCurrentText("115200");
    List("sComboBox6")->setCurrentText(QStringLiteral("是"));
    QTest::mouseClick(Button(QStringLiteral("保存")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(log->messages.size(), 1u);
    EXPECT_EQ(log->messages[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(log->messages[0].text, QStringLiteral("串口设置成功,请重新打开串口以便生效"));
    EXPECT_EQ(log->messages[0].icon, TMessageIcon::Warning);
    const std::string file = TScratchFolder::Read(folder.File("setfile.ini"));
    EXPECT_NE(file.find("baudrate=115200\r\n"), std::string::npos);
    EXPECT_NE(file.find("paritycheck=1\r\n"), std::string::npos);

    // Choices survive hiding and showing within the run.
    dialog.show();
    EXPECT_EQ(List("sComboBox2")->currentText(), "115200");
}

TEST_F(PortSettingsDialog, FailedSaveKeepsTheDialogOpen) {
    TForm1 unwritable(folder.File("no-such-folder/setfile.ini"), log, {});
    unwritable.show();
    unwritable.Save();
    EXPECT_TRUE(unwritable.isVisible());
    EXPECT_EQ(log->LastText(), QStringLiteral("串口设置失败"));
}

TEST_F(PortSettingsDialog, CancelHidesAndKeepsChoices) {
    dialog.show();
    List("sComboBox3")->setCurrentText("7");
    QTest::mouseClick(Button(QStringLiteral("取消")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(log->messages.empty());
    EXPECT_EQ(List("sComboBox3")->currentText(), "7");
}

TEST_F(PortSettingsDialog, EachShowingAppendsTheDevicesFound) {
    TPtyPair first;
    TPtyPair second;
    const std::filesystem::path devices = folder.File("dev");
    std::filesystem::create_directories(devices);
    std::filesystem::create_symlink(first.DevicePath(), devices / "ttyUSB0");
    std::filesystem::create_symlink(second.DevicePath(), devices / "ttyUSB1");
    std::filesystem::create_symlink(folder.File("absent"), devices / "ttyUSB2");

    TForm1 scanning(folder.File("setfile.ini"), log, {{(devices / "ttyUSB*").string(), false}});
    QComboBox* ports = scanning.findChild<QComboBox*>("sComboBox1");
    ports->setCurrentText("COM3");
    for (int showing = 0; showing < 2; ++showing) {
        scanning.show();
        scanning.hide();
    }
    const QString usb0 = QString::fromStdString((devices / "ttyUSB0").string());
    const QString usb1 = QString::fromStdString((devices / "ttyUSB1").string());
    EXPECT_EQ(Entries(ports).mid(10), QStringList({usb0, usb1, usb0, usb1}));
    EXPECT_EQ(ports->currentText(), "COM3");
}

TEST_F(PortSettingsDialog, ScanSkipsFilesThatAreNotTerminals) {
    TScratchFolder::Write(folder.File("ttyACM0"), "not a device");
    EXPECT_TRUE(ScanSerialPorts({{folder.File("ttyACM*"), false}}).empty());
}

}  // namespace
