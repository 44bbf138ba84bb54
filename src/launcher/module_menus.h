#pragma once
// The module menus of the main window, built from the catalogue for the logged-in user, and
// the modules file kalvora.prg.
#include "core/session.h"
#include "launcher/menu.h"

#include <string>
#include <vector>

namespace kalvora::launcher {

// The four group menus with their submenus and catalogue entries, all hidden until a build.
std::vector<MenuEntry> moduleMenuTree();

// The user's 500-character privilege string: blanks for user 0, for the administrator and when
// the users file cannot be read.
std::string privilegeString(const core::Session& session);

// Shows every catalogue entry (and its menus), greys those the user's privilege string denies,
// and rewrites kalvora.prg with the codes offered. Never hides anything again.
void buildModuleMenus(core::Session& session, std::vector<MenuEntry>& menus);

}  // namespace kalvora::launcher
