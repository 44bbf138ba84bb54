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

TEST(UsersTableFromDefault, ShownWhenUnreadableAndSavedTurnsThePasswordSystemOn) {
    TestSession t;
    t.drive.write(testing::usersPath, "Amministratore\r\nCcfi\r\n");
    UsersTableForm form(t.session);
    form.open();
    EXPECT_TRUE(form.defaultTable());
    EXPECT_EQ(form.row(1).name, "Amministratore");
    EXPECT_EQ(form.row(1).password, defaultAdministratorPassword());
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto lines = testing::fileLines(t.drive);
    ASSERT_EQ(lines.size(), 495u);
    for (int u = 2; u <= 99; ++u) EXPECT_EQ(lines[(u - 1) * 5 + 1], "@") << u;
    EXPECT_EQ(loginWith(t, defaultAdministratorPassword()), " 01 Amministratore");
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
}

TEST_F(UsersTableEditor, EditsWhileLoadingAreIgnored) {
    form.setLoading(true);
    form.editName(2, "Sovrascritto");
    form.editPassword(2, "x");
    form.setLoading(false);
    EXPECT_EQ(form.row(2).name, "Mario");
    EXPECT_EQ(form.row(2).password, "mario");
}

TEST_F(UsersTableEditor, EmptyAdministratorPasswordIsRefused) {
    form.editPassword(1, "   ");
    form.scrollTo(50);
    form.setFocus(7, name);
    form.confirm();
    EXPECT_FALSE(form.closed());
    testing::expectRefusal(t.platform, "Non è possibile eliminare la password dell'amministratore!");
    EXPECT_EQ(form.firstEntry(), 1);
    EXPECT_EQ(std::pair(form.focusedRow(), form.focusedColumn()), std::pair(1, password));
    EXPECT_EQ(testing::fileLines(t.drive), before);
}

TEST_F(UsersTableEditor, TypedPasswordsAreSavedAndLogIn) {
    form.editName(1, "Capo");  // the administrator keeps his name
    form.editPassword(1, " segreta ");
    form.editName(3, "Nicolò");
    form.editPassword(3, "però");
    form.scrollTo(82);
    form.editName(18, "Novantanove");
    form.editPassword(18, "ultimo");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(t.platform.shown.empty());

    const auto lines = testing::fileLines(t.drive);
    ASSERT_EQ(lines.size(), 495u);
    EXPECT_EQ(lines[0], "Amministratore");
    EXPECT_EQ(lines[1], scrambledBytes("segreta"));
    EXPECT_EQ(lines[10], "Nicol\xF2");
    EXPECT_EQ(lines[21], "@");  // a free record
    // A damaged password nobody touched stays as read.
    for (int i : {2, 5, 6, 7, 8, 9, 195, 196}) EXPECT_EQ(lines[i], before[i]) << i;

    EXPECT_EQ(loginWith(t, "segreta"), " 01 Amministratore");
    EXPECT_EQ(loginWith(t, "però"), " 03 Nicolò");
    EXPECT_EQ(loginWith(t, "ultimo"), " 99 Novantanove");
    EXPECT_EQ(loginWith(t, "mario"), " 02 Mario");
}

TEST_F(UsersTableEditor, UnstorableTextIsRefusedWhereItIs) {
    form.scrollTo(30);
    form.editPassword(12, std::string(80, 'a'));  // user 41
    form.scrollTo(1);
    form.confirm();
    testing::expectRefusal(t.platform, "La password contiene caratteri non ammessi o è troppo lunga.");
    EXPECT_EQ(form.row(form.focusedRow()).user, 41);
    EXPECT_EQ(form.focusedColumn(), password);

    t.platform.shown.clear();
    form.editPassword(form.focusedRow(), "");
    form.editName(form.focusedRow(), "Łukasz");
    form.confirm();
    testing::expectRefusal(t.platform, "Il nome dell'utente 41 contiene caratteri non ammessi.");
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive), before);

    ASSERT_EQ(t.files.setReadOnly(t.session.installation().file(usersFileName), true), 0);
    t.platform.shown.clear();
    form.editName(form.focusedRow(), "Luca");
    form.confirm();
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.shown[0].text.rfind("Non è stato possibile salvare la tabella degli utenti: errore ", 0), 0u);
    EXPECT_FALSE(form.closed());
}

TEST_F(UsersTableEditor, DisableDeletesTheFileOnlyOnYes) {
    t.platform.answers = {false, true};
    form.disable();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive), before);
    form.disable();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(t.drive.exists(testing::usersPath));
    const auto questions = t.platform.questions();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].title, "Attenzione");
    EXPECT_EQ(questions[0].text,
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
