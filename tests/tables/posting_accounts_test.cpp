#include "tables/posting_accounts.h"

#include "core/text.h"
#include "support/archive_bytes.h"
#include "tables/tables_file.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

constexpr int revenuesGroup = 1, deferredOutputGroup = 3, withholdingPurchaseGroup = 14, cashGroup = 15;

std::string account(std::string_view code, std::string_view description) {
    return testing::bytesOf(testing::accountRecord(code, description));
}

class PostingAccountsTest : public TablesTest {
protected:
    void SetUp() override {
        TablesTest::SetUp();
        std::vector<std::string> lines = defaultTablesLines();
        lines.resize(TablesFile::lineCount);
        lines[t6Line(5, 1)] = core::padRight("Fattura n. $D", 40) + core::padRight("Nota di credito", 40) + "04010009";
        lines[t6Line(12, 0)] = "\"fuori, dalla tabella\"";
        write(tabFile, lines);
    }
    void typeCode(int group, std::array<const char*, 3> parts) {
        for (int b = 0; b < accountGroups[group].boxCount; ++b) {
            const int box = accountGroups[group].firstBox + b;
            form.focusBox(box);
            form.editBox(box, parts[b]);
            form.leaveBox(box);
        }
    }
    PostingAccountsForm form{test.session};
};

TEST_F(PostingAccountsTest, OpeningSplitsCodesAndLooksThemUpInTheChart) {
    test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", testing::countsFile({{6, 3}}, 6, 0));
    test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.con", account("51010001", "Ricavi di vendita") +
                                                                  account("04010009", "Erario c/ritenute") +
                                                                  account("00000000", "Intestazione"));
    form.open();
    EXPECT_EQ(form.listLines()[0], "51.01.0001 Ricavi di vendita");
    EXPECT_EQ(form.code(revenuesGroup) + " " + form.label(revenuesGroup), "51010001 Ricavi di vendita");
    // Packed after two descriptions.
    EXPECT_EQ(form.code(withholdingPurchaseGroup) + " " + form.label(withholdingPurchaseGroup), "04010009 Erario c/ritenute");
    EXPECT_EQ(form.label(cashGroup), PostingAccountsForm::unknownAccountText);            // not in the chart
    EXPECT_EQ(form.label(deferredOutputGroup), PostingAccountsForm::unknownAccountText);  // empty
    EXPECT_EQ(form.description(0) + "|" + form.description(1) + "|" + form.description(8), "Fattura n. $D|Nota di credito|");

    form.focusBox(30);  // the costs, then the output VAT: the last one fills
    form.focusBox(5);
    form.chooseListLine(1);
    form.chooseListLine(2);  // "00": not an account
    EXPECT_EQ(form.code(2) + " " + form.label(2), "04010009 Erario c/ritenute");
    form.focusBox(27);  // a master-and-group code takes the first two parts
    form.chooseListLine(0);
    EXPECT_EQ(form.box(26) + form.box(27), "5101");
}

TEST_F(PostingAccountsTest, BoxesArePaddedOnLeavingAndTakeNoDelimiters) {
    form.open();  // no chart: every code unknown
    typeCode(cashGroup, {"2", "6", "7"});
    EXPECT_EQ(form.box(43) + form.box(44) + form.box(45), "02060007");
    const std::pair<const char*, const char*> typed[] = {
        {"123456", "1234"}, {"5,1", "0051"}, {"\"7\"", "0007"}, {"0", "0"}, {"ab", "ab"}, {"-3", "-3"}, {"", ""}};
    for (const auto& [text, shown] : typed) {
        form.focusBox(45);
        form.editBox(45, text);
        form.leaveBox(45);
        EXPECT_EQ(form.box(45), shown) << text;
    }
}

// Every posting-account line is written plain; the lines the window does not fill stay as read.
TEST_F(PostingAccountsTest, SaveRebuildsCodesAndDescriptionsAsPlainLines) {
    form.open();
    typeCode(revenuesGroup, {"51", "01", "7"});
    typeCode(deferredOutputGroup, {"28", "3", "12"});
    form.setDescription(0, "Fattura emessa n. $D del $G a $N, \"saldo\"");
    EXPECT_EQ(form.description(0), "Fattura emessa n. $D del $G a $N saldo");
    form.setDescription(1, std::string(50, 'n'));
    form.setDescription(9, "   ");
    form.setDescription(8, "  Chiusura\r\ncassa");
    const std::vector<std::string> saved = confirmed(form);
    const std::string undefined = core::padRight(PostingAccountsForm::undefinedDescriptionText, 40);
    EXPECT_EQ(saved[t6Line(2, 0)], "51010007");
    EXPECT_EQ(saved[t6Line(5, 1)], core::padRight("Fattura emessa n. $D del $G a $N saldo", 40) + std::string(40, 'n') + "04010009");
    EXPECT_EQ(saved[t6Line(8, 0)], core::padRight("Chiusura  cassa", 40) + undefined + "28030012");
    EXPECT_EQ(saved[t6Line(7, 1)], undefined + undefined);
    EXPECT_EQ(saved[t6Line(9, 1)], core::padRight("02060001", 40));  // a new company's code read as text
    EXPECT_EQ(saved[t6Line(12, 0)], "\"fuori, dalla tabella\"");
}

TEST_F(PostingAccountsTest, MarkersAreRefusedInTheThreeLastDescriptions) {
    const std::string before = test.drive.read(tabFile);
    form.open();
    form.setDescription(0, "saldo a favore di $N");  // allowed here
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
        EXPECT_EQ(shown.icon, core::Icon::Critical);
        form.setDescription(8 + i, "senza marcatori");
    }
    EXPECT_EQ(test.drive.read(tabFile), before);
    form.confirm();
    EXPECT_TRUE(form.closed());
}

}  // namespace
}  // namespace kalvora::tables
