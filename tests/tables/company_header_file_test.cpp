#include "tables/company_header_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

class CompanyHeaderFileTest : public ::testing::Test {
protected:
    CompanyHeaderFileTest() { drive.makeInstallation(0); }

    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.int";
    testing::TempDrive drive;
    core::Files files;
    std::string path = drive.path(rel);
};

std::vector<std::string> sampleFields() {
    return {"Città & Figli S.r.l.", "Via Garibaldi 1", "20100 Milano (MI)", "Via Roma 2",
            "00100 Roma (RM)",     "02 1234567",      "02 7654321",        "info@citta.it",
            "CTTFGL80A01F205X",    "01234567890",     "MI-123456",         "Tribunale di Milano",
            "Nota uno",            "",                "Nota tre",          "Qualità più"};
}

TEST_F(CompanyHeaderFileTest, WritesSeventeenLinesInWindows1252) {
    ASSERT_EQ(writeCompanyHeader(files, path, sampleFields(), " 2026 "), 0);
    EXPECT_TRUE(testing::matchesGolden("kalvora.int", drive.read(rel)));
    std::vector<std::string> expected = sampleFields();
    expected.push_back("2026");
    EXPECT_EQ(readCompanyHeader(files, path), expected);

    // Missing fields are blank and extra ones dropped: line 17 is always the year.
    std::vector<std::string> many(20, "x");
    ASSERT_EQ(writeCompanyHeader(files, path, many, "2025"), 0);
    many.resize(16);
    many.push_back("2025");
    EXPECT_EQ(readCompanyHeader(files, path), many);
    ASSERT_EQ(writeCompanyHeader(files, path, {"Rossi Srl"}, ""), 0);
    expected.assign(17, "");
    expected[0] = "Rossi Srl";
    EXPECT_EQ(files.readLines(path), expected);
}

TEST_F(CompanyHeaderFileTest, LineBreakInsideAValueDoesNotShiftTheLines) {
    std::vector<std::string> fields = sampleFields();
    fields[1] = "Via Garibaldi 1\r\nscala B";
    fields[8] = "CTTFGL80A01F205X\n";
    ASSERT_EQ(writeCompanyHeader(files, path, fields, "20\n26"), 0);
    const auto lines = files.readLines(path);
    ASSERT_EQ(lines->size(), 17u);
    EXPECT_EQ((*lines)[1], "Via Garibaldi 1  scala B");
    EXPECT_EQ((*lines)[8], "CTTFGL80A01F205X ");
    EXPECT_EQ((*lines)[16], "20 26");
}

TEST_F(CompanyHeaderFileTest, ReadAlwaysGivesSeventeenValues) {
    EXPECT_EQ(readCompanyHeader(files, path), std::vector<std::string>(17)) << "missing file";

    drive.write(rel, "Rossi\nVia Po 3");
    std::vector<std::string> expected(17);
    expected[0] = "Rossi";
    expected[1] = "Via Po 3";  // a last line without line end counts
    EXPECT_EQ(readCompanyHeader(files, path), expected);

    std::string longFile;
    for (int i = 1; i <= 25; ++i)
        longFile += "L" + std::to_string(i) + "\r\n";
    drive.write(rel, longFile);
    const auto lines = readCompanyHeader(files, path);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[16], "L17");
}

}  // namespace
}  // namespace kalvora::tables
