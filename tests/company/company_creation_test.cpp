#include "company/company_creation.h"

#include "company/company_selection.h"
#include "company/settings_loader.h"
#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::TestSession;

const std::string azi = "kalwin/kalwin/kalvora.azi";

TEST(CompanyCreation, FirstCompanyRefusalsThenRegistryHeaderAndSettingsKeepingAnyArchive) {
    TestSession t;
    t.session.company().registry[12] = "Beta";
    t.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", "archivio vero");
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    EXPECT_EQ(form.previousYearEntries(), (std::vector<std::string>{">>> Nessuna azienda collegata", "012 Beta"}));
    const std::pair<std::string, std::string> refusals[] = {
        {"", "E' obbligatorio creare l'azienda"},  // leaving
        {"   ", "Inserire la denominazione dell'azienda."},
        {"Alfa \xF0\x9F\x98\x80", "Il campo \"Denominazione azienda\" contiene caratteri che non possono essere "
                                  "memorizzati."},
    };
    for (const auto& [name, message] : refusals) {
        form.setField(0, name);
        name.empty() ? form.leave() : form.confirm();
        EXPECT_FALSE(form.closed());
        EXPECT_EQ(t.platform.last()->text, message);
    }
    EXPECT_FALSE(t.drive.exists(azi));

    form.setField(0, "  " + std::string(205, 'N') + "  ");
    form.selectYear(25);
    form.confirm();
    EXPECT_EQ(t.drive.read(azi).substr(0, 206), std::string(200, 'N') + "2025\r\n");
    EXPECT_EQ(t.session.company().companyCaption + t.session.company().yearCaption, "000 " + std::string(200, 'N') + "2025");
    // ">>> Nessuna azienda collegata" stores ">>>", which matches no code.
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.000/kalvora.gnr").substr(254, 3), ">>>");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.000/kalvora.tot"), "archivio vero");
    EXPECT_TRUE(t.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.mas"));
}

TEST(CompanyCreation, DiskFailureIsReported) {
    TestSession t;
    testing::FaultyFileSystem faulty(core::realFileSystem());
    core::Files files(faulty);
    core::Session session(t.drive.installation(), t.platform, t.clock, files);
    CompanyCreationForm form(session, CreationMode::First);
    form.open();
    form.setField(0, "Alfa");
    faulty.failAt(1, true);  // the disk is gone from here on
    form.confirm();
    EXPECT_TRUE(t.platform.last()->text.starts_with("Non è stato possibile creare tutti gli archivi dell'azienda: errore "));
    EXPECT_EQ(session.company().companyCaption, "000 Alfa");  // still current for this run
}

// A settings record of bytes no other company has, that the loader keeps as it is.
std::string settingsRecord(int seed, const std::string& previousYear) {
    std::string bytes(479, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 37 + seed) & 0xFF);
    return bytes.replace(183, 1, "9").replace(249, 2, "04").replace(254, 3, previousYear);
}

// Companies 000 and 002 in use (001 free), each with its own settings; 000 current as after
// the start-up.
struct TwoCompanies : TestSession {
    const std::string settings0 = settingsRecord(11, "002"), settings2 = settingsRecord(5, ">>>");
    TwoCompanies() {
        std::vector<std::string> registry(1000, "*");
        registry[0] = "Alfa" + std::string(196, ' ') + "2025";
        registry[2] = "Beta";
        drive.write(azi, core::encodeLines(registry));
        drive.write(folder(0) + "kalvora.gnr", settings0);
        drive.write(folder(2) + "kalvora.gnr", settings2);
        drive.write(folder(2) + "kalvora.int", "Beta\r\nVia Po 3\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n2024\r\n");
        drive.write(folder(2) + "kalvora.cli", "clienti");
        session.company().companyCaption = "000 Alfa";
        loadCompanySettings(session);
    }
    static std::string folder(int code) { return "kalwin/kalwin/kalaz0." + core::threeDigits(code) + "/"; }
    std::string line(int code) { return core::split(drive.read(azi), '\n').at(code); }  // with its CR
    std::string settingsInMemory() {
        const auto& bytes = session.company().general.record().bytes();
        return {bytes.begin(), bytes.end()};
    }
    void run(CreationMode mode, const std::string& name = {}, core::Session* in = nullptr) {
        CompanyCreationForm form(in ? *in : session, mode);
        form.open();
        if (!name.empty()) form.setField(0, name);
        form.confirm();
    }
};

// Every way a company becomes current brings its own settings along, so that a later save
// never writes one company's settings record into another.
TEST(CompanyCreation, EachCompanyKeepsItsOwnSettings) {
    TwoCompanies t;
    CompanySelectionForm selection(t.session);
    selection.open();
    selection.choose(1);  // 002 Beta
    EXPECT_EQ(t.session.company().companyCaption + t.session.company().headerLines[2], "002 BetaVia Po 3");
    EXPECT_EQ(t.settingsInMemory(), t.settings2);

    t.run(CreationMode::Edit, "Beta Nuova");
    EXPECT_EQ(t.line(2), "Beta Nuova" + std::string(190, ' ') + "2024\r");
    EXPECT_TRUE(t.drive.read(t.folder(2) + "kalvora.int").starts_with("Beta Nuova\r\nVia Po 3\r\n"));
    EXPECT_EQ(t.drive.read(t.folder(2) + "kalvora.gnr"), t.settings2);

    t.run(CreationMode::Duplicate, "Beta copia");  // into 001, the lowest free code
    EXPECT_EQ(t.session.company().companyCaption, "001 Beta copia");
    EXPECT_EQ(t.drive.read(t.folder(1) + "kalvora.gnr"), t.settings2);
    EXPECT_EQ(t.drive.read(t.folder(1) + "kalvora.cli"), "clienti");

    t.platform.answers = {true, false, true, true};  // the second question says no, then both yes
    t.run(CreationMode::Delete);
    EXPECT_EQ(t.line(1), "Beta copia" + std::string(190, ' ') + "2024\r");
    t.run(CreationMode::Delete);
    EXPECT_EQ(t.line(1) + t.session.company().companyCaption, "*\r000 Alfa");
    EXPECT_EQ(t.settingsInMemory(), t.settings0);
    EXPECT_TRUE(t.drive.exists(t.folder(1) + "kalvora.cli"));  // deleting frees the line only

    t.run(CreationMode::New, "Gamma");  // 001 again
    EXPECT_EQ(t.line(1), "Gamma" + std::string(195, ' ') + "2026\r");
    const std::string full = core::encodeLines(std::vector<std::string>(1000, "Azienda"));
    t.drive.write(azi, full);
    t.run(CreationMode::New, "Troppe");
    EXPECT_EQ(t.platform.last()->text, "Non è possibile creare un'altra azienda: tutti i codici da 000 a 999 sono in uso.");
    EXPECT_EQ(t.drive.read(azi), full);
}

// Code 001 was used by a company deleted since: its folder holds its files and the work files of an
// unfinished reset and conversion. A copy (mode 3) carries none of them, a new company (mode 1) only
// the old files; a copy whose source cannot be read or whose leftovers cannot be moved aside is
// refused before anything is registered or lost.
TEST(CompanyCreation, WhatACodeUsedBeforeHoldsGoesAsideBeforeTheCompanyIsMade) {
    struct Broken : testing::FaultyFileSystem {
        using FaultyFileSystem::FaultyFileSystem;
        int fault = 0;  // 1: the folder to copy cannot be listed, 2: nothing can be moved
        int list(const std::string& folder, std::vector<core::DirEntry>& out) override {
            return fault == 1 && folder.ends_with("kalaz0.000") ? EIO : FaultyFileSystem::list(folder, out);
        }
        int rename(const std::string& from, const std::string& to) override {
            return fault == 2 ? EIO : FaultyFileSystem::rename(from, to);
        }
    };
    const std::vector<std::string> stale{"kal2023.cor", "kalaz0.bkk", "kalvora.azz", "kalvora.fte.azz", "kalvora.tot.cnv"};
    const std::string into = " dalla cartella dell'azienda 001 nella cartella ", moved = " sono stati spostati" + into;
    const std::string refused = "Duplicazione non eseguita: non è stato possibile ";
    const std::tuple<CreationMode, int, std::vector<std::string>, std::string, std::string> cases[] = {
        {CreationMode::Duplicate, 0, stale,
         "I files e le cartelle di un'azienda precedente che la copia non ha sostituito" + moved, "."},
        {CreationMode::New, 0, {"kalvora.azz", "kalvora.fte.azz", "kalvora.tot.cnv"},
         "I files di lavoro di un azzeramento, di una importazione o di una conversione interrotti" + moved, "."},
        {CreationMode::Duplicate, 1, {}, refused + "leggere la cartella dell'azienda 000", ": errore 5."},
        {CreationMode::Duplicate, 2, {}, refused + "spostare kal2023.cor" + into, ": errore 5."},
    };
    const std::string aside = "kalwin/kalwin/spostati-da-kalaz0.001-20261206-090000";
    for (const auto& [mode, fault, movedAside, before, after] : cases) {
        TwoCompanies t;
        for (const auto& name : stale) t.drive.write(t.folder(1) + name + (name == "kalaz0.bkk" ? "/x" : ""), name);
        Broken broken(core::realFileSystem());
        broken.fault = fault;
        core::Files files(broken);
        core::Session session(t.drive.installation(), t.platform, t.clock, files);
        t.run(mode, "Gamma", &session);
        EXPECT_EQ(t.platform.last()->text, before + (fault == 1 ? "" : t.drive.path(aside)) + after);
        EXPECT_EQ(t.drive.list(aside), movedAside);
        for (const auto& name : stale)
            EXPECT_NE(t.drive.exists(t.folder(1) + name), t.drive.exists(aside + "/" + name)) << name;
        EXPECT_EQ(t.line(1) + std::to_string(session.company().code),
                  fault ? "*\r0" : "Gamma" + std::string(195, ' ') + "2026\r1");
    }
}

}  // namespace
}  // namespace kalvora::company
