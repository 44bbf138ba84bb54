#include "launcher/password_form.h"

#include "core/text.h"

namespace kalvora::launcher {

namespace {

constexpr const char* unreadable =
    "Non è stato possibile leggere la tabella degli utenti: contattate l'amministratore di sistema";
constexpr const char* noAccess =
    "Per poter modificare la password è necessario farsi attribuire un accesso dall'amministratore di sistema.";

}  // namespace

PasswordForm::PasswordForm(core::Session& session) : core::Form(session) {}

void PasswordForm::open() {
    auto& s = session();
    reopen();
    current_.clear();
    new_.clear();
    focus_ = currentField;
    auto table = readUsers(s.files(), s.installation());
    if (!table) {
        s.platform().message(unreadable, "Attenzione", core::Icon::Critical);
        close();
        return;
    }
    users_ = *table;
    user_ = core::integerValue(core::mid(s.run().userCaption, 2, 2));
    // Without a record of its own the user has nothing to change.
    if (user_ < 1 || user_ > userCount) {
        s.platform().message(noAccess, "Attenzione", core::Icon::Critical);
        close();
    }
}

void PasswordForm::enterPressed(int field) {
    if (field == currentField)
        focus_ = newField;
    else if (field == newField)
        confirm();
}

void PasswordForm::confirm() {
    if (closed()) return;
    auto& s = session();
    auto& platform = s.platform();
    const auto typed = scramble(current_);
    if (!typed || *typed != users_[user_].password) {
        platform.message("La password immessa non corrisponde con quella impostata precedentemente", "Attenzione",
                         core::Icon::Critical);
        focus_ = currentField;
        return;
    }
    const auto stored = scramble(new_);
    if (!stored) {
        platform.message(passwordNotStorable, "Attenzione", core::Icon::Critical);
        focus_ = newField;
        return;
    }
    UsersTable changed = users_;
    changed[user_].password = *stored;
    if (const int error = writeUsers(s.files(), s.installation(), changed); error != 0) {
        platform.message("Non è stato possibile salvare la tabella degli utenti: errore " + std::to_string(error),
                         "Attenzione", core::Icon::Critical);
        return;
    }
    users_ = changed;
    close();
}

void PasswordForm::cancel() { close(); }

}  // namespace kalvora::launcher
