#include "launcher/module_launcher.h"
#include "launcher/update_installer.h"
#include "support/fake_platform.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <sys/stat.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

constexpr const char* updated = "Aggiornamento effettuato";
constexpr const char* clients = "--> Aggiornamento programma Gestione archivio clienti";

// An installation on a disk that can be made to fail; packages in kalwin/, programs in kalwin/kalwin/.
struct Updates {
    testing::TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock{core::Date{2026, 12, 6}};
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{drive.installation(), platform, clock, files};
    UpdateInstallerForm form{session};

    explicit Updates(std::initializer_list<std::pair<std::string, std::string>> written) {
        drive.makeInstallation();
        for (const auto& [path, bytes] : written) drive.write(path, bytes);
    }
    std::string installed(const std::string& name) const { return drive.read("kalwin/kalwin/" + name); }
    bool executable(const std::string& name) const {
        struct stat st {};
        return ::stat(drive.path("kalwin/kalwin/" + name).c_str(), &st) == 0 && (st.st_mode & S_IXUSR) != 0;
    }
    std::string lastMessage() const { return platform.messages().empty() ? "" : platform.messages().back().text; }
    long logged(const std::string& line) const { return std::count(form.log().begin(), form.log().end(), line); }
};

TEST(UpdateInstaller, PackagesAreKalLhaInAnyCaseNamedAfterTheirModule) {
    Updates t({{"kalwin/kal110.lha/inside", "a folder is no package"}});
    for (const char* name : {"kal101.lha", "KAL102.LHA", "Kal182.Lha", "kal999.lha", "kal332.lha", "kalx1.lha",
                             "kal.lha", "kal101.exe", "old101.lha", "kal110.lha.bak"})
        t.drive.write(std::string("kalwin/") + name, "x");
    const std::string none = "Programma non della collana Kalvora";
    const std::vector<std::array<std::string, 4>> expected = {  // in name order, whatever the case
        {"kal.lha", "kal", "", none}, {"kal101.lha", "101", "kalcli", "Gestione archivio clienti"},
        {"KAL102.LHA", "102", "kalemf", "Emissione fatture"}, {"Kal182.Lha", "182", "kalrca", "Emissione scontrino"},
        {"kal332.lha", "332", "", none},  // the closing window has a number but no program
        {"kal999.lha", "999", "", none}, {"kalx1.lha", "lx1", "", none}};
    std::vector<std::array<std::string, 4>> got;
    for (const UpdatePackage& p : findUpdatePackages(t.files, t.session.installation().downloadFolder()))
        got.push_back({p.file, p.number, p.program, p.displayName});
    EXPECT_EQ(got, expected);
}

TEST(UpdateInstaller, LogsEachStepAndReplacesTheProgramTheLauncherStarts) {
    Updates t({{"kalwin/kalwin/KalCli.Exe", "old"}, {"kalwin/kal101.LHA", "new"}});
    EXPECT_EQ(t.form.run(), 1);
    EXPECT_EQ(t.form.log(), (std::vector<std::string>{"Ricerca dei files scaricati da Internet",
                                                      "--> Trovato il programma: Gestione archivio clienti",
                                                      "Verifica ed aggiornamento del sistema", clients}));
    EXPECT_EQ(t.platform.eventsProcessed, 4);  // each line shown as it comes
    EXPECT_EQ(t.drive.list("kalwin/kalwin"), std::vector<std::string>{"KalCli.Exe"});
    EXPECT_EQ(t.installed("KalCli.Exe"), "new");
    const testing::Shown end = t.platform.messages().at(0);
    EXPECT_EQ(end.text + " / " + end.title, std::string(updated) + " / Aggiornamento software");
    EXPECT_TRUE(t.form.closed() && !t.platform.busy);
}

// The later in name order wins; an empty package (a download cut short) is never installed.
TEST(UpdateInstaller, PackagesOfOneProgramGoInNameOrderAndAnEmptyOneNever) {
    Updates t({{"kalwin/kalc101.lha", ""}, {"kalwin/KALB101.LHA", "second"}, {"kalwin/kal101.lha", "first"}});
    EXPECT_EQ(t.form.run(), 2);
    EXPECT_EQ(t.installed("kalcli.EXE"), "second");
    EXPECT_EQ(t.logged("    Il file scaricato kalc101.lha è vuoto (scaricamento interrotto?): il programma "
                       "precedente è rimasto invariato"), 1);
    EXPECT_TRUE(t.drive.exists("kalwin/kalc101.lha"));
    EXPECT_EQ(modulePath(t.files, t.session.installation(), "kalcli"), t.drive.path("kalwin/kalwin/kalcli.EXE"));
}

TEST(UpdateInstaller, CancellaDeletesOnlyInstalledPackagesAndWhatStaysIsInstalledAgain) {
    for (const bool cancella : {false, true}) {
        Updates t({{"kalwin/kal101.lha", "clients"}, {"kalwin/kal999.lha", "stranger"}});
        t.form.setCancella(cancella);
        EXPECT_EQ(t.form.run(), 1);
        EXPECT_EQ(t.logged("    Nessun programma da sostituire: il file kal999.lha è stato lasciato nella "
                           "cartella"), 1);
        EXPECT_TRUE(t.drive.exists("kalwin/kal101.lha") == !cancella && t.drive.exists("kalwin/kal999.lha"));
        EXPECT_EQ(t.lastMessage(), updated);
        t.drive.write("kalwin/kalwin/kalcli.EXE", "edited");
        EXPECT_EQ(UpdateInstallerForm(t.session).run(), cancella ? 0 : 1);
        EXPECT_EQ(t.installed("kalcli.EXE"), cancella ? "edited" : "clients");
        EXPECT_EQ(t.lastMessage(), cancella ? "Non è stato trovato alcun programma da aggiornare. Controllare che la "
                                              "cartella scelta sia quella giusta (o che il dischetto sia inserito "
                                              "correttamente)." : updated);
    }
    Updates empty({});
    EXPECT_EQ(empty.form.run(), 0);
    EXPECT_EQ(empty.lastMessage(), "Non è stato trovato alcun file scaricato da Internet.");
}

// Every disk call of a run failing in turn, alone or as a crash from there on: the program is the
// old one or the whole new one, the package goes only once its program is in, and success is said
// only when the new program is there and executable.
TEST(UpdateInstaller, AFailureAnywhereLeavesTheOldProgramOrTheWholeNewOne) {
    const std::string oldProgram(300000, 'o');
    const std::string newProgram = std::string(2500000, 'n') + "end";  // three copy blocks
    long calls = 0;
    for (const bool crash : {false, true}) {
        for (long k = 0; k == 0 || k <= calls; ++k) {
            Updates t({{"kalwin/kalwin/kalcli.EXE", oldProgram}, {"kalwin/kal101.lha", newProgram}});
            t.form.setCancella(true);
            t.faulty.failAt(k, crash);
            t.form.run();
            if (k == 0) calls = t.faulty.calls();
            const std::string now = t.installed("kalcli.EXE");
            ASSERT_TRUE(now == oldProgram || now == newProgram) << k << (crash ? " crash" : "");
            EXPECT_TRUE(now == newProgram || t.drive.exists("kalwin/kal101.lha")) << k;
            if (now == oldProgram && t.logged(clients)) {  // tried and failed: said, the package kept for another try
                EXPECT_EQ(t.lastMessage(), "Non è stato possibile aggiornare i programmi seguenti; i files scaricati "
                                           "sono stati conservati per un nuovo tentativo:\nGestione archivio clienti");
            }
            EXPECT_TRUE(k != 0 || t.lastMessage() == updated);
            EXPECT_TRUE(t.lastMessage() != updated || (now == newProgram && t.executable("kalcli.EXE"))) << k;
            if (!crash) {
                EXPECT_EQ(t.drive.list("kalwin/kalwin"), std::vector<std::string>{"kalcli.EXE"}) << k;
            }
        }
        ASSERT_GT(calls, 10);
    }
}

}  // namespace
}  // namespace kalvora::launcher
