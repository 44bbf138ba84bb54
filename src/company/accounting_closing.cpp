#include "company/accounting_closing.h"

#include "company/registry.h"
#include "core/amounts.h"
#include "core/dates.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace kalvora::company {

namespace {

constexpr const char* secondStepGuidance =
    "Per confermare le registrazioni e procedere alla chiusura dei conti clic su 'Conferma'; per uscire senza "
    "memorizzare nulla clic su 'Annulla'";
constexpr const char* checkAdvice = " Eseguire il controllo contabile per riallineare i saldi dei conti.";
constexpr std::size_t missingListed = 20;  // codes named in the message, the rest counted

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string withError(const std::string& text, int error) { return text + " (errore " + std::to_string(error) + ")"; }

// 0 for a balance-sheet account (groups 01 to 50), 1 for a profit-and-loss one (above 50), -1
// for a code of neither.
int accountClass(std::string_view code) {
    if (code.size() < 2 || !allDigits(std::string(code.substr(0, 2)))) return -1;
    const int group = (code[0] - '0') * 10 + (code[1] - '0');
    return group == 0 ? -1 : group <= 50 ? 0 : 1;
}

// Whether an entry of the windows' shape with a balance-sheet account on its first line is an
// opening entry rather than a balance-sheet closing one (see the header): `before` is the
// earlier of the closing's date and the latest movement's, as yyyymmdd.
bool isOpeningEntry(core::RecordView entry, std::string_view before) {
    const std::string date(entry.raw(core::gio::date.offset, core::gio::date.width));
    if (date.size() == core::gio::date.width && allDigits(date) && date < before) return true;
    return core::lower(core::trim(entry.text(core::gio::description1.offset, core::gio::description1.width)))
        .starts_with("apertura");
}

}  // namespace

AccountingClosingForm::AccountingClosingForm(core::Session& session, ClosingMode mode)
    : core::Form(session), mode_(mode) {}

std::string AccountingClosingForm::name() const { return isOpening() ? "kalape" : "kalchi"; }

std::string AccountingClosingForm::title() const {
    switch (mode_) {
    case ClosingMode::BalanceSheet: return "Chiusura automatica conti patrimoniali";
    case ClosingMode::ProfitAndLoss: return "Chiusura automatica conti economici";
    default: return "Apertura automatica conti patrimoniali";
    }
}

std::string AccountingClosingForm::frameTitle() const {
    return isOpening() ? "Selezione parametri di apertura" : "Selezione parametri di chiusura";
}

std::string AccountingClosingForm::counterpartLabel() const {
    switch (mode_) {
    case ClosingMode::BalanceSheet: return "Conto 'Bilancio di chiusura'";
    case ClosingMode::ProfitAndLoss: return "Conto 'Profitti e perdite'";
    default: return "Conto 'Bilancio di apertura'";
    }
}

std::string AccountingClosingForm::entryDescription() const {
    switch (mode_) {
    case ClosingMode::BalanceSheet: return "Chiusura stato patrimoniale";
    case ClosingMode::ProfitAndLoss: return "Chiusura conto economico";
    default: return "Apertura stato patrimoniale";
    }
}

std::string AccountingClosingForm::messageTitle() const { return isOpening() ? "Apertura contabile" : title(); }

std::string AccountingClosingForm::guidance() const {
    if (previewed_) return secondStepGuidance;
    return std::string("Clic sul bottone 'Conferma' per analizzare e visualizzare le registrazioni di ") +
           (isOpening() ? "apertura" : "chiusura") + " che verranno eseguite in caso di conferma definitiva";
}

const std::array<std::string, 6>& AccountingClosingForm::columnHeaders() {
    static const std::array<std::string, 6> headers{"Data", "Movimento movimento", "Conto", "Descrizione conto",
                                                    "Dare", "Avere"};
    return headers;
}

void AccountingClosingForm::open() {
    auto& s = session();
    date_ = core::toDdMmYyyy(s.clock().today());
    document_.clear();
    descriptions_ = {entryDescription(), "", ""};
    parts_ = {};
    counterpart_ = -1;
    dropPreview();
    progressLines_.clear();
    percent_ = 0;
    if (const int error = chart_.load(s.files(), s.installation(), s.company().code); error != 0)
        tellFailure(withError("Non è stato possibile leggere il piano dei conti", error) + ".");

    companies_.clear();
    companyCodes_.clear();
    chosen_ = -1;
    if (!isOpening()) return;
    const auto& registry = s.company().registry;
    const std::string proposed = s.company().general.previousYearCompany();
    for (int code = 0; code < static_cast<int>(registry.size()); ++code) {
        const RegistryEntry entry = parseRegistryLine(registry[static_cast<std::size_t>(code)]);
        if (entry.free) continue;
        if (core::threeDigits(code) == proposed) chosen_ = static_cast<int>(companies_.size());
        companies_.push_back(core::threeDigits(code) + " " + entry.name);
        companyCodes_.push_back(code);
    }
}

void AccountingClosingForm::setDate(std::string text) {
    if (working_) return;  // the entries being written keep the parameters they started with
    date_ = std::move(text);
    refreshPreviewCells();
}

void AccountingClosingForm::setDocument(std::string text) {
    if (!working_) document_ = core::left(text, documentWidth);
}

const std::string& AccountingClosingForm::description(int i) const {
    static const std::string none;
    return i >= 0 && i < 3 ? descriptions_[static_cast<std::size_t>(i)] : none;
}

void AccountingClosingForm::setDescription(int i, std::string text) {
    if (i < 0 || i >= 3 || working_) return;
    descriptions_[static_cast<std::size_t>(i)] = core::left(text, descriptionWidth);
    refreshPreviewCells();
}

const std::string& AccountingClosingForm::accountPart(int i) const {
    static const std::string none;
    return i >= 0 && i < 3 ? parts_[static_cast<std::size_t>(i)] : none;
}

void AccountingClosingForm::setAccountPart(int i, std::string text) {
    if (i < 0 || i >= 3 || working_) return;
    std::string cut = core::left(text, accountPartWidths[static_cast<std::size_t>(i)]);
    if (cut == parts_[static_cast<std::size_t>(i)]) return;
    parts_[static_cast<std::size_t>(i)] = std::move(cut);
    counterpart_ = -1;
    dropPreview();  // the entries were for another counterpart
}

void AccountingClosingForm::leaveAccountPart(int i) {
    if (i < 0 || i >= 3 || working_) return;
    std::string& part = parts_[static_cast<std::size_t>(i)];
    const std::size_t width = accountPartWidths[static_cast<std::size_t>(i)];
    if (!part.empty() && core::length(part) < width) part = std::string(width - core::length(part), '0') + part;
    // Leaving the account part with something typed says when no account has that code.
    const bool none = std::all_of(parts_.begin(), parts_.end(), [](const std::string& p) { return p.empty(); });
    findCounterpart(i == 2 && !none);
}

std::string AccountingClosingForm::accountDescription() const {
    return counterpart_ >= 0 ? chart_.description(counterpart_) : "Nessun conto selezionato";
}

void AccountingClosingForm::chooseCompany(int row) {
    if (working_ || row < 0 || row >= static_cast<int>(companies_.size()) || row == chosen_) return;
    chosen_ = row;
    dropPreview();
}

bool AccountingClosingForm::findCounterpart(bool tell) {
    const std::string code = parts_[0] + parts_[1] + parts_[2];
    // Only a whole eight-digit code names an account: the chart compares numeric values, and
    // "01ab0001" would otherwise be taken for account 1.
    counterpart_ = core::length(code) == core::con::codeDigits && allDigits(code) ? chart_.find(code) : -1;
    if (counterpart_ >= 0 || !tell) return counterpart_ >= 0;
    static const std::array<std::string, 3> names{"BILANCIO DI CHIUSURA", "PROFITTI E PERDITE",
                                                  "BILANCIO DI APERTURA"};
    session().platform().message("Il conto " + names[static_cast<std::size_t>(mode_)] +
                                     " non è stato indicato correttamente",
                                 "Attenzione", core::Icon::Critical);
    return false;
}

bool AccountingClosingForm::inClass(const std::string& code) const {
    return accountClass(code) == (mode_ == ClosingMode::ProfitAndLoss ? 1 : 0);
}

bool AccountingClosingForm::dateIsValid() {
    if (core::parseDdMmYyyy(date_)) return true;
    session().platform().message("La data del movimento non è valida", "Attenzione", core::Icon::Critical);
    return false;
}

void AccountingClosingForm::dropPreview() {
    plan_.clear();
    balances_.clear();
    preview_.clear();
    previewed_ = false;
}

void AccountingClosingForm::refreshPreviewCells() {
    for (PreviewRow& row : preview_) {
        row.date = date_;
        row.movement = descriptions_[0];
    }
}

void AccountingClosingForm::moveOn(int percent) {
    percent_ = std::clamp(percent, 0, 100);
    if (listener_) listener_();
    session().platform().processEvents();
}

void AccountingClosingForm::tellFailure(const std::string& text) {
    session().platform().message(text, messageTitle(), core::Icon::Critical);
}

void AccountingClosingForm::confirm() {
    if (working_ || closed()) return;
    if (!dateIsValid()) return;
    if (!findCounterpart(true)) return;
    if (previewed_)
        write();
    else
        analyse();
}

void AccountingClosingForm::cancel() {
    if (writing_) return;  // the entries go in whole or the user hears what is missing
    stopRequested_ = working_;
    close();
}

bool AccountingClosingForm::analyse() {
    auto& platform = session().platform();
    dropPreview();
    working_ = true;
    stopRequested_ = false;
    progressLines_ = {"Attendere..."};
    platform.setBusy(true);
    moveOn(0);
    const bool planned = isOpening() ? planOpening() : planClosing();
    platform.setBusy(false);
    if (!planned || stopRequested_) {
        working_ = false;
        plan_.clear();
        return false;
    }
    // Still working while pending events run: a change typed meanwhile must not drop the plan
    // that the preview is built from below.
    moveOn(100);
    working_ = false;
    if (plan_.empty()) {
        // Nothing to close, but balances stored earlier (by hand, or by a closing since
        // corrected) would still be carried by the opening: the second "Conferma" stores them.
        const bool store = balancesChanged();
        platform.message(std::string("Non ci sono registrazioni da eseguire: i saldi dei conti sono tutti a zero.") +
                             (store ? " Clic su 'Conferma' per aggiornare i saldi di chiusura dei conti." : ""),
                         messageTitle(), core::Icon::Information);
        previewed_ = store;
        return store;
    }
    const bool euro = session().company().euro();
    const std::string counterpartCode = core::dottedCode(chart_.code(counterpart_));
    const std::string counterpartDescription = chart_.description(counterpart_);
    preview_.reserve(plan_.size() * 2);
    for (const PlannedEntry& entry : plan_) {
        const std::string amount = core::formatAmount(entry.amount, euro);
        const bool debit = entry.side == 0;
        preview_.push_back({date_, descriptions_[0], core::dottedCode(entry.code), entry.accountDescription,
                            debit ? amount : "", debit ? "" : amount});
        preview_.push_back({date_, descriptions_[0], counterpartCode, counterpartDescription, debit ? "" : amount,
                            debit ? amount : ""});
    }
    previewed_ = true;
    return true;
}

std::optional<std::uint64_t> AccountingClosingForm::journalCount() {
    auto& s = session();
    int error = 0;
    const std::uint64_t count =
        core::readArchiveCount(s.files(), s.installation(), s.company().code, core::gio::archive.countRecord, &error);
    if (error == 0) return count;
    tellFailure(withError("Non è stato possibile leggere il numero delle registrazioni del giornale contabile",
                          error) + ": non è stato memorizzato nulla.");
    return std::nullopt;
}

bool AccountingClosingForm::readCurrentCompany() {
    auto& s = session();
    const auto count = journalCount();
    if (!count) return false;
    journalCount_ = *count;
    // Read again: the entries and totals are worked out from the archives as they are now.
    if (const int error = chart_.load(s.files(), s.installation(), s.company().code); error != 0) {
        counterpart_ = -1;
        tellFailure(withError("Non è stato possibile leggere il piano dei conti", error) + ".");
        return false;
    }
    return findCounterpart(true);
}

bool AccountingClosingForm::planClosing() {
    auto& s = session();
    if (!readCurrentCompany()) return false;
    progressLines_.push_back("Azzero progressivi contabili");
    moveOn(0);
    progressLines_.push_back("Ricalcolo saldi di chiusura");
    moveOn(0);
    const bool euro = s.company().euro();
    core::MarkedEntries marked;
    const core::RebuildResult rebuilt = core::rebuildTotals(
        s.files(), s.installation(), s.company().code, chart_, euro,
        [&](std::uint64_t done, std::uint64_t total) {
            moveOn(total == 0 ? 100 : static_cast<int>(done * 100 / total));
            return !stopRequested_;
        },
        core::rebuildHalvedFrom, &marked);
    if (stopRequested_) return false;
    if (rebuilt.error != 0) {
        tellFailure(withError("Non è stato possibile leggere il giornale contabile", rebuilt.error) +
                    ": non è stato memorizzato nulla.");
        return false;
    }
    if (rebuilt.entries < journalCount_ &&
        !s.platform().askYesNo("Il giornale contabile contiene " + std::to_string(rebuilt.entries) +
                                   " registrazioni, ma il contatore ne indica " + std::to_string(journalCount_) +
                                   ". Proseguire con le registrazioni presenti?",
                               "Attenzione", core::Icon::Question))
        return false;
    for (int i = 0; i < chart_.size(); ++i) {
        if (i == counterpart_) continue;
        const std::string code = chart_.code(i);
        if (!inClass(code)) continue;
        const double balance = core::roundAmount(chart_.debit(i) - chart_.credit(i), euro);
        if (balance == 0) continue;
        // A debit balance is closed on the credit side, and the other way round.
        plan_.push_back({i, balance > 0 ? 1 : 0, std::fabs(balance), code, chart_.description(i)});
    }
    planBalances(marked, euro);
    return true;
}

void AccountingClosingForm::planBalances(const core::MarkedEntries& marked, bool euro) {
    const int accounts = chart_.size();
    // Balances (debit less credit) without this mode's closing entries and, for a balance-sheet
    // "Profitti e perdite", its own without the balance-sheet closing entries.
    std::vector<double> without(static_cast<std::size_t>(accounts));
    for (int i = 0; i < accounts; ++i) without[static_cast<std::size_t>(i)] = chart_.debit(i) - chart_.credit(i);
    const int closedClass = mode_ == ClosingMode::ProfitAndLoss ? 1 : 0;
    const std::uint32_t counterpart = core::accountNumber(chart_.code(counterpart_));
    const bool profitInBalanceSheet = closedClass == 1 && accountClass(chart_.code(counterpart_)) == 0;
    double profitBalance = without[static_cast<std::size_t>(counterpart_)];
    const std::string closingDate = core::toYyyymmdd(*core::parseDdMmYyyy(date_));
    const std::string before = marked.latestOtherDate.empty() ? closingDate : std::min(closingDate, marked.latestOtherDate);
    const auto amountOf = [&](const core::JournalLine& line) {
        const double amount = std::isfinite(line.amount) ? core::roundAmount(line.amount, euro) : 0;
        return line.side == 0 ? amount : -amount;
    };
    for (const core::Record& record : marked.entries) {
        const core::RecordView entry = record.view();
        const std::array lines{core::journalLine(entry, 0), core::journalLine(entry, 1)};
        const int entryClass = accountClass(lines[0].account);
        const std::uint32_t first = core::accountNumber(lines[0].account), second = core::accountNumber(lines[1].account);
        if (entryClass < 0 || first == second || (entryClass == 0 && isOpeningEntry(entry, before))) continue;
        const bool closedHere = entryClass == closedClass && second == counterpart;
        const bool closedProfit = profitInBalanceSheet && entryClass == 0 && (first == counterpart || second == counterpart);
        for (const core::JournalLine& line : lines) {
            const int index = chart_.find(line.account);
            if (index < 0) continue;  // never added up either
            if (closedHere) without[static_cast<std::size_t>(index)] -= amountOf(line);
            if (closedProfit && index == counterpart_) profitBalance -= amountOf(line);
        }
    }
    const auto rounded = [&](double balance) { return core::roundAmount(balance, euro) + 0.0; };  // never -0
    balances_.clear();
    for (int i = 0; i < accounts; ++i)
        if (inClass(chart_.code(i))) balances_.emplace_back(i, rounded(without[static_cast<std::size_t>(i)]));
    if (!profitInBalanceSheet) return;
    // The result this closing brings into it belongs to the year it carries.
    for (const PlannedEntry& e : plan_) profitBalance += e.side == 0 ? -e.amount : e.amount;
    balances_.emplace_back(counterpart_, rounded(profitBalance));
}

bool AccountingClosingForm::balancesChanged() const {
    return std::any_of(balances_.begin(), balances_.end(),
                       [&](const auto& b) { return chart_.storedBalance(b.first) != b.second; });
}

bool AccountingClosingForm::planOpening() {
    auto& s = session();
    if (chosen_ < 0) {
        s.platform().message("Selezionare l'azienda dalla quale prendere i saldi dei conti", "Attenzione",
                             core::Icon::Critical);
        return false;
    }
    const int from = companyCodes_[static_cast<std::size_t>(chosen_)];
    if (from == s.company().code) {
        // Its own balances carried into itself would count every balance twice.
        s.platform().message("I saldi vanno presi dall'azienda dell'anno precedente: selezionare un'azienda diversa "
                             "da quella in uso",
                             "Attenzione", core::Icon::Critical);
        return false;
    }
    if (!readCurrentCompany()) return false;
    progressLines_.push_back("Esamino i conti dell'azienda " + core::threeDigits(from));
    moveOn(0);
    core::ChartOfAccounts last;
    if (const int error = last.load(s.files(), s.installation(), from); error != 0) {
        tellFailure(withError("Non è stato possibile leggere il piano dei conti dell'azienda " + core::threeDigits(from),
                              error) + ".");
        return false;
    }
    const bool euro = s.company().euro();
    const std::uint32_t counterpartNumber = core::accountNumber(chart_.code(counterpart_));
    std::vector<std::string> missing;
    for (int i = 0; i < last.size(); ++i) {
        const std::string code = last.code(i);
        if (!inClass(code) || core::accountNumber(code) == counterpartNumber) continue;
        // The balance the closing of that year stored: it is carried as it is.
        const double balance = core::roundAmount(last.storedBalance(i), euro);
        if (balance == 0) continue;
        const int here = chart_.find(code);
        if (here < 0) {
            missing.push_back(core::dottedCode(code));
            continue;
        }
        plan_.push_back({here, balance > 0 ? 0 : 1, std::fabs(balance), chart_.code(here), chart_.description(here)});
    }
    if (missing.empty()) return true;
    // An entry naming no account of this company would unbalance it for good: the accounts
    // must be added to the chart first.
    std::string list;
    for (std::size_t k = 0; k < std::min(missing.size(), missingListed); ++k) list += (k ? ", " : "") + missing[k];
    if (missing.size() > missingListed) list += " e altri " + std::to_string(missing.size() - missingListed);
    s.platform().message("I seguenti conti dell'azienda " + core::threeDigits(from) +
                             " non sono presenti nel piano dei conti dell'azienda in uso: " + list +
                             ". Inserirli nel piano dei conti prima di eseguire l'apertura.",
                         "Attenzione", core::Icon::Exclamation);
    return false;
}

void AccountingClosingForm::write() {
    auto& s = session();
    auto& platform = s.platform();
    if (!platform.askYesNo(isOpening() ? "Confermi l'apertura dei conti" : "Confermi la chiusura dei conti",
                           isOpening() ? "Apertura contabile" : entryDescription(), core::Icon::Question))
        return;
    const auto count = journalCount();
    if (!count) return;
    if (*count != journalCount_) {
        // Someone wrote in the journal since the analysis: its balances are no longer current.
        platform.message("Il giornale contabile è stato modificato dopo l'analisi: le registrazioni vengono "
                         "ricalcolate. Controllarle e confermare di nuovo.",
                         "Attenzione", core::Icon::Exclamation);
        analyse();
        return;
    }
    // The accounting module may have changed the chart meanwhile: the totals go into the chart as
    // it is now, and entries are never written for accounts that have moved.
    core::ChartOfAccounts disk;
    if (const int error = disk.load(s.files(), s.installation(), s.company().code); error != 0) {
        tellFailure(withError("Non è stato possibile leggere il piano dei conti", error) + ": non è stato memorizzato nulla.");
        return;
    }
    if (!chart_.sameAccounts(disk)) {
        platform.message("Il piano dei conti è stato modificato dopo l'analisi: le registrazioni vengono "
                         "ricalcolate. Controllarle e confermare di nuovo.",
                         "Attenzione", core::Icon::Exclamation);
        analyse();
        return;
    }
    working_ = writing_ = true;
    platform.setBusy(true);
    progressLines_.push_back(isOpening() ? "Registrazione movimenti di apertura" : "Registrazione movimenti di chiusura");
    moveOn(0);
    // A closing with nothing to close may still have balances to store.
    const bool done =
        (plan_.empty() || (appendEntries(*count) && storeCount(*count + plan_.size()))) && storeAccounts(disk);
    platform.setBusy(false);
    working_ = writing_ = false;
    if (done) {
        moveOn(100);
        if (isOpening())
            platform.message(std::string("Apertura dei conti eseguita.") + checkAdvice, "Apertura contabile",
                             core::Icon::Information);
        else
            platform.message("Chiusura dei conti eseguita", title(), core::Icon::Information);
    }
    close();
}

bool AccountingClosingForm::appendEntries(std::uint64_t count) {
    auto& s = session();
    const core::Date date = *core::parseDdMmYyyy(date_);
    const std::string counterpartCode = chart_.code(counterpart_);
    core::RecordFile journal;
    int error = s.files().openRecords(s.installation().companyFile(s.company().code, std::string(core::gio::archive.file)),
                                      core::gio::archive.recordLength, true, journal);
    for (std::size_t k = 0; error == 0 && k < plan_.size(); ++k) {
        const PlannedEntry& e = plan_[k];
        error = journal.write(count + 1 + k, core::journalEntry(date, descriptions_, document_,
                                                                {{e.side, e.code, e.amount},
                                                                 {1 - e.side, counterpartCode, e.amount}}));
        if (k % 512 == 511) moveOn(static_cast<int>(k * 50 / plan_.size()));
    }
    if (error == 0) error = journal.sync();
    const int closeError = journal.close();
    if (error == 0) error = closeError;
    if (error == 0) return true;
    // Entries past the count are not part of the journal: nothing has changed.
    tellFailure(withError("Non è stato possibile scrivere le registrazioni nel giornale contabile", error) +
                ": non è stato memorizzato nulla e i conti sono rimasti come prima.");
    return false;
}

bool AccountingClosingForm::storeCount(std::uint64_t count) {
    auto& s = session();
    const int error =
        core::writeArchiveCount(s.files(), s.installation(), s.company().code, core::gio::archive.countRecord, count);
    moveOn(60);
    if (error == 0) return true;
    tellFailure(withError("Le registrazioni sono state scritte nel giornale contabile, ma non è stato possibile "
                          "aggiornarne il numero",
                          error) +
                ": potrebbero non risultare memorizzate e i progressivi dei conti non sono stati aggiornati." +
                checkAdvice);
    return false;
}

bool AccountingClosingForm::storeAccounts(core::ChartOfAccounts& disk) {
    auto& s = session();
    if (!isOpening()) {
        // The totals the analysis rebuilt from the journal, which has not changed since.
        disk.takeTotals(chart_);
    }
    chart_ = std::move(disk);
    for (const auto& [account, balance] : balances_) chart_.setBalance(account, balance);
    for (const PlannedEntry& e : plan_) {
        chart_.add(e.account, e.side, e.amount);
        chart_.add(counterpart_, 1 - e.side, e.amount);
    }
    const int error = chart_.save(s.files());
    moveOn(90);
    if (error == 0) return true;
    tellFailure(withError(std::string("Le registrazioni di ") + (isOpening() ? "apertura" : "chiusura") +
                              " sono state memorizzate nel giornale contabile, ma non è stato possibile aggiornare "
                              "il piano dei conti",
                          error) +
                (isOpening() ? ": i progressivi dei conti potrebbero non essere stati aggiornati."
                             : ": i progressivi e i saldi di chiusura dei conti potrebbero non essere stati aggiornati.") +
                checkAdvice);
    return false;
}

}  // namespace kalvora::company
