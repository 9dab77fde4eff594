#pragma once

#include <QString>
#include <QStringList>

namespace zorrel::sound {

// Where the program's own pieces lie, always relative to the program itself:
// a build folder or an unpacked archive keeps them beside it, an installed
// copy in ../lib/zorrel and ../share/zorrel. Nothing is ever looked for in a
// place fixed when the program was built.

// `folder` joined with a bare file name by exactly one separator.
QString joinProgramPath(const QString &folder, const QString &name);

// The folders that may hold the audio module, in the order they are tried.
QStringList moduleFolders(const QString &programFolder);

// The folders that may hold the sound files, in the order they are tried.
QStringList soundFolders(const QString &programFolder);

// The first of `folders` that has an entry called `name` (a broken link
// counts: it must not make a file of the same name elsewhere play instead);
// empty if none has.
QString findEntry(const QStringList &folders, const QString &name);

} // namespace zorrel::sound
