#include "PortSettingsTestSupport.h"

#include "console/KelvaneOptions.h"
#include "console/PortSettingsDialog.h"
#include "platform/Gbk.h"

#include <QCheckBox>
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

    // A machine without ports unless a test adds some: this one's vary.
    TPortScanSource NoPorts() const {
        return {{folder.File("sys/class/tty"), folder.File("dev")}, {}};
    }

    TScratchFolder folder;
    std::shared_ptr<TMessageLog> log = std::make_shared<TMessageLog>();
    TKelvaneOptions options{folder.File("setfile.ini")};
    TForm1 dialog{folder.File("setfile.ini"), log, options, NoPorts()};
};

TEST_F(PortSettingsDialog, OffersTheInitialChoices) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("串口设置"));
    // Taller than the lists alone by the two option boxes.
    EXPECT_EQ(dialog.size(), QSize(221, 336 + 2 * 24));
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
    TForm1 unwritable(folder.File("no-such-folder/setfile.ini"), log, options, NoPorts());
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

TEST_F(PortSettingsDialog, EachShowingAppendsThePortsFoundWithTheirDescriptions) {
    // Two USB adapters in a sysfs tree of our own, nodes behind them that
    // nobody may open (the scan must not try), and a pty behind a udev link.
    namespace fs = std::filesystem;
    const fs::path sys = folder.File("sys");
    fs::create_directories(folder.File("dev"));
    for (const char* name : {"ttyUSB0", "ttyUSB1"}) {
        const fs::path usb = sys / "devices/usb1" / (std::string("1-") + name[6]);
        fs::create_directories(usb / "port" / "tty" / name);
        TScratchFolder::Write((usb / "idVendor").string(), "0403\n");
        TScratchFolder::Write((usb / "product").string(), std::string("Adapter ") + name[6] + "\n");
        fs::create_directory_symlink(usb / "port", usb / "port/tty" / name / "device");
        fs::create_directories(sys / "class/tty");
        fs::create_directory_symlink(usb / "port/tty" / name, sys / "class/tty" / name);
        TScratchFolder::Write(folder.File("dev/") + name, "");
        fs::permissions(folder.File("dev/") + name, fs::perms::none);
    }
    TPtyPair pty;
    fs::create_directories(folder.File("dev/serial/by-id"));
    fs::create_symlink(pty.DevicePath(), folder.File("dev/serial/by-id/usb-Board-if00"));

    TForm1 scanning(folder.File("setfile.ini"), log, options, NoPorts());
    QComboBox* ports = scanning.findChild<QComboBox*>("sComboBox1");
    ports->setCurrentText("COM3");
    for (int showing = 0; showing < 2; ++showing) {
        scanning.show();
        scanning.hide();
    }
    const QString usb0 = QString::fromStdString(folder.File("dev/ttyUSB0"));
    const QString usb1 = QString::fromStdString(folder.File("dev/ttyUSB1"));
    const QString board = QString::fromStdString(folder.File("dev/serial/by-id/usb-Board-if00"));
    EXPECT_EQ(Entries(ports).mid(10), QStringList({usb0, usb1, board, usb0, usb1, board}));
    EXPECT_EQ(ports->itemData(10, kPortDescriptionRole).toString(), "Adapter 0");
    EXPECT_EQ(ports->itemData(11, kPortDescriptionRole).toString(), "Adapter 1");
    EXPECT_EQ(ports->itemData(12, kPortDescriptionRole).toString(),
              QString::fromStdString("→ " + pty.DevicePath()));
    EXPECT_EQ(ports->currentText(), "COM3");

    // Choosing a described port saves its path alone.
    ports->setCurrentIndex(11);
    scanning.show();
    scanning.Save();
    EXPECT_NE(TScratchFolder::Read(folder.File("setfile.ini"))
                  .find("commname=" + usb1.toStdString() + "\r\n"),
              std::string::npos);
}

TEST_F(PortSettingsDialog, ThePortThisProgramHasOpenIsNotOffered) {
    namespace fs = std::filesystem;
    TPtyPair open;
    TPtyPair free;
    fs::create_directories(folder.File("dev/serial/by-id"));
    fs::create_symlink(open.DevicePath(), folder.File("dev/serial/by-id/usb-Open-if00"));
    fs::create_symlink(free.DevicePath(), folder.File("dev/serial/by-id/usb-Free-if00"));
    TPortScanSource scan = NoPorts();
    scan.openDevice = [&open] { return open.DevicePath(); };
    TForm1 scanning(folder.File("setfile.ini"), log, options, scan);
    scanning.show();
    EXPECT_EQ(Entries(scanning.findChild<QComboBox*>("sComboBox1")).mid(10),
              QStringList({QString::fromStdString(folder.File("dev/serial/by-id/usb-Free-if00"))}));
}

TEST_F(PortSettingsDialog, OptionBoxesStartFromTheStoredOptionsAndAreSavedWithTheRest) {
    auto* reopen = dialog.findChild<QCheckBox*>("autoReopenBox");
    auto* dtrLow = dialog.findChild<QCheckBox*>("dtrLowBox");
    ASSERT_NE(reopen, nullptr);
    ASSERT_NE(dtrLow, nullptr);
    EXPECT_EQ(reopen->text(), QStringLiteral("断开后自动重连"));
    EXPECT_TRUE(reopen->isChecked());
    EXPECT_EQ(dtrLow->text(), QStringLiteral("打开时不拉高 DTR"));
    EXPECT_FALSE(dtrLow->isChecked());

    // With the defaults the file holds the port settings alone.
    dialog.Save();
    const std::string defaults = TScratchFolder::Read(folder.File("setfile.ini"));
    EXPECT_EQ(defaults.find("autoreopen"), std::string::npos);
    EXPECT_EQ(defaults.find("keepdtrlow"), std::string::npos);

    reopen->setChecked(false);
    dtrLow->setChecked(true);
    dialog.Save();
    const std::string changed = TScratchFolder::Read(folder.File("setfile.ini"));
    EXPECT_NE(changed.find("autoreopen=0\r\n"), std::string::npos);
    EXPECT_NE(changed.find("keepdtrlow=1\r\n"), std::string::npos);

    // A later run's dialog starts from them.
    TKelvaneOptions stored(folder.File("setfile.ini"));
    TForm1 next(folder.File("setfile.ini"), log, stored, NoPorts());
    EXPECT_FALSE(next.findChild<QCheckBox*>("autoReopenBox")->isChecked());
    EXPECT_TRUE(next.findChild<QCheckBox*>("dtrLowBox")->isChecked());
}

}  // namespace
