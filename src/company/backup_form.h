#pragma once
// The backup window zelabak: copies the files of the current company chosen in the list into a
// folder (another disk, a removable drive, or the company's own kalaz0.bak), and keeps the
// backup preferences kalvora.pry that the reminders at shutdown read.
#include "company/archive_copy.h"
#include "company/backup_prefs.h"

namespace kalvora::company {

class BackupForm : public ArchiveCopyForm {
public:
    explicit BackupForm(core::Session& session);

    std::string name() const override { return "zelabak"; }
    std::string title() const override { return "Copie di backup"; }

    // Loads the company settings and the preferences, proposes the company's kalaz0.bak (made
    // when it cannot take files) and lists the files.
    void open();

    // "Attiva promemoria copie di backup", and its interval in days.
    bool reminderOn() const { return prefs_[ReminderOn] == "1"; }
    void setReminderOn(bool on) { prefs_[ReminderOn].assign(1, on ? '1' : '0'); }
    const std::string& reminderDays() const { return prefs_[ReminderDays]; }
    void editReminderDays(std::string days) { prefs_[ReminderDays] = std::move(days); }
    // "Attiva automatismo copie di backup (copia su hard disk)": shown cleared when the window
    // opens; the stored switch changes only when the user clicks the box.
    bool automaticBox() const { return automaticBox_; }
    void setAutomaticOn(bool on);
    const std::string& automaticDays() const { return prefs_[AutomaticDays]; }
    void editAutomaticDays(std::string days) { prefs_[AutomaticDays] = std::move(days); }
    // The date of the last backup made here, as dd/mm/yyyy; empty when there was none.
    std::string lastBackup() const;

    const BackupPrefs& prefs() const { return prefs_; }

private:
    void rebuild() override;
    bool readyToCopy() override;
    bool copySelected() override;
    void afterCopy(bool allCopied) override;
    void beforeClose() override;

    BackupPrefs prefs_{};
    bool automaticBox_ = false;
};

}  // namespace kalvora::company
