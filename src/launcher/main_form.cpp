#include "launcher/main_form.h"

#include "company/backup_prefs.h"
#include "company/company_creation.h"
#include "company/registry.h"
#include "company/settings_loader.h"
#include "core/text.h"
#include "launcher/daily_notice.h"
#include "launcher/login_form.h"
#include "launcher/module_launcher.h"
#include "launcher/module_menus.h"
#include "launcher/user_commands.h"

namespace kalvora::launcher {

namespace {

std::vector<MenuEntry> baseMenus() {
    std::vector<MenuEntry> menus = moduleMenuTree();
    menus.push_back({"m_uti", "Utilità", true, true,
                     {{"s_pwd", "Password di accesso", true, true, {}},
                      {"x_usr", "Tabella utenti", true, true, {}},
                      {"s_clc", "Calcolatrice", true, true, {}}}});
    menus.push_back({"o_fin", "Fine lavoro", true, true, {}});
    return menus;
}

// The elapsed-time text of the backup reminders, from the days the due test gives.
std::string elapsedText(const std::string& days) {
    if (days.empty()) return {};
    return days + (core::integerValue(days) == 1 ? " giorno" : " giorni");
}

}  // namespace

MainForm::MainForm(core::Session& session) : core::Form(session), menus_(baseMenus()) {}

std::string MainForm::title() const {
    return session().run().windowTitle;
}

std::string MainForm::companyCaption() const { return session().company().companyCaption; }
std::string MainForm::yearCaption() const { return session().company().yearCaption; }
std::string MainForm::userCaption() const { return session().run().userCaption; }
bool MainForm::userPictureVisible() const { return session().run().userNumber() != 0; }
std::string MainForm::dateText() const { return core::toDdMmYyyy(session().clock().today()); }

void MainForm::setStatus(const std::string& text) {
    status_ = text;
    if (changed) changed();
}

void MainForm::startup() {
    if (started_) return;
    auto& s = session();
    auto& run = s.run();

    // The background picture is shown here once backgrounds exist.
    setStatus("Attendere - inizializzazione sistema");
    run.startupFlag = 9999;
    replaceAssistanceProgram();
    refreshNotice(s, [this](const std::string& text) { setStatus(text); });
    company::loadCompanySettings(s);
    run.windowTitle = std::string(productName) +
                      (run.edition == core::Edition::Tornalix ? " Tornalix " : " Zaft ") + version;
    statusColour_ = StatusColour::Black;
    setStatus("");
    if (!login()) return;
    buildModuleMenus(s, menus_);
    selectFirstCompany();
    showNotice();
    run.startupFlag = 0;
    started_ = true;
    if (changed) changed();
}

bool MainForm::login() {
    auto& s = session();
    s.run().userCaption.clear();
    LoginForm form(s);
    form.open();
    s.platform().showModal(form);
    if (form.programEnded()) {
        close();
        return false;
    }
    if (s.run().userCaption.empty()) s.run().userCaption = unidentifiedUser;
    return true;
}

void MainForm::changeUser() {
    if (!login()) return;
    buildModuleMenus(session(), menus_);
    if (changed) changed();
}

void MainForm::replaceAssistanceProgram() {
    auto& files = session().files();
    const auto& inst = session().installation();
    const std::string pending = inst.file("kalfass.ex_");
    if (!files.canOpen(pending)) return;
    // The copy is atomic, so a failure leaves the old program and the pending one for next time.
    if (files.copyFile(pending, inst.file("kalfass.exe")) == 0) files.remove(pending);
}

void MainForm::selectFirstCompany() {
    auto& s = session();
    auto& state = s.company();
    auto registry = company::readRegistry(s.files(), s.installation());
    if (registry) {
        state.registry = *registry;
    } else {
        // Whatever is left of an unreadable registry is kept before the creation rewrites it.
        company::keepDamagedRegistry(s.files(), s.installation());
        s.run().windowDone = 1;
        company::CompanyCreationForm creation(s, company::CreationMode::First);
        creation.open();
        s.platform().showModal(creation);
    }
    company::selectCompany(state, 0);
    company::writeInUseMarker(s.files(), s.installation(), 0);
    companyAreaVisible_ = true;
}

void MainForm::showNotice() {
    auto& run = session().run();
    run.noticeLink.clear();
    const Notice notice = readNotice(session().files(), session().installation(), dateText());
    run.noticeLink = notice.link;
    if (notice.message.empty()) return;
    status_ = notice.message;
    // Only web addresses: the notice comes from the network and must not start local programs.
    noticeButtonVisible_ = !notice.link.empty() && isWebAddress(notice.link);
}

void MainForm::noticeClicked() {
    const std::string link = core::trim(session().run().noticeLink);
    if (isWebAddress(link)) session().platform().openDocument(link);
}

void MainForm::chooseMenu(const std::string& entryName) {
    const MenuEntry* entry = findEntry(menus_, entryName);
    if (!entry || !entry->visible || !entry->enabled) return;
    auto& s = session();
    if (const core::ModuleEntry* module = core::findModuleByEntry(entryName)) {
        launchModule(s, *module);
    } else if (entryName == "s_pwd") {
        changePassword(s);
    } else if (entryName == "x_usr") {
        openUsersTable(s);
    } else if (entryName == "s_clc") {
        launch(s, "calc", "Calcolatrice");
    } else if (entryName == "o_fin") {
        finishWork();
    }
}

void MainForm::finishWork() {
    auto& s = session();
    auto& platform = s.platform();
    const company::BackupDue due = company::backupDue(s.files(), s.installation(), s.clock().today());
    const std::string elapsed = elapsedText(due.days);
    const std::string opening = elapsed.empty() ? std::string("Non è mai stata effettuata la ")
                                                : "Sono trascorsi " + elapsed + " dall'ultima ";
    int kind = due.kind;
    if (kind == 2) {
        if (platform.askYesNo(opening + "copia di backup automatica. Desideri effettuare la copia ora?",
                              "Copie automatiche di backup", core::Icon::Question)) {
            platform.setBusy(true);
            company::automaticBackup(s, [this](const std::string& text) { setStatus(text); });
            platform.setBusy(false);
            setStatus("");
        }
        kind = 0;
    }
    if (kind == 1) {
        if (platform.askYesNo(opening + "copia di backup. Desideri effettuare la copia ora?",
                              "Promemoria copie di backup", core::Icon::Question)) {
            // The backup window takes over from here; the program stays open.
            return;
        }
        kind = 0;
    }
    if (!platform.askYesNo("Sei proprio sicuro?", "Fine lavoro", core::Icon::Question)) return;
    closeStartedModules();
    exitProgram();
}

void MainForm::closeBox() {
    closeStartedModules();
    exitProgram();
}

void MainForm::closeStartedModules() {
    auto& s = session();
    auto& modules = s.run().startedModules;
    for (std::size_t slot = 1; slot < modules.size(); ++slot) {
        if (modules[slot].empty()) continue;
        if (s.platform().bringToFront(modules[slot])) s.platform().closeFrontWindow();
    }
}

void MainForm::exitProgram() {
    close();
    session().platform().quit();
}

}  // namespace kalvora::launcher
