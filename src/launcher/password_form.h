#pragma once
// The password change window zelpasw: the current user sets a new password after typing the
// current one.
#include "core/form.h"
#include "core/session.h"
#include "launcher/users_file.h"

#include <string>

namespace kalvora::launcher {

class PasswordForm : public core::Form {
public:
    static constexpr const char* frameText = "Personalizza la password di accesso";
    static constexpr int currentField = 0;  // text1 0
    static constexpr int newField = 1;      // text1 1

    explicit PasswordForm(core::Session& session);

    std::string name() const override { return "zelpasw"; }
    std::string title() const override { return "Imposta password"; }

    // Reads the users file; when it cannot be read (or the user has no record) the message
    // is shown and the form closes.
    void open();

    const std::string& currentPassword() const { return current_; }
    const std::string& newPassword() const { return new_; }
    void setCurrentPassword(std::string text) { current_ = std::move(text); }
    void setNewPassword(std::string text) { new_ = std::move(text); }
    int focusedField() const { return focus_; }
    // Enter in the current password moves on to the new one; in the new one it confirms.
    void enterPressed(int field);

    void confirm();  // checks the current password, stores the new one and closes
    void cancel();

private:
    UsersTable users_{};
    int user_ = 0;
    std::string current_;
    std::string new_;
    int focus_ = currentField;
};

}  // namespace kalvora::launcher
