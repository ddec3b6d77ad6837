// Draws the sample sprite sheets that come with Mosaikon and writes them into one folder:
//   samples-hero.gif    a hero in four poses, two slimes, a bat, coins and a tree (GIF)
//   samples-items.bmp   coins, gems, hearts, keys, potions, a chest, stars, mushrooms (BMP)
//   samples-forest.jpg  trees, bushes, rocks, flowers and ground tiles (JPEG)
// Every sheet is 128 x 128 pixels, 8 x 8 tiles of 16 x 16, so it fills the whole source view.
// Each sprite is drawn with flat shapes on a transparent canvas, shaded in three tones, given a
// one-pixel dark outline and then put on the sheet's background colour.
//
// Usage: mosaikon_makesamples FOLDER

#include "gifwriter.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int Tile = 16;
constexpr int SheetSize = 128;

const QColor Outline(28, 22, 40);
const QColor Background(86, 112, 158);

// Three tones of one colour: shadow, base and highlight.
struct Tones {
    QColor dark;
    QColor base;
    QColor light;
};

const Tones Skin{{214, 136, 98}, {246, 190, 146}, {255, 222, 190}};
const Tones Leaf{{34, 110, 60}, {66, 160, 72}, {138, 208, 96}};
const Tones Cap{{36, 120, 58}, {72, 176, 80}, {150, 224, 120}};
const Tones Tunic{{150, 34, 52}, {208, 58, 66}, {246, 114, 100}};
const Tones Pants{{40, 52, 118}, {62, 84, 168}, {104, 128, 212}};
const Tones Leather{{88, 50, 30}, {132, 80, 44}, {176, 118, 68}};
const Tones Bark{{74, 44, 30}, {116, 72, 42}, {156, 104, 62}};
const Tones Gold{{196, 120, 20}, {250, 192, 48}, {255, 240, 150}};
const Tones Stone{{88, 92, 108}, {136, 140, 156}, {190, 194, 206}};
const Tones BlueSlime{{30, 86, 186}, {66, 146, 238}, {150, 210, 255}};
const Tones RedSlime{{160, 36, 60}, {226, 74, 84}, {255, 150, 140}};
const Tones Purple{{80, 40, 120}, {124, 70, 172}, {176, 128, 220}};

// A sprite being drawn: a transparent canvas and the pen operations on it, all without
// anti-aliasing so that every pixel is one colour.
class Canvas {
public:
    Canvas(int width, int height)
        : image_(width, height, QImage::Format_ARGB32) {
        image_.fill(Qt::transparent);
    }

    QImage &image() { return image_; }

    void pixel(int x, int y, const QColor &c) {
        if (image_.rect().contains(x, y)) image_.setPixelColor(x, y, c);
    }

    void rect(int x, int y, int w, int h, const QColor &c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) pixel(i, j, c);
    }

    // The pixels whose centres lie inside the ellipse around (cx, cy) with radii rx, ry.
    static bool inEllipse(int x, int y, double cx, double cy, double rx, double ry) {
        const double dx = (x + 0.5 - cx) / rx;
        const double dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    }

    void ellipse(double cx, double cy, double rx, double ry, const QColor &c) {
        forEllipse(cx, cy, rx, ry, [&](int x, int y) { pixel(x, y, c); });
    }

    // A ball lit from the top left: base colour, a shadow crescent at the bottom right and a
    // highlight near the top left.
    void ball(double cx, double cy, double rx, double ry, const Tones &t) {
        forEllipse(cx, cy, rx, ry, [&](int x, int y) {
            const bool lit = inEllipse(x, y, cx - rx * 0.18, cy - ry * 0.2, rx * 0.95, ry * 0.92);
            pixel(x, y, lit ? t.base : t.dark);
            if (inEllipse(x, y, cx - rx * 0.38, cy - ry * 0.42, rx * 0.32, ry * 0.26))
                pixel(x, y, t.light);
        });
    }

    void polygon(const QPolygon &points, const QColor &c) {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(points);
    }

    void line(int x1, int y1, int x2, int y2, const QColor &c) {
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(c, 1));
        p.drawLine(x1, y1, x2, y2);
    }

    // Every transparent pixel beside (not diagonally) a drawn one becomes the outline colour.
    void outline() {
        const QImage before = image_;
        auto drawn = [&](int x, int y) {
            return before.rect().contains(x, y) && qAlpha(before.pixel(x, y)) != 0;
        };
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (!drawn(x, y) &&
                    (drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1)))
                    image_.setPixelColor(x, y, Outline);
    }

private:
    void forEllipse(double cx, double cy, double rx, double ry,
                    const std::function<void(int, int)> &f) const {
        for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
            for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x)
                if (inEllipse(x, y, cx, cy, rx, ry)) f(x, y);
    }

    QImage image_;
};

// --- Characters ------------------------------------------------------------------------------

enum class Pose { Stand, StepLeft, StepRight, Jump };

// The hero, 32 x 32, facing right: a big head in a green cap, a red tunic, blue trousers.
QImage hero(Pose pose) {
    Canvas c(32, 32);

    // Legs and boots first, so the tunic covers their tops.
    struct Leg {
        int x, len;
    };
    Leg back{13, 5}, front{17, 5};
    if (pose == Pose::StepLeft) back = {11, 4}, front = {19, 5};
    if (pose == Pose::StepRight) back = {15, 5}, front = {16, 4};
    if (pose == Pose::Jump) back = {12, 2}, front = {19, 3};
    for (const Leg &leg : {back, front}) {
        const int top = 24;
        c.rect(leg.x, top, 3, leg.len, Pants.base);
        c.rect(leg.x, top, 1, leg.len, Pants.dark);
        c.rect(leg.x, top + leg.len, 4, 2, Leather.base);
        c.rect(leg.x, top + leg.len + 1, 4, 1, Leather.dark);
    }

    // Arms behind and in front of the body.
    const int armSwing = pose == Pose::StepLeft ? 1 : pose == Pose::StepRight ? -1 : 0;
    const int armY = pose == Pose::Jump ? 15 : 19;
    c.rect(10 - armSwing, armY, 3, 4, Tunic.dark);
    c.rect(10 - armSwing, armY + 4, 3, 2, Skin.base);

    // Tunic with a belt.
    c.rect(12, 18, 9, 8, Tunic.base);
    c.rect(12, 18, 2, 8, Tunic.dark);
    c.rect(18, 18, 2, 3, Tunic.light);
    c.rect(12, 23, 9, 1, Leather.dark);
    c.rect(16, 23, 2, 1, Gold.base);
    c.rect(20 + armSwing, armY, 3, 4, Tunic.base);
    c.rect(20 + armSwing, armY + 4, 3, 2, Skin.light);

    // Head: hair behind, the face, then the cap with its brim and tail.
    c.ellipse(16, 10.5, 9, 8.5, Leather.dark);
    c.ball(17, 11, 8, 7.5, Skin);
    c.rect(8, 9, 4, 6, Leather.base);
    c.rect(8, 11, 2, 4, Leather.dark);
    c.polygon(QPolygon({{7, 8}, {9, 2}, {14, 0}, {20, 0}, {25, 3}, {27, 8}}), Cap.base);
    c.rect(11, 1, 6, 2, Cap.light);
    c.rect(7, 7, 21, 2, Cap.dark);
    c.polygon(QPolygon({{8, 4}, {3, 9}, {4, 12}, {9, 7}}), Cap.base);

    // Eyes, cheek and mouth, looking right.
    c.rect(18, 11, 2, 3, Outline);
    c.rect(22, 11, 2, 3, Outline);
    c.pixel(18, 11, QColor(255, 255, 255));
    c.pixel(22, 11, QColor(255, 255, 255));
    c.rect(15, 14, 2, 1, QColor(240, 130, 130));
    c.rect(20, 16, 2, 1, Skin.dark);

    c.outline();
    return c.image();
}

// A slime, 32 x 32: a dome sitting on the tile's floor; `squash` flattens it for the hop.
QImage slime(const Tones &t, bool squash) {
    Canvas c(32, 32);
    const double rx = squash ? 14 : 12.5;
    const double ry = squash ? 9 : 12;
    const double cy = 30 - ry * 0.82;
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!Canvas::inEllipse(x, y, 16, cy, rx, ry) || y > 29) continue;
            const bool lit = Canvas::inEllipse(x, y, 14.5, cy - 1.5, rx * 0.92, ry * 0.9);
            c.pixel(x, y, lit ? t.base : t.dark);
        }
    c.ellipse(10.5, cy - ry * 0.45, 3, 2, t.light);
    c.pixel(9, int(cy - ry * 0.45) - 1, QColor(255, 255, 255));
    const int eyeY = int(cy) - 1;
    for (int eyeX : {12, 19}) {
        c.rect(eyeX, eyeY, 2, 4, Outline);
        c.pixel(eyeX, eyeY, QColor(255, 255, 255));
    }
    c.rect(15, eyeY + 5, 3, 1, t.dark);
    c.outline();
    return c.image();
}

// A bat, 16 x 16, wings up or down.
QImage bat(bool wingsUp) {
    Canvas c(16, 16);
    const QColor wing(96, 64, 132), body(60, 40, 90);
    if (wingsUp) {
        c.polygon(QPolygon({{7, 8}, {1, 2}, {1, 7}, {3, 9}}), wing);
        c.polygon(QPolygon({{8, 8}, {14, 2}, {14, 7}, {12, 9}}), wing);
    } else {
        c.polygon(QPolygon({{7, 7}, {1, 9}, {3, 13}, {5, 11}}), wing);
        c.polygon(QPolygon({{8, 7}, {14, 9}, {12, 13}, {10, 11}}), wing);
    }
    c.ellipse(8, 8, 3, 3.5, body);
    c.pixel(6, 4, body);
    c.pixel(9, 4, body);
    c.pixel(6, 7, QColor(255, 230, 90));
    c.pixel(9, 7, QColor(255, 230, 90));
    c.outline();
    return c.image();
}

// --- Items -----------------------------------------------------------------------------------

// A coin, 16 x 16, turned by `frame` (0 face on .. 3 edge on).
QImage coin(int frame) {
    Canvas c(16, 16);
    const double widths[] = {6, 4.5, 2.5, 1};
    const double rx = widths[frame % 4];
    c.ball(8, 8, rx, 6, Gold);
    if (frame % 4 < 2)
        c.rect(8 - (frame % 4 == 0 ? 1 : 0), 5, frame % 4 == 0 ? 2 : 1, 6, Gold.dark);
    c.outline();
    return c.image();
}

// A cut gem, 16 x 16.
QImage gem(const Tones &t) {
    Canvas c(16, 16);
    c.polygon(QPolygon({{2, 6}, {5, 2}, {10, 2}, {13, 6}}), t.base);
    c.polygon(QPolygon({{2, 6}, {13, 6}, {8, 14}, {7, 14}}), t.dark);
    c.polygon(QPolygon({{5, 6}, {10, 6}, {8, 12}, {7, 12}}), t.base);
    c.rect(5, 3, 3, 2, t.light);
    c.pixel(4, 5, t.light);
    c.outline();
    return c.image();
}

QImage heart(const Tones &t) {
    Canvas c(16, 16);
    c.ellipse(5, 6, 3.6, 3.6, t.base);
    c.ellipse(11, 6, 3.6, 3.6, t.base);
    c.polygon(QPolygon({{1, 7}, {15, 7}, {8, 14}, {8, 14}}), t.base);
    c.polygon(QPolygon({{9, 11}, {14, 7}, {8, 14}}), t.dark);
    c.rect(3, 4, 2, 2, t.light);
    c.pixel(5, 3, t.light);
    c.outline();
    return c.image();
}

QImage key(const Tones &t) {
    Canvas c(16, 16);
    c.ball(5, 5, 3.5, 3.5, t);
    c.rect(4, 4, 2, 2, Outline);
    c.polygon(QPolygon({{6, 7}, {8, 5}, {14, 11}, {12, 13}}), t.base);
    c.rect(10, 12, 2, 2, t.dark);
    c.rect(12, 10, 2, 1, t.dark);
    c.outline();
    return c.image();
}

QImage potion(const Tones &t) {
    Canvas c(16, 16);
    c.ball(8, 10, 5, 4.5, t);
    c.rect(6, 2, 4, 5, QColor(200, 220, 230));
    c.rect(6, 1, 4, 2, Leather.base);
    c.rect(9, 3, 1, 4, QColor(150, 170, 190));
    c.rect(5, 7, 6, 1, QColor(200, 220, 230));
    c.outline();
    return c.image();
}

QImage star(const Tones &t) {
    Canvas c(16, 16);
    QPolygon points;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 7.5 : 3.2;
        const double a = -M_PI / 2 + i * M_PI / 5;
        points << QPoint(int(std::lround(7.5 + r * std::cos(a))),
                         int(std::lround(8.2 + r * std::sin(a))));
    }
    c.polygon(points, t.base);
    c.rect(6, 6, 2, 2, t.light);
    c.rect(7, 10, 3, 1, t.dark);
    c.outline();
    return c.image();
}

QImage mushroom(const Tones &capTones) {
    Canvas c(16, 16);
    c.rect(5, 9, 6, 5, QColor(240, 226, 200));
    c.rect(5, 9, 2, 5, QColor(206, 186, 156));
    for (int y = 1; y < 10; ++y)
        for (int x = 0; x < 16; ++x)
            if (Canvas::inEllipse(x, y, 8, 9, 7, 7.5))
                c.pixel(x, y,
                        Canvas::inEllipse(x, y, 7, 8, 6.5, 7) ? capTones.base : capTones.dark);
    c.ellipse(5, 5, 1.5, 1.2, QColor(255, 255, 255));
    c.ellipse(10.5, 4, 1.6, 1.3, QColor(255, 255, 255));
    c.pixel(8, 7, QColor(255, 255, 255));
    c.outline();
    return c.image();
}

// A chest, 32 x 32.
QImage chest() {
    Canvas c(32, 32);
    c.rect(3, 12, 26, 17, Leather.base);
    c.rect(3, 24, 26, 5, Leather.dark);
    c.polygon(QPolygon({{3, 12}, {6, 6}, {25, 6}, {28, 12}}), Leather.light);
    c.rect(3, 12, 26, 2, Gold.dark);
    for (int x : {3, 26}) c.rect(x, 6, 3, 23, Gold.base);
    c.rect(13, 11, 6, 7, Gold.base);
    c.rect(15, 13, 2, 3, Outline);
    c.rect(14, 11, 2, 1, Gold.light);
    c.outline();
    return c.image();
}

// --- Scenery ---------------------------------------------------------------------------------

// A round tree, 48 wide; `height` 48 or 64 pixels, trunk included.
QImage tree(int height) {
    Canvas c(48, height);
    const int ground = height - 2;
    c.rect(20, ground - 20, 8, 20, Bark.base);
    c.rect(20, ground - 20, 2, 20, Bark.light);
    c.rect(26, ground - 20, 2, 20, Bark.dark);
    c.rect(16, ground - 2, 16, 2, Bark.dark);
    const double top = height == 64 ? 18 : 15;
    const double r = height == 64 ? 1.0 : 0.8;
    c.ball(24, top + 12 * r, 20 * r + 2, 14 * r, Leaf);
    c.ball(13, top + 4 * r, 10 * r, 9 * r, Leaf);
    c.ball(34, top + 5 * r, 11 * r, 9 * r, Leaf);
    c.ball(23, top - 4 * r, 12 * r, 10 * r, Leaf);
    c.outline();
    return c.image();
}

QImage bush() {
    Canvas c(32, 16);
    c.ball(9, 10, 8, 5.5, Leaf);
    c.ball(22, 10, 8.5, 5.5, Leaf);
    c.ball(15, 7, 8, 6, Leaf);
    c.pixel(10, 8, QColor(255, 120, 140));
    c.pixel(20, 6, QColor(255, 120, 140));
    c.outline();
    return c.image();
}

QImage rock(double rx, double ry) {
    Canvas c(16, 16);
    c.ball(8, 15 - ry, rx, ry, Stone);
    c.line(6, int(15 - ry), 9, int(15 - ry * 0.4), Stone.dark);
    c.outline();
    return c.image();
}

QImage flower(const QColor &petal) {
    Canvas c(16, 16);
    c.rect(7, 7, 2, 8, Leaf.dark);
    c.polygon(QPolygon({{8, 12}, {12, 9}, {13, 10}, {9, 13}}), Leaf.base);
    for (const auto &[dx, dy] : {std::pair{0, -3}, {3, 0}, {0, 3}, {-3, 0}})
        c.ellipse(8 + dx, 6 + dy, 2, 2, petal);
    c.ellipse(8, 6, 1.5, 1.5, Gold.base);
    c.outline();
    return c.image();
}

// Opaque 16 x 16 ground tiles that join seamlessly when put side by side.
QImage grass() {
    Canvas c(16, 16);
    c.rect(0, 0, 16, 16, Leather.base);
    for (int x = 0; x < 16; ++x) c.rect(x, 0, 1, 4 + (x * 7 % 3 == 0 ? 1 : 0), Leaf.base);
    c.rect(0, 0, 16, 1, Leaf.light);
    for (const auto &[x, y] : {std::pair{3, 8}, {11, 11}, {6, 13}, {13, 7}})
        c.rect(x, y, 2, 1, Leather.dark);
    return c.image();
}

QImage dirt() {
    Canvas c(16, 16);
    c.rect(0, 0, 16, 16, Leather.base);
    for (const auto &[x, y] : {std::pair{2, 2}, {9, 4}, {5, 9}, {12, 12}, {1, 13}})
        c.rect(x, y, 2, 1, Leather.dark);
    c.pixel(14, 3, Leather.light);
    c.pixel(7, 14, Leather.light);
    return c.image();
}

QImage bricks() {
    Canvas c(16, 16);
    c.rect(0, 0, 16, 16, Stone.base);
    for (int y : {0, 8}) c.rect(0, y + 7, 16, 1, Stone.dark);
    for (int x : {0, 8}) c.rect(x, 0, 1, 7, Stone.dark);
    for (int x : {4, 12}) c.rect(x, 8, 1, 7, Stone.dark);
    c.rect(1, 0, 6, 1, Stone.light);
    c.rect(5, 8, 6, 1, Stone.light);
    return c.image();
}

QImage water(int frame) {
    Canvas c(16, 16);
    c.rect(0, 0, 16, 16, QColor(48, 104, 200));
    for (int y : {3, 10}) {
        const int x0 = (y + frame * 4) % 16;
        c.rect(x0, y, 5, 1, QColor(140, 196, 255));
        c.rect((x0 + 8) % 16, y + 3, 4, 1, QColor(96, 152, 236));
    }
    return c.image();
}

// --- Sheets ----------------------------------------------------------------------------------

class Sheet {
public:
    Sheet()
        : image_(SheetSize, SheetSize, QImage::Format_RGB32) {
        image_.fill(Background);
    }

    // Puts a sprite with its top-left corner on tile (col, row).
    void put(int col, int row, const QImage &sprite) {
        QPainter p(&image_);
        p.drawImage(col * Tile, row * Tile, sprite);
    }

    const QImage &image() const { return image_; }

private:
    QImage image_;
};

QImage heroSheet() {
    Sheet s;
    const Pose poses[] = {Pose::Stand, Pose::StepLeft, Pose::StepRight, Pose::Jump};
    for (int i = 0; i < 4; ++i) s.put(2 * i, 0, hero(poses[i]));
    s.put(0, 2, slime(BlueSlime, false));
    s.put(2, 2, slime(BlueSlime, true));
    s.put(4, 2, slime(RedSlime, false));
    s.put(6, 2, slime(RedSlime, true));
    s.put(0, 4, bat(true));
    s.put(1, 4, bat(false));
    for (int i = 0; i < 4; ++i) s.put(2 + i, 4, coin(i));
    s.put(6, 4, heart(RedSlime));
    s.put(7, 4, gem(BlueSlime));
    s.put(0, 5, tree(48));
    s.put(3, 5, chest());
    s.put(5, 5, bush());
    s.put(5, 6, rock(6, 5));
    s.put(6, 6, mushroom(RedSlime));
    s.put(7, 6, flower(QColor(255, 150, 200)));
    for (int i = 3; i < 8; ++i) s.put(i, 7, i == 7 ? dirt() : grass());
    return s.image();
}

QImage itemsSheet() {
    Sheet s;
    for (int i = 0; i < 4; ++i) s.put(i, 0, coin(i));
    for (int i = 0; i < 4; ++i) s.put(4 + i, 0, coin(3 - i));
    const Tones gems[] = {RedSlime, Leaf, BlueSlime, Purple, Gold, Stone, Tunic, Cap};
    for (int i = 0; i < 8; ++i) s.put(i, 1, gem(gems[i]));
    const Tones hearts[] = {RedSlime, BlueSlime, Gold, Purple};
    for (int i = 0; i < 4; ++i) s.put(i, 2, heart(hearts[i]));
    for (int i = 0; i < 4; ++i) s.put(4 + i, 2, key(i % 2 == 0 ? Gold : Stone));
    const Tones potions[] = {RedSlime, BlueSlime, Leaf, Purple};
    for (int i = 0; i < 4; ++i) s.put(i, 3, potion(potions[i]));
    for (int i = 0; i < 4; ++i) s.put(4 + i, 3, star(i % 2 == 0 ? Gold : Stone));
    s.put(0, 4, chest());
    s.put(2, 4, chest());
    s.put(4, 4, mushroom(RedSlime));
    s.put(5, 4, mushroom(BlueSlime));
    s.put(6, 4, mushroom(Gold));
    s.put(7, 4, mushroom(Purple));
    s.put(4, 5, bat(true));
    s.put(5, 5, bat(false));
    s.put(6, 5, coin(0));
    s.put(7, 5, gem(Gold));
    s.put(0, 6, slime(Leaf, false));
    s.put(2, 6, slime(Purple, true));
    s.put(4, 6, hero(Pose::Stand));
    s.put(6, 6, slime(Gold, false));
    return s.image();
}

QImage forestSheet() {
    Sheet s;
    s.put(0, 0, tree(64));
    s.put(3, 0, tree(48));
    s.put(6, 0, bush());
    s.put(6, 1, rock(6.5, 5.5));
    s.put(7, 1, rock(4.5, 3.5));
    s.put(6, 2, flower(QColor(255, 150, 200)));
    s.put(7, 2, flower(QColor(255, 240, 120)));
    s.put(3, 3, flower(QColor(170, 190, 255)));
    s.put(4, 3, mushroom(RedSlime));
    s.put(5, 3, mushroom(Gold));
    s.put(6, 3, bush());
    for (int i = 0; i < 8; ++i) s.put(i, 4, grass());
    for (int i = 0; i < 8; ++i) s.put(i, 5, dirt());
    for (int i = 0; i < 4; ++i) s.put(i, 6, bricks());
    for (int i = 0; i < 4; ++i) s.put(4 + i, 6, water(i));
    s.put(0, 7, rock(5.5, 4.5));
    s.put(1, 7, flower(QColor(255, 180, 90)));
    s.put(2, 7, bat(true));
    s.put(3, 7, bat(false));
    for (int i = 0; i < 4; ++i) s.put(4 + i, 7, coin(i));
    return s.image();
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[]) {
    // A core application is enough: no window, no display, only the image format plugins.
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "makesamples: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    struct Output {
        const char *name;
        std::function<bool(const QString &)> write;
    };
    const Output outputs[] = {
        {"samples-hero.gif",
         [](const QString &path) { return writeBytes(path, mosaikon::encodeGif(heroSheet())); }},
        {"samples-items.bmp", [](const QString &path) { return itemsSheet().save(path, "BMP"); }},
        {"samples-forest.jpg",
         [](const QString &path) { return forestSheet().save(path, "JPEG", 100); }},
    };
    for (const Output &out : outputs) {
        const QString path = folder.filePath(QString::fromLatin1(out.name));
        if (!out.write(path)) {
            std::fprintf(stderr, "makesamples: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
