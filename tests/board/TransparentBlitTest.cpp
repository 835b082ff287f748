#include "board/TransparentBlit.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Pixel by pixel, the way the colour key is meant: the sprite's pixel unless it is
// exactly the key, then the background's; nothing outside any of the pictures.
QImage reference(QImage destination, const QImage &background, const QImage &sprite, const SpriteRect &r, int x, int y,
                 QRgb key) {
    for (int row = 0; row < r.height(); ++row) {
        for (int col = 0; col < r.width(); ++col) {
            const QPoint at(x + col, y + row), from(r.left + col, r.top + row);
            if (!destination.valid(at) || !background.valid(at) || !sprite.valid(from))
                continue;
            const QRgb s = sprite.pixel(from);
            destination.setPixel(at, (s & 0xffffff) == (key & 0xffffff) ? background.pixel(at) : s);
        }
    }
    return destination;
}

// Noise with plenty of key pixels and near misses of the key.
QImage noise(int w, int h, quint32 seed) {
    QRandomGenerator rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    const QRgb nearKey[] = {qRgb(0, 0, 0), qRgb(1, 0, 0), qRgb(0, 1, 0), qRgb(0, 0, 1)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, rng.bounded(3) == 0 ? nearKey[rng.bounded(4)] : 0xff000000u | rng.generate());
    return img;
}

TEST(TransparentBlitTest, MatchesThePixelByPixelKeyEverywhereIncludingTheEdges) {
    const QImage sprite = noise(40, 80, 1);
    const QImage background = noise(120, 90, 2);
    const QImage destination = noise(120, 90, 3);
    const SpriteRect whiteHalf{0, 40, 40, 80};
    // Inside, across each edge, wholly outside, and a source rectangle reaching off the sheet.
    const struct { SpriteRect r; int x, y; } cases[] = {
        {whiteHalf, 30, 20}, {whiteHalf, -15, -7}, {whiteHalf, 100, 70}, {whiteHalf, 200, 10},
        {{20, 60, 60, 100}, 5, 5}, {{0, 0, 0, 40}, 5, 5}};
    for (const auto &c : cases) {
        QImage separate = destination;
        TransparentBlit(separate, background, sprite, c.r, c.x, c.y);
        EXPECT_EQ(separate, reference(destination, background, sprite, c.r, c.x, c.y, qRgb(0, 0, 0)))
            << c.x << "," << c.y;

        // A back buffer is its own background: the sprite lands on what is already there.
        QImage same = destination;
        TransparentBlit(same, same, sprite, c.r, c.x, c.y);
        EXPECT_EQ(same, reference(destination, destination, sprite, c.r, c.x, c.y, qRgb(0, 0, 0)));
    }
}

TEST(TransparentBlitTest, OtherKeysAndPictureFormatsKeepTheSameRule) {
    const QImage sprite = noise(30, 30, 4);
    const QImage background = noise(50, 50, 5);
    const QRgb key = sprite.pixel(3, 3);
    QImage destination = noise(50, 50, 6);
    const QImage before = destination;
    TransparentBlit(destination, background.convertToFormat(QImage::Format_RGB888),
                    sprite.convertToFormat(QImage::Format_RGB888), {0, 0, 30, 30}, 10, 12, key);
    EXPECT_EQ(destination, reference(before, background, sprite, {0, 0, 30, 30}, 10, 12, key));
}

TEST(TransparentBlitTest, PlainBlitCopiesOnlyTheClippedRectangle) {
    const QImage source = noise(60, 40, 7);
    QImage destination = noise(50, 50, 8);
    const QImage before = destination;
    PlainBlit(destination, source, 40, 30, 30, 30);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const bool inside = x >= 40 && y >= 30 && y < 40;  // the source ends at y 40
            ASSERT_EQ(destination.pixel(x, y), inside ? source.pixel(x, y) : before.pixel(x, y)) << x << "," << y;
        }
}

}  // namespace
