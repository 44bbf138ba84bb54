#include "tables/tables_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

TEST(DefaultTablesTest, NewCompanyFileMatchesTheGoldenFile) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    core::Files files;
    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.tab";
    ASSERT_EQ(writeDefaultTables(files, drive.path(rel)), 0);
    EXPECT_TRUE(testing::matchesGolden("kalvora.tab", drive.read(rel)));

    // The lines in memory are those of the file: 5,640, with T6 entries 1..9 from line 153.
    const std::vector<std::string> lines = defaultTablesLines();
    EXPECT_EQ(files.readLines(drive.path(rel)), lines);
    ASSERT_EQ(lines.size(), 5640u);
    EXPECT_EQ(lines[152], "0202");
    EXPECT_EQ(lines[169], "02060001");
}

}  // namespace
}  // namespace kalvora::tables
