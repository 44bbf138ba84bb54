#include "tables/invoice_types.h"

#include "core/text.h"
#include "tables/tables_file.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using Field = InvoiceField;

class InvoiceTypesTest : public TablesTest {
protected:
    InvoiceTypesForm form{test.session};
};

TEST_F(InvoiceTypesTest, ANewCompanyGetsTheReservedNamesAndWholePurchaseCells) {
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    form.open();
    form.enterPressed(17, Field::Deductible);  // Enter on the last row scrolls, up to the last page
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(2, Field::Sales));
    form.scrollTo(500);
    form.enterPressed(17, Field::Deductible);
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(83, Field::Deductible));
    EXPECT_EQ(form.text(16, Field::Sales), "Fatture integrate operazioni Reverse Charge");
    EXPECT_EQ(form.text(17, Field::Sales), "Fatture integrate operazioni Intracomunitarie");
    const std::vector<std::string> saved = confirmed(form);
    EXPECT_EQ(saved[t7Line(99, 0)], InvoiceTypesForm::reverseChargeText);
    for (int k = 1; k <= 100; ++k) EXPECT_EQ(saved[t7Line(k, 1)], std::string(100, ' ')) << k;
}

TEST_F(InvoiceTypesTest, PurchaseSideIsSplitAt95AndRebuiltAt100) {
    writeTab({{t7Line(1, 1), "Spese telefoniche"},  // short: no percentage
              {t7Line(2, 1), core::padRight("Autoveicoli città", 95) + " 40"},
              {t7Line(3, 1), core::padRight("Lungo", 95) + "100  oltre"},
              {t7Line(4, 1), "\f\x01 Varie"},  // control characters, blanked as they will be stored
              {t7Line(99, 0), "Reverse charge nostro"}});  // a name of one's own is kept
    form.open();
    EXPECT_EQ(form.purchase(1) + "|" + form.deductible(1), "Spese telefoniche|");
    EXPECT_EQ(form.text(1, Field::Purchase) + "|" + form.text(1, Field::Deductible), "Autoveicoli città|40");
    EXPECT_EQ(form.deductible(3) + "|" + form.purchase(4), "100|Varie");
    EXPECT_EQ(form.tables().t7.at(99, 0), "Reverse charge nostro");
    form.edit(0, Field::Deductible, "100000");
    form.edit(0, Field::Purchase, std::string(120, 'p'));
    const std::vector<std::string> saved = confirmed(form);
    EXPECT_EQ(saved[t7Line(1, 1)], std::string(95, 'p') + "10000");
    EXPECT_EQ(saved[t7Line(2, 1)], core::padRight("Autoveicoli città", 95) + "40   ");
    EXPECT_EQ(saved[t7Line(3, 1)], core::padRight("Lungo", 95) + "100  ");
}

}  // namespace
}  // namespace kalvora::tables
