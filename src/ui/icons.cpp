#include "ui/icons.h"

#include "launcher/toolbar.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <mutex>
#include <optional>
#include <vector>

namespace kalvora::ui::icons {

namespace {

// Every picture is drawn on a 64 x 64 canvas, at the size asked for, only when it is shown.
using Drawing = void (*)(QPainter&);

void paintDrawing(QPainter& painter, Drawing draw, const QRect& rect, QIcon::Mode mode) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / 64.0, rect.height() / 64.0);
    if (mode == QIcon::Disabled) painter.setOpacity(0.4);
    draw(painter);
    painter.restore();
}

// Pictures drawn ahead, on whatever thread, for the main thread to take instead of drawing them:
// images, because pixmaps belong to the main thread.
struct Drawn {
    Drawing draw;
    int side;
    QImage image;
};

std::mutex& drawnMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<Drawn>& drawnAhead() {
    static std::vector<Drawn> pictures;
    return pictures;
}

std::optional<QImage> drawnAheadOf(Drawing draw, const QSize& size) {
    if (size.width() != size.height()) return std::nullopt;
    std::lock_guard<std::mutex> lock(drawnMutex());
    for (const Drawn& d : drawnAhead())
        if (d.draw == draw && d.side == size.width()) return d.image;
    return std::nullopt;
}

void drawAhead(Drawing draw, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintDrawing(p, draw, QRect(0, 0, side, side), QIcon::Normal);
    }
    std::lock_guard<std::mutex> lock(drawnMutex());
    drawnAhead().push_back({draw, side, std::move(image)});
}

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        paintDrawing(*painter, draw_, rect, mode);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (mode == QIcon::Normal)
            if (auto image = drawnAheadOf(draw_, size)) return QPixmap::fromImage(*image);
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

void drawArrowDown(QPainter& p, const QPointF& tip, qreal size, const QColor& colour) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip.x() - size, tip.y() - size);
    arrow.lineTo(tip.x() - size * 0.4, tip.y() - size);
    arrow.lineTo(tip.x() - size * 0.4, tip.y() - size * 2);
    arrow.lineTo(tip.x() + size * 0.4, tip.y() - size * 2);
    arrow.lineTo(tip.x() + size * 0.4, tip.y() - size);
    arrow.lineTo(tip.x() + size, tip.y() - size);
    arrow.closeSubpath();
    p.setPen(QPen(colour.darker(140), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(arrow);
}

void drawFloppy(QPainter& p) {
    const QColor dark(0x23, 0x3f, 0x66);
    QPainterPath body;
    body.moveTo(6, 6);
    body.lineTo(48, 6);
    body.lineTo(58, 16);
    body.lineTo(58, 58);
    body.lineTo(6, 58);
    body.closeSubpath();
    p.setPen(QPen(dark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(QColor(0x5b, 0x8f, 0xd0), QColor(0x2d, 0x5a, 0x98)));
    p.drawPath(body);
    p.setBrush(QColor(0xdd, 0xe4, 0xee));
    p.drawRect(QRectF(16, 6, 28, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRect(QRectF(34, 9, 6, 12));
    p.setPen(QPen(dark, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(13, 32, 38, 26), 2, 2);
}

void drawInfo(QPainter& p) {
    drawBadge(p, QColor(0x5d, 0xa7, 0xf0), QColor(0x1f, 0x62, 0xb5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(27.5, 13, 9, 9));
    p.drawRoundedRect(QRectF(28, 26, 8, 25), 3, 3);
}

void drawHelp(QPainter& p) {
    // A question mark, drawn as strokes: a text path would load a bold font at every start.
    drawBadge(p, QColor(0x4f, 0xc0, 0xb8), QColor(0x16, 0x7d, 0x77));
    QPainterPath hook;
    hook.moveTo(22, 24);
    hook.cubicTo(22, 10, 43, 10, 43, 23);
    hook.cubicTo(43, 32, 32, 31, 32, 41);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(27.5, 45, 9, 9));
}

void drawAssistance(QPainter& p) {
    drawBadge(p, QColor(0x7c, 0xcf, 0x6a), QColor(0x2e, 0x8b, 0x32));
    // A headset: the band over the head, two ear pads and the microphone arm.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(15, 13, 34, 34), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(11, 27, 11, 17), 4, 4);
    p.drawRoundedRect(QRectF(42, 27, 11, 17), 4, 4);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arm;
    arm.moveTo(47, 44);
    arm.cubicTo(46, 52, 40, 53, 33, 53);
    p.drawPath(arm);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(27, 49, 8, 8));
}

void drawBackup(QPainter& p) {
    drawFloppy(p);
    drawArrowDown(p, QPointF(46, 62), 12, QColor(0x4c, 0xb0, 0x3c));
}

void drawRestore(QPainter& p) {
    drawFloppy(p);
    const QColor orange(0xe0, 0x84, 0x1a);
    p.setPen(QPen(orange, 6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Round from the top clockwise, the head at the top pointing back: turning back.
    p.drawArc(QRectF(32, 36, 24, 24), 90 * 16, -280 * 16);
    QPainterPath head;
    head.moveTo(33, 36);
    head.lineTo(44, 29);
    head.lineTo(44, 43);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(orange);
    p.drawPath(head);
}

void drawCalculator(QPainter& p) {
    const QColor dark(0x3a, 0x40, 0x48);
    p.setPen(QPen(dark, 2));
    p.setBrush(vertical(QColor(0x8a, 0x94, 0xa0), QColor(0x4a, 0x52, 0x5c)));
    p.drawRoundedRect(QRectF(12, 4, 40, 56), 5, 5);
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(0xd6, 0xe8, 0xc8));
    p.drawRect(QRectF(17, 9, 30, 11));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 3 && col == 2 ? QColor(0xf0, 0x8c, 0x2a) : QColor(0xf2, 0xf4, 0xf6));
            p.drawRoundedRect(QRectF(17 + col * 11, 25 + row * 8.5, 8, 6), 1.5, 1.5);
        }
}

void drawPrinter(QPainter& p) {
    const QColor dark(0x3a, 0x40, 0x48);
    p.setPen(QPen(dark, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 6, 28, 20));
    p.setBrush(vertical(QColor(0xb4, 0xbc, 0xc6), QColor(0x6a, 0x74, 0x80)));
    p.drawRoundedRect(QRectF(6, 22, 52, 24), 4, 4);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 38, 32, 22));
    p.setPen(QPen(QColor(0x8a, 0x94, 0xa0), 2));
    for (int line = 0; line < 3; ++line) p.drawLine(QPointF(21, 45 + line * 5), QPointF(43, 45 + line * 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4c, 0xb0, 0x3c));
    p.drawEllipse(QRectF(48, 27, 5, 5));
}

void drawInternet(QPainter& p) {
    const QColor dark(0x1f, 0x62, 0xb5);
    p.setPen(QPen(dark, 2));
    p.setBrush(vertical(QColor(0x8c, 0xc4, 0xf4), QColor(0x3a, 0x82, 0xd4)));
    p.drawEllipse(QRectF(4, 4, 50, 50));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xe8, 0xf2, 0xfc), 2));
    p.drawEllipse(QRectF(17, 4, 24, 50));
    p.drawLine(QPointF(29, 4), QPointF(29, 54));
    p.drawLine(QPointF(4, 29), QPointF(54, 29));
    p.drawLine(QPointF(9, 16), QPointF(49, 16));
    p.drawLine(QPointF(9, 42), QPointF(49, 42));
    drawArrowDown(p, QPointF(48, 62), 12, QColor(0x4c, 0xb0, 0x3c));
}

void drawMail(QPainter& p) {
    const QColor dark(0x5a, 0x4a, 0x2a);
    p.setPen(QPen(dark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(QColor(0xff, 0xfb, 0xf0), QColor(0xe8, 0xdc, 0xc0)));
    p.drawRect(QRectF(4, 14, 56, 38));
    p.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(4, 14);
    flap.lineTo(32, 36);
    flap.lineTo(60, 14);
    p.drawPath(flap);
    p.drawLine(QPointF(4, 52), QPointF(24, 32));
    p.drawLine(QPointF(60, 52), QPointF(40, 32));
}

void drawPostIt(QPainter& p) {
    QPainterPath note;
    note.moveTo(8, 8);
    note.lineTo(56, 8);
    note.lineTo(56, 42);
    note.lineTo(42, 56);
    note.lineTo(8, 56);
    note.closeSubpath();
    p.setPen(QPen(QColor(0xb8, 0x96, 0x10), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(QColor(0xff, 0xf2, 0x8a), QColor(0xf6, 0xd8, 0x3c)));
    p.drawPath(note);
    QPainterPath fold;
    fold.moveTo(56, 42);
    fold.lineTo(42, 42);
    fold.lineTo(42, 56);
    fold.closeSubpath();
    p.setBrush(QColor(0xe0, 0xbc, 0x2a));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0x9a, 0x7c, 0x10), 2, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 3; ++line) p.drawLine(QPointF(15, 19 + line * 8), QPointF(49, 19 + line * 8));
    p.drawLine(QPointF(15, 43), QPointF(34, 43));
}

void drawFinish(QPainter& p) {
    drawBadge(p, QColor(0xec, 0x6b, 0x5e), QColor(0xb3, 0x26, 0x1e));
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(17, 18, 30, 30), 125 * 16, 290 * 16);
    p.drawLine(QPointF(32, 13), QPointF(32, 32));
}

// The product's mark: a rounded square with the initial's strokes, in the current pen and
// brush for the square and `initial` for the strokes.
void drawMark(QPainter& p, const QColor& initial) {
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    p.setPen(QPen(initial, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(22, 14), QPointF(22, 50));
    p.drawLine(QPointF(44, 14), QPointF(24, 32));
    p.drawLine(QPointF(27, 30), QPointF(45, 50));
}

void drawApplication(QPainter& p) {
    p.setPen(QPen(QColor(0x1d, 0x3f, 0x72), 2));
    p.setBrush(vertical(QColor(0x3d, 0x7c, 0xc9), QColor(0x1d, 0x4f, 0x91)));
    drawMark(p, Qt::white);
}

void drawCompany(QPainter& p) {
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
}

void drawChangeUser(QPainter& p) {
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
}

void drawUser(QPainter& p) { drawPerson(p, QColor(0x8f, 0xc0, 0x7a), QColor(0x3f, 0x7a, 0x35)); }

// The pictures of the default toolbar's commands. Drawn rather than looked up in the desktop's
// icon theme: the theme's index and image files would cost the start-up more than the whole
// main window takes to build, and the toolbar looks the same on every desktop.
struct ToolbarPicture {
    std::string_view command;
    Drawing draw;
};

namespace cmd = launcher::toolbar_command;
const ToolbarPicture toolbarPictures[] = {
    {cmd::info, drawInfo},
    {cmd::help1, drawHelp},
    {cmd::assistance, drawAssistance},
    {cmd::backup, drawBackup},
    {cmd::restore, drawRestore},
    {cmd::calculator, drawCalculator},
    {cmd::print, drawPrinter},
    {cmd::internet, drawInternet},
    {cmd::mail, drawMail},
    {cmd::postIt, drawPostIt},
    {cmd::finish, drawFinish},
};

}  // namespace

QIcon toolbarPicture(std::string_view command) {
    for (const ToolbarPicture& picture : toolbarPictures)
        if (picture.command == command) return render(picture.draw);
    return {};
}

void drawMainWindowPicturesAhead(int toolbarSide) {
    for (int side : {16, 32, 64}) drawAhead(drawApplication, side);
    drawAhead(drawCompany, companySide);
    drawAhead(drawUser, userSide);
    drawAhead(drawChangeUser, userSide);
    for (const ToolbarPicture& picture : toolbarPictures) drawAhead(picture.draw, toolbarSide);
}

void useInstalledIconTheme() {
    // hicolor is where every theme ends, not a theme of its own: it holds no dialog pictures.
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && theme != QLatin1String("hicolor")) return;
    const QString installed = QStringLiteral("Adwaita");
    for (const QString& folder : QIcon::themeSearchPaths()) {
        if (!QFileInfo::exists(QDir(folder).filePath(installed + QLatin1String("/index.theme")))) continue;
        if (theme.isEmpty()) QIcon::setThemeName(installed);
        QIcon::setFallbackThemeName(installed);
        return;
    }
}

QIcon moreItems(Qt::Orientation orientation) {
    if (orientation == Qt::Horizontal)
        return render([](QPainter& p) {
            p.setPen(QPen(QColor(0x3a, 0x40, 0x48), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            for (qreal x : {18.0, 36.0}) {
                QPainterPath chevron;
                chevron.moveTo(x, 18);
                chevron.lineTo(x + 12, 32);
                chevron.lineTo(x, 46);
                p.drawPath(chevron);
            }
        });
    return render([](QPainter& p) {
        p.setPen(QPen(QColor(0x3a, 0x40, 0x48), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (qreal y : {18.0, 36.0}) {
            QPainterPath chevron;
            chevron.moveTo(18, y);
            chevron.lineTo(32, y + 12);
            chevron.lineTo(46, y);
            p.drawPath(chevron);
        }
    });
}

QIcon application() { return render(drawApplication); }

QIcon company() { return render(drawCompany); }

QIcon user() { return render(drawUser); }

QIcon changeUser() { return render(drawChangeUser); }

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
