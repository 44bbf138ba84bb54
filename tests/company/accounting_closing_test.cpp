#include "company/accounting_closing.h"

#include "company/accounting_fixture.h"
#include "company/registry.h"

#include <tuple>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::Lines;
using Rows = std::vector<std::array<std::string, 4>>;  // account, description, debit, credit

// Stale totals (the closing rebuilds them), balance fields of 777, the opening account last, and
// three entries: a sale, a purchase, and cents adding up to 5.5e-17, which rounds to nothing.
struct Closing : testing::Accounting {
    Closing() {
        std::vector<testing::Account> accounts;
        for (const auto& [code, name] : {std::pair{"01010001", "Cassa"}, {"03010001", "Arrotondamenti"},
                                         {"49010001", "Bilancio di chiusura"}, {"49020001", "Profitti e perdite"},
                                         {"50010001", "Fornitori"}, {"51010001", "Ricavi"}, {"60010001", "Costi"},
                                         {"49030001", "Bilancio di apertura"}})
            accounts.push_back({code, name, 9, 9, 777});
        writeCompany(accounts, {Lines{{0, "01010001", 1234.56}, {1, "51010001", 1234.56}},
                                Lines{{0, "60010001", 300}, {1, "50010001", 300}},
                                Lines{{0, "03010001", 0.1}, {0, "03010001", 0.2}, {1, "03010001", 0.3}}});
    }
};

// Opens the window and types the date and the counterpart's three parts.
void fill(AccountingClosingForm& form, const std::string& counterpart, const std::string& date = "31/12/2026") {
    form.open();
    form.setDate(date);
    form.setDocument("Doc 7");
    const auto parts = core::split(counterpart, ' ');
    for (int i = 0; i < 3; ++i) {
        form.setAccountPart(i, parts[static_cast<std::size_t>(i)]);
        form.leaveAccountPart(i);
    }
}

Rows shown(const AccountingClosingForm& form) {
    Rows rows;
    for (const PreviewRow& r : form.preview()) rows.push_back({r.account, r.accountDescription, r.debit, r.credit});
    return rows;
}

TEST(AccountingClosing, PreviewsTheClassThenWritesJournalCountAndTotals) {
    // Per case: the preview, then each account's debit, credit and balance field after the write:
    // the class's balances without its closing entries (zero ones too), the others kept, but for
    // a balance-sheet "Profitti e perdite", which takes the result.
    const std::tuple<ClosingMode, std::string, std::string, Rows, std::vector<std::array<double, 3>>> cases[] = {
        {ClosingMode::BalanceSheet, "49 01 0001", "Chiusura stato patrimoniale",
         {{"01.01.0001", "Cassa", "", "1.234,56"}, {"49.01.0001", "Bilancio di chiusura", "1.234,56", ""},
          {"50.01.0001", "Fornitori", "300,00", ""}, {"49.01.0001", "Bilancio di chiusura", "", "300,00"}},
         {{1234.56, 1234.56, 1234.56}, {0.3, 0.3, 0}, {1234.56, 300, 0}, {0, 0, 0}, {300, 300, -300},
          {0, 1234.56, 777}, {300, 0, 777}}},
        {ClosingMode::ProfitAndLoss, "49 02 0001", "Chiusura conto economico",
         {{"51.01.0001", "Ricavi", "1.234,56", ""}, {"49.02.0001", "Profitti e perdite", "", "1.234,56"},
          {"60.01.0001", "Costi", "", "300,00"}, {"49.02.0001", "Profitti e perdite", "300,00", ""}},
         {{1234.56, 0, 777}, {0.3, 0.3, 777}, {0, 0, 777}, {300, 1234.56, -934.56}, {0, 300, 777},
          {1234.56, 1234.56, -1234.56}, {300, 300, 300}}},
    };
    for (const auto& [mode, counterpart, description, rows, totals] : cases) {
        SCOPED_TRACE(description);
        Closing t;
        AccountingClosingForm form(t.session, mode);
        fill(form, counterpart);
        form.setDescription(1, "Esercizio 2026 è chiuso");
        EXPECT_EQ(form.description(0) + "|" + form.accountDescription(), description + "|" + rows[1][1]);
        const std::string before = t.archives();
        form.confirm();
        EXPECT_EQ(shown(form), rows);
        EXPECT_EQ(form.preview().back().date + "|" + form.preview().back().movement, "31/12/2026|" + description);
        t.platform.answers = {false, true, true};
        form.confirm();  // "No" after the preview: nothing written, the window stays
        EXPECT_TRUE(t.archives() == before && !form.closed());
        // Meanwhile the accounting module renames an account and, in the second case, adds one: the
        // user is told, nothing is written and the entries are analysed again. The totals go into
        // the chart as it is at the last "Conferma".
        const bool added = mode == ClosingMode::ProfitAndLoss;
        const std::string nuovo = testing::bytesOf(testing::accountRecord("02010001", "Nuovo", 0xEE));
        t.drive.write(t.folder(0) + "kalvora.con", t.read("kalvora.con").replace(10, 5, "Banca") + (added ? nuovo : ""));
        t.writeCounts(added ? 9 : 8, 3);
        form.confirm();
        if (added) {
            const testing::Shown said = *t.platform.last();
            EXPECT_TRUE(said.text.starts_with("Il piano dei conti è stato modificato dopo l'analisi") && said.title ==
                        "Attenzione" && said.icon == core::Icon::Exclamation && t.read("kalvora.gio").size() == 3 * 645);
            form.confirm();
        }
        EXPECT_EQ(t.platform.questions().back().text + "|" + t.platform.questions().back().title,
                  "Confermi la chiusura dei conti|" + description);
        ASSERT_EQ(t.platform.messages().size(), added ? 2u : 1u);
        EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "Chiusura dei conti eseguita|" + form.title());
        EXPECT_TRUE(form.closed() && !t.platform.busy && t.moduleBytesKept() && t.entries() == 5);
        // The totals stored are the expected ones, and the ones the journal now holds.
        core::ChartOfAccounts chart = t.chart(), fromJournal = t.chart();
        EXPECT_EQ(chart.description(0) + "|" + chart.description(chart.size() - 1),
                  std::string("Banca|") + (added ? "Nuovo" : "Bilancio di apertura"));
        core::rebuildTotals(t.files, t.drive.installation(), 0, fromJournal, true);
        for (int a = 0; a < static_cast<int>(totals.size()); ++a) {
            const auto& [debit, credit, balance] = totals[static_cast<std::size_t>(a)];
            EXPECT_TRUE(std::abs(chart.debit(a) - debit) + std::abs(chart.credit(a) - credit) < 1e-9 &&
                        chart.storedBalance(a) == balance && std::abs(chart.debit(a) - chart.credit(a) -
                        fromJournal.debit(a) + fromJournal.credit(a)) < 1e-9) << a;
        }
        if (mode != ClosingMode::BalanceSheet) continue;
        // Its first entry, byte for byte, and checked by hand against the record layout.
        const std::string entry = t.read("kalvora.gio").substr(3 * 645, 645);
        EXPECT_TRUE(testing::matchesGolden("closing_entry.bin", entry));
        const core::RecordView view(reinterpret_cast<const std::uint8_t*>(entry.data()), entry.size());
        EXPECT_EQ(entry.substr(0, 72), "20261231" + core::padRight(description, 40) + "Esercizio 2026 \xE8 chiuso ");
        EXPECT_EQ(entry.substr(128, 22), std::string("\1\0", 2) + core::padRight("Doc 7", 20));
        EXPECT_EQ(entry.substr(150, 10), std::string("\1\0", 2) + "01010001");  // credit, the account
        EXPECT_EQ(entry.substr(168, 10), std::string("\0\0", 2) + "49010001");  // debit, the counterpart
        EXPECT_EQ(entry.substr(186, 10), std::string("\0\0", 2) + "        ");  // line 3 empty
        EXPECT_EQ((std::array{view.float64(160), view.float64(178), view.float64(196)}), (std::array{1234.56, 1234.56, 0.}));
        EXPECT_EQ(entry.substr(340, 1), "0");
    }
}

TEST(AccountingClosing, InvalidDateAndUnknownCounterpartStopBothClicks) {
    for (const auto& [mode, name] : {std::pair{ClosingMode::BalanceSheet, "BILANCIO DI CHIUSURA"},
                                     {ClosingMode::ProfitAndLoss, "PROFITTI E PERDITE"},
                                     {ClosingMode::Opening, "BILANCIO DI APERTURA"}}) {
        Closing t;
        AccountingClosingForm form(t.session, mode);
        fill(form, "9 9 9");
        form.confirm();
        ASSERT_EQ(t.platform.shown.size(), 2u);  // on leaving the field, and on "Conferma"
        for (const testing::Shown& s : t.platform.shown)
            EXPECT_EQ(s.text + "|" + s.title,
                      std::string("Il conto ") + name + " non è stato indicato correttamente|Attenzione");
    }
    Closing t;
    AccountingClosingForm form(t.session, ClosingMode::BalanceSheet);
    fill(form, "1 1 1", "31/02/2026");
    EXPECT_EQ(form.accountDescription(), "Cassa");
    t.platform.defaultAnswer = true;
    const std::string before = t.archives();
    // The third date previews; the fourth stops the second click before its question.
    for (const auto& [date, previewed] :
         {std::pair{"31/02/2026", false}, {"1/1/2026", false}, {"31/12/2026", true}, {"32/12/2026", true}}) {
        form.setDate(date);
        form.confirm();
        EXPECT_EQ(form.previewed(), previewed) << date;
    }
    ASSERT_EQ(t.platform.shown.size(), 3u);  // no question
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "La data del movimento non è valida|Attenzione");
    EXPECT_TRUE(t.platform.last()->icon == core::Icon::Critical && t.archives() == before);
}

// Last year's company 000, opened against `counterpart` on `date` and moved as in Closing; the
// steps (P and B the two closings, L an entry posted late, S a balance field spoilt) leave the
// year-end balances for the opening of company 001, whatever their order.
TEST(AccountingClosing, LeavesTheYearEndBalancesForTheOpening) {
    const std::tuple<std::string, std::string, core::Date, std::string> cases[] = {
        {"49 03 0001", "Apertura", {2026, 1, 1}, "LPB"}, {"49 03 0001", "Apertura", {2026, 1, 1}, "LBP"},
        {"49 03 0001", "Apertura", {2026, 1, 1}, "PBLPB"}, {"49 03 0001", "Apertura", {2026, 1, 1}, "BPLBP"},
        {"49 03 0001", "Apertura", {2026, 1, 1}, "LPBSB"},  // S: only a balance to store
        // One account as both counterparts: opening entries told by their date, or by their text.
        {"49 01 0001", "Riporto saldi", {2026, 1, 1}, "PBLBP"}, {"49 01 0001", "Apertura conti", {2026, 12, 28}, "LBP"},
    };
    for (const auto& [counterpart, text, date, steps] : cases) {
        SCOPED_TRACE(counterpart + " " + steps);
        Closing t;
        t.drive.write(t.folder(1) + "kalvora.con", t.read("kalvora.con"));
        t.writeCounts(8, 0, 1);
        const std::string opening = counterpart.substr(0, 2) + counterpart.substr(3, 2) + counterpart.substr(6);
        t.post(t.entry({{0, "01010001", 100}, {1, opening, 100}}, date, text, 1));
        t.post(t.entry({{1, "49020001", 40}, {0, opening, 40}}, date, text, 1));
        t.platform.defaultAnswer = true;
        for (const char step : steps) {
            if (step == 'L') t.post(t.entry({{0, "01010001", 10}, {1, "51010001", 10}}, {2026, 12, 20}));
            if (step == 'S') {
                core::ChartOfAccounts chart = t.chart();
                chart.setBalance(1, 777);  // Arrotondamenti, which balances to zero
                chart.save(t.files);
            }
            if (step != 'P' && step != 'B') continue;
            AccountingClosingForm form(t.session, step == 'B' ? ClosingMode::BalanceSheet : ClosingMode::ProfitAndLoss);
            fill(form, step == 'B' ? "49 01 0001" : "49 02 0001");
            form.confirm();
            if (form.previewed()) form.confirm();
        }
        t.session.company().code = 1;
        t.session.company().registry[0] = registryLine("Rossi 2026", "");
        AccountingClosingForm form(t.session, ClosingMode::Opening);
        fill(form, counterpart, "01/01/2027");
        form.chooseCompany(0);
        form.confirm();
        Rows accounts;  // the counterpart's rows left out
        for (std::size_t r = 0; r < form.preview().size(); r += 2) accounts.push_back(shown(form)[r]);
        EXPECT_EQ(accounts, (Rows{{"01.01.0001", "Cassa", "1.344,56", ""}, {"49.02.0001", "Profitti e perdite", "", "984,56"},
                                  {"50.01.0001", "Fornitori", "", "300,00"}}));
    }
}

// Any call of the write may fail, once or for good: success is said only with every file
// written, and what is left is a whole journal the user is told to check.
TEST(AccountingClosing, AFailedWriteIsNeverReportedAsDone) {
    const auto run = [](Closing& t, long k, bool crash) {  // fails call k of the second click
        AccountingClosingForm form(t.faultySession, ClosingMode::BalanceSheet);
        fill(form, "49 01 0001");
        form.confirm();
        t.platform.answers = {true};
        t.faulty.failAt(k, crash);
        form.confirm();
        return t.faulty.calls();
    };
    Closing clean;
    const std::string oldGio = clean.read("kalvora.gio"), oldCon = clean.read("kalvora.con");
    const long calls = run(clean, 0, false);
    const std::string doneGio = clean.read("kalvora.gio"), doneCon = clean.read("kalvora.con");
    for (long k = 1; k <= calls; ++k) {
        for (const bool crash : {false, true}) {
            SCOPED_TRACE("call " + std::to_string(k) + (crash ? " and after" : ""));
            Closing t;
            run(t, k, crash);
            const std::uint64_t count = t.entries();
            const std::string con = t.read("kalvora.con");
            ASSERT_TRUE(count == 3 || count == 5);
            EXPECT_EQ(t.read("kalvora.gio").substr(0, count * 645), (count == 3 ? oldGio : doneGio).substr(0, count * 645));
            EXPECT_TRUE(con == oldCon || con == doneCon);
            const testing::Shown said = *t.platform.last();
            const bool done = said.text == "Chiusura dei conti eseguita";
            EXPECT_EQ(done, count == 5 && con == doneCon && said.icon == core::Icon::Information);
            // Entries counted without their totals: the user hears how to realign them.
            EXPECT_TRUE(done || count == 3 || said.text.find("Eseguire il controllo contabile") != std::string::npos);
        }
    }
}

// The opening carries the stored balances of last year's company (001, or as chosen) into the
// current one, never the current one's into itself.
TEST(AccountingOpening, CarriesBalanceSheetBalancesOrSaysWhyNot) {
    const std::tuple<std::vector<testing::Account>, Rows, std::string, int> cases[] = {
        {{{"01010001", "Cassa", 0, 0, 1234.56}, {"02010001", "Banca", 0, 0, -200}, {"03010001", "Arrot.", 0, 0, 0.004},
          {"49030001", "Bilancio di apertura", 0, 0, 55}, {"51010001", "Ricavi", 0, 0, -999}},
         {{"01.01.0001", "Cassa", "1.234,56", ""}, {"49.03.0001", "Bilancio di apertura", "", "1.234,56"},
          {"02.01.0001", "Banca", "", "200,00"}, {"49.03.0001", "Bilancio di apertura", "200,00", ""}},
         "Apertura dei conti eseguita. Eseguire il controllo contabile per riallineare i saldi dei conti.", 1},
        {{{"01010001", "Cassa", 0, 0, 0}, {"03010001", "Arrot.", 0, 0, 0.004}, {"51010001", "Ricavi", 0, 0, 8}}, {},
         "Non ci sono registrazioni da eseguire: i saldi dei conti sono tutti a zero.", 1},
        {{{"01010001", "Cassa", 0, 0, 5}, {"07010001", "Mutui", 0, 0, 5}, {"08010001", "Ratei", 0, 0, -1}}, {},
         "I seguenti conti dell'azienda 001 non sono presenti nel piano dei conti dell'azienda in uso: 07.01.0001, "
         "08.01.0001. Inserirli nel piano dei conti prima di eseguire l'apertura.", 1},
        {{}, {}, "I saldi vanno presi dall'azienda dell'anno precedente: selezionare un'azienda diversa da quella in uso", 0},
    };
    for (const auto& [old, rows, said, chosen] : cases) {
        SCOPED_TRACE(said);
        testing::Accounting t;
        t.writeCompany({{"01010001", "Cassa", 10, 0, 5}, {"02010001", "Banca"}, {"49030001", "Bilancio di apertura"},
                        {"51010001", "Ricavi", 0, 10}}, {Lines{{0, "01010001", 10}, {1, "51010001", 10}}});
        t.writeCompany(old, {}, 1);
        for (const auto& [code, name] : {std::pair{0, "Rossi 2027"}, {1, "Rossi 2026"}, {5, "Verdi"}})
            t.session.company().registry[code] = registryLine(name, "");
        t.session.company().general.setPreviousYearCompany("001");
        AccountingClosingForm form(t.session, ClosingMode::Opening);
        fill(form, "49 3 1", "01/01/2027");
        EXPECT_EQ(form.companies(), (std::vector<std::string>{"000 Rossi 2027", "001 Rossi 2026", "005 Verdi"}));
        ASSERT_EQ(form.chosenCompany(), 1);
        form.chooseCompany(chosen);
        const std::string before = t.archives();
        t.platform.defaultAnswer = true;
        form.confirm();
        EXPECT_EQ(shown(form), rows);
        form.confirm();  // writes, or analyses again and again finds nothing to write
        EXPECT_EQ(t.platform.last()->text, said);
        EXPECT_EQ(t.archives() == before, rows.empty());  // nothing written when nothing is carried
        if (rows.empty()) continue;
        EXPECT_EQ(t.platform.questions().back().text + "|" + t.platform.questions().back().title + "|" +
                      t.platform.last()->title, "Confermi l'apertura dei conti|Apertura contabile|Apertura contabile");
        EXPECT_TRUE(t.entries() == 3 && t.moduleBytesKept());
        const core::ChartOfAccounts chart = t.chart();
        const double totals[][2] = {{1244.56, 0}, {0, 200}, {200, 1234.56}, {0, 10}};
        for (int i = 0; i < 4; ++i)
            EXPECT_LT(std::abs(chart.debit(i) - totals[i][0]) + std::abs(chart.credit(i) - totals[i][1]), 1e-9) << i;
    }
}

}  // namespace
}  // namespace kalvora::company
