#include "company/company_creation.h"
#include "company/registry.h"
#include "core/text.h"
#include "company/company_selection.h"
#include "launcher/info_form.h"
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "launcher/users_file.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

using company::CompanyCreationForm;
using testing::Shown;

// A session whose user continues past the login window (no users file: information mode).
struct TestSession : testing::TestSession {
    explicit TestSession(core::Date today = {2026, 12, 6}) : testing::TestSession(today) {
        platform.modalHandlers["zelchkp"] = [](core::Form& f) {
            auto& login = dynamic_cast<LoginForm&>(f);
            EXPECT_TRUE(login.informationMode());
            login.continuePressed();
        };
    }
};

std::string registryWith(const std::string& firstLine) {
    std::string out = firstLine + "\r\n";
    for (int i = 1; i < 1000; ++i) out += "*\r\n";
    return out;
}

// Plays the user on the first-company window: tries to leave, then fills in and confirms.
void createCompanyAs(TestSession& t, const std::string& name, int yearIndex) {
    t.platform.modalHandlers["zelcrea"] = [name, yearIndex](core::Form& f) {
        auto& form = dynamic_cast<CompanyCreationForm&>(f);
        EXPECT_EQ(form.title(), "Creazione azienda");
        form.leave();
        EXPECT_FALSE(form.closed());
        form.setField(0, name);
        form.setField(2, "Città di Castello");
        form.selectYear(yearIndex);
        form.confirm();
    };
}

TEST(MainFormStartup, FirstStartCreatesTheFirstCompany) {
    TestSession t({2026, 12, 6});
    createCompanyAs(t, "Rossi & Città S.r.l.", 24);
    MainForm form(t.session);
    form.startup();

    EXPECT_EQ(t.platform.modalsOpened, (std::vector<std::string>{"zelchkp", "zelcrea"}));
    const auto messages = t.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "E' obbligatorio creare l'azienda");
    EXPECT_EQ(messages[0].title, "Attenzione");
    EXPECT_EQ(messages[0].icon, core::Icon::Critical);

    EXPECT_EQ(form.title(), "Kalvora Zaft 15.E");
    EXPECT_EQ(form.companyCaption(), "000 Rossi & Città S.r.l.");
    EXPECT_EQ(form.yearCaption(), "2024");
    EXPECT_EQ(form.userCaption(), " 00 Utente non identificato");
    EXPECT_FALSE(form.userPictureVisible());
    EXPECT_TRUE(form.companyAreaVisible());
    EXPECT_EQ(form.status(), "");
    EXPECT_EQ(form.dateText(), "06/12/2026");
    EXPECT_EQ(t.session.run().startupFlag, 0);
    ASSERT_NE(findEntry(form.menus(), "o_fin"), nullptr);
    EXPECT_EQ(findEntry(form.menus(), "o_fin")->caption, "Fine lavoro");

    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.uso"), " 0 \r\n");
    const std::string registry = t.drive.read("kalwin/kalwin/kalvora.azi");
    EXPECT_EQ(registry.size(), 204u + 2 + 999 * 3);
    EXPECT_EQ(registry.substr(0, 12), "Rossi & Citt");
    EXPECT_EQ(static_cast<unsigned char>(registry[12]), 0xE0);  // à in Windows-1252
    for (const char* file : {"kalvora.a14", "kalvora.tot", "kal2026.cor", "kal2026.crr", "kalvora.mas",
                             "kalvora.aut", "kalvora.tab", "kalvora.int", "kalvora.gnr"})
        EXPECT_TRUE(t.drive.exists(std::string("kalwin/kalwin/kalaz0.000/") + file)) << file;
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.000/kalvora.gnr").size(), 479u);
}

TEST(MainFormStartup, SecondStartGoesStraightToTheMainWindow) {
    TestSession t({2026, 12, 6});
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith(std::string(200, 'A') + "2025"));
    t.drive.write("kalwin/kalwin/kalvora.uso", " 7 \r\n");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
    EXPECT_TRUE(t.platform.shown.empty());
    EXPECT_EQ(form.companyCaption(), "000 " + std::string(200, 'A'));
    EXPECT_EQ(form.yearCaption(), "2025");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.uso"), " 0 \r\n");  // written on every start
}

TEST(MainFormStartup, ShortRegistryIsCompletedAndCompanyZeroKeepsItsArchives) {
    TestSession t;
    std::string damaged;
    for (int code = 0; code < 999; ++code) damaged += (code == 0 ? "Bianchi Spa" : "*") + std::string("\r\n");
    t.drive.write("kalwin/kalwin/kalvora.azi", damaged);
    const std::pair<std::string, std::string> archives[] = {{"kalvora.tot", "conti"}, {"kalvora.tab", "tabelle"},
        {"kalvora.mas", "mastri"}, {"kalvora.aut", "automatismi"}, {"kalvora.int", "Bianchi Spa\r\n"}};
    for (const auto& [name, bytes] : archives) t.drive.write("kalwin/kalwin/kalaz0.000/" + name, bytes);
    createCompanyAs(t, "Nuova", 26);  // what the user would type, were the creation opened
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
    for (const auto& [name, bytes] : archives) EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.000/" + name), bytes);
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.azi.old"), damaged);
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.azi"), damaged + "*\r\n");
    EXPECT_EQ(form.companyCaption(), "000 Bianchi Spa");
}

TEST(MainFormStartup, NoticeOfTheDayWithLink) {
    TestSession t({2026, 12, 6});
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
    t.drive.write("kalwin/kalvora.bnn",
                  "20261206\r\n1 **/**/**** ZF @https://www.example.org/news\r\n3 06/12/2026 ZF Avviso del giorno\r\n");
    t.platform.online = true;  // dated today: no download even when online
    MainForm form(t.session);
    form.startup();
    EXPECT_TRUE(t.platform.downloadsRequested.empty());
    EXPECT_EQ(form.status(), "Avviso del giorno");
    EXPECT_TRUE(form.noticeButtonVisible());
    EXPECT_EQ(form.yearCaption(), "");
    form.noticeClicked();
    EXPECT_EQ(t.platform.documentsOpened, std::vector<std::string>{"https://www.example.org/news"});
}

TEST(MainFormStartup, NoticeLinkToALocalProgramIsNeverOpened) {
    TestSession t({2026, 12, 6});
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
    t.drive.write("kalwin/kalvora.bnn", "20261206\r\n1 **/**/**** ZF @/usr/bin/xterm\r\n3 **/**/**** ZF Clicca\r\n");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(form.status(), "Clicca");
    EXPECT_FALSE(form.noticeButtonVisible());
    form.noticeClicked();
    EXPECT_TRUE(t.platform.documentsOpened.empty());
}

TEST(MainFormStartup, PendingAssistanceProgramReplacesTheOldOne) {
    TestSession t;
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
    t.drive.write("kalwin/kalwin/kalfass.exe", "old");
    t.drive.write("kalwin/kalwin/kalfass.ex_", "new program");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalfass.exe"), "new program");
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalfass.ex_"));
}

// Users 1 (administrator) and 3, who is denied the customer archive.
void writeUsers(TestSession& t) {
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
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
        EXPECT_FALSE(login.informationMode());
        login.setPassword(password);
        login.confirm();
    };
}

TEST(MainFormLogin, PasswordIdentifiesTheUserAndTheMenusFollowHisPrivileges) {
    TestSession t;
    writeUsers(t);
    typePassword(t, "segreta");
    MainForm form(t.session);
    form.startup();
    EXPECT_EQ(form.userCaption(), " 03 Nicolò");
    EXPECT_TRUE(form.userPictureVisible());
    EXPECT_FALSE(findEntry(form.menus(), "x_kalcli")->enabled);
    EXPECT_TRUE(findEntry(form.menus(), "m_ven")->visible);
    EXPECT_TRUE(t.drive.exists("kalwin/kalwin/kalvora.prg"));

    // Change of user: the administrator is never denied.
    typePassword(t, "capo");
    form.changeUser();
    EXPECT_EQ(form.userCaption(), " 01 Amministratore");
    EXPECT_TRUE(findEntry(form.menus(), "x_kalcli")->enabled);
}

TEST(MainFormLogin, CloseBoxWithoutAMatchEndsTheProgram) {
    TestSession t;
    writeUsers(t);
    t.platform.modalHandlers["zelchkp"] = [](core::Form& f) {
        auto& login = dynamic_cast<LoginForm&>(f);
        login.setPassword("sbagliata");
        login.closeBox();
    };
    MainForm form(t.session);
    form.startup();
    EXPECT_TRUE(form.exiting());
    EXPECT_TRUE(t.platform.quitCalled);
    EXPECT_FALSE(form.started());
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalvora.uso"));
}

TEST(MainFormMenus, EntriesReachTheirCommands) {
    TestSession t;
    t.drive.makeInstallation(0);
    t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
    t.platform.desktopPrograms[core::DesktopTool::Calculator] = "/usr/bin/galculator";
    MainForm form(t.session);
    form.startup();

    form.chooseMenu("x_kalemf");
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].title, "Emissione fatture");
    EXPECT_EQ(t.platform.started[0].arguments, std::vector<std::string>{"$$vj%r000"});
    form.chooseMenu("s_clc");
    EXPECT_EQ(t.platform.started.at(1).program, "/usr/bin/galculator");
    form.chooseMenu("x_kalchi");  // shown, but its window is not offered yet
    EXPECT_EQ(t.platform.started.size(), 2u);

    form.chooseMenu("s_pwd");
    EXPECT_EQ(t.platform.messages().back().text,
              "Per poter modificare la password è necessario farsi attribuire un accesso dall'amministratore di "
              "sistema.");
    t.session.run().userCaption = " 02 Mario";
    form.chooseMenu("x_usr");
    EXPECT_EQ(t.platform.messages().back().text,
              "Solo l'amministratore di sistema può impostare la tabella degli utenti");
}

class MainMenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        t.drive.makeInstallation(0);
        t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
        form.startup();
    }
    TestSession t;
    MainForm form{t.session};
};

TEST_F(MainMenuCommands, CompanyGuardsOfDuplicationAndDeletion) {
    const std::string below990 =
        "Selezionare una azienda con codice inferiore a 990 prima di richiamare questa funzione.";
    const std::string not000 = "Selezionare una azienda con codice diverso da 000 prima di richiamare questa funzione.";
    for (const auto& [caption, expected] : std::vector<std::pair<std::string, std::string>>{
             {"995 Copia", below990}, {"990 Copia", below990}, {"000 Alfa", not000}}) {
        t.session.company().companyCaption = caption;
        for (const char* item : {"x_azi_3", "x_azi_4"}) {
            form.chooseMenu(item);
            ASSERT_FALSE(t.platform.messages().empty());
            EXPECT_EQ(t.platform.messages().back().text, expected) << caption << item;
            EXPECT_EQ(t.platform.messages().back().title, "Attenzione");
        }
    }
    EXPECT_EQ(t.platform.modalsOpened, std::vector<std::string>{"zelchkp"});

    t.session.company().companyCaption = "005 Beta";
    t.platform.modalHandlers["zelcrea"] = [](core::Form& f) {
        auto& creation = dynamic_cast<CompanyCreationForm&>(f);
        EXPECT_EQ(creation.title(), "Duplicazione azienda");
        creation.leave();
    };
    form.chooseMenu("x_azi_3");
    EXPECT_EQ(t.platform.modalsOpened.back(), "zelcrea");
    // The direct commands stay hidden.
    EXPECT_FALSE(findEntry(form.menus(), "x_azi_5")->visible);
    EXPECT_FALSE(findEntry(form.menus(), "x_azi_6")->visible);
}

TEST_F(MainMenuCommands, DateFieldSetsTheComputersDate) {
    form.setDate({2026, 12, 24});
    EXPECT_EQ(t.platform.datesSet, (std::vector<core::Date>{{2026, 12, 24}}));
    EXPECT_TRUE(t.platform.shown.empty());
    t.platform.setDateResult = 1;
    form.setDate({2026, 12, 25});
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_EQ(t.platform.messages()[0].text,
              "Non è stato possibile impostare la data del computer: il sistema non lo consente (errore 1).");
    EXPECT_EQ(form.dateText(), "06/12/2026");  // the field stays on the real date
}

TEST_F(MainMenuCommands, WindowsAndProgramsOfTheUtilityAndInternetMenus) {
    form.chooseMenu("x_pag");
    form.chooseMenu("x_iva");
    ASSERT_EQ(t.platform.windowsShown.size(), 2u);
    EXPECT_EQ(t.platform.windowsShown[0]->name(), "zelstpag");
    EXPECT_EQ(t.platform.windowsShown[1]->name(), "zelstiva");
    form.chooseMenu("s_sta");
    EXPECT_EQ(t.platform.printerSetups, 1);

    for (const char* entry : {"x_ban", "x_vet", "x_cau", "x_mas", "x_tip"}) form.chooseMenu(entry);
    std::vector<std::string> names;
    for (const auto& window : t.platform.windowsShown) names.push_back(window->name());
    EXPECT_EQ(names, (std::vector<std::string>{"zelstpag", "zelstiva", "zelstban", "zelstvet", "zelstcau",
                                               "zelstmas", "zelstbil"}));

    form.chooseMenu("x_cas");  // its window is not offered yet: disabled, nothing happens
    EXPECT_FALSE(findEntry(form.menus(), "x_cas")->enabled);
    EXPECT_EQ(t.platform.windowsShown.size(), 7u);

    form.chooseMenu("x_inte_4");
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/kalfass"));
    EXPECT_EQ(t.platform.started[0].arguments, std::vector<std::string>{"007"});
    t.platform.startResult = 2;
    form.chooseMenu("x_inte_2");
    EXPECT_EQ(t.platform.messages().back().text,
              "Si è verificato un errore durante l'esecuzione del programma: errore 2");
}

TEST_F(MainMenuCommands, MenuBarOrder) {
    std::vector<std::string> captions;
    for (const auto& menu : form.menus()) captions.push_back(menu.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Aziende", "Vendite", "Acquisti", "Magazzino", "Contabilità",
                                                  "Utilità", "Internet", "Assistenza", "Fine lavoro"}));
}

TEST_F(MainMenuCommands, DefaultToolbarCommands) {
    ASSERT_EQ(form.toolbar().layout(30).size(), 11u);
    form.toolbarClicked(4);  // "*backup": its window is not offered yet
    EXPECT_EQ(t.platform.messages().back().text, "Funzione disabilitata");
    t.platform.desktopPrograms[core::DesktopTool::Calculator] = "/usr/bin/galculator";
    form.toolbarClicked(6);
    EXPECT_EQ(t.platform.started.back().program, "/usr/bin/galculator");
    form.toolbarClicked(7);
    EXPECT_EQ(t.platform.printerSetups, 1);
    form.toolbarClicked(1);
    ASSERT_EQ(t.platform.windowsShown.size(), 1u);
    EXPECT_EQ(dynamic_cast<InfoForm&>(*t.platform.windowsShown[0]).versionLine(), "versione 'ZAFT' 15.E");
    t.platform.answers = {false};
    form.toolbarClicked(11);
    EXPECT_EQ(t.platform.questions().back().text, "Sei proprio sicuro?");
}

TEST_F(MainMenuCommands, CompanyPictureOpensTheSelection) {
    t.platform.modalHandlers["zelselazi"] = [](core::Form& f) {
        auto& selection = dynamic_cast<company::CompanySelectionForm&>(f);
        selection.closeBox();
    };
    form.companyPictureClicked();
    EXPECT_EQ(t.platform.modalsOpened.back(), "zelselazi");
    EXPECT_EQ(t.session.run().windowDone, 2);
}

TEST(MainFormToolbar, ModuleButtonsFollowTheUsersPrivileges) {
    TestSession t;
    writeUsers(t);
    std::string toolbar;
    for (int b = 1; b <= 30; ++b)
        toolbar += b == 1 ? "*\r\nClienti\r\n=CLI\r\n\r\n" : b == 2 ? "\r\nDDT\r\n=BOL\r\n\r\n" : "\r\n\r\n\r\n\r\n";
    t.drive.write("kalwin/kalwin/kalvora.btt", toolbar);
    typePassword(t, "segreta");
    MainForm form(t.session);
    form.startup();
    form.toolbarClicked(1);
    EXPECT_EQ(t.platform.messages().back().text, "Funzione non disponibile per il profilo utente selezionato");
    EXPECT_TRUE(t.platform.started.empty());
    form.toolbarClicked(2);
    ASSERT_EQ(t.platform.started.size(), 1u);
    EXPECT_EQ(t.platform.started[0].program, t.drive.path("kalwin/kalwin/kalbol1"));
    EXPECT_EQ(t.platform.started[0].title, "DDT");
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalvora.cmd"));
}

class Shutdown : public ::testing::Test {
protected:
    void SetUp() override {
        t.drive.makeInstallation(0);
        t.drive.write("kalwin/kalwin/kalvora.azi", registryWith("Alfa"));
        t.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", std::string(140, '\0'));
        form.startup();
        t.session.run().startedModules[3] = "Emissione fatture";
        t.session.run().startedModules[7] = "Gestione archivio clienti";
        t.platform.windowsOpen = {"Gestione archivio clienti"};
    }
    void prefs(const std::string& content) { t.drive.write("kalwin/kalwin/kalvora.pry", content); }

    TestSession t{core::Date{2026, 12, 6}};
    MainForm form{t.session};
};

TEST_F(Shutdown, NothingDueAsksOnlyForConfirmation) {
    t.platform.answers = {false};
    form.chooseMenu("o_fin");
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.shown[0].text, "Sei proprio sicuro?");
    EXPECT_EQ(t.platform.shown[0].title, "Fine lavoro");
    EXPECT_EQ(t.platform.shown[0].icon, core::Icon::Question);
    EXPECT_FALSE(form.exiting());
    EXPECT_FALSE(t.platform.quitCalled);

    t.platform.answers = {true};
    form.chooseMenu("o_fin");
    EXPECT_TRUE(form.exiting());
    EXPECT_TRUE(t.platform.quitCalled);
    // Every recorded module window was looked for; the one still open was asked to close.
    EXPECT_EQ(t.platform.broughtToFront,
              (std::vector<std::string>{"Emissione fatture", "Gestione archivio clienti"}));
    EXPECT_EQ(t.platform.closeRequests, 1);
}

TEST_F(Shutdown, ReminderDue) {
    prefs("1\r\n\r\n7\r\n\r\n11-29-2026\r\n\r\n");
    t.platform.answers = {false, false};
    form.finishWork();
    ASSERT_EQ(t.platform.shown.size(), 2u);
    EXPECT_EQ(t.platform.shown[0].text,
              "Sono trascorsi 7 giorni dall'ultima copia di backup. Desideri effettuare la copia ora?");
    EXPECT_EQ(t.platform.shown[0].title, "Promemoria copie di backup");
    EXPECT_EQ(t.platform.shown[1].text, "Sei proprio sicuro?");

    // Yes: the shutdown stops there and the program stays open.
    t.platform.shown.clear();
    t.platform.answers = {true};
    form.finishWork();
    EXPECT_EQ(t.platform.shown.size(), 1u);
    EXPECT_FALSE(form.exiting());
}

TEST_F(Shutdown, ReminderWithoutAnyBackup) {
    prefs("1\r\n0\r\n\r\n\r\n\r\n\r\n");
    t.platform.answers = {false, false};
    form.finishWork();
    EXPECT_EQ(t.platform.shown[0].text,
              "Non è mai stata effettuata la copia di backup. Desideri effettuare la copia ora?");
}

TEST_F(Shutdown, AutomaticBackupDueAndMade) {
    prefs("0\r\n1\r\n\r\n1\r\n\r\n12-05-2026\r\n");
    t.drive.write("kalwin/kalwin/kalaz0.000/kalvora.cli", "clienti");
    t.platform.answers = {true, true};
    form.finishWork();
    ASSERT_EQ(t.platform.shown.size(), 2u);
    EXPECT_EQ(t.platform.shown[0].text,
              "Sono trascorsi 1 giorno dall'ultima copia di backup automatica. Desideri effettuare la copia ora?");
    EXPECT_EQ(t.platform.shown[0].title, "Copie automatiche di backup");
    EXPECT_EQ(t.platform.shown[1].text, "Sei proprio sicuro?");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.000/kalaz0.bkk/kalvora.cli"), "clienti");
    EXPECT_EQ(t.platform.busy, false);
    EXPECT_TRUE(form.exiting());
}

TEST_F(Shutdown, AutomaticBackupDeclinedSkipsTheReminder) {
    prefs("1\r\n1\r\n7\r\n1\r\n\r\n\r\n");
    t.platform.answers = {false, false};
    form.finishWork();
    ASSERT_EQ(t.platform.shown.size(), 2u);
    EXPECT_EQ(t.platform.shown[0].text,
              "Non è mai stata effettuata la copia di backup automatica. Desideri effettuare la copia ora?");
    EXPECT_EQ(t.platform.shown[1].text, "Sei proprio sicuro?");
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalaz0.000/kalaz0.bkk"));
}

TEST_F(Shutdown, CloseBoxEndsAtOnceWithoutQuestions) {
    prefs("1\r\n1\r\n7\r\n1\r\n\r\n\r\n");
    form.closeBox();
    EXPECT_TRUE(t.platform.shown.empty());
    EXPECT_TRUE(form.exiting());
    EXPECT_TRUE(t.platform.quitCalled);
    EXPECT_EQ(t.platform.closeRequests, 1);
}

}  // namespace
}  // namespace kalvora::launcher
