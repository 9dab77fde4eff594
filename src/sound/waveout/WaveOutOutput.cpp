#include "sound/waveout/WaveOutOutput.h"

#include <QCoreApplication>

namespace zorrel::sound {

namespace {

// After a failed attempt the device is not tried again for this long.
constexpr int kRetryMs = 1000;

WAVEFORMATEX formatOf(const WaveSound &sound)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(sound.channels);
    format.nSamplesPerSec = sound.rate;
    format.wBitsPerSample = static_cast<WORD>(sound.bits);
    format.nBlockAlign = static_cast<WORD>(sound.channels * sound.bits / 8);
    format.nAvgBytesPerSec = sound.rate * format.nBlockAlign;
    return format;
}

bool sameFormat(const WAVEFORMATEX &a, const WAVEFORMATEX &b)
{
    return a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec &&
           a.wBitsPerSample == b.wBitsPerSample;
}

QString errorText(MMRESULT result)
{
    wchar_t text[MAXERRORLENGTH] = {};
    if (waveOutGetErrorTextW(result, text, MAXERRORLENGTH) != MMSYSERR_NOERROR)
        return QCoreApplication::translate("Sound", "audio error %1").arg(result);
    return QString::fromWCharArray(text);
}

} // namespace

QString WaveOutOutput::open(const WaveSound &sound)
{
    format_ = formatOf(sound);
    // No callback: the header's done flag is all the toy needs, and a reset
    // hands the buffer back at once.
    const MMRESULT result = waveOutOpen(&device_, WAVE_MAPPER, &format_, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return errorText(result);
    }
    return {};
}

void WaveOutOutput::stop()
{
    if (device_ == nullptr)
        return;
    waveOutReset(device_);
    if (prepared_)
        waveOutUnprepareHeader(device_, &header_, sizeof header_);
    prepared_ = false;
}

QString WaveOutOutput::play(const WaveSound &sound)
{
    if (device_ != nullptr && !sameFormat(format_, formatOf(sound)))
        close();
    if (device_ == nullptr) {
        if (!retryAt_.hasExpired())
            return failure_;
        if (QString problem = open(sound); !problem.isEmpty()) {
            failure_ = problem;
            retryAt_.setRemainingTime(kRetryMs);
            return problem;
        }
    }
    stop();
    playing_ = sound.samples;
    header_ = WAVEHDR{};
    header_.lpData = playing_.data();
    header_.dwBufferLength = static_cast<DWORD>(playing_.size());
    MMRESULT result = waveOutPrepareHeader(device_, &header_, sizeof header_);
    prepared_ = result == MMSYSERR_NOERROR;
    if (prepared_)
        result = waveOutWrite(device_, &header_, sizeof header_);
    if (result != MMSYSERR_NOERROR) {
        // The device may have gone (unplugged, say): open it afresh next time.
        failure_ = errorText(result);
        close();
        return failure_;
    }
    return {};
}

void WaveOutOutput::close()
{
    if (device_ == nullptr)
        return;
    stop();
    waveOutClose(device_);
    device_ = nullptr;
}

} // namespace zorrel::sound
