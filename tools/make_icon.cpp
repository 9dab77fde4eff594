// Renders the program's SVG icon into a square PNG of a given size, for the
// icon theme's fixed-size folders. Run by the build.
//
//   make_icon ICON.svg OUT.png SIZE

#include "art/SvgPicture.h"
#include "common/Diagnostics.h"

#include <QImage>
#include <QString>
#include <QSvgRenderer>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        zorrel::printLine(QStringLiteral("usage: make_icon ICON.svg OUT.png SIZE"));
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || size <= 0) {
        zorrel::printLine(QStringLiteral("make_icon: bad size \"%1\"")
                              .arg(zorrel::escaped(QString::fromLocal8Bit(argv[3]))));
        return 2;
    }
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        zorrel::printLine(
            QStringLiteral("make_icon: cannot read \"%1\"").arg(zorrel::escaped(source)));
        return 1;
    }
    const QImage image = zorrel::art::renderSvg(
        renderer, QSize(size, size), 1.0, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    if (!image.save(target, "PNG")) {
        zorrel::printLine(
            QStringLiteral("make_icon: cannot write \"%1\"").arg(zorrel::escaped(target)));
        return 1;
    }
    return 0;
}
