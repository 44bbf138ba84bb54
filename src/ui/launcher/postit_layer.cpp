#include "ui/launcher/postit_layer.h"

#include "ui/qt_text.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvora::ui {

// One note: the yellow paper (postit_k) with its text (xpostit_k). The text takes no mouse
// events, so pressing anywhere on the note grabs the paper.
class PostitNoteWidget : public QWidget {
public:
    static constexpr QSize noteSize{170, 110};

    PostitNoteWidget(PostitLayer& layer, int slot, QWidget* host) : QWidget(host), layer_(layer), slot_(slot) {
        setObjectName(QStringLiteral("postit_%1").arg(slot - 1));
        setFixedSize(noteSize);
        setCursor(Qt::OpenHandCursor);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(10, 12, 10, 8);
        text_ = new QLabel(this);
        text_->setObjectName(QStringLiteral("xpostit_%1").arg(slot - 1));
        text_->setWordWrap(true);
        text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text_->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette ink = text_->palette();
        ink.setColor(QPalette::WindowText, QColor(0x30, 0x2a, 0x10));
        text_->setPalette(ink);
        column->addWidget(text_, 1);
        hide();
    }

    void setText(const QString& text) {
        if (text_->text() == text) return;
        text_->setText(text);
        setToolTip(text);
        setAccessibleName(QStringLiteral("Post-it %1: %2").arg(slot_).arg(text));
    }
    bool dragging() const { return dragging_; }
    // Keeps the whole note inside the working area, so it can always be reached.
    QPoint clamped(QPoint at) const {
        const QSize room = parentWidget()->size() - size();
        return {std::clamp(at.x(), 0, std::max(0, room.width())), std::clamp(at.y(), 0, std::max(0, room.height()))};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF paper = QRectF(rect()).adjusted(0, 0, -3, -3);
        p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 50));
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(0xff, 0xf3, 0x80));
        g.setColorAt(1, QColor(0xfc, 0xe6, 0x4f));
        p.fillRect(paper, g);
        p.fillRect(QRectF(paper.left(), paper.top(), paper.width(), 6), QColor(0xf2, 0xd3, 0x2c));
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        dragging_ = true;
        grab_ = event->globalPosition().toPoint() - mapToGlobal(QPoint(0, 0));
        start_ = pos();
        raise();
        setCursor(Qt::ClosedHandCursor);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_) return;
        move(clamped(parentWidget()->mapFromGlobal(event->globalPosition().toPoint() - grab_)));
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!dragging_ || event->button() != Qt::LeftButton) return;
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
        if (pos() != start_) layer_.dropped(slot_, pos());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        // The editor takes the release that follows.
        dragging_ = false;
        layer_.doubleClicked(slot_);
    }

private:
    PostitLayer& layer_;
    int slot_;
    QLabel* text_ = nullptr;
    bool dragging_ = false;
    QPoint grab_;
    QPoint start_;
};

PostitLayer::PostitLayer(launcher::PostitNotes& notes, QWidget* host) : QObject(host), notes_(notes), host_(host) {
    for (int slot = 1; slot <= launcher::postitSlots; ++slot)
        widgets_[slot - 1] = new PostitNoteWidget(*this, slot, host);
    // A resized area takes back the notes it no longer holds whole.
    host->installEventFilter(this);
}

bool PostitLayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_ && event->type() == QEvent::Resize) refresh();
    return QObject::eventFilter(watched, event);
}

void PostitLayer::refresh() {
    for (int slot = 1; slot <= launcher::postitSlots; ++slot) {
        PostitNoteWidget* widget = widgets_[slot - 1];
        if (!notes_.visible(slot)) {
            widget->hide();
            continue;
        }
        const launcher::PostitNote& note = notes_.note(slot);
        widget->setText(toQt(note.text));
        if (!widget->dragging())
            widget->move(widget->clamped(QPoint(note.left / twipsPerPixel, note.top / twipsPerPixel)));
        if (!widget->isVisible()) {
            widget->show();
            widget->raise();
        }
    }
}

void PostitLayer::dropped(int slot, QPoint topLeft) {
    notes_.moveNote(slot, topLeft.x() * twipsPerPixel, topLeft.y() * twipsPerPixel);
    done();
}

void PostitLayer::doubleClicked(int slot) {
    notes_.editNote(slot);
    done();
}

void PostitLayer::done() {
    refresh();
    if (acted) acted();
}

}  // namespace kalvora::ui
