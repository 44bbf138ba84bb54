#pragma once
// The login window zelchkp. Information mode: the greeting and Continua. Password mode: the
// password field text1 with the focus and Conferma (Enter in the field confirms). The close
// box is the form's: in password mode without a match it ends the program.
#include "launcher/login_form.h"
#include "ui/form_dialog.h"

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace kalvora::ui {

class LoginView : public FormDialog {
    Q_OBJECT
public:
    explicit LoginView(launcher::LoginForm& form, QWidget* parent = nullptr);

    void refresh() override;

public slots:
    // Esc: continues in information mode; in password mode it does nothing, since leaving
    // without a password ends the program and that takes the close box.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The close box: the form decides, with what was typed.
    void leaveForm() override;
    void focusField() override;

private:
    void confirm();
    void proceed();

    launcher::LoginForm& form_;
    QWidget* information_ = nullptr;
    QWidget* passwordArea_ = nullptr;
    QLineEdit* password_ = nullptr;     // text1
    QToolButton* confirm_ = nullptr;    // bottone_1
    QToolButton* continue_ = nullptr;   // continua
};

}  // namespace kalvora::ui
