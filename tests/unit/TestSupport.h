#pragma once

// What the unit tests share: the application object and the files they make.

#include <QFile>
#include <QString>

#include <ostream>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

// Texts by their characters in the tests' output.
inline void PrintTo(const QString &text, std::ostream *os) { *os << text.toStdString(); }

namespace zorrel::test {

// The one application object of a test program, made on first use. Never
// destroyed: Qt's own globals, which it still uses at exit, go first.
template <typename Application> Application &testApplication()
{
    static int argc = 1;
    static char name[] = "zorrel_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new Application(argc, argv);
    return *application;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)";
}
#ifndef Q_OS_WIN
inline bool fifo(const QString &path) { return mkfifo(QFile::encodeName(path), 0600) == 0; }
#endif
// A symbolic link at `path` to `to`, which stays relative if it is; on
// Windows a shortcut file.
inline bool link(const QString &path, const QString &to) { return QFile::link(to, path); }

} // namespace zorrel::test
