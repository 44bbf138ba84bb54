#include "company/balance_check.h"

#include "company/accounting_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::Lines;

// Stale totals, an amount rounded up at the third decimal, lines naming an unknown account.
struct Check : testing::Accounting {
    Check() {
        writeCompany({{"01010001", "Cassa", 5, 5}, {"51010001", "Ricavi", 5, 5}, {"60010001", "Costi", 5, 5}},
                     {Lines{{0, "01010001", 1.00495}, {1, "51010001", 1.00495}},
                      Lines{{0, "77010001", 3}, {1, "60010001", 3}}, Lines{{0, "77010001", 2}, {1, "51010001", 2}}});
    }
};

// While the journal is read the accounting module renames an account, and in the last run adds
// one: the totals go into the chart as it is at the end, or, an account added, nowhere.
TEST(BalanceCheck, RebuildsTheTotalsListsUnknownCodesAndASecondRunChangesNothing) {
    Check t;
    BalanceCheckForm form(t.session);
    std::string added;
    form.onProgress([&] {
        if (form.progressLines().size() != 2) return;
        if (t.chart().description(0) == "Cassa")
            t.drive.write(t.folder(0) + "kalvora.con", t.read("kalvora.con").replace(10, 5, "Banca"));
        if (added.empty() || t.chart().size() > 3) return;
        t.drive.write(t.folder(0) + "kalvora.con", t.read("kalvora.con") + added);
        t.writeCounts(4, 3);
    });
    form.open();
    const std::string tot = t.read("kalvora.tot");
    form.confirm();
    std::vector<std::array<std::string, 4>> rows;
    for (int i = 0; i < form.rowCount(); ++i) {
        const BalanceCheckForm::Row r = form.row(i);
        rows.push_back({r.account, r.description, r.debit, r.credit});
    }
    EXPECT_EQ(rows, (decltype(rows){{"01.01.0001", "Banca", "1,01", ""}, {"51.01.0001", "Ricavi", "", "3,01"},
                                    {"60.01.0001", "Costi", "", "3,00"},
                                    {"77.01.0001", "Conto non presente nel piano dei conti (2 righe)", "", ""}}));
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "Verifica eseguita|Controllo contabile");
    EXPECT_EQ(t.platform.last()->icon, core::Icon::Information);
    EXPECT_EQ(form.progressLines(), (std::vector<std::string>{"Azzero progressivi contabili", "Eseguo la verifica"}));
    EXPECT_TRUE(t.platform.eventsProcessed > 0 && !t.platform.busy && !form.working());
    EXPECT_TRUE(t.moduleBytesKept() && t.read("kalvora.tot") == tot);
    EXPECT_EQ(t.chart().description(0) + "|" + std::to_string(t.chart().debit(0)), "Banca|1.010000");
    const std::string con = t.read("kalvora.con");
    form.confirm();
    EXPECT_EQ(t.read("kalvora.con"), con);

    t.writeCounts(3, 5);  // a journal shorter than its count is rebuilt only when the user says so
    form.confirm();
    EXPECT_EQ(t.platform.last()->text, "Il giornale contabile contiene 3 registrazioni, ma il contatore ne indica 5. "
                                       "Ricalcolare i progressivi sulle registrazioni presenti?");
    EXPECT_EQ(t.read("kalvora.con"), con);  // answered No

    t.writeCounts(3, 3);
    added = testing::bytesOf(testing::accountRecord("02010001", "Nuovo", 0xEE));
    form.confirm();
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title,
              "Il piano dei conti è stato modificato durante la verifica: i progressivi dei conti non sono stati "
              "modificati. Ripetere il controllo contabile.|Attenzione");
    EXPECT_EQ(t.read("kalvora.con"), con + added);
}

// Any call may fail: the check is said done only with the new totals stored, and the chart is
// never left half written.
TEST(BalanceCheck, AFailureIsSaidAndLeavesAWholeChart) {
    const auto run = [](Check& t, long k) {
        t.faulty.failAt(k);
        BalanceCheckForm(t.faultySession).confirm();
        return t.faulty.calls();
    };
    Check clean;
    const std::string old = clean.read("kalvora.con");
    const long calls = run(clean, 0);
    const std::string done = clean.read("kalvora.con");
    for (long k = 1; k <= calls; ++k) {
        Check t;
        run(t, k);
        const std::string con = t.read("kalvora.con");
        ASSERT_FALSE(t.platform.shown.empty()) << "call " << k;  // done, or told why not
        const bool said = t.platform.last()->text == "Verifica eseguita";
        EXPECT_TRUE(said ? con == done : con == old || con == done) << "call " << k;
    }
}

}  // namespace
}  // namespace kalvora::company
