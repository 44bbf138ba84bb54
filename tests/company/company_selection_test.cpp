#include "company/company_selection.h"

#include "company/registry.h"
#include "company/settings_loader.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

constexpr std::int32_t orange = CompanySelectionForm::currentRowColour;
constexpr std::int32_t plain = CompanySelectionForm::gridColour;

struct SelectionSession : testing::TestSession {
    std::vector<std::string> registry = std::vector<std::string>(1000, "*");

    SelectionSession() { drive.makeInstallation(0); }

    void add(int code, const std::string& name, const std::string& year) { registry[code] = registryLine(name, year); }
    void writeRegistry() { drive.write("kalwin/kalwin/kalvora.azi", core::encodeLines(registry)); }
    void setCaption(const std::string& caption) { session.company().companyCaption = caption; }
    // The current company's list settings, which the window reloads when it opens.
    void listColours(const std::string& alternate, double first, double second) {
        loadCompanySettings(session);
        auto& general = session.company().general;
        general.setAlternateColours(alternate);
        general.setFirstColour(first);
        general.setSecondColour(second);
        ASSERT_EQ(saveGeneralSettings(session), 0);
    }
};

std::vector<std::string> column(const CompanySelectionForm& form, int c) {
    std::vector<std::string> out;
    for (int r = 0; r < form.filledRows(); ++r) {
        const CompanyRow& row = form.rows()[r];
        out.push_back(c == 0 ? row.code : c == 1 ? row.name : row.year);
    }
    return out;
}

TEST(CompanySelectionTest, OnlyTheFirstCompanyAndWaysOutThatChangeNothing) {
    SelectionSession t;
    t.add(0, "Rossi & Città S.r.l.", "2024");
    t.writeRegistry();
    t.setCaption("000 Rossi & Città S.r.l.");
    t.session.company().yearCaption = "2024";
    t.session.run().windowDone = 1;
    CompanySelectionForm form(t.session);
    form.open();

    ASSERT_EQ(form.rows().size(), 25u);
    EXPECT_EQ(form.filledRows(), 1);
    EXPECT_EQ(column(form, 1), std::vector<std::string>{"Rossi & Città S.r.l."});
    EXPECT_EQ(column(form, 2), std::vector<std::string>{"2024"});
    EXPECT_EQ(form.rows()[0].colour, orange);
    for (std::size_t r = 1; r < 25; ++r) EXPECT_TRUE(form.rows()[r].code.empty() && form.rows()[r].colour == plain);

    // Empty rows and rows that do not exist leave the window open and the company as it was.
    for (int row : {24, 1, -1, 25}) form.choose(row);
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(t.session.run().windowDone, 1);

    form.closeBox();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.session.run().windowDone, 2);
    EXPECT_EQ(t.session.company().companyCaption, "000 Rossi & Città S.r.l.");
    EXPECT_EQ(t.session.company().yearCaption, "2024");
}

TEST(CompanySelectionTest, ThousandCompaniesWithTheCurrentOneHighlighted) {
    SelectionSession t;
    for (int code = 0; code < 1000; ++code) t.add(code, "Azienda " + std::to_string(code), "2025");
    t.writeRegistry();
    t.setCaption("500 Azienda 500");

    testing::FaultyFileSystem counted(core::realFileSystem());
    core::Files files(counted);
    core::Session session(t.drive.installation(), t.platform, t.clock, files);
    session.company() = t.session.company();
    CompanySelectionForm form(session);
    form.open();

    EXPECT_LT(counted.calls(), 200);  // no file access per company
    ASSERT_EQ(form.rows().size(), 1000u);
    EXPECT_EQ(session.company().code, 500);  // taken from the caption
    for (int r = 0; r < 1000; ++r) EXPECT_EQ(form.rows()[r].colour, r == 500 ? orange : plain) << r;
    EXPECT_EQ(form.rows()[999].code, "999");
}

TEST(CompanySelectionTest, SortsEachColumnWithNumbersAsNumbers) {
    SelectionSession t;
    t.add(7, "beta", "2024");
    t.add(10, "Alfa", "");
    t.add(100, "città", "2009");
    t.add(2, "Zeta", "910");
    t.add(40, "900", "1999");
    t.writeRegistry();
    t.setCaption("010 Alfa");
    t.listColours("0", 0, 0);
    CompanySelectionForm form(t.session);
    form.open();

    form.sortBy(2);
    EXPECT_EQ(column(form, 0), (std::vector<std::string>{"010", "002", "040", "100", "007"}));
    form.sortBy(1);
    EXPECT_EQ(column(form, 1), (std::vector<std::string>{"900", "Alfa", "beta", "città", "Zeta"}));
    form.sortBy(0);
    form.sortBy(3);
    EXPECT_EQ(column(form, 0), (std::vector<std::string>{"002", "007", "010", "040", "100"}));
    // Without alternate colours the highlight moves with its company; filler rows stay below.
    for (int r = 0; r < 25; ++r) EXPECT_EQ(form.rows()[r].colour, r == 2 ? orange : plain) << r;
}

TEST(CompanySelectionTest, AlternateColoursAfterASortReplaceTheHighlight) {
    SelectionSession t;
    for (int code : {0, 1, 2}) t.add(code, "Ditta " + std::to_string(code), "2025");
    t.writeRegistry();
    t.drive.makeInstallation(1);
    t.session.company().code = 1;
    t.setCaption("001 Ditta 1");
    t.listColours("1", 255, 65280);
    CompanySelectionForm form(t.session);
    form.open();
    form.sortBy(1);
    // The header is grid row 0: the first data row is odd and takes the second colour.
    for (int r = 0; r < 25; ++r) EXPECT_EQ(form.rows()[r].colour, r % 2 == 0 ? 65280 : 255) << r;

    // Stored colours that are not colour values fall back to the default list colours.
    t.listColours("1", -5, 1e300);
    form.open();
    form.sortBy(0);
    EXPECT_EQ(form.rows()[0].colour, 16777215);
    EXPECT_EQ(form.rows()[1].colour, 16579315);
}

TEST(CompanySelectionTest, ChoosingARowMakesItCurrentFromTheRegistryJustRead) {
    SelectionSession t;
    t.add(0, "Prima", "2024");
    t.add(7, "Verdi Città", "2023");
    t.add(8, "Copia senza anno", "");
    t.session.company().registry = t.registry;
    t.add(9, std::string(200, 'N'), "2026");  // only in the file
    t.writeRegistry();
    t.setCaption("000 Prima");
    CompanySelectionForm form(t.session);
    form.open();
    form.sortBy(1);  // Copia, N..., Prima, Verdi
    form.choose(1);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.session.run().windowDone, 2);
    EXPECT_EQ(t.session.company().code, 9);
    EXPECT_EQ(t.session.company().companyCaption, "009 " + std::string(200, 'N'));
    EXPECT_EQ(t.session.company().yearCaption, "2026");

    form.open();
    form.choose(1);
    EXPECT_EQ(t.session.company().companyCaption, "007 Verdi Città");
    EXPECT_EQ(t.session.company().yearCaption, "2023");
    form.open();
    form.choose(2);
    EXPECT_EQ(t.session.company().companyCaption, "008 Copia senza anno");
    EXPECT_EQ(t.session.company().yearCaption, "");

    // An unreadable registry: the copy in memory is listed.
    t.drive.write("kalwin/kalwin/kalvora.azi", "Prima\r\n*\r\n");
    t.session.company().registry = std::vector<std::string>(1000, "*");
    t.session.company().registry[3] = "Terza";
    form.open();
    EXPECT_EQ(column(form, 1), std::vector<std::string>{"Terza"});
}

}  // namespace
}  // namespace kalvora::company
