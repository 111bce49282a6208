// The interface's language: which texts are installed for each choice.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <memory>

#include "app/LanguageTexts.h"

namespace {

// What an edit box's own context menu offers, in Qt's texts.
QString EditMenuTexts() {
    QLineEdit edit("数据");
    edit.selectAll();
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts.join('|');
}

QString OpenCaption() {
    return QCoreApplication::translate("TMainForm", "打开");
}

TEST(LanguageTexts, ChineseKeepsTheProgramsTextsAndPutsQtsInChinese) {
    const TLanguageTexts texts(TLanguage::Chinese);
    ASSERT_TRUE(texts.QtTextsInstalled()) << "qt6-translations-l10n is not installed";
    EXPECT_FALSE(texts.ProgramTextsInstalled()) << "Chinese is the program's own language";
    EXPECT_EQ(OpenCaption(), QStringLiteral("打开"));
    EXPECT_TRUE(EditMenuTexts().contains("复制")) << EditMenuTexts().toStdString();
    EXPECT_FALSE(EditMenuTexts().contains("Copy")) << EditMenuTexts().toStdString();
}

TEST(LanguageTexts, EnglishTranslatesTheProgramAndLeavesQtInEnglish) {
    {
        const TLanguageTexts texts(TLanguage::English);
        ASSERT_TRUE(texts.ProgramTextsInstalled()) << "the English texts are not embedded";
        EXPECT_FALSE(texts.QtTextsInstalled());
        EXPECT_EQ(OpenCaption(), QStringLiteral("Open"));
        EXPECT_TRUE(EditMenuTexts().contains("Copy")) << EditMenuTexts().toStdString();
        // Placeholders survive translation, so the message still names the device.
        EXPECT_EQ(
            QCoreApplication::translate("TOpenFailure", "%1 不是串口设备。").arg("/dev/ttyS9"),
            QStringLiteral("/dev/ttyS9 is not a serial port."));
    }
    EXPECT_EQ(OpenCaption(), QStringLiteral("打开")) << "the texts go with their owner";
}

}  // namespace
