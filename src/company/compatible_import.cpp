#include "company/compatible_import.h"

#include "company/archive_conversion.h"
#include "company/reset_journal.h"
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
    const auto refuse = [&](const std::string& text) {
        platform.message(text, "Attenzione", core::Icon::Critical);
    };
    std::vector<core::DirEntry> entries, own;
    if (const int e = files.list(from, entries); e != 0)
        return refuse("Non è stato possibile leggere la cartella selezionata (errore " + std::to_string(e) + ").");
    if (const int e = files.list(to, own); e != 0)
        return refuse("Non è stato possibile leggere la cartella dell'azienda (errore " + std::to_string(e) + ").");
    const auto isNamed = [](std::string_view name) {
        return [name](const core::DirEntry& e) { return core::equalsIgnoreCase(e.name, name); };
    };
    if (std::any_of(own.begin(), own.end(), isNamed(resetJournalName)))
        return refuse("Un'operazione precedente sugli archivi dell'azienda è stata interrotta e non è ancora stata "
                      "completata: riaprire l'azienda per completarla prima di eseguire la conversione.");
    if (std::any_of(entries.begin(), entries.end(), isNamed(resetJournalName)))
        return refuse("Gli archivi della cartella selezionata sono a metà di un'operazione interrotta (file " +
                      std::string(resetJournalName) + "): non possono essere convertiti.");
    // The files a run of the other folder staged and never swapped in are nobody's archives.
    std::vector<std::string> names;
    for (const core::DirEntry& entry : entries)
        if (!entry.isDirectory && !isStagedName(entry.name)) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!journalSafeName(name)) return refuse("Il nome del file " + name + " non può essere convertito.");
        const auto clash = std::find_if(own.begin(), own.end(), isNamed(name));
        if (clash != own.end() && clash->isDirectory)
            return refuse("Il file " + name + " non può essere copiato: nella cartella dell'azienda esiste una "
                          "cartella con lo stesso nome. La conversione non è stata eseguita.");
    }
    working_ = true;
    platform.setBusy(true);
    const auto done = [&] {
        platform.setBusy(false);
        working_ = false;
        status_.clear();
        if (listener_) listener_();
    };
    // Every file is copied beside the company's archives under a staged name, and checked; only
    // then does one journal swap them all in, so the company never holds half an import.
    removeStagedFiles(files, to);
    ResetJournal journal;
    journal.kind = JournalKind::Import;
    const auto removeStaged = [&] {
        for (const auto& move : journal.moves) files.remove(core::joinPath(to, move.first));
    };
    for (const std::string& name : names) {
        status_ = "Converto il file " + name;
        if (listener_) listener_();
        platform.processEvents();
        const std::string staged = importStagedName(journal.moves.size() + 1);
        journal.moves.emplace_back(staged, name);
        if (const int e = files.copyFile(core::joinPath(from, name), core::joinPath(to, staged)); e != 0) {
            removeStaged();
            done();
            return refuse("Non è stato possibile copiare il file " + name + " (errore " + std::to_string(e) +
                          "). La conversione non è stata eseguita: gli archivi dell'azienda sono rimasti com'erano.");
        }
    }
    // Archives from a folder without kalvora.a14 may be in the old layout: without the marker the
    // start-up offers the conversion, which only marks the company again when they are current.
    if (std::none_of(names.begin(), names.end(),
                     [](const std::string& n) { return core::equalsIgnoreCase(n, conversionMarkerName); }))
        journal.deletes.emplace_back(conversionMarkerName);
    const std::string journalPath = core::joinPath(to, resetJournalName);
    // A journal whose rename landed is whole even when the folder sync after it failed.
    if (const int e = files.replaceFile(journalPath, encodeJournal(journal)); e != 0 && !files.exists(journalPath)) {
        removeStaged();
        done();
        return refuse("Non è stato possibile scrivere il file " + std::string(resetJournalName) + " (errore " +
                      std::to_string(e) + "). La conversione non è stata eseguita: gli archivi dell'azienda sono "
                      "rimasti com'erano.");
    }
    JournalOutcome outcome = applyJournal(files, to, journal);
    // A passing error should not leave the archives half replaced until the next opening.
    if (outcome.error != 0) outcome = applyJournal(files, to, journal);
    done();
    if (outcome.error != 0)
        return refuse("La conversione è stata interrotta durante l'aggiornamento degli archivi (file " + outcome.file +
                      ", errore " + std::to_string(outcome.error) + "). Verrà completata alla prossima apertura "
                      "dell'azienda: fino ad allora non utilizzare i moduli del programma.");
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
