#include "sound/WaveFile.h"

#include <QCoreApplication>

#include <algorithm>

namespace zorrel::sound {

namespace {

// Beyond what any sound server accepts.
constexpr quint32 kMaxRate = 384000;

quint32 readLe(const QByteArray &bytes, qsizetype at, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

} // namespace

// Chunks other than the format and the sound data are skipped. Sound data
// that claims more bytes than the file holds is cut to what is there.
QString decodeWave(const QByteArray &in, WaveSound &out)
{
    if (in.size() < 12 || !in.startsWith("RIFF") || in.sliced(8, 4) != "WAVE")
        return QCoreApplication::translate("Sound", "not a RIFF WAVE file");
    bool haveFormat = false;
    WaveSound sound;
    quint32 blockAlign = 0;
    qsizetype at = 12;
    while (at + 8 <= in.size()) {
        const QByteArray id = in.sliced(at, 4);
        const qint64 size = readLe(in, at + 4, 4);
        const qsizetype body = at + 8;
        const qint64 available = in.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < size)
                return QCoreApplication::translate("Sound", "damaged format chunk");
            // Plain PCM of 8 or 16 bits, mono or stereo; any extension of a
            // PCM format chunk says nothing.
            const quint32 code = readLe(in, body, 2);
            const quint32 channels = readLe(in, body + 2, 2);
            const quint32 bits = readLe(in, body + 14, 2);
            sound.rate = readLe(in, body + 4, 4);
            blockAlign = readLe(in, body + 12, 2);
            if (code != 1 || (bits != 8 && bits != 16) || channels < 1 || channels > 2)
                return QCoreApplication::translate(
                           "Sound", "unsupported sample format (code %1, %2-bit, %3-channel)")
                    .arg(code)
                    .arg(bits)
                    .arg(channels);
            if (sound.rate == 0 || sound.rate > kMaxRate || blockAlign != channels * bits / 8)
                return QCoreApplication::translate("Sound", "damaged format chunk");
            sound.bits = static_cast<int>(bits);
            sound.channels = static_cast<int>(channels);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return QCoreApplication::translate("Sound", "sound data before the format chunk");
            const qint64 usable = std::min(size, available) / blockAlign * blockAlign;
            if (usable == 0)
                return QCoreApplication::translate("Sound", "no sound data");
            sound.samples = in.sliced(body, usable);
            out = std::move(sound);
            return {};
        }
        if (size > available)
            break;
        at = body + size + (size & 1);
    }
    return QCoreApplication::translate("Sound", "no sound data");
}

} // namespace zorrel::sound
