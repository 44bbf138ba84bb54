#include "tables/tables_file.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

TEST(DefaultTablesTest, NewCompanyFileMatchesTheGoldenFileAndTheCountsByHand) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    core::Files files;
    ASSERT_EQ(writeDefaultTables(files, drive.path(tabFile)), 0);
    const std::string bytes = drive.read(tabFile);
    EXPECT_TRUE(testing::matchesGolden("kalvora.tab", bytes));
    // Groups 1..5: 32 + 24 + 18 + 18 + 60 = 152 lines; 18 posting accounts; groups 7..10:
    // 40 + 40 + 150 + 240 = 470; 5,000 empty lines. Two codes of 4 digits and eleven of 8.
    EXPECT_EQ(bytes.size(), 2u * (152 + 18 + 470 + 5000) + 2 * 4 + 11 * 8);
    const std::vector<std::string> lines = files.readLines(drive.path(tabFile)).value();
    ASSERT_EQ(lines.size(), 5640u);
    EXPECT_EQ(lines[151], "");
    EXPECT_EQ(lines[152], "0202");
    EXPECT_EQ(lines[153], "2802");
    EXPECT_EQ(lines[160], "04010001");
    EXPECT_EQ(lines[161], "");
    EXPECT_EQ(lines[169], "02060001");
    EXPECT_EQ(lines[170], "");
}

}  // namespace
}  // namespace kalvora::tables
