#include "launcher/user_commands.h"
#include "launcher/users_table_form.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::loginWith;
using testing::scrambledBytes;

constexpr int name = UsersTableForm::nameColumn;
constexpr int password = UsersTableForm::passwordColumn;

struct UsersTable : ::testing::Test, testing::TestSession {
    // Users 1, 2 and 40 (with a damaged password); the file stops after user 40's password
    // when `lineCount` is short.
    void arrange(std::size_t lineCount = 495) {
        testing::writeRawUsers(drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                       {2, {"Mario", scrambledBytes("mario")}}, {40, {"Rotta", "Z\x01\x02"}}},
                               lineCount);
        before = testing::fileLines(drive);
        form.open();
    }
    std::vector<std::string> before;
    UsersTableForm form{session};
};

TEST_F(UsersTable, TypedPasswordsAreSavedAndEveryUserReadIsKeptEvenFromAShortFile) {
    arrange(197);
    EXPECT_EQ(form.row(2).password, "mario");  // plain text
    form.editName(1, "Capo");               // the administrator keeps his name
    form.editPassword(1, " segreta ");
    form.editName(3, "Nicolò");
    form.editPassword(3, "però");
    form.confirm();
    ASSERT_TRUE(form.closed());
    auto lines = testing::fileLines(drive);
    ASSERT_EQ(lines.size(), 495u);
    EXPECT_EQ(lines[10], "Nicol\xF2");
    lines.resize(197);
    for (int free = 3; free < 40; ++free) before[(free - 1) * 5 + 1] = "@";
    for (int edited : {1, 10, 11}) before[edited] = lines[edited];
    EXPECT_EQ(lines, before) << "the damaged password nobody touched stays as read";
    EXPECT_EQ(loginWith(*this, "segreta"), " 01 Amministratore");
    EXPECT_EQ(loginWith(*this, "però"), " 03 Nicolò");
}

TEST_F(UsersTable, RefusalsPointAtTheField) {
    arrange();
    form.scrollTo(30);
    EXPECT_EQ(form.row(11).password, "??");  // the damaged password of user 40

    const std::tuple<int, int, std::string, std::string> cases[] = {
        {1, password, "   ", "Non è possibile eliminare la password dell'amministratore!"},
        {41, password, std::string(80, 'a'), "La password contiene caratteri non ammessi o è troppo lunga."},
        {41, name, "Łukasz", "Il nome dell'utente 41 contiene caratteri non ammessi."}};
    for (const auto& [user, column, text, message] : cases) {
        form.open();
        platform.shown.clear();
        form.scrollTo(user);
        column == name ? form.editName(1, text) : form.editPassword(1, text);
        form.scrollTo(50);
        form.confirm();
        EXPECT_FALSE(form.closed());
        testing::expectRefusal(platform, message);
        EXPECT_EQ(std::pair(form.row(form.focusedRow()).user, form.focusedColumn()), std::pair(user, column));
    }
    EXPECT_EQ(testing::fileLines(drive), before);
}

// Disabling deletes the file; then user 0 may open the window, which shows the default table,
// and saving it turns the password system on again.
TEST_F(UsersTable, DisableAsksAndOnlyUsersZeroAndOneMayOpenTheWindow) {
    arrange();
    platform.answers = {false, true};
    form.disable();
    EXPECT_TRUE(drive.exists(testing::usersPath));
    form.disable();
    EXPECT_FALSE(drive.exists(testing::usersPath));
    platform.shown.clear();
    platform.modalHandlers["zelstpwd"] = [](core::Form& f) { dynamic_cast<UsersTableForm&>(f).confirm(); };
    for (const char* caption : {" 00 Utente non identificato", " 01 Amministratore", " 02 Mario"}) {
        session.run().userCaption = caption;
        openUsersTable(session);
    }
    EXPECT_EQ(platform.modalsOpened, (std::vector<std::string>{"zelstpwd", "zelstpwd"}));
    testing::expectRefusal(platform, "Solo l'amministratore di sistema può impostare la tabella degli utenti");
    EXPECT_EQ(loginWith(*this, defaultAdministratorPassword()), " 01 Amministratore");
}

}  // namespace
}  // namespace kalvora::launcher
