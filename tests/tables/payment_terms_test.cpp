#include "tables/payment_terms.h"

#include "core/text.h"
#include "tables/tables_file.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using Field = PaymentField;

TEST(PaymentRuleTest, RulesAreShownBoxByBoxAndRebuiltFromThem) {
    struct Case { const char* rule; std::array<std::string, 6> months; bool endOfMonth; const char* days; int type; const char* rebuilt; };
    const Case cases[] = {
        {"002003004000000000N0000", {"2", "3", "4", "", "", ""}, false, "", 0, "002003004000000000N0000"},
        {"001000000000000000F0101", {"1", "", "", "", "", ""}, true, "10", 1, "001000000000000000F0101"},
        // Text that is no number shows empty; an unknown type shows none and is stored as -1.
        {"abc000000000000000X0009", {"", "", "", "", "", ""}, false, "", -1, "000000000000000000N000-1"},
        {"", {"", "", "", "", "", ""}, false, "", 0, "000000000000000000N0000"},
        {"ààà002", {"", "2", "", "", "", ""}, false, "", 0, "000002000000000000N0000"},  // characters, not bytes
    };
    for (const Case& c : cases) {
        const PaymentRow row = paymentRow("d", c.rule);
        EXPECT_EQ(row.months, c.months) << c.rule;
        EXPECT_EQ(row.endOfMonth, c.endOfMonth) << c.rule;
        EXPECT_EQ(row.days, c.days) << c.rule;
        EXPECT_EQ(row.type, c.type) << c.rule;
        EXPECT_EQ(paymentRule(row), c.rebuilt) << c.rule;
    }
    PaymentRow typed;
    typed.months = {"1234", "", "", "", "7", "abc"};
    typed.days = "15";
    typed.type = 4;
    EXPECT_EQ(paymentRule(typed), "234000000000007000N0154");  // only the last three digits fit
}

TEST(PaymentRuleTest, FourInstalmentRulesAreUpgraded) {
    const std::pair<const char*, const char*> cases[] = {
        {"001002003004N0300", "001002003004      N0300"}, {"002000000000F010", "002000000000      F010"},
        {"àèìòùàèìòùàè", "àèìòùàèìòùàè      "},       {"00100200300", "00100200300"},
        {"0010020030040000000N00", "0010020030040000000N00"}};
    for (const auto& [rule, upgraded] : cases) EXPECT_EQ(upgradeRule(rule), upgraded) << rule;
}

class PaymentTermsTest : public TablesTest {
protected:
    PaymentTermsForm form{test.session};
    const std::string& rule(int k) const { return form.tables().t5.at(k, 1); }
};

TEST_F(PaymentTermsTest, EditsRebuildTheRuleOfTheShownEntryOnly) {
    writeTab({{t5Line(4, 1), "001002003004N0300"}, {t5Line(5, 1), "001002000000000000N0002"}});
    form.open();
    EXPECT_EQ(rule(4), "001002003004      N0300");  // upgraded at opening
    form.scrollTo(5);
    EXPECT_EQ(form.firstEntry(), 5);
    const TablesFile before = form.tables();
    form.setEndOfMonth(0, true);
    form.editDays(1, "15");
    form.selectType(1, 4);
    form.editDescription(14, "Rimessa\r\ndiretta");
    form.editMonths(15, 0, "3");  // outside the grid or the list: nothing
    form.editMonths(0, 6, "3");
    form.selectType(0, 5);
    TablesFile expected = before;
    expected.t5.at(5, 1) = "001002000000000000F0002";
    expected.t5.at(6, 1) = "000000000000000000N0154";
    expected.t5.at(19, 0) = "Rimessa  diretta";
    EXPECT_EQ(form.tables(), expected);
}

// August and December ride after position 23 of rules 1 and 2, written at confirm only.
TEST_F(PaymentTermsTest, MonthSettingsAreReadAtOpeningAndWrittenAtConfirm) {
    writeTab({{t5Line(1, 1), "001002000000000000F01011 15 "}, {t5Line(2, 1), "002004000000000000N0202010"}});
    form.open();
    EXPECT_TRUE(form.monthMove(PaymentTermsForm::august));
    EXPECT_EQ(form.moveDay(PaymentTermsForm::august), "15");
    EXPECT_FALSE(form.monthMove(PaymentTermsForm::december));
    EXPECT_EQ(form.moveDay(PaymentTermsForm::december), "10");
    EXPECT_EQ(form.row(1).type, 2);
    form.editMonths(0, 0, "3");
    EXPECT_EQ(rule(1), "003002000000000000F0101");
    form.setMonthMove(PaymentTermsForm::december, true);
    form.editMoveDay(PaymentTermsForm::december, "10 del mese");
    EXPECT_EQ(rule(2), "002004000000000000N0202010");
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_EQ(read()[t5Line(1, 1)], "003002000000000000F0101115");
    EXPECT_EQ(read()[t5Line(2, 1)], "002004000000000000N0202110 de");

    // A new company has no rules: the settings still land after position 23.
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    PaymentTermsForm fresh(test.session);
    fresh.open();
    EXPECT_FALSE(fresh.monthMove(PaymentTermsForm::august));
    EXPECT_EQ(fresh.moveDay(PaymentTermsForm::august), "");
    fresh.confirm();
    EXPECT_EQ(read()[t5Line(1, 1)], std::string(23, ' ') + "0");
    EXPECT_EQ(read().size(), 930u);
}

TEST_F(PaymentTermsTest, EnterWalksTheRowAndScrollsFromTheLastOneUpToEntry16) {
    form.open();
    const Field order[] = {Field::Description, Field::Months1, Field::Months2, Field::Months3,
                           Field::Months4,     Field::Months5, Field::Months6, Field::Days};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        form.enterPressed(3, order[i]);
        EXPECT_EQ(form.focusedField(), order[i + 1]);
    }
    form.enterPressed(3, Field::Days);
    EXPECT_EQ(form.focusedRow(), 4);
    EXPECT_EQ(form.focusedField(), Field::Description);
    form.enterPressed(4, Field::Type);  // the list and the check box keep the focus
    EXPECT_EQ(form.focusedField(), Field::Type);
    form.scrollTo(15);
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(form.firstEntry(), 16);
    EXPECT_EQ(form.focusedField(), Field::Description);
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(form.firstEntry(), 16);
    EXPECT_EQ(form.focusedField(), Field::Days);
    form.scrollTo(99);
    EXPECT_EQ(form.entryOf(14), 60);
}

}  // namespace
}  // namespace kalvora::tables
