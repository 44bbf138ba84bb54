#include "launcher/login_form.h"

#include "core/text.h"
#include "launcher/main_form.h"

namespace kalvora::launcher {

LoginForm::LoginForm(core::Session& session) : core::Form(session) {}

std::string LoginForm::title() const {
    return informationMode_ ? "Informazioni" : "Inserimento password di accesso";
}

void LoginForm::open() {
    reopen();
    programEnded_ = false;
    userPictureVisible_ = false;
    password_.clear();
    auto table = readUsers(session().files(), session().installation());
    informationMode_ = !table;
    users_ = table ? *table : UsersTable{};
}

void LoginForm::continuePressed() {
    if (!informationMode_ || closed()) return;
    session().run().userCaption = unidentifiedUser;
    close();
}

bool LoginForm::tryLogin() {
    const auto typed = scramble(password_);
    if (!typed) return false;
    for (int u = 1; u <= userCount; ++u) {
        const std::string& stored = users_[u].password;
        // An empty password (a single character once scrambled) never lets anyone in.
        if (core::length(stored) < 2 || stored != *typed) continue;
        session().run().userCaption = " " + core::right("00" + std::to_string(u), 2) + " " + users_[u].name;
        userPictureVisible_ = true;
        close();
        return true;
    }
    return false;
}

void LoginForm::confirm() {
    if (informationMode_ || closed()) return;
    if (tryLogin()) return;
    if (!core::trim(password_).empty())
        session().platform().message(wrongPassword, "Attenzione", core::Icon::Critical);
}

void LoginForm::closeBox() {
    if (closed()) return;
    if (informationMode_) {
        continuePressed();
        return;
    }
    if (tryLogin()) return;
    programEnded_ = true;
    close();
    session().platform().quit();
}

}  // namespace kalvora::launcher
