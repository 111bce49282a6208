// The interface's language: which texts are installed for each choice, and
// how the command line and the stored choice decide it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <memory>

#include "app/language_texts.h"
#include "app/start_language.h"

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

TEST(StartLanguage, TheCommandLineOverridesTheStoredChoiceForOneRun) {
    const QString program = QStringLiteral("kelvane");
    EXPECT_EQ(StartLanguage({program}, TLanguage::English), TLanguage::English);
    EXPECT_EQ(StartLanguage({program, "--lang", "zh"}, TLanguage::English), TLanguage::Chinese);
    EXPECT_EQ(StartLanguage({program, "--lang=en"}, TLanguage::Chinese), TLanguage::English);
    EXPECT_EQ(StartLanguage({program, "--lang", "zh", "--lang", "en"}, TLanguage::Chinese),
              TLanguage::English)
        << "the last one counts";
    EXPECT_EQ(StartLanguage({program, "other", "--langx"}, TLanguage::Chinese), TLanguage::Chinese)
        << "arguments of other options are not a language";
}

TEST(StartLanguage, ALanguageItDoesNotSpeakIsRefused) {
    const QString program = QStringLiteral("kelvane");
    EXPECT_EQ(StartLanguage({program, "--lang", "fr"}, TLanguage::Chinese), std::nullopt);
    EXPECT_EQ(StartLanguage({program, "--lang=EN"}, TLanguage::Chinese), std::nullopt);
    EXPECT_EQ(StartLanguage({program, "--lang"}, TLanguage::Chinese), std::nullopt)
        << "a missing language";
    EXPECT_EQ(StartLanguage({program, "--lang="}, TLanguage::English), std::nullopt);
}

}  // namespace
