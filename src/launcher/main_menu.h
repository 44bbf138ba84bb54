#pragma once
// The main window's menu bar: "Aziende", the four module menus, "Utilità", "Internet",
// "Assistenza" and "Fine lavoro".
#include "launcher/menu.h"

#include <vector>

namespace kalvora::launcher {

// The whole tree as the window starts: module entries hidden until the menu build, entries whose
// windows this program does not offer yet disabled, the rest enabled.
std::vector<MenuEntry> mainMenuTree();

}  // namespace kalvora::launcher
