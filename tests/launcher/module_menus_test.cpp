#include "core/module_catalogue.h"
#include "core/text.h"
#include "launcher/module_menus.h"
#include "launcher/users_file.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::TestSession;

// A users file whose record `user` carries `privileges`.
void writeUsersWith(TestSession& t, int user, const std::string& privileges) {
    UsersTable table{};
    table[1] = {"Amministratore", "Cabc", "9", "", std::string(500, '1')};
    table[user] = {"Utente", "Cxyz", "", "", privileges};
    t.drive.makeInstallation();
    ASSERT_EQ(writeUsers(t.files, t.session.installation(), table), 0);
}

std::string privilegesDenying(std::initializer_list<int> positions, std::size_t length = 500) {
    std::string p(length, '0');
    for (int pos : positions) p[static_cast<std::size_t>(pos - 1)] = '1';
    return p;
}

const MenuEntry& entry(const std::vector<MenuEntry>& menus, const std::string& name) {
    const MenuEntry* e = findEntry(menus, name);
    if (!e) throw std::logic_error("no menu entry " + name);
    return *e;
}

TEST(ModuleMenus, TreeHoldsTheWholeCatalogueHidden) {
    const auto tree = moduleMenuTree();
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[3].caption, "Contabilità");
    int entries = 0;
    for (const auto& module : core::moduleCatalogue) {
        const MenuEntry& e = entry(tree, std::string(module.entry));
        EXPECT_EQ(e.caption, module.caption);
        EXPECT_FALSE(e.visible);
        ++entries;
    }
    EXPECT_EQ(entries, 91);
    EXPECT_EQ(entry(tree, "x_sca").children.size(), 2u);
    EXPECT_EQ(entry(tree, "x_gio").children.front().name, "x_kalgio");
}

TEST(ModuleMenus, PrivilegePositionsDenyTheirEntriesOnly) {
    TestSession t;
    writeUsersWith(t, 5, privilegesDenying({101, 170, 146}));
    t.session.run().userCaption = " 05 Utente";
    auto menus = moduleMenuTree();
    buildModuleMenus(t.session, menus);

    EXPECT_FALSE(entry(menus, "x_kalcli").enabled);
    EXPECT_TRUE(entry(menus, "x_kalcli").visible);
    EXPECT_FALSE(entry(menus, "x_kalgio").enabled);
    EXPECT_TRUE(entry(menus, "x_gio").visible);
    EXPECT_TRUE(entry(menus, "x_gio").enabled);
    EXPECT_FALSE(entry(menus, "x_kalbol1").enabled);
    EXPECT_TRUE(entry(menus, "x_kalbol2").enabled);  // its own position 184
    EXPECT_TRUE(entry(menus, "x_kalage").enabled);
    for (const auto& module : core::moduleCatalogue)
        EXPECT_TRUE(entry(menus, std::string(module.entry)).visible) << module.entry;
    // The closing and opening entries are shown; their windows are not offered yet.
    EXPECT_TRUE(entry(menus, "x_kalchi").visible);
    EXPECT_FALSE(entry(menus, "x_kalchi").enabled);
}

TEST(ModuleMenus, AdministratorAndUnidentifiedUserAreNeverDenied) {
    TestSession t;
    writeUsersWith(t, 5, std::string(500, '1'));
    for (const char* caption : {" 01 Amministratore", " 00 Utente non identificato"}) {
        t.session.run().userCaption = caption;
        auto menus = moduleMenuTree();
        buildModuleMenus(t.session, menus);
        for (const auto& module : core::moduleCatalogue)
            if (!module.program.empty()) {
                EXPECT_TRUE(entry(menus, std::string(module.entry)).enabled) << caption;
            }
    }
}

TEST(ModuleMenus, ShortPrivilegesAndMissingFileAllow) {
    TestSession t;
    writeUsersWith(t, 4, privilegesDenying({101}, 120));  // shorter than position 170
    t.session.run().userCaption = " 04 Breve";
    auto menus = moduleMenuTree();
    buildModuleMenus(t.session, menus);
    EXPECT_FALSE(entry(menus, "x_kalcli").enabled);
    EXPECT_TRUE(entry(menus, "x_kalgio").enabled);

    TestSession none;
    none.session.run().userCaption = " 04 Breve";
    EXPECT_EQ(privilegeString(none.session), std::string(500, ' '));
}

TEST(ModuleMenus, DeniedEntriesAreGreyedNeverHiddenByALaterBuild) {
    TestSession t;
    writeUsersWith(t, 6, privilegesDenying({101}));
    auto menus = moduleMenuTree();
    t.session.run().userCaption = " 00 Utente non identificato";
    buildModuleMenus(t.session, menus);
    t.session.run().userCaption = " 06 Utente";
    buildModuleMenus(t.session, menus);
    EXPECT_TRUE(entry(menus, "x_kalcli").visible);
    EXPECT_FALSE(entry(menus, "x_kalcli").enabled);
    t.session.run().userCaption = " 01 Amministratore";
    buildModuleMenus(t.session, menus);
    EXPECT_TRUE(entry(menus, "x_kalcli").enabled);
}

TEST(ModuleMenus, ModulesFileListsEveryCodeInCatalogueOrderForEveryUser) {
    TestSession t;
    writeUsersWith(t, 5, std::string(500, '1'));
    std::string expected;
    int lines = 0;
    for (const auto& module : core::moduleCatalogue) {
        if (module.code.empty()) continue;
        expected += std::string(module.code) + "\r\n";
        ++lines;
    }
    EXPECT_EQ(lines, 88);
    EXPECT_TRUE(core::startsWith(expected, "=CLI\r\n=AGE\r\n=EMF\r\n"));
    for (const char* caption : {" 05 Utente", " 01 Amministratore", " 00 Utente non identificato"}) {
        t.session.run().userCaption = caption;
        auto menus = moduleMenuTree();
        buildModuleMenus(t.session, menus);
        EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.prg"), expected) << caption;
    }
}

}  // namespace
}  // namespace kalvora::launcher
