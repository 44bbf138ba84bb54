#include "printing/layout_files.h"

#include "core/cp1252.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kalvora::printing {
namespace {

constexpr int company = 7;

class LayoutFilesTest : public ::testing::Test {
protected:
    LayoutFilesTest() { drive.makeInstallation(company); }

    std::string companyFile(const std::string& name) const { return "kalwin/kalwin/kalaz0.007/" + name; }
    // Places text lines (CR LF, Windows-1252) in the company folder.
    void place(const std::string& name, const std::vector<std::string>& lines) {
        drive.write(companyFile(name), core::encodeLines(lines));
    }

    testing::TempDrive drive;
    core::Installation inst = drive.installation();
    core::Files files;
};

// A red line and an accented text in bold.
FormGrid twoElements() {
    FormGrid grid;
    grid.count = 2;
    grid.elements[1] = {"", "", 1, 10, 20.5, 200, 20.5, 255, 0, 0, 0};
    grid.elements[2] = {"Città", "Arial", 3, 2, 46, 0, 0, 0, 6, 1, 0};
    return grid;
}

TEST_F(LayoutFilesTest, GridBytesInBothWritersForms) {
    const std::string unusedDesigner = "\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const std::string unusedPlacements = "\r\n\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n";
    const struct {
        GridWriter writer;
        std::string firstSlots;
        std::string unused;
    } cases[] = {
        {GridWriter::Designer,
         " 2 \r\n\r\n\r\n1\r\n10\r\n20.5\r\n200\r\n20.5\r\n255\r\n0\r\n0\r\n0\r\n"
         "Citt\xE0\r\nArial\r\n3\r\n2\r\n46\r\n0\r\n0\r\n0\r\n6\r\n1\r\n0\r\n",
         unusedDesigner},
        {GridWriter::Placements,
         " 2 \r\n\r\n\r\n 1 \r\n 10 \r\n 20.5 \r\n 200 \r\n 20.5 \r\n 255 \r\n 0 \r\n 0 \r\n 0 \r\n"
         "Citt\xE0\r\nArial\r\n 3 \r\n 2 \r\n 46 \r\n 0 \r\n 0 \r\n 0 \r\n 6 \r\n 1 \r\n 0 \r\n",
         unusedPlacements},
    };
    for (const auto& c : cases) {
        FormGrid grid = twoElements();
        grid.elements[3] = {"left over", "Arial", 3, 1, 1, 0, 0, 0, 9, 0, 0};  // past the count: written unused
        ASSERT_TRUE(writeFormGrid(files, inst, company, 1, grid, c.writer));
        std::string expected = c.firstSlots;
        for (int slot = 3; slot <= 500; ++slot) expected += c.unused;
        EXPECT_EQ(drive.read(companyFile("kalvora.lkf")), expected);
    }
}

TEST_F(LayoutFilesTest, GridRoundTripsAndMissingShortOrEmptyGrids) {
    FormGrid grid = twoElements();
    grid.elements[1].x1 = 0.25;
    for (GridWriter writer : {GridWriter::Designer, GridWriter::Placements}) {
        ASSERT_TRUE(writeFormGrid(files, inst, company, 3, grid, writer));
        const FormGrid back = readFormGrid(files, inst, company, 3);
        EXPECT_EQ(back.count, 2);
        EXPECT_EQ(back.elements, grid.elements);
    }
    // Count 0 still writes every slot; a missing file is an empty grid.
    ASSERT_TRUE(writeFormGrid(files, inst, company, 3, FormGrid{}, GridWriter::Designer));
    EXPECT_EQ(files.readLines(inst.companyFile(company, "kalvora.lkp"))->size(), 5501u);
    EXPECT_EQ(readFormGrid(files, inst, company, 3).count, 0);
    const FormGrid missing = readFormGrid(files, inst, company, 1);
    EXPECT_TRUE(missing.count == 0 && missing.elements == FormGrid{}.elements);
    place("kalvora.lkf", {" 3 ", "Spett.", "Arial", "3", "110", "40"});  // ends inside slot 1
    const FormGrid shortGrid = readFormGrid(files, inst, company, 1);
    EXPECT_EQ(shortGrid.count, 3);
    EXPECT_EQ(shortGrid.elements[1], (GridElement{"Spett.", "Arial", 3, 110, 40}));
    EXPECT_EQ(shortGrid.elements[2], GridElement{});
}

TEST_F(LayoutFilesTest, GridNumberLinesAndCountsReadTolerantly) {
    const struct {
        std::string line;
        double number;
        int count;
    } cases[] = {
        {" 33 ", 33, 33}, {"33", 33, 33}, {"33.0", 33, 33}, {".5", 0.5, 1}, {" -2.25 ", -2.25, 0},
        {"", 0, 0},       {"abc", 0, 0},  {"600", 600, 500}, {"1e999", 0, 0}, {"nan", 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines(12, "0");
        lines[0] = lines[4] = c.line;  // the count and slot 1's X1
        const FormGrid grid = parseFormGrid(lines);
        EXPECT_EQ(grid.count, c.count) << c.line;
        EXPECT_EQ(grid.elements[1].x1, c.number) << c.line;
    }
    // A line break inside a text is stored as a blank and does not shift the slots after it.
    FormGrid grid = twoElements();
    grid.elements[2].text = "riga 1\r\nriga 2";
    const FormGrid back = parseFormGrid(formGridLines(grid, GridWriter::Designer));
    EXPECT_EQ(back.elements[2].text + "|" + back.elements[2].fontName, "riga 1  riga 2|Arial");
}

TEST_F(LayoutFilesTest, PlacementDefaultsFollowTheCatalogue) {
    // Type, then the rows of its first marker and last column.
    const std::tuple<DocumentType, int, int> cases[] = {{1, 87, 99}, {3, 83, 89}, {5, 53, 62}, {10, 70, 80}};
    for (const auto& [type, firstMarker, lastColumn] : cases) {
        const Placements p = readPlacements(files, inst, company, type);
        EXPECT_EQ(p.row[firstMarker - 1].position + p.row[firstMarker].position + p.row[lastColumn].position +
                      p.row[lastColumn + 1].position,
                  "000000000000000000")
            << type;
        EXPECT_EQ(p.row[1], (Placement{"000000", "9", "Arial", "0", "0", " 0"}));
    }
    EXPECT_EQ(readPlacements(files, inst, company, 4).row[99].position, "000000");
}

TEST_F(LayoutFilesTest, PlacementsWriteSixHundredLinesAsHeldAndReadBack) {
    Placements p = defaultPlacements(5);
    p.row[1] = {"110055", "12", "Times New Roman", "1", "0", " 255"};
    p.row[53] = {"095", "9", "Arial", "0", "1", " 0"};
    p.row[100].font = "Città";
    ASSERT_TRUE(writePlacements(files, inst, company, 5, p));
    const std::string bytes = drive.read(companyFile("kalvora.lyb"));
    EXPECT_TRUE(bytes.starts_with("110055\r\n12\r\nTimes New Roman\r\n1\r\n0\r\n 255\r\n000000\r\n"));
    EXPECT_TRUE(bytes.ends_with("000000\r\n9\r\nCitt\xE0\r\n0\r\n0\r\n 0\r\n"));
    EXPECT_EQ(files.readLines(inst.companyFile(company, "kalvora.lyb"))->size(), 600u);
    EXPECT_EQ(readPlacements(files, inst, company, 5).row, p.row);

    place("kalvora.lyb", {"005095", "10", "Verdana", "1", "1", " 0", "007007"});
    const Placements shortFile = readPlacements(files, inst, company, 5);
    EXPECT_EQ(shortFile.row[1], (Placement{"005095", "10", "Verdana", "1", "1", " 0"}));
    EXPECT_EQ(shortFile.row[2], (Placement{"007007"}));
    EXPECT_EQ(shortFile.row[54].position, "000");
}

TEST_F(LayoutFilesTest, MailTextKeepsTheBodyLines) {
    for (const std::string body : {"", "Gentile cliente,", "Gentile cliente,\r\nin allegato.\r\n\r\nSaluti",
                                   "riga\r\n", "\r\n", "Città\r\n\r\n"}) {
        ASSERT_TRUE(writeMailText(files, inst, company, 7, {"Preventivo", body}));
        EXPECT_EQ(readMailText(files, inst, company, 7), (MailText{"Preventivo", body}));
    }
    ASSERT_TRUE(writeMailText(files, inst, company, 7, {"Oggetto\r\nsu due righe", "uno\ndue\rtre"}));
    EXPECT_EQ(drive.read(companyFile("kalvora.lxv")), "Oggetto  su due righe\r\nuno\r\ndue\r\ntre\r\n");
    EXPECT_EQ(readMailText(files, inst, company, 6), MailText{});
}

TEST_F(LayoutFilesTest, TypeWithoutFilesWritesNothing) {
    EXPECT_FALSE(writeFormGrid(files, inst, company, 4, twoElements(), GridWriter::Designer) ||
                 writePlacements(files, inst, company, 4, Placements{}) ||
                 writeMailText(files, inst, company, 4, {"a", "b"}));
    EXPECT_TRUE(drive.list("kalwin/kalwin/kalaz0.007").empty());
}

}  // namespace
}  // namespace kalvora::printing
