#pragma once
// The main window's menu model: a tree of entries with name, caption, visibility and state.
#include <string>
#include <vector>

namespace kalvora::launcher {

struct MenuEntry {
    std::string name;     // o_fin, m_ven, x_kalcli ...
    std::string caption;  // "Fine lavoro"
    bool visible = true;
    bool enabled = true;
    std::vector<MenuEntry> children;
};

// Depth-first search by name; nullptr when absent.
MenuEntry* findEntry(std::vector<MenuEntry>& menus, const std::string& name);
const MenuEntry* findEntry(const std::vector<MenuEntry>& menus, const std::string& name);

}  // namespace kalvora::launcher
