#include "company/current_company.h"
#include "company/reset_journal.h"
#include "company/year_end_reset.h"
#include "company/year_end_reset_form.h"
#include "core/accounting_archives.h"
#include "reset_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::ResetCompany;
using testing::resetRecord;
namespace L = core;

// A company with something for every part of the reset.
struct Scenario : ResetCompany {
    Scenario() {
        archive(L::documents::issued, {resetRecord(2301, '1', {{L::documents::number, "5"}, {L::documents::date, "20231201"}}),
                                       resetRecord(2301, '2', {{L::documents::number, "6"}, {L::documents::date, "20240201"}})});
        archive(L::orders::customer, {resetRecord(284, '1', {{L::orders::fulfilled, "1"}}), resetRecord(284, '2')});
        archive(L::movements::archive, {resetRecord(501, '1', {{L::movements::date, "20230101"}})});
        archive(L::articles::archive, {resetRecord(2640, '1', {{L::articles::code, "A1"}})});
        archive(L::con::archive, {resetRecord(150, '1', {{L::con::code, "01010001"}})});
        archive(L::gio::archive, {core::journalEntry({2023, 1, 2}, {"", "", ""}, "", {{0, "01010001", 10}}),
                                  core::journalEntry({2024, 1, 2}, {"", "", ""}, "", {{1, "01010001", 4}})});
        for (const char* name : {"kal2025.cor", "kal2025.crr", "f5.txt", "par1.a2025", "kalvora.cli"}) put(name, name);
    }
    static ResetPlan plan() {
        ResetPlan p;
        p.invoicesBefore = p.movementsBefore = p.entriesBefore = core::Date{2024, 1, 1};
        p.deleteTakingsYear = 2025;
        p.createTakingsYear = 2026;
        p.openingMovements = p.customerOrders = p.safetyCopy = true;
        p.invoiceReprints = ReprintChoice{2025, false};
        return p;
    }
};

// Each archive holds exactly the records its count says.
void expectCountsAgree(const std::map<std::string, std::string>& files, const std::string& at) {
    const std::string& tot = files.at("kalvora.tot");
    for (const L::Archive* a : {&L::documents::issued, &L::orders::customer, &L::movements::archive,
                                &L::articles::archive, &L::con::archive, &L::gio::archive})
        EXPECT_EQ(static_cast<double>(files.at(std::string(a->file)).size() / a->recordLength),
                  testing::countIn(tot, a->countRecord)) << a->file << at;
}

TEST(ResetJournal, AFaultAtAnyCallLeavesEitherTheOldArchivesOrTheNewOnes) {
    Scenario reference;
    const auto before = reference.snapshot();
    testing::InMemory done(reference);
    ASSERT_TRUE(runReset(done.session, Scenario::plan()).done);
    const auto after = done.snapshot();
    ASSERT_FALSE(before == after);
    ASSERT_TRUE(testing::InMemory(reference).snapshot() == before);
    for (const bool crash : {false, true}) {
        for (long k = 1;; ++k) {
            testing::InMemory t(reference);
            t.faulty.failAt(k, crash);
            const ResetResult result = runReset(t.faultySession, Scenario::plan());
            const bool hit = t.faulty.failed();
            completeInterruptedReset(t.session, 0);  // the next opening, on a sound disk
            const auto now = t.snapshot();
            const std::string at = (crash ? " crash after call " : " failure of call ") + std::to_string(k);
            // A single failure either stops before the swaps, with nothing changed, or is got over.
            EXPECT_TRUE(result.done ? now == after : now == before || (crash && now == after)) << at;
            EXPECT_EQ(result.done, result.failure.empty()) << at;
            expectCountsAgree(now, at);
            if (!hit) {
                EXPECT_TRUE(result.done) << result.failure;
                EXPECT_GT(k, 300);  // every call of a whole reset was broken once
                break;
            }
        }
    }
}

TEST(ResetJournal, ASafetyCopyThatFailsStopsBeforeAnyArchiveIsTouched) {
    Scenario reference;
    testing::InMemory t(reference);
    const auto before = t.snapshot();
    t.faulty.failEverySync = true;
    t.platform.defaultAnswer = true;
    YearEndResetForm form(t.faultySession);
    form.open();
    form.tick(YearEndResetForm::Invoices, true);
    form.confirm();
    EXPECT_EQ(t.platform.last()->text, "Non è stato possibile creare la copia di sicurezza del file kal2025.cor in "
                                       "kalo2025.cor (errore 5): l'azzeramento non è stato eseguito e gli archivi "
                                       "sono rimasti com'erano.");
    EXPECT_TRUE(t.platform.last()->icon == core::Icon::Critical && t.snapshot() == before && !form.working());
}

TEST(ResetJournal, TheNextOpeningCompletesAJournalOrRemovesWhatWasStagedWithoutOne) {
    const std::string journal = "AZZERAMENTO ARCHIVI\nM\tkalvora.fte.azz\tKALVORA.FTE\nM\tkalvora.tot.azz\tkalvora.tot\n"
                                "D\tf5.txt\nFINE\n";
    // journal, what the user is told, kalvora.fte afterwards
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {journal, "Un azzeramento degli archivi era stato interrotto: è stato completato ora.", "nuovo"},
        {"", "Un azzeramento degli archivi era stato interrotto prima di modificare gli archivi, che sono rimasti "
             "com'erano. I files di lavoro che aveva lasciato sono stati rimossi.", "vecchio"},
        {journal.substr(0, journal.size() - 5), "Il file kalvora.azz di un azzeramento degli archivi interrotto non è "
         "leggibile: gli archivi non sono stati toccati. Verificare gli archivi dell'azienda o ripristinarli dalla copia "
         "di sicurezza.", "vecchio"}};
    for (const auto& [journalBytes, told, fte] : cases) {
        ResetCompany t;
        t.put("KALVORA.FTE", "vecchio");
        t.put("f5.txt", "x");
        t.put("kalvora.fte.azz", "nuovo");  // the tot was moved before the stop
        if (!journalBytes.empty()) t.put("kalvora.azz", journalBytes);
        makeCurrent(t.session, 0);
        EXPECT_EQ(t.platform.messages().at(0).text, told);
        EXPECT_EQ(t.read("KALVORA.FTE"), fte);
        EXPECT_EQ(t.has("f5.txt"), fte == "vecchio");
        EXPECT_EQ(t.has("kalvora.azz") || t.has("kalvora.fte.azz"), told.starts_with("Il file"));
    }
    for (const char* bad :
         {"AZZERAMENTO ARCHIVI\nD\t../kalvora.azi\nFINE\n", "AZZERAMENTO ARCHIVI\nM\tkalvora.cli\tx\nFINE\n"})
        EXPECT_FALSE(decodeJournal(bad)) << bad;
}

}  // namespace
}  // namespace kalvora::company
