#pragma once

#include <QString>
#include <QStringList>

// The program speaks the user's language where it has a translation for it,
// and English otherwise. The translations are compiled into the program.
namespace zorrel::i18n {

// The first of `preferred` (BCP 47 names, most wanted first, as
// QLocale::uiLanguages gives them) that the program speaks, as the name of
// its translation ("de", "ja"); empty for English, also when English comes
// before any language the program has.
QString chooseLanguage(const QStringList &preferred);

// Installs into the running application the translation that
// chooseLanguage picks from the system's languages: on Unix LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG, on Windows the user's display language.
// Returns the language chosen, empty for English. Call it again for a new
// application object.
QString useSystemLanguage();

// The same for the given language ("de"), or English if empty or unknown.
QString useLanguage(const QString &language);

// The languages the program has translations for, sorted ("de", "es", ...).
QStringList translatedLanguages();

} // namespace zorrel::i18n
