#include "company/backup_form.h"
#include "company/restore_form.h"

#include "company/list_colours.h"
#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::company {
namespace {

const std::string company = "kalwin/kalwin/kalaz0.000/";
const std::string backupFolder = company + "kalaz0.bak/";
const std::string pry = "kalwin/kalwin/kalvora.pry";

// Company 000 on a drive whose file layer can be broken at any call.
struct ArchiveCopy : ::testing::Test, testing::TestSession {
    ArchiveCopy() : TestSession({2026, 12, 6}) {
        drive.makeInstallation(0);
        for (const auto& [name, bytes] : companyFiles) drive.write(company + name, bytes);
    }
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files faultyFiles{faulty};
    core::Session faultySession{drive.installation(), platform, clock, faultyFiles};
    const std::vector<std::pair<std::string, std::string>> companyFiles = {
        {"kalvora.tab", "tabelle\r\n"}, {"KAL2026.COR", std::string(3u << 20, 'c')}, {"bol001.dat", "vecchio"}};

    std::vector<std::string> column(const ArchiveCopyForm& form, int c) const {
        std::vector<std::string> out;
        for (int r = 0; r < form.filledRows(); ++r) out.push_back(form.cell(r, c));
        return out;
    }
};

TEST_F(ArchiveCopy, BackupListsCopiesAndKeepsItsPreferences) {
    drive.write(pry, "1\r\n1\r\n0\r\n5\r\n11-30-2026\r\n\r\n");
    BackupForm form(session);
    form.open();
    EXPECT_TRUE(drive.exists(backupFolder));  // proposed and made
    EXPECT_EQ(form.folder(), drive.path(backupFolder.substr(0, backupFolder.size() - 1)));
    EXPECT_EQ(column(form, 0), (std::vector<std::string>{"KAL2026.COR", "KALVORA.GNR", "KALVORA.TAB"}));
    EXPECT_EQ(column(form, 1), (std::vector<std::string>{"Archivio per la gestione dei corrispettivi",
                                                         "Archivio operativo", "Archivio per la gestione delle tabelle"}));
    EXPECT_EQ(form.rows().size(), 25u);
    EXPECT_TRUE(form.reminderOn());
    EXPECT_FALSE(form.automaticBox());  // shown cleared, stored "1" kept until clicked
    EXPECT_EQ(form.reminderDays() + "|" + form.lastBackup(), "7|30/11/2026");

    form.chooseScope(FileScope::All);
    EXPECT_EQ(column(form, 2), (std::vector<std::string>{"SI", "SI", "SI", "SI"}));
    form.setAll(false);
    platform.answers = {true};
    form.start();  // nothing selected: said, and the date still counts
    EXPECT_EQ(platform.last()->text, "Non è stato selezionato alcun file da copiare");
    EXPECT_EQ(form.lastBackup(), "06/12/2026");

    form.toggle(1);
    form.toggle(3);
    platform.answers = {false, true};  // "Sei proprio sicuro?": no, then yes
    form.start();
    EXPECT_FALSE(drive.exists(backupFolder + "KAL2026.COR"));
    form.start();
    EXPECT_EQ(platform.questions().back().text + "|" + platform.questions().back().title,
              "Sei proprio sicuro?|Copie di backup");
    const testing::Shown done = *platform.last();
    EXPECT_EQ(done.text + "|" + done.title, "Copia terminata|Copie di backup");
    EXPECT_EQ(done.icon, core::Icon::Exclamation);
    EXPECT_EQ(drive.read(backupFolder + "KAL2026.COR"), companyFiles[1].second);
    EXPECT_EQ(drive.read(backupFolder + "kalvora.tab"), "tabelle\r\n");
    EXPECT_FALSE(drive.exists(backupFolder + "bol001.dat") || drive.exists(backupFolder + "kalvora.x$$"));
    EXPECT_EQ(form.rows()[0].colour, alternateRowColour(session.company().general, 0));  // not copied
    EXPECT_EQ(form.rows()[1].colour, ArchiveCopyForm::copiedColour);
    EXPECT_EQ(form.progress().filesDone, 2);
    EXPECT_EQ(form.progress().bytesDone, form.progress().bytesTotal);
    EXPECT_EQ(form.progress().bytesTotal, (3u << 20) + 9u);

    form.editReminderDays("10");
    form.closeWindow();
    EXPECT_EQ(drive.read(pry), "1\r\n1\r\n10\r\n5\r\n12-06-2026\r\n\r\n");
}

// A copy that fails at any step leaves the file on the other side whole (old or new), the row
// red and the final message saying so, and a backup that failed is not dated.
TEST_F(ArchiveCopy, ABackupFailingAtAnyStepLeavesEveryFileWholeAndSaysSo) {
    drive.write(backupFolder + "kalvora.tab", "vecchie tabelle\r\n");
    BackupForm form(faultySession);
    form.open();
    platform.defaultAnswer = true;
    long calls = 0;
    for (long k = 1;; ++k) {
        ASSERT_LT(k, 200);
        drive.write(backupFolder + "kalvora.tab", "vecchie tabelle\r\n");
        std::filesystem::remove(drive.path(backupFolder + "KAL2026.COR"));
        std::filesystem::remove(drive.path(pry));
        form.setAll(true);
        faulty.failAt(k);
        form.start();
        calls = faulty.calls();
        const bool hit = faulty.failed();
        faulty.reset();
        const std::string tab = drive.read(backupFolder + "kalvora.tab");
        EXPECT_TRUE(tab == "vecchie tabelle\r\n" || tab == "tabelle\r\n") << k;
        const std::string cor = drive.read(backupFolder + "KAL2026.COR");
        EXPECT_TRUE(cor.empty() || cor == companyFiles[1].second) << k;
        const bool red = std::any_of(form.rows().begin(), form.rows().end(),
                                     [](const ArchiveRow& r) { return r.colour == ArchiveCopyForm::failedColour; });
        const std::string said = platform.last()->text;
        const bool probeFailed = core::startsWith(said, "La cartella/unità");
        for (const std::string& name : drive.list(backupFolder))  // no temporary is left
            EXPECT_TRUE(name == "kalvora.tab" || name == "KAL2026.COR" || name == "kalvora.gnr" ||
                        (probeFailed && name == "kalvora.x$$"))
                << name << " k=" << k;
        if (red) {
            EXPECT_TRUE(core::startsWith(said, "Copia terminata. Non è stato possibile copiare tutti i files")) << k;
            EXPECT_FALSE(drive.exists(pry)) << k;
        } else if (said != "Copia terminata") {
            EXPECT_EQ(said, "La cartella/unità selezionata per il salvataggio dei files non esiste oppure non è "
                            "accessibile") << k;
        }
        if (!hit) break;
    }
    EXPECT_GT(calls, 20);
}

TEST_F(ArchiveCopy, RestoreProposesOnlyWhatToTakeBackAndNeverLosesACompanyFile) {
    drive.write(backupFolder + "KALVORA.BAK", "registro");
    RestoreForm form(faultySession);
    form.open();
    form.chooseScope(FileScope::All);
    EXPECT_TRUE(form.emptyList());
    EXPECT_EQ(form.cell(0, 0), "Nessun files trovato");
    platform.defaultAnswer = true;
    form.start();
    EXPECT_EQ(platform.last()->text + "|" + platform.last()->title,
              "Non sono trovati files da ripristinare|Ripristino copie di backup");
    EXPECT_EQ(drive.read(company + "kalvora.tab"), "tabelle\r\n");

    drive.write(backupFolder + "KALVORA.TAB", "tabelle salvate\r\n");
    drive.write(backupFolder + "BOL001.DAT", "bolla");
    drive.write(backupFolder + "KALVORA.CLI", "clienti");
    form.takeChosenFolder();  // the chooser still shows the proposed folder: the list is read again
    EXPECT_EQ(column(form, 0), (std::vector<std::string>{"BOL001.DAT", "KALVORA.CLI", "KALVORA.TAB"}));
    EXPECT_EQ(column(form, 2), (std::vector<std::string>{"NO", "SI", "SI"}));
    faulty.corruptWrites = true;  // the copies do not land as written
    form.start();
    faulty.corruptWrites = false;
    EXPECT_EQ(drive.read(company + "kalvora.tab"), "tabelle\r\n");  // the company keeps its own file
    EXPECT_FALSE(drive.exists(company + "KALVORA.CLI"));
    EXPECT_TRUE(core::startsWith(platform.last()->text, "Ripristino terminato. Non è stato possibile ripristinare"));
    EXPECT_EQ(form.rows()[1].colour, ArchiveCopyForm::failedColour);

    form.start();
    EXPECT_EQ(platform.last()->text, "Ripristino terminato");
    EXPECT_EQ(drive.read(company + "kalvora.tab"), "tabelle salvate\r\n");  // under the company's own name
    EXPECT_EQ(drive.read(company + "KALVORA.CLI"), "clienti");
    EXPECT_EQ(drive.read(company + "bol001.dat"), "vecchio");
    EXPECT_FALSE(drive.exists(backupFolder + "kalvora.x$$"));  // the source is only read
}

}  // namespace
}  // namespace kalvora::company
