#include "tables/einvoice_issuer_form.h"

#include "core/cp1252.h"
#include "core/stored_path.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::tables {

namespace {

constexpr const char* checkTitle = "Attenzione";

const std::string& noText() {
    static const std::string empty;
    return empty;
}

IssuerField folderField(int k) { return k == 0 ? issuer::xmlFolder : issuer::receiptsFolder; }

}  // namespace

EInvoiceIssuerForm::EInvoiceIssuerForm(core::Session& session) : Form(session), chooser_(session) {}

std::string EInvoiceIssuerForm::path() const {
    return session().installation().companyFile(session().company().code, EInvoiceIssuer::fileName);
}

bool EInvoiceIssuerForm::open() {
    core::Session& s = session();
    const std::optional<EInvoiceIssuer> read = readEInvoiceIssuer(s.files(), path());
    if (!read) {
        s.platform().message(std::string("Impossibile leggere il file ") + EInvoiceIssuer::fileName +
                                 ": le impostazioni fatturaPA non possono essere modificate.",
                             checkTitle, core::Icon::Critical);
        return false;
    }
    data_ = *read;
    for (int k = 0; k < textCount; ++k) texts_[std::size_t(k)] = data_.get(issuer::text2[std::size_t(k)]);
    focus_ = -1;
    // The lists start at the XML files' folder when it names one here, else at the home drive.
    if (const auto here = core::storedPathOnThisSystem(s.files(), s.installation(), folder(0)))
        chooser_.setFolder(*here);
    return true;
}

const std::string& EInvoiceIssuerForm::text(int k) const {
    return k >= 0 && k < textCount ? texts_[std::size_t(k)] : noText();
}

void EInvoiceIssuerForm::editText(int k, std::string value) {
    if (k >= 0 && k < textCount) texts_[std::size_t(k)] = core::singleLine(value);
}

int EInvoiceIssuerForm::listIndex(IssuerField f, std::size_t size) const {
    const std::string stored = data_.get(f);
    if (stored.empty() || !std::all_of(stored.begin(), stored.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int index = core::integerValue(stored);
    return index < static_cast<int>(size) ? index : -1;
}

void EInvoiceIssuerForm::chooseIndex(IssuerField f, std::size_t size, int index) {
    if (index >= 0 && index < static_cast<int>(size)) data_.set(f, std::to_string(index));
}

int EInvoiceIssuerForm::standard() const {
    const std::string stored = data_.get(issuer::xmlVersion);
    return stored == "0" ? 0 : stored == "1" ? 1 : -1;
}

void EInvoiceIssuerForm::chooseStandard(int index) {
    if (index == 0 || index == 1) data_.set(issuer::xmlVersion, std::to_string(index));
}

std::string EInvoiceIssuerForm::folder(int k) const { return data_.get(folderField(k)); }

void EInvoiceIssuerForm::browse(int k) {
    if (k != 0 && k != 1) return;
    const std::string stored = core::storedForm(session().installation(), chooser_.folder());
    const IssuerField f = folderField(k);
    if (!core::fitsCp1252(stored) || core::length(stored) > f.width) {
        session().platform().message("Il percorso della cartella scelta è troppo lungo o contiene caratteri che "
                                     "non possono essere memorizzati: sceglierne un'altra.",
                                     checkTitle, core::Icon::Critical);
        return;
    }
    data_.set(f, stored);
}

bool EInvoiceIssuerForm::refuse(const std::string& text, int k) {
    session().platform().message(text, checkTitle, core::Icon::Critical);
    focus_ = k;
    return false;
}

bool EInvoiceIssuerForm::checked() {
    using namespace issuer;
    const auto filled = [this](int k) { return !core::trim(texts_[std::size_t(k)]).empty(); };
    if (filled(companyNameBox) && (filled(surnameBox) || filled(firstNameBox)))
        return refuse("Non compilare contemporaneamente i campi 'Cognome' e 'Nome' e il campo 'Denominazione'",
                      companyNameBox);
    if (!filled(fiscalIdCodeBox))
        return refuse("Il campo 'ID Codice' nel riquadro 'Dati fiscali' non è stato compilato: per i soggetti "
                      "italiani residenti compilare questo campo con il codice fiscale",
                      fiscalIdCodeBox);
    if (!filled(countryIdBox))
        return refuse("Il campo 'ID Paese' nel riquadro 'Dati fiscali' non è stato compilato: per i soggetti "
                      "italiani residenti compilare questo campo con il IT",
                      countryIdBox);
    const struct {
        int box;
        const char* caption;
    } identifiers[] = {{taxCodeBox, "Codice fiscale"}, {vatNumberBox, "Partita iva"}};
    for (const auto& id : identifiers) {
        const std::string field = std::string("Il campo '") + id.caption + "' nel riquadro 'Dati fiscali' non è ";
        if (!filled(id.box)) return refuse(field + "stato compilato", id.box);
        if (!validIdentifier(texts_[std::size_t(id.box)])) return refuse(field + "corretto", id.box);
    }
    texts_[shareCapitalBox] = normalisedShareCapital(texts_[shareCapitalBox]);
    // Cut to its width the amount would change value ("1234567890123.00" to "1234567890123.").
    if (core::length(texts_[shareCapitalBox]) > text2[shareCapitalBox].width)
        return refuse("Il campo 'Capitale Sociale' nel riquadro 'Dati fiscali' non può superare " +
                          std::to_string(text2[shareCapitalBox].width) + " caratteri",
                      shareCapitalBox);
    for (int k = 0; k < textCount; ++k)
        if (!xmlSafe(core::trim(texts_[std::size_t(k)])))
            return refuse("Sono stati utilizzati caratteri non ammessi nel file XML (simboli o trattini)", k);
    return true;
}

void EInvoiceIssuerForm::confirm() {
    if (!checked()) return;
    EInvoiceIssuer saved = data_;
    for (int k = 0; k < textCount; ++k) saved.set(issuer::text2[std::size_t(k)], texts_[std::size_t(k)]);
    saved.set(issuer::countryId, core::upper(texts_[issuer::countryIdBox]));
    saved.set(issuer::marker, "999");
    if (const int error = saveEInvoiceIssuer(session().files(), path(), saved)) {
        session().platform().message("Non è stato possibile salvare le impostazioni fatturaPA: errore " +
                                         std::to_string(error) + ".",
                                     checkTitle, core::Icon::Critical);
        return;
    }
    data_ = std::move(saved);
    close();
}

void EInvoiceIssuerForm::button(int index) {
    if (index == 0) cancel();
    if (index == 1) confirm();
}

void openEInvoiceIssuer(core::Session& session) {
    EInvoiceIssuerForm form(session);
    if (!form.open()) return;
    session.platform().showModal(form);
}

}  // namespace kalvora::tables
