#include "launcher/login_form.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::scrambledBytes;
using testing::TestSession;

TEST(LoginInformationMode, MissingOrShortFile) {
    for (bool shortFile : {false, true}) {
        TestSession t;
        t.drive.makeInstallation();
        auto lines = testing::rawUserLines({{1, {"Amministratore", scrambledBytes("abc")}}});
        lines.resize(494);
        if (shortFile) t.drive.write(testing::usersPath, testing::joinCrLf(lines));
        LoginForm form(t.session);
        form.open();
        EXPECT_TRUE(form.informationMode());
        EXPECT_EQ(form.title(), "Informazioni");
        form.setPassword("abc");
        form.confirm();  // no password field in this mode
        EXPECT_FALSE(form.closed());
        // The close box does what the continue button does.
        shortFile ? form.closeBox() : form.continuePressed();
        EXPECT_TRUE(form.closed());
        EXPECT_FALSE(form.programEnded());
        EXPECT_EQ(t.session.run().userCaption, " 00 Utente non identificato");
        EXPECT_TRUE(t.platform.shown.empty());
    }
}

class LoginPasswordMode : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("abc")}},
                                         {2, {"Vuota", "@"}},
                                         {3, {"Nicol\xF2", scrambledBytes("comune")}},
                                         {5, {"Un carattere", "A"}},
                                         {7, {"Gemello", scrambledBytes("comune")}},
                                         {99, {"Ultimo", scrambledBytes("ultimo è")}}});
        form.open();
    }
    TestSession t;
    LoginForm form{t.session};
};

TEST_F(LoginPasswordMode, ThePasswordAloneIdentifiesTheUser) {
    EXPECT_EQ(form.title(), "Inserimento password di accesso");
    form.setPassword(" abc ");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.session.run().userCaption, " 01 Amministratore");
    EXPECT_EQ(testing::loginWith(t, "ultimo è"), " 99 Ultimo");
    // The same password for users 3 and 7: the lower record wins.
    EXPECT_EQ(testing::loginWith(t, "comune"), " 03 Nicolò");
    EXPECT_TRUE(t.platform.shown.empty());
}

TEST_F(LoginPasswordMode, EmptyPasswordsNeverMatchAndAreNotScolded) {
    // Users 2 and 5 hold one character, every free record nothing; an empty password is "@".
    for (const char* typed : {"", "   "}) {
        form.setPassword(typed);
        form.confirm();
        EXPECT_FALSE(form.closed());
    }
    EXPECT_TRUE(t.session.run().userCaption.empty());
    EXPECT_TRUE(t.platform.shown.empty());
}

TEST_F(LoginPasswordMode, WrongPasswordIsSaidAndTheWindowStays) {
    for (const std::string& typed : {std::string("abd"), std::string(300, 'x'), std::string("Łódź")}) {
        t.platform.shown.clear();
        form.setPassword(typed);
        form.confirm();
        EXPECT_FALSE(form.closed());
        testing::expectRefusal(t.platform, "La password immessa non è corretta");
    }
    EXPECT_TRUE(t.session.run().userCaption.empty());
}

TEST_F(LoginPasswordMode, CloseBoxLogsInOrEndsTheProgram) {
    form.setPassword("sbagliata");
    form.closeBox();
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(form.programEnded());
    EXPECT_TRUE(t.platform.quitCalled);
    EXPECT_TRUE(t.session.run().userCaption.empty());

    t.platform.quitCalled = false;
    form.open();  // as a change of user opens it again
    EXPECT_TRUE(form.password().empty());
    form.setPassword("abc");
    form.closeBox();
    EXPECT_FALSE(form.programEnded());
    EXPECT_FALSE(t.platform.quitCalled);
    EXPECT_EQ(t.session.run().userCaption, " 01 Amministratore");
}

}  // namespace
}  // namespace kalvora::launcher
