#pragma once
// The login window zelchkp: information mode without a users file, else the password alone
// identifies the user (the lowest record wins).
#include "core/form.h"
#include "core/session.h"
#include "launcher/users_file.h"

#include <string>

namespace kalvora::launcher {

class LoginForm : public core::Form {
public:
    explicit LoginForm(core::Session& session);

    std::string name() const override { return "zelchkp"; }
    std::string title() const override;  // "Informazioni" or "Inserimento password di accesso"

    // Reads the users file and chooses the mode.
    void open();
    bool informationMode() const { return informationMode_; }
    static constexpr const char* greeting = "Buon lavoro con Kalvora";

    const std::string& password() const { return password_; }
    void setPassword(std::string text) { password_ = std::move(text); }

    void continuePressed();  // information mode
    void confirm();          // password mode: button or Enter; the field keeps the focus
    void closeBox();         // may end the program in password mode without a match

    // True when the close box ended the program (no match in password mode).
    bool programEnded() const { return programEnded_; }
    // The main window's user picture (user0): shown once a user has been identified.
    bool userPictureVisible() const { return userPictureVisible_; }

    static constexpr const char* wrongPassword = "La password immessa non è corretta";

private:
    // Identifies the user by the typed password; sets the caption and closes on a match.
    bool tryLogin();

    bool informationMode_ = true;
    bool programEnded_ = false;
    bool userPictureVisible_ = false;
    std::string password_;
    UsersTable users_{};
};

}  // namespace kalvora::launcher
