#pragma once

#include "toy/ToyServices.h"
#include "toy/ToyWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace zorrel::test {

// A toy window and services that record what the clockwork asks of them.
class FakeToyWindow : public toy::ToyWindow, public toy::ToyServices {
  public:
    void setSize(int /*width*/, int /*height*/) override {}
    void setTimerInterval(int ms) override { intervals.push_back(interval = ms); }
    void showPose(const shape::Pose &pose) override
    {
        poses.push_back(pose);
        ++posesShown;
    }
    void setHandCursor(toy::HandCursor c) override { cursor = c; }
    [[nodiscard]] toy::PixelPoint position() const override { return at; }
    void moveTo(toy::PixelPoint position) override
    {
        at = position;
        ++moves;
    }
    [[nodiscard]] int desktopLeft() const override { return desktopLeftEdge; }
    void showPopupMenu() override
    {
        ++menusShown;
        if (onMenu)
            onMenu();
    }
    void setInputEnabled(bool e) override { enabled = e; }

    void playEffect(std::string_view name) override { effects.emplace_back(name); }
    [[nodiscard]] bool loadStoredSound(bool firstRunDefault) override
    {
        loadedWithDefault = firstRunDefault;
        return stored;
    }
    void storeSound(bool soundOn) override { storedValues.push_back(soundOn); }
    void openAboutBox() override { ++aboutShown; }
    void endProgram() override { unloaded = true; }

    bool stored = true;
    bool loadedWithDefault = false, enabled = true, unloaded = false;
    int interval = 0, posesShown = 0, moves = 0, menusShown = 0, aboutShown = 0;
    std::vector<int> intervals;
    std::vector<shape::Pose> poses;
    toy::HandCursor cursor = toy::HandCursor::Open;
    toy::PixelPoint at{500, 300};
    int desktopLeftEdge = 0;
    std::vector<std::string> effects;
    std::function<void()> onMenu;
    std::vector<bool> storedValues;
};

} // namespace zorrel::test
