#pragma once

#include <QByteArray>

#include <algorithm>

namespace zorrel::sound {

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

} // namespace zorrel::sound
