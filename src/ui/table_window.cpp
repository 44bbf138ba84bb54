#include "ui/table_window.h"

#include "ui/icons.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kalvora::ui {

QVBoxLayout* tableWindowColumn(QDialog* window, const QString& name, const QMargins& margins, int spacing) {
    return dialogColumn(window, name, icons::application(), margins, spacing, Qt::Window | Qt::WindowMinimizeButtonHint);
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

TableDialog::TableDialog(tables::TableEditorForm& form, const QString& name, QWidget* parent,
                         const QMargins& margins, int spacing)
    : FormDialog(form, parent), form_(form), column_(tableWindowColumn(this, name, margins, spacing)) {}

TableButtons TableDialog::addFoot() {
    column_->addWidget(sunkenLine(this));
    const TableButtons buttons = addButtons(column_, [this] { form_.confirm(); });
    addPressedLook(buttons.confirm);
    addPressedLook(buttons.cancel);
    return buttons;
}

void TabChain::operator()(QWidget* next) {
    if (previous_) QWidget::setTabOrder(previous_, next);
    previous_ = next;
}

}  // namespace kalvora::ui
