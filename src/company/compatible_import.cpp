#include "company/compatible_import.h"

#include "company/archive_conversion.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

namespace {

constexpr const char* importTitle = "Conversione archivi";

std::string withoutSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

CompatibleImportForm::CompatibleImportForm(core::Session& session) : core::Form(session), chooser_(session) {}

void CompatibleImportForm::open() { chooser_.setFolder(session().installation().driveRoot()); }

void CompatibleImportForm::confirm() {
    if (working_) return;
    auto& platform = session().platform();
    core::Files& files = session().files();
    const std::string from = chooser_.folder();
    const std::string to = session().installation().companyFolder(session().company().code);
    if (!files.exists(core::joinPath(from, "kalvora.tot"))) {
        platform.message("La cartella selezionata non contiene archivi compatibili con Kalvora per Windows", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    // Copying the company's own folder onto itself would only rewrite every file.
    if (withoutSlash(files.resolve(from)) == withoutSlash(files.resolve(to))) {
        platform.message("La cartella selezionata è quella dell'azienda in uso", "Attenzione", core::Icon::Critical);
        return;
    }
    if (!platform.askYesNo("Sei proprio sicuro?", importTitle, core::Icon::Question)) return;
    std::vector<core::DirEntry> entries;
    if (const int e = files.list(from, entries); e != 0) {
        platform.message("Non è stato possibile leggere la cartella selezionata (errore " + std::to_string(e) + ").",
                         importTitle, core::Icon::Critical);
        return;
    }
    std::sort(entries.begin(), entries.end(), [](const core::DirEntry& a, const core::DirEntry& b) { return a.name < b.name; });
    working_ = true;
    platform.setBusy(true);
    std::string failed;
    int error = 0;
    for (const core::DirEntry& entry : entries) {
        if (entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        status_ = "Converto il file " + entry.name;
        if (listener_) listener_();
        platform.processEvents();
        // The copy takes the name only once it is whole and read back the same.
        if (error = files.copyFile(core::joinPath(from, entry.name), core::joinPath(to, entry.name)); error != 0) {
            failed = entry.name;
            break;
        }
    }
    platform.setBusy(false);
    working_ = false;
    status_.clear();
    if (listener_) listener_();
    if (!failed.empty()) {
        platform.message("Non è stato possibile copiare il file " + failed + " (errore " + std::to_string(error) +
                             "). La conversione è stata interrotta: i file copiati prima di questo sono già nella "
                             "cartella dell'azienda.",
                         importTitle, core::Icon::Critical);
        return;
    }
    // Archives from a folder without kalvora.a14 may be in the old layout: without the marker the
    // start-up offers the conversion, which only marks the company again when they are current.
    const bool marked = std::any_of(entries.begin(), entries.end(), [](const core::DirEntry& e) {
        return !e.isDirectory && core::equalsIgnoreCase(e.name, conversionMarkerName);
    });
    const std::string marker = core::joinPath(to, conversionMarkerName);
    if (!marked && files.exists(marker))
        if (const int e = files.remove(marker); e != 0) {
            platform.message("I file sono stati copiati, ma non è stato possibile eliminare il file " +
                                 std::string(conversionMarkerName) + " dell'azienda (errore " + std::to_string(e) +
                                 "): eseguire la conversione degli archivi prima di usarli.",
                             importTitle, core::Icon::Critical);
            return;
        }
    platform.message("Conversione eseguita", importTitle, core::Icon::Information);
    close();
}

void CompatibleImportForm::cancel() {
    if (!working_) close();
}

void openCompatibleImport(core::Session& session) {
    CompatibleImportForm form(session);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::company
