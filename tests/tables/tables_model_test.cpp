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

TablesFile parse(const std::vector<std::string>& lines) { return parseTables(core::encodeLines(lines)); }

// The lines of saved bytes, decoded; every line ends in CR LF.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; (end = bytes.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(core::decodeCp1252(bytes.substr(pos, end - pos)));
    return lines;
}

TEST(TablesModelTest, AFullFileLoadsAndIsWrittenBackAsRead) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    drive.write(tabFile, goldenBytes("tables/kalvora_full.tab"));
    const TablesFile tables = loadTables(core::Files(), drive.path(tabFile));
    // Whole lines keep their commas, blanks and accents; an undefined byte passes through. The
    // file's texts name their entries, so these and the bytes written back pin where each lies.
    EXPECT_EQ(tables.t5.at(2, 0), "  Bonifico 30 gg, data fattura 2");
    EXPECT_EQ(tables.t5.at(1, 1), "001002000000000000F01011 15 ");
    EXPECT_EQ(tables.t4.at(8, 1) + "|" + tables.t7.at(40, 1) + "|" + tables.t8.at(30, 4),
              "Acquisti città 8|Acquisti – beni strumentali 40|\u0081");
    EXPECT_EQ(tables.t5.at(31, 0) + "|" + tables.t7.at(41, 0) + "|" + tables.t7.at(100, 1),
              "Contanti alla consegna 31|Vendite merci, 41|Acquisti – beni strumentali 100");
    EXPECT_EQ(tables.t6.at(1, 0) + "|" + tables.t6.at(10, 0), "51010001|51010001");  // items: no quotes

    const std::string saved = tablesBytes(tables, TablesFile{}, {});
    EXPECT_TRUE(testing::matchesGolden("tables/kalvora_full_saved.tab", saved));
    EXPECT_EQ(parseTables(saved), tables);
}

// Only the 930 lines are decoded; whatever follows them is never read, whatever the line ends.
TEST(TablesModelTest, ValuesEndAtTheLastOfTheFileLinesWhateverTheLineEnds) {
    std::string bytes;
    const char* ends[] = {"\r\n", "\n", "\r"};
    for (int n = 1; n < TablesFile::lineCount; ++n) bytes += std::to_string(n) + ends[n % 3];
    bytes += "ultima\r\n\xE0 dopo\r\n";
    const TablesFile t = parseTables(bytes);
    EXPECT_EQ(t.t1.at(1, 0) + "|" + t.t7.at(100, 0) + "|" + t.t7.at(100, 1), "1|870|ultima");
    EXPECT_EQ(parseTables(bytes.substr(0, bytes.size() - 8)), t);
}

// Entry 0 of T1, T2, T5..T9 and the in-memory columns are never written.
TEST(TablesModelTest, EntryZeroAndTheInMemoryColumnsStayOutOfTheFile) {
    TablesFile t;
    for (Table* table : {&t.t1, &t.t2, &t.t5, &t.t6, &t.t7, &t.t8, &t.t9}) table->at(0, 0) = "zero";
    t.t1.at(3, 4) = t.t3.at(3, 2) = "memory";
    std::string empty;
    for (int line = 0; line < 930; ++line) empty += "\r\n";
    EXPECT_EQ(tablesBytes(TablesFile{}, t, everything), empty);
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
    mine.t6.at(8, 0) = "Cassa \u2713";
    std::optional<std::string> unstorable;
    const std::vector<std::string> lines = linesOf(tablesBytes(disk, mine, parts, &unstorable));
    ASSERT_EQ(lines.size(), 930u);
    EXPECT_EQ(unstorable, "Cassa \u2713");  // written as '?', and the save is refused
    const std::pair<int, std::string> written[] = {
        {t6Line(7, 1), mine.t6.at(7, 1)}, {t5Line(1, 0), "Rimessa  diretta"}, {t6Line(10, 0), "\"51,01\""},
        {t6Line(10, 1), "\"  0202 \""},   {t6Line(11, 0), "0202"},            {t8Line(1, 0), "Banca\tCittà"},
        {t6Line(8, 0), "Cassa ?"}};
    for (const auto& [line, text] : written) EXPECT_EQ(lines[line], text) << "line " << line;
}

}  // namespace
}  // namespace kalvora::tables
