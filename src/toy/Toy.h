#pragma once

#include "toy/ToyServices.h"
#include "toy/ToyState.h"
#include "toy/ToyWindow.h"

#include <cstdint>
#include <utility>

namespace zorrel::toy {

// The toy's behaviour: start-up, winding, walking, the head shake and the
// pointer gestures and the menu commands. It owns the toy state and reaches
// its window only through ToyWindow, the rest of the program through
// ToyServices.
class Toy {
  public:
    // `start` is the state to go on from; a new toy starts zeroed, and load
    // gives it its start-up values.
    Toy(ToyWindow &window, ToyServices &services, ToyState start = {})
        : window_(window), services_(services), state_(std::move(start))
    {
    }

    [[nodiscard]] const ToyState &state() const { return state_; }

    void load();

    void windStep();
    void tick();
    void setPace();
    void skipHeadSequence();

    // Pointer events of the window or any part of the creature, which all
    // react alike. x and y are pixels from an origin that stays fixed
    // relative to the part first pressed.
    void pointerPressed(Button button, float x, float y);
    void pointerMoved(HeldButtons held, float x, float y);
    void pointerReleased(Button button);

    void windItUp() { windStep(); }
    void toggleSound();
    void showAbout();
    void exit();

  private:
    void headTick();
    void windingTick();
    void walkingTick();
    void stepLeft();

    ToyWindow &window_;
    ToyServices &services_;
    ToyState state_;
};

} // namespace zorrel::toy
