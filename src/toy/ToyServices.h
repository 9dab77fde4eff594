#pragma once

#include <string_view>

namespace zorrel::toy {

// What the toy's clockwork asks of the program beside its window.
class ToyServices {
  public:
    virtual ~ToyServices() = default;

    // Plays the sound file `fileName` if the toy's sound is on.
    virtual void playEffect(std::string_view fileName) = 0;
    // The stored sound option; a first run stores `firstRunDefault`.
    [[nodiscard]] virtual bool loadStoredSound(bool firstRunDefault) = 0;
    virtual void storeSound(bool soundOn) = 0;
    // Opens the about box, which enables the toy's input when it closes.
    virtual void openAboutBox() = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
};

} // namespace zorrel::toy
