#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace zorrel::widget {

// The toy's one timer. Its interval is the toy's pace: 0 stops it, anything
// else makes it tick at that period, but never faster than kMinimumPeriodMs,
// the fastest pace the animation is drawn for.
class PacedTimer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMinimumPeriodMs = 16;

    explicit PacedTimer(std::function<void()> onTick, QObject *parent = nullptr);

    void setInterval(int milliseconds);
    [[nodiscard]] int remainingTime() const { return timer_.remainingTime(); }

  private:
    QTimer timer_;
};

} // namespace zorrel::widget
