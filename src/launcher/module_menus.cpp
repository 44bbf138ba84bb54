#include "launcher/module_menus.h"

#include "core/module_catalogue.h"
#include "core/text.h"
#include "launcher/main_menu.h"
#include "launcher/users_file.h"

namespace kalvora::launcher {

namespace {

// A module program to start, or a window of this program that the menu table opens (the
// accounting closing and opening): entries without either are shown but stay disabled.
bool canRun(const core::ModuleEntry& module) {
    if (!module.program.empty()) return true;
    const MainMenuItem* item = findMainMenuItem(module.entry);
    return item && item->open;
}

bool denied(const std::string& privileges, int position) {
    return core::mid(privileges, static_cast<std::size_t>(position), 1) == "1";
}

}  // namespace

std::vector<MenuEntry> moduleMenuTree() {
    std::vector<MenuEntry> tree;
    for (const auto& menu : core::moduleMenus) {
        MenuEntry m{std::string(menu.name), std::string(menu.caption), false, true, {}};
        if (menu.parent.empty())
            tree.push_back(std::move(m));
        else
            findEntry(tree, std::string(menu.parent))->children.push_back(std::move(m));
    }
    for (const auto& module : core::moduleCatalogue) {
        const std::string parent(module.submenu.empty() ? module.group : module.submenu);
        findEntry(tree, parent)->children.push_back(
            MenuEntry{std::string(module.entry), std::string(module.caption), false, true, {}});
    }
    return tree;
}

std::string privilegeString(const core::Session& session) {
    const int user = session.run().userNumber();
    std::string privileges;
    if (user > 1 && user <= userCount) {
        if (auto users = readUsers(session.files(), session.installation())) privileges = (*users)[user].privileges;
    }
    return core::padRight(privileges, privilegeLength);
}

void buildModuleMenus(core::Session& session, std::vector<MenuEntry>& menus) {
    const std::string privileges = privilegeString(session);
    auto show = [&](std::string_view name, int position, bool available) {
        MenuEntry* entry = findEntry(menus, std::string(name));
        if (!entry) return;
        entry->visible = true;
        entry->enabled = available && !denied(privileges, position);
    };
    auto showMenu = [&](std::string_view name) {
        if (MenuEntry* menu = findEntry(menus, std::string(name))) menu->visible = true;
    };
    std::vector<std::string> offered;
    for (const auto& module : core::moduleCatalogue) {
        if (module.code.empty()) continue;
        showMenu(module.group);
        if (!module.submenu.empty()) showMenu(module.submenu);
        show(module.entry, module.position, canRun(module));
        if (module.code == "=GIO") {
            for (const char* closing : {"x_kalchi", "x_kalchb", "x_kalape"}) {
                const auto* entry = core::findModuleByEntry(closing);
                show(closing, entry->position, canRun(*entry));
            }
        }
        if (module.code == "=RCA") showMenu("x_cas");
        offered.emplace_back(module.code);
    }
    // Rewritten at every build, but the list is the same for every user: when the file already
    // holds it, the synced rewrite is skipped. The menus work all the same when it cannot be written.
    const std::string path = session.installation().file("kalvora.prg");
    const std::string content = core::encodeLines(offered);
    if (session.files().readBytes(path, content.size() + 1) != content) session.files().replaceFile(path, content);
}

}  // namespace kalvora::launcher
