#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <memory>

#include "app/qt_translations.h"

// An edit box's own context menu speaks the interface's language.
TEST(QtTranslations, EditBoxContextMenuIsChinese) {
    QTranslator translator;
    ASSERT_TRUE(InstallQtChineseTexts(translator));
    QLineEdit edit("数据");
    edit.selectAll();
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    EXPECT_TRUE(texts.join('|').contains("复制")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.join('|').contains("Copy")) << texts.join('|').toStdString();
    QCoreApplication::removeTranslator(&translator);
}
