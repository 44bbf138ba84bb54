#include "tables/causals.h"

#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using List = CausalList;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
constexpr const char* tb2File = "kalwin/kalwin/kalaz0.000/kalvora.tb2";
std::size_t causalLine(int entry, int column) { return 400 + 6 * (entry - 1) + column; }

class CausalsTest : public ::testing::Test {
protected:
    void SetUp() override { test.drive.makeInstallation(0); }
    void writeTables() {
        std::vector<std::string> lines(TablesFile::lineCount);
        for (int k = 1; k <= 40; ++k) {
            lines[causalLine(k, 0)] = "Causale " + std::to_string(k);
            lines[causalLine(k, 1)] = "Aspetto " + std::to_string(k);
            lines[causalLine(k, 2)] = "Vettore " + std::to_string(k);
        }
        test.drive.write(tabFile, core::encodeLines(lines));
    }
    std::vector<std::string> read(const char* file) {
        auto lines = test.files.readLines(test.drive.path(file));
        return lines ? *lines : std::vector<std::string>{};
    }

    testing::TestSession test;
    CausalsForm form{test.session};
};

TEST_F(CausalsTest, ThreeListsScrollApart) {
    writeTables();
    std::vector<std::string> categories;
    for (int k = 1; k <= 500; ++k) categories.push_back("Categoria " + std::to_string(k));
    test.drive.write(tb2File, core::encodeLines(categories));
    form.open();
    EXPECT_EQ(form.text(List::Causals, 0), "Causale 1");
    EXPECT_EQ(form.text(List::Appearance, 17), "Aspetto 18");
    EXPECT_EQ(form.text(List::Categories, 17), "Categoria 18");

    form.scrollTo(List::Categories, 1000);
    EXPECT_EQ(form.firstEntry(List::Categories), 183);
    EXPECT_EQ(form.text(List::Categories, 17), "Categoria 200");
    EXPECT_EQ(form.firstEntry(List::Causals), 1);
    form.scrollTo(List::Appearance, 1000);
    EXPECT_EQ(form.lastFirstEntry(List::Appearance), 23);
    EXPECT_EQ(form.text(List::Appearance, 17), "Aspetto 40");
    EXPECT_EQ(form.text(List::Causals, 17), "Causale 18");

    form.edit(List::Appearance, 0, "Sfuso");
    form.edit(List::Causals, 1, "Reso\r\nda cliente");
    form.edit(List::Categories, 17, "Ultima");
    EXPECT_EQ(form.tables().t9.at(23, 1), "Sfuso");
    EXPECT_EQ(form.tables().t9.at(2, 0), "Reso  da cliente");
    EXPECT_EQ(form.categories()[199], "Ultima");

    // Enter goes down its own list; row 17 scrolls while it can.
    form.enterPressed(List::Causals, 4);
    EXPECT_EQ(form.focusedList(), List::Causals);
    EXPECT_EQ(form.focusedRow(), 5);
    form.enterPressed(List::Causals, 17);
    EXPECT_EQ(form.firstEntry(List::Causals), 2);
    EXPECT_EQ(form.focusedRow(), 17);
    form.enterPressed(List::Categories, 17);
    EXPECT_EQ(form.firstEntry(List::Categories), 183);
    EXPECT_EQ(form.focusedList(), List::Categories);
    EXPECT_EQ(form.focusedRow(), 17);
}

TEST_F(CausalsTest, SaveWritesBothFilesAndKeepsTheUnreachableCategories) {
    writeTables();
    std::string tb2;
    for (int k = 1; k <= 600; ++k) tb2 += (k == 300 ? " Citt\xe0, \"speciale\" " : "Cat " + std::to_string(k)) + "\n";
    test.drive.write(tb2File, tb2);  // bare LF, Windows-1252
    form.open();
    form.edit(List::Categories, 0, "Prima");
    form.edit(List::Causals, 0, "Carico");
    form.confirm();
    ASSERT_TRUE(form.closed());

    const auto categories = read(tb2File);
    ASSERT_EQ(categories.size(), 500u);
    EXPECT_EQ(categories[0], "Prima");
    EXPECT_EQ(categories[299], " Città, \"speciale\" ");
    for (int k = 201; k <= 500; ++k) {
        if (k != 300) {
            EXPECT_EQ(categories[k - 1], "Cat " + std::to_string(k));
        }
    }
    EXPECT_EQ(test.drive.read(tb2File).find('\n'), std::string("Prima\r\n").size() - 1);
    EXPECT_EQ(read(tabFile)[causalLine(1, 0)], "Carico");
    EXPECT_TRUE(testing::matchesGolden("causals/kalvora.tab", test.drive.read(tabFile)));
}

TEST_F(CausalsTest, AMissingCategoriesFileIsCreatedAtTheFirstSave) {
    form.open();
    EXPECT_EQ(form.categories().size(), 500u);
    EXPECT_EQ(form.text(List::Categories, 0), "");
    form.confirm();
    ASSERT_TRUE(form.closed());
    EXPECT_EQ(read(tb2File), std::vector<std::string>(500));
    EXPECT_EQ(read(tabFile).size(), 930u);
}

TEST_F(CausalsTest, AnUnstorableCategoryStopsTheWholeSave) {
    writeTables();
    form.open();
    form.edit(List::Causals, 0, "Carico");
    form.edit(List::Categories, 2, "Frutta 🍎");
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    EXPECT_EQ(test.platform.messages()[0].text,
              "Il testo \"Frutta 🍎\" contiene caratteri che non possono essere memorizzati.");
    EXPECT_EQ(read(tabFile)[causalLine(1, 0)], "Causale 1");
    EXPECT_FALSE(test.files.exists(test.drive.path(tb2File)));
}

TEST_F(CausalsTest, AFailedCategoriesWriteIsReportedAndTheWindowStaysOpen) {
    writeTables();
    test.drive.write(tb2File, "uno\r\n");
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tb2File), true), 0);
    form.open();
    EXPECT_EQ(form.text(List::Categories, 0), "uno");
    form.edit(List::Categories, 1, "due");
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    EXPECT_EQ(test.platform.messages()[0].text, "Non è stato possibile salvare la tabella: errore " + std::to_string(EACCES));
    ASSERT_EQ(test.files.setReadOnly(test.drive.path(tb2File), false), 0);
    form.confirm();
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(read(tb2File)[1], "due");
}

}  // namespace
}  // namespace kalvora::tables
