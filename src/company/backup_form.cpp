#include "company/backup_form.h"

#include "company/settings_loader.h"
#include "core/paths.h"
#include "core/text.h"

namespace kalvora::company {

BackupForm::BackupForm(core::Session& session)
    : ArchiveCopyForm(session,
                      {"Copie di backup", "Copia", "Copia solo gli archivi operativi",
                       "Copia gli archivi operativi ed i files necessari per la ristampa dei documenti (DDT, "
                       "Fatture, Parcelle ecc)",
                       "Selezione cartella/unità nella quale salvare i files",
                       "La cartella/unità selezionata per il salvataggio dei files non esiste oppure non è accessibile",
                       "Copia terminata", "Non è stato selezionato alcun file da copiare",
                       "Copia terminata. Non è stato possibile copiare tutti i files: probabilmente qualche modulo "
                       "di programma è ancora in funzione oppure qualche computer della rete sta utilizzando "
                       "Kalvora."}) {}

void BackupForm::open() {
    auto& s = session();
    loadCompanySettings(s);
    prefs_ = readBackupPrefs(s.files(), s.installation()).value_or(BackupPrefs{});
    if (core::integerValue(prefs_[ReminderDays]) == 0) prefs_[ReminderDays] = std::to_string(defaultReminderDays);
    automaticBox_ = false;
    const std::string proposed = core::joinPath(companyFolder(), "kalaz0.bak");
    if (!folderTakesFiles(s.files(), proposed)) s.files().makeDirectories(proposed);
    setFolder(proposed);
    rebuild();
}

void BackupForm::setAutomaticOn(bool on) {
    automaticBox_ = on;
    prefs_[AutomaticOn].assign(1, on ? '1' : '0');
}

std::string BackupForm::lastBackup() const {
    const std::string& stored = prefs_[LastBackup];  // mm-dd-yyyy
    if (core::trim(stored).empty()) return {};
    return core::mid(stored, 4, 2) + "/" + core::mid(stored, 1, 2) + "/" + core::mid(stored, 7, 4);
}

void BackupForm::rebuild() {
    buildRows(companyFolder(), [](const std::string&) { return true; });
}

bool BackupForm::readyToCopy() {
    auto& platform = session().platform();
    if (!platform.askYesNo("Sei proprio sicuro?", texts().title, core::Icon::Question)) return false;
    if (folderTakesFiles(session().files(), folder())) return true;
    platform.message(texts().folderFailed, "Attenzione", core::Icon::Critical);
    return false;
}

bool BackupForm::copySelected() { return copyRows(companyFolder(), folder()); }

void BackupForm::afterCopy(bool allCopied) {
    // A backup that did not copy every file is not a backup: the reminder keeps asking.
    if (!allCopied) return;
    auto& s = session();
    prefs_[LastBackup] = core::toMmDdYyyy(s.clock().today());
    writeBackupPrefs(s.files(), s.installation(), prefs_);
}

void BackupForm::beforeClose() {
    auto& s = session();
    if (const int error = writeBackupPrefs(s.files(), s.installation(), prefs_); error != 0)
        s.platform().message("Non è stato possibile salvare le impostazioni delle copie di backup: errore " +
                                 std::to_string(error),
                             "Attenzione", core::Icon::Critical);
}

}  // namespace kalvora::company
