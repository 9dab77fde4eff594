#pragma once

#include "art/Sprites.h"
#include "platform/ToySurface.h"
#include "shape/RegionTable.h"
#include "sound/SoundEffects.h"
#include "toy/PacedTimer.h"
#include "toy/SoundOptionStore.h"
#include "toy/Toy.h"
#include "toy/ToyWindow.h"

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace zorrel::toy {

// The toy window: forwards pointer events, ticks and menu commands to the
// toy and carries out what it asks through ToyWindow. Its place, outline and
// picture reach the screen through the platform's ToySurface. Moves and
// frames asked during one event are handed on together when it ends.
class ToyWidget : public QWidget, private ToyWindow {
    Q_OBJECT
  public:
    ToyWidget();
    ~ToyWidget() override;

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
    bool event(QEvent *event) override;

  private:
    // Twips of `event`'s pointer from the origin of the part pressed first.
    [[nodiscard]] QPointF fromPressedPart(const QMouseEvent *event) const;
    // Top-left of the client area on the desktop, as the toy last set it.
    [[nodiscard]] QPoint clientPos() const;
    void buildMenu();
    // Brings the toy wholly onto a screen if it is not, as after the screens
    // shrank or the window manager pushed it mostly out of sight.
    void keepOnScreen();
    void watchScreens();
    // Hands on the position and picture that the last event changed.
    void commit();
    void renderPicture();
    void applyDeviceRatio();

    // ToyWindow
    void setWindowSize(float widthTwips, float heightTwips) override;
    void setBackColor(unsigned bgr) override;
    void makeTopMost() override;
    void setTimerInterval(int milliseconds) override;
    void showFrame(FrameSet set, int frame) override;
    void setHandCursor(HandCursor cursor) override;
    [[nodiscard]] float left() const override;
    void setLeft(float twips) override;
    [[nodiscard]] float top() const override;
    void setTop(float twips) override;
    [[nodiscard]] float desktopLeft() const override;
    void playEffect(std::string_view fileName) override;
    void updateShape() override;
    void showPopupMenu() override;
    void doEvents() override;
    [[nodiscard]] bool soundChecked() const override;
    void setSoundChecked(bool checked) override;
    [[nodiscard]] bool loadStoredSound(bool designDefault) override;
    void storeSound(bool soundOn) override;
    void setInputEnabled(bool enabled) override;
    void openAboutBox() override;
    void endProgram() override;

    Toy toy_{*this};
    PacedTimer timer_;
    // Once the toy leaves its rest pose it will soon walk: the frames not
    // drawn yet are drawn in idle moments, one per pass, not mid-walk.
    QTimer idleDrawing_;
    shape::RegionTable regions_;
    std::unique_ptr<art::SpriteSet> sprites_;
    QCursor openHand_;
    QCursor grabbingHand_;
    QMenu menu_;
    QAction *soundAction_ = nullptr;
    sound::EffectPlayer effects_;
    SoundOptionStore soundOption_;

    int headFrame_ = 0;
    int legsFrame_ = 0;
    int keyFrame_ = 0;
    std::unique_ptr<platform::ToySurface> surface_;
    QPoint outerPos_; // top-left of the outer window as asked, while positionDirty_
    bool positionDirty_ = false;
    bool pictureDirty_ = true;
    QPoint pressedOrigin_; // of the part under the first press of a gesture
};

} // namespace zorrel::toy
