#include "company/company_creation.h"

#include "company/company_deletion.h"
#include "company/company_files.h"
#include "company/current_company.h"
#include "company/folder_aside.h"
#include "company/registry.h"
#include "company/settings_loader.h"
#include "core/cp1252.h"
#include "core/text.h"
#include "tables/company_header_file.h"

#include <algorithm>

namespace kalvora::company {

namespace {

std::string fieldLabel(int index) {
    const auto& l = CompanyCreationForm::fieldLabels[index];
    std::string label = std::string(l[0]);
    if (*l[1]) label += (label.empty() ? "" : " ") + std::string(l[1]);
    if (index >= 12) label += " " + std::to_string(index - 11);
    return label;
}

}  // namespace

CompanyCreationForm::CompanyCreationForm(core::Session& session, CreationMode mode)
    : core::Form(session), mode_(mode) {}

std::string CompanyCreationForm::title() const {
    switch (mode_) {
    case CreationMode::First: return "Creazione azienda";
    case CreationMode::New: return "Creazione nuova azienda";
    case CreationMode::Edit: return "Modifica dati azienda";
    case CreationMode::Duplicate: return "Duplicazione azienda";
    case CreationMode::Delete: return "Eliminazione azienda";
    }
    return {};
}

std::vector<std::string> CompanyCreationForm::years() const {
    std::vector<std::string> out;
    for (int y = firstYear; y <= lastYear; ++y) out.push_back(std::to_string(y));
    return out;
}

void CompanyCreationForm::open() {
    auto& s = session();
    reopen();
    auto& state = s.company();
    if (auto registry = readRegistry(s.files(), s.installation())) state.registry = *registry;
    if (mode_ == CreationMode::Edit || mode_ == CreationMode::Duplicate || mode_ == CreationMode::Delete) {
        const auto header = tables::readCompanyHeader(s.files(), s.installation().companyFile(state.code, "kalvora.int"));
        for (int i = 0; i < fieldCount; ++i) fields_[i] = core::trim(header[i]);
        const int year = core::integerValue(header[16]);
        if (year >= firstYear && year <= lastYear) yearIndex_ = year - firstYear;
    }
    if (yearIndex_ < 0) {
        const int year = s.clock().today().year;
        if (year >= firstYear && year <= lastYear) yearIndex_ = year - firstYear;
    }
    // Every mode saves the general settings record held in memory: it must be the current
    // company's as it is on disk now, whatever the business modules wrote since.
    loadCompanySettings(s);

    previousEntries_ = {noLinkedCompany};
    previousIndex_ = 0;
    const std::string linked = s.company().general.previousYearCompany();
    const auto& registry = state.registry;
    for (int code = 0; code < static_cast<int>(registry.size()); ++code) {
        if (registry[code] == "*") continue;
        previousEntries_.push_back(core::threeDigits(code) + " " + registry[code]);
        if (core::threeDigits(code) == linked) previousIndex_ = static_cast<int>(previousEntries_.size()) - 1;
    }
    focus_ = 0;
}

void CompanyCreationForm::setField(int index, std::string text) {
    if (!fieldsEditable() || index < 0 || index >= fieldCount) return;
    fields_[index] = core::singleLine(text);
}

void CompanyCreationForm::enterPressed(int index) {
    if (index >= 0 && index < fieldCount - 1) focus_ = index + 1;
}

void CompanyCreationForm::selectYear(int index) {
    if (index >= 0 && index <= lastYear - firstYear) yearIndex_ = index;
}

void CompanyCreationForm::selectPreviousYear(int index) {
    if (index >= 0 && index < static_cast<int>(previousEntries_.size())) previousIndex_ = index;
}

std::string CompanyCreationForm::chosenYear() const {
    return yearIndex_ < 0 ? std::string() : std::to_string(firstYear + yearIndex_);
}

std::string CompanyCreationForm::chosenPreviousYear() const {
    return core::left(previousEntries_.at(previousIndex_), 3);
}

void CompanyCreationForm::leave() {
    auto& s = session();
    if (mode_ == CreationMode::First) {
        s.platform().message("E' obbligatorio creare l'azienda", "Attenzione", core::Icon::Critical);
        focus_ = 0;
        return;
    }
    close();
}

void CompanyCreationForm::confirm() {
    auto& platform = session().platform();
    // A company without a name could not be told apart in the registry, which reads the year
    // from the end of a 200-character name.
    if (fieldsEditable() && core::trim(fields_[0]).empty()) {
        platform.message("Inserire la denominazione dell'azienda.", "Attenzione", core::Icon::Critical);
        focus_ = 0;
        return;
    }
    for (int i = 0; i < fieldCount; ++i) {
        if (!core::fitsCp1252(fields_[i])) {
            platform.message("Il campo \"" + fieldLabel(i) +
                                 "\" contiene caratteri che non possono essere memorizzati.",
                             "Attenzione", core::Icon::Critical);
            focus_ = i;
            return;
        }
    }
    switch (mode_) {
    case CreationMode::First: createFirstCompany(); break;
    case CreationMode::New:
    case CreationMode::Duplicate:
        if (!createInFreeCode()) return;
        break;
    case CreationMode::Edit: editCurrent(); break;
    case CreationMode::Delete: deleteCurrent(); break;
    }
    close();
}

int CompanyCreationForm::storePreviousYearAndSettings() {
    auto& s = session();
    s.company().general.setPreviousYearCompany(chosenPreviousYear());
    return saveGeneralSettings(s);
}

std::vector<std::string> CompanyCreationForm::header() const {
    std::vector<std::string> lines(fields_.begin(), fields_.end());
    lines[0] = core::trim(lines[0]);
    return lines;
}

void CompanyCreationForm::reportFailure(int error) {
    if (error)
        session().platform().message("Non è stato possibile creare tutti gli archivi dell'azienda: errore " +
                                         std::to_string(error),
                                     "Attenzione", core::Icon::Critical);
}

bool CompanyCreationForm::createInFreeCode() {
    auto& s = session();
    auto& files = s.files();
    const auto& inst = s.installation();
    auto& state = s.company();
    auto& platform = s.platform();
    const int source = state.code;
    // The current company's own line is passed over: another computer may have freed it, and a
    // copy into its own folder would only move its subfolders away.
    int code = 0;
    while (code < static_cast<int>(state.registry.size()) &&
           (state.registry[code] != "*" || (mode_ == CreationMode::Duplicate && code == source)))
        ++code;
    if (code == static_cast<int>(state.registry.size())) {
        // Reusing a code would mix two companies' archives.
        platform.message("Non è possibile creare un'altra azienda: tutti i codici da 000 a 999 sono in uso.",
                         "Attenzione", core::Icon::Critical);
        return false;
    }
    platform.setBusy(true);
    // Everything that can stop the creation is done before the registry names the company:
    // the list of files to copy, the new folder, and the folder cleared of what a company
    // deleted from this code left there and must not pass for the new one's.
    FolderAside aside(s, code);
    std::vector<core::DirEntry> entries;
    std::string failure;
    if (mode_ == CreationMode::New) {
        if (!aside.moveInterruptedWork()) failure = aside.failure();
    } else if (const int listError = files.list(inst.companyFolder(source), entries)) {
        failure =
            "leggere la cartella dell'azienda " + core::threeDigits(source) + ": errore " + std::to_string(listError);
    } else if (const int error = files.makeDirectories(inst.companyFolder(code))) {
        failure = "creare la cartella dell'azienda " + core::threeDigits(code) + ": errore " + std::to_string(error);
    } else if (!aside.clearForCopy(entries)) {
        failure = aside.failure();
    }
    if (!failure.empty()) {
        platform.setBusy(false);
        platform.message(std::string(mode_ == CreationMode::New ? "Creazione" : "Duplicazione") +
                             " non eseguita: non è stato possibile " + failure + ".",
                         "Attenzione", core::Icon::Critical);
        return false;
    }

    state.registry[code] = registryLine(core::trim(fields_[0]), chosenYear());
    int error = writeRegistry(files, inst, state.registry);
    auto keep = [&error](int step) {
        if (!error) error = step;
    };
    if (mode_ == CreationMode::New) {
        keep(writeInUseMarker(files, inst, code));
        state.code = code;
        keep(createCompanyFiles(s, code, header(), chosenYear()));
    } else {
        for (const auto& entry : entries) {
            if (entry.isDirectory) continue;
            if (const int copyError =
                    files.copyFile(inst.companyFile(source, entry.name), inst.companyFile(code, entry.name))) {
                keep(copyError);
                // What stays under that name is the deleted company's file, not this one's; when
                // it cannot go aside either, the error reported already says the copy is not whole.
                aside.moveLeftBehind(entry.name);
            }
            platform.processEvents();
        }
        keep(tables::writeCompanyHeader(files, inst.companyFile(code, "kalvora.int"), header(), chosenYear()));
        keep(writeInUseMarker(files, inst, code));
        state.code = code;
    }
    keep(storePreviousYearAndSettings());
    makeCurrent(s, code);
    platform.setBusy(false);
    if (aside.used())
        platform.message(aside.movedSentence(mode_ == CreationMode::New
                                                 ? "I files di lavoro di un azzeramento, di una importazione o di "
                                                   "una conversione interrotti"
                                                 : "I files e le cartelle di un'azienda precedente che la copia non "
                                                   "ha sostituito"),
                         title(), core::Icon::Information);
    reportFailure(error);
    return true;
}

void CompanyCreationForm::editCurrent() {
    auto& s = session();
    auto& state = s.company();
    s.platform().setBusy(true);
    int error = tables::writeCompanyHeader(s.files(), s.installation().companyFile(state.code, "kalvora.int"),
                                           header(), chosenYear());
    state.registry.at(state.code) = registryLine(core::trim(fields_[0]), chosenYear());
    if (const int step = writeRegistry(s.files(), s.installation(), state.registry); !error) error = step;
    if (const int step = storePreviousYearAndSettings(); !error) error = step;
    makeCurrent(s, state.code);
    s.platform().setBusy(false);
    if (error)
        s.platform().message("Non è stato possibile salvare i dati dell'azienda: errore " + std::to_string(error),
                             "Attenzione", core::Icon::Critical);
}

void CompanyCreationForm::deleteCurrent() {
    deleteCompany(session(), session().company().code,
                  {"Sei sicuro di voler eliminare l'azienda visualizzata?", "Sei proprio sicuro?"});
}

void CompanyCreationForm::createFirstCompany() {
    auto& s = session();
    auto& files = s.files();
    const auto& inst = s.installation();
    auto& state = s.company();
    s.platform().setBusy(true);

    const std::string year = chosenYear();
    state.registry.assign(core::CompanyState::registrySize, "*");
    state.registry[0] = registryLine(core::trim(fields_[0]), year);
    int error = files.makeDirectories(inst.folder());
    int step = writeRegistry(files, inst, state.registry);
    if (!error) error = step;
    step = writeInUseMarker(files, inst, 0);
    if (!error) error = step;
    state.code = 0;
    state.general.setPreviousYearCompany(chosenPreviousYear());
    // Only what is missing is made: an archive already in the folder is never written over.
    step = createCompanyFiles(s, 0, header(), year, ExistingFiles::Keep);
    if (!error) error = step;
    step = saveGeneralSettings(s);
    if (!error) error = step;
    makeCurrent(s, 0);
    s.platform().setBusy(false);

    // Nothing is lost by carrying on, but the user must know the company is not (all) on disk:
    // the next start asks again when the registry could not be written.
    reportFailure(error);
}

}  // namespace kalvora::company
