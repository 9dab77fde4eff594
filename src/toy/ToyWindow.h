#pragma once

#include <string_view>

namespace zorrel::toy {

// The frame sets a part image can show.
enum class FrameSet { Head, Legs, Key };

// The two pointer icons of the toy: the open hand of the free toy and the
// grabbing hand of a held one.
enum class HandCursor { Open, Grabbing };

// Everything the toy's clockwork asks of its window. Positions and sizes are
// in twips of the outer window, 15 to the logical pixel.
class ToyWindow {
  public:
    virtual ~ToyWindow() = default;

    virtual void SetWindowSize(float widthTwips, float heightTwips) = 0;
    virtual void SetBackColor(unsigned bgr) = 0;
    virtual void MakeTopMost() = 0;

    // 0 stops the timer; any other value makes it tick at about that period.
    virtual void SetTimerInterval(int milliseconds) = 0;
    virtual void ShowFrame(FrameSet set, int frame) = 0;
    // Applies to the four part images and then to the window itself.
    virtual void SetHandCursor(HandCursor cursor) = 0;

    [[nodiscard]] virtual float Left() const = 0;
    virtual void SetLeft(float twips) = 0;
    [[nodiscard]] virtual float Top() const = 0;
    virtual void SetTop(float twips) = 0;
    // Left edge of the whole desktop, the leftmost screen included.
    [[nodiscard]] virtual float DesktopLeft() const = 0;

    virtual void PlayEffect(std::string_view fileName) = 0;
    // Recomposes the outline from the current frames and applies it.
    virtual void UpdateShape() = 0;
    // Returns once the menu has closed and any chosen command has run.
    virtual void ShowPopupMenu() = 0;
    // Lets every queued event (repaints, pointer events, ticks) run.
    virtual void DoEvents() = 0;

    // The sound option: the check mark of the menu's sound item, and its
    // copy in the per-user settings store.
    [[nodiscard]] virtual bool SoundChecked() const = 0;
    virtual void SetSoundChecked(bool checked) = 0;
    // Returns the stored option; a first run stores `designDefault`.
    [[nodiscard]] virtual bool LoadStoredSound(bool designDefault) = 0;
    virtual void StoreSound(bool soundOn) = 0;

    // Input to the toy window; the about box switches it off while open.
    virtual void SetEnabled(bool enabled) = 0;
    virtual void ShowAbout() = 0;
    // Ends the program at once.
    virtual void Unload() = 0;
};

} // namespace zorrel::toy
