#include "company/restore_form.h"

#include "company/settings_loader.h"
#include "core/paths.h"

#include <vector>

namespace kalvora::company {

namespace {

// A backup on a medium that cannot be written (a disc, a protected stick, a read-only share)
// must still be restored: the source needs only to exist and list.
bool readable(const core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    return files.isDirectory(folder) && files.list(folder, entries) == 0;
}

}  // namespace

RestoreForm::RestoreForm(core::Session& session)
    : ArchiveCopyForm(session,
                      {"Ripristino copie di backup", "Ripristina", "Ripristina solo gli archivi operativi",
                       "Ripristina gli archivi operativi ed i files necessari per la ristampa dei documenti (DDT, "
                       "Fatture, Parcelle ecc)",
                       "Selezione cartella/unità dalla quale prelevare i files da ripristinare",
                       "La cartella/unità selezionata per il ripristino dei files non esiste oppure non è accessibile",
                       "Ripristino terminato", "Non è stato selezionato alcun file da ripristinare",
                       "Ripristino terminato. Non è stato possibile ripristinare tutti i files: probabilmente "
                       "qualche modulo di programma è ancora in funzione oppure qualche computer della rete sta "
                       "utilizzando Kalvora."}) {}

void RestoreForm::open() {
    auto& s = session();
    loadCompanySettings(s);
    const std::string proposed = core::joinPath(companyFolder(), "kalaz0.bak");
    if (!readable(s.files(), proposed)) s.files().makeDirectories(proposed);
    setFolder(proposed);
    rebuild();
}

void RestoreForm::rebuild() {
    // Obsolete and unknown files are offered, not proposed.
    buildRows(folder(), [](const std::string& description) { return !proposedNotToRestore(description); });
    if (emptyList()) setFirstRowText(nothingFound);
}

bool RestoreForm::readyToCopy() {
    auto& platform = session().platform();
    if (emptyList()) {
        platform.askYesNo("Non sono trovati files da ripristinare", texts().title, core::Icon::Question);
        return false;
    }
    if (!platform.askYesNo("Sei proprio sicuro?", texts().title, core::Icon::Question)) return false;
    if (readable(session().files(), folder())) return true;
    platform.message(texts().folderFailed, "Attenzione", core::Icon::Critical);
    return false;
}

bool RestoreForm::copySelected() { return copyRows(folder(), companyFolder()); }

}  // namespace kalvora::company
