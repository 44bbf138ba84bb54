#include "core/module_catalogue.h"
#include "launcher/module_launcher.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using testing::TestSession;

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        t.drive.makeInstallation();
        t.session.company().companyCaption = "005 Rossi Srl";
    }
    const core::ModuleEntry& module(const char* entry) { return *core::findModuleByEntry(entry); }

    TestSession t;
};

TEST_F(Launcher, StartsTheModuleWithMarkerAndCompanyCode) {
    t.drive.write("kalwin/kalwin/KALCLI.EXE", "program");
    launchModule(t.session, module("x_kalcli"));
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/KALCLI.EXE"));
    EXPECT_EQ(t.platform.started[0].arguments, std::vector<std::string>{"$$vj%r005"});
    EXPECT_EQ(t.platform.started[0].title, "Gestione archivio clienti");
    EXPECT_EQ(t.session.run().startedModules[1], "Gestione archivio clienti");
    EXPECT_FALSE(t.platform.busy);
    EXPECT_TRUE(t.platform.shown.empty());
}

TEST_F(Launcher, ProgramIsFoundWhateverItsCase) {
    t.drive.write("kalwin/kalwin/kalemf", "x");
    t.drive.write("kalwin/kalwin/Kalage.exe", "x");
    EXPECT_EQ(modulePath(t.files, t.session.installation(), "kalemf"), t.drive.path("kalwin/kalwin/kalemf"));
    EXPECT_EQ(modulePath(t.files, t.session.installation(), "kalage"), t.drive.path("kalwin/kalwin/Kalage.exe"));
    EXPECT_EQ(modulePath(t.files, t.session.installation(), "kalbil"), t.drive.path("kalwin/kalwin/kalbil"));
}

TEST_F(Launcher, OpenWindowIsBroughtToTheFrontInsteadOfStartingAgain) {
    launchModule(t.session, module("x_kalcli"));
    t.platform.windowsOpen.push_back("Gestione archivio clienti");
    launchModule(t.session, module("x_kalcli"));
    EXPECT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.session.run().startedModules[2], "");
}

TEST_F(Launcher, WarehouseEntriesWriteTheCommandFileFirst) {
    launchModule(t.session, module("x_kalacq1"));
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.cmd"), "1\r\n");
    t.platform.windowsOpen.push_back("Carico di magazzino");
    launchModule(t.session, module("x_kalacq2"));
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.cmd"), "0\r\n");
    EXPECT_EQ(t.platform.started.size(), 1u);  // the open window was only activated
    launchModule(t.session, module("x_kalbol1"));
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.cmd"), "1\r\n");
    launchModule(t.session, module("x_kalcli"));
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.cmd"), "1\r\n");  // only the warehouse entries
}

TEST_F(Launcher, CompanyCodeIsTheOneSelectedAtTheClick) {
    launchModule(t.session, module("x_kalcli"));
    t.session.company().companyCaption = "012 Bianchi";
    launchModule(t.session, module("x_kalfor"));
    EXPECT_EQ(t.platform.started[1].arguments, std::vector<std::string>{"$$vj%r012"});
}

TEST_F(Launcher, FailureIsReportedWithItsErrorNumber) {
    t.platform.startResult = 2;
    launchModule(t.session, module("x_kalpia"));
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_EQ(t.platform.messages()[0].text, "Non è possibile eseguire questa applicazione: errore 2");
    EXPECT_EQ(t.platform.messages()[0].title, "Attenzione");
    EXPECT_EQ(t.platform.messages()[0].icon, core::Icon::Critical);
    EXPECT_FALSE(t.platform.busy);
}

TEST_F(Launcher, CalculatorStartsWithoutCompanyCode) {
    t.platform.desktopPrograms[core::DesktopTool::Calculator] = "/usr/bin/galculator";
    launch(t.session, "calc", "Calcolatrice");
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, "/usr/bin/galculator");
    EXPECT_TRUE(t.platform.started[0].arguments.empty());

    launch(t.session, "write", "WordPad");  // no word processor on this desktop
    EXPECT_EQ(t.platform.messages().back().text, "Non è possibile eseguire questa applicazione: errore 2");
}

TEST_F(Launcher, AtMost199StartsAreRemembered) {
    for (int i = 0; i < 205; ++i) launch(t.session, "kalcli", "Finestra " + std::to_string(i));
    EXPECT_EQ(t.platform.started.size(), 205u);
    EXPECT_EQ(t.session.run().startedModules[199], "Finestra 198");
    EXPECT_EQ(t.session.run().startedModules[0], "");
}

}  // namespace
}  // namespace kalvora::launcher
