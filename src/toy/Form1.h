#pragma once

#include "art/Sprites.h"
#include "shape/RegionTable.h"
#include "sound/SoundEffects.h"
#include "toy/PacedTimer.h"
#include "toy/SoundOptionStore.h"
#include "toy/Toy.h"
#include "toy/ToyWindow.h"

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QWidget>

#include <memory>

namespace zorrel::toy {

// The toy window: draws the creature, cut to its outline, and forwards
// pointer events, ticks and menu commands to the clockwork, carrying out
// what it asks. Positions are kept here as the clockwork set them, so that
// it reads back where it put the window even while the window system is
// still catching up with the moves.
class Form1 : public QWidget, private ToyWindow {
    Q_OBJECT
  public:
    Form1();
    ~Form1() override;

    // Runs start-up, then shows the window centred on the primary screen.
    void start();

    [[nodiscard]] const Toy &toy() const { return toy_; }
    // One tick of the toy's timer.
    void tick();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    enum class Source { Form, HeadPic, BodyPic, BottomPic, KeyPic };
    enum class Phase { Down, Move, Up };

    void route(Phase phase, QMouseEvent *event);
    [[nodiscard]] Source sourceAt(QPointF clientPos) const;
    void buildMenu();
    void commitPosition();

    // ToyWindow
    void SetWindowSize(float widthTwips, float heightTwips) override;
    void SetBackColor(unsigned bgr) override;
    void MakeTopMost() override;
    void SetTimerInterval(int milliseconds) override;
    void ShowFrame(FrameSet set, int frame) override;
    void SetHandCursor(HandCursor cursor) override;
    [[nodiscard]] float Left() const override;
    void SetLeft(float twips) override;
    [[nodiscard]] float Top() const override;
    void SetTop(float twips) override;
    [[nodiscard]] float DesktopLeft() const override;
    void PlayEffect(std::string_view fileName) override;
    void UpdateShape() override;
    void ShowPopupMenu() override;
    void DoEvents() override;
    [[nodiscard]] bool SoundChecked() const override;
    void SetSoundChecked(bool checked) override;
    [[nodiscard]] bool LoadStoredSound(bool designDefault) override;
    void StoreSound(bool soundOn) override;
    void SetEnabled(bool enabled) override;
    void ShowAbout() override;
    void Unload() override;

    Toy toy_{*this};
    PacedTimer timer_;
    shape::RegionTable regions_;
    std::unique_ptr<art::SpriteSet> sprites_;
    QCursor openHand_;
    QCursor grabbingHand_;
    QMenu mPopupMenu_;
    QAction *mSound_ = nullptr;
    sound::EffectPlayer effects_;
    SoundOptionStore soundOption_;

    int headFrame_ = 0;
    int legsFrame_ = 0;
    int keyFrame_ = 0;
    QPoint outerPos_; // top-left of the outer window, logical pixels
    bool positionDirty_ = false;
    Source pressedSource_ = Source::Form;
};

} // namespace zorrel::toy
