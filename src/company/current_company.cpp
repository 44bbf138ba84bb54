#include "company/current_company.h"

#include "company/company_creation.h"
#include "company/registry.h"
#include "company/settings_loader.h"
#include "company/year_end_reset.h"

namespace kalvora::company {

namespace {

// What the user is told after the registry was completed or rebuilt from the folders.
std::string recoveryMessage(const RecoveredRegistry& recovered, const std::string& kept, bool leftAsItWas,
                            int writeError) {
    using Source = RecoveredRegistry::Source;
    std::string text = recovered.source == Source::Short
                           ? "L'archivio delle aziende era incompleto ed è stato completato"
                       : recovered.source == Source::Missing
                           ? "L'archivio delle aziende mancava ed è stato ricostruito"
                           : "L'archivio delle aziende era danneggiato ed è stato ricostruito";
    text += recovered.rebuiltLines > 0 ? " dalle cartelle delle aziende" : "";
    if (!kept.empty())
        text += "; la copia danneggiata è stata conservata come " + kept;
    else if (leftAsItWas)
        text += "; il file danneggiato, che non è stato possibile copiare, è stato lasciato com'era";
    if (writeError) text += "; non è stato possibile salvarlo: errore " + std::to_string(writeError);
    return text + ".";
}

}  // namespace

void makeCurrent(core::Session& session, int code) {
    auto& state = session.company();
    if (code < 0 || code >= core::CompanyState::registrySize) return;
    const std::string line =
        static_cast<std::size_t>(code) < state.registry.size() ? state.registry[code] : std::string("*");
    CompanyCaptions captions = companyCaptions(code, line);
    state.code = code;
    state.companyCaption = std::move(captions.company);
    state.yearCaption = std::move(captions.year);
    completeInterruptedReset(session, code);
    loadCompanySettings(session);
}

void openFirstCompany(core::Session& session) {
    auto& files = session.files();
    const auto& inst = session.installation();
    auto& state = session.company();
    RecoveredRegistry recovered = recoverRegistry(files, inst);
    if (recovered.source == RecoveredRegistry::Source::Whole) {
        state.registry = std::move(recovered.lines);
    } else {
        // Whatever is left of the old registry is kept before anything rewrites it.
        const std::string kept = keepDamagedRegistry(files, inst);
        if (recovered.anyCompany()) {
            state.registry = std::move(recovered.lines);
            // An unreadable file that could not be copied aside is not written over: the rebuilt
            // registry serves this run only. A short one loses nothing, all its lines stay.
            const bool leaveOld = kept.empty() && recovered.source == RecoveredRegistry::Source::Unreadable;
            const int error = leaveOld ? 0 : writeRegistry(files, inst, state.registry);
            session.platform().message(recoveryMessage(recovered, kept, leaveOld, error), "Attenzione",
                                       core::Icon::Exclamation);
        } else {
            CompanyCreationForm creation(session, CreationMode::First);
            creation.open();
            session.platform().showModal(creation);
        }
    }
    makeCurrent(session, 0);
    writeInUseMarker(files, inst, 0);
}

}  // namespace kalvora::company
