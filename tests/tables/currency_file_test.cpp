#include "tables/currency_file.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

class CurrencyFileTest : public TablesTest {
protected:
    // Items 1..6 and 11, after loading `content` (no file at all when nullopt).
    std::vector<std::string> load(const std::optional<std::string>& content) {
        if (content) test.drive.write("kalwin/kalwin/kalvora.eur", *content);
        std::array<std::string, 21> items;
        items.fill("stale");
        loadCurrency(test.files, test.drive.installation(), items);
        return {items[1], items[2], items[3], items[4], items[5], items[6], items[11]};
    }
};

TEST_F(CurrencyFileTest, ReadsFiveItemsThenWholeLinesOrTheDefaultsAndAOneOrZeroFlag) {
    const std::vector<std::string> defaults{"1", "1936.27", "ITL", "EUR", "2", "0", "9"};
    const std::pair<std::optional<std::string>, std::vector<std::string>> cases[] = {
        {std::nullopt, defaults},
        {"1\r\n1936.27\r\nITL\r\n", defaults},  // fewer than five items
        {"0\r\n1936.27\r\nITL\r\nEUR\r\n3\r\na, b ,c \r\n4\r\n", {"0", "1936.27", "ITL", "EUR", "3", "a, b ,c ", "4"}},
        {"1, 1936.27 ,\"ITL\",EUR,4\r\n1\r\n5\r\n", {"1", "1936.27", "ITL", "EUR", "4", "1", "5"}},
        // A missing sixth or seventh line takes its default; the items read keep their values.
        {"1\r\n1\r\nITL\r\nEUR\r\n2\r\n", {"1", "1", "ITL", "EUR", "2", "0", "9"}},
    };
    for (const auto& [content, expected] : cases) EXPECT_EQ(load(content), expected) << content.value_or("no file");
    // The euro flag becomes one or zero by its numeric value.
    const std::pair<std::string_view, std::string_view> flags[] = {
        {"0.0", "0"}, {"abc", "0"}, {"\"\"", "0"}, {"-1", "1"}, {" 0.5", "1"}};
    for (const auto& [flag, expected] : flags)
        EXPECT_EQ(load(std::string(flag) + "\r\n1936.27\r\nITL\r\nEUR\r\n2\r\n0\r\n9\r\n")[0], expected) << flag;
}

}  // namespace
}  // namespace kalvora::tables
