#include "company/balance_check.h"

#include "core/accounting_archives.h"
#include "core/amounts.h"

#include <algorithm>

namespace kalvora::company {

namespace {

std::string withError(const std::string& text, int error) { return text + " (errore " + std::to_string(error) + ")"; }

}  // namespace

BalanceCheckForm::BalanceCheckForm(core::Session& session) : core::Form(session) {}

void BalanceCheckForm::open() {
    chart_ = {};
    unknown_.clear();
    progressLines_.clear();
    percent_ = 0;
}

std::string BalanceCheckForm::explanation() const {
    return "Questa funzione controlla la corrispondenza tra i progressivi contabili del piano dei conti e le "
           "registrazioni del giornale contabile. Eventuali discordanze o differenze verranno corrette "
           "automaticamente.";
}

const std::array<std::string, 4>& BalanceCheckForm::columnHeaders() {
    static const std::array<std::string, 4> headers{"Conto", "Descrizione", "Dare", "Avere"};
    return headers;
}

BalanceCheckForm::Row BalanceCheckForm::row(int r) const {
    if (r < 0 || r >= rowCount()) return {};
    if (r < chart_.size())
        return {core::dottedCode(chart_.code(r)), chart_.description(r), core::formatAmount(chart_.debit(r), euro_),
                core::formatAmount(chart_.credit(r), euro_)};
    const auto& [code, lines] = unknown_[static_cast<std::size_t>(r - chart_.size())];
    return {core::dottedCode(code),
            "Conto non presente nel piano dei conti (" + std::to_string(lines) + (lines == 1 ? " riga)" : " righe)"), "",
            ""};
}

void BalanceCheckForm::moveOn(int percent) {
    percent_ = std::clamp(percent, 0, 100);
    if (listener_) listener_();
    session().platform().processEvents();
}

void BalanceCheckForm::confirm() {
    if (working_ || closed()) return;
    auto& platform = session().platform();
    working_ = true;
    stopRequested_ = false;
    platform.setBusy(true);
    const bool done = check();
    platform.setBusy(false);
    working_ = false;
    if (done) platform.message("Verifica eseguita", title(), core::Icon::Information);
}

void BalanceCheckForm::cancel() {
    stopRequested_ = working_;
    close();
}

bool BalanceCheckForm::check() {
    auto& s = session();
    auto& platform = s.platform();
    const int company = s.company().code;
    chart_ = {};
    unknown_.clear();
    progressLines_ = {"Azzero progressivi contabili"};
    moveOn(0);
    int error = 0;
    const std::uint64_t count =
        core::readArchiveCount(s.files(), s.installation(), company, core::gio::archive.countRecord, &error);
    if (error != 0) {
        platform.message(withError("Non è stato possibile leggere i contatori degli archivi (kalvora.tot)", error) +
                             ": i progressivi dei conti non sono stati modificati.",
                         title(), core::Icon::Critical);
        return false;
    }
    core::ChartOfAccounts chart;
    if (error == 0) error = chart.load(s.files(), s.installation(), company);
    std::uint64_t accounts = 0;
    if (error == 0)
        accounts = core::readArchiveCount(s.files(), s.installation(), company, core::con::archive.countRecord, &error);
    if (error == 0 && chart.size() == 0 && accounts > 0) {
        // Counted accounts but no file to hold them: there is nothing to rebuild into.
        platform.message("Il piano dei conti non è stato trovato: i progressivi dei conti non possono essere "
                         "ricalcolati.",
                         title(), core::Icon::Critical);
        return false;
    }
    if (error != 0) {
        platform.message(withError("Non è stato possibile leggere il piano dei conti", error) +
                             ": i progressivi dei conti non sono stati modificati.",
                         title(), core::Icon::Critical);
        return false;
    }
    progressLines_.push_back("Eseguo la verifica");
    moveOn(0);
    const bool euro = s.company().euro();
    // The totals are cleared and rebuilt in memory and stored in one rewrite at the end: an
    // interruption leaves the old totals, never a chart half cleared.
    const core::RebuildResult rebuilt =
        core::rebuildTotals(s.files(), s.installation(), company, chart, euro, [&](std::uint64_t done, std::uint64_t total) {
            moveOn(total == 0 ? 100 : static_cast<int>(done * 100 / total));
            return !stopRequested_;
        });
    if (stopRequested_) return false;
    if (rebuilt.error != 0) {
        platform.message(withError("Non è stato possibile leggere il giornale contabile", rebuilt.error) +
                             ": i progressivi dei conti non sono stati modificati.",
                         title(), core::Icon::Critical);
        return false;
    }
    // A journal shorter than its count (or one that could not be found) would leave totals that
    // miss entries: the user decides.
    if (rebuilt.entries < count &&
        !platform.askYesNo("Il giornale contabile contiene " + std::to_string(rebuilt.entries) +
                               " registrazioni, ma il contatore ne indica " + std::to_string(count) +
                               ". Ricalcolare i progressivi sulle registrazioni presenti?",
                           "Attenzione", core::Icon::Question))
        return false;
    // The accounting module may have changed the chart during a long check: the totals go into
    // the chart as it is now, its other bytes kept, when it still holds the same accounts.
    core::ChartOfAccounts disk;
    if (const int loadError = disk.load(s.files(), s.installation(), company); loadError != 0) {
        platform.message(withError("Non è stato possibile leggere il piano dei conti", loadError) +
                             ": i progressivi dei conti non sono stati modificati.",
                         title(), core::Icon::Critical);
        return false;
    }
    if (!disk.sameAccounts(chart)) {
        platform.message("Il piano dei conti è stato modificato durante la verifica: i progressivi dei conti non "
                         "sono stati modificati. Ripetere il controllo contabile.",
                         "Attenzione", core::Icon::Exclamation);
        return false;
    }
    disk.takeTotals(chart);
    chart = std::move(disk);
    if (const int saveError = chart.save(s.files()); saveError != 0) {
        platform.message(withError("Non è stato possibile salvare il piano dei conti", saveError) +
                             ": i progressivi potrebbero non essere stati corretti. Ripetere il controllo contabile.",
                         title(), core::Icon::Critical);
        return false;
    }
    moveOn(100);
    euro_ = euro;
    unknown_.assign(rebuilt.unknown.begin(), rebuilt.unknown.end());
    chart_ = std::move(chart);
    return true;
}

}  // namespace kalvora::company
