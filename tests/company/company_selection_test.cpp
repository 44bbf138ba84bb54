#include "company/company_selection.h"

#include "company/registry.h"
#include "company/settings_loader.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

constexpr std::int32_t orange = CompanySelectionForm::currentRowColour;
constexpr std::int32_t plain = CompanySelectionForm::gridColour;

struct SelectionSession : testing::TestSession {
    std::vector<std::string> registry = std::vector<std::string>(1000, "*");
    SelectionSession(const std::map<int, std::pair<std::string, std::string>>& companies, const std::string& caption) {
        drive.makeInstallation(0);
        for (const auto& [code, nameYear] : companies) registry[code] = registryLine(nameYear.first, nameYear.second);
        drive.write("kalwin/kalwin/kalvora.azi", core::encodeLines(registry));
        session.company().companyCaption = caption;
    }
    // The current company's list settings, which the window reloads when it opens.
    void listColours(const std::string& alternate, double first, double second) {
        loadCompanySettings(session);
        session.company().general.setAlternateColours(alternate);
        session.company().general.setFirstColour(first);
        session.company().general.setSecondColour(second);
        ASSERT_EQ(saveGeneralSettings(session), 0);
    }
    std::vector<std::string> column(const CompanySelectionForm& form, int c) {
        std::vector<std::string> out;
        for (int r = 0; r < form.filledRows(); ++r)
            out.push_back(c == 0 ? form.rows()[r].code : c == 1 ? form.rows()[r].name : form.rows()[r].year);
        return out;
    }
};

TEST(CompanySelection, RowsHighlightAndChoices) {
    SelectionSession t({{0, {"Rossi & Città S.r.l.", "2024"}}, {8, {"Copia senza anno", ""}}}, "000 Rossi & Città S.r.l.");
    CompanySelectionForm form(t.session);
    form.open();
    ASSERT_EQ(form.rows().size(), 25u);
    EXPECT_EQ(t.column(form, 2), (std::vector<std::string>{"2024", ""}));
    for (std::size_t r = 0; r < 25; ++r) EXPECT_EQ(form.rows()[r].colour, r == 0 ? orange : plain) << r;

    // Filler rows and rows that do not exist change nothing; the close box leaves the company.
    for (int row : {24, 2, -1, 25}) form.choose(row);
    EXPECT_FALSE(form.closed());
    form.closeBox();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(t.session.company().companyCaption, "000 Rossi & Città S.r.l.");

    form.open();  // the captions come from the registry the window read, not from the copy in memory
    form.choose(1);
    EXPECT_EQ(t.session.company().companyCaption + "|" + t.session.company().yearCaption, "008 Copia senza anno|");
}

TEST(CompanySelection, SortsWithNumbersAsNumbersAndRepaints) {
    SelectionSession t({{7, {"beta", "2024"}}, {10, {"Alfa", ""}}, {100, {"città", "2009"}}, {2, {"Zeta", "910"}},
                        {40, {"900", "1999"}}},
                       "010 Alfa");
    t.listColours("0", 0, 0);
    CompanySelectionForm form(t.session);
    form.open();
    const std::pair<int, std::vector<std::string>> sorts[] = {
        {2, {"010", "002", "040", "100", "007"}}, {1, {"040", "010", "007", "100", "002"}},  // "900", Alfa, beta, città, Zeta
        {0, {"002", "007", "010", "040", "100"}}, {3, {"002", "007", "010", "040", "100"}}};  // no column 3
    for (const auto& [column, codes] : sorts) {
        form.sortBy(column);
        EXPECT_EQ(t.column(form, 0), codes) << column;
    }
    for (int r = 0; r < 25; ++r) EXPECT_EQ(form.rows()[r].colour, r == 2 ? orange : plain) << r;

    // With the alternate colours on, a sort stripes every row; the first data row is odd
    // (the header is row 0) and takes the second colour. Values that are no colour fall back.
    for (const auto& [first, second, even, odd] : {std::tuple(255.0, 65280.0, 255, 65280), std::tuple(-5.0, 1e300, 16579315, 16777215)}) {
        t.listColours("1", first, second);
        form.open();
        form.sortBy(1);
        for (int r = 0; r < 25; ++r) EXPECT_EQ(form.rows()[r].colour, r % 2 == 0 ? odd : even) << r;
    }
}

}  // namespace
}  // namespace kalvora::company
