#include "company/backup_prefs.h"

#include "company/registry.h"
#include "core/text.h"
#include "support/fake_platform.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace kalvora::company {
namespace {

using testing::TempDrive;

const std::string pry = "kalwin/kalwin/kalvora.pry";

struct Backup : ::testing::Test {
    TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock{core::Date{2024, 3, 15}};
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{drive.installation(), platform, clock, files};
    std::vector<std::string> statuses;

    void SetUp() override { drive.makeInstallation(); }

    void writePrefs(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) bytes += line + "\r\n";
        drive.write(pry, bytes);
    }
    BackupDue due(const std::vector<std::string>& lines) {
        writePrefs(lines);
        return backupDue(files, drive.installation(), clock.today());
    }
    void run() {
        automaticBackup(session, [this](const std::string& s) { statuses.push_back(s); });
    }
    void writeRegistryFile(const std::vector<std::pair<int, std::string>>& used) {
        std::vector<std::string> lines(1000, "*");
        for (const auto& [code, line] : used) lines[code] = line;
        ASSERT_EQ(writeRegistry(files, drive.installation(), lines), 0);
    }
};

TEST_F(Backup, PrefsReadShortFilesAndWriteSixLines) {
    EXPECT_FALSE(readBackupPrefs(files, drive.installation()));

    drive.write(pry, "1\n\n14");
    auto prefs = readBackupPrefs(files, drive.installation());
    ASSERT_TRUE(prefs);
    EXPECT_EQ(*prefs, (BackupPrefs{"1", "", "14", "", "", ""}));

    BackupPrefs written{"1", "0", "7", "", "03-01-2024", "Riga\ndoppia"};
    ASSERT_EQ(writeBackupPrefs(files, drive.installation(), written), 0);
    EXPECT_EQ(drive.read(pry), "1\r\n0\r\n7\r\n\r\n03-01-2024\r\nRiga doppia\r\n");
}

// Today is the 15th of March 2024; the dates in the file are mm-dd-yyyy.
TEST_F(Backup, DueKindAndDays) {
    EXPECT_EQ(backupDue(files, drive.installation(), clock.today()).kind, 0) << "no preferences";
    struct Case {
        std::vector<std::string> prefs;
        int kind;
        std::string days;
    };
    const Case cases[] = {
        {{"0", "0", "7", "7", "01-01-2000", "01-01-2000"}, 0, ""},  // both switches off
        {{"1", "", "7", "", "03-08-2024", ""}, 1, "7"},
        {{"1", "", "7", "", "03-09-2024", ""}, 0, ""},
        {{"1", "", "7", "", "02-28-2024", ""}, 1, "16"},  // across the 29th of February
        {{"1", "", "", "", "03-09-2024", ""}, 0, ""},     // no interval means 7
        {{"1", "", "0", "", "03-08-2024", ""}, 1, "7"},
        {{"1", "", "7", "", "", ""}, 1, ""},  // never made
        {{"1", "", "7", "", "31-12-2023", ""}, 1, ""},
        // The automatic backup comes before the reminder.
        {{"1", "1", "7", "30", "01-01-2020", ""}, 2, ""},
        {{"1", "1", "7", "3", "01-01-2020", "03-10-2024"}, 2, "5"},
        {{"1", "1", "7", "30", "03-05-2024", "03-10-2024"}, 1, "10"},
        {{"0", "1", "7", "30", "", "03-10-2024"}, 0, ""},
    };
    for (const Case& c : cases) {
        const BackupDue d = due(c.prefs);
        EXPECT_EQ(d.kind, c.kind) << c.prefs[2] << " " << c.prefs[4] << " " << c.prefs[5];
        EXPECT_EQ(d.days, c.days) << c.prefs[2] << " " << c.prefs[4] << " " << c.prefs[5];
    }
}

TEST_F(Backup, AutomaticBackupCopiesEveryCompanyWithCounts) {
    const std::string company0 = "kalwin/kalwin/kalaz0.000/";
    const std::string company3 = "kalwin/kalwin/kalaz0.003/";
    drive.write(company0 + "kalvora.tot", "conteggi");
    drive.write(company0 + "kalvora.cli", "clienti");
    drive.write(company0 + "FTR001.DAT", "fattura");
    drive.write(company0 + "Kalvora.Bak", "vecchio");
    drive.write(company0 + "kalaz0.bak/kalvora.cli", "copia manuale");
    drive.write("kalwin/kalwin/kalaz0.001/kalvora.tot", "libera");
    drive.write("kalwin/kalwin/kalaz0.002/kalvora.cli", "senza conteggi");
    drive.write(company3 + "kalvora.tot", "tre");
    writeRegistryFile({{0, registryLine("Società Città Srl", "2024")},
                       {2, registryLine("Senza conteggi", "2024")},
                       {3, "Copia di Bianchi"}});
    writePrefs({"1", "1", "7", "30", "03-01-2024", ""});

    run();

    EXPECT_EQ(statuses, (std::vector<std::string>{"Attendere - copia degli archivi dell'azienda Società Città Srl",
                                                  "Attendere - copia degli archivi dell'azienda Copia di Bianchi"}));
    EXPECT_EQ(drive.list(company0 + "kalaz0.bkk"),
              (std::vector<std::string>{"FTR001.DAT", "kalvora.cli", "kalvora.tot"}));
    EXPECT_EQ(drive.list(company3 + "kalaz0.bkk"), (std::vector<std::string>{"kalvora.tot"}));
    for (const char* other : {"kalaz0.001", "kalaz0.002"})
        EXPECT_FALSE(drive.exists("kalwin/kalwin/" + std::string(other) + "/kalaz0.bkk")) << other;
    EXPECT_EQ(platform.eventsProcessed, 4);
    EXPECT_EQ(drive.read(pry), "1\r\n1\r\n7\r\n30\r\n03-01-2024\r\n03-15-2024\r\n");
}

TEST_F(Backup, AutomaticBackupFallsBackToTheRegistryInMemory) {
    drive.write("kalwin/kalwin/kalaz0.004/kalvora.tot", "quattro");
    session.company().registry[4] = registryLine("In memoria", "");
    run();
    EXPECT_EQ(drive.read("kalwin/kalwin/kalaz0.004/kalaz0.bkk/kalvora.tot"), "quattro");
    EXPECT_EQ(statuses, (std::vector<std::string>{"Attendere - copia degli archivi dell'azienda In memoria"}));
    EXPECT_EQ(drive.read(pry), "\r\n\r\n\r\n\r\n\r\n03-15-2024\r\n");
}

// Every single failing disk call in turn: a file either gets its new copy or keeps its old
// backup whole, and a failure inside one copy does not stop the copies after it.
TEST_F(Backup, AFailedCopyKeepsTheOldBackupAndTheOthersGoOn) {
    const std::string company = "kalwin/kalwin/kalaz0.000/";
    const std::vector<std::string> names{"kalvora.cli", "kalvora.for", "kalvora.tot"};
    writeRegistryFile({{0, registryLine("Rossi", "2024")}});
    session.company().registry[0] = registryLine("Rossi", "2024");
    for (const std::string& name : names) drive.write(company + name, "nuovo " + name);

    auto arrangeOldBackup = [&] {
        std::filesystem::remove_all(drive.path(company + "kalaz0.bkk"));
        for (const std::string& name : names) drive.write(company + "kalaz0.bkk/" + name, "vecchio " + name);
    };
    arrangeOldBackup();
    faulty.reset();
    run();
    const long calls = faulty.calls();
    ASSERT_GT(calls, 0);

    std::set<std::string> failedAlone;
    for (long k = 1; k <= calls; ++k) {
        arrangeOldBackup();
        faulty.failAt(k);
        run();
        faulty.reset();
        ASSERT_EQ(drive.list(company + "kalaz0.bkk"), names) << "failure at call " << k;
        std::vector<std::string> stale;
        for (const std::string& name : names) {
            const std::string copy = drive.read(company + "kalaz0.bkk/" + name);
            if (copy == "vecchio " + name)
                stale.push_back(name);
            else
                ASSERT_EQ(copy, "nuovo " + name) << "failure at call " << k;
        }
        ASSERT_TRUE(stale.size() <= 1 || stale.size() == names.size()) << "failure at call " << k;
        if (stale.size() == 1) failedAlone.insert(stale.front());
    }
    // Each file failed alone at some call, the first one copied included.
    EXPECT_EQ(failedAlone.size(), names.size());
}

}  // namespace
}  // namespace kalvora::company
