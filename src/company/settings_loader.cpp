#include "company/settings_loader.h"

#include "core/text.h"
#include "printing/listing_settings_file.h"
#include "tables/company_header_file.h"
#include "tables/currency_file.h"
#include "tables/general_settings_file.h"

#include <optional>
#include <string>

namespace kalvora::company {

namespace {

constexpr std::string_view generalSettingsName = "kalvora.gnr";
constexpr std::string_view currentVersion = "9";

// The default VAT code must lie between "01" and "32". Returns true when it was replaced.
bool fixDefaultVatCode(core::GeneralSettings& general) {
    double code = core::numericValue(general.defaultVatCode());
    if (code >= 1 && code <= 32)
        return false;
    general.setDefaultVatCode("01");
    return true;
}

bool fillVersion(core::GeneralSettings& general) {
    if (general.versionMarker() == currentVersion)
        return false;
    general.applyVersionFill();
    return true;
}

core::GeneralSettings freshGeneralSettings() {
    core::GeneralSettings general;
    for (int i = 0; i < 6; ++i)
        general.setLeadingInteger(i, 0);
    general.setDefaultVatCode("01");
    general.applyVersionFill();
    return general;
}

void loadGeneralSettings(core::Session& session) {
    core::Files& files = session.files();
    const core::Installation& inst = session.installation();
    core::CompanyState& company = session.company();
    const std::string path = inst.companyFile(company.code, generalSettingsName);

    if (std::optional<core::GeneralSettings> own = tables::readGeneralSettings(files, path)) {
        company.general = std::move(*own);
        bool changed = fixDefaultVatCode(company.general);
        changed = fillVersion(company.general) || changed;
        if (changed)
            saveGeneralSettings(session);
        return;
    }

    // A company file that exists but cannot be read is never replaced: the settings below only
    // serve this run.
    const bool keepExisting = files.exists(path);

    if (std::optional<core::GeneralSettings> tmpl =
            tables::readGeneralSettings(files, inst.file(generalSettingsName))) {
        company.general = std::move(*tmpl);
        fillVersion(company.general);
        fixDefaultVatCode(company.general);
    } else {
        files.makeDirectories(inst.pdfFolder());
        company.general = freshGeneralSettings();
    }
    if (!keepExisting)
        saveGeneralSettings(session);
}

}  // namespace

void loadCompanySettings(core::Session& session) {
    core::Files& files = session.files();
    const core::Installation& inst = session.installation();
    core::CompanyState& company = session.company();

    std::vector<std::string> header =
        tables::readCompanyHeader(files, inst.companyFile(company.code, "kalvora.int"));
    for (int line = 1; line <= 3; ++line)
        company.headerLines[line] = header[line - 1];

    tables::loadCurrency(files, inst, company.currency);
    company.listing = printing::loadListingSettings(files, inst.file("kalvora.tbl"));
    loadGeneralSettings(session);
}

int saveGeneralSettings(core::Session& session) {
    const std::string path = session.installation().companyFile(session.company().code, generalSettingsName);
    return tables::saveGeneralSettings(session.files(), path, session.company().general);
}

}  // namespace kalvora::company
