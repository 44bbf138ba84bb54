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

}  // namespace
}  // namespace kalvora::company
