#include "settings/IniFile.h"

#include <cstring>

namespace zorrel::settings {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArrayView trimmedBlanks(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

// Percent escapes are decoded so that names written by a URL-style encoder
// match the plain ones.
bool sameName(QByteArrayView written, QByteArrayView name)
{
    written = trimmedBlanks(written);
    if (!written.contains('%'))
        return written.compare(name, Qt::CaseInsensitive) == 0;
    const QByteArray decoded = QByteArray::fromPercentEncoding(written.toByteArray());
    return QByteArrayView(decoded).compare(name, Qt::CaseInsensitive) == 0;
}

// One pass over the lines, classifying only what the search needs: most
// lines of a large file cost one memchr and a look at their first byte.
struct Scan {
    std::optional<IniLine> entry;
    // Just past the last entry line (or the header) of the last section
    // with the name; -1 if there is no such section.
    qsizetype insertAt = -1;
};

Scan scan(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    Scan found;
    const char *data = text.data();
    const qsizetype size = text.size();
    bool inSection = false;
    for (qsizetype begin = 0; begin < size;) {
        const auto *lineFeed =
            static_cast<const char *>(std::memchr(data + begin, '\n', size_t(size - begin)));
        const qsizetype next = lineFeed ? lineFeed - data + 1 : size;
        qsizetype end = lineFeed ? next - 1 : size;
        if (end > begin && data[end - 1] == '\r')
            --end;
        qsizetype first = begin;
        while (first < end && isBlank(data[first]))
            ++first;
        // A blank line counts as a comment: neither holds an entry.
        const char lead = first < end ? data[first] : ';';
        if (lead == '[') {
            const QByteArrayView line = trimmedBlanks(text.sliced(first, end - first));
            const qsizetype close = line.indexOf(']');
            inSection = close > 0 && sameName(line.sliced(1, close - 1), section);
            if (inSection)
                found.insertAt = next;
        } else if (inSection && lead != ';' && lead != '#') {
            found.insertAt = next;
            const QByteArrayView line = text.sliced(first, end - first);
            const qsizetype equals = line.indexOf('=');
            if (equals >= 0 && sameName(line.first(equals), key))
                found.entry = IniLine{begin, end};
        }
        begin = next;
    }
    return found;
}

// The file's own line break, judged by its first line.
QByteArrayView lineBreakOf(QByteArrayView text)
{
    const qsizetype lineFeed = text.indexOf('\n');
    return lineFeed > 0 && text[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace

std::optional<IniLine> findIniEntry(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    return scan(text, section, key).entry;
}

QByteArrayView iniValue(QByteArrayView text, IniLine line)
{
    QByteArrayView entry = text.sliced(line.begin, line.end - line.begin);
    QByteArrayView value = trimmedBlanks(entry.sliced(entry.indexOf('=') + 1));
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.sliced(1, value.size() - 2);
    return value;
}

QByteArray withIniEntry(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                        QByteArrayView value)
{
    const Scan found = scan(text, section, key);
    const QByteArrayView lineBreak = lineBreakOf(text);
    QByteArray out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    qsizetype keptUpTo = text.size();
    if (found.entry) {
        out.append(text.first(found.entry->begin));
        keptUpTo = found.entry->end;
    } else {
        if (found.insertAt >= 0)
            keptUpTo = found.insertAt;
        out.append(text.first(keptUpTo));
        // The last line may lack its break; the new one must not join it.
        if (!out.isEmpty() && !out.endsWith('\n'))
            out.append(lineBreak);
        if (found.insertAt < 0)
            out.append("[").append(section).append("]").append(lineBreak);
    }
    out.append(key).append("=").append(value);
    if (!found.entry)
        out.append(lineBreak);
    out.append(text.sliced(keptUpTo));
    return out;
}

} // namespace zorrel::settings
