#include "company/backup_prefs.h"

#include "company/registry.h"
#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace kalvora::company {
namespace {

const std::string pry = "kalwin/kalwin/kalvora.pry";
const std::string company0 = "kalwin/kalwin/kalaz0.000/";

struct Backup : ::testing::Test, testing::TestSession {
    Backup() : TestSession({2024, 3, 15}) { drive.makeInstallation(); }
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{drive.installation(), platform, clock, files};
    std::vector<std::string> statuses;
    void writePrefs(const std::vector<std::string>& lines) { drive.write(pry, core::encodeLines(lines)); }
    void run() { automaticBackup(session, [this](const std::string& s) { statuses.push_back(s); }); }
};

// Today is the 15th of March 2024; the dates in the file are mm-dd-yyyy.
TEST_F(Backup, DueKindAndDays) {
    EXPECT_EQ(backupDue(files, drive.installation(), clock.today()).kind, 0) << "no preferences";
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"0", "0", "7", "7", "01-01-2000", "01-01-2000"}, 0, ""},  // both switches off
        {{"1", "", "7", "", "03-08-2024", ""}, 1, "7"},
        {{"1", "", "7", "", "02-28-2024", ""}, 1, "16"},  // across the 29th of February
        {{"1", "", "7", "", "", ""}, 1, ""},               // never made
        {{"1", "1", "7", "3", "01-01-2020", "03-10-2024"}, 2, "5"},  // the automatic one comes first
        {{"1", "1", "7", "30", "03-05-2024", "03-10-2024"}, 1, "10"},
    };
    for (const auto& [prefs, kind, days] : cases) {
        writePrefs(prefs);
        const BackupDue d = backupDue(files, drive.installation(), clock.today());
        EXPECT_EQ(std::pair(d.kind, d.days), std::pair(kind, days)) << prefs[2] << " " << prefs[4] << " " << prefs[5];
    }
}

// Every single failing disk call in turn: a file either gets its new copy or keeps its old
// backup whole, and a failure inside one copy does not stop the copies after it.
TEST_F(Backup, AFailedCopyKeepsTheOldBackupAndTheOthersGoOn) {
    const std::vector<std::string> names{"kalvora.cli", "kalvora.for", "kalvora.tot"};
    session.company().registry[0] = registryLine("Rossi", "2024");  // no file: the copy in memory
    for (const std::string& name : names) drive.write(company0 + name, "nuovo " + name);
    auto arrangeOldBackup = [&] {
        std::filesystem::remove_all(drive.path(company0 + "kalaz0.bkk"));
        for (const std::string& name : names) drive.write(company0 + "kalaz0.bkk/" + name, "vecchio " + name);
    };
    arrangeOldBackup();
    faulty.reset();
    run();
    const long calls = faulty.calls();
    ASSERT_GT(calls, 0);
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(files.readLines(drive.path(pry))->at(5), "03-15-2024");
    std::set<std::string> failedAlone;
    for (long k = 1; k <= calls; ++k) {
        arrangeOldBackup();
        std::filesystem::remove(drive.path(pry));
        const std::size_t told = platform.messages().size();
        faulty.failAt(k);
        run();
        faulty.reset();
        ASSERT_EQ(drive.list(company0 + "kalaz0.bkk"), names) << "no temporary is left; failure at call " << k;
        std::vector<std::string> stale;
        for (const std::string& name : names) {
            const std::string copy = drive.read(company0 + "kalaz0.bkk/" + name);
            if (copy == "vecchio " + name) stale.push_back(name);
            else ASSERT_EQ(copy, "nuovo " + name) << "failure at call " << k;
        }
        ASSERT_TRUE(stale.size() <= 1 || stale.size() == names.size()) << "failure at call " << k;
        if (stale.size() == 1) {
            failedAlone.insert(stale.front());
            // Not stamped as made: it stays due, and the user is told once which file failed.
            EXPECT_FALSE(drive.exists(pry)) << "failure at call " << k;
            ASSERT_EQ(platform.messages().size(), told + 1) << "failure at call " << k;
            EXPECT_EQ(platform.messages().back().text,
                      "Copia automatica non completata: non è stato possibile copiare il file " +
                          core::upper(stale.front()) +
                          " dell'azienda 000. La copia verrà proposta di nuovo alla prossima chiusura del programma.");
        }
    }
    EXPECT_EQ(failedAlone.size(), names.size());  // each file failed alone at some call
}

}  // namespace
}  // namespace kalvora::company
