#include "AudioOutput.h" // the platform's, from its own folder
#include "sound/EffectWorker.h"
#include "sound/WaveFile.h"

#include <QTimer>

#include <map>

// The part of the sound effects that needs the audio system. It is a module
// of its own, loaded with the first effect, so a toy that is never wound (or
// kept silent) does not carry the audio libraries.
namespace zorrel::sound {

namespace {

// The output stays open this long after the last effect ends: through a walk
// (a footstep at least every 1.4 s) it is opened once; at rest it is closed
// and costs nothing.
constexpr int kQuietCloseMs = 2000;

// Lives on the sound thread. Every play brings the file's current bytes;
// they are decoded again only when they differ from the ones last decoded
// for that file.
class AudioEffectWorker : public EffectWorker {
  public:
    AudioEffectWorker(ProblemLog *log, const std::atomic<bool> *ending)
        : log_(log), ending_(ending), output_(ending)
    {
        quiet_.setSingleShot(true);
        QObject::connect(&quiet_, &QTimer::timeout, &quiet_, [this] { output_.close(); });
    }

    void play(const QString &path, const QByteArray &bytes) override
    {
        if (ending())
            return;
        Decoded &decoded = decoded_[path];
        if (decoded.original != bytes || decoded.sound.samples.isEmpty()) {
            decoded = Decoded{bytes, {}};
            if (const QString problem = decodeWave(bytes, decoded.sound); !problem.isEmpty()) {
                decoded_.erase(path);
                log_->report(path, problem);
                return;
            }
        }
        if (const QString problem = output_.play(decoded.sound); !problem.isEmpty()) {
            // A wait cut short by the program's end is no fault of the output.
            if (!ending())
                log_->reportOutput(problem);
            return;
        }
        log_->outputWorks();
        // Quiet starts once the effect is over.
        const qint64 frames =
            decoded.sound.samples.size() / (decoded.sound.channels * decoded.sound.bits / 8);
        quiet_.start(static_cast<int>(frames * 1000 / decoded.sound.rate) + kQuietCloseMs);
    }

    void unload() override
    {
        quiet_.stop();
        output_.close();
        decoded_.clear();
    }

  private:
    [[nodiscard]] bool ending() const { return ending_ != nullptr && ending_->load(); }

    struct Decoded {
        QByteArray original; // the file's bytes the sound was decoded from
        WaveSound sound;
    };

    ProblemLog *log_;
    const std::atomic<bool> *ending_;
    std::map<QString, Decoded> decoded_;
    AudioOutput output_;
    QTimer quiet_;
};

} // namespace

} // namespace zorrel::sound

// The module's one entry point, looked up by this C name.
extern "C" Q_DECL_EXPORT zorrel::sound::EffectWorker *
// NOLINTNEXTLINE(readability-identifier-naming)
zorrel_create_effect_worker(zorrel::sound::ProblemLog *log, const std::atomic<bool> *ending)
{
    return new zorrel::sound::AudioEffectWorker(log, ending);
}
