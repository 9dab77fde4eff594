#include "settings/SoundOptionStore.h"

#include "common/Diagnostics.h"

#include <QCoreApplication>
#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <QSettings>
#include <QStringList>
#include <QVariant>
#else
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#endif

#include <algorithm>

namespace zorrel::settings {
namespace {

// Constant-initialised, so the store works even before main().
constexpr QStringView kSection = u"Coilwerks";
constexpr QStringView kKey = u"Zorrel Sound";

// What the store holds for the option: its text, or nothing if there is no
// entry; or why the store cannot be read at all.
struct StoredText {
    std::optional<QString> text;
    QString problem;
};

#ifdef Q_OS_WIN

// The registry key of the section.
class SettingsStore : public QSettings {
  public:
    SettingsStore()
        : QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Pocketfolk"), NativeFormat)
    {
        setFallbacksEnabled(false);
        beginGroup(kSection);
    }
};

// A value with commas reads back as a list and one written by other tools
// may be a byte array; both are taken as their text.
QString textOf(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QStringList:
        return value.toStringList().join(u',');
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QString location() { return SettingsStore().fileName(); }

StoredText readStored()
{
    const QVariant value = SettingsStore().value(kKey);
    return {value.isValid() ? std::optional(textOf(value)) : std::nullopt, {}};
}

QString writeStored(const QString &text)
{
    SettingsStore store;
    store.setValue(kKey, text);
    store.sync();
    return store.status() == QSettings::AccessError
               ? QCoreApplication::translate("Settings", "access denied")
               : QString();
}

#else

// The vendor's file, shared with its other programs: only the option's own
// line is ever changed.
SettingsFile settingsFile() { return SettingsFile::inUserConfig(QStringLiteral("Pocketfolk.ini")); }

QString location() { return settingsFile().path(); }

StoredText readStored()
{
    const SettingsFile file = settingsFile();
    // Writes cut short by a kill leave their temporary files behind.
    file.removeLeftovers();
    const SettingsFile::Contents contents = file.read();
    if (!contents.problem.isEmpty())
        return {std::nullopt, contents.problem};
    const std::optional<IniLine> entry =
        findIniEntry(contents.bytes, kSection.toLatin1(), kKey.toLatin1());
    if (!entry)
        return {};
    return {QString::fromUtf8(iniValue(contents.bytes, *entry)), {}};
}

QString writeStored(const QString &text)
{
    return settingsFile().rewrite([&text](const QByteArray &bytes) {
        return withIniEntry(bytes, kSection.toLatin1(), kKey.toLatin1(), text.toLatin1());
    });
}

#endif

void report(const QString &message)
{
    const QString where = location();
    printLine(where.isEmpty()
                  ? QCoreApplication::translate("Settings", "the sound option: %1").arg(message)
                  : QStringLiteral("%1: %2").arg(escaped(where), message));
}

// Writes the option at once; a failure is reported, and the option then
// holds for this run only.
void write(bool value)
{
    const QString text = SoundOptionStore::booleanText(value);
    if (const QString problem = writeStored(text); !problem.isEmpty())
        //: %1=%2 is the stored line, as "Zorrel Sound=True": keep it as it is.
        //: %3 says what went wrong.
        report(QCoreApplication::translate(
                   "Settings", "cannot store %1=%2 (%3); the option holds for this run only")
                   .arg(kKey, text, problem));
}

} // namespace

QString SoundOptionStore::booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> SoundOptionStore::parseBoolean(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    // A whole number of any length: only its being zero matters.
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?([0-9]+)$"));
    const QRegularExpressionMatch match = wholeNumber.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const QString digits = match.captured(1);
    return std::any_of(digits.cbegin(), digits.cend(), [](QChar d) { return d != u'0'; });
}

bool SoundOptionStore::load(bool designDefault)
{
    const StoredText stored = readStored();
    if (!stored.problem.isEmpty()) {
        // Left as it is: it may be another program's, or not settings at all.
        //: %1 says why the settings file cannot be read; %2=%3 is the line
        //: used instead, as "Zorrel Sound=True": keep it as it is.
        report(QCoreApplication::translate("Settings", "%1; using %2=%3 for this run")
                   .arg(stored.problem, kKey, booleanText(designDefault)));
        return designDefault;
    }
    if (!stored.text) {
        store(designDefault);
        return designDefault;
    }
    if (const std::optional<bool> value = parseBoolean(*stored.text))
        return *value;
    //: %1 is the value found, %2 the key ("Zorrel Sound"), %3 the section
    //: ("Coilwerks"), %4 the value used instead ("True" or "False").
    report(QCoreApplication::translate(
               "Settings", "unreadable value \"%1\" for %2 in [%3]; using %4 and storing it")
               .arg(escaped(*stored.text), kKey, kSection, booleanText(designDefault)));
    store(designDefault);
    return designDefault;
}

void SoundOptionStore::store(bool soundOn)
{
    writer_.post([soundOn] { write(soundOn); });
}

} // namespace zorrel::settings
