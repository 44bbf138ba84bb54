// The menu entries outside the module catalogue, in menu order, each with what choosing it
// does. A new window of this program takes one row here and a registration of its view.
#include "company/accounting_closing.h"
#include "company/archive_conversion.h"
#include "company/archive_counters.h"
#include "company/compatible_import.h"
#include "company/backup_form.h"
#include "company/balance_check.h"
#include "company/general_settings_form.h"
#include "company/read_only_check.h"
#include "company/register_numbering.h"
#include "company/restore_form.h"
#include "company/settings_loader.h"
#include "company/year_end_reset_form.h"
#include "launcher/background_form.h"
#include "launcher/help_documents.h"
#include "launcher/internet_functions.h"
#include "launcher/main_form.h"
#include "launcher/main_menu.h"
#include "launcher/module_launcher.h"
#include "launcher/update_installer.h"
#include "launcher/user_commands.h"
#include "printing/field_placement.h"
#include "printing/label_layout_form.h"
#include "printing/listing_settings_form.h"
#include "printing/settings_check.h"
#include "tables/banks.h"
#include "tables/carriers.h"
#include "tables/cash_register_form.h"
#include "tables/causals.h"
#include "tables/einvoice_issuer_form.h"
#include "tables/invoice_types.h"
#include "tables/payment_terms.h"
#include "tables/posting_accounts.h"
#include "tables/vat_codes.h"

#include <memory>

namespace kalvora::launcher {

namespace {

// Opens a window of form F beside the main window, made with `arguments` after the session.
// The window shows the current company's settings as saved by any window before it.
template <typename F, auto... arguments>
void beside(MainForm& main) {
    auto& s = main.session();
    company::loadCompanySettings(s);
    auto form = std::make_unique<F>(s, arguments...);
    if constexpr (requires { form->open(); }) form->open();
    s.platform().show(std::move(form));
}

// Opens a window of form F, made with `arguments` after the session, over the main window and
// waits for it; the main window then shows what the window changed.
template <typename F, auto... arguments>
void modal(MainForm& main) {
    auto& s = main.session();
    F form(s, arguments...);
    form.open();
    s.platform().showModal(form);
    if (main.changed) main.changed();
}

// Opens a window through its opening function, with the current company's settings as saved;
// the main window then shows what the window changed.
template <void (*open)(core::Session&)>
void window(MainForm& main) {
    auto& s = main.session();
    company::loadCompanySettings(s);
    open(s);
    if (main.changed) main.changed();
}

// The layout entries open the field placement window of their document type, from which the
// form grid designer is reached.
template <int type>
void placements(MainForm& main) {
    auto& s = main.session();
    company::loadCompanySettings(s);
    printing::openFieldPlacement(s, type);
}

// The label layouts belong to the installation, not to a company.
template <int kind>
void labels(MainForm& main) { printing::openLabelLayout(main.session(), kind); }

template <int item>
void companyItem(MainForm& main) { main.companyCommand(item); }

template <int item>
void internet(MainForm& main) { internetFunction(main.session(), item); }

template <int page>
void assistance(MainForm& main) { openAssistance(main.session(), page); }

template <int document>
void help(MainForm& main) { openHelpDocument(main.session(), document); }

// The main window shows the new background as soon as the window saves it.
void background(MainForm& main) {
    openBackgroundSelection(main.session(), [&main] { main.showBackground(); });
}
void password(MainForm& main) { changePassword(main.session()); }
void users(MainForm& main) { openUsersTable(main.session()); }
void printer(MainForm& main) { main.session().platform().printerSetup(); }
void calculator(MainForm& main) { launch(main.session(), "calc", "Calcolatrice"); }
void finish(MainForm& main) { main.finishWork(); }

namespace cmd = toolbar_command;

constexpr MainMenuItem items[] = {
    {"m_azi", "Aziende", "", nullptr, {}},
    {"x_azi_1", "Creazione nuova azienda", "m_azi", companyItem<1>, {}},
    {"x_azi_2", "Modifica azienda", "m_azi", companyItem<2>, {}},
    {"x_azi_3", "Duplicazione azienda", "m_azi", companyItem<3>, {}},
    {"x_azi_4", "Eliminazione azienda", "m_azi", companyItem<4>, {}},
    {"x_azi_5", "Duplica azienda", "m_azi", companyItem<5>, {}},
    {"x_azi_6", "Elimina azienda", "m_azi", companyItem<6>, {}},
    {"m_uti", "Utilità", "", nullptr, {}},
    {"s_pwd", "Password di accesso", "m_uti", password, {}},
    {"m_tab", "Gestione tabelle", "m_uti", nullptr, {}},
    {"x_pag", "Tabella modalità di pagamento", "m_tab", beside<tables::PaymentTermsForm>, {}},
    {"x_iva", "Tabella codici iva", "m_tab", beside<tables::VatCodesForm>, {}},
    {"x_ban", "Tabella banche", "m_tab", beside<tables::BanksForm>, {}},
    {"x_vet", "Tabella vettori", "m_tab", beside<tables::CarriersForm>, {}},
    {"x_cau", "Tabella causali di magazzino", "m_tab", beside<tables::CausalsForm>, {}},
    {"x_mas", "Tabella codici contabili", "m_tab", beside<tables::PostingAccountsForm>, {}},
    {"x_tip", "Tabella tipologia fatture", "m_tab", beside<tables::InvoiceTypesForm>, {}},
    {"x_fpa", "Tabella impostazioni fatturaPA", "m_tab", window<tables::openEInvoiceIssuer>, {}},
    {"x_cas", "Collegamento a registratore di cassa", "m_tab", window<tables::openCashRegister>, {}},
    {"x_usr", "Tabella utenti", "m_tab", users, {}},
    {"x_impo", "Impostazioni generali", "m_uti", window<company::openGeneralSettings>, {}},
    {"x_bgr", "Impostazione sfondo", "m_uti", background, {}},
    {"m_lay", "Personalizzazione moduli di stampa", "m_uti", nullptr, {}},
    {"x_lft", "Fattura di vendita", "m_lay", placements<1>, {}},
    {"x_lrf", "Ricevuta fiscale", "m_lay", placements<2>, {}},
    {"x_lpr", "Parcella", "m_lay", placements<3>, {}},
    {"x_lbl", "Documento di trasporto", "m_lay", placements<5>, {}},
    {"x_lor", "Ordine clienti", "m_lay", placements<6>, {}},
    {"x_prx", "Preventivo", "m_lay", placements<7>, {}},
    {"x_lpm", "Parcella proforma", "m_lay", placements<9>, {}},
    {"x_lof", "Ordine fornitori", "m_lay", placements<10>, {}},
    {"m_eti", "Personalizzazione etichette", "m_uti", nullptr, {}},
    {"x_etic", "Etichetta clienti", "m_eti", labels<1>, {}},
    {"x_etif", "Etichetta fornitori", "m_eti", labels<2>, {}},
    {"x_etia", "Etichetta articoli", "m_eti", labels<3>, {}},
    {"x_etib", "Etichetta codici a barre", "m_eti", labels<4>, {}},
    {"x_tab", "Marginatura tabulati", "m_uti", beside<printing::ListingSettingsForm>, {}},
    {"x_ver", "Verifica impostazioni", "m_uti", beside<printing::SettingsCheckForm>, {}},
    {"x_num", "Numerazione registri", "m_uti", window<company::openRegisterNumbering>, {}},
    {"m_arc", "Gestione archivi", "m_uti", nullptr, {}},
    {"x_bak", "Copie di backup", "m_arc", modal<company::BackupForm>, cmd::backup},
    {"x_res", "Ripristina copie di backup", "m_arc", modal<company::RestoreForm>, cmd::restore},
    {"x_azz", "Azzeramento annuale", "m_arc", modal<company::YearEndResetForm>, {}},
    {"x_kalchk", "Controllo contabile", "m_arc", modal<company::BalanceCheckForm>, {}},
    {"x_pro", "Variazione indici", "m_arc", window<company::openArchiveCounters>, {}},
    {"x_let", "Verifica attributi sola lettura", "m_arc", window<company::openReadOnlyCheck>, {}},
    {"x_cnv", "Conversione archivi versioni precedenti", "m_arc", window<company::openArchiveConversion>, {}},
    {"x_bem", "Conversione archivi versioni compatibili", "m_arc", window<company::openCompatibleImport>, {}},
    {"x_agg", "Aggiornamento software", "m_uti", window<launcher::openUpdateInstaller>, {}},
    {"s_sta", "Impostazione stampante", "m_uti", printer, cmd::print},
    {"s_clc", "Calcolatrice", "m_uti", calculator, cmd::calculator},
    {"m_int", "Internet", "", nullptr, {}},
    {"x_inte_2", "Scarica aggiornamenti disponibili", "m_int", internet<2>, cmd::internet},
    {"x_inte_4", "Invia un messaggio al centro di assistenza ZEL", "m_int", internet<4>, cmd::mail},
    {"x_inte_5", "Invia copia degli archivi per il controllo al centro di assistenza ZEL", "m_int", internet<5>,
     cmd::mailArchive},
    {"x_inte_7", "Visita il sito internet", "m_int", internet<7>, cmd::site},
    {"x_inte_8", "Parametri posta elettronica", "m_int", internet<8>, cmd::post},
    {"m_ass", "Assistenza", "", nullptr, {}},
    {"x_xass_0", "Visualizza Guida operativa", "m_ass", help<1>, cmd::help1},
    {"x_xass_1", "Visualizza Guida \"come fare per\"", "m_ass", help<3>, {}},
    {"x_xass_2", "Visualizza Guida \"ultime novità\"", "m_ass", help<2>, cmd::help2},
    {"x_xass_3", "Contatta il servizio di assistenza", "m_ass", assistance<1>, {}},
    {"x_xass_4", "Prenota servizio \"richiamami\"", "m_ass", assistance<2>, {}},
    {"x_xass_5", "Prenota servizio \"teleassistenza\"", "m_ass", assistance<3>, {}},
    {"o_fin", "Fine lavoro", "", finish, cmd::finish},
    // Catalogue entries of the accounting closing and opening.
    {"x_kalchi", {}, {}, modal<company::AccountingClosingForm, company::ClosingMode::BalanceSheet>, {}},
    {"x_kalchb", {}, {}, modal<company::AccountingClosingForm, company::ClosingMode::ProfitAndLoss>, {}},
    {"x_kalape", {}, {}, modal<company::AccountingClosingForm, company::ClosingMode::Opening>, {}},
};

}  // namespace

std::span<const MainMenuItem> mainMenuItems() { return items; }

}  // namespace kalvora::launcher
