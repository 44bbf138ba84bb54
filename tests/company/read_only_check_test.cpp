#include "company/read_only_check.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::company {
namespace {

namespace fs = std::filesystem;
using Scope = ReadOnlyCheckForm::Scope;

const std::string company = "kalwin/kalwin/kalaz0.000/";

bool ownerWrites(const testing::TempDrive& drive, const std::string& path) {
    return (fs::status(drive.path(path)).permissions() & fs::perms::owner_write) != fs::perms::none;
}

void writeWithMode(const testing::TempDrive& drive, const std::string& path, fs::perms perms) {
    drive.write(path, "x");
    fs::permissions(drive.path(path), perms);
}

// A company folder restored from a CD: two read-only archives (one with a name longer than the
// lines show, one with an accent), a writable one, a hidden read-only file and a read-only
// folder; a read-only file of the installation folder beside it.
struct Restored : testing::TestSession {
    ReadOnlyCheckForm form{session};
    Restored() {
        drive.makeInstallation(0);
        const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
        writeWithMode(drive, company + "kalvora.cli", readOnly);
        writeWithMode(drive, company + "fatture_anno_2025.dat", readOnly);
        writeWithMode(drive, company + "Città.txt", readOnly);
        writeWithMode(drive, company + "kalvora.fte", readOnly | fs::perms::owner_write);
        writeWithMode(drive, company + ".nascosto", readOnly);
        fs::create_directory(drive.path(company + "vecchi"));
        fs::permissions(drive.path(company + "vecchi"), readOnly | fs::perms::owner_exec);
        writeWithMode(drive, "kalwin/kalwin/kalvora.azi", readOnly);
    }
    ~Restored() { fs::permissions(drive.path(company + "vecchi"), fs::perms::owner_all); }
};

std::vector<std::string> twoLines(const std::string& name15) {
    return {"Verifico il file " + name15 + " Status -> Sola lettura", "Correggo il file " + name15 + " Status -> OK"};
}

TEST(ReadOnlyCheck, GivesBackTheWriteBitToReadOnlyFilesOnly) {
    for (const Scope scope : {Scope::Archives, Scope::AllFiles}) {
        Restored t;
        t.form.setScope(scope);
        t.form.run();
        std::vector<std::string> expected;
        for (const char* name : {"Città.txt      ", "fatture_anno_20", "kalvora.cli    "})
            for (const std::string& line : twoLines(name)) expected.push_back(line);
        if (scope == Scope::AllFiles)
            for (const std::string& line : twoLines("kalvora.azi    ")) expected.push_back(line);
        EXPECT_EQ(t.form.lines(), expected);
        for (const char* name : {"kalvora.cli", "fatture_anno_2025.dat", "Città.txt", "kalvora.fte"})
            EXPECT_TRUE(ownerWrites(t.drive, company + name)) << name;
        EXPECT_FALSE(ownerWrites(t.drive, company + ".nascosto"));
        EXPECT_FALSE(ownerWrites(t.drive, company + "vecchi"));
        EXPECT_EQ(ownerWrites(t.drive, "kalwin/kalwin/kalvora.azi"), scope == Scope::AllFiles);
        ASSERT_EQ(t.platform.messages().size(), 1u);
        const testing::Shown done = t.platform.messages()[0];
        EXPECT_EQ(done.text + "|" + done.title, "Verifica terminata|Verifica attributi sola lettura");
        EXPECT_EQ(done.icon, core::Icon::Exclamation);
        EXPECT_FALSE(t.platform.busy);
    }
}

TEST(ReadOnlyCheck, NothingReadOnlyGivesAnEmptyListAndTheEndMessage) {
    testing::TestSession t;
    t.drive.makeInstallation(0);
    t.drive.write(company + "kalvora.cli", "x");
    ReadOnlyCheckForm form(t.session);
    form.run();
    EXPECT_TRUE(form.lines().empty());
    ASSERT_NE(t.platform.last(), nullptr);
    EXPECT_EQ(t.platform.last()->text, "Verifica terminata");
}

// A disk that refuses every change of permissions.
struct NoPermissions : testing::FaultyFileSystem {
    using FaultyFileSystem::FaultyFileSystem;
    int setReadOnly(const std::string&, bool) override { return EPERM; }
};

TEST(ReadOnlyCheck, AFileThatStaysReadOnlyIsNotReportedCorrected) {
    Restored t;
    NoPermissions refusing(core::realFileSystem());
    core::Files files(refusing);
    core::Session session(t.drive.installation(), t.platform, t.clock, files);
    ReadOnlyCheckForm form(session);
    form.run();
    ASSERT_EQ(form.lines().size(), 6u);
    EXPECT_EQ(form.lines()[5],
              "Correggo il file kalvora.cli     Status -> Non corretto: permessi non modificabili (errore " +
                  std::to_string(EPERM) + ")");
    EXPECT_FALSE(ownerWrites(t.drive, company + "kalvora.cli"));
}

}  // namespace
}  // namespace kalvora::company
