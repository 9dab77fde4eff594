#pragma once

#include "art/Frames.h"

#include <string_view>

namespace zorrel::toy {

using art::FrameSet;
using art::HandCursor;

// Everything the toy's clockwork asks of its window. Positions and sizes are
// in twips of the outer window, 15 to the logical pixel.
class ToyWindow {
  public:
    virtual ~ToyWindow() = default;

    virtual void setWindowSize(float widthTwips, float heightTwips) = 0;
    virtual void setBackColor(unsigned bgr) = 0;
    virtual void makeTopMost() = 0;

    // 0 stops the timer; any other value makes it tick at about that period.
    virtual void setTimerInterval(int milliseconds) = 0;
    virtual void showFrame(FrameSet set, int frame) = 0;
    // Applies to the four part images and then to the window itself.
    virtual void setHandCursor(HandCursor cursor) = 0;

    [[nodiscard]] virtual float left() const = 0;
    virtual void setLeft(float twips) = 0;
    [[nodiscard]] virtual float top() const = 0;
    virtual void setTop(float twips) = 0;
    // Left edge of the whole desktop, the leftmost screen included.
    [[nodiscard]] virtual float desktopLeft() const = 0;

    virtual void playEffect(std::string_view fileName) = 0;
    // Recomposes the outline from the current frames and applies it.
    virtual void updateShape() = 0;
    // Returns once the menu has closed and any chosen command has run.
    virtual void showPopupMenu() = 0;
    // Lets every queued event (repaints, pointer events, ticks) run.
    virtual void doEvents() = 0;

    // The sound option: the check mark of the menu's sound item, and its
    // copy in the per-user settings store.
    [[nodiscard]] virtual bool soundChecked() const = 0;
    virtual void setSoundChecked(bool checked) = 0;
    // Returns the stored option; a first run stores `designDefault`.
    [[nodiscard]] virtual bool loadStoredSound(bool designDefault) = 0;
    virtual void storeSound(bool soundOn) = 0;

    // Input to the toy window; the about box switches it off while open.
    virtual void setInputEnabled(bool enabled) = 0;
    virtual void openAboutBox() = 0;
    // Ends the program at once.
    virtual void endProgram() = 0;
};

} // namespace zorrel::toy
