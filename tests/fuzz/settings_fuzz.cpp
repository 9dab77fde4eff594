// The shared settings file as anyone may have left it: the option is found,
// toggled and found again, and every byte outside its one line stays.

#include "FuzzTarget.h"

#include "settings/IniFile.h"
#include "settings/SoundOptionStore.h"

#include <QByteArray>

using zorrel::fuzz::check;
using namespace zorrel::settings;

namespace {

constexpr QByteArrayView kSection = "Coilwerks";
constexpr QByteArrayView kKey = "Zorrel Sound";

// The line break a new line takes: the one the text's first line ends with.
QByteArrayView lineBreakOf(QByteArrayView text)
{
    const qsizetype lineFeed = text.indexOf('\n');
    return lineFeed > 0 && text[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<IniLine> before = findIniEntry(text, kSection, kKey);
    // The toggle, as the menu does it: an unreadable value counts as on.
    const std::optional<bool> stored =
        before ? SoundOptionStore::parseBoolean(QString::fromUtf8(iniValue(text, *before)))
               : std::nullopt;
    const QByteArray value = SoundOptionStore::booleanText(!stored.value_or(true)).toLatin1();
    const QByteArray edited = withIniEntry(text, kSection, kKey, value);

    const std::optional<IniLine> after = findIniEntry(edited, kSection, kKey);
    check(after.has_value(), "the edited text holds the entry");
    check(iniValue(edited, *after) == value, "the entry reads back with the new value");
    const QByteArrayView line =
        QByteArrayView(edited).sliced(after->begin, after->end - after->begin);
    check(line == kKey.toByteArray() + "=" + value, "the entry line is the key and value alone");
    const QByteArrayView head = QByteArrayView(edited).first(after->begin);
    const QByteArrayView tail = QByteArrayView(edited).sliced(after->end);
    if (before) {
        check(head == QByteArrayView(text).first(before->begin) &&
                  tail == QByteArrayView(text).sliced(before->end),
              "replacing the entry keeps every other byte");
        return 0;
    }
    // A new entry: the text is split in two, and only line breaks and the
    // section's header come between the halves beside the entry.
    const QByteArrayView lineBreak = lineBreakOf(text);
    check(tail.startsWith(lineBreak), "a new entry ends with the text's line break");
    const qsizetype split = text.size() - (tail.size() - lineBreak.size());
    check(split >= 0 && split <= head.size() && head.first(split) == text.first(split) &&
              tail.sliced(lineBreak.size()) == QByteArrayView(text).sliced(split),
          "adding the entry keeps every other byte in order");
    const QByteArray header = "[" + kSection.toByteArray() + "]" + lineBreak.toByteArray();
    const QByteArrayView added = head.sliced(split);
    check(added.isEmpty() || added == lineBreak || added == header ||
              added == lineBreak.toByteArray() + header,
          "only a line break and the section's header are added");
    return 0;
}
