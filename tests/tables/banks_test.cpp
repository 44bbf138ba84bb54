#include "tables/banks.h"

#include "core/text.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using Field = BankField;

class BanksTest : public TablesTest {
protected:
    const std::string& cell(int k, int c) const { return form.tables().t8.at(k, c); }
    BanksForm form{test.session};
};

TEST_F(BanksTest, PackedCodesAreShownBoxByBoxAndRebuiltWhole) {
    writeTab({{t8Line(1, 0), "Banca Città"}, {t8Line(1, 1), "03069"}, {t8Line(1, 2), "IT60X054"},
              {t8Line(1, 3), "0201"}, {t8Line(1, 4), "  000012345  "},
              {t8Line(2, 1), "0306912"}, {t8Line(3, 1), "030691234 RBX"}, {t8Line(3, 3), "020100050000"}});
    form.open();
    EXPECT_EQ(form.row(0), (BankRow{"Banca Città", "03069", "IT60X054", "", "000012345", "", "", "02", "01", ""}));
    // A short code shows the sub-fields it reaches; a long one its positions only.
    EXPECT_EQ(form.text(1, Field::Sia) + "|" + form.text(1, Field::Ib), "12|");
    EXPECT_EQ(form.row(2), (BankRow{"", "03069", "", "1234", "", "X", "RB", "02", "01", "0005"}));

    const std::tuple<Field, const char*, int, const char*> edits[] = {
        {Field::Cin, "K", 1, "0306912     K"},      // a short code is rebuilt as 13 characters
        {Field::Ib, "RBX", 1, "0306912   RBK"},     // a box keeps no more than its width
        {Field::Abi, "", 1, "     12   RBK"},
        {Field::LedgerAccount, "3", 3, "  3     "},
        {Field::Account, " 00 12 ", 4, " 00 12 "},  // stored as typed
        {Field::Description, "Banca\r\nnuova", 0, "Banca  nuova"},
    };
    for (const auto& [field, typed, column, stored] : edits) {
        form.edit(1, field, typed);
        EXPECT_EQ(cell(2, column), stored) << typed;
    }
    EXPECT_EQ(cell(1, 1) + cell(3, 3), "03069020100050000");  // other banks untouched
}

TEST_F(BanksTest, LeavingAnAccountBoxPadsItWithZeros) {
    form.open();
    const std::tuple<Field, const char*, const char*> cases[] = {
        {Field::SubAccount, "5", "0005"}, {Field::Group, "2", "02"}, {Field::LedgerAccount, "1", "01"},
        {Field::Group, "0", "0"},         {Field::Group, "ab", "ab"}, {Field::Group, "-3", "-3"},
        {Field::SubAccount, "9e99", "9e99"}, {Field::Abi, "7", "7"}};  // 0, text and overlong stay
    for (const auto& [field, typed, shown] : cases) {
        form.setFocus(4, field);
        form.edit(4, field, typed);
        form.leaveField(4, field);
        EXPECT_EQ(form.text(4, field), shown) << typed;
    }
    form.edit(6, Field::SubAccount, "7");
    form.leaveField(6, Field::SubAccount);  // never focused
    EXPECT_EQ(form.text(6, Field::SubAccount), "7");
}

TEST_F(BanksTest, EnterFollowsTheFocusOrderAndScrollsFromTheLastRow) {
    std::vector<std::string> lines = tabLines({});
    for (int k = 1; k <= 30; ++k) lines[t8Line(k, 3)] = "    7";
    write(tabFile, lines);
    form.open();
    for (int f = 0; f + 1 < bankFieldCount; ++f) {
        form.enterPressed(2, static_cast<Field>(f));
        EXPECT_EQ(static_cast<int>(form.focusedField()), f + 1);
    }
    form.enterPressed(2, Field::SubAccount);
    EXPECT_EQ(form.focusedRow(), 3);
    EXPECT_EQ(form.focusedField(), Field::Description);
    // From row 17 the page moves one bank, padding the box that was left and not the one of the
    // bank scrolled into its place.
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(form.firstEntry(), 2);
    EXPECT_EQ(cell(18, 3), "    0007");
    form.leaveField(17, Field::SubAccount);
    EXPECT_EQ(cell(19, 3), "    7");
    form.scrollTo(99);
    EXPECT_EQ(form.firstEntry(), 13);
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(form.firstEntry(), 13);
    EXPECT_EQ(form.focusedField(), Field::SubAccount);
}

}  // namespace
}  // namespace kalvora::tables
