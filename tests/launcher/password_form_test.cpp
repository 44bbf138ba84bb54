#include "launcher/password_form.h"
#include "launcher/user_commands.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::launcher {
namespace {

using testing::scrambledBytes;

struct PasswordChange : ::testing::Test, testing::TestSession {
    // Users 1, 2 (the one logged in) and 5; a short file stops after user 5's record.
    void arrange(std::size_t lineCount = 495) {
        testing::writeRawUsers(drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                       {2, {"Nicol\xF2", scrambledBytes("vecchia")}}, {5, {"Altro", scrambledBytes("altra")}}},
                               lineCount);
        before = testing::fileLines(drive);
        session.run().userCaption = " 02 Nicolò";
        form.open();
    }
    std::vector<std::string> before;
    PasswordForm form{session};
};

TEST_F(PasswordChange, TheNewPasswordReplacesOnlyTheUsersLineEvenInAShortFile) {
    arrange(25);
    form.setCurrentPassword("vecchia");
    form.setNewPassword("  nuova è  ");
    form.confirm();
    auto after = testing::fileLines(drive);
    ASSERT_EQ(after.size(), 495u);
    after.resize(25);
    before[6] = scrambledBytes("nuova è");
    EXPECT_EQ(after, before);
    EXPECT_EQ(testing::loginWith(*this, "nuova è"), " 02 Nicolò");
    EXPECT_EQ(testing::loginWith(*this, "altra"), " 05 Altro");
}

TEST_F(PasswordChange, RefusalsWriteNothing) {
    arrange();
    form.setCurrentPassword("altra");  // user 5's, not ours
    form.enterPressed(PasswordForm::newField);  // confirms
    EXPECT_EQ(form.focusedField(), PasswordForm::currentField);
    testing::expectRefusal(platform, "La password immessa non corrisponde con quella impostata precedentemente");

    form.setCurrentPassword("vecchia");
    platform.shown.clear();
    form.setNewPassword("Łódź");
    form.confirm();
    testing::expectRefusal(platform, "La password contiene caratteri non ammessi o è troppo lunga.");
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(testing::fileLines(drive), before);
}

TEST_F(PasswordChange, MenuEntryGuardsAndOpensTheWindow) {
    platform.modalHandlers["zelpasw"] = [](core::Form& f) { dynamic_cast<PasswordForm&>(f).cancel(); };
    const std::pair<const char*, const char*> refused[] = {
        {" 00 Utente non identificato", "Per poter modificare la password è necessario farsi attribuire un accesso "
                                        "dall'amministratore di sistema."},
        {" 01 Amministratore", "Per poter modificare la password di accesso dell'amministratore di sistema "
                               "utilizzare la tabella degli utenti."},
        {" 05 Altro", "Non è stato possibile leggere la tabella degli utenti: contattate l'amministratore di sistema"}};
    for (const auto& [caption, message] : refused) {
        platform.shown.clear();
        session.run().userCaption = caption;
        changePassword(session);
        testing::expectRefusal(platform, message);  // the last for want of a users file
    }
    arrange();
    changePassword(session);
    EXPECT_EQ(platform.modalsOpened, std::vector<std::string>{"zelpasw"});
}

}  // namespace
}  // namespace kalvora::launcher
