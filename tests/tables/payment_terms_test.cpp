#include "tables/payment_terms.h"

#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Field = PaymentField;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
// Group 5 (T5 entries 1..30) starts at line 93, group 15 (entries 31..60) at line 729.
std::size_t descriptionLine(int entry) { return entry <= 30 ? 92 + 2 * (entry - 1) : 728 + 2 * (entry - 31); }
std::size_t ruleLine(int entry) { return descriptionLine(entry) + 1; }

class PaymentTermsTest : public ::testing::Test {
protected:
    void SetUp() override { test.drive.makeInstallation(0); }

    // A tables file whose T5 holds these (entry, description, rule) terms.
    void writeTerms(const std::vector<std::tuple<int, std::string, std::string>>& terms) {
        std::vector<std::string> lines(TablesFile::lineCount);
        for (const auto& [entry, description, rule] : terms) {
            lines[descriptionLine(entry)] = description;
            lines[ruleLine(entry)] = rule;
        }
        test.drive.write(tabFile, core::encodeLines(lines));
    }
    std::vector<std::string> savedLines() {
        auto lines = test.files.readLines(test.drive.path(tabFile));
        return lines ? *lines : std::vector<std::string>{};
    }
    const std::string& rule(int entry) const { return form.tables().t5.at(entry, 1); }

    testing::TestSession test;
    PaymentTermsForm form{test.session};
};

TEST_F(PaymentTermsTest, RulesAreShownBoxByBox) {
    writeTerms({{1, "Ri.Ba. 60/90/120", "002003004000000000N0000"},
                {2, "Bonifico fine mese + 10", "001000000000000000F0101"},
                {3, "Strano", "abc000000000000000X000-"}});
    form.open();
    const PaymentRow& first = form.row(0);
    EXPECT_EQ(first.description, "Ri.Ba. 60/90/120");
    EXPECT_EQ(first.months, (std::array<std::string, 6>{"2", "3", "4", "", "", ""}));
    EXPECT_FALSE(first.endOfMonth);
    EXPECT_EQ(first.days, "");
    EXPECT_EQ(first.type, 0);
    EXPECT_STREQ(PaymentTermsForm::paymentTypes[first.type], "Riba");

    EXPECT_EQ(form.row(1).months[0], "1");
    EXPECT_TRUE(form.row(1).endOfMonth);
    EXPECT_EQ(form.row(1).days, "10");
    EXPECT_EQ(form.row(1).type, 1);

    // Text that is no number shows as an empty box; an empty term shows type 0, as the stored
    // position reads.
    EXPECT_EQ(form.row(2).months[0], "");
    EXPECT_FALSE(form.row(2).endOfMonth);
    EXPECT_EQ(form.row(3), paymentRow("", ""));
    EXPECT_EQ(form.row(3).type, 0);
    EXPECT_EQ(form.focusedRow(), 0);
    EXPECT_EQ(form.focusedField(), Field::Description);
}

TEST_F(PaymentTermsTest, OldFourInstalmentRulesAreUpgraded) {
    writeTerms({{4, "Vecchia", "001002003004N0300"},
                {5, "Corta", "00100200300"},
                {6, "Ventidue", "0010020030040000000N00"},
                {7, "Città, 60 gg", "002000000000F010"}});
    form.open();
    EXPECT_EQ(rule(4), "001002003004      N0300");
    EXPECT_EQ(form.row(3).months, (std::array<std::string, 6>{"1", "2", "3", "4", "", ""}));
    EXPECT_EQ(form.row(3).days, "30");
    EXPECT_EQ(rule(5), "00100200300");
    EXPECT_EQ(rule(6), "0010020030040000000N00");
    EXPECT_EQ(rule(7), "002000000000      F010");

    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto lines = savedLines();
    ASSERT_EQ(lines.size(), 930u);
    EXPECT_EQ(lines[ruleLine(4)], "001002003004      N0300");
    EXPECT_EQ(core::length(lines[ruleLine(4)]), 23u);
    EXPECT_EQ(lines[descriptionLine(7)], "Città, 60 gg");
}

TEST_F(PaymentTermsTest, EditsRebuildTheRuleOfTheShownEntryOnly) {
    std::vector<std::tuple<int, std::string, std::string>> terms;
    for (int k = 1; k <= 60; ++k) terms.emplace_back(k, "Termine " + std::to_string(k), "001002000000000000N0002");
    writeTerms(terms);
    form.open();
    form.scrollTo(5);
    EXPECT_EQ(form.firstEntry(), 5);
    EXPECT_EQ(form.row(0).description, "Termine 5");
    const TablesFile before = form.tables();

    form.setEndOfMonth(0, true);
    EXPECT_EQ(rule(5), "001002000000000000F0002");
    for (int k = 1; k <= 60; ++k) {
        if (k != 5) {
            EXPECT_EQ(rule(k), before.t5.at(k, 1)) << "entry " << k;
        }
    }

    form.editMonths(1, 0, "1234");  // entry 6
    EXPECT_EQ(rule(6), "234002000000000000N0002");
    EXPECT_EQ(form.row(1).months[0], "1234");  // the box keeps what was typed
    form.editMonths(1, 5, "abc");
    form.editMonths(1, 4, "7");
    EXPECT_EQ(rule(6), "234002000000007000N0002");
    form.editDays(1, "15");
    form.selectType(1, 4);
    EXPECT_EQ(rule(6), "234002000000007000N0154");
    form.selectType(1, -1);
    EXPECT_EQ(rule(6), "234002000000007000N015-1");

    form.editDescription(14, "Rimessa\r\ndiretta");
    EXPECT_EQ(form.tables().t5.at(19, 0), "Rimessa  diretta");
    EXPECT_EQ(form.tables().t5.at(19, 1), before.t5.at(19, 1));

    // Out of the grid or the list: nothing changes.
    const TablesFile now = form.tables();
    form.editMonths(15, 0, "3");
    form.editMonths(0, 6, "3");
    form.selectType(0, 5);
    EXPECT_EQ(form.tables(), now);
}

TEST_F(PaymentTermsTest, AnUnknownStoredTypeShowsNoneAndIsStoredAsMinusOne) {
    writeTerms({{3, "Tipo ignoto", "001000000000000000N0009"}});
    form.open();
    EXPECT_EQ(form.row(2).type, -1);
    form.editMonths(2, 1, "2");
    EXPECT_EQ(rule(3), "001002000000000000N000-1");
    EXPECT_EQ(core::length(rule(3)), 24u);
}

TEST_F(PaymentTermsTest, AugustAndDecemberSettingsAreReadAtOpen) {
    writeTerms({{1, "", "001002000000000000F01011 15 "}, {2, "", "002004000000000000N0202010"}});
    form.open();
    EXPECT_TRUE(form.monthMove(PaymentTermsForm::august));
    EXPECT_EQ(form.moveDay(PaymentTermsForm::august), "15");
    EXPECT_FALSE(form.monthMove(PaymentTermsForm::december));
    EXPECT_EQ(form.moveDay(PaymentTermsForm::december), "10");
    // The rows show the rule part only.
    EXPECT_EQ(form.row(0).type, 1);
    EXPECT_EQ(form.row(1).type, 2);

    // Rules of exactly 23 characters carry no settings.
    writeTerms({{1, "", "001002000000000000F0101"}});
    PaymentTermsForm other(test.session);
    other.open();
    EXPECT_FALSE(other.monthMove(PaymentTermsForm::august));
    EXPECT_EQ(other.moveDay(PaymentTermsForm::august), "");
}

TEST_F(PaymentTermsTest, TheSettingsAreAppendedAtConfirmOnly) {
    writeTerms({{1, "Uno", "001002000000000000F0101"}, {2, "Due", "002004000000000000N0202"}});
    form.open();
    form.setMonthMove(PaymentTermsForm::august, true);
    form.editMoveDay(PaymentTermsForm::august, "20");
    form.editMoveDay(PaymentTermsForm::december, "10 del mese");
    EXPECT_EQ(form.moveDay(PaymentTermsForm::december), "10 de");
    EXPECT_EQ(rule(1), "001002000000000000F0101");
    EXPECT_EQ(rule(2), "002004000000000000N0202");

    form.confirm();
    ASSERT_TRUE(form.closed());
    const auto lines = savedLines();
    EXPECT_EQ(lines[ruleLine(1)], "001002000000000000F0101120");
    EXPECT_EQ(lines[ruleLine(2)], "002004000000000000N0202010 de");
    EXPECT_EQ(lines[ruleLine(3)], "");

    // Reopened, the settings come back; an edit of entry 1 drops them from the rule until the
    // next confirm puts them back.
    PaymentTermsForm again(test.session);
    again.open();
    EXPECT_TRUE(again.monthMove(PaymentTermsForm::august));
    EXPECT_EQ(again.moveDay(PaymentTermsForm::august), "20");
    again.editMonths(0, 0, "3");
    EXPECT_EQ(again.tables().t5.at(1, 1), "003002000000000000F0101");
    again.confirm();
    EXPECT_EQ(savedLines()[ruleLine(1)], "003002000000000000F0101120");
}

TEST_F(PaymentTermsTest, UntouchedSettingsStillGetAZeroAndAnEmptyDay) {
    writeTerms({{1, "Uno", "001002000000000000F0101"}, {2, "Due", "002004000000000000N0202"}});
    form.open();
    form.confirm();
    const auto lines = savedLines();
    EXPECT_EQ(lines[ruleLine(1)], "001002000000000000F01010");
    EXPECT_EQ(lines[ruleLine(2)], "002004000000000000N02020");
}

// A new company has no rules at all: the settings must still land after position 23.
TEST_F(PaymentTermsTest, ShortRulesArePaddedBeforeTheSettings) {
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    form.open();
    form.setMonthMove(PaymentTermsForm::december, true);
    form.editMoveDay(PaymentTermsForm::december, "10");
    form.confirm();
    const auto lines = savedLines();
    ASSERT_EQ(lines.size(), 930u);
    EXPECT_EQ(lines[ruleLine(1)], std::string(23, ' ') + "0");
    EXPECT_EQ(lines[ruleLine(2)], std::string(23, ' ') + "110");
    EXPECT_EQ(lines[152], "0202");  // the posting accounts pass through

    PaymentTermsForm again(test.session);
    again.open();
    EXPECT_FALSE(again.monthMove(PaymentTermsForm::august));
    EXPECT_TRUE(again.monthMove(PaymentTermsForm::december));
    EXPECT_EQ(again.moveDay(PaymentTermsForm::december), "10");
}

TEST_F(PaymentTermsTest, ConfirmLeavesEveryOtherTableAsRead) {
    std::ifstream in(std::string(KALVORA_GOLDEN_DIR) + "/tables/kalvora_full_saved.tab", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    test.drive.write(tabFile, bytes);
    form.open();
    form.confirm();
    ASSERT_TRUE(form.closed());
    const std::vector<std::string> expected = *test.files.readLines(test.drive.path(tabFile));
    test.drive.write(tabFile, bytes);
    const std::vector<std::string> original = *test.files.readLines(test.drive.path(tabFile));
    ASSERT_EQ(expected.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        // Entry 1's day " 15 " is stored trimmed; everything else is as it was.
        if (i == ruleLine(1))
            EXPECT_EQ(expected[i], "001002000000000000F0101115");
        else
            EXPECT_EQ(expected[i], original[i]) << "line " << i + 1;
    }
}

TEST_F(PaymentTermsTest, AFailedSaveKeepsTheWindowOpenWithTheMessage) {
    writeTerms({{1, "Uno", "001002000000000000F0101"}});
    form.open();
    form.editMonths(0, 0, "2");
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), true), 0);
    form.confirm();
    EXPECT_FALSE(form.closed());
    const auto messages = test.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Non è stato possibile salvare la tabella: errore " + std::to_string(EACCES));
    EXPECT_EQ(messages[0].title, "Attenzione");
    EXPECT_EQ(messages[0].icon, core::Icon::Critical);
    // The edit is still there, and the settings were not packed into the rule in memory.
    EXPECT_EQ(rule(1), "002002000000000000F0101");
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), false), 0);
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(savedLines()[ruleLine(1)], "002002000000000000F01010");
}

TEST_F(PaymentTermsTest, EnterWalksTheRowAndScrollsFromTheLastOne) {
    form.open();
    const std::vector<Field> order = {Field::Description, Field::Months1, Field::Months2, Field::Months3,
                                      Field::Months4,     Field::Months5, Field::Months6, Field::Days};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        form.enterPressed(3, order[i]);
        EXPECT_EQ(form.focusedRow(), 3);
        EXPECT_EQ(form.focusedField(), order[i + 1]);
    }
    form.enterPressed(3, Field::Days);
    EXPECT_EQ(form.focusedRow(), 4);
    EXPECT_EQ(form.focusedField(), Field::Description);

    // Enter in the list or the check box stays there.
    form.enterPressed(4, Field::Type);
    EXPECT_EQ(form.focusedRow(), 4);
    EXPECT_EQ(form.focusedField(), Field::Type);
    form.enterPressed(5, Field::EndOfMonth);
    EXPECT_EQ(form.focusedRow(), 5);
    EXPECT_EQ(form.focusedField(), Field::EndOfMonth);

    form.scrollTo(15);
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(form.firstEntry(), 16);
    EXPECT_EQ(form.focusedRow(), 14);
    EXPECT_EQ(form.focusedField(), Field::Description);

    // From 16 on, Enter on the last row stays put, though the scroll bar goes on to 46.
    form.setFocus(0, Field::Description);
    form.enterPressed(14, Field::Days);
    EXPECT_EQ(form.focusedRow(), 14);
    EXPECT_EQ(form.firstEntry(), 16);
    EXPECT_EQ(form.focusedField(), Field::Days);
    form.scrollTo(99);
    EXPECT_EQ(form.firstEntry(), 46);
    EXPECT_EQ(form.lastFirstEntry(), 46);
    EXPECT_EQ(form.entryOf(14), 60);
}

// Positions count characters, not bytes.
TEST(PaymentRuleTest, UpgradeCountsCharacters) {
    EXPECT_EQ(upgradeRule("àèìòùàèìòùàè"), "àèìòùàèìòùàè      ");
    EXPECT_EQ(paymentRow("", "ààà002").months[1], "2");
}

}  // namespace
}  // namespace kalvora::tables
