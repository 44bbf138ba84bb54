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
constexpr core::Date cutoff{2024, 1, 1};

// Every archive compacted in one run: by date (the fifth record lies past the count, not in use
// whatever its date) and by state; a count of 0 leaves its archive as it is.
TEST(YearEndReset, RemovedRecordsGoAndTheOthersMoveDownUnchanged) {
    const std::pair<const L::Archive&, L::Field> byDate[] = {
        {L::documents::issued, L::documents::date}, {L::documents::receipts, L::documents::date},
        {L::documents::received, L::documents::date}, {L::movements::archive, L::movements::date},
        {L::ddt::archive, L::ddt::date}, {L::gio::archive, L::gio::date}};
    const std::vector<std::string> dates = {"20231231", "20240101", "20200101", "20241231", "20000101"};
    // fulfilled, accepted, completed, extinguished; the tags of the records kept
    const std::vector<std::string> flags = {"1000", "1100", "1010", "0001", "0111"};
    const std::pair<const L::Archive&, std::string> byState[] = {{L::orders::supplier, "de"}, {L::orders::quotes, "acde"},
                                                                 {L::orders::work, "abde"}, {L::orders::deposits, "abc"}};
    ResetCompany t;
    for (const auto& [archive, date] : byDate) {
        std::vector<core::Record> records;
        for (std::size_t i = 0; i < dates.size(); ++i)
            records.push_back(resetRecord(archive.recordLength, static_cast<char>('a' + i), {{date, dates[i]}}));
        t.archive(archive, records, 4);
    }
    std::vector<core::Record> orders;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const std::string& f = flags[i];
        orders.push_back(resetRecord(284, static_cast<char>('a' + i),
                                     {{L::orders::fulfilled, f.substr(0, 1)}, {L::orders::accepted, f.substr(1, 1)},
                                      {L::orders::completed, f.substr(2, 1)}, {L::orders::extinguished, f.substr(3, 1)}}));
    }
    for (const auto& [archive, kept] : byState) t.archive(archive, orders);
    t.archive(L::orders::customer, {resetRecord(284, 'x', {{L::orders::fulfilled, "1"}})}, 0);
    const auto before = t.snapshot();
    ResetPlan plan;
    plan.invoicesBefore = plan.receiptsBefore = plan.receivedBefore = plan.movementsBefore = plan.ddtBefore =
        plan.entriesBefore = cutoff;
    plan.customerOrders = plan.supplierOrders = plan.quotes = plan.work = plan.deposits = true;
    const ResetResult result = runReset(t.session, plan);
    ASSERT_TRUE(result.done) << result.failure;
    const auto tags = [&](const L::Archive& a) {
        std::string out;
        for (const auto& r : t.records(a)) out += r.back();
        EXPECT_EQ(t.count(a.countRecord), static_cast<double>(out.size())) << a.file;
        return out;
    };
    for (const auto& [archive, date] : byDate) {
        EXPECT_EQ(tags(archive), "bd") << archive.file;
        const std::string old = before.at(std::string(archive.file));
        EXPECT_TRUE(t.read(std::string(archive.file)) == old.substr(archive.recordLength, archive.recordLength) +
                                                             old.substr(3 * archive.recordLength, archive.recordLength));
    }
    for (const auto& [archive, kept] : byState) EXPECT_EQ(tags(archive), kept) << archive.file;
    EXPECT_EQ(t.read("kalvora.orc"), before.at("kalvora.orc"));  // a count of 0: not even rewritten
    EXPECT_EQ(t.read("kalvora.tot").substr(6 * 140 + 8, 132), std::string(132, '\x07'));  // beside the count
    EXPECT_FALSE(t.has("kalvora.azz") || t.has("kalvora.fte.azz") || t.has("kalvora.orc.azz"));
}

TEST(YearEndReset, AccountTotalsAreRebuiltFromTheEntriesKept) {
    ResetCompany t;
    std::vector<core::Record> chart;
    for (const char* code : {"01010001", "02020002", "03030003"}) {
        chart.push_back(resetRecord(150, code[1], {{L::con::code, code}}));
        chart.back().setFloat64(L::con::debit.offset, 999);
        chart.back().setFloat64(L::con::credit.offset, 999);
    }
    t.archive(L::con::archive, chart, 2);  // the third account lies past the count
    const auto entry = [](core::Date date, std::vector<core::JournalLine> lines) {
        return core::journalEntry(date, {"", "", ""}, "", lines);
    };
    t.archive(L::gio::archive, {entry({2023, 6, 1}, {{0, "01010001", 100}, {1, "02020002", 100}}),
                                entry({2024, 2, 1}, {{0, "2020002", 30.004}, {1, "01010001", 30}}),
                                entry({2024, 3, 1}, {{0, "01010001", 5}, {1, "09999999", 5}})});
    ResetPlan plan;
    plan.entriesBefore = cutoff;
    const ResetResult result = runReset(t.session, plan);
    ASSERT_TRUE(result.done) << result.failure;
    EXPECT_EQ(result.notes, std::vector<std::string>{"Righe delle scritture contabili rimaste che indicano conti "
                                                     "assenti dal piano dei conti: 1 (non sommate ai progressivi)."});
    const auto con = t.records(L::con::archive);
    ASSERT_EQ(con.size(), 3u);
    const double totals[][2] = {{5, 30}, {30, 0}, {999, 999}};
    for (std::size_t i = 0; i < 3; ++i) {
        const core::Record account(con[i]);
        EXPECT_TRUE(account.float64(L::con::debit.offset) == totals[i][0] &&
                    account.float64(L::con::credit.offset) == totals[i][1]) << i;
        const std::string before = testing::bytesOf(chart[i]);
        EXPECT_EQ(con[i].substr(0, 58) + con[i].substr(74), before.substr(0, 58) + before.substr(74)) << i;
    }
    EXPECT_TRUE(t.count(L::gio::archive.countRecord) == 2 && t.count(L::con::archive.countRecord) == 2);
}

TEST(YearEndReset, OpeningMovementsCarryTheStockAfterTheMovementsKept) {
    const core::Record m1 = resetRecord(501, '1', {{L::movements::date, "20231130"}});
    const core::Record m2 = resetRecord(501, '2', {{L::movements::date, "20240105"}});
    std::vector<core::Record> articles = {resetRecord(2640, 'a', {{L::articles::code, "ART1"}}),
                                          resetRecord(2640, 'b', {{L::articles::code, ""}}),
                                          resetRecord(2640, 'c', {{L::articles::code, "Città"}})};
    articles[0].setFloat64(L::articles::stock.offset, 5);
    articles[0].setFloat64(L::articles::cost.offset, 2.5);
    articles[2].setFloat64(L::articles::stock.offset, -1);
    articles[2].setFloat64(L::articles::cost.offset, 0);
    // with the movements' cutoff, and without it (01/01 of the current year, 2026)
    for (const bool byDate : {true, false}) {
        ResetCompany t;
        t.archive(L::movements::archive, {m1, m2});
        t.archive(L::articles::archive, articles);
        const std::string articleBytes = t.read("kalvora.art");
        ResetPlan plan;
        if (byDate) plan.movementsBefore = cutoff;
        plan.openingMovements = true;
        ASSERT_TRUE(runReset(t.session, plan).done);
        const auto mag = t.records(L::movements::archive);
        const std::size_t kept = byDate ? 1 : 2;
        ASSERT_EQ(mag.size(), kept + 2);
        EXPECT_TRUE(mag[kept - 1] == testing::bytesOf(m2));
        EXPECT_EQ(t.count(L::movements::archive.countRecord), static_cast<double>(kept + 2));
        for (std::size_t i : {0u, 2u}) {
            const core::Record m(mag[kept + i / 2]);
            EXPECT_EQ(m.text(0, 8) + m.text(L::movements::origin.offset, 1), byDate ? "202401019" : "202601019");
            EXPECT_EQ(m.text(L::movements::article.offset, 20), articles[i].text(L::articles::code.offset, 20));
            EXPECT_EQ(m.text(L::movements::description.offset, 40), core::padRight("Riporto inizio anno", 40));
            EXPECT_TRUE(m.float64(L::movements::quantity.offset) == articles[i].float64(L::articles::stock.offset) &&
                        m.float64(L::movements::price.offset) == articles[i].float64(L::articles::cost.offset));
        }
        EXPECT_EQ(t.read("kalvora.art"), articleBytes);
    }
}

TEST(YearEndReset, TakingsOfAYearAreDeletedAndCreatedButNeverWrittenOver) {
    ResetCompany t;
    for (const char* name : {"kal2025.cor", "KAL2025.CRR", "kal2024.cor", "kal2027.cor"}) t.put(name, name);
    ResetPlan plan;
    plan.deleteTakingsYear = 2025;
    plan.createTakingsYear = 2026;
    ASSERT_TRUE(runReset(t.session, plan).done);
    plan.deleteTakingsYear.reset();
    plan.createTakingsYear = 2027;
    const ResetResult again = runReset(t.session, plan);
    ASSERT_TRUE(again.done);
    EXPECT_EQ(again.notes, std::vector<std::string>{"L'archivio corrispettivi kal2027.cor esiste già e non è stato "
                                                    "modificato, per non perdere i corrispettivi che contiene."});
    EXPECT_EQ(t.drive.list(testing::resetFolder),
              (std::vector<std::string>{"kal2024.cor", "kal2026.cor", "kal2026.crr", "kal2027.cor", "kal2027.crr"}));
    for (const char* name : {"kal2026.cor", "kal2026.crr", "kal2027.crr"})
        EXPECT_EQ(t.read(name), std::string(372 * 604, '\0')) << name;
    EXPECT_EQ(t.read("kal2027.cor"), "kal2027.cor");
}

TEST(YearEndReset, ReprintFilesOfTheYearAndOfTheRemovedDocumentsGo) {
    ResetCompany t;
    const auto invoice = [](char tag, const char* number, const char* kind, const char* date) {
        return resetRecord(2301, tag, {{L::documents::number, number}, {L::documents::kind, kind}, {L::documents::date, date}});
    };
    // Numbering restarted: a kept invoice 8 keeps the files of the removed invoice 8, not those of fee note 9.
    t.archive(L::documents::issued, {invoice('1', "7", "F", "20231010"), invoice('2', "  9", "P", "20231011"),
                                     invoice('3', "70", "F", "20240110"), invoice('4', "8", "F", "20231012"),
                                     invoice('5', "8", "F", "20240111"), invoice('6', "9", "F", "20240112")});
    t.archive(L::ddt::archive, {resetRecord(97, '1', {{L::ddt::number, "3"}, {L::ddt::date, "20231010"}})});
    const std::vector<std::string> gone = {"F7",     "FTR0001.A2025", "f7.pdf",     "f7.txt",       "fp3.a2025",
                                           "p9.dat", "par12.a2025",   "ric1.a2025", "fp3.a2025.pdf"};
    const std::vector<std::string> stay = {"b3.x",       "bll1.a2025",  "f7.a.b",      "f70.txt",     "f77.txt",
                                           "f8.pdf",     "kalvora.bol", "kalvora.fte", "kalvora.tot", "par1.a2024",
                                           "ric1.a2025.pdf"};
    for (const auto& name : gone) t.put(name, "x");
    for (const auto& name : stay)
        if (!name.starts_with("kalvora")) t.put(name, "x");
    ResetPlan plan;
    plan.invoicesBefore = plan.ddtBefore = cutoff;
    plan.invoiceReprints = ReprintChoice{2025, true};
    plan.receiptReprints = ReprintChoice{2025, false};  // no PDF copies
    ASSERT_TRUE(runReset(t.session, plan).done);
    EXPECT_EQ(t.drive.list(testing::resetFolder), stay);
}

TEST(YearEndResetForm, OptionsAreProposedForTheNewYear) {
    ResetCompany t;
    YearEndResetForm form(t.session);
    form.open();
    form.tick(YearEndResetForm::InvoicePdf, true);  // disabled while its reprint option is clear
    form.tick(YearEndResetForm::ProForma, true);    // always disabled
    form.tick(YearEndResetForm::ReceiptReprints, true);
    form.tick(YearEndResetForm::ReceiptPdf, true);
    std::vector<std::string> shown;
    for (const auto& o : form.options())
        shown.push_back(o.caption + "|" + o.value + (o.ticked ? "|x" : "") + (o.enabled ? "" : "|-"));
    const std::string pdf = "Elimina i files in formato PDF|";
    EXPECT_EQ(shown, (std::vector<std::string>{
        "Elimina le fatture emesse prima del:|01/01/2026", "Elimina le ricevute fiscali emesse prima del:|01/01/2026",
        "Elimina l'archivo dell'anno|2025", "Crea l'archivo per l'anno|2026",
        "Elimina le fatture ricevute registrate prima del:|01/01/2026",
        "Elimina i movimenti di magazzino registrati prima del:|01/01/2026", "Crea le scritture di apertura di magazzino|",
        "Elimina i DDT emessi prima del:|01/01/2026", "Elimina le scritture contabili registrate prima del:|01/01/2026",
        "Elimina gli ordini clienti evasi completamente|", "Elimina gli ordini fornitori evasi completamente|",
        "Elimina i preventivi accettati ed evasi|", "Elimina le lavorazioni completate ed evase|",
        "Elimina i depositi estinti|", "Elimina i files per la ristampa fatture dell'anno:|2025", pdf + "|-",
        "Elimina i files per la ristampa ricevute dell'anno:|2025|x", pdf + "|x",
        "Elimina i files per la ristampa dei DDT dell'anno:|2025", pdf + "|-",
        "Elimina le parcelle proforma emesse prima del:|01/01/2026|-",
        "Esegui una copia di sicurezza prima di iniziare la procedura di azzeramento||x"}));
}

// An invalid date or year stops before any file is touched; with nothing ticked (option -1) the
// safety copy, ticked on opening, is a run of its own: the copy and nothing else.
TEST(YearEndResetForm, AnInvalidDateStopsBeforeAnyFileIsTouchedAndTheSafetyCopyAloneIsMade) {
    using F = YearEndResetForm;
    const std::pair<int, std::string> cases[] = {{F::Invoices, ""},          {F::Invoices, "1/1/2024"},
                                                 {F::Entries, "31/02/2024"}, {F::Movements, "01/01/24"},
                                                 {F::Ddt, "01-01-2024"},     {F::CreateTakings, "26"},
                                                 {F::InvoiceReprints, "20a5"}, {-1, ""}};
    for (const auto& [option, value] : cases) {
        ResetCompany t;
        t.archive(L::documents::issued, {resetRecord(2301, '1', {{L::documents::date, "20200101"}})});
        const auto before = t.snapshot();
        t.platform.defaultAnswer = true;
        YearEndResetForm form(t.session);
        form.open();
        if (option >= 0) {
            form.tick(YearEndResetForm::Invoices, true);
            form.tick(option, true);
            form.setValue(option, value);
        }
        form.confirm();
        EXPECT_EQ(t.platform.last()->text, option < 0 ? std::string("Operazione effettuata")
                                           : "La data di azzeramento per uno degli archivi selezionati non è valida");
        EXPECT_EQ(t.platform.shown.size() == 1 && t.platform.last()->icon == core::Icon::Critical, option >= 0) << value;
        EXPECT_TRUE(t.snapshot() == before);
        EXPECT_EQ(t.drive.read(testing::resetFolder + "kalold.fte"), option < 0 ? before.at("kalvora.fte") : "");
    }
}

TEST(YearEndResetForm, TheDryRunIsShownBeforeTheQuestionsAndTheResetRunsOnYes) {
    for (const bool yes : {false, true}) {
        ResetCompany t;
        std::vector<core::Record> invoices;
        for (const char* date : {"20230101", "20240101", "20231231", "20250101"})
            invoices.push_back(resetRecord(2301, date[3], {{L::documents::date, date}}));
        t.archive(L::documents::issued, invoices, 5);  // a count past the records held
        t.archive(L::orders::customer, {resetRecord(284, 'x')}, 0);
        const auto before = t.snapshot();
        t.platform.answers = {true, yes};
        YearEndResetForm form(t.session);
        form.open();
        int heard = 0;
        form.onProgress([&] { heard += form.working() && !form.progressLabel().empty(); });
        for (const int o : {YearEndResetForm::Invoices, YearEndResetForm::DeleteTakings,
                            YearEndResetForm::CreateTakings, YearEndResetForm::CustomerOrders})
            form.tick(o, true);
        form.setValue(YearEndResetForm::Invoices, "01/01/2024");
        form.confirm();
        const auto& messages = t.platform.messages();
        ASSERT_GE(messages.size(), 2u);
        EXPECT_TRUE(messages[0].icon == core::Icon::Exclamation &&
                    messages[0].text.starts_with("Prima di procedere all'azzeramento"));
        EXPECT_EQ(messages[1].text,
                  "L'azzeramento eseguirà queste operazioni:\r"
                  "Fatture emesse (kalvora.fte): 2 record da eliminare su 4 (il contatore in kalvora.tot indica 5 "
                  "record, ma l'archivio ne contiene 4: verrà ridotto a 4)\r"
                  "Corrispettivi anno 2025: nessun file da cancellare\r"
                  "Corrispettivi anno 2026: kal2026.cor da creare; kal2026.crr da creare\r"
                  "Ordini clienti (kalvora.orc): nessun record in uso, l'archivio non verrà modificato\r"
                  "Copia di sicurezza: 3 files da copiare");
        EXPECT_EQ(messages[1].title + (messages[1].icon == core::Icon::Information ? "" : " ?"), "Azzeramento archivi");
        EXPECT_EQ(t.platform.questions().size(), 2u);
        EXPECT_TRUE(yes || (t.snapshot() == before && messages.size() == 2));
        if (!yes) continue;
        EXPECT_EQ(t.platform.last()->text + " " + t.platform.last()->title, "Operazione effettuata Azzeramento archivi");
        EXPECT_TRUE(t.read("kalvora.fte") == testing::bytesOf(invoices[1]) + testing::bytesOf(invoices[3]));
        EXPECT_EQ(t.count(L::documents::issued.countRecord), 2);
        EXPECT_EQ(t.read("kalold.fte"), before.at("kalvora.fte"));  // the safety copy, made first
        EXPECT_GT(heard, 0);
        EXPECT_EQ(form.progressLabel() + std::to_string(form.progressPercent()) + (t.platform.busy ? "busy" : ""), "0");
    }
}

}  // namespace
}  // namespace kalvora::company
