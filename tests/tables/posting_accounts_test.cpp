#include "tables/posting_accounts.h"

#include "core/accounting_archives.h"
#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
// T6 entries 1..9 are group 6, from line 153; entries 10..20 group 16, from line 789.
std::size_t postingLine(int entry, int column) {
    return (entry <= 9 ? 152 + 2 * (entry - 1) : 788 + 2 * (entry - 10)) + static_cast<std::size_t>(column);
}
constexpr int clientsGroup = 0, revenuesGroup = 1, deferredOutputGroup = 3, cashGroup = 15;
constexpr int withholdingPurchaseGroup = 14;  // T6(5,1) positions 81-88

std::string account(std::string_view code, std::string_view description) {
    core::Record record(core::accountRecordLength);
    record.setText(0, 10, code);
    record.setText(10, 40, description);
    return {record.bytes().begin(), record.bytes().end()};
}

class PostingAccountsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test.drive.makeInstallation(0);
        lines = defaultTablesLines();
        lines.resize(TablesFile::lineCount);
        lines[postingLine(5, 1)] = core::padRight("Fattura n. $D", 40) + core::padRight("Nota di credito", 40) + "04010009";
        lines[postingLine(9, 1)] = "Versamento ritenute";
        lines[postingLine(12, 0)] = "fuori dalla tabella";
    }
    void writeTables() { test.drive.write(tabFile, core::encodeLines(lines)); }
    void writeChart() {
        core::Record count(core::countRecordLength);
        count.setFloat64(0, 4);
        std::string tot(5 * core::countRecordLength, '\0');
        tot.append(count.bytes().begin(), count.bytes().end());
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", tot);
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.con",
                         account("02020000", "Crediti verso clienti") + account("51010001", "Ricavi di vendita") +
                             account("04010009", "Erario c/ritenute") + account("00000000", "Intestazione"));
    }
    std::vector<std::string> savedLines() {
        auto saved = test.files.readLines(test.drive.path(tabFile));
        return saved ? *saved : std::vector<std::string>{};
    }
    void typeCode(int group, std::string_view g, std::string_view a, std::string_view s) {
        const int first = accountGroups[group].firstBox;
        const std::string parts[] = {std::string(g), std::string(a), std::string(s)};
        for (int b = 0; b < accountGroups[group].boxCount; ++b) {
            form.focusBox(first + b);
            form.editBox(first + b, parts[b]);
            form.leaveBox(first + b);
        }
    }

    testing::TestSession test;
    std::vector<std::string> lines;
    PostingAccountsForm form{test.session};
};

TEST_F(PostingAccountsTest, OpeningSplitsCodesAndLooksThemUpInTheChart) {
    writeTables();
    writeChart();
    form.open();
    EXPECT_EQ(form.listLines(), (std::vector<std::string>{"02.02.0000 Crediti verso clienti",
                                                          "51.01.0001 Ricavi di vendita", "04.01.0009 Erario c/ritenute",
                                                          "00.00.0000 Intestazione"}));
    EXPECT_EQ(form.box(2) + form.box(3) + form.box(4), "51010001");
    EXPECT_EQ(form.label(revenuesGroup), "Ricavi di vendita");
    EXPECT_EQ(form.box(0) + "|" + form.box(1), "02|02");
    EXPECT_EQ(form.label(clientsGroup), "Crediti verso clienti");
    EXPECT_EQ(form.box(40) + form.box(41) + form.box(42), "04010009");  // packed after two descriptions
    EXPECT_EQ(form.label(withholdingPurchaseGroup), "Erario c/ritenute");
    EXPECT_EQ(form.label(cashGroup), PostingAccountsForm::unknownAccountText);          // 02060001 not in the chart
    EXPECT_EQ(form.label(deferredOutputGroup), PostingAccountsForm::unknownAccountText);  // empty
    EXPECT_EQ(form.description(0), "Fattura n. $D");
    EXPECT_EQ(form.description(1), "Nota di credito");
    EXPECT_EQ(form.description(10), "Versamento ritenute");
    EXPECT_EQ(form.description(8), "");
}

TEST_F(PostingAccountsTest, AMissingChartLeavesTheListEmptyAndEveryCodeUnknown) {
    writeTables();
    PostingAccountsForm fresh(test.session);
    EXPECT_EQ(fresh.label(0), PostingAccountsForm::noLookupText);
    form.open();
    EXPECT_TRUE(form.listLines().empty());
    for (int g = 0; g < accountGroupCount; ++g) EXPECT_EQ(form.label(g), PostingAccountsForm::unknownAccountText) << g;
    typeCode(revenuesGroup, "51", "01", "1");
    EXPECT_EQ(form.label(revenuesGroup), PostingAccountsForm::unknownAccountText);
}

TEST_F(PostingAccountsTest, ChoosingAListLineFillsTheGroupThatLastHadTheFocus) {
    writeTables();
    writeChart();
    form.open();
    form.focusBox(30);  // sub-account of the costs
    form.focusBox(5);   // then the output VAT's group box
    form.chooseListLine(2);
    EXPECT_EQ(form.box(5) + form.box(6) + form.box(7), "04010009");
    EXPECT_EQ(form.label(2), "Erario c/ritenute");
    form.chooseListLine(3);  // "00": not an account
    form.chooseListLine(99);
    EXPECT_EQ(form.box(5) + form.box(6) + form.box(7), "04010009");
    form.focusBox(27);  // a master-and-group code takes the first two parts
    form.chooseListLine(1);
    EXPECT_EQ(form.box(26) + form.box(27), "5101");
    EXPECT_EQ(form.focusedGroup(), 9);
}

TEST_F(PostingAccountsTest, BoxesArePaddedOnLeavingAndKeptToTheirWidth) {
    writeTables();
    form.open();
    typeCode(cashGroup, "2", "6", "7");
    EXPECT_EQ(form.box(43) + form.box(44) + form.box(45), "02060007");
    form.editBox(45, "123456");
    EXPECT_EQ(form.box(45), "1234");
    for (const char* typed : {"0", "ab", "-3", ""}) {
        form.focusBox(43);
        form.editBox(43, typed);
        form.leaveBox(43);
        EXPECT_EQ(form.box(43), typed);
    }
    form.editBox(44, "9");
    form.leaveBox(44);  // never focused
    EXPECT_EQ(form.box(44), "9");
}

TEST_F(PostingAccountsTest, SaveRebuildsCodesAndPackedDescriptions) {
    writeTables();
    writeChart();
    form.open();
    typeCode(revenuesGroup, "51", "01", "7");  // not in the chart: saved, the label says so
    EXPECT_EQ(form.label(revenuesGroup), PostingAccountsForm::unknownAccountText);
    typeCode(deferredOutputGroup, "28", "3", "12");
    form.setDescription(0, "Fattura emessa n. $D del $G a $N, \"saldo\"");
    EXPECT_EQ(form.description(0), "Fattura emessa n. $D del $G a $N saldo");
    form.setDescription(1, std::string(50, 'n'));
    form.setDescription(9, "   ");
    form.setDescription(8, "  Chiusura\r\ncassa");
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_TRUE(test.platform.messages().empty());

    const std::vector<std::string> saved = savedLines();
    ASSERT_EQ(saved.size(), TablesFile::lineCount);
    EXPECT_EQ(saved[postingLine(2, 0)], "51010007");
    EXPECT_EQ(saved[postingLine(1, 0)], "0202");
    EXPECT_EQ(saved[postingLine(5, 1)], core::padRight("Fattura emessa n. $D del $G a $N saldo", 40) +
                                            std::string(40, 'n') + "04010009");
    EXPECT_EQ(saved[postingLine(8, 0)], core::padRight("Chiusura  cassa", 40) +
                                            core::padRight(PostingAccountsForm::undefinedDescriptionText, 40) +
                                            "28030012");
    // Trailing blanks survive item input only in quotes.
    EXPECT_EQ(saved[postingLine(7, 1)], "\"" + core::padRight("Descrizione non definita", 40) +
                                            core::padRight("Descrizione non definita", 40) + "\"");
    EXPECT_EQ(saved[postingLine(12, 0)], "fuori dalla tabella");
    EXPECT_TRUE(testing::matchesGolden("posting_accounts/kalvora.tab", test.drive.read(tabFile)));

    // Read back item by item, every packed code is where it was written.
    PostingAccountsForm again(test.session);
    again.open();
    EXPECT_EQ(again.code(deferredOutputGroup), "28030012");
    EXPECT_EQ(again.code(withholdingPurchaseGroup), "04010009");
    EXPECT_EQ(again.description(8), "Chiusura  cassa");
    EXPECT_EQ(again.description(1), std::string(40, 'n'));
}

TEST_F(PostingAccountsTest, MarkersAreRefusedInTheThreeLastDescriptions) {
    writeTables();
    form.open();
    form.showDescriptions();
    form.setDescription(0, "saldo a favore di $N");
    form.showAccounts();
    EXPECT_EQ(form.page(), PostingAccountsForm::Page::Accounts);

    const char* subjects[] = {"alla chiusura giornaliera dei corrispettivi", "all'emissione delle ricevute bancarie",
                              "al versamento delle ritenute d'acconto"};
    for (int i = 0; i < 3; ++i) {
        form.setDescription(8 + i, "emessa fattura $D");
        form.showAccounts();
        form.confirm();
        EXPECT_FALSE(form.closed());
        EXPECT_EQ(form.page(), PostingAccountsForm::Page::Descriptions);
        EXPECT_EQ(form.focusedDescription(), 8);
        ASSERT_EQ(test.platform.messages().size(), 2u * (i + 1));
        const auto shown = test.platform.messages().back();
        EXPECT_EQ(shown.text, std::string(PostingAccountsForm::markerText) + subjects[i]);
        EXPECT_EQ(shown.title, "Attenzione");
        EXPECT_EQ(shown.icon, core::Icon::Critical);
        form.setDescription(8 + i, "senza marcatori");
    }
    EXPECT_EQ(test.drive.read(tabFile), core::encodeLines(lines));  // nothing saved meanwhile
    form.confirm();
    EXPECT_TRUE(form.closed());
}

}  // namespace
}  // namespace kalvora::tables
