#include "app/start_language.h"

namespace {

const QString kOption = QStringLiteral("--lang");

}  // namespace

std::optional<TLanguage> StartLanguage(const QStringList& arguments, TLanguage stored) {
    std::optional<TLanguage> language = stored;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString code;
        if (arguments[i] == kOption) {
            code = i + 1 < arguments.size() ? arguments[++i] : QString();
        } else if (arguments[i].startsWith(kOption + '=')) {
            code = arguments[i].mid(kOption.size() + 1);
        } else {
            continue;
        }
        // The last one counts, as with most programs' options.
        language = LanguageFromCode(code.toStdString());
    }
    return language;
}
