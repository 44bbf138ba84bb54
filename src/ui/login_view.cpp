#include "ui/login_view.h"

#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/table_boxes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

LoginView::LoginView(launcher::LoginForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column =
        dialogColumn(this, QStringLiteral("zelchkp"), icons::application(), QMargins(18, 16, 18, 12), 12);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    auto* picture = new QLabel(this);
    picture->setPixmap(icons::user().pixmap(48, 48));
    body->addWidget(picture, 0, Qt::AlignTop);

    information_ = new QWidget(this);
    auto* infoRow = new QVBoxLayout(information_);
    infoRow->setContentsMargins(0, 0, 0, 0);
    auto* greeting = new QLabel(QString::fromUtf8(launcher::LoginForm::greeting), information_);
    greeting->setObjectName(QStringLiteral("saluto"));
    QFont big = greeting->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    greeting->setFont(big);
    infoRow->addWidget(greeting);
    body->addWidget(information_, 1, Qt::AlignVCenter);

    passwordArea_ = new QWidget(this);
    auto* passwordRow = new QVBoxLayout(passwordArea_);
    passwordRow->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Password di accesso"), passwordArea_);
    password_ = new QLineEdit(passwordArea_);
    password_->setObjectName(QStringLiteral("text1"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setMinimumWidth(240);
    label->setBuddy(password_);
    password_->setAccessibleName(label->text());
    passwordRow->addWidget(label);
    passwordRow->addWidget(password_);
    body->addWidget(passwordArea_, 1);
    column->addLayout(body);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    confirm_ = dialogButton(this, QStringLiteral("bottone_1"), icons::confirm(), QStringLiteral("Conferma"));
    continue_ = dialogButton(this, QStringLiteral("continua"), icons::proceed(), QStringLiteral("Continua"));
    buttons->addWidget(confirm_);
    buttons->addWidget(continue_);
    column->addLayout(buttons);

    connect(password_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.setPassword(fromQt(cleanedBoxText(password_, text))); });
    connect(password_, &QLineEdit::returnPressed, this, &LoginView::confirm);
    connect(confirm_, &QToolButton::clicked, this, &LoginView::confirm);
    connect(continue_, &QToolButton::clicked, this, &LoginView::proceed);

    refresh();
    focusField();
}

void LoginView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const bool information = form_.informationMode();
    information_->setVisible(information);
    continue_->setVisible(information);
    passwordArea_->setVisible(!information);
    confirm_->setVisible(!information);
    const QString typed = toQt(form_.password());
    if (password_->text() != typed) password_->setText(typed);
}

void LoginView::focusField() {
    if (form_.informationMode()) {
        continue_->setFocus(Qt::OtherFocusReason);
    } else {
        password_->setFocus(Qt::OtherFocusReason);
        password_->selectAll();
    }
}

void LoginView::confirm() {
    form_.setPassword(fromQt(singleLine(password_->text())));
    form_.confirm();
    afterMove();
}

void LoginView::proceed() {
    form_.continuePressed();
    afterMove();
}

void LoginView::reject() {
    if (form_.closed())
        QDialog::reject();
    else if (form_.informationMode())
        proceed();
}

void LoginView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The password field confirms by itself and passes Enter on: it must not count twice.
    if (enter && focusWidget() != password_) {
        if (form_.informationMode())
            proceed();
        else
            confirm();
        return;
    }
    FormDialog::keyPressEvent(event);
}

void LoginView::leaveForm() {
    form_.setPassword(fromQt(singleLine(password_->text())));
    form_.closeBox();
}

}  // namespace kalvora::ui
