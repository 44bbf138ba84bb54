#include "company/read_only_check.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

ReadOnlyCheckForm::ReadOnlyCheckForm(core::Session& session) : core::Form(session) {}

void ReadOnlyCheckForm::open() {
    scope_ = Scope::Archives;
    lines_.clear();
}

void ReadOnlyCheckForm::setScope(Scope scope) {
    if (!working_) scope_ = scope;
}

void ReadOnlyCheckForm::run() {
    if (working_ || closed()) return;
    core::Session& s = session();
    working_ = true;
    lines_.clear();
    s.platform().setBusy(true);
    checkFolder(s.installation().companyFolder(s.company().code));
    if (scope_ == Scope::AllFiles) checkFolder(s.installation().folder());
    s.platform().setBusy(false);
    working_ = false;
    s.platform().message("Verifica terminata", doneTitle, core::Icon::Exclamation);
}

void ReadOnlyCheckForm::checkFolder(const std::string& folder) {
    core::Session& s = session();
    core::Files& files = s.files();
    std::vector<core::DirEntry> entries;
    if (const int error = files.list(folder, entries); error != 0) {
        // Saying nothing here would let "Verifica terminata" pass for a check that never ran.
        lines_.push_back("Impossibile leggere la cartella " + folder + " (errore " + std::to_string(error) + ")");
        return;
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const core::DirEntry& entry : entries) {
        if (entry.isDirectory || entry.hidden || !entry.readOnly) continue;
        const std::string path = core::joinPath(folder, entry.name);
        // A link may lead out of the installation: its target is not ours to change.
        std::string target;
        if (files.fileSystem().readLink(files.resolve(path), target) == 0) continue;
        const std::string shown = core::padRight(entry.name, nameWidth);
        lines_.push_back("Verifico il file " + shown + " Status -> Sola lettura");
        const int error = files.setReadOnly(path, false);
        lines_.push_back("Correggo il file " + shown +
                         (error == 0 ? std::string(" Status -> OK")
                                     : " Status -> Non corretto: permessi non modificabili (errore " +
                                           std::to_string(error) + ")"));
        s.platform().processEvents();
    }
}

void openReadOnlyCheck(core::Session& session) {
    ReadOnlyCheckForm form(session);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::company
