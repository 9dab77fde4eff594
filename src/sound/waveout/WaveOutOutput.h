#pragma once

#include "sound/WaveFile.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <atomic>

#include <windows.h>

#include <mmsystem.h>

namespace zorrel::sound {

// One waveOut device handle for all the effects. A new effect cuts off what
// is left of the last one on the same handle; only a change of sample format
// opens another. Closing lets go of the handle, so that a closed output
// costs nothing.
class WaveOutOutput {
  public:
    // waveOut answers at once, so there is no wait that the program's end
    // would need to cut short.
    explicit WaveOutOutput(const std::atomic<bool> * /*ending*/) {}
    ~WaveOutOutput() { close(); }
    WaveOutOutput(const WaveOutOutput &) = delete;
    WaveOutOutput &operator=(const WaveOutOutput &) = delete;

    // Starts `sound` at once, cutting off the effect still sounding. Opens
    // the device if needed, but no sooner than a second after a failed
    // attempt. Returns an empty text on success, else why it cannot play.
    QString play(const WaveSound &sound);
    void close();

  private:
    QString open(const WaveSound &sound);
    // Stops playing and hands the buffer back from the device.
    void stop();

    HWAVEOUT device_ = nullptr;
    WAVEFORMATEX format_{};
    WAVEHDR header_{};
    bool prepared_ = false;
    QByteArray playing_;     // the samples the device is reading
    QDeadlineTimer retryAt_; // expired from the start
    QString failure_;        // why the last attempt failed
};

} // namespace zorrel::sound
