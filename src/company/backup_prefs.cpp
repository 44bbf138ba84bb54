#include "company/backup_prefs.h"

#include "company/registry.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

namespace {

const char* const prefsName = "kalvora.pry";

bool switchedOn(const std::string& value) { return core::trim(value) == "1"; }

// Whole days since the date held in `value`; nullopt when it holds no valid date.
std::optional<long long> daysSince(const std::string& value, const core::Date& today) {
    auto date = core::parseMmDdYyyy(core::trim(value));
    if (!date) return std::nullopt;
    return core::daysBetween(*date, today);
}

// Comparing elapsed days with the interval avoids date arithmetic on absurd intervals.
std::optional<BackupDue> dueTest(int kind, const std::string& last, int interval, const core::Date& today) {
    auto elapsed = daysSince(last, today);
    if (!elapsed) return BackupDue{kind, {}};
    if (*elapsed >= interval) return BackupDue{kind, std::to_string(*elapsed)};
    return std::nullopt;
}

}  // namespace

std::optional<BackupPrefs> readBackupPrefs(const core::Files& files, const core::Installation& inst) {
    auto lines = files.readLines(inst.file(prefsName));
    if (!lines) return std::nullopt;
    BackupPrefs prefs{};
    std::copy_n(lines->begin(), std::min(lines->size(), prefs.size()), prefs.begin());
    return prefs;
}

int writeBackupPrefs(core::Files& files, const core::Installation& inst, const BackupPrefs& prefs) {
    std::vector<std::string> lines(prefs.begin(), prefs.end());
    // A line break inside a value would move every following line.
    for (std::string& line : lines) {
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::replace(line.begin(), line.end(), '\n', ' ');
    }
    return files.writeLines(inst.file(prefsName), lines);
}

BackupDue backupDue(const core::Files& files, const core::Installation& inst, const core::Date& today) {
    auto prefs = readBackupPrefs(files, inst);
    if (!prefs) return {};
    const BackupPrefs& p = *prefs;
    if (switchedOn(p[AutomaticOn])) {
        if (auto due = dueTest(2, p[LastAutomatic], core::integerValue(p[AutomaticDays]), today)) return *due;
    }
    if (switchedOn(p[ReminderOn])) {
        int interval = core::integerValue(p[ReminderDays]);
        if (interval == 0) interval = defaultReminderDays;
        if (auto due = dueTest(1, p[LastBackup], interval, today)) return *due;
    }
    return {};
}

void automaticBackup(core::Session& session, const std::function<void(const std::string&)>& status) {
    core::Files& files = session.files();
    const core::Installation& inst = session.installation();
    auto read = readRegistry(files, inst);
    const std::vector<std::string> registry = read ? *read : session.company().registry;
    const int codes = std::min<int>(core::CompanyState::registrySize, static_cast<int>(registry.size()));
    std::string failure;  // the first thing that could not be copied

    for (int code = 0; code < codes; ++code) {
        const std::string& line = registry[code];
        if (line.empty() || line == "*") continue;
        const std::string folder = inst.companyFolder(code);
        if (!files.canOpen(core::joinPath(folder, "kalvora.tot"))) continue;
        const std::string target = core::joinPath(folder, "kalaz0.bkk");
        files.makeDirectory(target);
        if (status) status("Attendere - copia degli archivi dell'azienda " + core::trim(core::left(line, 200)));

        std::vector<core::DirEntry> entries;
        if (files.list(folder, entries) != 0 && failure.empty())
            failure = "l'elenco dei files dell'azienda " + core::threeDigits(code);
        for (const core::DirEntry& entry : entries) {
            if (entry.isDirectory || core::upper(entry.name) == "KALVORA.BAK") continue;
            // A failed copy leaves the previous backup of that file whole; the others go on.
            if (files.copyFile(core::joinPath(folder, entry.name), core::joinPath(target, entry.name)) != 0 &&
                failure.empty())
                failure = "il file " + core::upper(entry.name) + " dell'azienda " + core::threeDigits(code);
            session.platform().processEvents();
        }
    }

    // The backup counts as made only when every copy is complete; otherwise it stays due and
    // the user hears, once, what failed first.
    if (!failure.empty()) {
        session.platform().message("Copia automatica non completata: non è stato possibile copiare " + failure +
                                       ". La copia verrà proposta di nuovo alla prossima chiusura del programma.",
                                   "Copie automatiche di backup", core::Icon::Critical);
        return;
    }
    BackupPrefs prefs = readBackupPrefs(files, inst).value_or(BackupPrefs{});
    prefs[LastAutomatic] = core::toMmDdYyyy(session.clock().today());
    writeBackupPrefs(files, inst, prefs);
}

}  // namespace kalvora::company
