#include "tables/company_header_file.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using CompanyHeaderFileTest = TablesTest;

// What any file reads as is left to the fuzz target; here the writing.
TEST_F(CompanyHeaderFileTest, WritesSeventeenOneLineValuesWithTheYearLast) {
    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.int";
    const std::string path = test.drive.path(rel);
    EXPECT_EQ(readCompanyHeader(test.files, path), std::vector<std::string>(17)) << "missing file";
    std::vector<std::string> fields = {"Città & Figli S.r.l.", "Via Garibaldi 1", "20100 Milano (MI)", "Via Roma 2",
                                       "00100 Roma (RM)", "02 1234567", "02 7654321", "info@citta.it",
                                       "CTTFGL80A01F205X", "01234567890", "MI-123456", "Tribunale di Milano",
                                       "Nota uno", "", "Nota tre", "Qualità più"};
    ASSERT_EQ(writeCompanyHeader(test.files, path, fields, " 2026 "), 0);
    EXPECT_TRUE(testing::matchesGolden("kalvora.int", test.drive.read(rel)));

    // Line breaks and tabs inside a value become blanks; extra fields are dropped, missing ones
    // empty: line 17 is always the year.
    fields[1] = "Via Garibaldi 1\r\nscala\tB";
    fields.resize(20, "x");
    ASSERT_EQ(writeCompanyHeader(test.files, path, fields, "20\n26"), 0);
    std::vector<std::string> expected(fields.begin(), fields.begin() + 16);
    expected[1] = "Via Garibaldi 1  scala B";
    expected.push_back("20 26");
    EXPECT_EQ(test.files.readLines(path), expected);
    ASSERT_EQ(writeCompanyHeader(test.files, path, {"Rossi Srl"}, ""), 0);
    expected.assign(17, "");
    expected[0] = "Rossi Srl";
    EXPECT_EQ(readCompanyHeader(test.files, path), expected);
}

}  // namespace
}  // namespace kalvora::tables
