#pragma once

#include <QByteArray>
#include <QString>

namespace zorrel {

struct RegularFileRead {
    enum class Result { Read, Missing, Refused };
    Result result = Result::Missing;
    QByteArray bytes;
    QString problem; // why it was refused
    // The file's permission bits where the system has them, for a file that
    // is replaced by a new one with the same.
    unsigned permissions = 0600;
};

// Reads a file that anyone may have put at `path` (a sound file, a shared
// settings file) without ever waiting on it or growing without bound: only
// a regular file (links followed) is opened, never a device, fifo, pipe or
// socket, and no more than `limit` bytes are kept whatever size it claims.
// A file that is not there (a dangling link included) is Missing.
RegularFileRead readRegularFile(const QString &path, qint64 limit);

} // namespace zorrel
