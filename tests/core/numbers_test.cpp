#include "core/amounts.h"
#include "core/dates.h"
#include "core/numbers.h"
#include "core/text.h"

#include <cmath>
#include <limits>
#include <locale>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Numbers, ShortestDecimalAndThePrintForms) {
    const std::pair<double, const char*> cases[] = {
        {0.5, ".5"},       {33, "33"}, {-2.25, "-2.25"}, {0.1 + 0.2, ".3"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"}, {-2.5e-7, "-2.5E-07"}, {-0.0, "0"}, {std::numeric_limits<double>::infinity(), "0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(shortestDecimal(value), text) << value;
    // The print form has a blank before a non-negative value and after; the Str form before only.
    EXPECT_EQ(printForm(0) + printForm(-3) + strForm(0.5) + strForm(-5), " 0 -3  .5-5");
}

TEST(Amounts, RoundFormatAndParse) {
    // Rounding adds fifty-one hundredths of the last place kept.
    for (const auto& [value, cents, rounded] : {std::tuple{1.00495, true, 1.01}, {2.495, false, 3.0},
                                                {-1.234, true, -1.23}, {std::nan(""), true, 0.0}})
        EXPECT_DOUBLE_EQ(roundAmount(value, cents), rounded) << value;
    const std::tuple<double, bool, const char*> formats[] = {
        {0, true, ""},          {1234567.891, true, "1.234.567,89"}, {0.5, true, "0,50"}, {-1234.5, true, "-1.234,50"},
        {999.5, false, "1.000"}, {std::numeric_limits<double>::infinity(), true, ""}};
    for (const auto& [value, cents, text] : formats) EXPECT_EQ(formatAmount(value, cents), text) << value;
    EXPECT_EQ(parseAmount("abc"), 0);
    for (double v : {0.01, 12.34, 1234567.89, -98765.43}) EXPECT_DOUBLE_EQ(parseAmount(formatAmount(v, true)), v) << v;
}

TEST(Amounts, PatternsGroupPlaceDecimalsAndLocalise) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {1234567.5, "###,###,###,##0.#0", "1,234,567.50"}, {-0.004, "###,###,###,##0.#0", "0.00"},
        {0, "###,###,###,###", ""},                        {1.23456, "###,###,###,##0.###0", "1.2346"},
        {1234.567, "#,###.##", "1,234.57"},                {0.5, "#,###.##", ".5"},
        // 1.005 and 2.675 are slightly below the half in binary; the decimal text decides.
        {1.005, "###,###,###,##0.#0", "1.01"},             {-2.675, "###,###,###,##0.#0", "-2.68"},
        {999999.999, "###,###,###,##0.#0", "1,000,000.00"}, {std::nan(""), "#,###.##", ""}};
    for (const auto& [value, format, text] : cases)
        EXPECT_EQ(formatPattern(value, format), text) << value << " " << format;
    EXPECT_EQ(localiseNumber(1234567.5, "###,###,###,##0.#0"), "1.234.567,50");
    EXPECT_EQ(localiseNumber(1234.5, "###,###,###,##0.###0", 2), "1.234,5000");
}

// A decimal comma and a point between thousands, as an Italian system locale has them.
struct ItalianPunctuation final : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(Amounts, FormattingIgnoresTheSystemLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new ItalianPunctuation));
    const std::string texts = formatAmount(1234567.891, true) + printForm(1936.27) + shortestDecimal(0.5);
    const double parsed = parseAmount("1.234,5") + numericValue("2.25");
    std::locale::global(previous);
    EXPECT_EQ(texts, "1.234.567,89 1936.27 .5");
    EXPECT_DOUBLE_EQ(parsed, 1236.75);
}

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
