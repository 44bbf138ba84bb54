#include "launcher/password_form.h"
#include "launcher/user_commands.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::scrambledBytes;

class PasswordChange : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                         {2, {"Nicol\xF2", scrambledBytes("vecchia")}},
                                         {5, {"Altro", scrambledBytes("altra")}}});
        before = testing::fileLines(t.drive);
        t.session.run().userCaption = " 02 Nicolò";
        form.open();
        form.setCurrentPassword("vecchia");
    }
    testing::TestSession t;
    std::vector<std::string> before;
    PasswordForm form{t.session};
};

TEST_F(PasswordChange, NewPasswordReplacesOnlyTheUsersLine) {
    form.setNewPassword("  nuova è  ");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(t.platform.shown.empty());
    auto after = testing::fileLines(t.drive);
    ASSERT_EQ(after.size(), 495u);
    EXPECT_EQ(after[6], scrambledBytes("nuova è"));
    after[6] = before[6];
    EXPECT_EQ(after, before);
    EXPECT_EQ(testing::loginWith(t, "nuova è"), " 02 Nicolò");
}

TEST_F(PasswordChange, EmptyNewPasswordLocksTheUserOut) {
    form.setNewPassword("   ");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive)[6], "@");
    EXPECT_EQ(testing::loginWith(t, ""), "");
    EXPECT_EQ(testing::loginWith(t, "vecchia"), "");
}

TEST_F(PasswordChange, RefusalsWriteNothing) {
    form.setCurrentPassword("altra");  // user 5's, not ours
    form.enterPressed(PasswordForm::currentField);
    EXPECT_EQ(form.focusedField(), PasswordForm::newField);
    form.enterPressed(PasswordForm::newField);
    EXPECT_EQ(form.focusedField(), PasswordForm::currentField);
    testing::expectRefusal(t.platform, "La password immessa non corrisponde con quella impostata precedentemente");

    form.setCurrentPassword("vecchia");
    for (const std::string& typed : {std::string(80, 'a'), std::string("Łódź")}) {
        t.platform.shown.clear();
        form.setNewPassword(typed);
        form.confirm();
        EXPECT_EQ(form.focusedField(), PasswordForm::newField);
        testing::expectRefusal(t.platform, "La password contiene caratteri non ammessi o è troppo lunga.");
    }

    t.platform.shown.clear();
    ASSERT_EQ(t.files.setReadOnly(t.session.installation().file(usersFileName), true), 0);
    form.setNewPassword("nuova");
    form.confirm();
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.shown[0].text.rfind("Non è stato possibile salvare la tabella degli utenti: errore ", 0), 0u);
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive), before);
}

TEST_F(PasswordChange, MenuEntryGuardsAndOpensTheWindow) {
    t.platform.modalHandlers["zelpasw"] = [](core::Form& f) {
        auto& form = dynamic_cast<PasswordForm&>(f);
        form.setCurrentPassword("altra");
        form.setNewPassword("diversa");
        form.confirm();
    };
    t.session.run().userCaption = " 00 Utente non identificato";
    changePassword(t.session);
    testing::expectRefusal(t.platform, "Per poter modificare la password è necessario farsi attribuire un "
                                       "accesso dall'amministratore di sistema.");
    t.platform.shown.clear();
    t.session.run().userCaption = " 01 Amministratore";
    changePassword(t.session);
    testing::expectRefusal(t.platform, "Per poter modificare la password di accesso dell'amministratore di "
                                       "sistema utilizzare la tabella degli utenti.");
    EXPECT_TRUE(t.platform.modalsOpened.empty());

    t.platform.shown.clear();
    t.session.run().userCaption = " 05 Altro";
    changePassword(t.session);
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelpasw"});
    EXPECT_EQ(testing::fileLines(t.drive)[21], scrambledBytes("diversa"));

    // A short file: the message, and the window never shows.
    t.drive.write(testing::usersPath, "Amministratore\r\n");
    changePassword(t.session);
    testing::expectRefusal(t.platform, "Non è stato possibile leggere la tabella degli utenti: contattate "
                                       "l'amministratore di sistema");
    EXPECT_EQ(t.platform.modalsOpened.size(), 1u);
}

}  // namespace
}  // namespace kalvora::launcher
