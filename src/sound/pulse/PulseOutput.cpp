#include "sound/pulse/PulseOutput.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

namespace zorrel::sound {

namespace {

// A server that does not answer within this is taken for absent, so that the
// sound thread is never held for long.
constexpr int kAnswerMs = 2000;

// After a failed attempt the output is not tried again for this long.
constexpr int kRetryMs = 1000;

// While waiting for the server, the sound thread looks this often whether
// the program is ending.
constexpr pa_usec_t kEndingCheckUs = 50'000;

// The stream's target latency, which the server also sets its output by: a
// click comes a few hundredths of a second after its key turn, and the server
// wakes for the stream a few times per effect, not every few milliseconds (at
// 50 ms it took twice the CPU). A whole effect is written at once anyway.
constexpr pa_usec_t kTargetLatencyUs = 100'000;

void wake(pa_threaded_mainloop *loop) { pa_threaded_mainloop_signal(loop, 0); }

class Locked {
  public:
    explicit Locked(pa_threaded_mainloop *loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;

  private:
    pa_threaded_mainloop *loop_;
};

pa_sample_spec formatOf(const WaveSound &sound)
{
    return {sound.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, sound.rate,
            static_cast<std::uint8_t>(sound.channels)};
}

} // namespace

template <typename Done> bool PulseOutput::waitFor(Done done)
{
    const QDeadlineTimer deadline(kAnswerMs);
    // Wakes the wait below now and then, should the server be silent, to
    // look at the time and at the program's end.
    pa_time_event *check = pa_context_rttime_new(
        context_, pa_rtclock_now() + kEndingCheckUs,
        [](pa_mainloop_api *, pa_time_event *event, const timeval *, void *data) {
            auto *output = static_cast<PulseOutput *>(data);
            wake(output->loop_);
            pa_context_rttime_restart(output->context_, event, pa_rtclock_now() + kEndingCheckUs);
        },
        this);
    bool ok = false;
    while (!(ok = done()) && !deadline.hasExpired() && !ending())
        pa_threaded_mainloop_wait(loop_);
    if (check != nullptr)
        pa_threaded_mainloop_get_api(loop_)->time_free(check);
    return ok;
}

QString PulseOutput::open()
{
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr)
        return QCoreApplication::translate("Sound", "cannot start the sound server connection");
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Zorrel");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "zorrel");
    context_ =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Zorrel", properties);
    pa_proplist_free(properties);
    if (context_ == nullptr)
        return QCoreApplication::translate("Sound", "cannot start the sound server connection");
    pa_context_set_state_callback(
        context_, [](pa_context *, void *loop) { wake(static_cast<pa_threaded_mainloop *>(loop)); },
        loop_);
    // The toy plays through a server that is there; it never starts one.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0)
        return QCoreApplication::translate("Sound", "no sound server: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    const Locked locked(loop_);
    const auto settled = [this] {
        const pa_context_state_t state = pa_context_get_state(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (!waitFor(settled))
        return QCoreApplication::translate("Sound", "the sound server does not answer");
    if (pa_context_get_state(context_) != PA_CONTEXT_READY)
        return QCoreApplication::translate("Sound", "no sound server: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    return {};
}

// Called with the loop locked.
QString PulseOutput::openStream(const pa_sample_spec &format)
{
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    stream_ = pa_stream_new_with_proplist(context_, "sound effects", &format, nullptr, properties);
    pa_proplist_free(properties);
    if (stream_ == nullptr)
        return QCoreApplication::translate("Sound", "the sound server refused a stream: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    format_ = format;
    queued_ = false;
    pa_stream_set_state_callback(
        stream_, [](pa_stream *, void *loop) { wake(static_cast<pa_threaded_mainloop *>(loop)); },
        loop_);
    // The server drained the stream: the next effect has nothing to cut off.
    pa_stream_set_underflow_callback(
        stream_,
        [](pa_stream *, void *output) { static_cast<PulseOutput *>(output)->queued_ = false; },
        this);
    const auto unset = static_cast<std::uint32_t>(-1);
    const auto target = static_cast<std::uint32_t>(pa_usec_to_bytes(kTargetLatencyUs, &format));
    // Playback starts as soon as one frame is written, with no trigger to
    // send. The request size stays the server's choice: a larger one makes
    // the server run its output with less latency, at several times the CPU.
    const pa_buffer_attr buffer{unset, target, static_cast<std::uint32_t>(pa_frame_size(&format)),
                                unset, unset};
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0)
        return QCoreApplication::translate("Sound", "the sound server refused a stream: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    const auto settled = [this] {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    };
    if (!waitFor(settled) || pa_stream_get_state(stream_) != PA_STREAM_READY)
        return QCoreApplication::translate("Sound", "the sound server refused a stream: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    return {};
}

QString PulseOutput::playOnce(const WaveSound &sound)
{
    if (loop_ == nullptr)
        if (QString problem = open(); !problem.isEmpty())
            return problem;
    const Locked locked(loop_);
    if (pa_context_get_state(context_) != PA_CONTEXT_READY)
        return QCoreApplication::translate("Sound", "lost the sound server");
    const pa_sample_spec format = formatOf(sound);
    if (stream_ != nullptr && (pa_stream_get_state(stream_) != PA_STREAM_READY ||
                               !pa_sample_spec_equal(&format, &format_))) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (stream_ == nullptr)
        if (QString problem = openStream(format); !problem.isEmpty())
            return problem;
    // What is left of the last effect goes; the new one is written whole and
    // starts at once.
    if (queued_)
        if (pa_operation *flush = pa_stream_flush(stream_, nullptr, nullptr))
            pa_operation_unref(flush);
    if (pa_stream_write(stream_, sound.samples.constData(),
                        static_cast<std::size_t>(sound.samples.size()), nullptr, 0,
                        PA_SEEK_RELATIVE) < 0)
        return QCoreApplication::translate("Sound", "lost the sound server: %1")
            .arg(QString::fromUtf8(pa_strerror(pa_context_errno(context_))));
    queued_ = true;
    return {};
}

QString PulseOutput::play(const WaveSound &sound)
{
    if (ending())
        return QStringLiteral("the program is ending");
    if (!retryAt_.hasExpired())
        return failure_;
    QString problem = playOnce(sound);
    if (problem.isEmpty() || ending())
        return problem;
    // A server that went away since the last effect may well be back: the
    // output is made afresh once.
    close();
    problem = playOnce(sound);
    if (!problem.isEmpty()) {
        close();
        // Without a server, each footstep would knock twice in vain.
        failure_ = problem;
        retryAt_.setRemainingTime(kRetryMs);
    }
    return problem;
}

void PulseOutput::close()
{
    if (loop_ == nullptr)
        return;
    {
        const Locked locked(loop_);
        if (stream_ != nullptr) {
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        if (context_ != nullptr) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
}

} // namespace zorrel::sound
