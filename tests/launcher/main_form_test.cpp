#include "company/backup_form.h"
#include "launcher/background_form.h"
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "launcher/main_menu.h"
#include "launcher/postit_form.h"
#include "launcher/users_file.h"
#include "support/test_session.h"
#include "ui/ui_fixtures.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

// A session whose user continues past the login window (no users file: information mode).
struct TestSession : testing::TestSession {
    explicit TestSession(core::Date today = {2026, 12, 6}) : testing::TestSession(today) {
        platform.modalHandlers["zelchkp"] = [](core::Form& f) { dynamic_cast<LoginForm&>(f).continuePressed(); };
    }
    // Company 000 "Alfa" exists, its archives in the current layout.
    void existingCompany() {
        drive.makeInstallation(0);
        drive.write(testing::registryPath, testing::registryBytes({{0, "Alfa"}}));
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.a14", "06/12/2026\r\n");
    }
    std::string lastMessage() const { return platform.messages().empty() ? "" : platform.messages().back().text; }
};

TEST(MainFormStartup, PendingAssistanceProgramReplacesTheOldOne) {
    TestSession t;
    t.existingCompany();
    t.drive.write("kalwin/kalwin/kalfass.exe", "old");
    t.drive.write("kalwin/kalwin/kalfass.ex_", "new program");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalfass.exe"), "new program");
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalfass.ex_"));
}

// The notice's link: web addresses only, "www." ones as http addresses.
TEST(MainFormStartup, NoticeLinkOpensOnlyWebAddresses) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"https://www.example.org/news", "https://www.example.org/news"},
        {"www.example.org/novita", "http://www.example.org/novita"},
        {"/usr/bin/xterm", ""}};
    for (const auto& [link, opened] : cases) {
        TestSession t;
        t.existingCompany();
        t.drive.write("kalwin/kalvora.bnn",
                      "20261206\r\n1 **/**/**** ZF @" + link + "\r\n3 06/12/2026 ZF Avviso del giorno\r\n");
        MainForm form(t.session);
        form.startup();
        EXPECT_EQ(form.status(), "Avviso del giorno");
        EXPECT_EQ(form.noticeButtonVisible(), !opened.empty()) << link;
        form.noticeClicked();
        EXPECT_EQ(t.platform.documentsOpened, opened.empty() ? std::vector<std::string>{}
                                                             : std::vector<std::string>{opened}) << link;
    }
}

// Users 1 (administrator) and 3, who is denied the customer archive (position 101).
void writeUsers(TestSession& t) {
    t.existingCompany();
    UsersTable users{};
    users[1] = {"Amministratore", *scramble("capo"), "9", "", std::string(500, '1')};
    std::string denied(500, '0');
    denied[100] = '1';
    users[3] = {"Nicolò", *scramble("segreta"), "", "", denied};
    ASSERT_EQ(writeUsers(t.files, t.session.installation(), users), 0);
}

void typePassword(TestSession& t, const std::string& password) {
    t.platform.modalHandlers["zelchkp"] = [password](core::Form& f) {
        auto& login = dynamic_cast<LoginForm&>(f);
        login.setPassword(password);
        login.confirm();
    };
}

// The menus and the toolbar's module buttons follow the privileges of the user logged in.
TEST(MainFormLogin, PasswordIdentifiesTheUserAndTheMenusFollowHisPrivileges) {
    TestSession t;
    writeUsers(t);
    t.drive.write(testing::toolbarPath, testing::toolbarBytes({{1, {"*", "Clienti", "=CLI"}}, {2, {"", "", "=BOL"}}}));
    typePassword(t, "segreta");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(form.userCaption(), " 03 Nicolò");
    EXPECT_TRUE(form.userPictureVisible());
    EXPECT_FALSE(findEntry(form.menus(), "x_kalcli")->enabled);
    form.chooseMenu("x_kalcli");
    form.toolbarClicked(1);
    EXPECT_EQ(t.lastMessage(), "Funzione non disponibile per il profilo utente selezionato");
    EXPECT_TRUE(t.platform.started.empty());
    // Button 2 has no tooltip; an untitled window is open and must not pass for the module.
    t.platform.windowsOpen = {""};
    form.toolbarClicked(2);
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/kalbol1"));
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalvora.cmd"));

    typePassword(t, "capo");
    form.changeUser();
    EXPECT_EQ(form.userCaption(), " 01 Amministratore");
    EXPECT_TRUE(findEntry(form.menus(), "x_kalcli")->enabled);
}

class MainMenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        t.existingCompany();
        form.startup();
    }
    TestSession t;
    MainForm form{t.session};
};

TEST_F(MainMenuCommands, EntriesAreOfferedExactlyWhenTheyHaveAnOpener) {
    for (const auto& item : mainMenuItems()) {
        const MenuEntry* entry = findEntry(form.menus(), std::string(item.name));
        ASSERT_NE(entry, nullptr) << item.name;
        EXPECT_EQ(entry->enabled, item.open != nullptr || !entry->children.empty()) << item.name;
    }
    for (const char* entry : {"m_uti", "m_ass", "nessuna"}) form.chooseMenu(entry);
    EXPECT_TRUE(t.platform.windowsShown.empty() && t.platform.shown.empty() && t.platform.started.empty());
}

TEST_F(MainMenuCommands, CompanyGuardsOfDuplicationAndDeletion) {
    const std::string below990 =
        "Selezionare una azienda con codice inferiore a 990 prima di richiamare questa funzione.";
    const std::string not000 = "Selezionare una azienda con codice diverso da 000 prima di richiamare questa funzione.";
    for (const auto& [caption, expected] : std::vector<std::pair<std::string, std::string>>{
             {"995 Copia", below990}, {"990 Copia", below990}, {"000 Alfa", not000}}) {
        t.session.company().companyCaption = caption;
        for (const char* item : {"x_azi_3", "x_azi_4"}) {
            form.chooseMenu(item);
            EXPECT_EQ(t.lastMessage(), expected) << caption << item;
        }
    }
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
    form.chooseMenu("x_azi_5");  // offered: from 000 the duplication asks its question (answered No)
    EXPECT_EQ(t.platform.last()->title, "Duplica azienda");
}

TEST_F(MainMenuCommands, DateFieldSetsTheComputersDate) {
    form.setDate({2026, 12, 24});
    EXPECT_EQ(t.platform.datesSet, (std::vector<core::Date>{{2026, 12, 24}}));
    t.platform.setDateResult = 1;
    form.setDate({2026, 12, 25});
    EXPECT_EQ(t.lastMessage(),
              "Non è stato possibile impostare la data del computer: il sistema non lo consente (errore 1).");
    EXPECT_EQ(form.dateText(), "06/12/2026");
}

TEST_F(MainMenuCommands, ToolbarCommandsFollowTheirMenuEntries) {
    t.platform.modalHandlers["zelabak"] = [](core::Form& f) { static_cast<company::BackupForm&>(f).closeWindow(); };
    form.toolbarClicked(4);  // "*backup"
    EXPECT_EQ(t.platform.modalsOpened.back(), "zelabak");
    t.platform.modalHandlers["zelpostit"] = [](core::Form& f) { static_cast<PostitForm&>(f).cancel(); };
    form.toolbarClicked(10);  // "*postit"
    EXPECT_EQ(t.platform.modalsOpened.back(), "zelpostit");
    form.toolbarClicked(7);  // "*print"
    EXPECT_EQ(t.platform.printerSetups, 1);
    form.toolbarClicked(1);  // "*info"
    ASSERT_EQ(t.platform.windowsShown.size(), 1u);
    EXPECT_EQ(t.platform.windowsShown[0]->name(), "zelabout");
}

// A background chosen in zelbgr holds as soon as the window is gone; on the transparent screen
// the toolbar's post-it is refused.
TEST_F(MainMenuCommands, ChosenBackgroundHoldsOnceTheWindowCloses) {
    t.platform.modalHandlers["zelbgr"] = [this](core::Form& f) {
        auto& window = dynamic_cast<BackgroundForm&>(f);
        window.select(transparentBackground);
        window.confirm();
        EXPECT_EQ(form.background().choice, plainColourBackground);
    };
    form.chooseMenu("x_bgr");
    EXPECT_EQ(form.background().choice, transparentBackground);
    form.toolbarClicked(10);  // "*postit"
    EXPECT_EQ(t.lastMessage(), "Non è possibile visualizzare visualizzare post-it con lo schermo trasparente");
}

// The questions of "Fine lavoro" by backup preferences (kalvora.pry) and answers.
TEST(Shutdown, BackupRemindersAndTheConfirmation) {
    struct Case {
        std::string prefs;
        std::vector<bool> answers;
        std::vector<std::string> questions;
        bool exits;
        bool backupWindow = false;
    };
    const std::string sure = "Sei proprio sicuro?";
    const std::vector<Case> cases{
        {"", {true}, {sure}, true},
        {"1\r\n\r\n7\r\n\r\n11-29-2026\r\n\r\n", {false, true},
         {"Sono trascorsi 7 giorni dall'ultima copia di backup. Desideri effettuare la copia ora?", sure}, true},
        // Yes to the reminder: the backup window takes over and the program stays open.
        {"1\r\n\r\n7\r\n\r\n11-29-2026\r\n\r\n", {true},
         {"Sono trascorsi 7 giorni dall'ultima copia di backup. Desideri effettuare la copia ora?"}, false, true},
        {"1\r\n0\r\n\r\n\r\n\r\n\r\n", {false, false},
         {"Non è mai stata effettuata la copia di backup. Desideri effettuare la copia ora?", sure}, false},
        // A declined automatic backup skips the reminder.
        {"1\r\n1\r\n7\r\n1\r\n\r\n\r\n", {false, false},
         {"Non è mai stata effettuata la copia di backup automatica. Desideri effettuare la copia ora?", sure},
         false},
        {"0\r\n1\r\n\r\n1\r\n\r\n12-05-2026\r\n", {true, true},
         {"Sono trascorsi 1 giorno dall'ultima copia di backup automatica. Desideri effettuare la copia ora?", sure},
         true},
    };
    for (const Case& c : cases) {
        TestSession t;
        t.existingCompany();
        t.drive.write("kalwin/kalwin/kalaz0.000/kalvora.cli", "clienti");
        t.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", std::string(140, '\0'));
        if (!c.prefs.empty()) t.drive.write("kalwin/kalwin/kalvora.pry", c.prefs);
        MainForm form(t.session);
        form.startup();
        t.session.run().startedModules[3] = "Emissione fatture";
        t.session.run().startedModules[7] = "Gestione archivio clienti";
        t.platform.windowsOpen = {"Gestione archivio clienti"};
        t.platform.answers.assign(c.answers.begin(), c.answers.end());
        t.platform.modalHandlers["zelabak"] = [](core::Form& f) { static_cast<company::BackupForm&>(f).closeWindow(); };
        form.chooseMenu("o_fin");
        EXPECT_EQ(std::count(t.platform.modalsOpened.begin(), t.platform.modalsOpened.end(), "zelabak"),
                  c.backupWindow ? 1 : 0);
        std::vector<std::string> asked;
        for (const auto& q : t.platform.questions()) asked.push_back(q.text);
        EXPECT_EQ(asked, c.questions) << c.prefs;
        EXPECT_EQ(form.exiting(), c.exits) << c.prefs;
        EXPECT_EQ(t.platform.quitCalled, c.exits);
        // Leaving closes the module windows still open, looked up by every recorded title.
        EXPECT_EQ(t.platform.closeRequests, c.exits ? 1 : 0);
        // The automatic backup accepted copies the company.
        EXPECT_EQ(t.drive.exists("kalwin/kalwin/kalaz0.000/kalaz0.bkk/kalvora.cli"), c.prefs.starts_with("0\r\n1"));
    }
}

}  // namespace
}  // namespace kalvora::launcher
