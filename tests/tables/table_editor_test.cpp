#include "tables/table_editor.h"

#include "support/faulty_file_system.h"
#include "tables/banks.h"
#include "tables/carriers.h"
#include "tables/causals.h"
#include "tables/invoice_types.h"
#include "tables/payment_terms.h"
#include "tables/posting_accounts.h"
#include "tables/vat_codes.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

// A window editing T5, keeping one window-wide setting outside the tables.
constexpr TablePart sampleParts[] = {{&TablesFile::t5, 1, 60, 0, 1}};
class SampleEditor : public TableEditorForm {
public:
    explicit SampleEditor(core::Session& session) : TableEditorForm(session, sampleParts) {}
    using TableEditorForm::tables;
    std::string name() const override { return "sample"; }
    std::string title() const override { return "Sample"; }
    void open() { load(); }
    void edit(int entry, std::string text) { tables().t5.at(entry, 0) = std::move(text); }
    std::string setting = "S";

protected:
    void encodeForSave(TablesFile& t) const override { t.t5.at(1, 1) = "rule" + setting; }
};

using TableEditorTest = TablesTest;

// Conferma reads the file again and writes the window's cells into it as it is on disk now; a
// save that fails leaves the file and the window as they were.
TEST_F(TableEditorTest, ConfirmWritesIntoTheFileAsOnDiskNowOrKeepsTheWindowOnFailure) {
    writeTab({{t5Line(2, 0), "old"}, {t8Line(1, 0), "Banca"}});
    SampleEditor form(test.session);
    form.open();
    form.edit(2, "Rimessa\r\ndiretta\tsubito");
    // Meanwhile another window or a module changes other lines.
    std::vector<std::string> now = tabLines({{t5Line(2, 0), "old"}, {t8Line(1, 0), "Banca, nuova "}});
    now.push_back("after the last group");
    write(tabFile, now);
    const std::string before = test.drive.read(tabFile);
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), true), 0);
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    const testing::Shown m = test.platform.messages()[0];
    EXPECT_EQ(m.title + ": " + m.text, "Attenzione: Non è stato possibile salvare la tabella: errore " + std::to_string(EACCES));
    EXPECT_EQ(m.icon, core::Icon::Critical);
    EXPECT_EQ(test.drive.read(tabFile), before);
    EXPECT_EQ(form.tables().t5.at(1, 1), "");  // the setting went into the saved copy only

    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), false), 0);
    form.setting = "T";
    std::vector<std::string> expected = now;
    expected.pop_back();
    expected[t5Line(1, 1)] = "ruleT";
    expected[t5Line(2, 0)] = "Rimessa  diretta subito";
    EXPECT_EQ(confirmed(form), expected);
    EXPECT_EQ(test.platform.messages().size(), 1u);
}

TEST_F(TableEditorTest, WindowsOpenAtOnceKeepEachOthersSaves) {
    writeFullTab();
    CarriersForm carriers(test.session);
    CausalsForm causals(test.session);
    carriers.open();
    causals.open();
    carriers.edit(0, CarrierField::Name, "Corriere");  // carriers and causals share the lines of T9
    causals.edit(CausalList::Causals, 0, "Carico");
    confirmed(carriers);
    const std::vector<std::string> saved = confirmed(causals);
    EXPECT_EQ(saved[t9Line(1, 2)] + "|" + saved[t9Line(1, 0)], "Corriere|Carico");
}

// The causals window writes kalvora.tab and then kalvora.tb2: a failure at any call of the save
// leaves both files as they were, byte for byte; a missing kalvora.tb2 stays missing.
TEST_F(TableEditorTest, AFailureAnywhereInATwoFileSaveLeavesBothFilesAsTheyWere) {
    testing::FaultyFileSystem faulty(core::realFileSystem());
    core::Files files(faulty);
    core::Session session(test.drive.installation(), test.platform, test.clock, files);
    const std::string tab = goldenBytes("tables/kalvora_full_saved.tab");
    for (const char* tb2 : {"uno\r\ndue\r\n", ""}) {
        long calls = 0;
        const auto confirmFailingAt = [&](long call) {
            test.drive.write(tabFile, tab);
            if (*tb2) test.drive.write(tb2File, tb2);
            else test.files.remove(test.drive.path(tb2File));
            CausalsForm form(session);
            form.open();
            form.edit(CausalList::Causals, 0, "Carico");
            form.edit(CausalList::Categories, 0, "Prima");
            faulty.failAt(call);
            form.confirm();
            calls = faulty.calls();
            faulty.reset();
            return form.closed();
        };
        ASSERT_TRUE(confirmFailingAt(0));
        const std::string savedTab = test.drive.read(tabFile), savedTb2 = test.drive.read(tb2File);
        ASSERT_NE(savedTab, tab);
        int failures = 0;
        for (long call = 1, total = calls; call <= total; ++call) {
            test.platform.shown.clear();
            if (confirmFailingAt(call)) {
                EXPECT_EQ(test.drive.read(tabFile), savedTab) << "call " << call;
                EXPECT_EQ(test.drive.read(tb2File), savedTb2) << "call " << call;
                continue;
            }
            ++failures;
            EXPECT_EQ(test.drive.read(tabFile), tab) << "call " << call;
            EXPECT_EQ(test.drive.read(tb2File), tb2) << "call " << call;
            EXPECT_EQ(test.drive.exists(tb2File), *tb2 != '\0') << "call " << call;
            ASSERT_EQ(test.platform.messages().size(), 1u) << "call " << call;
            EXPECT_TRUE(test.platform.messages()[0].text.starts_with(TableEditorForm::saveFailedText));
        }
        EXPECT_GT(failures, 5) << tb2;
    }
}

// Each window on a full file, one edit each: the whole file it saves, byte for byte.
TEST_F(TableEditorTest, EachWindowSavesItsGoldenFile) {
    test.drive.write(ilmFile, "2\r\n4\r\n");  // only the VAT codes window writes it
    const auto saves = [this](const std::string& name, auto&& form, auto edit) {
        writeFullTab();
        form.open();
        edit(form);
        confirmed(form);
        EXPECT_TRUE(testing::matchesGolden(name + "/kalvora.tab", test.drive.read(tabFile))) << name;
    };
    core::Session& s = test.session;
    saves("payment_terms", PaymentTermsForm(s), [](auto& f) { f.editMonths(1, 0, "3"), f.setMonthMove(f.december, true); });
    saves("vat_codes", VatCodesForm(s),
          [](auto& f) { f.editText(4, "Imponibile 22%"), f.editText(82, "7,3"), f.choosePurchaseType(3, 2); });
    saves("posting_accounts", PostingAccountsForm(s), [](auto& f) { f.setDescription(0, "Fattura n. $D"); });
    saves("invoice_types", InvoiceTypesForm(s), [](auto& f) { f.edit(3, InvoiceField::Sales, "Vendite"); });
    saves("banks", BanksForm(s), [](auto& f) { f.edit(3, BankField::Cin, "Q"); });
    saves("carriers", CarriersForm(s), [](auto& f) { f.edit(0, CarrierField::TaxCode, "RSSMRA80A01L219X"); });
    saves("causals", CausalsForm(s), [](auto& f) { f.edit(CausalList::Appearance, 0, "Sfuso"); });
    EXPECT_TRUE(testing::matchesGolden("vat_codes/kalvora.ilm", test.drive.read(ilmFile)));
}

}  // namespace
}  // namespace kalvora::tables
