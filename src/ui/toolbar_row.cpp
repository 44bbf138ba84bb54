#include "ui/toolbar_row.h"

#include "core/files.h"
#include "core/text.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>

namespace kalvora::ui {

namespace {

// What tells two toolbars apart on screen.
std::string contentOf(const launcher::Toolbar& toolbar) {
    std::string content;
    for (int n = 1; n <= launcher::Toolbar::buttonCount; ++n) {
        const launcher::ToolbarButton& b = toolbar.button(n);
        content += b.picture + '\x1f' + b.tooltip + '\x1f' + b.command + '\x1e';
    }
    return content;
}

}  // namespace

ToolbarRow::ToolbarRow(const core::Files& files, QWidget* labelParent, QWidget* parent)
    : QWidget(parent), files_(files) {
    setObjectName(QStringLiteral("bottoni1"));
    setAccessibleName(QStringLiteral("Barra dei comandi"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // Its gradient covers it whole: nothing need be painted beneath.
    setAttribute(Qt::WA_OpaquePaintEvent);

    label_ = new QLabel(labelParent);
    label_->setObjectName(QStringLiteral("label"));
    label_->setTextFormat(Qt::PlainText);
    label_->setFrameShape(QFrame::Box);
    label_->setAutoFillBackground(true);
    QPalette tip = label_->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    label_->setPalette(tip);
    // The label lies over whatever is below the row; the mouse goes through it.
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();

    content_ = contentOf(toolbar_);
    rebuild();
}

QSize ToolbarRow::sizeHint() const {
    int count = 0;
    for (QToolButton* b : buttons_)
        if (b) ++count;
    return {2 * margin + std::max(0, count * step - gap), buttonSide + 2 * margin};
}

QSize ToolbarRow::minimumSizeHint() const { return {0, buttonSide + 2 * margin}; }

void ToolbarRow::setToolbar(const launcher::Toolbar& toolbar) {
    std::string content = contentOf(toolbar);
    if (content == content_) return;
    toolbar_ = toolbar;
    content_ = std::move(content);
    rebuild();
}

void ToolbarRow::rebuild() {
    label_->hide();
    labelFor_ = 0;
    for (QToolButton*& b : buttons_) {
        if (!b) continue;
        // Later: the old button may be the one whose click brought the new toolbar.
        b->hide();
        b->deleteLater();
        b = nullptr;
    }
    for (int n = 1; n <= launcher::Toolbar::buttonCount; ++n) {
        if (toolbar_.command(n).empty()) continue;
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("bottoni1_%1").arg(n));
        b->setIcon(pictureOf(n));
        b->setIconSize(QSize(iconSide, iconSide));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        // A button without a picture keeps its frame, or nothing would show it is there.
        b->setAutoRaise(!b->icon().isNull());
        b->setFixedSize(buttonSide, buttonSide);
        b->setFocusPolicy(Qt::NoFocus);
        const QString name = nameOf(n);
        b->setAccessibleName(name);
        b->setToolTip(name);
        b->installEventFilter(this);
        b->hide();
        connect(b, &QToolButton::clicked, this, [this, n] {
            label_->hide();
            labelFor_ = 0;
            emit buttonClicked(n);
        });
        buttons_[n - 1] = b;
    }
    updateGeometry();
    layOut();
}

void ToolbarRow::layOut() {
    const int room = launcher::toolbarSlots(width() - 2 * margin + gap, step);
    shown_ = toolbar_.layout(room);
    for (QToolButton* b : buttons_)
        if (b) b->hide();
    const int top = std::max(0, (height() - buttonSide) / 2);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        QToolButton* b = buttons_[shown_[i] - 1];
        b->setGeometry(margin + static_cast<int>(i) * step, top, buttonSide, buttonSide);
        b->show();
    }
    if (labelFor_ != 0 && std::find(shown_.begin(), shown_.end(), labelFor_) == shown_.end()) {
        label_->hide();
        labelFor_ = 0;
    }
}

void ToolbarRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void ToolbarRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xf6, 0xf8, 0xfb));
    g.setColorAt(1, QColor(0xe9, 0xee, 0xf4));
    p.fillRect(rect(), g);
    p.setPen(QColor(0xc4, 0xce, 0xda));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

bool ToolbarRow::eventFilter(QObject* watched, QEvent* event) {
    auto* b = qobject_cast<QToolButton*>(watched);
    const auto it = std::find(buttons_.begin(), buttons_.end(), b);
    if (!b || it == buttons_.end()) return QWidget::eventFilter(watched, event);
    const int number = static_cast<int>(it - buttons_.begin()) + 1;
    switch (event->type()) {
        case QEvent::Enter: showLabel(number); break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (labelFor_ == number) {
                label_->hide();
                labelFor_ = 0;
            }
            break;
        // The label already shows the tooltip; a second one in a popup would cover it.
        case QEvent::ToolTip: return true;
        default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void ToolbarRow::showLabel(int number) {
    QToolButton* b = buttons_[number - 1];
    const std::string text = toolbar_.tooltipLabel(number);
    if (!b || core::trim(text).empty()) {
        label_->hide();
        labelFor_ = 0;
        return;
    }
    label_->setText(toQt(text));
    label_->adjustSize();
    QWidget* area = label_->parentWidget();
    QPoint at = b->mapTo(area, QPoint(0, b->height() + 2));
    // Kept inside the window near its right edge.
    at.setX(std::max(0, std::min(at.x(), area->width() - label_->width())));
    label_->move(at);
    label_->raise();
    label_->show();
    labelFor_ = number;
}

QIcon ToolbarRow::pictureOf(int number) const {
    switch (toolbar_.pictureKind(number)) {
        case launcher::PictureKind::BuiltIn: return icons::toolbarPicture(toolbar_.builtInPicture(number));
        case launcher::PictureKind::None: return {};
        case launcher::PictureKind::File: break;
    }
    const auto bytes = files_.readBytes(toolbar_.picturePath(number), pictureLimit + 1);
    if (!bytes || bytes->empty() || bytes->size() > pictureLimit) return {};
    QPixmap picture;
    if (!picture.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<uint>(bytes->size())))
        return {};
    // Big pictures are kept at the size a button can show.
    if (picture.width() > 2 * iconSide || picture.height() > 2 * iconSide)
        picture = picture.scaled(2 * iconSide, 2 * iconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return QIcon(picture);
}

QString ToolbarRow::nameOf(int number) const {
    const std::string tooltip = core::trim(toolbar_.button(number).tooltip);
    if (!tooltip.empty()) return toQt(tooltip);
    // Without a tooltip the button still needs a name a screen reader can say.
    const std::string command = toolbar_.command(number);
    for (const launcher::DefaultButton& d : launcher::defaultToolbar)
        if (d.command == command) return toQt(std::string(d.tooltip));
    if (const core::ModuleEntry* module = launcher::toolbarModuleEntry(command))
        return toQt(std::string(module->caption));
    return toQt(command);
}

}  // namespace kalvora::ui
