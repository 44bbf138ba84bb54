#include "ui/form_dialog.h"

#include <QAbstractButton>
#include <QCloseEvent>

namespace kalvora::ui {

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
