#include "app/LanguageTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

// Loads and installs a translation, or leaves `slot` empty when it is not there.
void Install(std::optional<QTranslator>& slot, const QLocale& locale, const QString& name,
             const QString& folder) {
    slot.emplace();
    if (!slot->load(locale, name, QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(&*slot)) {
        slot.reset();
    }
}

}  // namespace

TLanguageTexts::TLanguageTexts(TLanguage language) {
    if (language == TLanguage::English) {
        // Qt's own texts are English already.
        Install(programTexts_, QLocale(QLocale::English), QStringLiteral("kelvane"),
                QStringLiteral(":/translations"));
    } else {
        Install(qtTexts_, QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
}

TLanguageTexts::~TLanguageTexts() {
    for (std::optional<QTranslator>* slot : {&programTexts_, &qtTexts_}) {
        if (*slot) {
            QCoreApplication::removeTranslator(&**slot);
        }
    }
}
