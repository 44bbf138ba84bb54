#include "tables/tables_model.h"

#include "core/files.h"
#include "support/temp_drive.h"
#include "tables/tables_file.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";

std::string goldenBytes(const std::string& name) {
    std::ifstream in(std::string(KALVORA_GOLDEN_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines 1..930 of the file, as `first` followed by empty lines.
std::string crlfLines(const std::vector<std::string>& first, std::size_t total = TablesFile::lineCount) {
    std::vector<std::string> lines = first;
    lines.resize(total);
    return core::encodeLines(lines);
}

class TablesModelTest : public ::testing::Test {
protected:
    void SetUp() override { drive.makeInstallation(0); }
    std::string path() const { return tablesPath(drive.installation(), 0); }
    TablesFile loadBytes(std::string_view bytes) {
        drive.write(tabFile, bytes);
        return loadTables(files, path());
    }
    std::string saved(const TablesFile& tables) {
        EXPECT_EQ(saveTables(files, path(), tables), 0);
        return drive.read(tabFile);
    }

    testing::TempDrive drive;
    core::Files files;
};

TEST_F(TablesModelTest, FullFileSurvivesLoadAndSave) {
    const std::string input = goldenBytes("tables/kalvora_full.tab");
    ASSERT_FALSE(input.empty());
    const TablesFile tables = loadBytes(input);

    // Whole-line values keep their commas, leading and trailing blanks and accents.
    EXPECT_EQ(tables.t5.at(1, 0), "Ri.Ba. 60/90/120 gg f.m. 1");
    EXPECT_EQ(tables.t5.at(2, 0), "  Bonifico 30 gg, data fattura 2");
    EXPECT_EQ(tables.t5.at(1, 1), "001002000000000000F01011 15 ");
    EXPECT_EQ(tables.t5.at(60, 1), "000000000000000000N0000");
    EXPECT_EQ(tables.t1.at(9, 1), " 5 ");
    EXPECT_EQ(tables.t3.at(0, 0), "Contributo integrativo 4%, cassa");
    EXPECT_EQ(tables.t4.at(8, 1), "Acquisti città 8");
    EXPECT_EQ(tables.t7.at(40, 1), "Acquisti – beni strumentali 40");
    EXPECT_EQ(tables.t7.at(100, 0), "Vendite merci, 100");
    EXPECT_EQ(tables.t8.at(30, 4), "\u0081");  // an undefined byte passes through
    EXPECT_EQ(tables.t9.at(40, 5), "  " + std::string(40, 'x'));
    // Posting accounts are items: no leading blanks, no quotes, no trailing blanks.
    EXPECT_EQ(tables.t6.at(1, 0), "51010001");
    EXPECT_EQ(tables.t6.at(1, 1), "52010001");
    EXPECT_EQ(tables.t6.at(2, 0), "28030001");
    EXPECT_EQ(tables.t6.at(2, 1), "");
    EXPECT_EQ(tables.t6.at(3, 1), "2802");
    EXPECT_EQ(tables.t6.at(20, 0), "28030001");

    const std::string output = saved(tables);
    EXPECT_TRUE(testing::matchesGolden("tables/kalvora_full_saved.tab", output));
    EXPECT_EQ(files.readLines(path())->size(), 930u);
    // A second round trip changes nothing at all.
    EXPECT_EQ(loadTables(files, path()), tables);
    EXPECT_EQ(saved(tables), output);
}

TEST_F(TablesModelTest, NewCompanyFileLoadsWithEmptySecondHalvesAndSavesAs930Lines) {
    ASSERT_EQ(writeDefaultTables(files, path()), 0);
    const TablesFile tables = loadTables(files, path());
    EXPECT_EQ(tables.t6.at(1, 0), "0202");
    EXPECT_EQ(tables.t6.at(5, 0), "04010001");
    EXPECT_EQ(tables.t6.at(9, 1), "02060001");
    for (int e = 10; e <= 20; ++e) EXPECT_EQ(tables.t6.at(e, 0) + tables.t6.at(e, 1), "");
    for (int e = 31; e <= 60; ++e) EXPECT_EQ(tables.t5.at(e, 0) + tables.t5.at(e, 1), "");

    const std::vector<std::string> defaults = defaultTablesLines();
    const std::vector<std::string> first930(defaults.begin(), defaults.begin() + 930);
    EXPECT_EQ(saved(tables), core::encodeLines(first930));
    EXPECT_EQ(files.readLines(path())->size(), 930u);
}

TEST_F(TablesModelTest, MissingShortAndOverlongFiles) {
    const TablesFile empty;
    EXPECT_EQ(loadTables(files, path()), empty);
    std::string blankLines;
    for (int i = 0; i < 930; ++i) blankLines += "\r\n";
    EXPECT_EQ(saved(empty), blankLines);

    // Three lines: T1 entry 1, columns 0..2; the last line has no line end.
    const TablesFile shortFile = loadBytes("22\r\n4\r\n2");
    EXPECT_EQ(shortFile.t1.at(1, 0), "22");
    EXPECT_EQ(shortFile.t1.at(1, 2), "2");
    EXPECT_EQ(shortFile.t1.at(1, 3), "");
    EXPECT_EQ(saved(shortFile), crlfLines({"22", "4", "2"}));

    // Lines after group 18 are ignored.
    std::vector<std::string> lines(930, "v");
    lines.push_back("beyond");
    lines.push_back("more");
    const TablesFile longFile = loadBytes(core::encodeLines(lines));
    EXPECT_EQ(longFile.t7.at(100, 1), "v");
    EXPECT_EQ(saved(longFile), crlfLines(std::vector<std::string>(930, "v")));
}

TEST_F(TablesModelTest, LinesFollowTheGroupOrder) {
    TablesFile t;
    t.t1.at(1, 0) = "T1 1.0";
    t.t1.at(9, 0) = "T1 9.0";
    t.t3.at(0, 0) = "T3 0.0";
    t.t3.at(0, 1) = "T3 0.1";
    t.t4.at(0, 1) = "T4 0.1";
    t.t3.at(9, 0) = "T3 9.0";
    t.t5.at(31, 1) = "T5 31.1";
    t.t6.at(10, 0) = "T6 10.0";
    t.t7.at(1, 1) = "T7 1.1";
    t.t7.at(41, 0) = "T7 41.0";
    t.t7.at(41, 1) = "T7 41.1";
    t.t8.at(30, 4) = "T8 30.4";
    t.t9.at(1, 0) = "T9 1.0";
    t.t9.at(40, 5) = "T9 40.5";
    const std::vector<std::string> lines = tablesLines(t);
    ASSERT_EQ(lines.size(), 930u);
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "T1 1.0"},    {57, "T3 0.0"},   {58, "T3 0.1"},   {76, "T4 0.1"},   {211, "T7 1.1"},
        {400, "T8 30.4"}, {401, "T9 1.0"},  {640, "T9 40.5"}, {641, "T1 9.0"},  {697, "T3 9.0"},
        {730, "T5 31.1"}, {789, "T6 10.0"}, {811, "T7 41.0"}, {871, "T7 41.1"}};
    std::size_t filled = 0;
    for (const auto& [line, value] : expected) EXPECT_EQ(lines[line - 1], value) << "line " << line;
    for (const std::string& l : lines) filled += !l.empty();
    EXPECT_EQ(filled, expected.size());

    // And back: each value lands in its own cell.
    EXPECT_EQ(loadBytes(core::encodeLines(lines)), t);
}

TEST_F(TablesModelTest, EntryZeroAndInMemoryColumnsAreNeverWritten) {
    TablesFile t;
    for (Table* table : {&t.t1, &t.t2, &t.t5, &t.t6, &t.t7, &t.t8, &t.t9})
        for (int c = 0; c < table->columns(); ++c) table->at(0, c) = "zero";
    t.t1.at(3, 4) = "ilm";
    t.t3.at(3, 2) = "nature";
    t.t4.at(3, 2) = "nature";
    for (const std::string& l : tablesLines(t)) EXPECT_EQ(l, "");

    t.t3.at(0, 1) = "10";
    t.t4.at(0, 0) = "0120";
    const TablesFile back = loadBytes(core::encodeLines(tablesLines(t)));
    EXPECT_EQ(back.t3.at(0, 1), "10");
    EXPECT_EQ(back.t4.at(0, 0), "0120");
    EXPECT_EQ(back.t1.at(0, 0), "");
    EXPECT_EQ(back.t3.at(3, 2), "");
}

TEST_F(TablesModelTest, LineBreaksInAValueBecomeBlanks) {
    TablesFile t;
    t.t5.at(1, 0) = "Rimessa\r\ndiretta\nsubito";
    t.t5.at(1, 1) = "x";
    const TablesFile back = loadBytes(saved(t));
    EXPECT_EQ(back.t5.at(1, 0), "Rimessa  diretta subito");
    EXPECT_EQ(back.t5.at(1, 1), "x");
}

// Item input reads a posting-account line up to a comma, as the modules do; the next value
// continues on the same line.
TEST_F(TablesModelTest, PostingAccountLinesAreReadAsItems) {
    std::vector<std::string> lines(152, "");
    lines.insert(lines.end(), {"0202,2802", "  \"51,01\"  ", "\t52010001\t", "x"});
    const TablesFile t = loadBytes(core::encodeLines(lines));
    EXPECT_EQ(t.t6.at(1, 0), "0202");
    EXPECT_EQ(t.t6.at(1, 1), "2802");
    EXPECT_EQ(t.t6.at(2, 0), "51,01");
    EXPECT_EQ(t.t6.at(2, 1), "52010001");
    EXPECT_EQ(t.t6.at(3, 0), "x");
}

// Whatever a posting account holds, it comes back as one value and the lines after it stay
// where they were.
TEST_F(TablesModelTest, PostingAccountsAreWrittenSoThatTheyReadBack) {
    TablesFile t;
    t.t6.at(1, 0) = "02,02";
    t.t6.at(1, 1) = "  0202 ";
    t.t6.at(2, 0) = "\"51\"";
    t.t6.at(2, 1) = "5\"1";
    t.t6.at(3, 0) = "0202";
    t.t6.at(20, 1) = ",";
    t.t7.at(1, 0) = "Vendite";
    t.t7.at(41, 0) = "Altre vendite";
    const std::vector<std::string> lines = tablesLines(t);
    EXPECT_EQ(lines[152], "\"02,02\"");
    EXPECT_EQ(lines[153], "\"  0202 \"");
    EXPECT_EQ(lines[154], "\"51\"");
    EXPECT_EQ(lines[155], "5\"1");
    EXPECT_EQ(lines[156], "0202");

    const TablesFile back = loadBytes(core::encodeLines(lines));
    TablesFile expected = t;
    expected.t6.at(2, 0) = "51";
    EXPECT_EQ(back, expected);
}

}  // namespace
}  // namespace kalvora::tables
