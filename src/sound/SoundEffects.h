#pragma once

#include <QString>

#include <functional>
#include <string_view>

namespace zorrel::sound {

// The sound files are a few kilobytes; a second of 44.1 kHz stereo is far
// less than this, and anything larger is not one of them.
inline constexpr qint64 kMaxSoundFileBytes = qint64{1024} * 1024;

// Plays the toy's sound effects from the program's own install: the files
// beside the program or in ../share/zorrel, through the audio module beside
// it or in ../lib/zorrel.
class EffectPlayer {
  public:
    // `soundOn` is asked afresh before every effect.
    explicit EffectPlayer(std::function<bool()> soundOn);
    ~EffectPlayer();
    EffectPlayer(const EffectPlayer &) = delete;
    EffectPlayer &operator=(const EffectPlayer &) = delete;

    // Returns at once; a new effect cuts off one still sounding. A missing
    // file is silence (the first one missing says so once on stderr); an
    // unplayable one is silence and at most one line on stderr for that
    // file. Every call plays the file's current contents.
    void playEffect(std::string_view name);

  private:
    struct Impl;
    std::function<bool()> soundOn_;
    Impl *impl_;
};

} // namespace zorrel::sound
