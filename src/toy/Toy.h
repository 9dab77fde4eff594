#pragma once

#include "toy/ToyState.h"
#include "toy/ToyWindow.h"

#include <cstdint>

namespace zorrel::toy {

// The toy's behaviour: start-up, winding, walking, the head shake and the
// pointer gestures and the menu commands. It owns the toy state and reaches
// its window only through ToyWindow.
class Toy {
  public:
    explicit Toy(ToyWindow &window) : window_(window) {}

    [[nodiscard]] const ToyState &state() const { return state_; }
    // The shape code rewrites the outline buffer and region handles.
    [[nodiscard]] ToyState &mutableState() { return state_; }

    void load();

    void windStep();
    void tick();
    void setPace();
    void skipHeadSequence();

    // Pointer events of the window or any part of the creature, which all
    // react alike. `buttons`: for a press or release the button concerned,
    // for a move the buttons held (PointerButton bits). x and y are twips
    // from an origin that stays fixed relative to the part first pressed.
    void pointerPressed(int buttons, float x, float y);
    void pointerMoved(int buttons, float x, float y);
    void pointerReleased(int buttons, float x, float y);

    void windItUp() { windStep(); }
    void toggleSound();
    void showAbout();
    void exit();

  private:
    void headTick();
    void windingTick();
    void walkingTick();
    void stepLeft();
    void loadSoundOption();

    ToyWindow &window_;
    ToyState state_;
};

} // namespace zorrel::toy
