#pragma once
// The two ways anything reaches a board picture: a colour-keyed sprite and a plain copy.
#include <QImage>

// A rectangle of a sprite sheet, edges as the sheets are measured: width = right - left.
struct SpriteRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const SpriteRect &) const = default;
};

// Draws `source` of `sprite` at (x, y) of `destination`; wherever the sprite pixel is
// exactly `transparent`, the pixel of `background` at the same place shows instead.
// Destination and background may be one picture. The finished rectangle reaches the
// destination in one copy, so it never holds half a sprite. Parts falling outside any
// of the three pictures are left alone.
void TransparentBlit(QImage &destination, const QImage &background, const QImage &sprite, const SpriteRect &source,
                     int x, int y, QRgb transparent = qRgb(0, 0, 0));

// Copies the rectangle (x, y, width, height) of `source` to the same place of `destination`.
void PlainBlit(QImage &destination, const QImage &source, int x, int y, int width, int height);
