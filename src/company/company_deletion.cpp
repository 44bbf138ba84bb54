#include "company/company_deletion.h"

#include "company/current_company.h"
#include "company/registry.h"
#include "core/text.h"

namespace kalvora::company {

namespace {

constexpr const char* title = "Eliminazione azienda";

}  // namespace

void reportRegistryError(core::Platform& platform, int error) {
    if (error)
        platform.message("Non è stato possibile aggiornare l'archivio delle aziende: errore " + std::to_string(error),
                         "Attenzione", core::Icon::Critical);
}

void deleteCompany(core::Session& session, int code, const std::vector<std::string>& questions) {
    auto& platform = session.platform();
    auto& state = session.company();
    // Company 000 is where every start begins and what the duplicates copy: freeing its line
    // would leave the installation without a working company.
    if (code == 0) {
        platform.message("L'azienda 000 non può essere eliminata: è l'azienda di lavoro, da cui si parte ad ogni "
                         "avvio e di cui i duplicati sono copie.",
                         "Attenzione", core::Icon::Critical);
        return;
    }
    if (code < 0 || code >= core::CompanyState::registrySize) return;
    for (const auto& question : questions)
        if (!platform.askYesNo(question, title, core::Icon::Question)) return;
    platform.setBusy(true);
    state.registry.resize(core::CompanyState::registrySize, "*");
    state.registry[code] = "*";
    const int error = writeRegistry(session.files(), session.installation(), state.registry);
    makeCurrent(session, 0);
    platform.setBusy(false);
    reportRegistryError(platform, error);
}

void deleteShownCompany(core::Session& session, std::string_view companyCaption) {
    const int code = core::integerValue(core::left(companyCaption, 3));
    deleteCompany(session, code, {"Sei sicuro di voler eliminare l'azienda " + core::trim(companyCaption) + "?"});
}

}  // namespace kalvora::company
