#pragma once

#include "sound/WaveFile.h"

#include <QDeadlineTimer>
#include <QString>

#include <pulse/sample.h>

#include <atomic>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace zorrel::sound {

// One playback stream on the sound server for all the effects. A new effect
// takes the place of whatever of the last one is still queued, in the same
// stream; only a change of sample format opens another. Closing lets go of
// the stream, the connection and the thread that serves it, so that a closed
// output costs nothing.
class PulseOutput {
  public:
    // Once `ending` (may be null) is set, every wait for the server gives up.
    explicit PulseOutput(const std::atomic<bool> *ending) : ending_(ending) {}
    ~PulseOutput() { close(); }
    PulseOutput(const PulseOutput &) = delete;
    PulseOutput &operator=(const PulseOutput &) = delete;

    // Starts `sound` at once, cutting off the effect still sounding. Opens
    // what is missing, and anew what has failed (when the server went away,
    // say), but no sooner than a second after a failed attempt. Returns an
    // empty text on success, else why it cannot play.
    QString play(const WaveSound &sound);
    void close();

  private:
    QString open();
    QString openStream(const pa_sample_spec &format);
    QString playOnce(const WaveSound &sound);
    // Waits, with the loop locked, until `done` holds, a few seconds pass or
    // the program ends.
    template <typename Done> bool waitFor(Done done);
    [[nodiscard]] bool ending() const { return ending_ != nullptr && ending_->load(); }

    const std::atomic<bool> *ending_;
    pa_threaded_mainloop *loop_ = nullptr;
    pa_context *context_ = nullptr;
    pa_stream *stream_ = nullptr;
    pa_sample_spec format_{};
    bool queued_ = false;    // some of the last effect may still be unplayed; under the loop's lock
    QDeadlineTimer retryAt_; // expired from the start
    QString failure_;        // why the last attempt failed
};

} // namespace zorrel::sound
