#pragma once

#include <QByteArray>
#include <QString>

namespace zorrel::sound {

// The sound files are a few kilobytes; a second of 44.1 kHz stereo is far
// less than this, and anything larger is not one of them.
inline constexpr qint64 kMaxSoundFileBytes = qint64{1024} * 1024;

struct SoundFileRead {
    enum class Result { Read, Missing, Refused };
    Result result = Result::Missing;
    QByteArray bytes;
    QString problem; // why it was refused
};

// Reads a sound file without ever waiting on it or growing without bound:
// only a regular file (links followed) is opened, never a device, fifo or
// socket, and no more than `limit` bytes are kept whatever size it claims.
// A file that is not there (a dangling link included) is Missing.
SoundFileRead readSoundFile(const QString &path, qint64 limit = kMaxSoundFileBytes);

} // namespace zorrel::sound
