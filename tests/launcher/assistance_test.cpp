#include "launcher/internet_functions.h"
#include "launcher/main_form.h"
#include "launcher/login_form.h"
#include "support/test_session.h"
#include "ui/ui_fixtures.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

struct AssistanceSession : testing::TestSession {
    AssistanceSession() {
        drive.makeInstallation(0);
        drive.write(testing::registryPath, testing::registryBytes({{0, "Alfa"}}));
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.a14", "06/12/2026\r\n");
    }
    std::string kalfass() const { return drive.path("kalwin/kalwin/kalfass"); }
    std::vector<std::string> codes() const {
        std::vector<std::string> out;
        for (const auto& s : platform.started) {
            EXPECT_EQ(s.program, kalfass());
            out.push_back(s.arguments.size() == 1 ? s.arguments[0] : "?");
        }
        return out;
    }
};

// Every code goes to kalfass as its only argument: the "Internet" items, then zelstass's buttons
// on the pages where they stand. Buttons of another page do nothing.
TEST(Assistance, EachFunctionStartsKalfassWithItsCode) {
    AssistanceSession t;
    for (int item = 1; item <= 8; ++item) internetFunction(t.session, item);
    EXPECT_EQ(t.codes(), (std::vector<std::string>{"005", "001", "011", "007", "008", "002", "009"}));
    EXPECT_EQ(t.platform.documentsOpened, std::vector<std::string>{"http://www.kalvora.it"});

    t.platform.started.clear();
    AssistanceForm form(t.session, 1);
    for (int button : {5, 9, 0, 1}) form.press(button);
    form.press(2);
    EXPECT_EQ(form.page(), 2);
    form.press(5);
    form.press(6);
    form.press(3);
    EXPECT_EQ(form.page(), 3);
    form.press(9);
    EXPECT_EQ(t.codes(), (std::vector<std::string>{"007", "008", "017", "016"}));
    EXPECT_FALSE(form.closed());
    form.press(4);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(AssistanceForm(t.session, 7).page(), 1);
}

TEST(Assistance, TeleassistanceWarnsThenStartsKalkassAndFailuresGiveTheErrorNumber) {
    AssistanceSession t;
    t.drive.write("kalwin/kalwin/KALKASS.EXE", "x");
    AssistanceForm form(t.session, 3);
    form.press(10);
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.shown[0].title, "Attenzione");
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/KALKASS.EXE"));
    EXPECT_TRUE(t.platform.started[0].arguments.empty());

    t.platform.startResult = 2;
    internetFunction(t.session, 4);
    EXPECT_EQ(t.platform.last()->text, "Si è verificato un errore durante l'esecuzione del programma: errore 2");
}

// The toolbar's assistance button opens zelstass on its first page, the menu entries on theirs.
TEST(Assistance, ToolbarAndMenuEntriesOpenTheWindow) {
    AssistanceSession t;
    t.platform.modalHandlers["zelchkp"] = [](core::Form& f) { dynamic_cast<LoginForm&>(f).continuePressed(); };
    MainForm main(t.session);
    main.startup();
    main.toolbarClicked(3);  // "*assistenza" on the default toolbar
    ASSERT_EQ(t.platform.windowsShown.size(), 1u);
    EXPECT_EQ(t.platform.windowsShown[0]->name(), "zelstass");
    main.chooseMenu("x_xass_5");
    ASSERT_EQ(t.platform.windowsShown.size(), 2u);
    EXPECT_EQ(dynamic_cast<AssistanceForm&>(*t.platform.windowsShown[1]).page(), 3);
}

}  // namespace
}  // namespace kalvora::launcher
