#include "tables/currency_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

class CurrencyFileTest : public ::testing::Test {
protected:
    CurrencyFileTest() { drive.makeInstallation(); }

    std::array<std::string, 21> load(std::string_view content) {
        drive.write("kalwin/kalwin/kalvora.eur", content);
        return loadMissing();
    }
    std::array<std::string, 21> loadMissing() {
        std::array<std::string, 21> items;
        items.fill("stale");
        loadCurrency(files, drive.installation(), items);
        return items;
    }

    testing::TempDrive drive;
    core::Files files;
};

void expectDefaults(const std::array<std::string, 21>& items) {
    EXPECT_EQ(items[1], "1");
    EXPECT_EQ(items[2], "1936.27");
    EXPECT_EQ(items[3], "ITL");
    EXPECT_EQ(items[4], "EUR");
    EXPECT_EQ(items[5], "2");
    EXPECT_EQ(items[6], "0");
    EXPECT_EQ(items[11], "9");
}

TEST_F(CurrencyFileTest, MissingOrUnusableFileGivesTheDefaults) {
    expectDefaults(loadMissing());
    expectDefaults(load(""));
    expectDefaults(load("1\r\n1936.27\r\nITL\r\n"));  // fewer than five items
    expectDefaults(load(std::string("\0\xff\x01\r\n", 4)));
}

TEST_F(CurrencyFileTest, ItemsNotInTheFileAreCleared) {
    auto items = loadMissing();
    for (int i : {0, 7, 8, 9, 10, 12, 20})
        EXPECT_EQ(items[i], "") << "item " << i;
}

TEST_F(CurrencyFileTest, ReadsSevenLinesWithEitherLineEnd) {
    for (std::string_view end : {"\r\n", "\n"}) {
        std::string content;
        for (std::string_view v : {"0", "1936.27", "ITL", "EUR", "3", "a, b ,c ", "4"})
            content += std::string(v) + std::string(end);
        auto items = load(content);
        EXPECT_EQ(items[1], "0");
        EXPECT_EQ(items[2], "1936.27");
        EXPECT_EQ(items[3], "ITL");
        EXPECT_EQ(items[4], "EUR");
        EXPECT_EQ(items[5], "3");
        EXPECT_EQ(items[6], "a, b ,c ") << "line 6 is read whole";
        EXPECT_EQ(items[11], "4");
    }
}

TEST_F(CurrencyFileTest, FiveItemsOnOneLineSeparatedByCommas) {
    auto items = load("1, 1936.27 ,\"ITL\",EUR,4\r\n1\r\n5\r\n");
    EXPECT_EQ(items[1], "1");
    EXPECT_EQ(items[2], "1936.27");
    EXPECT_EQ(items[3], "ITL");
    EXPECT_EQ(items[4], "EUR");
    EXPECT_EQ(items[5], "4");
    EXPECT_EQ(items[6], "1");
    EXPECT_EQ(items[11], "5");
}

TEST_F(CurrencyFileTest, MissingSixthOrSeventhLineTakesItsDefault) {
    auto six = load("1\r\n1\r\nITL\r\nEUR\r\n2\r\n3\r\n");
    EXPECT_EQ(six[6], "3");
    EXPECT_EQ(six[11], "9");
    EXPECT_EQ(six[2], "1") << "items read keep their values";

    auto five = load("1\r\n1\r\nITL\r\nEUR\r\n2\r\n");
    EXPECT_EQ(five[6], "0");
    EXPECT_EQ(five[11], "9");
}

TEST_F(CurrencyFileTest, EuroFlagBecomesOneOrZeroByNumericValue) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"0.0", "0"}, {"0", "0"}, {"abc", "0"}, {"\"\"", "0"}, {"2", "1"}, {"-1", "1"}, {" 0.5", "1"},
    };
    for (const auto& [flag, expected] : cases) {
        auto items = load(std::string(flag) + "\r\n1936.27\r\nITL\r\nEUR\r\n2\r\n0\r\n9\r\n");
        EXPECT_EQ(items[1], expected) << "flag " << flag;
        EXPECT_EQ(items[3], "ITL");
    }
}

}  // namespace
}  // namespace kalvora::tables
