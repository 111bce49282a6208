#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtChineseTexts(QTranslator& translator) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    if (!translator.load(chinese, "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
