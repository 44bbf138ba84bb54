#include "tables/vat_codes.h"

#include "core/text.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using Form = VatCodesForm;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Description padded to 100, nature, 99 blanks, "*", spelled out by hand.
std::string stored(const std::string& description, const std::string& nature) {
    return description + blanks(100 - static_cast<int>(core::length(description))) + nature + blanks(99) + "*";
}

class VatCodesTest : public TablesTest {
protected:
    Form form{test.session};
};

TEST_F(VatCodesTest, StoredDescriptionsSplitIntoTextAndNature) {
    writeTab({{t3Line(1, 1), stored("Iva 22%", "3")},
              {t3Line(2, 1), "Esente art.10"},  // written before the nature existed
              {t3Line(3, 1), "  Vendite 4%"},
              {t4Line(1, 1), stored("Acquisti intra", "5")},
              {t4Line(2, 1), stored("", "7")},  // a nature the list does not have
              {t3Line(16, 1), stored("Città", "1")}});
    form.open();
    EXPECT_EQ(form.text(4) + "|" + form.text(10) + "|" + form.text(50), "Iva 22%|Esente art.10|Acquisti intra");
    EXPECT_EQ((std::array{form.salesNature(0), form.salesNature(1), form.purchaseNature(0), form.purchaseNature(1)}),
              (std::array{3, Form::noSelection, 5, Form::noSelection}));
    form.scrollSales(9);
    EXPECT_EQ(form.text(6 * 7 + 4) + "|" + std::to_string(form.salesNature(7)), "Città|1");
    std::string longText;
    for (int i = 0; i < 24; ++i) longText += "Città";  // 120 characters, 144 bytes
    form.editText(4 + 6 * 3, longText);  // code 12
    form.chooseSalesNature(3, 2);

    const std::vector<std::string> saved = confirmed(form);
    EXPECT_EQ(saved[t3Line(16, 1)], stored("Città", "1"));
    EXPECT_EQ(saved[t3Line(2, 1)], stored("Esente art.10", ""));
    EXPECT_EQ(saved[t4Line(2, 1)], stored("", "7"));
    EXPECT_EQ(saved[t3Line(11, 1)], stored("", ""));
    EXPECT_EQ(saved[t3Line(12, 1)], core::left(longText, 100) + "2" + blanks(99) + "*");
    // Leading blanks stay, in the short old form and once stored.
    EXPECT_EQ(saved[t3Line(3, 1)], stored("  Vendite 4%", ""));
    Form again(test.session);
    again.open();
    EXPECT_EQ(again.text(16), "  Vendite 4%");
}

TEST_F(VatCodesTest, APurchaseTypeChangesOnlyItsCharacter) {
    for (const std::string types : {"0120", "12012012012012012012"}) {
        writeTab({{t4Line(0, 0), types}});
        Form f(test.session);
        f.open();
        f.scrollPurchases(9);  // row 3 shows code 12
        f.choosePurchaseType(3, 2);
        f.choosePurchaseType(2, 3);  // not in the list
        std::string expected = core::padRight(types, 16);
        expected[11] = '2';
        EXPECT_EQ(confirmed(f)[t4Line(0, 0)], expected) << types;
    }
}

TEST_F(VatCodesTest, EachSetScrollsApartAndEditsLandOnTheCodeShown) {
    std::vector<std::string> lines = tabLines({{t4Line(0, 0), "012 9x"}});
    for (int k = 1; k <= 16; ++k) lines[t1Line(k, 0)] = k == 6 ? "0.00" : std::to_string(k);
    write(tabFile, lines);
    form.open();
    EXPECT_EQ(form.purchaseType(2), 2);
    EXPECT_EQ(form.purchaseType(4), Form::noSelection);  // "9" is not a type
    form.scrollPurchases(4);
    form.scrollSales(5);
    EXPECT_EQ(form.text(0) + "|" + form.text(6), "5|");  // a zero rate shows empty
    form.editText(12, "10");
    form.editText(49, "40");
    EXPECT_EQ(form.tables().t1.at(7, 0) + "|" + form.tables().t2.at(4, 1), "10|40");
}

TEST_F(VatCodesTest, CompanyWideValuesAndTheInterestFile) {
    writeTab({{t3Line(0, 0), "Contributo cassa"}, {t3Line(0, 1), "01"}});
    std::string ilm = "1\n";  // bare LF line ends are read too
    for (int k = 1; k <= 16; ++k) ilm += std::to_string(k) + ",5\n";
    test.drive.write(ilmFile, ilm + "in piu'\n");
    form.open();
    EXPECT_EQ(form.text(80) + "|" + form.text(81) + "|" + form.text(82), "Contributo cassa|1|1,5");
    EXPECT_FALSE(form.tassa());
    EXPECT_TRUE(form.esig());
    form.editText(80, "  Cassa forense  ");
    form.setTassa(true);
    form.scrollSales(9);
    form.editText(89, "7");
    const std::vector<std::string> saved = confirmed(form);
    EXPECT_EQ(saved[t3Line(0, 0)], "Cassa forense");
    EXPECT_EQ(saved[t3Line(0, 1)], "11" + blanks(18));
    std::vector<std::string> expectedIlm = {"1"};
    for (int k = 1; k <= 16; ++k) expectedIlm.push_back(k == 16 ? "7" : std::to_string(k) + ",5");
    EXPECT_EQ(read(ilmFile), expectedIlm);
}

}  // namespace
}  // namespace kalvora::tables
