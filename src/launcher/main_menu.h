#pragma once
// The main window's menu bar outside the module catalogue: "Aziende", "Utilità", "Internet",
// "Assistenza" and "Fine lavoro", one row per entry naming what choosing it does.
#include "launcher/menu.h"

#include <span>
#include <string_view>
#include <vector>

namespace kalvora::launcher {

class MainForm;

// What choosing an entry does. An entry without one is shown but not offered yet.
using Opener = void (*)(MainForm& main);

struct MainMenuItem {
    std::string_view name;
    std::string_view caption;
    std::string_view parent;   // empty: a menu of the menu bar
    Opener open;
    std::string_view toolbar;  // the toolbar's built-in command that stands for the entry, if any
};

// The rows in menu order. Rows of catalogue entries that open a window of this program carry
// only their name and opener: the catalogue places and names them.
std::span<const MainMenuItem> mainMenuItems();

// The row of an entry, nullptr when the table has none (the catalogue's modules).
const MainMenuItem* findMainMenuItem(std::string_view name);
// The row whose entry the toolbar command stands for, nullptr when none does.
const MainMenuItem* findToolbarItem(std::string_view command);

// The whole tree as the window starts: module entries hidden until the menu build, entries
// without an opener disabled, the rest enabled.
std::vector<MenuEntry> mainMenuTree();

}  // namespace kalvora::launcher
