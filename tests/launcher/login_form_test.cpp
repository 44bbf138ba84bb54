#include "launcher/login_form.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::scrambledBytes;
using testing::TestSession;

TEST(Login, WithoutAUsersFileNobodyIsAsked) {
    for (bool emptyFile : {false, true}) {
        TestSession t;
        t.drive.makeInstallation();
        if (emptyFile) t.drive.write(testing::usersPath, "");
        LoginForm form(t.session);
        form.open();
        EXPECT_EQ(form.title(), "Informazioni");
        emptyFile ? form.closeBox() : form.continuePressed();  // the close box continues too
        EXPECT_EQ(t.session.run().userCaption, " 00 Utente non identificato");
    }
}

// The file holds users 1 to 7 and stops after user 7's password line.
struct LoginPasswordMode : ::testing::Test {
    void SetUp() override {
        testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("abc")}}, {2, {"Vuota", "@"}},
                                         {3, {"Nicol\xF2", scrambledBytes("comune")}}, {5, {"Un carattere", "A"}},
                                         {6, {"Gemello", scrambledBytes("comune")}}, {7, {"Tagliato", scrambledBytes("ultimo è")}}},
                               32);
    }
    TestSession t;
};

TEST_F(LoginPasswordMode, ThePasswordAloneIdentifiesTheUserEvenInAShortFile) {
    const std::pair<std::string, std::string> cases[] = {
        {" abc ", " 01 Amministratore"}, {"ultimo è", " 07 Tagliato"},
        {"comune", " 03 Nicolò"},  // users 3 and 6 share it: the lower record wins
        {"", ""}, {"   ", ""}};  // empty passwords (one character stored) never match, silently
    for (const auto& [typed, caption] : cases) EXPECT_EQ(testing::loginWith(t, typed), caption) << typed;
    EXPECT_TRUE(t.platform.shown.empty());
}

TEST_F(LoginPasswordMode, AWrongPasswordIsSaidAndTheCloseBoxLogsInOrEnds) {
    LoginForm form(t.session);
    form.open();
    EXPECT_EQ(form.title(), "Inserimento password di accesso");
    for (const std::string& typed : {std::string("abd"), std::string("Łódź")}) {
        t.platform.shown.clear();
        form.setPassword(typed);
        form.confirm();
        EXPECT_FALSE(form.closed());
        testing::expectRefusal(t.platform, "La password immessa non è corretta");
    }
    form.closeBox();
    EXPECT_TRUE(form.programEnded() && t.platform.quitCalled);

    form.open();  // as a change of user opens it again
    form.setPassword("abc");
    form.closeBox();
    EXPECT_FALSE(form.programEnded());
    EXPECT_EQ(t.session.run().userCaption, " 01 Amministratore");
}

}  // namespace
}  // namespace kalvora::launcher
