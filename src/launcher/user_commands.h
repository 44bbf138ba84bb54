#pragma once
// The main window's user menu entries: "Password di accesso" (s_pwd) and "Tabella utenti"
// (x_usr). Each checks the current user and opens its window modally.
#include "core/session.h"

namespace kalvora::launcher {

void changePassword(core::Session& session);
void openUsersTable(core::Session& session);

}  // namespace kalvora::launcher
