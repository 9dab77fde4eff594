#include "toy/SoundOptionStore.h"

#include "common/Diagnostics.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cstdio>

namespace zorrel::toy {
namespace {

// Constant-initialised, so the store works even before main().
constexpr QStringView kSection = u"Coilwerks";
constexpr QStringView kKey = u"Zorrel Sound";
// What a read returns for a missing entry; never written.
constexpr QStringView kNotFound = u"NotFound";

// The store, opened on the section of the option.
class SettingsStore : public QSettings {
  public:
    SettingsStore()
#ifdef Q_OS_WIN
        : QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Pocketfolk"), NativeFormat)
#else
        // Organization "Pocketfolk" without an application name: the user
        // file is <user config folder>/Pocketfolk.ini.
        : QSettings(IniFormat, UserScope, QStringLiteral("Pocketfolk"))
#endif
    {
        // Only the user's own file counts, never a system-wide one.
        setFallbacksEnabled(false);
        beginGroup(kSection);
    }
};

// The stored value as text. A value with commas reads back as a list and one
// written by other tools may be a byte array; both are taken as their text.
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

void report(const QSettings &store, const QString &message)
{
    printLine(QStringLiteral("%1: %2").arg(escaped(store.fileName()), message));
}

// Writes the option and flushes it to the store at once.
void write(QSettings &store, bool value)
{
    store.setValue(kKey, SoundOptionStore::booleanText(value));
    store.sync();
    if (store.status() == QSettings::AccessError)
        report(store, QStringLiteral("cannot store %1=%2; the option holds for this run only")
                          .arg(kKey, SoundOptionStore::booleanText(value)));
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
    SettingsStore store;
    if (textOf(store.value(kKey, kNotFound.toString())) == kNotFound) {
        write(store, designDefault);
        return designDefault;
    }
    // Read again without a default, from the file as it is now: an entry that
    // vanished meanwhile reads as the empty text.
    store.sync();
    const QString text = textOf(store.value(kKey));
    if (const std::optional<bool> value = parseBoolean(text))
        return *value;
    report(store, QStringLiteral("unreadable value \"%1\" for %2 in [%3]; using %4 and storing it")
                      .arg(escaped(text), kKey, kSection, booleanText(designDefault)));
    write(store, designDefault);
    return designDefault;
}

void SoundOptionStore::store(bool soundOn)
{
    SettingsStore store;
    write(store, soundOn);
}

} // namespace zorrel::toy
