#include "company/general_settings_form.h"

#include "company/settings_loader.h"
#include "core/cp1252.h"
#include "core/stored_path.h"
#include "core/text.h"
#include "tables/general_settings_file.h"
#include "tables/tables_model.h"

#include <optional>

namespace kalvora::company {

namespace {

constexpr std::string_view currencyFileName = "kalvora.eur";
constexpr std::string_view generalSettingsName = "kalvora.gnr";
// Items 1..5 of the currency file when it cannot be read, and line 6.
constexpr std::array<const char*, 6> currencyDefaults = {"1", "1936.27", "ITL", "EUR", "2", "0"};

// A stored colour that is no colour shows, and is saved, as its slot's default.
long colourValue(double stored, double fallback) {
    if (!(stored >= 0 && stored <= 0xFFFFFF)) stored = fallback;
    return static_cast<long>(stored);
}

std::string flag(bool on) { return on ? "1" : "0"; }

// An item as the currency file's items are read back: quoted when a comma or a leading blank
// would otherwise change it.
std::string itemLine(const std::string& item) {
    if (item.find(',') != std::string::npos || (!item.empty() && (item.front() == ' ' || item.front() == '\t')))
        return '"' + item + '"';
    return item;
}

bool storable(const std::string& value) { return core::fitsCp1252(value) && core::singleLine(value) == value; }

}  // namespace

GeneralSettingsForm::GeneralSettingsForm(core::Session& session) : Form(session) {}

void GeneralSettingsForm::open() {
    core::Session& s = session();
    readCurrency();
    const double places = core::numericValue(currencyItems_[4]);
    decimals_ = places >= 2 && places <= 5 && places == static_cast<int>(places) ? static_cast<int>(places) - 2 : 0;
    currencyCode_ = currencyItems_[3];

    const tables::TablesFile tables = tables::loadTables(s.files(), tables::tablesPath(s.installation(), s.company().code));
    vatCodes_.clear();
    for (int k = 1; k <= 16; ++k)
        vatCodes_.push_back(std::to_string(k) + " Iva " + core::trim(tables.t1.at(k, 0)) + "%");
    for (int k = 1; k <= 16; ++k)
        vatCodes_.push_back(std::to_string(k + 16) + " " + core::trim(tables.t3.at(k, 0)));

    // The record as the file holds it now; the loader's copy when the file cannot be read.
    const std::string path = s.installation().companyFile(s.company().code, generalSettingsName);
    const core::GeneralSettings record = tables::readGeneralSettings(s.files(), path).value_or(s.company().general);
    const auto set = [this](Check box, bool on) { setChecked(box, on); };
    set(Check::Liste, record.refreshLists() == "1");
    set(Check::Lettura0, record.alternateColours() == "1");
    set(Check::Lettura1, record.dropAlternateOver10000() == "1");
    set(Check::Barre80, record.barcodePrefix80() == "1");
    set(Check::Scorporo, record.vatSeparation() == 1);
    set(Check::Cerca, record.barcodeSearch() == 1);
    set(Check::Peso, record.totalWeight() == 1);
    set(Check::Anno, record.invoiceYear() == "1");
    set(Check::Lotti, record.lots() == "1");
    set(Check::Acro, record.manualPdfReader() == "1");
    const double code = core::numericValue(record.defaultVatCode());
    vatCode_ = code >= 1 && code <= vatCodeCount ? static_cast<int>(code) - 1 : 0;
    colours_ = {colourValue(record.firstColour(), core::GeneralSettings::defaultFirstColour),
                colourValue(record.secondColour(), core::GeneralSettings::defaultSecondColour)};
    // A record that never had a path holds zero bytes there: shown as an empty box.
    pdfReader_ = core::trim(core::singleLine(record.pdfReaderPath()));
}

void GeneralSettingsForm::readCurrency() {
    core::Session& s = session();
    const std::string path = s.installation().file(currencyFileName);
    currencyTail_.clear();
    std::optional<core::TextReader> reader = s.files().openText(path);
    if (!reader && s.files().exists(path))
        warn("Impossibile leggere il file " + std::string(currencyFileName) +
             ": sono mostrati la valuta e i decimali predefiniti, che lo sostituiranno se saranno salvati.");

    bool itemsRead = reader.has_value();
    for (std::size_t i = 0; i < 5 && itemsRead; ++i) {
        std::optional<std::string> item = reader->readItem();
        itemsRead = item.has_value();
        if (itemsRead) currencyItems_[i] = std::move(*item);
    }
    if (!itemsRead)
        for (std::size_t i = 0; i < 5; ++i) currencyItems_[i] = currencyDefaults[i];
    std::optional<std::string> line6 = reader ? reader->readLine() : std::nullopt;
    currencyItems_[5] = line6 ? std::move(*line6) : currencyDefaults[5];
    // Line 7 on belong to the loader and the modules: they are written back as read.
    for (std::string line; reader && reader->readLineInto(line);) currencyTail_.push_back(line);
}

void GeneralSettingsForm::setDecimals(int option) {
    if (option >= 0 && option < decimalOptions) decimals_ = option;
}

bool GeneralSettingsForm::editCurrencyCode(const std::string& value) {
    if (!storable(value) || value.find_first_of(",\"") != std::string::npos) return false;
    currencyCode_ = value;
    return true;
}

void GeneralSettingsForm::setVatCode(int position) {
    if (position >= 0 && position < vatCodeCount) vatCode_ = position;
}

long GeneralSettingsForm::colour(int box) const { return box == 0 || box == 1 ? colours_[static_cast<std::size_t>(box)] : 0; }

bool GeneralSettingsForm::editPdfReader(const std::string& value) {
    if (!storable(value)) return false;
    pdfReader_ = core::left(value, pdfReaderWidth);
    return true;
}

void GeneralSettingsForm::colourButton(int index) {
    switch (index) {
    case 0:
    case 1: chooseColour(index); break;
    case 2:
        colours_ = {static_cast<long>(core::GeneralSettings::defaultFirstColour),
                    static_cast<long>(core::GeneralSettings::defaultSecondColour)};
        break;
    case 3: choosePdfReader(); break;
    default: break;
    }
}

void GeneralSettingsForm::chooseColour(int box) {
    long& slot = colours_[static_cast<std::size_t>(box)];
    if (const std::optional<long> chosen = session().platform().chooseColour(colourDialogTitle, slot))
        if (*chosen >= 0 && *chosen <= 0xFFFFFF) slot = *chosen;
}

void GeneralSettingsForm::choosePdfReader() {
    core::Session& s = session();
    const std::string current =
        core::storedPathOnThisSystem(s.files(), s.installation(), pdfReader_).value_or(pdfReader_);
    const std::size_t slash = current.rfind('/');
    const std::string folder = slash != std::string::npos && slash > 0 ? current.substr(0, slash) : "/usr/bin";
    const std::optional<std::string> chosen = s.platform().chooseFile(readerDialogTitle, "*", folder);
    if (!chosen) return;
    const core::FileStat stat = s.files().stat(*chosen);
    // Under the installation's drive the path is kept in the suite's form, as the modules read it.
    const std::string stored = core::storedForm(s.installation(), *chosen);
    if (!stat.exists || stat.isDirectory || (stat.mode & 0111) == 0)
        warn("Il file scelto non è un programma eseguibile: scegliere il programma che apre i file PDF.");
    else if (!storable(stored) || core::trim(stored) != stored)
        warn("Il percorso del programma contiene caratteri che non possono essere memorizzati nelle "
             "impostazioni: scegliere un programma che si trovi in un'altra cartella.");
    else if (core::length(stored) > pdfReaderWidth)
        warn("Il percorso del programma supera i 120 caratteri che le impostazioni possono memorizzare: "
             "scegliere un programma che si trovi in una cartella con un percorso più breve.");
    else
        pdfReader_ = stored;
}

bool GeneralSettingsForm::recordToSave(core::GeneralSettings& out) {
    core::Session& s = session();
    const std::string path = s.installation().companyFile(s.company().code, generalSettingsName);
    if (std::optional<core::GeneralSettings> onDisk = tables::readGeneralSettings(s.files(), path)) {
        out = std::move(*onDisk);
    } else if (s.files().exists(path)) {
        warn("Impossibile leggere il file " + std::string(generalSettingsName) +
             " dell'azienda: le impostazioni non sono state salvate.");
        return false;
    } else {
        out = s.company().general;
    }
    applyFields(out);
    return true;
}

void GeneralSettingsForm::applyFields(core::GeneralSettings& record) const {
    record.setVersionMarker("9");
    record.setRefreshLists(flag(checked(Check::Liste)));
    record.setFirstColour(static_cast<double>(colours_[0]));
    record.setSecondColour(static_cast<double>(colours_[1]));
    record.setAlternateColours(flag(checked(Check::Lettura0)));
    record.setDropAlternateOver10000(flag(checked(Check::Lettura1)));
    record.setBarcodePrefix80(flag(checked(Check::Barre80)));
    record.setVatSeparation(checked(Check::Scorporo) ? 1 : 0);
    record.setBarcodeSearch(checked(Check::Cerca) ? 1 : 0);
    const int code = vatCode_ + 1;
    record.setDefaultVatCode((code < 10 ? "0" : "") + std::to_string(code));
    record.setTotalWeight(checked(Check::Peso) ? 1 : 0);
    record.setInvoiceYear(flag(checked(Check::Anno)));
    record.setLots(flag(checked(Check::Lotti)));
    record.setManualPdfReader(flag(checked(Check::Acro)));
    record.setPdfReaderPath(core::padRight(core::trim(pdfReader_), pdfReaderWidth));
}

bool GeneralSettingsForm::writeCurrency() {
    std::array<std::string, 6> items = currencyItems_;
    items[3] = core::trim(currencyCode_);
    items[4] = std::to_string(decimals_ + 2);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 5; ++i) lines.push_back(itemLine(items[i]));
    lines.push_back(items[5]);
    lines.insert(lines.end(), currencyTail_.begin(), currencyTail_.end());
    core::Session& s = session();
    if (const int error = s.files().writeLines(s.installation().file(currencyFileName), lines)) {
        warn("Non è stato possibile salvare il file " + std::string(currencyFileName) + ": errore " +
             std::to_string(error) + ". Le impostazioni non sono state salvate.");
        return false;
    }
    currencyItems_ = items;
    return true;
}

void GeneralSettingsForm::confirm() {
    core::Session& s = session();
    if (core::trim(currencyCode_).empty()) {
        warn("Indicare il codice della valuta di conto.");
        return;
    }
    core::GeneralSettings record;
    if (!recordToSave(record) || !writeCurrency()) return;
    core::GeneralSettings previous = std::move(s.company().general);
    s.company().general = std::move(record);
    if (const int error = saveGeneralSettings(s)) {
        s.company().general = std::move(previous);
        // The currency file is already written: the settings in use follow the files as they are.
        loadCompanySettings(s);
        warn("Non è stato possibile salvare il file " + std::string(generalSettingsName) + " dell'azienda: errore " +
             std::to_string(error) + ". La valuta e i decimali sono stati salvati, le altre impostazioni "
             "dell'azienda no.");
        return;
    }
    // The next window opened works with the new currency, decimals and settings.
    loadCompanySettings(s);
    close();
}

void GeneralSettingsForm::button(int index) {
    if (index == 0) cancel();
    else if (index == 1) confirm();
}

void GeneralSettingsForm::warn(const std::string& text) {
    session().platform().message(text, "Attenzione", core::Icon::Critical);
}

void openGeneralSettings(core::Session& session) {
    GeneralSettingsForm form(session);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::company
