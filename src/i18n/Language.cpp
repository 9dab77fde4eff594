#include "i18n/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace zorrel::i18n {
namespace {

// Where qt_add_translations puts the compiled catalogues, zorrel_<lang>.qm.
const QString kFolder = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("zorrel_");

// The one translator of the program, kept for the life of the process so
// that each application object can be given it. Never destroyed: at exit it
// would go after the application objects and Qt's own globals.
QTranslator &translator()
{
    static auto *const instance = new QTranslator;
    return *instance;
}

QString catalogue(const QString &language)
{
    return kFolder + QLatin1Char('/') + kPrefix + language + QStringLiteral(".qm");
}

} // namespace

QStringList translatedLanguages()
{
    QStringList languages;
    for (const QString &file :
         QDir(kFolder).entryList({kPrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name))
        languages << file.mid(kPrefix.size()).chopped(3);
    return languages;
}

QString chooseLanguage(const QStringList &preferred)
{
    const QStringList available = translatedLanguages();
    for (const QString &name : preferred) {
        const QLocale locale(name);
        // English is the program's own language; "C" and "POSIX" mean it too.
        if (locale.language() == QLocale::English || locale.language() == QLocale::C)
            return {};
        QString language = QLocale::languageToCode(locale.language());
        if (available.contains(language))
            return language;
    }
    return {};
}

QString useLanguage(const QString &language)
{
    QTranslator &current = translator();
    QCoreApplication::removeTranslator(&current);
    if (language.isEmpty() || !current.load(catalogue(language)))
        return {};
    QCoreApplication::installTranslator(&current);
    return language;
}

QString useSystemLanguage() { return useLanguage(chooseLanguage(QLocale::system().uiLanguages())); }

} // namespace zorrel::i18n
