#include "launcher/menu.h"

namespace kalvora::launcher {

namespace {
template <typename Vector>
auto* find(Vector& menus, const std::string& name) {
    for (auto& entry : menus) {
        if (entry.name == name) return &entry;
        if (auto* found = find(entry.children, name)) return found;
    }
    return static_cast<decltype(&menus.front())>(nullptr);
}
}  // namespace

MenuEntry* findEntry(std::vector<MenuEntry>& menus, const std::string& name) { return find(menus, name); }

const MenuEntry* findEntry(const std::vector<MenuEntry>& menus, const std::string& name) {
    return find(menus, name);
}

}  // namespace kalvora::launcher
