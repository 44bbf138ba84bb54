#include "tables/table_editor.h"

#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

// A window editing T5 column 0, keeping one window-wide setting outside the tables.
class SampleEditor : public TableEditorForm {
public:
    using TableEditorForm::TableEditorForm;
    using TableEditorForm::tables;
    std::string name() const override { return "sample"; }
    std::string title() const override { return "Sample"; }
    void open() { load(); }
    void edit(int entry, std::string text) {
        if (!loading()) tables().t5.at(entry, 0) = singleLine(std::move(text));
    }
    std::string setting = "S";
    int companionError = 0;
    int companionSaves = 0;

protected:
    void encodeForSave(TablesFile& t) const override { t.t5.at(1, 1) = "rule" + setting; }
    int saveCompanionFiles() override {
        ++companionSaves;
        return companionError;
    }
};

TEST(PageSelectorTest, ClampsAndMapsRowsToEntries) {
    PageSelector pages(60, 15);
    EXPECT_EQ(pages.first(), 1);
    EXPECT_EQ(pages.lastFirst(), 46);
    EXPECT_FALSE(pages.scrollTo(0));
    EXPECT_TRUE(pages.scrollTo(5));
    EXPECT_EQ(pages.entryOf(0), 5);
    EXPECT_EQ(pages.entryOf(14), 19);
    EXPECT_EQ(pages.entryOf(15), 0);
    EXPECT_EQ(pages.entryOf(-1), 0);
    EXPECT_TRUE(pages.scrollTo(1000));
    EXPECT_EQ(pages.first(), 46);
    EXPECT_EQ(pages.entryOf(14), 60);
    EXPECT_TRUE(pages.scrollTo(-3));
    EXPECT_EQ(pages.first(), 1);

    PageSelector vat(16, 8);
    EXPECT_EQ(vat.lastFirst(), 9);
}

class TableEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test.drive.makeInstallation(3);
        test.session.company().code = 3;
    }
    std::string tab() const { return test.drive.read("kalwin/kalwin/kalaz0.003/kalvora.tab"); }

    testing::TestSession test;
    SampleEditor form{test.session};
};

TEST_F(TableEditorTest, LoadsTheCurrentCompanyAndNestedLoadingGuardsRestore) {
    test.drive.write("kalwin/kalwin/kalaz0.003/kalvora.tab", std::string(152, '\n') + "0202\r\n");
    form.open();
    EXPECT_EQ(form.path(), test.drive.path("kalwin/kalwin/kalaz0.003/kalvora.tab"));
    EXPECT_EQ(form.tables().t6.at(1, 0), "0202");

    EXPECT_FALSE(form.loading());
    {
        TableEditorForm::LoadingGuard outer(form);
        {
            TableEditorForm::LoadingGuard inner(form);
            form.edit(4, "ignored");
        }
        EXPECT_TRUE(form.loading());
    }
    EXPECT_FALSE(form.loading());
    EXPECT_EQ(form.tables().t5.at(4, 0), "");
}

TEST_F(TableEditorTest, ConfirmSavesTheEncodedTablesAndCloses) {
    form.open();
    form.edit(2, "Rimessa\ndiretta");
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(form.companionSaves, 1);
    const auto lines = test.files.readLines(form.path());
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 930u);
    // Group 5 (T5) starts at line 93.
    EXPECT_EQ((*lines)[93], "ruleS");  // entry 1, column 1
    EXPECT_EQ((*lines)[94], "Rimessa diretta");
    EXPECT_TRUE(test.platform.shown.empty());
}

TEST_F(TableEditorTest, ExitLeavesTheFileAlone) {
    test.drive.write("kalwin/kalwin/kalaz0.003/kalvora.tab", "old\r\n");
    form.open();
    form.edit(1, "new");
    form.exitWindow();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(tab(), "old\r\n");
    EXPECT_EQ(form.companionSaves, 0);
}

TEST_F(TableEditorTest, AFailedSaveIsReportedAndTheWindowStaysAsItWas) {
    test.drive.write("kalwin/kalwin/kalaz0.003/kalvora.tab", "old\r\n");
    form.open();
    form.edit(1, "new");
    ASSERT_EQ(test.files.setReadOnly(form.path(), true), 0);
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    const testing::Shown m = test.platform.messages()[0];
    EXPECT_EQ(m.text, "Non è stato possibile salvare la tabella: errore " + std::to_string(EACCES));
    EXPECT_EQ(m.title, "Attenzione");
    EXPECT_EQ(m.icon, core::Icon::Critical);
    EXPECT_EQ(tab(), "old\r\n");
    // The settings were packed into the copy only.
    EXPECT_EQ(form.tables().t5.at(1, 1), "");
    EXPECT_EQ(form.tables().t5.at(1, 0), "new");

    ASSERT_EQ(test.files.setReadOnly(form.path(), false), 0);
    form.setting = "T";
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(test.files.readLines(form.path())->at(93), "ruleT");
}

TEST_F(TableEditorTest, ACompanionFileFailureKeepsTheWindowOpen) {
    form.open();
    form.companionError = 28;
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    EXPECT_EQ(test.platform.messages()[0].text, "Non è stato possibile salvare la tabella: errore 28");
}

TEST_F(TableEditorTest, TextsTheFileCannotHoldAreRefused) {
    form.open();
    form.edit(7, "Pagamento in ₿ entro 30 gg");
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    EXPECT_EQ(test.platform.messages()[0].text,
              "Il testo \"Pagamento in ₿ entro 30 gg\" contiene caratteri che non possono essere memorizzati.");
    EXPECT_FALSE(test.drive.exists("kalwin/kalwin/kalaz0.003/kalvora.tab"));

    form.edit(7, "Pagamento in € entro 30 gg, città");
    form.confirm();
    EXPECT_TRUE(form.closed());
}

}  // namespace
}  // namespace kalvora::tables
