#include "tables/currency_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Items = std::array<std::string, 21>;

class CurrencyFileTest : public ::testing::Test {
protected:
    CurrencyFileTest() { drive.makeInstallation(); }

    // Items 1..6 and 11, after loading `content` (no file at all when nullopt).
    std::vector<std::string> load(std::optional<std::string> content) {
        if (content)
            drive.write("kalwin/kalwin/kalvora.eur", *content);
        items.fill("stale");
        loadCurrency(files, drive.installation(), items);
        return {items[1], items[2], items[3], items[4], items[5], items[6], items[11]};
    }

    testing::TempDrive drive;
    core::Files files;
    Items items;
};

const std::vector<std::string> defaults{"1", "1936.27", "ITL", "EUR", "2", "0", "9"};

TEST_F(CurrencyFileTest, MissingOrUnusableFileGivesTheDefaults) {
    EXPECT_EQ(load(std::nullopt), defaults);
    for (int i : {0, 7, 8, 9, 10, 12, 20})
        EXPECT_EQ(items[i], "") << "item " << i << " is not in the file";
    EXPECT_EQ(load(""), defaults);
    EXPECT_EQ(load("1\r\n1936.27\r\nITL\r\n"), defaults) << "fewer than five items";
    EXPECT_EQ(load(std::string("\0\xff\x01\r\n", 4)), defaults);
}

TEST_F(CurrencyFileTest, ReadsItemsThenWholeLines) {
    const std::vector<std::string> seven{"0", "1936.27", "ITL", "EUR", "3", "a, b ,c ", "4"};
    EXPECT_EQ(load("0\r\n1936.27\r\nITL\r\nEUR\r\n3\r\na, b ,c \r\n4\r\n"), seven) << "line 6 is read whole";
    EXPECT_EQ(load("1, 1936.27 ,\"ITL\",EUR,4\r\n1\r\n5\r\n"),
              (std::vector<std::string>{"1", "1936.27", "ITL", "EUR", "4", "1", "5"}));
    // A missing sixth or seventh line takes its default; the items read keep their values.
    EXPECT_EQ(load("1\r\n1\r\nITL\r\nEUR\r\n2\r\n3\r\n"),
              (std::vector<std::string>{"1", "1", "ITL", "EUR", "2", "3", "9"}));
    EXPECT_EQ(load("1\r\n1\r\nITL\r\nEUR\r\n2\r\n"),
              (std::vector<std::string>{"1", "1", "ITL", "EUR", "2", "0", "9"}));
}

TEST_F(CurrencyFileTest, EuroFlagBecomesOneOrZeroByNumericValue) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"0.0", "0"}, {"abc", "0"}, {"\"\"", "0"}, {"2", "1"}, {"-1", "1"}, {" 0.5", "1"},
    };
    for (const auto& [flag, expected] : cases)
        EXPECT_EQ(load(std::string(flag) + "\r\n1936.27\r\nITL\r\nEUR\r\n2\r\n0\r\n9\r\n")[0], expected)
            << "flag " << flag;
}

}  // namespace
}  // namespace kalvora::tables
