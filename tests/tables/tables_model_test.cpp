#include "tables/tables_model.h"

#include "core/cp1252.h"
#include "tables/tables_file.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

constexpr TablePart everything[] = {
    {&TablesFile::t1, 0, 16, 0, 4}, {&TablesFile::t2, 0, 16, 0, 2},  {&TablesFile::t3, 0, 16, 0, 2},
    {&TablesFile::t4, 0, 16, 0, 2}, {&TablesFile::t5, 0, 60, 0, 1},  {&TablesFile::t6, 0, 20, 0, 1},
    {&TablesFile::t7, 0, 100, 0, 1}, {&TablesFile::t8, 0, 30, 0, 4}, {&TablesFile::t9, 0, 40, 0, 5}};

TablesFile parse(const std::vector<std::string>& lines) { return parseTables(core::decodeCp1252(core::encodeLines(lines))); }

TEST(TablesModelTest, AFullFileLoadsAndIsWrittenBackAsRead) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    drive.write(tabFile, goldenBytes("tables/kalvora_full.tab"));
    const TablesFile tables = loadTables(core::Files(), drive.path(tabFile));
    // Whole lines keep their commas, blanks and accents; an undefined byte passes through.
    EXPECT_EQ(tables.t5.at(2, 0), "  Bonifico 30 gg, data fattura 2");
    EXPECT_EQ(tables.t5.at(1, 1), "001002000000000000F01011 15 ");
    EXPECT_EQ(tables.t4.at(8, 1), "Acquisti città 8");
    EXPECT_EQ(tables.t7.at(40, 1), "Acquisti – beni strumentali 40");
    EXPECT_EQ(tables.t8.at(30, 4), "\u0081");
    // Posting accounts are items: no leading blanks, no quotes, no trailing blanks.
    EXPECT_EQ(tables.t6.at(1, 0) + "|" + tables.t6.at(2, 1) + "|" + tables.t6.at(3, 1), "51010001||2802");

    const std::vector<std::string> lines = tablesLines(tables, TablesFile{}, {});
    EXPECT_TRUE(testing::matchesGolden("tables/kalvora_full_saved.tab", core::encodeLines(lines)));
    EXPECT_EQ(parse(lines), tables);
}

TEST(TablesModelTest, ANewCompanyFileIsWrittenBackAs930Lines) {
    const std::vector<std::string> defaults = defaultTablesLines();
    const TablesFile tables = parse(defaults);
    EXPECT_EQ(tables.t6.at(9, 1), "02060001");
    EXPECT_EQ(tables.t5.at(60, 1) + tables.t6.at(20, 1) + tables.t7.at(100, 1), "");
    EXPECT_EQ(tablesLines(tables, tables, everything),
              std::vector<std::string>(defaults.begin(), defaults.begin() + 930));
}

TEST(TablesModelTest, ShortAndOverlongFiles) {
    EXPECT_EQ(parseTables(""), TablesFile{});
    const TablesFile shortFile = parseTables("22\r\n4\r\n2");  // no line end after the last line
    EXPECT_EQ(shortFile.t1.at(1, 0) + "|" + shortFile.t1.at(1, 2) + "|" + shortFile.t1.at(1, 3), "22|2|");
    std::vector<std::string> lines(930, "v");
    lines.push_back("beyond");
    const TablesFile longFile = parse(lines);
    EXPECT_EQ(longFile.t7.at(100, 1), "v");
    EXPECT_EQ(tablesLines(longFile, TablesFile{}, {}), std::vector<std::string>(930, "v"));
}

TEST(TablesModelTest, LinesFollowTheGroupOrder) {
    TablesFile t;
    const std::pair<std::string*, int> cells[] = {
        {&t.t1.at(1, 0), 1},    {&t.t3.at(0, 0), 57},   {&t.t3.at(0, 1), 58},   {&t.t4.at(0, 1), 76},
        {&t.t7.at(1, 1), 211},  {&t.t8.at(30, 4), 400}, {&t.t9.at(1, 0), 401},  {&t.t9.at(40, 5), 640},
        {&t.t1.at(9, 0), 641},  {&t.t3.at(9, 0), 697},  {&t.t5.at(31, 1), 730}, {&t.t6.at(10, 0), 789},
        {&t.t7.at(41, 0), 811}, {&t.t7.at(41, 1), 871}};
    for (const auto& [cell, line] : cells) *cell = "line " + std::to_string(line);
    // Entry 0 of T1, T2, T5..T9 and the in-memory columns are never written.
    for (Table* table : {&t.t1, &t.t2, &t.t5, &t.t6, &t.t7, &t.t8, &t.t9}) table->at(0, 0) = "zero";
    t.t1.at(3, 4) = t.t3.at(3, 2) = "memory";
    std::vector<std::string> expected(930);
    for (const auto& [cell, line] : cells) expected[line - 1] = *cell;
    EXPECT_EQ(tablesLines(TablesFile{}, t, everything), expected);
}

TEST(TablesModelTest, PostingAccountLinesAreReadAsItems) {
    std::vector<std::string> lines(152);
    lines.insert(lines.end(), {"0202,2802", "  \"51,01\"  ", "\t52010001\t", "x"});
    const TablesFile t = parse(lines);
    EXPECT_EQ(t.t6.at(1, 0) + "|" + t.t6.at(1, 1) + "|" + t.t6.at(2, 0) + "|" + t.t6.at(2, 1) + "|" + t.t6.at(3, 0),
              "0202|2802|51,01|52010001|x");
}

// A window's cells are written plain; the others so that they read back as they were read.
TEST(TablesModelTest, OwnedCellsArePlainAndTheOthersReadBackAsRead) {
    TablesFile disk;
    disk.t6.at(10, 0) = "51,01";
    disk.t6.at(10, 1) = "  0202 ";
    disk.t6.at(11, 0) = "0202";
    disk.t8.at(1, 0) = "Banca\tCittà";
    TablesFile mine = disk;
    mine.t6.at(7, 1) = "Incasso" + std::string(33, ' ');
    mine.t6.at(10, 0) = "ignored";
    mine.t5.at(1, 0) = "Rimessa\r\ndiretta";
    const TablePart parts[] = {{&TablesFile::t6, 1, 9, 0, 1}, {&TablesFile::t5, 1, 60, 0, 1}};
    const std::vector<std::string> lines = tablesLines(disk, mine, parts);
    EXPECT_EQ(lines[t6Line(7, 1)], mine.t6.at(7, 1));
    EXPECT_EQ(lines[t5Line(1, 0)], "Rimessa  diretta");
    EXPECT_EQ(lines[t6Line(10, 0)], "\"51,01\"");
    EXPECT_EQ(lines[t6Line(10, 1)], "\"  0202 \"");
    EXPECT_EQ(lines[t6Line(11, 0)], "0202");
    EXPECT_EQ(lines[t8Line(1, 0)], "Banca\tCittà");
    const TablesFile back = parse(lines);
    EXPECT_EQ(back.t6.at(10, 0) + "|" + back.t6.at(10, 1), "51,01|  0202 ");
    EXPECT_EQ(back.t6.at(7, 1), "Incasso");
}

}  // namespace
}  // namespace kalvora::tables
