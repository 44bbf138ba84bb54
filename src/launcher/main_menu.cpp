#include "launcher/main_menu.h"

#include "launcher/main_menu_table.h"
#include "launcher/module_menus.h"

namespace kalvora::launcher {

std::vector<MenuEntry> mainMenuTree() {
    std::vector<MenuEntry> tree;
    bool modulesPlaced = false;
    for (const auto& item : mainMenuItems) {
        MenuEntry entry{std::string(item.name), std::string(item.caption), true, item.ready, {}};
        if (item.parent.empty()) {
            // The module menus stand between "Aziende" and "Utilità".
            if (!modulesPlaced && item.name != "m_azi") {
                for (auto& menu : moduleMenuTree()) tree.push_back(std::move(menu));
                modulesPlaced = true;
            }
            tree.push_back(std::move(entry));
        } else {
            findEntry(tree, std::string(item.parent))->children.push_back(std::move(entry));
        }
    }
    // The direct duplicate and delete are never offered; the cash register link is shown by the
    // menu build together with its module.
    findEntry(tree, "x_azi_5")->visible = false;
    findEntry(tree, "x_azi_6")->visible = false;
    findEntry(tree, "x_cas")->visible = false;
    return tree;
}

}  // namespace kalvora::launcher
