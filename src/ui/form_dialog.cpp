#include "ui/form_dialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

QVBoxLayout* dialogColumn(QDialog* dialog, const QString& name, const QIcon& icon, const QMargins& margins,
                          int spacing, Qt::WindowFlags kind) {
    dialog->setObjectName(name);
    dialog->setWindowIcon(icon);
    dialog->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* column = new QVBoxLayout(dialog);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(margins);
    column->setSpacing(spacing);
    return column;
}

FormDialog::FormDialog(core::Form& form, QWidget* parent) : QDialog(parent), form_(form) {}

void FormDialog::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void FormDialog::afterMove() {
    afterAction();
    if (!form_.closed()) focusField();
}

void FormDialog::onClick(QAbstractButton* button, std::function<void()> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        action();
        afterMove();
    });
}

void FormDialog::leave() {
    leaveForm();
    afterMove();
}

DialogButtons FormDialog::addButtons(QBoxLayout* column, std::function<void()> confirm) {
    const DialogButtons buttons = dialogButtons(this);
    column->addLayout(buttons.layout);
    onClick(buttons.confirm, std::move(confirm));
    connect(buttons.cancel, &QAbstractButton::clicked, this, &FormDialog::leave);
    return buttons;
}

void FormDialog::reject() {
    if (form_.closed())
        QDialog::reject();
    else
        leave();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (!form_.closed()) leave();
    event->setAccepted(form_.closed());
}

}  // namespace kalvora::ui
