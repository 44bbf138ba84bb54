#pragma once
// The password change window zelpasw: the current password text1_0, the new one text1_1,
// Conferma and Annulla. Enter moves from the first field to the second and confirms there.
#include "launcher/password_form.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class PasswordView : public QDialog {
    Q_OBJECT
public:
    explicit PasswordView(launcher::PasswordForm& form, QWidget* parent = nullptr);

    launcher::PasswordForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void afterAction();
    void focusField();
    void leave();

    launcher::PasswordForm& form_;
    std::array<QLineEdit*, 2> fields_{};  // text1_0, text1_1
    QToolButton* confirm_ = nullptr;      // bottone_1
    QToolButton* cancel_ = nullptr;       // bottone_0
};

}  // namespace kalvora::ui
