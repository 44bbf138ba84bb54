#include "ui/icons.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kalvora::ui::icons {

namespace {

// Every picture is drawn on a 64 x 64 canvas, at the size asked for, only when it is shown.
using Drawing = void (*)(QPainter&);

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 64.0, rect.height() / 64.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        draw_(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    // Window managers want a few fixed sizes for the window icon.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {32, 32}, {64, 64}};
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

private:
    Drawing draw_;
};

QIcon render(Drawing draw) { return QIcon(new DrawnIconEngine(draw)); }

QLinearGradient vertical(const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void drawPerson(QPainter& p, const QColor& light, const QColor& dark, qreal dx = 0) {
    p.setPen(QPen(dark, 2));
    p.setBrush(vertical(light, dark));
    p.drawEllipse(QRectF(20 + dx, 6, 24, 24));
    QPainterPath body;
    body.moveTo(8 + dx, 60);
    body.cubicTo(8 + dx, 40, 18 + dx, 33, 32 + dx, 33);
    body.cubicTo(46 + dx, 33, 56 + dx, 40, 56 + dx, 60);
    body.closeSubpath();
    p.drawPath(body);
}

void drawBadge(QPainter& p, const QColor& light, const QColor& dark) {
    p.setPen(QPen(dark.darker(120), 2));
    p.setBrush(vertical(light, dark));
    p.drawEllipse(QRectF(4, 4, 56, 56));
}

}  // namespace

QIcon application() {
    return render([](QPainter& p) {
        p.setPen(QPen(QColor(0x1d, 0x3f, 0x72), 2));
        p.setBrush(vertical(QColor(0x3d, 0x7c, 0xc9), QColor(0x1d, 0x4f, 0x91)));
        p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
        p.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(22, 14), QPointF(22, 50));
        p.drawLine(QPointF(44, 14), QPointF(24, 32));
        p.drawLine(QPointF(27, 30), QPointF(45, 50));
    });
}

QIcon company() {
    return render([](QPainter& p) {
        const QColor dark(0x2b, 0x4a, 0x6f);
        p.setPen(QPen(dark, 2));
        p.setBrush(vertical(QColor(0x9c, 0xbf, 0xe6), QColor(0x5b, 0x86, 0xba)));
        p.drawRect(QRectF(12, 8, 30, 52));
        p.setBrush(vertical(QColor(0xc3, 0xd6, 0xec), QColor(0x86, 0xa6, 0xcc)));
        p.drawRect(QRectF(42, 24, 14, 36));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf4, 0xf8, 0xfd));
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(16 + col * 8.5, 13 + row * 8.5, 5, 5));
        for (int row = 0; row < 3; ++row)
            p.drawRect(QRectF(46.5, 29 + row * 8.5, 5, 5));
        p.setBrush(dark);
        p.drawRect(QRectF(23, 52, 8, 8));
    });
}

QIcon user() {
    return render([](QPainter& p) { drawPerson(p, QColor(0x8f, 0xc0, 0x7a), QColor(0x3f, 0x7a, 0x35)); });
}

QIcon changeUser() {
    return render([](QPainter& p) {
        drawPerson(p, QColor(0xb9, 0xc8, 0xd8), QColor(0x5f, 0x73, 0x88), -6);
        p.setPen(QPen(QColor(0xd0, 0x7a, 0x12), 6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(34, 30, 26, 26), 30 * 16, 270 * 16);
        QPainterPath head;
        head.moveTo(62, 30);
        head.lineTo(60, 45);
        head.lineTo(48, 36);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd0, 0x7a, 0x12));
        p.drawPath(head);
    });
}

QIcon confirm() {
    return render([](QPainter& p) {
        drawBadge(p, QColor(0x6c, 0xc6, 0x5a), QColor(0x2e, 0x8b, 0x32));
        p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath tick;
        tick.moveTo(18, 33);
        tick.lineTo(28, 43);
        tick.lineTo(47, 22);
        p.drawPath(tick);
    });
}

QIcon cancel() {
    return render([](QPainter& p) {
        drawBadge(p, QColor(0xec, 0x6b, 0x5e), QColor(0xb3, 0x26, 0x1e));
        p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(22, 22), QPointF(42, 42));
        p.drawLine(QPointF(42, 22), QPointF(22, 42));
    });
}

QIcon proceed() {
    return render([](QPainter& p) {
        drawBadge(p, QColor(0x5d, 0xa7, 0xf0), QColor(0x1f, 0x62, 0xb5));
        p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(18, 32), QPointF(44, 32));
        QPainterPath head;
        head.moveTo(33, 20);
        head.lineTo(45, 32);
        head.lineTo(33, 44);
        p.drawPath(head);
    });
}

QIcon notice() {
    return render([](QPainter& p) {
        drawBadge(p, QColor(0x5d, 0xa7, 0xf0), QColor(0x1f, 0x62, 0xb5));
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(20, 44), QPointF(42, 22));
        QPainterPath arrow;
        arrow.moveTo(27, 21);
        arrow.lineTo(43, 21);
        arrow.lineTo(43, 37);
        p.drawPath(arrow);
    });
}

}  // namespace kalvora::ui::icons
