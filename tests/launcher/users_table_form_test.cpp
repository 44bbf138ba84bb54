#include "launcher/user_commands.h"
#include "launcher/users_table_form.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::loginWith;
using testing::scrambledBytes;
using testing::TestSession;

constexpr int name = UsersTableForm::nameColumn;
constexpr int password = UsersTableForm::passwordColumn;

TEST(UsersTableLoad, DefaultWhenMissingAndEveryUserOfAShortFileKept) {
    TestSession t;
    t.drive.makeInstallation();
    UsersTableForm fresh(t.session);
    fresh.open();
    EXPECT_TRUE(fresh.defaultTable());
    EXPECT_EQ(fresh.row(1).password, defaultAdministratorPassword());
    fresh.confirm();  // turns the password system on
    EXPECT_EQ(loginWith(t, defaultAdministratorPassword()), " 01 Amministratore");

    auto lines = testing::rawUserLines({{1, {"Amministratore", scrambledBytes("abc")}}, {2, {"Mario", "Bcd"}},
                                        {4, {"Quarto", scrambledBytes("quarto")}}});
    lines.resize(17);  // user 4 cut after its password
    t.drive.write(testing::usersPath, testing::joinCrLf(lines));
    UsersTableForm form(t.session);
    form.open();
    EXPECT_FALSE(form.defaultTable());
    EXPECT_EQ(form.row(4).name, "Quarto");
    form.editName(5, "Quinto");
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto saved = testing::fileLines(t.drive);
    ASSERT_EQ(saved.size(), 495u);
    lines[11] = "@";  // user 3, free: an empty password is stored scrambled
    EXPECT_EQ(std::vector<std::string>(saved.begin(), saved.begin() + 17), lines);
    EXPECT_EQ(saved[20], "Quinto");
    EXPECT_EQ(loginWith(t, "quarto"), " 04 Quarto");
}

class UsersTableEditor : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                         {2, {"Mario", scrambledBytes("mario")}},
                                         {40, {"Rotta", "Z\x01\x02"}}});
        before = testing::fileLines(t.drive);
        form.open();
    }
    TestSession t;
    std::vector<std::string> before;
    UsersTableForm form{t.session};
};

TEST_F(UsersTableEditor, PagingAndEnterNavigation) {
    EXPECT_EQ(form.row(2).password, "mario");  // plain text
    form.scrollTo(500);
    EXPECT_EQ(form.firstEntry(), 82);
    EXPECT_EQ(form.row(18).user, 99);
    form.scrollTo(30);
    EXPECT_EQ(form.row(11).name, "Rotta");
    EXPECT_EQ(form.row(11).password, "??");
    form.editName(1, "Trenta");
    form.scrollTo(25);
    EXPECT_EQ(form.row(6).name, "Trenta");

    form.scrollTo(1);
    form.enterPressed(1, name);
    EXPECT_EQ(std::pair(form.focusedRow(), form.focusedColumn()), std::pair(1, password));
    form.enterPressed(18, password);
    EXPECT_EQ(form.firstEntry(), 2);
    EXPECT_EQ(std::pair(form.focusedRow(), form.focusedColumn()), std::pair(18, name));
    form.scrollTo(82);
    form.enterPressed(18, password);
    EXPECT_EQ(form.firstEntry(), 82);
    EXPECT_EQ(form.focusedRow(), 18);

    form.setLoading(true);  // what the grid does while it refreshes changes nothing
    form.editName(1, "Sovrascritto");
    form.setLoading(false);
    EXPECT_EQ(form.row(1).name, "");
}

TEST_F(UsersTableEditor, RefusalsPointAtTheFieldAndWriteNothing) {
    struct Case {
        int user, column;
        std::string text, message;
    };
    const Case cases[] = {
        {1, password, "   ", "Non è possibile eliminare la password dell'amministratore!"},
        {41, password, std::string(80, 'a'), "La password contiene caratteri non ammessi o è troppo lunga."},
        {41, name, "Łukasz", "Il nome dell'utente 41 contiene caratteri non ammessi."}};
    for (const Case& c : cases) {
        form.open();
        t.platform.shown.clear();
        form.scrollTo(c.user);
        c.column == name ? form.editName(1, c.text) : form.editPassword(1, c.text);
        form.scrollTo(50);
        form.setFocus(7, name);
        form.confirm();
        EXPECT_FALSE(form.closed());
        testing::expectRefusal(t.platform, c.message);
        EXPECT_EQ(form.row(form.focusedRow()).user, c.user);
        EXPECT_EQ(form.focusedColumn(), c.column == name ? name : password);
    }
    EXPECT_EQ(testing::fileLines(t.drive), before);
}

TEST_F(UsersTableEditor, TypedPasswordsAreSavedAndLogIn) {
    form.editName(1, "Capo");  // the administrator keeps his name
    form.editPassword(1, " segreta ");
    form.editName(3, "Nicolò");
    form.editPassword(3, "però");
    form.confirm();
    EXPECT_TRUE(form.closed());
    const auto lines = testing::fileLines(t.drive);
    ASSERT_EQ(lines.size(), 495u);
    EXPECT_EQ(lines[0], "Amministratore");
    EXPECT_EQ(lines[10], "Nicol\xF2");
    EXPECT_EQ(lines[21], "@");  // a free record
    // A damaged password nobody touched stays as read.
    for (int i : {2, 5, 6, 7, 8, 9, 195, 196}) EXPECT_EQ(lines[i], before[i]) << i;
    EXPECT_EQ(loginWith(t, "segreta"), " 01 Amministratore");
    EXPECT_EQ(loginWith(t, "però"), " 03 Nicolò");
    EXPECT_EQ(loginWith(t, "mario"), " 02 Mario");
}

TEST_F(UsersTableEditor, DisableDeletesTheFileOnlyOnYes) {
    t.platform.answers = {false, true};
    form.disable();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive), before);
    form.disable();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(t.drive.exists(testing::usersPath));
    ASSERT_EQ(t.platform.questions().size(), 2u);
    EXPECT_EQ(t.platform.questions()[0].title, "Attenzione");
    EXPECT_EQ(t.platform.questions()[0].text,
              "Disattivando il sistema di password di protezione qualsiasi operatore del PC potrà utilizzare il "
              "programma Kalvora senza alcun controllo. Confermi la disattivazione del sistema di protezione "
              "degli accessi e quindi la cancellazione della tabella degli utenti?");
}

TEST(UsersTableMenu, OnlyUsersZeroAndOneMayOpenIt) {
    TestSession t;
    t.platform.modalHandlers["zelstpwd"] = [](core::Form& f) { dynamic_cast<UsersTableForm&>(f).cancel(); };
    for (const char* caption : {" 00 Utente non identificato", " 01 Amministratore", " 02 Mario"}) {
        t.session.run().userCaption = caption;
        openUsersTable(t.session);
    }
    EXPECT_EQ(t.platform.modalsOpened, (std::vector<std::string>{"zelstpwd", "zelstpwd"}));
    testing::expectRefusal(t.platform, "Solo l'amministratore di sistema può impostare la tabella degli utenti");
    EXPECT_FALSE(t.drive.exists(testing::usersPath));
}

}  // namespace
}  // namespace kalvora::launcher
