#pragma once

#include "common/Diagnostics.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QObject>
#include <QSet>
#include <QString>

#include <atomic>

namespace zorrel::sound {

// Lines about the sound effects on stderr. A fault of one file is told once
// for that file; a fault of the sound output, whichever file it was playing,
// is told once until the output works again. Either side of the sound
// effects may find the fault.
class ProblemLog {
  public:
    void report(const QString &path, const QString &reason)
    {
        if (reported_.contains(path))
            return;
        reported_.insert(path);
        printLine(
            QCoreApplication::translate("Sound", "cannot play %1: %2").arg(escaped(path), reason));
    }
    void reportOutput(const QString &reason)
    {
        if (outputFaulty_)
            return;
        outputFaulty_ = true;
        printLine(QCoreApplication::translate(
                      "Sound", "cannot play sound effects (%1); they are silent until sound "
                               "works again")
                      .arg(escaped(reason)));
    }
    void outputWorks() { outputFaulty_ = false; }

  private:
    QSet<QString> reported_;
    bool outputFaulty_ = false;
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

// The log outlives the worker. `ending` (may be null) is set by the program's
// thread when the program ends: from then on the worker plays nothing and
// gives up any wait for the audio system at once, so that the sound thread
// stops within moments even when a sound server never answers.
using CreateEffectWorker = EffectWorker *(*)(ProblemLog *log, const std::atomic<bool> *ending);
inline constexpr const char *kCreateEffectWorker = "zorrel_create_effect_worker";

} // namespace zorrel::sound
