#include "printing/settings_check.h"

#include "core/dates.h"
#include "core/text.h"
#include "printing/document_types.h"
#include "printing/layout_files.h"
#include "printing/listing_settings_file.h"
#include "tables/tables_model.h"

namespace kalvora::printing {

namespace {

constexpr const char* regionalAdvice =
    "Verificate le impostazioni internazionali (formato data e numeri) nelle impostazioni regionali del sistema.";
constexpr const char* edgeAdvice = "E' consigliabile non superare il limite di 950 (in alcune stampanti 920).";
constexpr const char* commaAdvice =
    "E' consigliabile sosituirla con un altro carattere in quanto potrebbe generale errori.";
constexpr const char* correctionAdvice =
    "Correggete le impostazioni seguendo le indicazioni riportate sopra oppure rivolgetevi al servizio di "
    "consulenza Kalvora.";

// The system's short date of 31/12/2014 and its form of 1234.5 with two decimals, as the module
// programs expect them.
constexpr core::Date testDate{2014, 12, 31};
constexpr const char* expectedDate = "31/12/2014";
constexpr double testNumber = 1234.5;
constexpr const char* expectedNumber = "1.234,50";

// A table of kalvora.tab whose codes the module programs cannot take with a comma in them: the
// entries and columns looked at, and the finding's text.
struct CodeTable {
    tables::Table tables::TablesFile::*table;
    int firstEntry;
    int lastEntry;
    int columns;  // 0..columns-1
    const char* finding;
};

// The exemption tables' code is the article (column 0); column 1 is the free register text.
constexpr CodeTable codeTables[] = {
    {&tables::TablesFile::t3, 1, 16, 1,
     "Nella tabella dei codici di esenzione vendite è stata inserita una ',' (virgola)."},
    {&tables::TablesFile::t4, 1, 16, 1,
     "Nella tabella dei codici di esenzione acquisti è stata inserita una ',' (virgola)."},
    {&tables::TablesFile::t5, 1, 60, 2, "Nella tabella dei codici di pagamento è stata inserita una ',' (virgola)."},
    {&tables::TablesFile::t8, 1, 30, 5, "Nella tabella delle banche è stata inserita una ',' (virgola)."},
    {&tables::TablesFile::t7, 1, 100, 2,
     "Nella tabella della tipologia fatture è stata inserita una ',' (virgola)."},
};

bool holdsComma(const tables::Table& table, const CodeTable& part) {
    for (int entry = part.firstEntry; entry <= part.lastEntry && entry < table.entries(); ++entry)
        for (int column = 0; column < part.columns && column < table.columns(); ++column)
            if (table.at(entry, column).find(',') != std::string::npos) return true;
    return false;
}

}  // namespace

SettingsCheckForm::SettingsCheckForm(core::Session& session) : Form(session) {}

void SettingsCheckForm::run() {
    // The window's events run between the checks: a second click must not start another run.
    if (running_ || closed()) return;
    running_ = true;
    core::Platform& platform = session().platform();
    platform.setBusy(true);
    list_.clear();
    printable_.clear();
    checkRegionalSettings();
    const std::optional<std::vector<std::string>> tbl =
        session().files().readLines(session().installation().file("kalvora.tbl"));
    const core::ListingSettings settings = listingSettingsFromLines(tbl);
    checkListingEdges(settings);
    checkListingFonts(settings, tbl);
    platform.processEvents();
    checkLayoutFonts();
    checkTables();
    const bool found = !list_.empty();
    list_.emplace_back(finishedText);
    list_.emplace_back(found ? correctionAdvice : nothingFoundText);
    platform.setBusy(false);
    running_ = false;
}

void SettingsCheckForm::checkRegionalSettings() {
    core::Platform& platform = session().platform();
    if (core::trim(platform.regionalDate(testDate)) != expectedDate) {
        list_.emplace_back("Il formato data non è corretto. ");
        list_.emplace_back(regionalAdvice);
    }
    if (core::trim(platform.regionalNumber(testNumber, 2)) != expectedNumber) {
        list_.emplace_back("La formattazione dei numeri non è corretta. ");
        list_.emplace_back(regionalAdvice);
    }
}

void SettingsCheckForm::checkListingEdges(const core::ListingSettings& settings) {
    // The second number is the right edge, the fourth the bottom one, as the listings use them.
    if (settings.rightEdge > edgeLimit) {
        list_.emplace_back("Il margine destro del tabulato potrebbe provocare errori in fase di stampa. ");
        list_.emplace_back(edgeAdvice);
    }
    if (settings.bottomEdge > edgeLimit) {
        list_.emplace_back("Il margine inferiore del tabulato potrebbe provocare errori in fase di stampa.");
        list_.emplace_back(edgeAdvice);
    }
}

void SettingsCheckForm::checkListingFonts(const core::ListingSettings& settings,
                                          const std::optional<std::vector<std::string>>& lines) {
    for (const core::ListingStyle& style : settings.styles)
        tryFont(style.fontName, " definito nell'impostazione del tabulato");
    // Group 6 is kept by the window and not loaded for the listings; its font is on line 43.
    std::string group6 = "Arial";
    if (lines && lines->size() >= 43 && !core::trim((*lines)[42]).empty())
        group6 = core::trim((*lines)[42]);
    tryFont(group6, " definito nell'impostazione del tabulato");
}

void SettingsCheckForm::checkLayoutFonts() {
    const core::Files& files = session().files();
    const core::Installation& inst = session().installation();
    const int company = session().company().code;
    for (DocumentType type = 1; type <= 11; ++type) {
        if (!hasLayoutFiles(type)) continue;
        const std::string typeName = documentType(type)->designerName;
        if (files.exists(inst.companyFile(company, placementFileName(type)))) {
            const Placements placements = readPlacements(files, inst, company, type);
            for (int r = 1; r <= Placements::rows; ++r) {
                const Placement& row = placements.row[static_cast<std::size_t>(r)];
                if (core::numericValue(row.position) != 0) tryFont(core::trim(row.font), " definito nel modulo " + typeName);
            }
        }
        session().platform().processEvents();
    }
    // The form grids come after every placement file.
    for (DocumentType type = 1; type <= 11; ++type) {
        if (!hasLayoutFiles(type)) continue;
        const std::string typeName = documentType(type)->designerName;
        const FormGrid grid = readFormGrid(files, inst, company, type);
        for (int e = 1; e <= grid.count && e <= FormGrid::maxElements; ++e) {
            const GridElement& element = grid.elements[static_cast<std::size_t>(e)];
            if (element.kind == 3) tryFont(core::trim(element.fontName), " definito nel modulo personalizzato " + typeName);
        }
    }
}

void SettingsCheckForm::checkTables() {
    const tables::TablesFile file =
        tables::loadTables(session().files(), tables::tablesPath(session().installation(), session().company().code));
    for (const CodeTable& part : codeTables) {
        if (!holdsComma(file.*part.table, part)) continue;
        list_.emplace_back(part.finding);
        list_.emplace_back(commaAdvice);
    }
}

void SettingsCheckForm::tryFont(const std::string& fontName, const std::string& where) {
    auto [known, fresh] = printable_.try_emplace(fontName, false);
    if (fresh) known->second = session().platform().canPrintFont(fontName);
    if (!known->second) list_.push_back("Il font " + fontName + where + " non esiste oppure non è stampabile.");
}

}  // namespace kalvora::printing
