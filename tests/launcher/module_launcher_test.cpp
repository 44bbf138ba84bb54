#include "core/module_catalogue.h"
#include "launcher/module_launcher.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        t.drive.makeInstallation();
        t.session.company().companyCaption = "005 Rossi Srl";
    }
    void choose(const char* entry) { launchModule(t.session, *core::findModuleByEntry(entry)); }

    testing::TestSession t;
};

TEST_F(Launcher, StartsTheModuleOnceWithMarkerAndTheCompanyOfTheMoment) {
    t.drive.write("kalwin/kalwin/KALCLI.EXE", "program");
    choose("x_kalcli");
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/KALCLI.EXE"));
    EXPECT_EQ(t.platform.started[0].arguments, std::vector<std::string>{"$$vj%r005"});
    EXPECT_EQ(t.session.run().startedModules[1], "Gestione archivio clienti");
    EXPECT_FALSE(t.platform.busy);
    // Open: brought to the front instead.
    t.platform.windowsOpen.push_back("Gestione archivio clienti");
    choose("x_kalcli");
    EXPECT_EQ(t.platform.started.size(), 1u);
    t.session.company().companyCaption = "012 Bianchi";
    choose("x_kalfor");
    EXPECT_EQ(t.platform.started[1].program, t.drive.path("kalwin/kalwin/kalfor"));
    EXPECT_EQ(t.platform.started[1].arguments, std::vector<std::string>{"$$vj%r012"});
}

TEST_F(Launcher, WarehouseEntriesWriteTheCommandFileFirst) {
    const std::vector<std::pair<const char*, std::string>> steps{
        {"x_kalacq1", "1\r\n"}, {"x_kalacq2", "0\r\n"}, {"x_kalbol1", "1\r\n"}, {"x_kalbol2", "0\r\n"}, {"x_kalcli", "0\r\n"}};
    for (const auto& [entry, written] : steps) {
        choose(entry);
        EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.cmd"), written) << entry;
        // The same title: the open warehouse window is only activated.
        t.platform.windowsOpen = {"Carico di magazzino"};
    }
    EXPECT_EQ(t.platform.started.size(), 4u);  // only kalacq2 found its window open
}

TEST_F(Launcher, FailuresAndTheDesktopsPrograms) {
    t.platform.startResult = 2;
    choose("x_kalpia");
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_EQ(t.platform.messages()[0].text, "Non è possibile eseguire questa applicazione: errore 2");
    EXPECT_EQ(t.platform.messages()[0].title, "Attenzione");
    EXPECT_FALSE(t.platform.busy);

    t.platform.startResult = 0;
    t.platform.desktopPrograms[core::DesktopTool::Calculator] = "/usr/bin/galculator";
    launch(t.session, "calc", "Calcolatrice");
    EXPECT_EQ(t.platform.started.back().program, "/usr/bin/galculator");
    EXPECT_TRUE(t.platform.started.back().arguments.empty());
    launch(t.session, "write", "WordPad");  // no word processor on this desktop
    EXPECT_EQ(t.platform.messages().back().text, "Non è possibile eseguire questa applicazione: errore 2");
}

TEST_F(Launcher, AtMost199StartsAreRemembered) {
    for (int i = 0; i < 205; ++i) launch(t.session, "kalcli", "Finestra " + std::to_string(i));
    EXPECT_EQ(t.platform.started.size(), 205u);
    EXPECT_EQ(t.session.run().startedModules[199], "Finestra 198");
}

}  // namespace
}  // namespace kalvora::launcher
