// Draws Korvex's own board pictures: the two built-in styles with their sprite sheets and
// coordinate files, the backgrounds of the full-screen board and the small pictures of the
// main window. Usage: korvex_boardpics <pics folder>
//
// Sprite sheets use exact black as the transparent colour, so nothing inside a sprite is
// ever pure black, and every checker cell keeps its last row and column clear: a checker
// is erased with a rectangle one pixel short of its cell each way.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <cmath>
#include <cstdio>

namespace {

// The measures of one style; everything else follows from them.
struct Style {
    const char *folder;
    int cw;          // checker cell; the checker is cw - 1 across
    int chipOffset;  // gap between two columns of points
    int rim;         // outer frame
    int lane;        // cube lane on the left, tray on the right
    int inner;       // frame between lane or tray and the playing field
    int bar;
    int top;         // first checker's y on the upper points
    int flat;        // one flat tray checker's thickness, gap included
    int die;         // die cell
    int cube;        // cube cell
    int height;

    int step() const { return cw + chipOffset; }
    int fieldLeft() const { return rim + lane + inner; }
    int fieldWidth() const { return 6 * step(); }
    int width() const { return fieldLeft() + 2 * fieldWidth() + bar + inner + lane + rim; }
    int rightFieldLeft() const { return fieldLeft() + fieldWidth() + bar; }
    int trayLeft() const { return rightFieldLeft() + fieldWidth() + inner; }
    int spLeft() const { return fieldLeft() + chipOffset / 2; }
    int spBottom() const { return top + cw; }
    // x of a column's checkers, columns counted 0 to 11 from the left.
    int columnX(int k) const { return spLeft() + k * step() + (k >= 6 ? bar : 0); }
    int flatX() const { return trayLeft() + (lane - cw) / 2; }
    int spBearOffx() const { return flatX() - (columnX(11) + cw); }
    int spCubex() const { return rim + (lane - cube) / 2; }
};

const Style kDefault{"Default", 40, 4, 12, 52, 12, 48, 16, 14, 40, 40, 520};
const Style kSmall{"original small", 30, 3, 9, 39, 9, 36, 12, 10, 30, 30, 390};

QRandomGenerator rng(20240607);

QColor mix(const QColor &a, const QColor &b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// --- textures ------------------------------------------------------------------------

QImage wood(int w, int h, bool vertical) {
    QImage img(w, h, QImage::Format_RGB32);
    const QColor dark(70, 40, 22), light(124, 80, 46);
    const double phase = rng.bounded(1000) / 37.0;
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double along = vertical ? y : x;
            const double across = vertical ? x : y;
            const double t = across + 7 * std::sin(along / 61.0 + phase) + 2.5 * std::sin(along / 13.0 + across / 29.0);
            double v = 0.5 + 0.5 * std::sin(t * 0.55);
            v = 0.35 + 0.45 * v * v * v + 0.2 * (0.5 + 0.5 * std::sin(t * 0.13 + phase));
            v += (rng.generateDouble() - 0.5) * 0.06;
            line[x] = mix(dark, light, v).rgb();
        }
    }
    return img;
}

void felt(QImage &img, const QRect &area, const QColor &base, double vignette) {
    const QPointF c = QRectF(area).center();
    const double rx = area.width() / 2.0, ry = area.height() / 2.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double dx = (x - c.x()) / rx, dy = (y - c.y()) / ry;
            const double shade = 1.0 - vignette * (dx * dx + dy * dy) / 2 + (rng.generateDouble() - 0.5) * 0.05;
            line[x] = qRgb(std::clamp(int(base.red() * shade), 1, 255), std::clamp(int(base.green() * shade), 1, 255),
                           std::clamp(int(base.blue() * shade), 1, 255));
        }
    }
}

// A recess: darker inner edges where the frame throws its shadow.
void innerShadow(QPainter &p, const QRect &r, int depth) {
    for (int i = 0; i < depth; ++i) {
        const int alpha = 90 * (depth - i) / depth;
        p.setPen(QColor(0, 0, 0, alpha));
        p.drawLine(r.left() + i, r.top() + i, r.right() - i, r.top() + i);
        p.drawLine(r.left() + i, r.top() + i, r.left() + i, r.bottom() - i);
        p.setPen(QColor(0, 0, 0, alpha / 3));
        p.drawLine(r.left() + i, r.bottom() - i, r.right() - i, r.bottom() - i);
        p.drawLine(r.right() - i, r.top() + i, r.right() - i, r.bottom() - i);
    }
}

// --- the board -----------------------------------------------------------------------

QImage drawBoard(const Style &s) {
    const int W = s.width(), H = s.height;
    QImage board(W, H, QImage::Format_RGB32);
    {
        QPainter p(&board);
        p.drawImage(0, 0, wood(W, H, false));
        // Side rails and the bar run the other way.
        const QImage side = wood(s.rim + s.lane + s.inner, H, true);
        p.drawImage(0, 0, side);
        p.drawImage(s.trayLeft() - s.inner, 0, side);
        p.drawImage(s.fieldLeft() + s.fieldWidth(), 0, wood(s.bar, H, true));
    }
    const int fieldTop = s.rim, fieldBottom = H - s.rim - 1;
    const QRect left(s.fieldLeft(), fieldTop, s.fieldWidth(), fieldBottom - fieldTop + 1);
    const QRect right(s.rightFieldLeft(), fieldTop, s.fieldWidth(), left.height());
    const QRect lane(s.rim, fieldTop, s.lane, left.height());
    const QRect tray(s.trayLeft(), fieldTop, s.lane, left.height());
    const QColor green(28, 96, 62), deep(18, 64, 42);
    felt(board, left, green, 0.35);
    felt(board, right, green, 0.35);
    felt(board, lane, deep, 0.2);
    felt(board, tray, deep, 0.2);

    QPainter p(&board);
    p.setRenderHint(QPainter::Antialiasing);

    // Points: a triangle centred on each column of checkers, alternating in colour, and
    // the two points of one column never alike.
    const QColor red(158, 40, 40), ivory(224, 202, 156);
    const double half = s.step() / 2.0 - 1.5;
    const double length = 4.55 * s.cw;
    for (int k = 0; k < 12; ++k) {
        const double cx = s.columnX(k) + (s.cw - 1) / 2.0;
        for (bool upper : {true, false}) {
            const QColor c = ((k % 2 == 0) == upper) ? red : ivory;
            const double base = upper ? fieldTop : fieldBottom + 1;
            const double tip = upper ? base + length : base - length;
            QPainterPath tri;
            tri.moveTo(cx - half, base);
            tri.lineTo(cx + half, base);
            tri.lineTo(cx, tip);
            tri.closeSubpath();
            QLinearGradient g(0, base, 0, tip);
            g.setColorAt(0, c.lighter(112));
            g.setColorAt(1, c.darker(112));
            p.setPen(QPen(c.darker(150), 1.0));
            p.setBrush(g);
            p.drawPath(tri);
        }
    }
    for (const QRect &r : {left, right, lane, tray})
        innerShadow(p, r, std::max(3, s.rim / 2));

    // The tray is split where the two sides' borne-off checkers meet.
    p.setRenderHint(QPainter::Antialiasing, false);
    const int middle = H / 2;
    p.fillRect(QRect(tray.left(), middle - 2, tray.width(), 4), QColor(96, 60, 32));
    p.fillRect(QRect(tray.left(), middle - 2, tray.width(), 1), QColor(140, 96, 58));
    p.fillRect(QRect(lane.left(), middle - 2, lane.width(), 4), QColor(96, 60, 32));
    p.fillRect(QRect(lane.left(), middle - 2, lane.width(), 1), QColor(140, 96, 58));

    // Bevels: light on the upper left of the rim, dark on the lower right.
    p.setPen(QColor(168, 120, 78));
    p.drawLine(0, 0, W - 1, 0);
    p.drawLine(0, 0, 0, H - 1);
    p.setPen(QColor(44, 24, 12));
    p.drawLine(0, H - 1, W - 1, H - 1);
    p.drawLine(W - 1, 0, W - 1, H - 1);
    // A groove down the middle of the bar.
    const int barMid = s.fieldLeft() + s.fieldWidth() + s.bar / 2;
    p.setPen(QColor(50, 28, 14));
    p.drawLine(barMid, s.rim, barMid, H - s.rim);
    p.setPen(QColor(140, 96, 58));
    p.drawLine(barMid + 1, s.rim, barMid + 1, H - s.rim);
    p.end();
    return board;
}

// --- sprites -------------------------------------------------------------------------

// Turns a picture drawn with soft edges on a transparent ground into a colour-keyed
// sprite: mostly covered pixels take their full colour, the rest become exact black.
QImage keyed(const QImage &soft) {
    QImage out(soft.size(), QImage::Format_RGB32);
    const QImage src = soft.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        QRgb *o = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = in[x];
            if (qAlpha(c) < 110) {
                o[x] = qRgb(0, 0, 0);
                continue;
            }
            o[x] = qRgb(std::max(qRed(c), 1), std::max(qGreen(c), 1), std::max(qBlue(c), 1));
        }
    }
    return out;
}

QImage transparentCanvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

struct CheckerLook {
    QColor outline, rim, bodyLight, bodyDark, grooveDark, grooveLight;
};

const CheckerLook kBlackLook{QColor(24, 24, 28), QColor(92, 92, 104), QColor(86, 86, 96), QColor(34, 34, 40),
                             QColor(20, 20, 24), QColor(112, 112, 124)};
const CheckerLook kWhiteLook{QColor(110, 92, 64), QColor(196, 178, 142), QColor(255, 252, 242),
                             QColor(222, 210, 184), QColor(168, 150, 116), QColor(255, 255, 250)};

void drawChecker(QPainter &p, const QRectF &r, const CheckerLook &look) {
    const double d = r.width();
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(look.outline);
    p.drawEllipse(r);
    p.setBrush(look.rim);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    const QRectF body = r.adjusted(d * 0.1, d * 0.1, -d * 0.1, -d * 0.1);
    QRadialGradient g(c - QPointF(d * 0.14, d * 0.16), d * 0.5);
    g.setColorAt(0, look.bodyLight);
    g.setColorAt(1, look.bodyDark);
    p.setBrush(g);
    p.drawEllipse(body);
    // A turned groove gives the face its depth.
    const QRectF groove = r.adjusted(d * 0.25, d * 0.25, -d * 0.25, -d * 0.25);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.grooveDark, std::max(1.0, d / 30)));
    p.drawEllipse(groove);
    p.setPen(QPen(look.grooveLight, std::max(1.0, d / 40)));
    p.drawEllipse(groove.translated(0.8, 0.8));
}

QImage drawCheckers(const Style &s) {
    QImage soft = transparentCanvas(s.cw, 2 * s.cw);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    const double d = s.cw - 1;  // last row and column stay clear
    drawChecker(p, QRectF(0, 0, d, d), kBlackLook);
    drawChecker(p, QRectF(0, s.cw, d, d), kWhiteLook);
    p.end();
    return keyed(soft);
}

QImage drawFlats(const Style &s) {
    QImage soft = transparentCanvas(s.cw, 2 * s.flat);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    const CheckerLook *looks[] = {&kBlackLook, &kWhiteLook};
    for (int i = 0; i < 2; ++i) {
        const CheckerLook &look = *looks[i];
        const QRectF r(0, i * s.flat, s.cw - 1, s.flat - 1);  // a clear row parts neighbours in the tray
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, look.bodyLight);
        g.setColorAt(0.45, look.rim);
        g.setColorAt(1, look.bodyDark);
        p.setPen(QPen(look.outline, 1));
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), r.height() / 2.2, r.height() / 2.2);
    }
    p.end();
    return keyed(soft);
}

QImage drawDice(const Style &s) {
    const int d = s.die;
    QImage soft = transparentCanvas(6 * d, 2 * d);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    struct Look {
        QColor body, edge, pip;
    };
    const Look looks[] = {{QColor(44, 44, 52), QColor(18, 18, 22), QColor(250, 244, 226)},
                          {QColor(246, 240, 224), QColor(120, 104, 80), QColor(34, 30, 28)}};
    // Pip places on a 3 x 3 grid, per face.
    static const int pips[6][9] = {{0, 0, 0, 0, 1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 1},
                                   {1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 1, 0, 0, 0, 1, 0, 1},
                                   {1, 0, 1, 0, 1, 0, 1, 0, 1}, {1, 0, 1, 1, 0, 1, 1, 0, 1}};
    for (int row = 0; row < 2; ++row) {
        for (int face = 0; face < 6; ++face) {
            const QRectF cell(face * d, row * d, d, d);
            const QRectF body = cell.adjusted(1, 1, -2, -2);
            QLinearGradient g(body.topLeft(), body.bottomRight());
            g.setColorAt(0, looks[row].body.lighter(118));
            g.setColorAt(1, looks[row].body.darker(112));
            p.setPen(QPen(looks[row].edge, 1.2));
            p.setBrush(g);
            p.drawRoundedRect(body, d * 0.18, d * 0.18);
            p.setPen(Qt::NoPen);
            p.setBrush(looks[row].pip);
            const double r = d * 0.085;
            for (int i = 0; i < 9; ++i) {
                if (!pips[face][i])
                    continue;
                const double px = body.left() + body.width() * (0.24 + 0.26 * (i % 3));
                const double py = body.top() + body.height() * (0.24 + 0.26 * (i / 3));
                p.drawEllipse(QPointF(px, py), r, r);
            }
        }
    }
    p.end();
    return keyed(soft);
}

void drawCubeFace(QPainter &p, const QRectF &cell, const QString &text, bool crawford) {
    const QRectF body = cell.adjusted(1, 1, -1, -1);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, crawford ? QColor(214, 206, 192) : QColor(252, 246, 230));
    g.setColorAt(1, crawford ? QColor(176, 168, 154) : QColor(220, 208, 180));
    p.setPen(QPen(QColor(74, 52, 32), std::max(1.5, cell.width() / 20)));
    p.setBrush(g);
    p.drawRoundedRect(body.adjusted(0.75, 0.75, -0.75, -0.75), cell.width() * 0.16, cell.width() * 0.16);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    for (int size = int(cell.height() * 0.56); size > 5; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= body.width() * 0.78)
            break;
    }
    p.setFont(font);
    p.setPen(crawford ? QColor(160, 32, 32) : QColor(26, 36, 78));
    p.drawText(body, Qt::AlignCenter, text);
}

QImage drawCubes(const Style &s) {
    QImage soft = transparentCanvas(7 * s.cube, s.cube);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The centred cube shows its 64, as on a real board.
    const char *faces[] = {"64", "2", "4", "8", "16", "32", "CR"};
    for (int i = 0; i < 7; ++i)
        drawCubeFace(p, QRectF(i * s.cube, 0, s.cube, s.cube), QLatin1String(faces[i]), i == 6);
    p.end();
    return keyed(soft);
}

QImage drawTrayPanel(const Style &s) {
    QImage panel = wood(s.width(), s.height / 2, false);
    QPainter p(&panel);
    p.fillRect(panel.rect(), QColor(20, 12, 6, 110));
    return panel;
}

// --- other pictures ------------------------------------------------------------------

QImage drawBackground() {
    QImage bg(1600, 1200, QImage::Format_RGB32);
    felt(bg, bg.rect(), QColor(22, 74, 50), 0.9);
    return bg;
}

// More backgrounds, each from a generator of its own so that the pictures above come out
// the same whatever is added here.
QImage drawWalnut() {
    QImage bg = wood(1600, 1200, false);
    QPainter p(&bg);
    // Planks a hand wide, each a shade of its own, with a dark seam between them.
    QRandomGenerator planks(7301);
    for (int y = 0; y < bg.height(); y += 150) {
        p.fillRect(QRect(0, y, bg.width(), 150), QColor(0, 0, 0, planks.bounded(0, 60)));
        p.fillRect(QRect(0, y, bg.width(), 3), QColor(18, 10, 4, 200));
    }
    return bg;
}

QImage drawSlate() {
    QImage bg(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator grain(5512);
    const QColor dark(34, 40, 48), light(70, 80, 92);
    const double a = grain.bounded(1000) / 97.0, b = grain.bounded(1000) / 53.0;
    for (int y = 0; y < bg.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(bg.scanLine(y));
        for (int x = 0; x < bg.width(); ++x) {
            // Slow clouds of colour, and the stone's fine grain over them.
            double v = 0.5 + 0.25 * std::sin(x / 210.0 + a + 1.7 * std::sin(y / 330.0)) +
                       0.15 * std::sin(y / 95.0 + b + 0.8 * std::sin(x / 160.0));
            v += (grain.generateDouble() - 0.5) * 0.12;
            line[x] = mix(dark, light, v).rgb();
        }
    }
    QPainter p(&bg);
    p.setRenderHint(QPainter::Antialiasing);
    // A few pale veins across the stone.
    for (int i = 0; i < 9; ++i) {
        QPainterPath vein(QPointF(grain.bounded(1600), 0));
        QPointF at = vein.currentPosition();
        while (at.y() < 1200) {
            at += QPointF(grain.bounded(-90, 90), grain.bounded(60, 160));
            vein.lineTo(at);
        }
        p.setPen(QPen(QColor(170, 180, 190, 40 + grain.bounded(40)), 1.0 + grain.bounded(20) / 10.0));
        p.drawPath(vein);
    }
    return bg;
}

QImage drawDusk() {
    QImage bg(1600, 1200, QImage::Format_RGB32);
    QPainter p(&bg);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 1200);
    sky.setColorAt(0.0, QColor(12, 18, 48));
    sky.setColorAt(0.55, QColor(70, 46, 92));
    sky.setColorAt(0.8, QColor(214, 112, 64));
    sky.setColorAt(1.0, QColor(246, 180, 96));
    p.fillRect(bg.rect(), sky);
    QRandomGenerator stars(9011);
    for (int i = 0; i < 260; ++i) {
        const QPointF at(stars.bounded(1600), stars.bounded(560));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 230, 60 + stars.bounded(160)));
        const double r = 0.6 + stars.bounded(12) / 10.0;
        p.drawEllipse(at, r, r);
    }
    // Two ranges of hills, the nearer one darker.
    for (const auto &[base, colour] : {std::pair{980, QColor(40, 28, 52)}, std::pair{1080, QColor(18, 14, 26)}}) {
        QPainterPath hills(QPointF(0, 1200));
        for (int x = 0; x <= 1600; x += 20)
            hills.lineTo(x, base - 70 * std::sin(x / 260.0 + base) - 30 * std::sin(x / 97.0));
        hills.lineTo(1600, 1200);
        hills.closeSubpath();
        p.fillPath(hills, colour);
    }
    return bg;
}

QImage drawLamp(const QColor &colour) {
    QImage soft = transparentCanvas(14, 14);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(5, 5), 8);
    g.setColorAt(0, colour.lighter(160));
    g.setColorAt(1, colour.darker(130));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, 12, 12));
    p.end();
    return keyed(soft);
}

QImage drawToolbarCube(bool asked) {
    QImage soft = transparentCanvas(24, 24);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawCubeFace(p, QRectF(2, 2, 20, 20), QStringLiteral("2"), false);
    if (!asked) {
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
    }
    p.end();
    return keyed(soft);
}

QImage drawReady(bool ready) {
    QImage soft = transparentCanvas(24, 24);
    QPainter p(&soft);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(ready ? QColor(40, 170, 70) : QColor(190, 40, 40));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(QPen(QColor(250, 250, 250), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ready) {
        const QPointF tick[] = {QPointF(7, 12.5), QPointF(10.5, 16), QPointF(17, 8.5)};
        p.drawPolyline(tick, 3);
    } else {
        p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
    }
    p.end();
    return keyed(soft);
}

// The main window's small advertisement for playing online: two checkers and a caption.
QImage drawAd() {
    QImage ad(120, 40, QImage::Format_RGB32);
    felt(ad, ad.rect(), QColor(22, 74, 50), 0.6);
    QPainter p(&ad);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawChecker(p, QRectF(5, 5, 18, 18), kBlackLook);
    drawChecker(p, QRectF(13, 16, 18, 18), kWhiteLook);
    p.setPen(QColor(240, 200, 80));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(QRectF(34, 3, 84, 17), Qt::AlignCenter, QStringLiteral("PLAY"));
    p.drawText(QRectF(34, 20, 84, 17), Qt::AlignCenter, QStringLiteral("ONLINE"));
    p.setPen(QPen(QColor(240, 200, 80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 119, 39));
    p.end();
    return ad;
}

// --- files ---------------------------------------------------------------------------

bool save(const QImage &img, const QString &path, int quality = -1) {
    if (!img.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeData(const Style &s, const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&f);
    const std::pair<const char *, int> values[] = {
        {"sp_left", s.spLeft()},         {"sp_top", s.top},         {"sp_bottom", s.spBottom()},
        {"sp_bar", s.bar},               {"sp_bearOffx", s.spBearOffx()}, {"sp_bearOffy", s.top},
        {"sp_chipOffset", s.chipOffset}, {"sp_cubex", s.spCubex()}};
    for (const auto &[key, value] : values)
        out << key << ' ' << value << "\r\n";
    return true;
}

bool makeStyle(const QString &pics, const Style &s) {
    const QString dir = pics + '/' + QLatin1String(s.folder);
    QDir().mkpath(dir);
    return save(drawBoard(s), dir + "/board.jpg", 94) && save(drawCheckers(s), dir + "/checkers.bmp") &&
           save(drawFlats(s), dir + "/wbflat.bmp") && save(drawDice(s), dir + "/dice.bmp") &&
           save(drawCubes(s), dir + "/cubes.bmp") && save(drawTrayPanel(s), dir + "/picTray.jpg", 88) &&
           writeData(s, dir + "/data.txt");
}

}  // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvex_boardpics <pics folder>\n");
        return 2;
    }
    const QString pics = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(pics + "/backgrounds");
    bool ok = makeStyle(pics, kDefault) && makeStyle(pics, kSmall);
    ok = ok && save(drawBackground(), pics + "/backgrounds/felt.jpg", 85);
    ok = ok && save(drawLamp(QColor(40, 90, 50)), pics + "/picTerminal1.bmp") &&
         save(drawLamp(QColor(70, 220, 90)), pics + "/picTerminal2.bmp") &&
         save(drawLamp(QColor(250, 186, 40)), pics + "/picterminal3.bmp");
    ok = ok && save(drawToolbarCube(true), pics + "/tbarcube1.bmp") && save(drawToolbarCube(false), pics + "/tbarcube2.bmp");
    ok = ok && save(drawReady(true), pics + "/picReadyOn.bmp") && save(drawReady(false), pics + "/picReadyOff.bmp");
    ok = ok && save(drawAd(), pics + "/picAd.png");
    ok = ok && save(drawWalnut(), pics + "/backgrounds/walnut.jpg", 85) &&
         save(drawSlate(), pics + "/backgrounds/slate.jpg", 85) && save(drawDusk(), pics + "/backgrounds/dusk.jpg", 85);
    return ok ? 0 : 1;
}
