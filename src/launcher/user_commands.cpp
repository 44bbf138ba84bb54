#include "launcher/user_commands.h"

#include "launcher/password_form.h"
#include "launcher/users_table_form.h"

namespace kalvora::launcher {

void changePassword(core::Session& session) {
    auto& platform = session.platform();
    const int user = session.run().userNumber();
    if (user == 0) {
        platform.message("Per poter modificare la password è necessario farsi attribuire un accesso "
                         "dall'amministratore di sistema.",
                         "Attenzione", core::Icon::Critical);
        return;
    }
    if (user == 1) {
        platform.message("Per poter modificare la password di accesso dell'amministratore di sistema "
                         "utilizzare la tabella degli utenti.",
                         "Attenzione", core::Icon::Critical);
        return;
    }
    PasswordForm form(session);
    form.open();
    if (!form.closed()) platform.showModal(form);
}

void openUsersTable(core::Session& session) {
    auto& platform = session.platform();
    const int user = session.run().userNumber();
    // User 0 runs without a users file, so nobody else could set one up.
    if (user != 0 && user != 1) {
        platform.message("Solo l'amministratore di sistema può impostare la tabella degli utenti", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    UsersTableForm form(session);
    form.open();
    platform.showModal(form);
}

}  // namespace kalvora::launcher
