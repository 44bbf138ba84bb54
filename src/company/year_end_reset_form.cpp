#include "company/year_end_reset_form.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

namespace {

constexpr const char* windowTitle = "Azzeramento archivi";

const char* const advice =
    "Prima di procedere all'azzeramento degli archivi è consigliabile duplicare l'azienda utilizzando l'omonima "
    "funzione proposta dal menu 'aziende'. La duplicazione dell'azienda consente la gestione dell'iva ad esigibilità "
    "differita relativa al periodo contabile precedente e, inoltre, consente il recupero degli archivi in caso di "
    "errore di azzeramento!";

std::optional<core::Date> dateOf(const ResetOption& o) {
    if (core::length(o.value) != 10) return std::nullopt;
    return core::parseDdMmYyyy(o.value);
}

std::optional<int> yearOf(const ResetOption& o) {
    if (o.value.size() != 4 ||
        !std::all_of(o.value.begin(), o.value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int year = std::stoi(o.value);
    return year > 0 ? std::optional(year) : std::nullopt;
}

}  // namespace

YearEndResetForm::YearEndResetForm(core::Session& session) : core::Form(session) {
    using K = ResetOptionKind;
    const auto option = [](const char* caption, K kind, int parent = -1) {
        return ResetOption{caption, kind, false, {}, true, parent};
    };
    options_ = {
        option("Elimina le fatture emesse prima del:", K::Date),
        option("Elimina le ricevute fiscali emesse prima del:", K::Date),
        option("Elimina l'archivo dell'anno", K::Year),
        option("Crea l'archivo per l'anno", K::Year),
        option("Elimina le fatture ricevute registrate prima del:", K::Date),
        option("Elimina i movimenti di magazzino registrati prima del:", K::Date),
        option("Crea le scritture di apertura di magazzino", K::Plain),
        option("Elimina i DDT emessi prima del:", K::Date),
        option("Elimina le scritture contabili registrate prima del:", K::Date),
        option("Elimina gli ordini clienti evasi completamente", K::Plain),
        option("Elimina gli ordini fornitori evasi completamente", K::Plain),
        option("Elimina i preventivi accettati ed evasi", K::Plain),
        option("Elimina le lavorazioni completate ed evase", K::Plain),
        option("Elimina i depositi estinti", K::Plain),
        option("Elimina i files per la ristampa fatture dell'anno:", K::Year),
        option("Elimina i files in formato PDF", K::Plain, InvoiceReprints),
        option("Elimina i files per la ristampa ricevute dell'anno:", K::Year),
        option("Elimina i files in formato PDF", K::Plain, ReceiptReprints),
        option("Elimina i files per la ristampa dei DDT dell'anno:", K::Year),
        option("Elimina i files in formato PDF", K::Plain, DdtReprints),
        option("Elimina le parcelle proforma emesse prima del:", K::Date),
        option("Esegui una copia di sicurezza prima di iniziare la procedura di azzeramento", K::Plain),
    };
    options_[ProForma].enabled = false;  // no archive of this folder holds them
}

void YearEndResetForm::open() {
    auto& s = session();
    completeInterruptedReset(s, s.company().code);
    const int year = s.clock().today().year;
    for (auto& o : options_) {
        o.ticked = false;
        o.value = o.kind == ResetOptionKind::Date ? "01/01/" + std::to_string(year) : std::string();
        if (o.parent >= 0) o.enabled = false;
    }
    for (const int o : {DeleteTakings, InvoiceReprints, ReceiptReprints, DdtReprints})
        options_[o].value = std::to_string(year - 1);
    options_[CreateTakings].value = std::to_string(year);
    options_[SafetyCopy].ticked = true;
    label_.clear();
    percent_ = 0;
}

void YearEndResetForm::tick(int option, bool ticked) {
    if (working_ || option < 0 || option >= optionCount || !options_[option].enabled) return;
    options_[option].ticked = ticked;
    for (auto& o : options_)
        if (o.parent == option) o.enabled = ticked;
}

void YearEndResetForm::setValue(int option, std::string text) {
    if (working_ || option < 0 || option >= optionCount || !options_[option].enabled ||
        options_[option].kind == ResetOptionKind::Plain)
        return;
    options_[option].value = std::move(text);
}

std::optional<ResetPlan> YearEndResetForm::plan() const {
    for (const auto& o : options_) {
        if (!o.ticked || !o.enabled) continue;
        if ((o.kind == ResetOptionKind::Date && !dateOf(o)) || (o.kind == ResetOptionKind::Year && !yearOf(o)))
            return std::nullopt;
    }
    const auto on = [&](int i) { return options_[i].ticked && options_[i].enabled; };
    const auto date = [&](int i) { return on(i) ? dateOf(options_[i]) : std::nullopt; };
    const auto year = [&](int i) { return on(i) ? yearOf(options_[i]) : std::nullopt; };
    const auto reprints = [&](int i) -> std::optional<ReprintChoice> {
        if (!on(i)) return std::nullopt;
        return ReprintChoice{*yearOf(options_[i]), on(i + 1)};
    };
    ResetPlan p;
    p.invoicesBefore = date(Invoices);
    p.receiptsBefore = date(Receipts);
    p.deleteTakingsYear = year(DeleteTakings);
    p.createTakingsYear = year(CreateTakings);
    p.receivedBefore = date(ReceivedInvoices);
    p.movementsBefore = date(Movements);
    p.openingMovements = on(OpeningMovements);
    p.ddtBefore = date(Ddt);
    p.entriesBefore = date(Entries);
    p.customerOrders = on(CustomerOrders);
    p.supplierOrders = on(SupplierOrders);
    p.quotes = on(Quotes);
    p.work = on(Work);
    p.deposits = on(Deposits);
    p.invoiceReprints = reprints(InvoiceReprints);
    p.receiptReprints = reprints(ReceiptReprints);
    p.ddtReprints = reprints(DdtReprints);
    p.safetyCopy = on(SafetyCopy);
    return p;
}

bool YearEndResetForm::anyOptionTicked() const {
    for (int i = 0; i < optionCount; ++i)
        if (options_[i].parent < 0 && options_[i].ticked && options_[i].enabled) return true;
    return false;
}

void YearEndResetForm::confirm() {
    if (working_) return;
    auto& s = session();
    auto& platform = s.platform();
    if (!anyOptionTicked()) {
        platform.message("Non è stato selezionato alcun archivio da azzerare", "Attenzione", core::Icon::Critical);
        return;
    }
    const std::optional<ResetPlan> plan = this->plan();
    if (!plan) {
        platform.message("La data di azzeramento per uno degli archivi selezionati non è valida", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    platform.message(advice, windowTitle, core::Icon::Exclamation);
    // What each ticked option will remove, read by the code that removes it, before any question.
    const DryRun dryRun = countRemovals(s, *plan);
    if (!dryRun.failure.empty()) {
        platform.message(dryRun.failure + " L'azzeramento non può essere eseguito.", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    platform.message(dryRunText(dryRun), windowTitle, core::Icon::Information);
    if (!platform.askYesNo("Confermi l'azzeramento degli archivi selezionati (se non è stata eseguita la duplicazione "
                           "azienda clickare su 'NO')?",
                           windowTitle, core::Icon::Question) ||
        !platform.askYesNo("Sei proprio sicuro?", windowTitle, core::Icon::Question))
        return;

    working_ = true;
    platform.setBusy(true);
    const ResetResult result = runReset(s, *plan, [&](const std::string& label, int percent) {
        label_ = label;
        percent_ = percent;
        if (listener_) listener_();
        platform.processEvents();
    });
    platform.setBusy(false);
    working_ = false;
    label_.clear();
    percent_ = 0;
    if (!result.done) {
        platform.message(result.failure, "Attenzione", core::Icon::Critical);
        return;
    }
    if (!result.notes.empty()) {
        std::string text;
        for (const auto& note : result.notes) text += (text.empty() ? "" : "\r") + note;
        platform.message(text, windowTitle, core::Icon::Exclamation);
    }
    platform.message("Operazione effettuata", windowTitle, core::Icon::Information);
}

void YearEndResetForm::cancel() {
    if (!working_) close();
}

}  // namespace kalvora::company
