#include "platform/ToySurface.h"

#include <QPainter>
#include <QTransform>
#include <QWidget>

#include <vector>

namespace zorrel::platform {
namespace {

class QtToySurface : public ToySurface {
  public:
    explicit QtToySurface(QWidget &window) : window_(window) {}

    void prepare() override
    {
        // Windows and macOS keep a tool window out of the task bar.
        window_.setWindowFlag(Qt::Tool, true);
    }
    void shown() override {}

    void move(QPoint clientPos) override { window_.move(clientPos); }
    [[nodiscard]] QPoint position() const override { return window_.pos(); }
    // The simplest versions; the window follows Qt's screen.
    [[nodiscard]] qreal deviceRatio() const override { return window_.devicePixelRatioF(); }
    void onRatioChanged(std::function<void()> /*changed*/) override {}
    void setCursor(const QCursor &cursor) override { window_.setCursor(cursor); }

    void setShape(const QRegion &region) override
    {
        const qreal ratio = window_.devicePixelRatioF();
        // Qt's masks are in logical pixels; it scales them itself.
        window_.setMask(ratio == 1.0 ? region
                                     : QTransform::fromScale(1 / ratio, 1 / ratio).map(region));
    }
    void setLayers(std::span<const Layer> layers) override
    {
        layers_.assign(layers.begin(), layers.end());
        window_.update();
    }
    void paint(QPainter &painter) override
    {
        painter.fillRect(window_.rect(), window_.palette().color(QPalette::Window));
        for (const Layer &layer : layers_)
            painter.drawPixmap(layer.at, layer.picture);
    }
    void flush() override {}

  private:
    QWidget &window_;
    std::vector<Layer> layers_;
};

} // namespace

std::unique_ptr<ToySurface> makeQtToySurface(QWidget &window)
{
    return std::make_unique<QtToySurface>(window);
}

} // namespace zorrel::platform
