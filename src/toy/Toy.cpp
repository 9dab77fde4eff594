#include "toy/Toy.h"

#include "toy/Clockwork.h"

#include <algorithm>
#include <cmath>

namespace zorrel::toy {

namespace cw = clockwork;

namespace {

std::int16_t inc(std::int16_t v) { return static_cast<std::int16_t>(v + 1); }
std::int16_t dec(std::int16_t v) { return static_cast<std::int16_t>(v - 1); }

} // namespace

void Toy::load()
{
    state_.legFrame = 0;
    window_.setSize(cw::kClientWidth, cw::kClientHeight);
    state_.dragging = false;
    state_.justWound = false;
    state_.headShaking = false;
    state_.headSeqPos = 0;
    state_.headFrame = 0;
    state_.keyFrame = 0;
    state_.windTicks = 0;
    state_.windLevel = 0;
    state_.headSequence = cw::kHeadSequence;
    window_.showPose(state_.pose());
    state_.soundOn = services_.loadStoredSound(cw::kSoundAtFirstRun);
}

void Toy::windStep()
{
    if (state_.headShaking)
        return;
    state_.justWound = false;
    state_.windLevel = static_cast<std::int16_t>(state_.windLevel + cw::kWindPerStep);
    if (state_.windLevel <= cw::kWindLimit) {
        state_.windTicks = cw::kKeyTurnTicks;
        window_.setTimerInterval(cw::kWindingInterval);
        services_.playEffect(cw::kWindingClick);
        return;
    }
    // Over-wound: the wind is lost and the head shakes; the hold ends.
    state_.windLevel = 0;
    state_.headShaking = true;
    state_.headSeqPos = 0;
    window_.setTimerInterval(cw::kHeadInterval);
    state_.dragging = false;
    window_.setHandCursor(HandCursor::Open);
}

void Toy::tick()
{
    if (state_.headShaking)
        headTick();
    else if (state_.windTicks >= 1)
        windingTick();
    else
        walkingTick();
}

void Toy::headTick()
{
    state_.headSeqPos = inc(state_.headSeqPos);
    const auto length = static_cast<std::int16_t>(state_.headSequence.size());
    // Positions count from 1; one past the end would show the last frame.
    const auto at =
        static_cast<std::size_t>(std::clamp<std::int16_t>(state_.headSeqPos, 1, length));
    const auto frame = static_cast<std::int16_t>(state_.headSequence[at - 1] - '0');
    state_.headFrame = frame;
    window_.showPose(state_.pose());
    if (state_.headSeqPos >= length) {
        state_.headShaking = false;
        window_.setTimerInterval(cw::kStopped);
    }
}

void Toy::windingTick()
{
    state_.windTicks = dec(state_.windTicks);
    if (state_.windTicks == 0) {
        if (state_.dragging)
            window_.setTimerInterval(cw::kStopped); // the walk waits for the release
        else
            setPace();
    }
    state_.keyFrame = inc(state_.keyFrame);
    if (state_.keyFrame > cw::kLastKeyFrame)
        state_.keyFrame = 0;
    window_.showPose(state_.pose());
}

void Toy::walkingTick()
{
    if (state_.dragging || state_.justWound)
        return;
    state_.legFrame = inc(state_.legFrame);
    stepLeft();
    state_.windLevel = dec(state_.windLevel);
    if (state_.windLevel > 0) {
        setPace();
    } else {
        state_.windLevel = 0;
        window_.setTimerInterval(cw::kStopped);
    }
    if (state_.legFrame > cw::kLastLegsFrame) {
        state_.legFrame = 0;
        services_.playEffect(cw::kFootstep);
    }
    state_.keyFrame = dec(state_.keyFrame);
    if (state_.keyFrame < 0)
        state_.keyFrame = cw::kLastKeyFrame;
    window_.showPose(state_.pose());
}

// One step left, never past the limit; a toy left of it comes back to it.
void Toy::stepLeft()
{
    const int limit = window_.desktopLeft() + cw::kLeftLimit;
    PixelPoint at = window_.position();
    if (at.x == limit)
        return;
    at.x = std::max(at.x - cw::kWalkStep, limit);
    window_.moveTo(at);
}

void Toy::setPace()
{
    if (state_.windLevel > cw::kBriskAbove)
        window_.setTimerInterval(cw::kBriskInterval);
    else if (state_.windLevel > cw::kSteadyAbove)
        window_.setTimerInterval(cw::kSteadyInterval);
    else
        window_.setTimerInterval(cw::kSlowInterval);
}

void Toy::skipHeadSequence()
{
    state_.headSeqPos = static_cast<std::int16_t>(state_.headSequence.size() - cw::kSkipRemainder);
}

void Toy::pointerPressed(Button button, float x, float y)
{
    if (button == Button::Left) {
        state_.dragging = true;
        if (state_.headShaking)
            skipHeadSequence();
        else
            window_.setTimerInterval(cw::kStopped);
        state_.justWound = false;
        state_.grabX = x;
        state_.grabY = y;
        window_.setHandCursor(HandCursor::Grabbing);
    } else if (button == Button::Right) {
        if (state_.dragging) {
            if (!state_.headShaking)
                window_.setTimerInterval(cw::kStopped);
            windStep();
            state_.justWound = true;
        } else {
            if (state_.headShaking)
                skipHeadSequence();
            window_.showPopupMenu();
        }
    }
}

// The left button alone drags; the part pressed stays under the pointer.
void Toy::pointerMoved(HeldButtons held, float x, float y)
{
    if (!held.left || held.right || held.middle || !state_.dragging)
        return;
    const auto follow = [](int edge, float pointer, float grab) {
        return static_cast<int>(std::lround(edge + (static_cast<double>(pointer) - grab)));
    };
    const PixelPoint at = window_.position();
    window_.moveTo({follow(at.x, x, state_.grabX), follow(at.y, y, state_.grabY)});
}

void Toy::pointerReleased(Button button)
{
    if (button != Button::Left || !state_.dragging)
        return;
    state_.justWound = false;
    state_.dragging = false;
    state_.windTicks = 0;
    window_.setHandCursor(HandCursor::Open);
    if (state_.windLevel > 0) {
        setPace();
        services_.playEffect(cw::kFootstep);
    }
}

void Toy::toggleSound()
{
    state_.soundOn = !state_.soundOn;
    services_.storeSound(state_.soundOn);
}

void Toy::showAbout()
{
    window_.setInputEnabled(false); // the about box enables it again when it closes
    services_.openAboutBox();
}

void Toy::exit() { services_.endProgram(); }

} // namespace zorrel::toy
