#include "launcher/main_menu.h"

#include "core/module_catalogue.h"
#include "launcher/module_menus.h"

namespace kalvora::launcher {

namespace {

template <typename Match>
const MainMenuItem* findItem(Match match) {
    for (const auto& item : mainMenuItems())
        if (match(item)) return &item;
    return nullptr;
}

// Menus are always enabled; the entries were enabled by their openers.
void enableMenus(std::vector<MenuEntry>& entries) {
    for (auto& entry : entries) {
        if (!entry.children.empty()) {
            entry.enabled = true;
            enableMenus(entry.children);
        }
    }
}

}  // namespace

const MainMenuItem* findMainMenuItem(std::string_view name) {
    return findItem([name](const MainMenuItem& item) { return item.name == name; });
}

const MainMenuItem* findToolbarItem(std::string_view command) {
    if (command.empty()) return nullptr;
    return findItem([command](const MainMenuItem& item) { return item.toolbar == command; });
}

std::vector<MenuEntry> mainMenuTree() {
    std::vector<MenuEntry> tree;
    bool modulesPlaced = false;
    for (const auto& item : mainMenuItems()) {
        if (core::findModuleByEntry(item.name)) continue;  // placed by the catalogue
        MenuEntry entry{std::string(item.name), std::string(item.caption), true, item.open != nullptr, {}};
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
    enableMenus(tree);
    // The direct delete is never offered; the cash register link is shown by the menu build
    // together with its module.
    findEntry(tree, "x_azi_6")->visible = false;
    findEntry(tree, "x_cas")->visible = false;
    return tree;
}

}  // namespace kalvora::launcher
