#include "tables/banks.h"

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
    };
    for (const auto& [field, typed, column, stored] : edits) {
        form.edit(1, field, typed);
        EXPECT_EQ(cell(2, column), stored) << typed;
    }
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
}

// Enter on the last row moves the page one bank, padding the box that was left and not the one of
// the bank scrolled into its place; on the last page it keeps the focus.
TEST_F(BanksTest, EnterOnTheLastRowScrollsAndPadsOnlyTheBoxLeft) {
    writeTab({{t8Line(18, 3), "    7"}, {t8Line(19, 3), "    7"}});
    form.open();
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(2, Field::Description));
    EXPECT_EQ(cell(18, 3), "    0007");
    form.leaveField(17, Field::SubAccount);  // a box never focused is left as it is
    EXPECT_EQ(cell(19, 3), "    7");
    form.scrollTo(99);  // the last page: banks 13..30
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(13, Field::SubAccount));
}

}  // namespace
}  // namespace kalvora::tables
