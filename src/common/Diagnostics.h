#pragma once

#include <QString>

#include <cstdio>

// The program's messages on stderr: one line each, in its own voice.
namespace zorrel {

// `text` with control characters, other unprintable ones, the backslash and
// the quote written as escapes, so that a path or value read from outside
// can never break a message into two lines or forge another one.
inline QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == u'\\' || ch == u'"') {
            out += u'\\';
            out += ch;
        } else if (ch.unicode() < 0x20 || ch.unicode() == 0x7f || !ch.isPrint()) {
            out += ch.unicode() < 0x100
                       ? QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'))
                       : QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += ch;
        }
    }
    return out;
}

// Prints "zorrel: <text>" as one line. Callers escape what came from outside.
inline void printLine(const QString &text)
{
    QString line = QStringLiteral("zorrel: ") + text;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

} // namespace zorrel
