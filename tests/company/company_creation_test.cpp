#include "company/company_creation.h"
#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::TestSession;

TEST(CompanyCreation, WindowStateOnOpening) {
    TestSession t({2026, 3, 1});
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    EXPECT_EQ(form.title(), "Creazione azienda");
    EXPECT_EQ(CompanyCreationForm(t.session, CreationMode::New).title(), "Creazione nuova azienda");
    EXPECT_EQ(CompanyCreationForm(t.session, CreationMode::Delete).title(), "Eliminazione azienda");
    const auto years = form.years();
    ASSERT_EQ(years.size(), 101u);
    EXPECT_EQ(years.front(), "2000");
    EXPECT_EQ(years.back(), "2100");
    EXPECT_EQ(years.at(form.yearIndex()), "2026");
    EXPECT_EQ(form.previousYearEntries(), std::vector<std::string>{">>> Nessuna azienda collegata"});
    EXPECT_EQ(form.focusedField(), 0);
    form.enterPressed(0);
    EXPECT_EQ(form.focusedField(), 1);
    form.enterPressed(14);
    EXPECT_EQ(form.focusedField(), 15);
    form.enterPressed(15);
    EXPECT_EQ(form.focusedField(), 15);
}

TEST(CompanyCreation, PreviousYearListOffersTheCompaniesInUse) {
    TestSession t;
    t.session.company().registry[0] = "Alfa";
    t.session.company().registry[12] = "Beta";
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    EXPECT_EQ(form.previousYearEntries(),
              (std::vector<std::string>{">>> Nessuna azienda collegata", "000 Alfa", "012 Beta"}));
    EXPECT_EQ(form.previousYearIndex(), 0);
}

TEST(CompanyCreation, FirstModeCannotBeLeft) {
    TestSession t;
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    form.setField(3, "x");
    form.leave();
    form.leave();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(t.platform.messages().size(), 2u);
    EXPECT_EQ(t.platform.messages()[1].text, "E' obbligatorio creare l'azienda");
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalvora.azi"));
}

TEST(CompanyCreation, BadInputIsRefusedWithAMessage) {
    TestSession t;
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    form.setField(0, "   ");
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(t.platform.last()->text, "Inserire la denominazione dell'azienda.");

    form.setField(0, "Alfa");
    form.setField(7, "info@alfa.it \xF0\x9F\x98\x80");  // an emoji has no byte in the files
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(t.platform.last()->text,
              "Il campo \"Indirizzo e-mail\" contiene caratteri che non possono essere memorizzati.");
    EXPECT_EQ(form.focusedField(), 7);
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalvora.azi"));
}

TEST(CompanyCreation, FirstCompanyWritesRegistryHeaderAndSettings) {
    TestSession t({2026, 12, 6});
    CompanyCreationForm form(t.session, CreationMode::First);
    form.open();
    form.setField(0, "  " + std::string(205, 'N') + "  ");
    form.setField(1, "Via Roma 1\r\nseconda riga");
    form.setField(15, "Ultima nota");
    form.selectYear(25);
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_EQ(t.session.run().windowDone, 0);

    const std::string registry = t.drive.read("kalwin/kalwin/kalvora.azi");
    EXPECT_EQ(registry.substr(0, 206), std::string(200, 'N') + "2025\r\n");
    EXPECT_EQ(t.session.company().companyCaption, "000 " + std::string(200, 'N'));
    EXPECT_EQ(t.session.company().yearCaption, "2025");

    const std::string header = t.drive.read("kalwin/kalwin/kalaz0.000/kalvora.int");
    const auto lines = core::split(header, '\n');
    ASSERT_EQ(lines.size(), 18u);  // 17 lines and the empty rest after the last line end
    EXPECT_EQ(lines[1], "Via Roma 1  seconda riga\r");
    EXPECT_EQ(lines[15], "Ultima nota\r");
    EXPECT_EQ(lines[16], "2025\r");

    // ">>> Nessuna azienda collegata" stores ">>>", which matches no code.
    const std::string gnr = t.drive.read("kalwin/kalwin/kalaz0.000/kalvora.gnr");
    ASSERT_EQ(gnr.size(), 479u);
    EXPECT_EQ(gnr.substr(254, 3), ">>>");
    EXPECT_EQ(gnr.substr(183, 2), "91");
    EXPECT_EQ(gnr.substr(249, 2), "01");
}

TEST(CompanyCreation, DiskFailureIsReported) {
    testing::TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock(core::Date{2026, 12, 6});
    testing::FaultyFileSystem faulty(core::realFileSystem());
    core::Files files(faulty);
    core::Session session(drive.installation(), platform, clock, files);
    CompanyCreationForm form(session, CreationMode::First);
    form.open();
    form.setField(0, "Alfa");
    faulty.failAt(1, true);  // the disk is gone from here on
    form.confirm();
    EXPECT_TRUE(form.closed());
    ASSERT_FALSE(platform.messages().empty());
    EXPECT_TRUE(core::startsWith(platform.messages().back().text,
                                 "Non è stato possibile creare tutti gli archivi dell'azienda: errore "));
    EXPECT_EQ(platform.messages().back().title, "Attenzione");
    // The company is still the current one for this run.
    EXPECT_EQ(session.company().companyCaption, "000 Alfa");
}

// An installation with companies 000 and 002 in use (001 free), company 002 current.
struct TwoCompanies : TestSession {
    TwoCompanies() {
        drive.makeInstallation(0);
        std::string registry = "Alfa" + std::string(196, ' ') + "2025\r\n*\r\nBeta\r\n";
        for (int i = 3; i < 1000; ++i) registry += "*\r\n";
        drive.write("kalwin/kalwin/kalvora.azi", registry);
        drive.write("kalwin/kalwin/kalaz0.002/kalvora.int", "Beta\r\nVia Po 3\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n2024\r\n");
        drive.write("kalwin/kalwin/kalaz0.002/kalvora.cli", "clienti");
        drive.write("kalwin/kalwin/kalaz0.002/kalaz0.bak/kalvora.cli", "vecchio");
        session.company().code = 2;
        session.company().companyCaption = "002 Beta";
    }
    std::string line(int code) {
        return core::split(drive.read("kalwin/kalwin/kalvora.azi"), '\n').at(code);
    }
};

TEST(CompanyCreation, NewCompanyTakesTheLowestFreeCode) {
    TwoCompanies t;
    CompanyCreationForm form(t.session, CreationMode::New);
    form.open();
    EXPECT_EQ(form.title(), "Creazione nuova azienda");
    EXPECT_EQ(form.field(0), "");
    form.setField(0, "Gamma");
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_EQ(t.line(1), std::string("Gamma") + std::string(195, ' ') + "2026\r");
    EXPECT_EQ(t.session.company().code, 1);
    EXPECT_EQ(t.session.company().companyCaption, "001 Gamma");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.uso"), " 1 \r\n");
    EXPECT_TRUE(t.drive.exists("kalwin/kalwin/kalaz0.001/kalvora.tab"));
    EXPECT_TRUE(t.drive.exists("kalwin/kalwin/kalaz0.001/kalvora.gnr"));
}

TEST(CompanyCreation, EditChangesHeaderRegistryLineAndLinkOnly) {
    TwoCompanies t;
    CompanyCreationForm form(t.session, CreationMode::Edit);
    form.open();
    EXPECT_EQ(form.field(1), "Via Po 3");
    EXPECT_EQ(form.years().at(form.yearIndex()), "2024");
    EXPECT_EQ(form.previousYearEntries().at(1), "000 Alfa" + std::string(196, ' ') + "2025");
    form.setField(0, "Beta Nuova");
    form.selectPreviousYear(1);
    form.confirm();
    EXPECT_EQ(t.line(2), "Beta Nuova" + std::string(190, ' ') + "2024\r");
    EXPECT_TRUE(core::startsWith(t.drive.read("kalwin/kalwin/kalaz0.002/kalvora.int"), "Beta Nuova\r\nVia Po 3\r\n"));
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.002/kalvora.gnr").substr(254, 3), "000");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.002/kalvora.cli"), "clienti");
    EXPECT_EQ(t.session.company().companyCaption, "002 Beta Nuova");
}

TEST(CompanyCreation, DuplicateCopiesTheFilesIntoTheLowestFreeCode) {
    TwoCompanies t;
    CompanyCreationForm form(t.session, CreationMode::Duplicate);
    form.open();
    form.setField(0, "Beta copia");
    form.confirm();
    EXPECT_EQ(t.session.company().code, 1);
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalaz0.001/kalvora.cli"), "clienti");
    EXPECT_TRUE(core::startsWith(t.drive.read("kalwin/kalwin/kalaz0.001/kalvora.int"), "Beta copia\r\n"));
    EXPECT_FALSE(t.drive.exists("kalwin/kalwin/kalaz0.001/kalaz0.bak"));  // backups stay with their company
    EXPECT_TRUE(core::startsWith(t.drive.read("kalwin/kalwin/kalaz0.002/kalvora.int"), "Beta\r\n"));
}

TEST(CompanyCreation, NoFreeCodeIsRefused) {
    TwoCompanies t;
    std::string full;
    for (int i = 0; i < 1000; ++i) full += "Azienda\r\n";
    t.drive.write("kalwin/kalwin/kalvora.azi", full);
    CompanyCreationForm form(t.session, CreationMode::New);
    form.open();
    form.setField(0, "Troppe");
    form.confirm();
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(t.platform.last()->text, "Non è possibile creare un'altra azienda: tutti i codici da 000 a 999 sono in uso.");
    EXPECT_EQ(t.drive.read("kalwin/kalwin/kalvora.azi"), full);
}

TEST(CompanyCreation, DeleteFreesTheLineAfterTwoYesAndKeepsTheFiles) {
    TwoCompanies t;
    CompanyCreationForm form(t.session, CreationMode::Delete);
    form.open();
    EXPECT_FALSE(form.fieldsEditable());
    t.platform.answers = {true, false};
    form.confirm();
    EXPECT_EQ(t.line(2), "Beta\r");
    t.platform.answers = {true, true};
    form.confirm();
    EXPECT_EQ(t.line(2), "*\r");
    EXPECT_EQ(t.platform.questions().back().text, "Sei proprio sicuro?");
    EXPECT_EQ(t.session.company().code, 0);
    EXPECT_EQ(t.session.company().yearCaption, "2025");
    EXPECT_TRUE(t.drive.exists("kalwin/kalwin/kalaz0.002/kalvora.cli"));
}

}  // namespace
}  // namespace kalvora::company
