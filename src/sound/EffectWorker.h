#pragma once

#include "common/Diagnostics.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

namespace zorrel::sound {

// Lines about effect files on stderr: at most one per file, whichever side
// of the sound effects finds the fault.
class ProblemLog {
  public:
    void report(const QString &path, const QString &reason)
    {
        if (reported_.contains(path))
            return;
        reported_.insert(path);
        printLine(QStringLiteral("cannot play %1: %2").arg(escaped(path), reason));
    }

  private:
    QSet<QString> reported_;
};

// Plays effects; lives on the sound thread and is only ever called there.
// Made by the audio module's zorrel_create_effect_worker().
class EffectWorker : public QObject {
  public:
    // Plays `bytes`, the current contents of the file at `path`, cutting off
    // the effect still sounding. Failures are silence and go to the log.
    virtual void play(const QString &path, const QByteArray &bytes) = 0;
    // Cuts off the effect still sounding and lets go of every loaded one.
    virtual void unload() = 0;
};

// The log outlives the worker.
using CreateEffectWorker = EffectWorker *(*)(ProblemLog *log);
inline constexpr const char *kCreateEffectWorker = "zorrel_create_effect_worker";

} // namespace zorrel::sound
