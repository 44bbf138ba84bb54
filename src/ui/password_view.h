#pragma once
// The password change window zelpasw: the current password text1_0, the new one text1_1,
// Conferma and Annulla. Enter moves from the first field to the second and confirms there.
#include "launcher/password_form.h"
#include "ui/form_dialog.h"

#include <array>

class QLineEdit;

namespace kalvora::ui {

class PasswordView : public FormDialog {
    Q_OBJECT
public:
    explicit PasswordView(launcher::PasswordForm& form, QWidget* parent = nullptr);

    void refresh() override;

protected:
    // Annulla, Esc and the close box.
    void leaveForm() override { form_.cancel(); }
    void focusField() override;

private:
    launcher::PasswordForm& form_;
    std::array<QLineEdit*, 2> fields_{};  // text1_0, text1_1
};

}  // namespace kalvora::ui
