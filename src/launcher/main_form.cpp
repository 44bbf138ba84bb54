#include "launcher/main_form.h"

#include "company/archive_conversion.h"
#include "company/backup_form.h"
#include "company/backup_prefs.h"
#include "company/company_creation.h"
#include "company/company_deletion.h"
#include "company/company_duplication.h"
#include "company/company_selection.h"
#include "company/current_company.h"
#include "company/registry.h"
#include "core/text.h"
#include "launcher/daily_notice.h"
#include "launcher/info_form.h"
#include "launcher/internet_functions.h"
#include "launcher/login_form.h"
#include "launcher/main_menu.h"
#include "launcher/module_launcher.h"
#include "launcher/module_menus.h"

#include <memory>

namespace kalvora::launcher {

namespace {

// The elapsed-time text of the backup reminders, from the days the due test gives.
std::string elapsedText(const std::string& days) {
    if (days.empty()) return {};
    return days + (core::integerValue(days) == 1 ? " giorno" : " giorni");
}

}  // namespace

MainForm::MainForm(core::Session& session) : core::Form(session), menus_(mainMenuTree()) {}

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

void MainForm::showBackground() {
    background_ = readBackground(session().files(), session().installation());
    // The notes come and go with the transparent screen; before the login there are none yet.
    if (started_) postits_.show();
    if (changed) changed();
}

void MainForm::startup() {
    if (started_) return;
    auto& s = session();
    auto& run = s.run();

    showBackground();
    setStatus("Attendere - inizializzazione sistema");
    replaceAssistanceProgram();
    refreshNotice(s, [this](const std::string& text) { setStatus(text); });
    // Company 000's settings are loaded when it becomes current, after the login.
    run.windowTitle = std::string(productName) +
                      (run.edition == core::Edition::Tornalix ? " Tornalix " : " Zaft ") + version;
    statusColour_ = StatusColour::Black;
    setStatus("");
    if (!login()) return;
    buildModuleMenus(s, menus_);
    toolbar_ = readToolbar(s.files(), s.installation());
    selectFirstCompany();
    showNotice();
    // A company whose archives are still in an earlier layout is offered the conversion.
    company::offerConversion(s);
    postits_.show();
    started_ = true;
    if (changed) changed();
}

bool MainForm::login() {
    auto& s = session();
    s.run().userCaption.clear();
    if (changed) changed();
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
    // Another user may belong to another group of ten, with a notes file of its own.
    postits_.show();
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
    company::openFirstCompany(session());
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
    noticeButtonVisible_ = !webAddress(notice.link).empty();
}

void MainForm::noticeClicked() {
    const std::string address = webAddress(session().run().noticeLink);
    if (!address.empty()) session().platform().openDocument(address);
}

void MainForm::chooseMenu(const std::string& entryName) {
    if (!entryEnabled(entryName)) return;
    if (const MainMenuItem* item = findMainMenuItem(entryName); item && item->open) {
        item->open(*this);
    } else if (const core::ModuleEntry* module = core::findModuleByEntry(entryName)) {
        launchModule(session(), *module);
    }
}

bool MainForm::entryEnabled(const std::string& entryName) const {
    const MenuEntry* entry = findEntry(menus_, entryName);
    return entry && entry->visible && entry->enabled;
}

void MainForm::toolbarClicked(int button) {
    auto& s = session();
    namespace cmd = toolbar_command;
    const std::string command = toolbar_.command(button);
    // Built-in commands that stand for a menu entry work only while that entry does.
    if (const MainMenuItem* item = findToolbarItem(command)) {
        if (entryEnabled(std::string(item->name)))
            chooseMenu(std::string(item->name));
        else
            s.platform().message("Funzione disabilitata", "Attenzione", core::Icon::Critical);
    } else if (command == cmd::info) {
        s.platform().show(std::make_unique<InfoForm>(s));
    } else if (command == cmd::assistance) {
        openAssistance(s, 1);
    } else if (command == cmd::postIt) {
        postits_.newNote();
    } else if (command == cmd::availability) {
        internetFunction(s, 1);
    } else if (command == cmd::updateRequest) {
        internetFunction(s, 3);
    } else if (core::startsWith(command, "=")) {
        const core::ModuleEntry* module = toolbarModuleEntry(command);
        const int position = toolbarPrivilegePosition(command);
        // "=BLA" has no menu entry: only its privilege position can deny it.
        const bool allowed = module ? entryEnabled(std::string(module->entry))
                                    : position > 0 && core::mid(privilegeString(s), position, 1) != "1";
        if (!allowed) {
            s.platform().message("Funzione non disponibile per il profilo utente selezionato", "Attenzione",
                                 core::Icon::Critical);
            return;
        }
        launch(s, toolbarProgram(command), core::trim(toolbar_.button(button).tooltip));
    }
}

void MainForm::companyPictureClicked() {
    auto& s = session();
    company::CompanySelectionForm form(s);
    form.open();
    s.platform().showModal(form);
    if (changed) changed();
}

void MainForm::companyCommand(int item) {
    auto& s = session();
    if (item == 5 || item == 6) {
        if (item == 5)
            company::duplicateCompany(s, companyCaption());
        else
            company::deleteShownCompany(s, companyCaption());
        if (changed) changed();
        return;
    }
    using company::CreationMode;
    CreationMode mode = item == 1 ? CreationMode::New : CreationMode::Edit;
    if (item == 3 || item == 4) {
        const int code = core::integerValue(core::left(companyCaption(), 3));
        if (code >= 990) {
            s.platform().message(
                "Selezionare una azienda con codice inferiore a 990 prima di richiamare questa funzione.",
                "Attenzione", core::Icon::Critical);
            return;
        }
        if (code == 0) {
            s.platform().message(
                "Selezionare una azienda con codice diverso da 000 prima di richiamare questa funzione.",
                "Attenzione", core::Icon::Critical);
            return;
        }
        mode = item == 3 ? CreationMode::Duplicate : CreationMode::Delete;
    } else if (item != 1 && item != 2) {
        return;
    }
    company::CompanyCreationForm form(s, mode);
    form.open();
    s.platform().showModal(form);
    if (changed) changed();
}

void MainForm::setDate(const core::Date& date) {
    auto& platform = session().platform();
    if (!core::isValid(date) || date == session().clock().today()) return;
    if (const int error = platform.setSystemDate(date); error != 0)
        platform.message("Non è stato possibile impostare la data del computer: il sistema non lo consente (errore " +
                             std::to_string(error) + ").",
                         "Attenzione", core::Icon::Critical);
    if (changed) changed();
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
            company::BackupForm backup(s);
            backup.open();
            platform.showModal(backup);
            if (changed) changed();
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
