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

    void SetWindowSize(float w, float h) override
    {
        width = w;
        height = h;
    }
    void SetBackColor(unsigned bgr) override { backColor = bgr; }
    void MakeTopMost() override { topMost = true; }
    void SetTimerInterval(int ms) override
    {
        interval = ms;
        intervals.push_back(ms);
    }
    void ShowFrame(toy::FrameSet set, int index) override { frames.push_back({set, index}); }
    void SetHandCursor(toy::HandCursor c) override { cursor = c; }
    [[nodiscard]] float Left() const override { return left; }
    void SetLeft(float twips) override { left = snap(twips); }
    [[nodiscard]] float Top() const override { return top; }
    void SetTop(float twips) override { top = snap(twips); }
    [[nodiscard]] float DesktopLeft() const override { return desktopLeft; }
    void PlayEffect(std::string_view name) override { effects.emplace_back(name); }
    void UpdateShape() override { ++shapeUpdates; }
    void ShowPopupMenu() override
    {
        ++menusShown;
        if (onMenu)
            onMenu();
    }
    void DoEvents() override { ++doEvents; }
    [[nodiscard]] bool SoundChecked() const override { return soundChecked; }
    void SetSoundChecked(bool checked) override { soundChecked = checked; }
    [[nodiscard]] bool LoadStoredSound(bool designDefault) override
    {
        loadedWithDefault = designDefault;
        return stored;
    }
    void StoreSound(bool soundOn) override { storedValues.push_back(soundOn); }
    void SetEnabled(bool e) override { enabled = e; }
    void ShowAbout() override { ++aboutShown; }
    void Unload() override { unloaded = true; }

    [[nodiscard]] float snap(float twips) const
    {
        return snapping ? std::round(twips / 15.0F) * 15.0F : twips;
    }

    bool snapping = true;

    float width = 0, height = 0;
    unsigned backColor = 0xFFFFFF;
    bool topMost = false;
    int interval = 0;
    std::vector<int> intervals;
    std::vector<Frame> frames;
    toy::HandCursor cursor = toy::HandCursor::Open;
    float left = 7500, top = 4500, desktopLeft = 0;
    std::vector<std::string> effects;
    int shapeUpdates = 0;
    int menusShown = 0;
    std::function<void()> onMenu;
    int doEvents = 0;
    bool soundChecked = true;
    bool stored = true;
    bool loadedWithDefault = false;
    std::vector<bool> storedValues;
    bool enabled = true;
    int aboutShown = 0;
    bool unloaded = false;
};

} // namespace zorrel::test
