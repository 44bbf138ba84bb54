#include "launcher/main_form.h"

#include "company/backup_prefs.h"
#include "company/company_creation.h"
#include "company/company_selection.h"
#include "company/current_company.h"
#include "company/registry.h"
#include "company/settings_loader.h"
#include "core/text.h"
#include "launcher/daily_notice.h"
#include "launcher/help_documents.h"
#include "launcher/info_form.h"
#include "launcher/login_form.h"
#include "launcher/main_menu.h"
#include "launcher/module_launcher.h"
#include "launcher/module_menus.h"
#include "launcher/user_commands.h"
#include "tables/banks.h"
#include "tables/carriers.h"
#include "tables/causals.h"
#include "tables/invoice_types.h"
#include "tables/payment_terms.h"
#include "tables/posting_accounts.h"
#include "tables/vat_codes.h"

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
    toolbar_ = readToolbar(s.files(), s.installation());
    selectFirstCompany();
    showNotice();
    run.startupFlag = 0;
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
    } else if (entryName == "s_sta") {
        s.platform().printerSetup();
    } else if (core::startsWith(entryName, "x_azi_")) {
        companyCommand(core::integerValue(core::mid(entryName, 7)));
    } else if (entryName == "x_pag") {
        openTableWindow<tables::PaymentTermsForm>();
    } else if (entryName == "x_iva") {
        openTableWindow<tables::VatCodesForm>();
    } else if (entryName == "x_ban") {
        openTableWindow<tables::BanksForm>();
    } else if (entryName == "x_vet") {
        openTableWindow<tables::CarriersForm>();
    } else if (entryName == "x_cau") {
        openTableWindow<tables::CausalsForm>();
    } else if (entryName == "x_mas") {
        openTableWindow<tables::PostingAccountsForm>();
    } else if (entryName == "x_tip") {
        openTableWindow<tables::InvoiceTypesForm>();
    } else if (core::startsWith(entryName, "x_inte_")) {
        internetCommand(core::integerValue(core::mid(entryName, 8)));
    } else if (core::startsWith(entryName, "x_xass_")) {
        // Operating guide, how-to guide, latest changes.
        static constexpr int documents[] = {1, 3, 2};
        const int item = core::integerValue(core::mid(entryName, 8));
        if (item >= 0 && item <= 2) openHelpDocument(s, documents[item]);
    } else if (entryName == "o_fin") {
        finishWork();
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
    static constexpr std::pair<std::string_view, const char*> menuCommands[] = {
        {cmd::assistance, "x_xass_3"}, {cmd::backup, "x_bak"},     {cmd::restore, "x_res"},
        {cmd::calculator, "s_clc"},    {cmd::print, "s_sta"},      {cmd::postIt, "x_postit"},
        {cmd::internet, "x_inte_2"},   {cmd::mail, "x_inte_4"},    {cmd::mailArchive, "x_inte_5"},
        {cmd::site, "x_inte_7"},       {cmd::post, "x_inte_8"}};
    for (const auto& [word, entry] : menuCommands) {
        if (command != word) continue;
        if (entryEnabled(entry))
            chooseMenu(entry);
        else
            s.platform().message("Funzione disabilitata", "Attenzione", core::Icon::Critical);
        return;
    }
    if (command == cmd::info) {
        s.platform().show(std::make_unique<InfoForm>(s));
    } else if (command == cmd::help1) {
        openHelpDocument(s, 1);
    } else if (command == cmd::help2) {
        openHelpDocument(s, 2);
    } else if (command == cmd::availability) {
        internetCommand(1);
    } else if (command == cmd::updateRequest) {
        internetCommand(3);
    } else if (command == cmd::finish) {
        finishWork();
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
    s.run().windowDone = 1;
    company::CompanySelectionForm form(s);
    form.open();
    s.platform().showModal(form);
    if (changed) changed();
}

template <typename TableForm>
void MainForm::openTableWindow() {
    auto& s = session();
    // Table windows show the current company's settings as saved by any window before them.
    company::loadCompanySettings(s);
    auto form = std::make_unique<TableForm>(s);
    form->open();
    s.platform().show(std::move(form));
}

void MainForm::companyCommand(int item) {
    auto& s = session();
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
    s.run().windowDone = 1;
    company::CompanyCreationForm form(s, mode);
    form.open();
    s.platform().showModal(form);
    if (changed) changed();
}

void MainForm::internetCommand(int item) {
    auto& s = session();
    if (item == 7) {
        s.platform().openDocument(s.installation().siteAddress());
        return;
    }
    static constexpr std::pair<int, const char*> functions[] = {
        {1, "005"}, {2, "001"}, {3, "011"}, {4, "007"}, {5, "008"}, {6, "002"}, {8, "009"}};
    for (const auto& [index, code] : functions) {
        if (index != item) continue;
        // The assistance program does the work; this only hands it the function code.
        const std::string program = modulePath(s.files(), s.installation(), "kalfass");
        const int error = s.platform().startProgram(program, {code}, "");
        if (error)
            s.platform().message(
                "Si è verificato un errore durante l'esecuzione del programma: errore " + std::to_string(error),
                "Attenzione", core::Icon::Critical);
    }
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
