#include "art/ProgramIcon.h"

#include "art/Layout.h"
#include "art/Pictures.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace zorrel::art {
namespace {

std::vector<int> iconSides()
{
    std::vector<int> sides(layout::kIconSides.begin(), layout::kIconSides.end());
    for (const QScreen *screen : QGuiApplication::screens())
        sides.push_back(qRound(layout::kIconSize * screen->devicePixelRatio()));
    std::sort(sides.begin(), sides.end());
    sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
    return sides;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (const int side : iconSides())
        icon.addPixmap(
            QPixmap::fromImage(artPicture(QStringLiteral(":/art/icon.svg"), QSize(side, side), 1.0,
                                          kOverlayFormat, kOverlayBackground)));
    return icon;
}

} // namespace zorrel::art
