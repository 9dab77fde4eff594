#include "sound/EffectWorker.h"

#include <QAudioDevice>
#include <QDir>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

// The part of the sound effects that needs the audio system. It is a module
// of its own, loaded with the first effect, so a toy that is never wound (or
// kept silent) does not carry the audio libraries.
namespace zorrel::sound {

namespace {

// Silence added after every effect. The audio stream only starts once it
// holds about 0.2 s of sound, and the player closes it as soon as it has
// handed over its last byte; an effect shorter than that start level could be
// dropped unheard. The padding keeps the stream going past it.
constexpr int kPaddingMs = 400;

quint32 readLe(const QByteArray &bytes, qsizetype at, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

void appendLe32(QByteArray &bytes, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xffu));
}

// Checks that `in` holds a WAVE file the player can decode and writes to
// `out` a plain copy of it: a 16-byte format chunk and the sound data
// followed by the padding silence, other chunks left out. Sound data that claims more
// bytes than the file holds is cut to what is there (the player would wait
// for the missing bytes for ever). Returns an empty text on success, else why
// the file cannot be played.
QString prepareWave(const QByteArray &in, QByteArray &out)
{
    if (in.size() < 12 || !in.startsWith("RIFF") || in.sliced(8, 4) != "WAVE")
        return QStringLiteral("not a RIFF WAVE file");
    QByteArray format;
    quint32 bits = 0;
    quint32 rate = 0;
    quint32 blockAlign = 0;
    qsizetype at = 12;
    while (at + 8 <= in.size()) {
        const QByteArray id = in.sliced(at, 4);
        const qint64 size = readLe(in, at + 4, 4);
        const qsizetype body = at + 8;
        const qint64 available = in.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < size)
                return QStringLiteral("damaged format chunk");
            // Plain PCM of 8 or 16 bits, mono or stereo: what the player
            // decodes (it refuses floating-point, 32-bit and extensible ones).
            const quint32 code = readLe(in, body, 2);
            const quint32 channels = readLe(in, body + 2, 2);
            rate = readLe(in, body + 4, 4);
            blockAlign = readLe(in, body + 12, 2);
            bits = readLe(in, body + 14, 2);
            if (code != 1 || (bits != 8 && bits != 16) || channels < 1 || channels > 2)
                return QStringLiteral("unsupported sample format (code %1, %2-bit, %3-channel)")
                    .arg(code)
                    .arg(bits)
                    .arg(channels);
            if (rate == 0 || rate > 384000 || blockAlign != channels * bits / 8)
                return QStringLiteral("damaged format chunk");
            // Any extension of a PCM format chunk says nothing; keep its 16 bytes.
            format = QByteArray("fmt \x10\x00\x00\x00", 8) + in.sliced(body, 16);
        } else if (id == "data") {
            if (format.isEmpty())
                return QStringLiteral("sound data before the format chunk");
            const qint64 usable = std::min(size, available) / blockAlign * blockAlign;
            if (usable == 0)
                return QStringLiteral("no sound data");
            const qint64 padding = qint64(rate) * kPaddingMs / 1000 * blockAlign;
            const qint64 dataSize = usable + padding;
            out.clear();
            out.reserve(12 + format.size() + 8 + dataSize);
            out.append("RIFF");
            appendLe32(out, static_cast<quint32>(4 + format.size() + 8 + dataSize));
            out.append("WAVE");
            out.append(format);
            out.append("data");
            appendLe32(out, static_cast<quint32>(dataSize));
            out.append(in.constData() + body, usable);
            // Silence is 0 in every accepted format except unsigned 8-bit.
            out.append(padding, bits == 8 ? char(0x80) : char(0));
            return {};
        }
        if (size > available)
            break;
        at = body + size + (size & 1);
    }
    return QStringLiteral("no sound data");
}

// Owns everything that touches the audio system. It lives on a thread of
// its own, so that reading a file, decoding it and opening an audio stream
// never hold up the user-interface thread.
//
// Every play brings the file's current bytes. An effect already loaded from exactly
// the same bytes is played again as it is; new or changed bytes are loaded
// from a copy under a name never used before, because the player keeps
// decoded files by name and must never hand back older contents.
class AudioEffectWorker : public EffectWorker {
  public:
    explicit AudioEffectWorker(ProblemLog *log) : log_(log) {}

    void play(const QString &path, const QByteArray &original) override
    {
        stop();
        Loaded &loaded = loaded_[path];
        // An effect whose output failed (the sound server went away, say) is
        // made afresh, which opens a new output.
        if (loaded.effect && loaded.original == original &&
            loaded.effect->status() != QSoundEffect::Error) {
            start(loaded.effect.get());
            return;
        }
        loaded = Loaded{};
        QByteArray prepared;
        if (const QString problem = prepareWave(original, prepared); !problem.isEmpty()) {
            log_->report(path, problem);
            return;
        }
        if (QMediaDevices::defaultAudioOutput().isNull()) {
            log_->report(path, QStringLiteral("no audio output device"));
            return;
        }
        auto copy = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                     QStringLiteral("/zorrel-effect-XXXXXX.wav"));
        if (!copy->open() || copy->write(prepared) != prepared.size() || !copy->flush()) {
            log_->report(path,
                         QStringLiteral("cannot write a temporary copy: ") + copy->errorString());
            return;
        }
        copy->close();

        loaded.original = original;
        loaded.copy = std::move(copy);
        loaded.effect = std::make_unique<QSoundEffect>();
        QSoundEffect *effect = loaded.effect.get();
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [this, effect, path] {
            const QSoundEffect::Status status = effect->status();
            if (status == QSoundEffect::Error)
                log_->report(path, QStringLiteral("the audio system refused it"));
            // Once the player has loaded (or refused) it the copy is not needed.
            const auto it = loaded_.find(path);
            if ((status == QSoundEffect::Ready || status == QSoundEffect::Error) &&
                it != loaded_.end() && it->second.effect.get() == effect)
                it->second.copy.reset();
        });
        effect->setSource(QUrl::fromLocalFile(loaded.copy->fileName()));
        start(effect);
    }

    // Cuts off the effect still sounding.
    void stop()
    {
        if (sounding_ != nullptr)
            sounding_->stop();
        sounding_ = nullptr;
    }

    void unload() override
    {
        stop();
        loaded_.clear();
    }

  private:
    struct Loaded {
        QByteArray original; // the file's bytes the effect was loaded from
        std::unique_ptr<QTemporaryFile> copy;
        std::unique_ptr<QSoundEffect> effect;
    };

    void start(QSoundEffect *effect)
    {
        sounding_ = effect;
        effect->play();
    }

    ProblemLog *log_;
    std::map<QString, Loaded> loaded_;
    QSoundEffect *sounding_ = nullptr;
};

} // namespace

} // namespace zorrel::sound

extern "C" Q_DECL_EXPORT zorrel::sound::EffectWorker *
zorrel_create_effect_worker(zorrel::sound::ProblemLog *log)
{
    return new zorrel::sound::AudioEffectWorker(log);
}
