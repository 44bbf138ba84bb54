#include "tables/tables_file.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using DefaultTablesTest = TablesTest;

TEST_F(DefaultTablesTest, NewCompanyFileMatchesTheGoldenFileAndTheCountsByHand) {
    ASSERT_EQ(writeDefaultTables(test.files, test.drive.path(tabFile)), 0);
    const std::string bytes = test.drive.read(tabFile);
    EXPECT_TRUE(testing::matchesGolden("kalvora.tab", bytes));
    // Groups 1..5: 32 + 24 + 18 + 18 + 60 = 152 lines; 18 posting accounts; groups 7..10:
    // 40 + 40 + 150 + 240 = 470; 5,000 empty lines. Two codes of 4 digits and eleven of 8.
    EXPECT_EQ(bytes.size(), 2u * (152 + 18 + 470 + 5000) + 2 * 4 + 11 * 8);
    const std::vector<std::string> lines = read();
    ASSERT_EQ(lines.size(), 5640u);
    // The last line of group 5, posting accounts, the first line of group 7.
    const std::pair<std::size_t, const char*> chosen[] = {{151, ""}, {152, "0202"}, {153, "2802"}, {160, "04010001"},
                                                          {161, ""}, {169, "02060001"}, {170, ""}};
    for (const auto& [i, text] : chosen) EXPECT_EQ(lines[i], text) << "line " << i + 1;
}

}  // namespace
}  // namespace kalvora::tables
