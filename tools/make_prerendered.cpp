// Renders the pictures a start shows at once into a C++ table of pixels,
// with the same drawing code the program uses at run time. Run by the build.
//
//   make_prerendered SVG_FOLDER OUT.cpp

#include "art/Layout.h"
#include "art/PictureFormats.h"
#include "art/SvgPicture.h"
#include "common/Diagnostics.h"

#include <QFile>
#include <QTextStream>

namespace {

namespace layout = zorrel::art::layout;

struct Wanted {
    const char *name;
    QSize size;
    QImage::Format format;
    QRgb background;
};

using zorrel::art::kOverlayBackground;
using zorrel::art::kOverlayFormat;
using zorrel::art::kPartFormat;
constexpr QSize kCursor{layout::kCursorSize, layout::kCursorSize};
constexpr auto kIcons = layout::kIconSides;

// The rest pose, the two hands over the toy, and the window icon at the
// sides a screen of ratio 1 asks for.
const Wanted kWanted[] = {
    {"head0", layout::kHeadPic.size(), kPartFormat, layout::kBackground},
    {"body", layout::kBodyPic.size(), kPartFormat, layout::kBackground},
    {"legs0", layout::kBottomPic.size(), kPartFormat, layout::kBackground},
    {"key0", layout::kKeyPic.size(), kPartFormat, layout::kBackground},
    {"hand_open", kCursor, kOverlayFormat, kOverlayBackground},
    {"hand_grab", kCursor, kOverlayFormat, kOverlayBackground},
    {"icon", {kIcons[0], kIcons[0]}, kOverlayFormat, kOverlayBackground},
    {"icon", {kIcons[1], kIcons[1]}, kOverlayFormat, kOverlayBackground},
    {"icon", {kIcons[2], kIcons[2]}, kOverlayFormat, kOverlayBackground},
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        zorrel::printLine(QStringLiteral("usage: make_prerendered SVG_FOLDER OUT.cpp"));
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        zorrel::printLine(QStringLiteral("make_prerendered: cannot write \"%1\"")
                              .arg(zorrel::escaped(file.fileName())));
        return 1;
    }
    QTextStream out(&file);
    out << "// Written by make_prerendered from the SVG art; not to be edited.\n"
           "#include \"art/PrerenderedPictures.h\"\n\n"
           "namespace zorrel::art {\nnamespace {\n\n";
    int index = 0;
    for (const Wanted &wanted : kWanted) {
        const QString svg = folder + QLatin1Char('/') + QLatin1String(wanted.name) + ".svg";
        if (!QFile::exists(svg)) {
            zorrel::printLine(
                QStringLiteral("make_prerendered: no \"%1\"").arg(zorrel::escaped(svg)));
            return 1;
        }
        const QImage image = zorrel::art::renderSvgFile(svg, wanted.size, 1.0, wanted.format,
                                                        QColor::fromRgba(wanted.background));
        out << "const QRgb kPixels" << index++ << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                out << ((x % 8) == 0 ? "\n    " : " ") << "0x" << Qt::hex << row[x] << Qt::dec
                    << ",";
        }
        out << "\n};\n\n";
    }
    out << "const PrerenderedPicture kPictures[] = {\n";
    index = 0;
    for (const Wanted &wanted : kWanted)
        out << "    {\":/art/" << wanted.name << ".svg\", {" << wanted.size.width() << ", "
            << wanted.size.height() << "}, QImage::Format(" << static_cast<int>(wanted.format)
            << "), 0x" << Qt::hex << wanted.background << Qt::dec << ", kPixels" << index++
            << "},\n";
    out << "};\n\n} // namespace\n\n"
           "std::span<const PrerenderedPicture> prerenderedPictures() { return kPictures; }\n\n"
           "} // namespace zorrel::art\n";
    out.flush();
    return file.error() == QFileDevice::NoError ? 0 : 1;
}
