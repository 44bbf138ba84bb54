#include "ui/launcher/background_pictures.h"

#include "core/paths.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>

namespace kalvora::ui {

namespace {

// Every scene is drawn on this canvas and scaled to the size asked for.
constexpr double W = 1024;
constexpr double H = 768;

// The things a scene is made of, painted in the order the scene lists them.
enum class Kind {
    None,
    Ridge,      // hills or mountains from y up to `size` high; `count` peaks; `variant` 1 = jagged
    Band,       // ground or water from y down, colour to colour2; `variant` 1 = sun reflection
    Shore,      // a sandy beach rising from the lower left, with foam
    Skyline,    // the buildings of a city along y, windows lit
    Palm,
    PaleTree,   // a leafless frozen tree
    Pine,       // a fir, with snow when `variant` is 1
    Flowers,    // `count` flowers in the meadow below y
    Snowfall,
    Cloud,
    Birds,
    Volcano,    // cone, crater, plume and lava
    Bear,
    Cat,        // a kitten; `variant` 1 = a lion cub
    Fish,       // striped, `colour2` the stripes
    Seaweed,
    Bubbles,
    Rays,       // sunlight through water
    Horse,
};

struct Item {
    Kind kind = Kind::None;
    double x = 0, y = 0, size = 0;
    QRgb colour = 0, colour2 = 0;
    int count = 0, variant = 0;
};

struct Sun {
    double x = 0, y = 0, radius = 0;  // radius 0: none
    QRgb colour = 0;
};

struct Scene {
    QRgb skyTop, skyBottom;
    Sun sun;
    Item items[8];
};

// A fixed sequence per scene, so every installation draws the same pictures.
class Dice {
public:
    explicit Dice(unsigned seed) : state_(seed * 2654435761u + 1) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }
    double between(double a, double b) { return a + (b - a) * next(); }

private:
    unsigned state_;
};

QColor rgb(QRgb c, int alpha = 255) {
    QColor q(c);
    q.setAlpha(alpha);
    return q;
}

void fillGradient(QPainter& p, const QRectF& r, QRgb top, QRgb bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, rgb(top));
    g.setColorAt(1, rgb(bottom));
    p.fillRect(r, g);
}

void drawSun(QPainter& p, const Sun& s) {
    QRadialGradient glow(QPointF(s.x, s.y), s.radius * 4);
    glow.setColorAt(0, rgb(s.colour, 160));
    glow.setColorAt(1, rgb(s.colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(s.x, s.y), s.radius * 4, s.radius * 4);
    p.setBrush(rgb(s.colour).lighter(115));
    p.drawEllipse(QPointF(s.x, s.y), s.radius, s.radius);
}

void ridge(QPainter& p, const Item& it, Dice& dice) {
    QPainterPath path(QPointF(0, H));
    const int steps = it.variant == 1 ? it.count * 2 : 64;
    const double phase = dice.between(0, 6.28);
    for (int i = 0; i <= steps; ++i) {
        const double x = W * i / steps;
        double lift;
        if (it.variant == 1)  // peaks and saddles, each a little different
            lift = (i % 2 == 0 ? dice.between(0.15, 0.45) : dice.between(0.7, 1.0));
        else
            lift = 0.5 + 0.35 * std::sin(x / W * it.count * 3.14 + phase) + 0.15 * std::sin(x / W * 11 + phase * 2);
        path.lineTo(x, it.y - it.size * lift);
    }
    path.lineTo(W, H);
    path.closeSubpath();
    QLinearGradient g(0, it.y - it.size, 0, it.y + 60);
    g.setColorAt(0, rgb(it.colour));
    g.setColorAt(1, rgb(it.colour2 ? it.colour2 : it.colour));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

void band(QPainter& p, const Item& it, const Sun& sun) {
    fillGradient(p, QRectF(0, it.y, W, H - it.y), it.colour, it.colour2);
    if (it.variant != 1 || sun.radius <= 0) return;
    // The sun's path on the water: short strokes, wider and fainter towards the viewer.
    for (double y = it.y + 4; y < H; y += 9) {
        const double t = (y - it.y) / (H - it.y);
        const double half = sun.radius * (0.6 + 2.2 * t) * (0.7 + 0.3 * std::sin(y));
        p.fillRect(QRectF(sun.x - half, y, half * 2, 3), rgb(sun.colour, int(200 * (1 - t * 0.6))));
    }
}

void shore(QPainter& p, const Item& it) {
    QPainterPath sand(QPointF(0, it.y));
    sand.cubicTo(W * 0.3, it.y + 30, W * 0.6, H - 90, W, H - 40);
    sand.lineTo(W, H);
    sand.lineTo(0, H);
    sand.closeSubpath();
    p.setPen(QPen(QColor(255, 255, 255, 200), 6));
    p.setBrush(rgb(it.colour));
    p.drawPath(sand);
}

void skyline(QPainter& p, const Item& it, Dice& dice) {
    double x = -10;
    while (x < W) {
        const double w = dice.between(40, 95), h = dice.between(80, it.size);
        const QRectF b(x, it.y - h, w, h + 2);
        p.fillRect(b, rgb(it.colour).darker(int(dice.between(100, 140))));
        for (double wy = b.top() + 10; wy < it.y - 12; wy += 16)
            for (double wx = b.left() + 7; wx < b.right() - 10; wx += 13)
                if (dice.next() < 0.45) p.fillRect(QRectF(wx, wy, 6, 8), rgb(it.colour2, int(dice.between(150, 255))));
        x += w + dice.between(0, 8);
    }
}

void palm(QPainter& p, const Item& it) {
    const double s = it.size;
    QPainterPath trunk(QPointF(it.x, it.y));
    const QPointF top(it.x + s * 0.35, it.y - s);
    trunk.quadTo(it.x + s * 0.02, it.y - s * 0.6, top.x(), top.y());
    p.setPen(QPen(rgb(it.colour2), s * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trunk);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(it.colour));
    for (double a : {-160.0, -125.0, -90.0, -55.0, -20.0, 15.0, 195.0}) {
        const double r = a * 3.14159 / 180;
        const QPointF tip(top.x() + std::cos(r) * s * 0.55, top.y() + std::sin(r) * s * 0.3 + s * 0.2);
        const QPointF mid((top.x() + tip.x()) / 2, std::min(top.y(), tip.y()) - s * 0.12);
        QPainterPath leaf(top);
        leaf.quadTo(mid + QPointF(0, -s * 0.05), tip);
        leaf.quadTo(mid + QPointF(0, s * 0.07), top);
        p.drawPath(leaf);
    }
}

void branch(QPainter& p, QPointF from, double angle, double length, double width, int depth) {
    const QPointF to(from.x() + std::cos(angle) * length, from.y() - std::sin(angle) * length);
    p.setPen(QPen(p.pen().color(), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    if (depth == 0) return;
    branch(p, to, angle + 0.45, length * 0.72, width * 0.65, depth - 1);
    branch(p, to, angle - 0.4, length * 0.7, width * 0.65, depth - 1);
}

void paleTree(QPainter& p, const Item& it) {
    p.setPen(QPen(rgb(it.colour), 1));
    branch(p, QPointF(it.x, it.y), 1.5708, it.size * 0.35, it.size * 0.05, 5);
}

void pine(QPainter& p, const Item& it) {
    const double s = it.size;
    p.fillRect(QRectF(it.x - s * 0.04, it.y - s * 0.15, s * 0.08, s * 0.15), QColor(70, 45, 30));
    for (int tier = 0; tier < 3; ++tier) {
        const double base = it.y - s * 0.12 - tier * s * 0.25, half = s * (0.3 - tier * 0.07);
        QPolygonF tri({QPointF(it.x - half, base), QPointF(it.x + half, base), QPointF(it.x, base - s * 0.4)});
        p.setPen(Qt::NoPen);
        p.setBrush(rgb(it.colour));
        p.drawPolygon(tri);
        if (it.variant == 1) {
            p.setBrush(QColor(245, 250, 255));
            p.drawPolygon(QPolygonF({QPointF(it.x - half * 0.45, base - s * 0.22), QPointF(it.x + half * 0.45, base - s * 0.22),
                                     QPointF(it.x, base - s * 0.4)}));
        }
    }
}

void flowers(QPainter& p, const Item& it, Dice& dice) {
    static constexpr std::array<QRgb, 5> petals = {0xfff25c8a, 0xffffe14d, 0xffffffff, 0xffb57bff, 0xffff7b3d};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < it.count; ++i) {
        const double y = dice.between(it.y, H), r = 2 + 6 * (y - it.y) / (H - it.y);
        const QPointF c(dice.between(0, W), y);
        p.setBrush(rgb(petals[std::size_t(i) % petals.size()]));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(c + QPointF(std::cos(k * 1.2566) * r, std::sin(k * 1.2566) * r), r * 0.8, r * 0.8);
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(c, r * 0.5, r * 0.5);
    }
}

void snowfall(QPainter& p, const Item& it, Dice& dice) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    for (int i = 0; i < it.count; ++i) {
        const double r = dice.between(1, 3.5);
        p.drawEllipse(QPointF(dice.between(0, W), dice.between(0, H)), r, r);
    }
}

void cloud(QPainter& p, const Item& it) {
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(it.colour, 220));
    const double s = it.size;
    static constexpr double puffs[][3] = {{0.0, 0.0, 0.5}, {0.45, -0.15, 0.42}, {0.85, 0.0, 0.38}, {-0.4, 0.05, 0.35}};
    for (const auto& [dx, dy, r] : puffs)
        p.drawEllipse(QPointF(it.x + dx * s, it.y + dy * s), r * s, r * s * 0.7);
}

void birds(QPainter& p, const Item& it, Dice& dice) {
    p.setPen(QPen(rgb(it.colour), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < it.count; ++i) {
        const QPointF c(it.x + dice.between(-120, 120), it.y + dice.between(-50, 50));
        const double w = dice.between(8, 16);
        QPainterPath v(c + QPointF(-w, -w * 0.4));
        v.quadTo(c + QPointF(-w * 0.4, -w * 0.6), c);
        v.quadTo(c + QPointF(w * 0.4, -w * 0.6), c + QPointF(w, -w * 0.4));
        p.drawPath(v);
    }
}

void volcano(QPainter& p, const Item& it, Dice& dice) {
    const double s = it.size, top = it.y - s;
    QPolygonF cone({QPointF(it.x - s * 1.3, it.y), QPointF(it.x - s * 0.18, top), QPointF(it.x + s * 0.18, top),
                    QPointF(it.x + s * 1.3, it.y)});
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(it.colour));
    p.drawPolygon(cone);
    // The plume: glowing ash rising and spreading, then the fire at the crater.
    for (int i = 0; i < 14; ++i) {
        const double up = dice.between(0, s * 0.9), r = 20 + up * 0.35;
        p.setBrush(QColor(70, 60, 60, 150));
        p.drawEllipse(QPointF(it.x + dice.between(-up * 0.4, up * 0.4), top - 40 - up), r, r * 0.8);
    }
    QRadialGradient fire(QPointF(it.x, top), s * 0.45);
    fire.setColorAt(0, QColor(255, 240, 150));
    fire.setColorAt(0.4, QColor(255, 120, 20, 220));
    fire.setColorAt(1, QColor(200, 30, 0, 0));
    p.setBrush(fire);
    p.drawEllipse(QPointF(it.x, top - s * 0.1), s * 0.45, s * 0.45);
    // Lava running down the sides, and glowing stones thrown out.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        const double side = (i % 2 ? 1 : -1) * dice.between(0.3, 1.0);
        QPainterPath flow(QPointF(it.x + dice.between(-s * 0.12, s * 0.12), top));
        flow.cubicTo(it.x + side * s * 0.3, top + s * 0.3, it.x + side * s * 0.5, top + s * 0.6,
                     it.x + side * s * 0.8, it.y);
        p.setPen(QPen(rgb(it.colour2), dice.between(6, 14), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(flow);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(it.colour2));
    for (int i = 0; i < 25; ++i)
        p.drawEllipse(QPointF(it.x + dice.between(-s * 0.7, s * 0.7), top - dice.between(20, s * 0.8)), 3.5, 3.5);
}

void bear(QPainter& p, const Item& it) {
    const double s = it.size, x = it.x, y = it.y;
    const QColor fur = rgb(it.colour), snout = rgb(it.colour).lighter(150);
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    for (double lx : {-0.45, -0.25, 0.2, 0.4}) p.drawRoundedRect(QRectF(x + lx * s, y - s * 0.35, s * 0.17, s * 0.35), s * 0.05, s * 0.05);
    p.drawEllipse(QPointF(x, y - s * 0.5), s * 0.6, s * 0.32);                     // body
    p.drawEllipse(QPointF(x + s * 0.62, y - s * 0.68), s * 0.22, s * 0.2);         // head
    p.drawEllipse(QPointF(x + s * 0.52, y - s * 0.86), s * 0.07, s * 0.07);        // ears
    p.drawEllipse(QPointF(x + s * 0.72, y - s * 0.86), s * 0.07, s * 0.07);
    p.setBrush(snout);
    p.drawEllipse(QPointF(x + s * 0.78, y - s * 0.62), s * 0.1, s * 0.07);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(x + s * 0.86, y - s * 0.64), s * 0.03, s * 0.025);       // nose
    p.drawEllipse(QPointF(x + s * 0.66, y - s * 0.73), s * 0.022, s * 0.022);      // eye
}

void cat(QPainter& p, const Item& it) {
    const double s = it.size, x = it.x, y = it.y;
    const bool lion = it.variant == 1;
    const QColor fur = rgb(it.colour), light = rgb(it.colour2);
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    // Tail, sitting body, head.
    QPainterPath tail(QPointF(x + s * 0.25, y - s * 0.08));
    tail.cubicTo(x + s * 0.7, y, x + s * 0.65, y - s * 0.5, x + s * 0.5, y - s * 0.55);
    p.setPen(QPen(fur, s * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    if (lion) {  // the dark tuft at the end of a lion's tail
        p.setBrush(fur.darker(170));
        p.drawEllipse(QPointF(x + s * 0.5, y - s * 0.57), s * 0.06, s * 0.08);
        p.setBrush(fur);
    }
    p.drawEllipse(QPointF(x, y - s * 0.35), s * 0.32, s * 0.36);
    const QPointF head(x, y - s * 0.85);
    if (lion) {
        p.drawEllipse(head + QPointF(-s * 0.2, -s * 0.2), s * 0.1, s * 0.1);
        p.drawEllipse(head + QPointF(s * 0.2, -s * 0.2), s * 0.1, s * 0.1);
    } else {
        p.drawPolygon(QPolygonF({head + QPointF(-s * 0.26, -s * 0.05), head + QPointF(-s * 0.22, -s * 0.38), head + QPointF(-s * 0.05, -s * 0.2)}));
        p.drawPolygon(QPolygonF({head + QPointF(s * 0.26, -s * 0.05), head + QPointF(s * 0.22, -s * 0.38), head + QPointF(s * 0.05, -s * 0.2)}));
    }
    p.drawEllipse(head, s * 0.27, s * 0.24);
    p.setBrush(light);
    p.drawEllipse(head + QPointF(0, s * 0.1), s * 0.13, s * 0.09);                 // muzzle
    p.drawEllipse(QPointF(x, y - s * 0.3), s * 0.16, s * 0.22);                   // chest
    if (lion) {  // the spots of a young lion
        p.setBrush(fur.darker(125));
        static constexpr double spots[][2] = {{-0.26, -0.45}, {0.24, -0.35}, {-0.23, -0.2}, {0.26, -0.55}};
        for (const auto& [dx, dy] : spots)
            p.drawEllipse(QPointF(x + dx * s, y + dy * s), s * 0.03, s * 0.03);
    }
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(head + QPointF(-s * 0.1, -s * 0.04), s * 0.04, s * 0.05);
    p.drawEllipse(head + QPointF(s * 0.1, -s * 0.04), s * 0.04, s * 0.05);
    p.setBrush(QColor(200, 90, 100));
    p.drawEllipse(head + QPointF(0, s * 0.06), s * 0.035, s * 0.025);
    p.setPen(QPen(QColor(40, 40, 40, 160), 1.2));
    for (double dy : {0.08, 0.12})
        for (double side : {-1.0, 1.0})
            p.drawLine(head + QPointF(side * s * 0.08, s * dy), head + QPointF(side * s * 0.33, s * (dy + (dy - 0.1) * 2)));
}

void fish(QPainter& p, const Item& it) {
    const double s = it.size, x = it.x, y = it.y;
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(it.colour));
    p.drawPolygon(QPolygonF({QPointF(x - s * 0.45, y), QPointF(x - s * 0.75, y - s * 0.25), QPointF(x - s * 0.75, y + s * 0.25)}));
    p.drawPolygon(QPolygonF({QPointF(x - s * 0.2, y - s * 0.2), QPointF(x + s * 0.1, y - s * 0.45), QPointF(x + s * 0.2, y - s * 0.2)}));
    QPainterPath body;
    body.addEllipse(QPointF(x, y), s * 0.5, s * 0.3);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    for (double sx : {-0.25, 0.05, 0.3}) p.fillRect(QRectF(x + sx * s, y - s * 0.4, s * 0.09, s * 0.8), rgb(it.colour2));
    p.restore();
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x + s * 0.32, y - s * 0.07), s * 0.06, s * 0.06);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(x + s * 0.33, y - s * 0.07), s * 0.03, s * 0.03);
}

void seaweed(QPainter& p, const Item& it, Dice& dice) {
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < it.count; ++i) {
        const double x = dice.between(0, W), h = dice.between(it.size * 0.4, it.size);
        QPainterPath frond(QPointF(x, H));
        frond.cubicTo(x - 30, H - h * 0.3, x + 30, H - h * 0.7, x + dice.between(-20, 20), H - h);
        p.setPen(QPen(rgb(i % 2 ? it.colour : it.colour2), dice.between(6, 12), Qt::SolidLine, Qt::RoundCap));
        p.drawPath(frond);
    }
}

void bubbles(QPainter& p, const Item& it, Dice& dice) {
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < it.count; ++i) {
        const double r = dice.between(3, 10);
        p.drawEllipse(QPointF(it.x + dice.between(-40, 40), it.y - dice.between(0, it.size)), r, r);
    }
}

void rays(QPainter& p, const Item& it, Dice& dice) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < it.count; ++i) {
        const double x = dice.between(0, W);
        QLinearGradient g(0, 0, 0, H * 0.8);
        g.setColorAt(0, QColor(255, 255, 255, 70));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(g);
        p.drawPolygon(QPolygonF({QPointF(x, 0), QPointF(x + 40, 0), QPointF(x + 160, H * 0.8), QPointF(x + 60, H * 0.8)}));
    }
}

void horse(QPainter& p, const Item& it) {
    const double s = it.size, x = it.x, y = it.y;
    const QColor coat = rgb(it.colour), mane = rgb(it.colour2);
    p.setPen(Qt::NoPen);
    p.setBrush(coat);
    for (double lx : {-0.42, -0.3, 0.3, 0.42}) p.drawRect(QRectF(x + lx * s, y - s * 0.55, s * 0.07, s * 0.55));
    p.drawEllipse(QPointF(x, y - s * 0.65), s * 0.55, s * 0.2);                   // body
    p.drawPolygon(QPolygonF({QPointF(x + s * 0.3, y - s * 0.75), QPointF(x + s * 0.55, y - s * 1.15),
                             QPointF(x + s * 0.68, y - s * 1.08), QPointF(x + s * 0.52, y - s * 0.6)}));  // neck
    p.save();
    p.translate(x + s * 0.72, y - s * 1.05);
    p.rotate(35);
    p.drawEllipse(QPointF(0, 0), s * 0.2, s * 0.08);                              // head
    p.restore();
    p.drawPolygon(QPolygonF({QPointF(x + s * 0.6, y - s * 1.14), QPointF(x + s * 0.6, y - s * 1.26), QPointF(x + s * 0.66, y - s * 1.14)}));
    p.setBrush(mane);
    p.drawPolygon(QPolygonF({QPointF(x + s * 0.3, y - s * 0.8), QPointF(x + s * 0.56, y - s * 1.18),
                             QPointF(x + s * 0.5, y - s * 1.0), QPointF(x + s * 0.36, y - s * 0.78)}));
    QPainterPath tail(QPointF(x - s * 0.52, y - s * 0.72));
    tail.cubicTo(x - s * 0.75, y - s * 0.6, x - s * 0.7, y - s * 0.35, x - s * 0.68, y - s * 0.25);
    p.setPen(QPen(mane, s * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
}

// The fifteen scenes, in the order of their numbers.
const std::array<Scene, deliveredPictureCount>& scenes() {
    using K = Kind;
    static const std::array<Scene, deliveredPictureCount> all = {{
        // 1 City skyline at night, lit windows, the river in front.
        {0xff0b1030, 0xff4a2f6b, {820, 120, 34, 0xfff4f1d8},
         {{K::Skyline, 0, 600, 330, 0xff20203a, 0xffffd66b}, {K::Band, 0, 600, 0, 0xff15132a, 0xff05050f}}},
        // 2 Sunset over the sea, the sun's path on the water.
        {0xff3a1c5c, 0xffff9a3c, {512, 430, 60, 0xffffd27a},
         {{K::Cloud, 220, 180, 90, 0xffd9788a}, {K::Cloud, 800, 140, 70, 0xffe08a8a},
          {K::Band, 0, 440, 0, 0xff3b2b5c, 0xff120c25, 0, 1}, {K::Birds, 300, 260, 0, 0xff2a1530, 0, 5}}},
        // 3 Sunset behind mountain ridges.
        {0xff4b2a6e, 0xffffb35c, {600, 400, 55, 0xffffe08a},
         {{K::Ridge, 0, 520, 260, 0xff7a4a7a, 0xff5a3560, 5, 1}, {K::Ridge, 0, 630, 260, 0xff4a2a55, 0xff30193a, 4, 1},
          {K::Ridge, 0, 760, 220, 0xff1e1028, 0xff120818, 3, 1}}},
        // 4 Sunset at the beach with a palm.
        {0xffd9577a, 0xffffc05a, {640, 460, 50, 0xffffe7a0},
         {{K::Band, 0, 470, 0, 0xff7a4a80, 0xff2e2050, 0, 1}, {K::Shore, 0, 640, 0, 0xff3a2630},
          {K::Palm, 180, 720, 480, 0xff1c1018, 0xff1c1018}, {K::Birds, 760, 240, 0, 0xff3a1830, 0, 4}}},
        // 5 Ice forest: pale frozen trees on snow.
        {0xffaac8e0, 0xfff2f7fb, {},
         {{K::Band, 0, 560, 0, 0xffe8f0f8, 0xffc8dcee}, {K::PaleTree, 150, 640, 420, 0xffdde9f5},
          {K::PaleTree, 380, 600, 330, 0xffc5d9ec}, {K::PaleTree, 620, 660, 470, 0xffe6f0fa},
          {K::PaleTree, 860, 610, 360, 0xffc9dcef}, {K::Snowfall, 0, 0, 0, 0, 0, 260}}},
        // 6 Tropical beaches: turquoise sea, white sand, green palms.
        {0xff2f8fe0, 0xffa8dcf5, {860, 110, 45, 0xfffff3b0},
         {{K::Cloud, 250, 150, 70, 0xffffffff}, {K::Ridge, 0, 470, 60, 0xff3c8a5a, 0, 2},
          {K::Band, 0, 460, 0, 0xff2cc3c8, 0xff1a8fb0}, {K::Shore, 0, 560, 0, 0xfff3e3b5},
          {K::Palm, 780, 720, 420, 0xff2f8a3c, 0xff8a5a30}, {K::Palm, 900, 740, 330, 0xff3a9a48, 0xff7a5030}}},
        // 7 Spring at the lake: green hills, blue water, a meadow of flowers.
        {0xff6fb6f0, 0xffd8efff, {},
         {{K::Cloud, 300, 130, 80, 0xffffffff}, {K::Cloud, 760, 180, 60, 0xffffffff},
          {K::Ridge, 0, 430, 150, 0xff6fae5a, 0xff4f8f45, 2}, {K::Band, 0, 430, 0, 0xff4a9ad0, 0xff2f78b0},
          {K::Band, 0, 600, 0, 0xff6cc04a, 0xff3f9a35}, {K::Flowers, 0, 610, 0, 0, 0, 160}}},
        // 8 Winter at the lake: snowy mountains, ice, snowy firs.
        {0xff8fa6bf, 0xffdde6ef, {},
         {{K::Ridge, 0, 430, 230, 0xfff5f8fb, 0xffb8c8d8, 5, 1}, {K::Band, 0, 430, 0, 0xffb5cde0, 0xff8fb0cc},
          {K::Band, 0, 600, 0, 0xfff4f7fa, 0xffdfe8f0}, {K::Pine, 120, 700, 300, 0xff244a38, 0, 0, 1},
          {K::Pine, 260, 660, 230, 0xff2c5640, 0, 0, 1}, {K::Pine, 880, 720, 320, 0xff244a38, 0, 0, 1},
          {K::Snowfall, 0, 0, 0, 0, 0, 300}}},
        // 9 Desert dunes under a hot sun.
        {0xff4a8fd8, 0xfff2e2b8, {780, 150, 50, 0xfffff8d0},
         {{K::Ridge, 0, 500, 120, 0xffe8b874, 0xffd09a55, 2}, {K::Ridge, 0, 620, 150, 0xffdda060, 0xffc0823f, 3},
          {K::Ridge, 0, 768, 170, 0xffe9ad68, 0xffb87435, 2}}},
        // 10 Erupting volcano at night.
        {0xff120508, 0xff6a1a10, {},
         {{K::Volcano, 512, 640, 360, 0xff2a1a18, 0xffff6a10}, {K::Ridge, 0, 768, 140, 0xff1a0e0c, 0xff0a0505, 3}}},
        // 11 A bear and her cubs in a clearing.
        {0xff80c0ea, 0xffe4f3fb, {},
         {{K::Ridge, 0, 470, 140, 0xff4c7a44, 0xff3a6538, 3}, {K::Pine, 80, 520, 260, 0xff1f4a2c},
          {K::Pine, 950, 530, 280, 0xff1f4a2c}, {K::Band, 0, 500, 0, 0xff7cb255, 0xff4f8a3a},
          {K::Bear, 420, 690, 360, 0xff5a3a22}, {K::Bear, 740, 700, 160, 0xff6a4a2c},
          {K::Bear, 230, 710, 140, 0xff6e4c30}}},
        // 12 Kittens on a soft rug.
        {0xfff6e3d3, 0xffefc9b5, {},
         {{K::Band, 0, 560, 0, 0xffc98a7a, 0xffa8665a}, {K::Cat, 280, 700, 300, 0xffe8a050, 0xfff8e8d0},
          {K::Cat, 520, 690, 280, 0xff7a7a80, 0xffeeeeee}, {K::Cat, 760, 700, 300, 0xfff5f0ea, 0xffffffff}}},
        // 13 A lion cub in the savannah.
        {0xfff0b050, 0xfffde7b0, {820, 200, 60, 0xfffff2c0},
         {{K::Ridge, 0, 470, 50, 0xffb88a40, 0, 2}, {K::Band, 0, 480, 0, 0xffd9b060, 0xffb0863a},
          {K::Cat, 512, 740, 520, 0xffd49a4a, 0xfff3dcae, 0, 1}}},
        // 14 Tropical fish among seaweed and bubbles.
        {0xff39c6d8, 0xff0a3c78, {},
         {{K::Rays, 0, 0, 0, 0, 0, 6}, {K::Band, 0, 680, 0, 0xffe0cf9a, 0xffb8a470},
          {K::Seaweed, 0, 0, 260, 0xff2f9a48, 0xffd8506a, 14}, {K::Fish, 480, 380, 320, 0xffff8a1c, 0xffffffff},
          {K::Fish, 820, 220, 120, 0xfff2d22e, 0xff2a2a8a}, {K::Fish, 180, 250, 100, 0xff3aa0ff, 0xfffff060},
          {K::Bubbles, 700, 330, 300, 0, 0, 18}}},
        // 15 A horse on the shore by the sea.
        {0xff5aa8e6, 0xffcfe8f8, {},
         {{K::Cloud, 220, 140, 80, 0xffffffff}, {K::Cloud, 740, 110, 60, 0xffffffff},
          {K::Band, 0, 420, 0, 0xff2f86c0, 0xff1d5f96}, {K::Shore, 0, 520, 0, 0xffe8d6a8},
          {K::Horse, 540, 690, 380, 0xff7a4a26, 0xff2a1a10}}},
    }};
    return all;
}

}  // namespace

QImage drawDeliveredPicture(int number, QSize size) {
    if (number < 1 || number > deliveredPictureCount || size.isEmpty()) return {};
    const Scene& scene = scenes()[std::size_t(number - 1)];
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / W, size.height() / H);
    fillGradient(p, QRectF(0, 0, W, H), scene.skyTop, scene.skyBottom);
    if (scene.sun.radius > 0) drawSun(p, scene.sun);
    Dice dice{unsigned(number)};
    for (const Item& it : scene.items) {
        switch (it.kind) {
        case Kind::None: break;
        case Kind::Ridge: ridge(p, it, dice); break;
        case Kind::Band: band(p, it, scene.sun); break;
        case Kind::Shore: shore(p, it); break;
        case Kind::Skyline: skyline(p, it, dice); break;
        case Kind::Palm: palm(p, it); break;
        case Kind::PaleTree: paleTree(p, it); break;
        case Kind::Pine: pine(p, it); break;
        case Kind::Flowers: flowers(p, it, dice); break;
        case Kind::Snowfall: snowfall(p, it, dice); break;
        case Kind::Cloud: cloud(p, it); break;
        case Kind::Birds: birds(p, it, dice); break;
        case Kind::Volcano: volcano(p, it, dice); break;
        case Kind::Bear: bear(p, it); break;
        case Kind::Cat: cat(p, it); break;
        case Kind::Fish: fish(p, it); break;
        case Kind::Seaweed: seaweed(p, it, dice); break;
        case Kind::Bubbles: bubbles(p, it, dice); break;
        case Kind::Rays: rays(p, it, dice); break;
        case Kind::Horse: horse(p, it); break;
        }
    }
    return image;
}

bool ensureDeliveredPicture(core::Files& files, const std::string& folder, int number) {
    if (number < 1 || number > deliveredPictureCount) return false;
    const std::string path = core::joinPath(folder, "sfondo" + std::to_string(number) + ".bmp");
    if (files.exists(path)) return true;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!drawDeliveredPicture(number).save(&buffer, "BMP")) return false;
    // Through a temporary and a rename, so an interrupted start never leaves half a picture.
    return files.replaceFile(path, std::string_view(bytes.constData(), std::size_t(bytes.size()))) == 0;
}

bool ensureDeliveredPictures(core::Files& files, const std::string& folder) {
    bool all = true;
    for (int n = 1; n <= deliveredPictureCount; ++n) all = ensureDeliveredPicture(files, folder, n) && all;
    return all;
}

}  // namespace kalvora::ui
