#pragma once

#include <QObject>
#include <QString>

namespace zorrel::sound {

// Plays effect files; lives on the sound thread and is only ever called
// there. Made by the audio module's zorrel_create_effect_worker().
class EffectWorker : public QObject {
  public:
    // Plays the file's current contents, cutting off the effect still
    // sounding. Failures are silence and at most one line per file.
    virtual void play(const QString &path) = 0;
    // Cuts off the effect still sounding and lets go of every loaded one.
    virtual void unload() = 0;
};

using CreateEffectWorker = EffectWorker *(*)();
inline constexpr const char *kCreateEffectWorker = "zorrel_create_effect_worker";

} // namespace zorrel::sound
