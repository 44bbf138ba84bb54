#include "ui/table_window.h"

#include "ui/icons.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kalvora::ui {

QVBoxLayout* tableWindowColumn(QDialog* window, const QString& name, const QMargins& margins, int spacing) {
    window->setObjectName(name);
    window->setWindowIcon(icons::application());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowMinimizeButtonHint);
    auto* column = new QVBoxLayout(window);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(margins);
    column->setSpacing(spacing);
    return column;
}

QGroupBox* tableFrame(const QString& caption, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    new QVBoxLayout(frame);
    return frame;
}

QLabel* addHelp(QGroupBox* frame, const QString& text) {
    auto* help = new QLabel(text, frame);
    help->setObjectName(QStringLiteral("aiuto"));
    help->setWordWrap(true);
    frame->layout()->addWidget(help);
    return help;
}

TableButtons addTableFoot(QDialog* window, QVBoxLayout* column) {
    auto* line = new QFrame(window);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);
    const TableButtons buttons = tableButtons(window);
    column->addLayout(buttons.layout);
    return buttons;
}

TableDialog::TableDialog(tables::TableEditorForm& form, const QString& name, QWidget* parent,
                         const QMargins& margins, int spacing)
    : FormDialog(form, parent), form_(form), column_(tableWindowColumn(this, name, margins, spacing)) {}

TableButtons TableDialog::addFoot() {
    const TableButtons buttons = addTableFoot(this, column_);
    onClick(buttons.confirm, [this] { form_.confirm(); });
    onClick(buttons.exit, [this] { form_.exitWindow(); });
    return buttons;
}

void TabChain::operator()(QWidget* next) {
    if (previous_) QWidget::setTabOrder(previous_, next);
    previous_ = next;
}

}  // namespace kalvora::ui
