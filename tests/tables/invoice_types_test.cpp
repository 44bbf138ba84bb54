#include "tables/invoice_types.h"

#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Field = InvoiceField;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
// T7 column c of entries 1..40 in groups 7 and 8 (from lines 171 and 211), of 41..100 in
// groups 17 and 18 (from lines 811 and 871).
std::size_t invoiceLine(int entry, int column) {
    if (entry <= 40) return 170 + 40 * static_cast<std::size_t>(column) + static_cast<std::size_t>(entry - 1);
    return 810 + 60 * static_cast<std::size_t>(column) + static_cast<std::size_t>(entry - 41);
}

class InvoiceTypesTest : public ::testing::Test {
protected:
    void SetUp() override { test.drive.makeInstallation(0); }
    std::vector<std::string> savedLines() {
        auto saved = test.files.readLines(test.drive.path(tabFile));
        return saved ? *saved : std::vector<std::string>{};
    }

    testing::TestSession test;
    InvoiceTypesForm form{test.session};
};

TEST_F(InvoiceTypesTest, ANewCompanyGetsTheReservedNamesAndWholePackedCells) {
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    form.open();
    form.scrollTo(83);
    EXPECT_EQ(form.entryOf(16), 99);
    EXPECT_EQ(form.text(16, Field::Sales), InvoiceTypesForm::reverseChargeText);
    EXPECT_EQ(form.text(17, Field::Sales), InvoiceTypesForm::intraEuText);
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto saved = savedLines();
    ASSERT_EQ(saved.size(), TablesFile::lineCount);
    EXPECT_EQ(saved[invoiceLine(99, 0)], InvoiceTypesForm::reverseChargeText);
    EXPECT_EQ(saved[invoiceLine(100, 0)], InvoiceTypesForm::intraEuText);
    for (int k = 1; k <= 100; ++k) EXPECT_EQ(saved[invoiceLine(k, 1)], std::string(100, ' ')) << k;
    EXPECT_EQ(saved[152], "0202");  // the posting accounts pass through
}

TEST_F(InvoiceTypesTest, PurchaseSideIsSplitAt95AndRebuiltAt100) {
    std::vector<std::string> lines(TablesFile::lineCount);
    lines[invoiceLine(1, 1)] = "Spese telefoniche";                          // short: no percentage
    lines[invoiceLine(2, 1)] = core::padRight("Autoveicoli città", 95) + " 40";
    lines[invoiceLine(3, 1)] = core::padRight("Lungo", 95) + "100  oltre";  // beyond 100 characters
    lines[invoiceLine(99, 0)] = "Reverse charge nostro";
    test.drive.write(tabFile, core::encodeLines(lines));
    form.open();
    EXPECT_EQ(form.purchase(1), "Spese telefoniche");
    EXPECT_EQ(form.deductible(1), "");
    EXPECT_EQ(form.text(1, Field::Purchase), "Autoveicoli città");
    EXPECT_EQ(form.text(1, Field::Deductible), "40");
    EXPECT_EQ(form.deductible(3), "100");
    EXPECT_EQ(form.tables().t7.at(99, 0), "Reverse charge nostro");  // a name of one's own is kept
    EXPECT_EQ(form.tables().t7.at(100, 0), InvoiceTypesForm::intraEuText);

    form.edit(0, Field::Deductible, "100000");
    form.edit(0, Field::Purchase, std::string(120, 'p'));
    form.edit(3, Field::Sales, "Vendite\ral minuto");
    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto saved = savedLines();
    EXPECT_EQ(saved[invoiceLine(1, 1)], std::string(95, 'p') + "10000");
    EXPECT_EQ(saved[invoiceLine(2, 1)], core::padRight("Autoveicoli città", 95) + "40   ");
    EXPECT_EQ(saved[invoiceLine(3, 1)], core::padRight("Lungo", 95) + "100  ");
    EXPECT_EQ(saved[invoiceLine(4, 0)], "Vendite al minuto");
    for (int k = 1; k <= 100; ++k) EXPECT_EQ(core::length(saved[invoiceLine(k, 1)]), 100u) << k;
    EXPECT_TRUE(testing::matchesGolden("invoice_types/kalvora.tab", test.drive.read(tabFile)));
}

TEST_F(InvoiceTypesTest, EnterWalksTheRowThenScrollsFromTheLastRow) {
    form.open();
    form.enterPressed(4, Field::Sales);
    EXPECT_EQ(form.focusedField(), Field::Purchase);
    form.enterPressed(4, Field::Purchase);
    EXPECT_EQ(form.focusedField(), Field::Deductible);
    form.enterPressed(4, Field::Deductible);
    EXPECT_EQ(form.focusedRow(), 5);
    EXPECT_EQ(form.focusedField(), Field::Sales);
    form.enterPressed(17, Field::Deductible);
    EXPECT_EQ(form.firstEntry(), 2);
    EXPECT_EQ(form.focusedRow(), 17);
    EXPECT_EQ(form.focusedField(), Field::Sales);
    form.scrollTo(500);
    EXPECT_EQ(form.firstEntry(), 83);
    form.enterPressed(17, Field::Deductible);
    EXPECT_EQ(form.firstEntry(), 83);
    EXPECT_EQ(form.focusedField(), Field::Deductible);
}

}  // namespace
}  // namespace kalvora::tables
