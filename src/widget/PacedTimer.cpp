#include "widget/PacedTimer.h"

#include <algorithm>

namespace zorrel::widget {

PacedTimer::PacedTimer(std::function<void()> onTick, QObject *parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, std::move(onTick));
}

void PacedTimer::setInterval(int milliseconds)
{
    if (milliseconds <= 0) {
        timer_.stop();
        return;
    }
    const int period = std::max(milliseconds, kMinimumPeriodMs);
    // Restarting an unchanged period would push every tick back by the time
    // the tick itself took; the walk would drift slower.
    if (timer_.isActive() && timer_.interval() == period)
        return;
    timer_.start(period);
}

} // namespace zorrel::widget
