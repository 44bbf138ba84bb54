#include "launcher/password_form.h"
#include "launcher/user_commands.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::launcher {
namespace {

using testing::scrambledBytes;

struct PasswordChange : ::testing::Test {
    void SetUp() override {
        testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                         {2, {"Nicol\xF2", scrambledBytes("vecchia")}},
                                         {5, {"Altro", scrambledBytes("altra")}}});
        before = testing::fileLines(t.drive);
        t.session.run().userCaption = " 02 Nicolò";
    }
    void change(const std::string& current, const std::string& fresh) {
        t.session.run().userCaption = " 02 Nicolò";
        PasswordForm form(t.session);
        form.open();
        form.setCurrentPassword(current);
        form.setNewPassword(fresh);
        form.confirm();
    }
    testing::TestSession t;
    std::vector<std::string> before;
};

TEST_F(PasswordChange, TheNewPasswordReplacesOnlyTheUsersLine) {
    // A short file: the change keeps every user it holds and writes all 495 lines.
    before.resize(26);
    t.drive.write(testing::usersPath, testing::joinCrLf(before));
    change("vecchia", "  nuova è  ");
    EXPECT_TRUE(t.platform.shown.empty());
    auto after = testing::fileLines(t.drive);
    ASSERT_EQ(after.size(), 495u);
    EXPECT_EQ(after[6], scrambledBytes("nuova è"));
    after[6] = before[6];
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 26), before);
    EXPECT_EQ(testing::loginWith(t, "nuova è"), " 02 Nicolò");
    EXPECT_EQ(testing::loginWith(t, "altra"), " 05 Altro");

    change("nuova è", "   ");  // an empty password locks the user out
    EXPECT_EQ(testing::fileLines(t.drive)[6], "@");
    EXPECT_EQ(testing::loginWith(t, ""), "");
}

TEST_F(PasswordChange, RefusalsWriteNothing) {
    PasswordForm form(t.session);
    form.open();
    form.setCurrentPassword("altra");  // user 5's, not ours
    form.enterPressed(PasswordForm::currentField);
    EXPECT_EQ(form.focusedField(), PasswordForm::newField);
    form.enterPressed(PasswordForm::newField);
    EXPECT_EQ(form.focusedField(), PasswordForm::currentField);
    testing::expectRefusal(t.platform, "La password immessa non corrisponde con quella impostata precedentemente");

    form.setCurrentPassword("vecchia");
    t.platform.shown.clear();
    form.setNewPassword("Łódź");
    form.confirm();
    EXPECT_EQ(form.focusedField(), PasswordForm::newField);
    testing::expectRefusal(t.platform, "La password contiene caratteri non ammessi o è troppo lunga.");

    t.platform.shown.clear();
    ASSERT_EQ(t.files.setReadOnly(t.session.installation().file(usersFileName), true), 0);
    form.setNewPassword("nuova");
    form.confirm();
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_TRUE(t.platform.shown[0].text.starts_with("Non è stato possibile salvare la tabella degli utenti: errore "));
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(t.drive), before);
}

TEST_F(PasswordChange, MenuEntryGuardsAndOpensTheWindow) {
    t.platform.modalHandlers["zelpasw"] = [](core::Form& f) { dynamic_cast<PasswordForm&>(f).cancel(); };
    const std::pair<const char*, const char*> refused[] = {
        {" 00 Utente non identificato", "Per poter modificare la password è necessario farsi attribuire un accesso "
                                        "dall'amministratore di sistema."},
        {" 01 Amministratore", "Per poter modificare la password di accesso dell'amministratore di sistema "
                               "utilizzare la tabella degli utenti."}};
    for (const auto& [caption, message] : refused) {
        t.platform.shown.clear();
        t.session.run().userCaption = caption;
        changePassword(t.session);
        testing::expectRefusal(t.platform, message);
    }
    EXPECT_TRUE(t.platform.modalsOpened.empty());
    t.session.run().userCaption = " 05 Altro";
    changePassword(t.session);
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelpasw"});

    t.platform.shown.clear();
    std::filesystem::remove(t.drive.path(testing::usersPath));
    changePassword(t.session);
    testing::expectRefusal(t.platform, "Non è stato possibile leggere la tabella degli utenti: contattate "
                                       "l'amministratore di sistema");
    EXPECT_EQ(t.platform.modalsOpened.size(), 1u);
}

}  // namespace
}  // namespace kalvora::launcher
