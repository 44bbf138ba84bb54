#include "ui/table_grid.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWheelEvent>

namespace kalvora::ui {

namespace {

constexpr int iconSide = 32;

// The same picture moved down and right and a little darker, as a button held down.
QIcon pressedLook(const QIcon& icon) {
    QPixmap pixmap(iconSide, iconSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.drawPixmap(2, 2, icon.pixmap(iconSide - 2, iconSide - 2));
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(pixmap.rect(), QColor(0, 0, 0, 50));
    p.end();
    return QIcon(pixmap);
}

}  // namespace

void addPressedLook(QToolButton* b) {
    const QIcon icon = b->icon();
    const QIcon pressed = pressedLook(icon);
    QObject::connect(b, &QToolButton::pressed, b, [b, pressed] { b->setIcon(pressed); });
    QObject::connect(b, &QToolButton::released, b, [b, icon] { b->setIcon(icon); });
}

TableGrid::TableGrid(int rows, int columns, const QString& selectorName, QWidget* parent)
    : QWidget(parent), rows_(rows), columns_(columns) {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(3);

    selector_ = new QScrollBar(Qt::Vertical, this);
    selector_->setObjectName(selectorName);
    selector_->setMinimum(1);
    selector_->setSingleStep(1);
    selector_->setPageStep(rows);
    selector_->setAccessibleName(QStringLiteral("Scorrimento righe"));
    grid_->addWidget(selector_, 1, columns, rows, 1);
    connect(selector_, &QScrollBar::valueChanged, this, &TableGrid::firstChanged);
}

QLabel* TableGrid::addHeader(int column, const QString& text, int span) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setWordWrap(true);
    grid_->addWidget(label, 0, column, 1, span);
    return label;
}

void TableGrid::addCell(int row, int column, QWidget* widget, int span, Qt::Alignment alignment) {
    widget->setParent(this);
    grid_->addWidget(widget, row + 1, column, 1, span, alignment);
}

void TableGrid::showPage(int first, int lastFirst) {
    const QSignalBlocker block(selector_);
    selector_->setRange(1, std::max(1, lastFirst));
    selector_->setValue(first);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->ignore();
        return;
    }
    // The scroll bar clamps and signals the change like a click on it.
    selector_->setValue(selector_->value() - steps);
    event->accept();
}

QToolButton* tableButton(QWidget* parent, int index, const QIcon& icon, const QString& name) {
    QToolButton* b = dialogButton(parent, QStringLiteral("bottone_%1").arg(index), icon, name);
    addPressedLook(b);
    return b;
}

}  // namespace kalvora::ui
