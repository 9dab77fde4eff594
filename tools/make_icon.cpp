// Renders the program's SVG icon for the desktops: a square PNG of one size
// for the icon theme's fixed-size folders, or a Windows icon file holding
// every size given, for the program's resources. Run by the build.
//
//   make_icon ICON.svg OUT.png SIZE
//   make_icon ICON.svg OUT.ico SIZE...

#include "art/SvgPicture.h"
#include "common/Diagnostics.h"

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QSvgRenderer>

namespace {

// Windows reads its icons up to this size; the entries record 256 as 0.
constexpr int kLargestIconSize = 256;

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon file (ICONDIR) whose entries are PNG pictures, which Windows
// reads at every size since Vista.
QByteArray iconFile(const QList<QImage> &images)
{
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    QList<QByteArray> pictures;
    for (const QImage &image : images)
        pictures << png(image);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size()); // reserved, icon, count
    auto offset = static_cast<quint32>(kHeaderSize + kEntrySize * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        const auto side = static_cast<quint8>(size == kLargestIconSize ? 0 : size);
        out << side << side << quint8(0) << quint8(0) // no palette, reserved
            << quint16(1) << quint16(32)              // planes, bits per pixel
            << quint32(pictures[i].size()) << offset;
        offset += pictures[i].size();
    }
    for (const QByteArray &picture : pictures)
        out.writeRawData(picture.constData(), static_cast<int>(picture.size()));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    const QString usage = QStringLiteral(
        "usage: make_icon ICON.svg OUT.png SIZE | make_icon ICON.svg OUT.ico SIZE...");
    if (argc < 4) {
        zorrel::printLine(usage);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    const bool icon = target.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
    if (!icon && argc != 4) {
        zorrel::printLine(usage);
        return 2;
    }
    QList<int> sizes;
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || (icon && size > kLargestIconSize)) {
            zorrel::printLine(QStringLiteral("make_icon: bad size \"%1\"")
                                  .arg(zorrel::escaped(QString::fromLocal8Bit(argv[i]))));
            return 2;
        }
        sizes << size;
    }
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        zorrel::printLine(
            QStringLiteral("make_icon: cannot read \"%1\"").arg(zorrel::escaped(source)));
        return 1;
    }
    QList<QImage> images;
    for (const int size : sizes)
        images << zorrel::art::renderSvg(renderer, QSize(size, size), 1.0,
                                         QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    if (!writeFile(target, icon ? iconFile(images) : png(images.front()))) {
        zorrel::printLine(
            QStringLiteral("make_icon: cannot write \"%1\"").arg(zorrel::escaped(target)));
        return 1;
    }
    return 0;
}
