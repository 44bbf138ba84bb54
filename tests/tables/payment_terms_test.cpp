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
        EXPECT_EQ(row, (PaymentRow{"d", c.type, c.months, c.endOfMonth, c.days})) << c.rule;
        EXPECT_EQ(paymentRule(row), c.rebuilt) << c.rule;
    }
    // Only the last three digits of a month fit.
    EXPECT_EQ(paymentRule({"", 4, {"1234", "", "", "", "7", "abc"}, false, "15"}), "234000000000007000N0154");
}

// Once: a short rule comes out long enough not to be taken for an old one at the next opening,
// where it would gain six more blanks at every save.
TEST(PaymentRuleTest, FourInstalmentRulesAreUpgradedOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {"001002003004N0300", "001002003004      N0300"}, {"àèìòùàèìòùàè", "àèìòùàèìòùàè          "},
        {"0010020030040", "001002003004      0   "}, {"00100200300", "00100200300"},
        {"0010020030040000000N00", "0010020030040000000N00"}};
    for (const auto& [rule, upgraded] : cases) {
        EXPECT_EQ(upgradeRule(rule), upgraded) << rule;
        EXPECT_EQ(upgradeRule(upgraded), upgraded) << rule;
    }
}

class PaymentTermsTest : public TablesTest {
protected:
    PaymentTermsForm form{test.session};
    const std::string& rule(int k) const { return form.tables().t5.at(k, 1); }
};

// The day is written as it reads back, so a second save writes the same line.
TEST_F(PaymentTermsTest, TheMovingDayIsStoredAsItIsReadBack) {
    writeTab({{t5Line(1, 1), "001002000000000000F01011 7\x02  "}});
    form.open();
    EXPECT_EQ(confirmed(form)[t5Line(1, 1)], "001002000000000000F010117");
}

// Edits rebuild the rule of the entry shown. August and December ride after position 23 of
// rules 1 and 2: read at opening, written at confirm only.
TEST_F(PaymentTermsTest, EditsRebuildTheShownRuleAndMonthSettingsRideOnRulesOneAndTwo) {
    writeTab({{t5Line(1, 1), "001002000000000000F01011 15 "}, {t5Line(2, 1), "002004000000000000N0202010"},
              {t5Line(4, 1), "001002003004N0300"}, {t5Line(5, 1), "001002000000000000N0002"}});
    form.open();
    EXPECT_EQ(rule(4), "001002003004      N0300");  // upgraded at opening
    EXPECT_EQ(std::pair(form.monthMove(form.august), form.moveDay(form.august)), std::pair(true, std::string("15")));
    EXPECT_EQ(std::pair(form.monthMove(form.december), form.moveDay(form.december)), std::pair(false, std::string("10")));
    form.editMonths(0, 0, "3");
    EXPECT_EQ(rule(1), "003002000000000000F0101");
    form.setMonthMove(PaymentTermsForm::december, true);
    form.editMoveDay(PaymentTermsForm::december, "10 del mese");
    EXPECT_EQ(rule(2), "002004000000000000N0202010");
    form.scrollTo(5);
    TablesFile expected = form.tables();
    expected.t5.at(5, 1) = "001002000000000000F0002";
    expected.t5.at(6, 1) = "000000000000000000N0154";
    form.setEndOfMonth(0, true);
    form.editDays(1, "15");
    form.selectType(1, 4);
    form.editMonths(15, 0, "3");  // outside the grid or the list: nothing
    form.editMonths(0, 6, "3");
    form.selectType(0, 5);
    EXPECT_EQ(form.tables(), expected);
    const std::vector<std::string> saved = confirmed(form);
    EXPECT_EQ(saved[t5Line(1, 1)], "003002000000000000F0101115");
    EXPECT_EQ(saved[t5Line(2, 1)], "002004000000000000N0202110 de");

    // A new company has no rules: the settings still land after position 23.
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    PaymentTermsForm fresh(test.session);
    fresh.open();
    EXPECT_EQ(std::pair(fresh.monthMove(fresh.august), fresh.moveDay(fresh.august)), std::pair(false, std::string()));
    EXPECT_EQ(confirmed(fresh)[t5Line(1, 1)], std::string(23, ' ') + "0");
    EXPECT_EQ(read().size(), 930u);
}

// Enter on the last row scrolls one entry until entry 16 is at the top; the list and the check
// box keep the focus.
TEST_F(PaymentTermsTest, EnterScrollsFromTheLastRowUpToEntry16) {
    form.open();
    form.enterPressed(4, Field::Type);
    EXPECT_EQ(form.focusedField(), Field::Type);
    form.scrollTo(15);
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(16, Field::Description));
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(std::pair(form.firstEntry(), form.focusedField()), std::pair(16, Field::Days));
}

}  // namespace
}  // namespace kalvora::tables
