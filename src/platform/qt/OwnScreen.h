#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScreen>

#include <functional>

namespace zorrel::platform {

// The screen of Qt's that shows most of the toy, and its device-pixel ratio,
// for the surfaces that show the toy on Qt's screens. Looks again whenever
// the surface says the toy moved and whenever the screens change; a change
// of the screen or of its ratio is told once the event at hand is over.
class OwnScreen : public QObject {
  public:
    // `toy` says where the toy is now, in logical desktop pixels.
    explicit OwnScreen(std::function<QRect()> toy);

    [[nodiscard]] qreal ratio() const { return ratio_; }
    void onChanged(std::function<void()> changed) { changed_ = std::move(changed); }
    // The toy may have moved.
    void check();

  private:
    void watch(QScreen *screen);
    void checkLater();

    std::function<QRect()> toy_;
    std::function<void()> changed_;
    QPointer<QScreen> screen_;
    qreal ratio_ = 1.0;
};

} // namespace zorrel::platform
