#pragma once

#include "toy/ToyState.h"
#include "toy/ToyWindow.h"

#include <cstdint>

namespace zorrel::toy {

// The toy's behaviour: start-up, winding, walking, the head shake and the
// pointer gestures. It owns the toy state and reaches its window only
// through ToyWindow. Pointer arguments: Button (1 left, 2 right, 4 middle;
// for a move, the sum of the buttons held), Shift (never read), and X, Y in
// twips from an origin that stays fixed relative to the reporting part.
class Toy {
  public:
    explicit Toy(ToyWindow &window) : window_(window) {}

    [[nodiscard]] const ToyState &State() const { return state_; }
    // The shape code rewrites the outline buffer and region handles.
    [[nodiscard]] ToyState &ShapeState() { return state_; }

    void Form_Load();

    void WindStep();
    void Timer1_Timer();
    void SetPace();
    void SkipHeadSequence();

    void PartMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void PartMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void PartMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

    // Every part of the creature, and the window around them, reacts alike.
    // clang-format off
    void Form_MouseDown(std::int16_t b, std::int16_t s, float x, float y) { PartMouseDown(b, s, x, y); }
    void Form_MouseMove(std::int16_t b, std::int16_t s, float x, float y) { PartMouseMove(b, s, x, y); }
    void Form_MouseUp(std::int16_t b, std::int16_t s, float x, float y) { PartMouseUp(b, s, x, y); }
    void HeadPic_MouseDown(std::int16_t b, std::int16_t s, float x, float y) { PartMouseDown(b, s, x, y); }
    void HeadPic_MouseMove(std::int16_t b, std::int16_t s, float x, float y) { PartMouseMove(b, s, x, y); }
    void HeadPic_MouseUp(std::int16_t b, std::int16_t s, float x, float y) { PartMouseUp(b, s, x, y); }
    void BodyPic_MouseDown(std::int16_t b, std::int16_t s, float x, float y) { PartMouseDown(b, s, x, y); }
    void BodyPic_MouseMove(std::int16_t b, std::int16_t s, float x, float y) { PartMouseMove(b, s, x, y); }
    void BodyPic_MouseUp(std::int16_t b, std::int16_t s, float x, float y) { PartMouseUp(b, s, x, y); }
    void BottomPic_MouseDown(std::int16_t b, std::int16_t s, float x, float y) { PartMouseDown(b, s, x, y); }
    void BottomPic_MouseMove(std::int16_t b, std::int16_t s, float x, float y) { PartMouseMove(b, s, x, y); }
    void BottomPic_MouseUp(std::int16_t b, std::int16_t s, float x, float y) { PartMouseUp(b, s, x, y); }
    void KeyPic_MouseDown(std::int16_t b, std::int16_t s, float x, float y) { PartMouseDown(b, s, x, y); }
    void KeyPic_MouseMove(std::int16_t b, std::int16_t s, float x, float y) { PartMouseMove(b, s, x, y); }
    void KeyPic_MouseUp(std::int16_t b, std::int16_t s, float x, float y) { PartMouseUp(b, s, x, y); }
    // clang-format on

    void mWindItUp_Click() { WindStep(); }
    void mSound_Click();
    void mAbout_Click();
    void mExit_Click();
    void LoadSoundOption();

  private:
    void HeadTick();
    void WindingTick();
    void WalkingTick();
    void StepLeft();

    ToyWindow &window_;
    ToyState state_;
};

} // namespace zorrel::toy
