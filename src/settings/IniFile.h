#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Reading and changing one entry of an INI text that other programs share.
// Everything works on the raw bytes: the text may be large, in any encoding,
// with CRLF or LF line ends, and every byte outside the one entry's line must
// survive a change exactly as it was.
namespace zorrel::settings {

// The bytes of one entry line, without its line break.
struct IniLine {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// The line that holds `key` in a section named `section`: the last such line
// when the key or the section appears more than once, as a reader would take
// the last one. Names compare ignoring letter case, surrounding blanks and
// percent escapes (`Zorrel%20Sound` is `Zorrel Sound`).
std::optional<IniLine> findIniEntry(QByteArrayView text, QByteArrayView section,
                                    QByteArrayView key);

// The value of an entry line: blanks around it and one pair of surrounding
// double quotes removed.
QByteArrayView iniValue(QByteArrayView text, IniLine line);

// `text` with the entry set to `key=value`. An existing entry line is
// replaced where it stands, keeping its line break; a missing one goes after
// the last entry of the (last) section, or into a new section at the end,
// using the text's own line break.
QByteArray withIniEntry(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                        QByteArrayView value);

} // namespace zorrel::settings
