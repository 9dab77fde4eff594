#pragma once

#include <QString>

#include <functional>
#include <string_view>

namespace zorrel::sound {

// True when `path` names an existing entry that is not a folder; any failure
// of the query gives false.
bool fileExists(const QString &path);

// `folder` joined with a bare file name by exactly one separator.
QString joinProgramPath(const QString &folder, const QString &name);

// Plays the toy's sound effects from the program's own folder.
class EffectPlayer {
  public:
    // `soundOn` is asked afresh before every effect.
    explicit EffectPlayer(std::function<bool()> soundOn);
    ~EffectPlayer();
    EffectPlayer(const EffectPlayer &) = delete;
    EffectPlayer &operator=(const EffectPlayer &) = delete;

    // Returns at once; a new effect cuts off one still sounding. A missing
    // file is silence; an unplayable one is silence and at most one line on
    // stderr for that file. Nothing is cached: every call plays the file's
    // current contents.
    void playEffect(std::string_view name);

  private:
    struct Impl;
    std::function<bool()> soundOn_;
    Impl *impl_;
};

} // namespace zorrel::sound
