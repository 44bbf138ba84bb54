#include "company/company_duplication.h"

#include "company/company_deletion.h"
#include "company/current_company.h"
#include "company/folder_aside.h"
#include "company/registry.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

namespace {

constexpr const char* title = "Duplica azienda";
constexpr std::size_t nameWidth = 200;

std::string question(int slot) {
    return "Questa funzione permette di creare un duplicato dell'azienda in uso.\r"
           "La nuova azienda creata verrà evidenziata nell'elenco delle aziende con numero " +
           core::threeDigits(slot) +
           ". Sarà possibile duplicare e quindi tenere in linea fino a 9 diverse copie dell'azienda di lavoro "
           "(es: ultimi 9 anni contabili).\r"
           "E' consigliabile duplicare l'azienda prima dell'azzeramento annuale in modo tale da averne una copia "
           "'in linea' sempre disponibile.\r\r"
           "Confermi la duplicazione dell'azienda?";
}

std::string listed(const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::string failedCopies(const std::vector<std::string>& names) {
    return "Duplicazione terminata. Non è stato possibile copiare i files: " + listed(names) +
           ". Probabilmente qualche modulo di programma è ancora in funzione oppure qualche computer della rete "
           "sta utilizzando Kalvora.";
}

// The registry as it is on disk now, when it can be read whole: another computer of the
// network may have changed it since this one loaded it.
void refreshRegistry(core::Session& session) {
    if (auto registry = readRegistry(session.files(), session.installation()))
        session.company().registry = std::move(*registry);
}

}  // namespace

int freeDuplicateSlot(const std::vector<std::string>& registry) {
    for (int code = firstDuplicateCode; code <= lastDuplicateCode; ++code)
        if (static_cast<std::size_t>(code) >= registry.size() || registry[code] == "*") return code;
    return -1;
}

void duplicateCompany(core::Session& session, std::string_view companyCaption) {
    auto& platform = session.platform();
    auto& files = session.files();
    const auto& inst = session.installation();
    auto& state = session.company();
    if (core::integerValue(core::left(companyCaption, 3)) > 990) {
        platform.message("Selezionare l'azienda 000 prima di richiamare questa funzione.", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    refreshRegistry(session);
    const int slot = freeDuplicateSlot(state.registry);
    if (slot < 0) {
        platform.message("Non è possibile creare ulteriori duplicati di aziende. Si consiglia di eliminare il "
                         "duplicato meno recente per creare spazio per la nuova copia.",
                         "Attenzione", core::Icon::Critical);
        return;
    }
    if (!platform.askYesNo(question(slot), title, core::Icon::Question)) return;

    platform.setBusy(true);
    std::vector<core::DirEntry> entries;
    FolderAside aside(session, slot);
    std::string failure;
    if (const int listError = files.list(inst.companyFolder(0), entries))
        failure = "leggere la cartella dell'azienda 000: errore " + std::to_string(listError);
    else if (const int error = files.makeDirectories(inst.companyFolder(slot)))
        failure = "creare la cartella dell'azienda " + core::threeDigits(slot) + ": errore " + std::to_string(error);
    // A slot used before keeps the files of the copy deleted from it: left there, they would
    // pass for files of this copy.
    else if (!aside.clearForCopy(entries))
        failure = aside.failure();
    // Without the new folder or the list of files there is nothing to copy: the registry is
    // left alone rather than naming an empty company.
    if (!failure.empty()) {
        makeCurrent(session, 0);
        platform.setBusy(false);
        platform.message("Duplicazione non eseguita: non è stato possibile " + failure + ".", "Attenzione",
                         core::Icon::Critical);
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const core::DirEntry& a, const core::DirEntry& b) { return a.name < b.name; });
    std::vector<std::string> failed, leftBehind;
    for (const auto& entry : entries) {
        if (entry.isDirectory) continue;
        platform.processEvents();
        if (files.copyFile(inst.companyFile(0, entry.name), inst.companyFile(slot, entry.name)) != 0) {
            failed.push_back(entry.name);
            if (!aside.moveLeftBehind(entry.name)) leftBehind.push_back(entry.name);
        }
    }

    refreshRegistry(session);
    state.registry.resize(core::CompanyState::registrySize, "*");
    int registryError = 0;
    if (state.registry[slot] == "*") {
        state.registry[slot] = "Copia di " + core::trim(core::left(state.registry[0], nameWidth));
        registryError = writeRegistry(files, inst, state.registry);
    }
    makeCurrent(session, 0);
    platform.setBusy(false);
    std::string text = failed.empty() ? std::string("Duplicazione terminata") : failedCopies(failed);
    if (aside.used())
        text += (failed.empty() ? ". " : " ") +
                aside.movedSentence("I files e le cartelle di un'azienda precedente che la copia non ha sostituito");
    if (!leftBehind.empty())
        text += " Nella cartella dell'azienda " + core::threeDigits(slot) +
                " sono rimasti i files di un'azienda precedente: " + listed(leftBehind) + ".";
    platform.message(text, title, failed.empty() ? core::Icon::Exclamation : core::Icon::Critical);
    reportRegistryError(platform, registryError);
}

}  // namespace kalvora::company
