#pragma once

#include "common/RegularFile.h"

#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>

// The parts that each system's readRegularFile shares.
namespace zorrel {

enum class BoundedRead { Done, TooLarge, Failed };

// Reads a whole file into `bytes` through `readSome(buffer, room)`, which
// returns the number of bytes read, 0 at the end and -1 on failure, keeping
// no more than `limit` bytes. The size the file claims is only a hint: a
// file may grow while it is read, and some report none at all.
template <typename ReadSome>
BoundedRead readBounded(QByteArray &bytes, qint64 sizeHint, qint64 limit, ReadSome readSome)
{
    bytes.resize(std::min(sizeHint, limit) + 1);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                return BoundedRead::TooLarge;
            bytes.resize(std::min<qint64>(2 * got, limit + 1));
        }
        const qint64 n = readSome(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return BoundedRead::Failed;
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        return BoundedRead::TooLarge;
    bytes.truncate(got);
    return BoundedRead::Done;
}

inline RegularFileRead refused(const QString &problem)
{
    return {RegularFileRead::Result::Refused, {}, problem};
}

// `error` is the system's own word on why the file could not be read.
inline RegularFileRead unreadable(const QString &error)
{
    return refused(QCoreApplication::translate("Files", "cannot read: %1").arg(error));
}

// `kind` says what it is instead: "a folder", "a device".
inline RegularFileRead notRegular(const QString &kind)
{
    //: %1 says what the file is instead: "a folder", "a device" and the like.
    return refused(QCoreApplication::translate("Files", "not a regular file but %1").arg(kind));
}

inline RegularFileRead tooLarge(qint64 limit)
{
    constexpr qint64 kMiB = qint64{1} << 20;
    return refused(
        limit % kMiB == 0
            ? QCoreApplication::translate("Files", "larger than %1 MiB").arg(limit / kMiB)
            : QCoreApplication::translate("Files", "larger than %1 bytes").arg(limit));
}

} // namespace zorrel
