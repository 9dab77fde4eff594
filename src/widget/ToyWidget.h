#pragma once

#include "art/Sprites.h"
#include "platform/ToySurface.h"
#include "settings/SoundOptionStore.h"
#include "sound/SoundEffects.h"
#include "toy/Toy.h"
#include "toy/ToyServices.h"
#include "toy/ToyWindow.h"
#include "widget/PacedTimer.h"

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace zorrel::widget {

// The toy window: forwards pointer events, ticks and menu commands to the
// toy and carries out what it asks through ToyWindow and ToyServices. Its
// place, outline and picture reach the screen through the platform's
// ToySurface. Moves and frames asked during one event are handed on together
// when it ends, with the menu's sound mark set from the toy's state.
class ToyWidget : public QWidget, private toy::ToyWindow, private toy::ToyServices {
    Q_OBJECT
  public:
    using SurfaceMaker = std::function<std::unique_ptr<platform::ToySurface>(QWidget &)>;
    // The toy on the surface `makeSurface` gives, the platform's by default.
    explicit ToyWidget(const SurfaceMaker &makeSurface = platform::makeToySurface);
    ~ToyWidget() override;

    // Runs start-up, then shows the window centred on the primary screen.
    void start();

    [[nodiscard]] const toy::Toy &toy() const { return toy_; }
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
    // Pixels of `event`'s pointer from the origin of the part pressed first.
    [[nodiscard]] QPointF fromPressedPart(const QMouseEvent *event) const;
    // Top-left of the client area on the desktop, as the toy last set it.
    [[nodiscard]] QPoint clientPos() const;
    // Whether a surface of the platform's own shows the toy while Qt's
    // window stays off the screen, so that Qt's other windows know nothing
    // of where the toy is stacked.
    [[nodiscard]] bool drawnBySurface() const;
    void buildMenu();
    // Brings the toy wholly onto a screen if it is not, as after the screens
    // shrank or the window manager pushed it mostly out of sight.
    void keepOnScreen();
    void watchScreens();
    // Hands on the position and picture that the last event changed.
    void commit();
    // The picture of the pose in the toy's state, back to front.
    void renderPicture();
    void applyDeviceRatio();

    // ToyWindow
    void setSize(int width, int height) override;
    void setTimerInterval(int milliseconds) override;
    void showPose(const shape::Pose &pose) override;
    void setHandCursor(toy::HandCursor cursor) override;
    [[nodiscard]] toy::PixelPoint position() const override;
    void moveTo(toy::PixelPoint position) override;
    [[nodiscard]] int desktopLeft() const override;
    void showPopupMenu() override;
    void setInputEnabled(bool enabled) override;

    // ToyServices
    void playEffect(std::string_view fileName) override;
    [[nodiscard]] bool loadStoredSound(bool firstRunDefault) override;
    void storeSound(bool soundOn) override;
    void openAboutBox() override;
    void endProgram() override;

    toy::Toy toy_{*this, *this};
    PacedTimer timer_;
    // Once the toy leaves its rest pose it will soon walk: the frames not
    // drawn yet are drawn in idle moments, one per pass, not mid-walk.
    QTimer idleDrawing_;
    std::unique_ptr<art::SpriteSet> sprites_;
    qreal picturesRatio_ = 0; // the device-pixel ratio of sprites_ and the hands
    QCursor openHand_;
    QCursor grabbingHand_;
    QMenu menu_;
    QAction *soundAction_ = nullptr;
    sound::EffectPlayer effects_;
    settings::SoundOptionStore soundOption_;

    std::unique_ptr<platform::ToySurface> surface_;
    QPoint position_; // top-left of the window as asked, while positionDirty_
    bool positionDirty_ = false;
    bool pictureDirty_ = true;
    QPoint pressedOrigin_; // of the part under the first press of a gesture
    QPoint lastPointer_;   // on the desktop, as the toy's last pointer event gave it
};

} // namespace zorrel::widget
