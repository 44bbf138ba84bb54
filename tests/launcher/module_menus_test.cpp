#include "core/module_catalogue.h"
#include "core/text.h"
#include "launcher/module_menus.h"
#include "launcher/users_file.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvora::launcher {
namespace {

using testing::TestSession;

// A users file whose user 5 carries `privileges`, denying the positions given.
void writeUserFive(TestSession& t, const std::vector<int>& denied, std::size_t length = 500) {
    std::string privileges(length, '0');
    for (int pos : denied) privileges[static_cast<std::size_t>(pos - 1)] = '1';
    UsersTable table{};
    table[1] = {"Amministratore", "Cabc", "9", "", std::string(500, '1')};
    table[5] = {"Utente", "Cxyz", "", "", privileges};
    t.drive.makeInstallation();
    ASSERT_EQ(writeUsers(t.files, t.session.installation(), table), 0);
}

// The menus built for the user of `caption`, on top of `menus` when given.
std::vector<MenuEntry> buildFor(TestSession& t, const char* caption, std::vector<MenuEntry> menus = moduleMenuTree()) {
    t.session.run().userCaption = caption;
    buildModuleMenus(t.session, menus);
    return menus;
}

bool enabled(const std::vector<MenuEntry>& menus, const char* name) { return findEntry(menus, name)->enabled; }
// Which entries a user may choose: each denied position greys its own entry only; the
// administrator, user 0 and a privilege string too short to reach a position deny nothing.
TEST(ModuleMenus, PrivilegePositionsDenyTheirEntriesOnly) {
    struct Case {
        std::vector<int> denied;
        std::size_t length;
        const char* caption;
        std::vector<std::pair<const char*, bool>> entries;
    };
    const std::vector<Case> cases{
        {{101, 170, 146}, 500, " 05 Utente",
         {{"x_kalcli", false}, {"x_kalgio", false}, {"x_gio", true}, {"x_kalbol1", false}, {"x_kalbol2", true},
          {"x_kalage", true}}},
        {{101}, 120, " 05 Utente", {{"x_kalcli", false}, {"x_kalgio", true}}},
        {{101}, 500, " 01 Amministratore", {{"x_kalcli", true}}},
        {{101}, 500, " 00 Utente non identificato", {{"x_kalcli", true}}},
    };
    for (const Case& c : cases) {
        TestSession t;
        writeUserFive(t, c.denied, c.length);
        const auto menus = buildFor(t, c.caption);
        for (const auto& [name, expected] : c.entries) EXPECT_EQ(enabled(menus, name), expected) << c.caption << name;
        for (const auto& module : core::moduleCatalogue)
            EXPECT_TRUE(findEntry(menus, std::string(module.entry))->visible) << module.entry;
        // The closing and opening open this program's windows, so they need no module program.
        EXPECT_TRUE(enabled(menus, "x_kalchi") && enabled(menus, "x_kalape"));
    }
}

TEST(ModuleMenus, DeniedEntriesAreGreyedNeverHiddenByALaterBuild) {
    TestSession t;
    writeUserFive(t, {101});
    auto menus = buildFor(t, " 05 Utente", buildFor(t, " 00 Utente non identificato"));
    EXPECT_TRUE(findEntry(menus, "x_kalcli")->visible);
    EXPECT_FALSE(enabled(menus, "x_kalcli"));
    EXPECT_TRUE(enabled(buildFor(t, " 01 Amministratore", menus), "x_kalcli"));
}

TEST(ModuleMenus, ModulesFileListsEveryCodeInCatalogueOrderForEveryUser) {
    TestSession t;
    writeUserFive(t, {101, 102, 103});
    for (const char* caption : {" 05 Utente", " 01 Amministratore", " 00 Utente non identificato"}) {
        buildFor(t, caption);
        const std::string written = t.drive.read("kalwin/kalwin/kalvora.prg");
        EXPECT_TRUE(core::startsWith(written, "=CLI\r\n=AGE\r\n=EMF\r\n")) << caption;
        EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 88) << caption;
    }
}

}  // namespace
}  // namespace kalvora::launcher
