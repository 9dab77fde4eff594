#pragma once

#include <QByteArray>
#include <QString>

namespace zorrel::sound {

// Plain PCM sound as a WAVE file holds it.
struct WaveSound {
    int bits = 16;    // 8 (unsigned) or 16 (signed, little-endian)
    int channels = 1; // 1 or 2, interleaved
    quint32 rate = 44100;
    QByteArray samples; // whole frames only
};

// Reads the sound out of the bytes of a WAVE file into `out`. Returns an
// empty text on success, else why the file cannot be played.
QString decodeWave(const QByteArray &in, WaveSound &out);

} // namespace zorrel::sound
