// Sound files as anyone may have left them: a file is decoded into sound
// the output can take, or refused with a reason.

#include "FuzzTarget.h"

#include "sound/WaveFile.h"

using zorrel::fuzz::check;
using zorrel::sound::WaveSound;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    WaveSound sound;
    sound.samples = "untouched";
    const QString problem = zorrel::sound::decodeWave(bytes, sound);
    if (!problem.isEmpty()) {
        check(sound.samples == "untouched", "a refused file leaves the sound as it was");
        return 0;
    }
    check(sound.bits == 8 || sound.bits == 16, "8 or 16 bits");
    check(sound.channels == 1 || sound.channels == 2, "mono or stereo");
    check(sound.rate > 0 && sound.rate <= 384000, "a rate a sound server takes");
    const qsizetype frame = sound.channels * sound.bits / 8;
    check(!sound.samples.isEmpty() && sound.samples.size() % frame == 0, "whole frames only");
    check(bytes.contains(sound.samples), "the samples are the file's own bytes");
    return 0;
}
