#include "toy/Toy.h"

#include "toy/Clockwork.h"

#include <algorithm>

namespace zorrel::toy {

namespace cw = clockwork;

namespace {

std::int16_t inc(std::int16_t v) { return static_cast<std::int16_t>(v + 1); }
std::int16_t dec(std::int16_t v) { return static_cast<std::int16_t>(v - 1); }

} // namespace

void Toy::load()
{
    state_.legFrame = 0;
    window_.setWindowSize(cw::kWindowWidth, cw::kWindowHeight);
    window_.setBackColor(cw::kBlack);
    state_.dragging = kFalse;
    state_.justWound = kFalse;
    state_.headShaking = kFalse;
    state_.headSeqPos = 0;
    state_.headFrame = 0;
    state_.keyFrame = 0;
    state_.windTicks = 0;
    state_.windLevel = 0;
    state_.headSequence = cw::kHeadSequence;
    window_.makeTopMost();
    window_.updateShape();
    loadSoundOption();
}

void Toy::windStep()
{
    if (state_.headShaking != kFalse)
        return;
    state_.justWound = kFalse;
    state_.windLevel = static_cast<std::int16_t>(state_.windLevel + cw::kWindPerStep);
    if (state_.windLevel <= cw::kWindLimit) {
        state_.windTicks = cw::kKeyTurnTicks;
        window_.setTimerInterval(cw::kWindingInterval);
        window_.playEffect(cw::kWindingClick);
        return;
    }
    // Over-wound: the wind is lost and the head shakes; the hold ends.
    state_.windLevel = 0;
    state_.headShaking = kTrue;
    state_.headSeqPos = 0;
    window_.setTimerInterval(cw::kHeadInterval);
    state_.dragging = kFalse;
    window_.setHandCursor(HandCursor::Open);
}

void Toy::tick()
{
    if (state_.headShaking != kFalse)
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
    window_.showFrame(FrameSet::Head, frame);
    state_.headFrame = frame;
    window_.updateShape();
    if (state_.headSeqPos >= length) {
        state_.headShaking = kFalse;
        window_.setTimerInterval(cw::kStopped);
    }
}

void Toy::windingTick()
{
    state_.windTicks = dec(state_.windTicks);
    if (state_.windTicks == 0) {
        if (state_.dragging != kFalse)
            window_.setTimerInterval(cw::kStopped); // the walk waits for the release
        else
            setPace();
    }
    state_.keyFrame = inc(state_.keyFrame);
    if (state_.keyFrame > cw::kLastKeyFrame)
        state_.keyFrame = 0;
    window_.showFrame(FrameSet::Key, state_.keyFrame);
    window_.updateShape();
}

void Toy::walkingTick()
{
    if (state_.dragging != kFalse || state_.justWound != kFalse)
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
        window_.playEffect(cw::kFootstep);
    }
    window_.showFrame(FrameSet::Legs, state_.legFrame);
    state_.keyFrame = dec(state_.keyFrame);
    if (state_.keyFrame < 0)
        state_.keyFrame = cw::kLastKeyFrame;
    window_.showFrame(FrameSet::Key, state_.keyFrame);
    window_.updateShape();
}

// One step left, never past the limit; a toy left of it comes back to it.
// Left is read back after each write because the window snaps to pixels.
void Toy::stepLeft()
{
    const float limit = window_.desktopLeft() + cw::kLeftLimit;
    if (window_.left() == limit)
        return;
    window_.setLeft(window_.left() - cw::kWalkStep);
    if (window_.left() < limit)
        window_.setLeft(limit);
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

void Toy::pointerPressed(int buttons, float x, float y)
{
    if (buttons == cw::kLeftButton) {
        state_.dragging = kTrue;
        if (state_.headShaking != kFalse)
            skipHeadSequence();
        else
            window_.setTimerInterval(cw::kStopped);
        state_.justWound = kFalse;
        state_.grabX = x;
        state_.grabY = y;
        window_.setHandCursor(HandCursor::Grabbing);
    } else if (buttons == cw::kRightButton) {
        if (state_.dragging != kFalse) {
            if (state_.headShaking == kFalse)
                window_.setTimerInterval(cw::kStopped);
            windStep();
            state_.justWound = kTrue;
        } else {
            if (state_.headShaking != kFalse)
                skipHeadSequence();
            window_.showPopupMenu();
        }
    }
}

void Toy::pointerMoved(int buttons, float x, float y)
{
    if (buttons != cw::kLeftButton || state_.dragging == kFalse)
        return;
    window_.setLeft(static_cast<float>((static_cast<double>(x) - state_.grabX) + window_.left()));
    window_.setTop(static_cast<float>((static_cast<double>(y) - state_.grabY) + window_.top()));
    window_.doEvents();
}

void Toy::pointerReleased(int buttons, float /*x*/, float /*y*/)
{
    if (buttons != cw::kLeftButton || state_.dragging == kFalse)
        return;
    state_.justWound = kFalse;
    state_.dragging = kFalse;
    state_.windTicks = 0;
    window_.setHandCursor(HandCursor::Open);
    if (state_.windLevel > 0) {
        setPace();
        window_.playEffect(cw::kFootstep);
    }
}

void Toy::toggleSound()
{
    window_.setSoundChecked(!window_.soundChecked());
    window_.storeSound(window_.soundChecked());
}

void Toy::showAbout()
{
    window_.setInputEnabled(false); // the about box enables it again when it closes
    window_.openAboutBox();
}

void Toy::exit() { window_.endProgram(); }

void Toy::loadSoundOption()
{
    window_.setSoundChecked(window_.loadStoredSound(window_.soundChecked()));
}

} // namespace zorrel::toy
