#include "tables/tables_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

// Lines 153..170 of a new company's file hold T6 entries 1..9.
constexpr std::size_t postingAccountsStart = 152;

TEST(DefaultTablesTest, LayoutOfANewCompanyFile) {
    const std::vector<std::string> lines = defaultTablesLines();
    ASSERT_EQ(lines.size(), 5640u);

    const std::vector<std::string> accounts(lines.begin() + postingAccountsStart,
                                            lines.begin() + postingAccountsStart + 18);
    const std::vector<std::string> expected = {
        "0202",     "2802",     "51010001", "52010001", "28030001", "02030001",
        "51010002", "52010002", "04010001", "",         "51020002", "",
        "51020002", "",         "",         "",         "02060001", "02060001"};
    EXPECT_EQ(accounts, expected);

    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i >= postingAccountsStart && i < postingAccountsStart + 18)
            continue;
        ASSERT_EQ(lines[i], "") << "line " << i + 1;
    }
}

TEST(DefaultTablesTest, WritesTheFileWithCrLf) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    core::Files files;
    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.tab";
    ASSERT_EQ(writeDefaultTables(files, drive.path(rel)), 0);

    const std::string bytes = drive.read(rel);
    // 5,640 line ends plus the thirteen non-empty accounts (2 of 4 characters, 11 of 8).
    EXPECT_EQ(bytes.size(), 5640u * 2 + 2 * 4 + 11 * 8);
    EXPECT_EQ(bytes.substr(0, 4), "\r\n\r\n");
    EXPECT_EQ(bytes.substr(152 * 2, 14), "0202\r\n2802\r\n51");
    EXPECT_TRUE(testing::matchesGolden("kalvora.tab", bytes));

    // An existing file is replaced whole.
    drive.write(rel, std::string(100000, 'x'));
    ASSERT_EQ(writeDefaultTables(files, drive.path(rel)), 0);
    EXPECT_EQ(drive.read(rel), bytes);
}

}  // namespace
}  // namespace kalvora::tables
