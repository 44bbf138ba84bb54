#include "ui/launcher/backdrop.h"

#include "ui/launcher/background_pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace kalvora::ui {

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};

// The directory of the picture's path, for the delivered pictures' folder.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The screen of the display the program runs on: DISPLAY is host:display.screen.
int screenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.indexOf('.', display.lastIndexOf(':') + 1);
    return dot < 0 ? 0 : std::max(0, display.mid(dot + 1).toInt());
}

}  // namespace

QColor colourFromNumber(long number) {
    return QColor(int(number & 0xff), int((number >> 8) & 0xff), int((number >> 16) & 0xff));
}

bool compositorRunning() {
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return false;
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber());
    std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(name.size()), name.c_str()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

Backdrop::Backdrop(QWidget* parent) : QWidget(parent), colour_(colourFromNumber(launcher::defaultBackgroundColour)) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Backdrop::setBackground(core::Files& files, const core::Installation& installation,
                             const launcher::Background& background) {
    if (anything_ && background == shown_) return;
    anything_ = true;
    shown_ = background;
    show(files, launcher::backgroundDisplay(files, installation, background));
}

void Backdrop::show(core::Files& files, const launcher::BackgroundDisplay& display) {
    picture_ = {};
    scaled_ = {};
    look_ = Look::Colour;
    colour_ = colourFromNumber(display.colour);
    using Kind = launcher::BackgroundDisplay::Kind;
    if (display.kind == Kind::Picture) {
        if (display.delivered) ensureDeliveredPicture(files, folderOf(display.picture), display.delivered);
        // Read through the file layer like every other file; a picture that is missing, too
        // large or not a picture leaves the colour.
        if (auto bytes = files.readBytes(display.picture))
            picture_.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), int(bytes->size()));
        if (!picture_.isNull()) look_ = Look::Picture;
    } else if (display.kind == Kind::Transparent) {
        // Without a compositing manager a window cannot be see-through: the plain default
        // colour is shown instead.
        if (compositorRunning())
            look_ = Look::Transparent;
        else
            colour_ = colourFromNumber(launcher::defaultBackgroundColour);
    }
    setTranslucent(look_ == Look::Transparent);
    update();
}

void Backdrop::setTranslucent(bool on) {
    QWidget* top = window();
    if (top->testAttribute(Qt::WA_TranslucentBackground) == on) return;
    top->setAttribute(Qt::WA_TranslucentBackground, on);
    if (!on) {
        top->setAttribute(Qt::WA_NoSystemBackground, false);
        return;
    }
    // The window's visual is fixed when its native window is made: a window already made
    // opaque is made again, now with an alpha channel.
    if (QWindow* native = top->windowHandle(); native && native->handle()) {
        const bool visible = top->isVisible();
        top->hide();
        native->destroy();
        if (visible) top->show();
    }
}

void Backdrop::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (look_ == Look::Transparent) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(rect(), Qt::transparent);
        return;
    }
    if (look_ == Look::Colour) {
        p.fillRect(rect(), colour_);
        return;
    }
    // Scaled to cover the whole area, keeping its proportions, centred; once per size.
    if (scaled_.size() != size() && !size().isEmpty()) {
        const QImage cover = picture_.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        scaled_ = QPixmap::fromImage(
            cover.copy((cover.width() - width()) / 2, (cover.height() - height()) / 2, width(), height()));
    }
    p.drawPixmap(0, 0, scaled_);
}

}  // namespace kalvora::ui
