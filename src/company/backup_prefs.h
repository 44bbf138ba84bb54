#pragma once
// Backup preferences kalvora.pry, the backup due test and the automatic backup.
#include "core/dates.h"
#include "core/session.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace kalvora::company {

// Lines 1..6: reminder on, automatic on, reminder days, automatic days, last backup and last
// automatic backup as mm-dd-yyyy. A file that cannot be read gives nullopt (six empty values
// for the window).
using BackupPrefs = std::array<std::string, 6>;
enum BackupPrefsLine { ReminderOn, AutomaticOn, ReminderDays, AutomaticDays, LastBackup, LastAutomatic };
constexpr int defaultReminderDays = 7;
std::optional<BackupPrefs> readBackupPrefs(const core::Files& files, const core::Installation& inst);
int writeBackupPrefs(core::Files& files, const core::Installation& inst, const BackupPrefs& prefs);

struct BackupDue {
    int kind = 0;      // 0 nothing due, 1 reminder due, 2 automatic backup due
    std::string days;  // days since the last backup, empty when there was none
};
BackupDue backupDue(const core::Files& files, const core::Installation& inst, const core::Date& today);

// Copies every file of each company in the registry (except KALVORA.BAK) into its kalaz0.bkk
// subfolder, then stores today in line 6 of kalvora.pry. `status` receives the progress text.
void automaticBackup(core::Session& session, const std::function<void(const std::string&)>& status);

}  // namespace kalvora::company
