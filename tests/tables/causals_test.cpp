#include "tables/causals.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using List = CausalList;

class CausalsTest : public TablesTest {
protected:
    CausalsForm form{test.session};
};

TEST_F(CausalsTest, ThreeListsScrollApartAndEnterGoesDownItsOwn) {
    std::vector<std::string> lines = tabLines({});
    for (int k = 1; k <= 40; ++k) {
        lines[t9Line(k, 0)] = "Causale " + std::to_string(k);
        lines[t9Line(k, 1)] = "Aspetto " + std::to_string(k);
    }
    write(tabFile, lines);
    form.open();
    form.scrollTo(List::Categories, 1000);
    EXPECT_EQ(form.entryOf(List::Categories, 17), 200);
    form.scrollTo(List::Appearance, 1000);
    EXPECT_EQ(form.text(List::Appearance, 17) + "|" + form.text(List::Causals, 17), "Aspetto 40|Causale 18");
    form.edit(List::Appearance, 0, "Sfuso");
    EXPECT_EQ(form.tables().t9.at(23, 1), "Sfuso");
    form.enterPressed(List::Causals, 17);  // the last row scrolls, up to the last page
    EXPECT_EQ(form.firstEntry(List::Causals), 2);
    form.enterPressed(List::Categories, 17);
    EXPECT_EQ(form.firstEntry(List::Categories), 183);
    EXPECT_EQ(form.focusedList(), List::Categories);
}

TEST_F(CausalsTest, SaveWritesBothFilesAndKeepsTheUnreachableCategories) {
    std::string tb2;
    for (int k = 1; k <= 600; ++k) tb2 += (k == 300 ? " Citt\xe0, \"speciale\" " : "Cat " + std::to_string(k)) + "\n";
    test.drive.write(tb2File, tb2);  // bare LF, Windows-1252
    form.open();
    form.edit(List::Categories, 0, "Prima");
    confirmed(form);
    std::vector<std::string> expected;
    for (int k = 1; k <= 500; ++k) expected.push_back(k == 1 ? "Prima" : k == 300 ? " Città, \"speciale\" " : "Cat " + std::to_string(k));
    EXPECT_EQ(read(tb2File), expected);
}

TEST_F(CausalsTest, AMissingCategoriesFileIsCreatedAndAnUnstorableTextStopsTheSave) {
    form.open();
    form.edit(List::Causals, 1, "Reso \u2713");
    form.confirm();
    form.edit(List::Causals, 1, "Reso");
    form.edit(List::Categories, 2, "Frutta 🍎");
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 2u);
    EXPECT_EQ(test.platform.messages()[0].text,
              "Il testo \"Reso \u2713\" contiene caratteri che non possono essere memorizzati.");
    EXPECT_EQ(test.platform.messages()[1].text,
              "Il testo \"Frutta 🍎\" contiene caratteri che non possono essere memorizzati.");
    EXPECT_FALSE(test.drive.exists(tabFile) || test.drive.exists(tb2File));
    form.edit(List::Categories, 2, "Frutta");
    EXPECT_EQ(confirmed(form).size(), 930u);
    std::vector<std::string> expected(500);
    expected[2] = "Frutta";
    EXPECT_EQ(read(tb2File), expected);
}

}  // namespace
}  // namespace kalvora::tables
