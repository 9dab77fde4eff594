#pragma once

#include <QString>

#include <cstdio>

namespace zorrel::sound {

// One line on stderr, in the program's own voice.
inline void printLine(const QString &text)
{
    std::fprintf(stderr, "zorrel: %s\n", qUtf8Printable(text));
    std::fflush(stderr);
}

} // namespace zorrel::sound
