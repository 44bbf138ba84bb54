#include "ui/password_view.h"

#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/table_boxes.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {
using Form = launcher::PasswordForm;
}  // namespace

PasswordView::PasswordView(launcher::PasswordForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelpasw"), icons::user());

    auto* frame = new QGroupBox(QString::fromUtf8(Form::frameText), this);
    auto* grid = new QFormLayout(frame);
    grid->setHorizontalSpacing(12);
    const char* const labels[] = {"Password attuale", "Nuova password"};
    for (int i : {Form::currentField, Form::newField}) {
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(QStringLiteral("text1_%1").arg(i));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(220);
        auto* label = new QLabel(QString::fromUtf8(labels[i]), frame);
        label->setBuddy(edit);
        edit->setAccessibleName(label->text());
        grid->addRow(label, edit);
        fields_[i] = edit;

        connect(edit, &QLineEdit::textEdited, this, [this, i, edit](const QString& text) {
            const QString clean = cleanedBoxText(edit, text);
            if (i == Form::currentField)
                form_.setCurrentPassword(fromQt(clean));
            else
                form_.setNewPassword(fromQt(clean));
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, i] {
            form_.enterPressed(i);
            afterMove();
        });
    }
    column->addWidget(frame);

    const DialogButtons buttons = addButtons(column, [this] { form_.confirm(); });

    setTabOrder(fields_[0], fields_[1]);
    setTabOrder(fields_[1], buttons.confirm);
    setTabOrder(buttons.confirm, buttons.cancel);

    refresh();
    focusField();
}

void PasswordView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const QString texts[] = {toQt(form_.currentPassword()), toQt(form_.newPassword())};
    for (int i = 0; i < 2; ++i)
        if (fields_[i]->text() != texts[i]) fields_[i]->setText(texts[i]);
}

void PasswordView::focusField() {
    const int i = form_.focusedField();
    if (i == Form::currentField || i == Form::newField) {
        fields_[i]->setFocus(Qt::OtherFocusReason);
        fields_[i]->selectAll();
    }
}

}  // namespace kalvora::ui
