#include "board/TransparentBlit.h"

#include <QPainter>

namespace {

// Board pictures are kept as 32-bit RGB; anything else is converted on the way in.
const QImage &as32(const QImage &image, QImage &converted) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    converted = image.convertToFormat(QImage::Format_RGB32);
    return converted;
}

}  // namespace

void TransparentBlit(QImage &destination, const QImage &background, const QImage &sprite, const SpriteRect &source,
                     int x, int y, QRgb transparent) {
    if (destination.isNull() || background.isNull() || sprite.isNull())
        return;
    // Clip the target to the destination and the background, and the source to the sheet,
    // moving both together so that every sprite pixel keeps its place.
    QRect target = QRect(x, y, source.width(), source.height()) & destination.rect() & background.rect();
    const QRect sheet = QRect(source.left, source.top, source.width(), source.height()) & sprite.rect();
    target &= sheet.translated(x - source.left, y - source.top);
    if (target.isEmpty())
        return;
    const int sx = source.left + (target.x() - x);
    const int sy = source.top + (target.y() - y);

    QImage spriteCopy, backgroundCopy;
    const QImage &spr = as32(sprite, spriteCopy);
    const QImage &back = as32(background, backgroundCopy);
    const QRgb key = transparent & RGB_MASK;

    // The result: background where the sprite is transparent, the sprite elsewhere.
    QImage result(target.size(), QImage::Format_RGB32);
    for (int row = 0; row < target.height(); ++row) {
        const QRgb *s = reinterpret_cast<const QRgb *>(spr.constScanLine(sy + row)) + sx;
        const QRgb *b = reinterpret_cast<const QRgb *>(back.constScanLine(target.y() + row)) + target.x();
        QRgb *r = reinterpret_cast<QRgb *>(result.scanLine(row));
        for (int col = 0; col < target.width(); ++col)
            r[col] = (s[col] & RGB_MASK) == key ? b[col] | 0xff000000u : s[col] | 0xff000000u;
    }
    QPainter painter(&destination);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(target.topLeft(), result);
}

void PlainBlit(QImage &destination, const QImage &source, int x, int y, int width, int height) {
    const QRect area = QRect(x, y, width, height) & destination.rect() & source.rect();
    if (area.isEmpty())
        return;
    QPainter painter(&destination);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), source, area);
}
