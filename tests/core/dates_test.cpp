#include "core/dates.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Dates, TextFormsAndStrictParsing) {
    const Date d{2014, 12, 31};
    EXPECT_EQ(toDdMmYyyy(d) + " " + toYyyymmdd(d) + " " + toMmDdYyyy(d), "31/12/2014 20141231 12-31-2014");
    EXPECT_TRUE(parseMmDdYyyy("12-31-2014") == d && parseYyyymmdd("20141231") == d);
    EXPECT_EQ(parseDdMmYyyy("29/02/2024"), (Date{2024, 2, 29}));
    for (const char* text : {"1/12/2014", "31/12/14", "31-12-2014", "31/12/2014 ", " 31/12/2014", "3a/12/2014",
                             "29/02/2023", "29/02/1900", "31/04/2024", "00/01/2024", "01/13/2024", "01/01/0000",
                             "+1/01/2024", ""})
        EXPECT_FALSE(parseDdMmYyyy(text).has_value()) << text;
    EXPECT_FALSE(parseMmDdYyyy("31-12-2014") || parseYyyymmdd("2014123") || parseYyyymmdd("20140230"));
}

TEST(Dates, DayArithmetic) {
    EXPECT_EQ(toDayNumber({2000, 3, 1}), 11017);
    EXPECT_EQ(addDays({2024, 2, 28}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(addDays({2025, 1, 1}, -1), (Date{2024, 12, 31}));
    EXPECT_EQ(daysBetween({2025, 1, 1}, {2024, 1, 1}), -366);
    for (long long n = -800000; n <= 800000; n += 997) {
        const Date d = fromDayNumber(n);
        ASSERT_TRUE(isValid(d) || d.year < 1) << n;
        ASSERT_EQ(toDayNumber(d), n);
    }
    EXPECT_NO_THROW(addDays({2024, 1, 1}, 1LL << 62));
}

}  // namespace
}  // namespace kalvora::core
