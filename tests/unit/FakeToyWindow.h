#pragma once

#include "toy/ToyWindow.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace zorrel::test {

// A toy window that records what the clockwork asks of it. Positions snap
// to whole pixels at 15 twips each, as a real window does.
class FakeToyWindow : public toy::ToyWindow {
  public:
    struct Frame {
        toy::FrameSet set;
        int index;
    };

    void setWindowSize(float /*w*/, float /*h*/) override {}
    void setBackColor(unsigned /*bgr*/) override {}
    void makeTopMost() override {}
    void setTimerInterval(int ms) override { intervals.push_back(interval = ms); }
    void showFrame(toy::FrameSet set, int index) override { frames.push_back({set, index}); }
    void setHandCursor(toy::HandCursor c) override { cursor = c; }
    [[nodiscard]] float left() const override { return leftTwips; }
    void setLeft(float twips) override { leftTwips = snap(twips); }
    [[nodiscard]] float top() const override { return topTwips; }
    void setTop(float twips) override { topTwips = snap(twips); }
    [[nodiscard]] float desktopLeft() const override { return desktopLeftTwips; }
    void playEffect(std::string_view name) override { effects.emplace_back(name); }
    void updateShape() override { ++shapeUpdates; }
    void showPopupMenu() override
    {
        ++menusShown;
        if (onMenu)
            onMenu();
    }
    void doEvents() override { ++eventRuns; }
    [[nodiscard]] bool soundChecked() const override { return soundMark; }
    void setSoundChecked(bool checked) override { soundMark = checked; }
    [[nodiscard]] bool loadStoredSound(bool designDefault) override
    {
        loadedWithDefault = designDefault;
        return stored;
    }
    void storeSound(bool soundOn) override { storedValues.push_back(soundOn); }
    void setInputEnabled(bool e) override { enabled = e; }
    void openAboutBox() override { ++aboutShown; }
    void endProgram() override { unloaded = true; }

    [[nodiscard]] float snap(float twips) const
    {
        return snapping ? std::round(twips / 15.0F) * 15.0F : twips;
    }

    bool snapping = true, soundMark = true, stored = true;
    bool loadedWithDefault = false, enabled = true, unloaded = false;
    int interval = 0, shapeUpdates = 0, menusShown = 0, eventRuns = 0, aboutShown = 0;
    std::vector<int> intervals;
    std::vector<Frame> frames;
    toy::HandCursor cursor = toy::HandCursor::Open;
    float leftTwips = 7500, topTwips = 4500, desktopLeftTwips = 0;
    std::vector<std::string> effects;
    std::function<void()> onMenu;
    std::vector<bool> storedValues;
};

} // namespace zorrel::test
