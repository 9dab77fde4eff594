#include "toy/Toy.h"

#include "toy/Clockwork.h"

#include <algorithm>

namespace zorrel::toy {

namespace cw = clockwork;

namespace {

std::int16_t inc(std::int16_t v) { return static_cast<std::int16_t>(v + 1); }
std::int16_t dec(std::int16_t v) { return static_cast<std::int16_t>(v - 1); }

} // namespace

void Toy::Form_Load()
{
    state_.LegFrame = 0;
    window_.SetWindowSize(cw::kWindowWidth, cw::kWindowHeight);
    window_.SetBackColor(cw::kBlack);
    state_.Dragging = kFalse;
    state_.JustWound = kFalse;
    state_.HeadShaking = kFalse;
    state_.HeadSeqPos = 0;
    state_.HeadFrame = 0;
    state_.KeyFrame = 0;
    state_.WindTicks = 0;
    state_.WindLevel = 0;
    state_.HeadSequence = cw::kHeadSequence;
    window_.MakeTopMost();
    window_.UpdateShape();
    LoadSoundOption();
}

void Toy::WindStep()
{
    if (state_.HeadShaking != kFalse)
        return;
    state_.JustWound = kFalse;
    state_.WindLevel = static_cast<std::int16_t>(state_.WindLevel + cw::kWindPerStep);
    if (state_.WindLevel <= cw::kWindLimit) {
        state_.WindTicks = cw::kKeyTurnTicks;
        window_.SetTimerInterval(cw::kWindingInterval);
        window_.PlayEffect(cw::kWindingClick);
        return;
    }
    // Over-wound: the wind is lost and the head shakes; the hold ends.
    state_.WindLevel = 0;
    state_.HeadShaking = kTrue;
    state_.HeadSeqPos = 0;
    window_.SetTimerInterval(cw::kHeadInterval);
    state_.Dragging = kFalse;
    window_.SetHandCursor(HandCursor::Open);
}

void Toy::Timer1_Timer()
{
    if (state_.HeadShaking != kFalse)
        HeadTick();
    else if (state_.WindTicks >= 1)
        WindingTick();
    else
        WalkingTick();
}

void Toy::HeadTick()
{
    state_.HeadSeqPos = inc(state_.HeadSeqPos);
    const auto length = static_cast<std::int16_t>(state_.HeadSequence.size());
    // Positions count from 1; one past the end would show the last frame.
    const auto at =
        static_cast<std::size_t>(std::clamp<std::int16_t>(state_.HeadSeqPos, 1, length));
    const auto frame = static_cast<std::int16_t>(state_.HeadSequence[at - 1] - '0');
    window_.ShowFrame(FrameSet::Head, frame);
    state_.HeadFrame = frame;
    window_.UpdateShape();
    if (state_.HeadSeqPos >= length) {
        state_.HeadShaking = kFalse;
        window_.SetTimerInterval(cw::kStopped);
    }
}

void Toy::WindingTick()
{
    state_.WindTicks = dec(state_.WindTicks);
    if (state_.WindTicks == 0) {
        if (state_.Dragging != kFalse)
            window_.SetTimerInterval(cw::kStopped); // the walk waits for the release
        else
            SetPace();
    }
    state_.KeyFrame = inc(state_.KeyFrame);
    if (state_.KeyFrame > cw::kLastKeyFrame)
        state_.KeyFrame = 0;
    window_.ShowFrame(FrameSet::Key, state_.KeyFrame);
    window_.UpdateShape();
}

void Toy::WalkingTick()
{
    if (state_.Dragging != kFalse || state_.JustWound != kFalse)
        return;
    state_.LegFrame = inc(state_.LegFrame);
    StepLeft();
    state_.WindLevel = dec(state_.WindLevel);
    if (state_.WindLevel > 0) {
        SetPace();
    } else {
        state_.WindLevel = 0;
        window_.SetTimerInterval(cw::kStopped);
    }
    if (state_.LegFrame > cw::kLastLegsFrame) {
        state_.LegFrame = 0;
        window_.PlayEffect(cw::kFootstep);
    }
    window_.ShowFrame(FrameSet::Legs, state_.LegFrame);
    state_.KeyFrame = dec(state_.KeyFrame);
    if (state_.KeyFrame < 0)
        state_.KeyFrame = cw::kLastKeyFrame;
    window_.ShowFrame(FrameSet::Key, state_.KeyFrame);
    window_.UpdateShape();
}

// One step left, never past the limit; a toy left of it comes back to it.
// Left is read back after each write because the window snaps to pixels.
void Toy::StepLeft()
{
    const float limit = window_.DesktopLeft() + cw::kLeftLimit;
    if (window_.Left() == limit)
        return;
    window_.SetLeft(window_.Left() - cw::kWalkStep);
    if (window_.Left() < limit)
        window_.SetLeft(limit);
}

void Toy::SetPace()
{
    if (state_.WindLevel > cw::kBriskAbove)
        window_.SetTimerInterval(cw::kBriskInterval);
    else if (state_.WindLevel > cw::kSteadyAbove)
        window_.SetTimerInterval(cw::kSteadyInterval);
    else
        window_.SetTimerInterval(cw::kSlowInterval);
}

void Toy::SkipHeadSequence()
{
    state_.HeadSeqPos = static_cast<std::int16_t>(state_.HeadSequence.size() - cw::kSkipRemainder);
}

void Toy::PartMouseDown(std::int16_t Button, std::int16_t /*Shift*/, float X, float Y)
{
    if (Button == cw::kLeftButton) {
        state_.Dragging = kTrue;
        if (state_.HeadShaking != kFalse)
            SkipHeadSequence();
        else
            window_.SetTimerInterval(cw::kStopped);
        state_.JustWound = kFalse;
        state_.GrabX = X;
        state_.GrabY = Y;
        window_.SetHandCursor(HandCursor::Grabbing);
    } else if (Button == cw::kRightButton) {
        if (state_.Dragging != kFalse) {
            if (state_.HeadShaking == kFalse)
                window_.SetTimerInterval(cw::kStopped);
            mWindItUp_Click();
            state_.JustWound = kTrue;
        } else {
            if (state_.HeadShaking != kFalse)
                SkipHeadSequence();
            window_.ShowPopupMenu();
        }
    }
}

void Toy::PartMouseMove(std::int16_t Button, std::int16_t /*Shift*/, float X, float Y)
{
    if (Button != cw::kLeftButton || state_.Dragging == kFalse)
        return;
    window_.SetLeft(static_cast<float>((static_cast<double>(X) - state_.GrabX) + window_.Left()));
    window_.SetTop(static_cast<float>((static_cast<double>(Y) - state_.GrabY) + window_.Top()));
    window_.DoEvents();
}

void Toy::PartMouseUp(std::int16_t Button, std::int16_t /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Button != cw::kLeftButton || state_.Dragging == kFalse)
        return;
    state_.JustWound = kFalse;
    state_.Dragging = kFalse;
    state_.WindTicks = 0;
    window_.SetHandCursor(HandCursor::Open);
    if (state_.WindLevel > 0) {
        SetPace();
        window_.PlayEffect(cw::kFootstep);
    }
}

void Toy::mSound_Click()
{
    window_.SetSoundChecked(!window_.SoundChecked());
    window_.StoreSound(window_.SoundChecked());
}

void Toy::mAbout_Click()
{
    window_.SetEnabled(false); // the about box enables it again when it closes
    window_.ShowAbout();
}

void Toy::mExit_Click() { window_.Unload(); }

void Toy::LoadSoundOption()
{
    window_.SetSoundChecked(window_.LoadStoredSound(window_.SoundChecked()));
}

} // namespace zorrel::toy
