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
    void edit(int entry, std::string text) {
        if (!loading()) tables().t5.at(entry, 0) = std::move(text);
    }
    std::string setting = "S";

protected:
    void encodeForSave(TablesFile& t) const override { t.t5.at(1, 1) = "rule" + setting; }
};

using TableEditorTest = TablesTest;

TEST_F(TableEditorTest, ConfirmWritesTheWindowsCellsIntoTheFileAsItIsOnDiskNow) {
    writeTab({{t5Line(2, 0), "old"}, {t8Line(1, 0), "Banca"}});
    SampleEditor form(test.session);
    form.open();
    form.edit(2, "Rimessa\r\ndiretta\tsubito");
    // Meanwhile another window or a module changes other lines, in forms of its own.
    std::vector<std::string> now = tabLines({{t5Line(2, 0), "old"}, {t8Line(1, 0), "Banca, nuova "},
                                             {t6Line(1, 0), "  0202"}, {t6Line(10, 0), "\"51,01\""}});
    now.push_back("after the last group");
    write(tabFile, now);
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_TRUE(test.platform.shown.empty());
    std::vector<std::string> expected = now;
    expected.pop_back();
    expected[t5Line(1, 1)] = "ruleS";
    expected[t5Line(2, 0)] = "Rimessa  diretta subito";
    expected[t6Line(1, 0)] = "0202";  // read as an item, it is the same value
    EXPECT_EQ(read(), expected);
}

TEST_F(TableEditorTest, ExitWritesNothingAndAFailedSaveKeepsTheWindowAsItWas) {
    writeTab({});
    const std::string before = test.drive.read(tabFile);
    SampleEditor form(test.session);
    form.open();
    form.edit(1, "new");
    form.exitWindow();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(test.drive.read(tabFile), before);

    form.open();
    form.edit(1, "new");
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), true), 0);
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    const testing::Shown m = test.platform.messages()[0];
    EXPECT_EQ(m.text, "Non è stato possibile salvare la tabella: errore " + std::to_string(EACCES));
    EXPECT_EQ(m.title, "Attenzione");
    EXPECT_EQ(m.icon, core::Icon::Critical);
    EXPECT_EQ(test.drive.read(tabFile), before);
    EXPECT_EQ(form.tables().t5.at(1, 1), "");  // the setting went into the saved copy only
    EXPECT_EQ(form.tables().t5.at(1, 0), "new");

    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tabFile), false), 0);
    form.setting = "T";
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(read()[t5Line(1, 1)], "ruleT");
}

TEST_F(TableEditorTest, WindowsOpenAtOnceKeepEachOthersSaves) {
    test.drive.write(tabFile, goldenBytes("tables/kalvora_full_saved.tab"));
    PaymentTermsForm terms(test.session);
    BanksForm banks(test.session);
    CarriersForm carriers(test.session);
    CausalsForm causals(test.session);
    terms.open();
    banks.open();
    carriers.open();
    causals.open();
    terms.editDescription(0, "Rimessa diretta");
    banks.edit(0, BankField::Description, "Banca nuova");
    carriers.edit(0, CarrierField::Name, "Corriere");  // carriers and causals share the lines of T9
    causals.edit(CausalList::Causals, 0, "Carico");
    for (TableEditorForm* form : std::initializer_list<TableEditorForm*>{&terms, &banks, &carriers, &causals}) {
        form->confirm();
        ASSERT_TRUE(form->closed()) << form->name();
    }
    const std::vector<std::string> saved = read();
    EXPECT_EQ(saved[t5Line(1, 0)], "Rimessa diretta");
    EXPECT_EQ(saved[t8Line(1, 0)], "Banca nuova");
    EXPECT_EQ(saved[t9Line(1, 2)], "Corriere");
    EXPECT_EQ(saved[t9Line(1, 0)], "Carico");
}

// The causals window writes kalvora.tab and then kalvora.tb2: a failure at any call of the save
// leaves both files as they were, byte for byte; a missing kalvora.tb2 stays missing.
TEST_F(TableEditorTest, AFailureAnywhereInATwoFileSaveLeavesBothFilesAsTheyWere) {
    testing::FaultyFileSystem faulty(core::realFileSystem());
    core::Files files(faulty);
    core::Session session(test.drive.installation(), test.platform, test.clock, files);
    const std::string tab = goldenBytes("tables/kalvora_full_saved.tab");
    for (const char* tb2 : {"uno\r\ndue\r\n", ""}) {
        const auto arrange = [&] {
            test.drive.write(tabFile, tab);
            if (*tb2) test.drive.write(tb2File, tb2);
            else test.files.remove(test.drive.path(tb2File));
        };
        long calls = 0;
        const auto confirmFailingAt = [&](long call) {
            arrange();
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
        const long total = calls;
        const std::string savedTab = test.drive.read(tabFile), savedTb2 = test.drive.read(tb2File);
        ASSERT_NE(savedTab, tab);
        int failures = 0;
        for (long call = 1; call <= total; ++call) {
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

// Each window on a full file: its golden result, and every line it does not own exactly as read.
struct WindowCase {
    const char* name;
    bool (*owns)(int line);
    void (*editAndConfirm)(core::Session&);
};

template <typename Form, typename Edit>
void edited(core::Session& session, Edit edit) {
    Form form(session);
    form.open();
    edit(form);
    form.confirm();
    ASSERT_TRUE(form.closed()) << form.name();
}

bool t5(int l) { return (l >= 92 && l < 152) || (l >= 728 && l < 788); }
bool vat(int l) { return l < 92 || (l >= 640 && l < 728); }
bool t6(int l) { return l >= 152 && l < 170; }
bool t7(int l) { return (l >= 170 && l < 250) || l >= 810; }
bool t8(int l) { return l >= 250 && l < 400; }
bool carriers(int l) { return l >= 400 && l < 640 && (l - 400) % 6 >= 2; }
bool causals(int l) { return l >= 400 && l < 640 && (l - 400) % 6 < 2; }

const WindowCase windowCases[] = {
    {"payment_terms", t5, [](core::Session& s) { edited<PaymentTermsForm>(s, [](PaymentTermsForm& f) {
         f.editMonths(1, 0, "3");
         f.setMonthMove(PaymentTermsForm::december, true);
     }); }},
    {"vat_codes", vat, [](core::Session& s) { edited<VatCodesForm>(s, [](VatCodesForm& f) {
         f.editText(4, "Imponibile 22%");
         f.editText(82, "7,3");
         f.choosePurchaseType(3, 2);
     }); }},
    {"posting_accounts", t6, [](core::Session& s) {
         edited<PostingAccountsForm>(s, [](PostingAccountsForm& f) { f.setDescription(0, "Fattura n. $D"); }); }},
    {"invoice_types", t7, [](core::Session& s) {
         edited<InvoiceTypesForm>(s, [](InvoiceTypesForm& f) { f.edit(3, InvoiceField::Sales, "Vendite"); }); }},
    {"banks", t8, [](core::Session& s) { edited<BanksForm>(s, [](BanksForm& f) { f.edit(3, BankField::Cin, "Q"); }); }},
    {"carriers", carriers, [](core::Session& s) {
         edited<CarriersForm>(s, [](CarriersForm& f) { f.edit(0, CarrierField::TaxCode, "RSSMRA80A01L219X"); }); }},
    {"causals", causals, [](core::Session& s) {
         edited<CausalsForm>(s, [](CausalsForm& f) { f.edit(CausalList::Appearance, 0, "Sfuso"); }); }},
};

TEST_F(TableEditorTest, EachWindowWritesItsOwnLinesOnly) {
    test.drive.write(tabFile, goldenBytes("tables/kalvora_full_saved.tab"));
    const std::vector<std::string> original = read();
    ASSERT_EQ(original.size(), 930u);
    for (const WindowCase& c : windowCases) {
        test.drive.write(tabFile, goldenBytes("tables/kalvora_full_saved.tab"));
        test.drive.write(ilmFile, "2\r\n4\r\n");
        c.editAndConfirm(test.session);
        EXPECT_TRUE(testing::matchesGolden(std::string(c.name) + "/kalvora.tab", test.drive.read(tabFile))) << c.name;
        const std::vector<std::string> saved = read();
        ASSERT_EQ(saved.size(), 930u) << c.name;
        int changed = 0;
        for (int l = 0; l < 930; ++l) {
            if (c.owns(l)) changed += saved[l] != original[l];
            else EXPECT_EQ(saved[l], original[l]) << c.name << " line " << l + 1;
        }
        EXPECT_GT(changed, 0) << c.name;
        if (std::string_view(c.name) == "vat_codes") {
            EXPECT_TRUE(testing::matchesGolden("vat_codes/kalvora.ilm", test.drive.read(ilmFile)));
        }
    }
}

}  // namespace
}  // namespace kalvora::tables
