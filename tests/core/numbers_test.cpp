#include "core/amounts.h"
#include "core/numbers.h"
#include "core/text.h"

#include <cmath>
#include <limits>
#include <locale>
#include <optional>
#include <stdexcept>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Numbers, ShortestDecimalAndThePrintForms) {
    const std::pair<double, const char*> cases[] = {
        {0.5, ".5"},       {33, "33"}, {-2.25, "-2.25"}, {0.1 + 0.2, ".3"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"}, {-2.5e-7, "-2.5E-07"}, {-0.0, "0"}, {std::numeric_limits<double>::infinity(), "0"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(shortestDecimal(value), text) << value;
    // The print form has a blank before a non-negative value and after; the Str form before only.
    EXPECT_EQ(printForm(0) + printForm(-3) + strForm(0.5) + strForm(-5), " 0 -3  .5-5");
}

TEST(Amounts, RoundFormatAndParse) {
    EXPECT_DOUBLE_EQ(roundAmount(1.00495, true), 1.01);  // the addend of fifty-one hundredths
    EXPECT_DOUBLE_EQ(roundAmount(2.495, false), 3);
    EXPECT_DOUBLE_EQ(roundAmount(-1.234, true), -1.23);
    EXPECT_EQ(roundAmount(std::numeric_limits<double>::quiet_NaN(), true), 0);
    const std::pair<double, const char*> formats[] = {
        {0, ""}, {1234567.891, "1.234.567,89"}, {0.5, "0,50"}, {-1234.5, "-1.234,50"},
        {std::numeric_limits<double>::infinity(), ""}};
    for (const auto& [value, text] : formats)
        EXPECT_EQ(formatAmount(value, true), text) << value;
    EXPECT_EQ(formatAmount(999.5, false), "1.000");
    EXPECT_EQ(parseAmount("abc"), 0);
    for (double v : {0.01, 12.34, 1234567.89, -98765.43})
        EXPECT_DOUBLE_EQ(parseAmount(formatAmount(v, true)), v) << v;
}

TEST(Amounts, PatternsGroupPlaceDecimalsAndLocalise) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {1234567.5, "###,###,###,##0.#0", "1,234,567.50"}, {-0.004, "###,###,###,##0.#0", "0.00"},
        {0, "###,###,###,###", ""},                        {1.23456, "###,###,###,##0.###0", "1.2346"},
        {1234.567, "#,###.##", "1,234.57"},                {0.5, "#,###.##", ".5"},
        {999999.999, "###,###,###,##0.#0", "1,000,000.00"},
        // 1.005 and 2.675 are slightly below the half in binary; the decimal text decides.
        {1.005, "###,###,###,##0.#0", "1.01"},             {-2.675, "###,###,###,##0.#0", "-2.68"},
        {2.5, "###,###,###,###", "3"},                     {std::nan(""), "#,###.##", ""}};
    for (const auto& [value, format, text] : cases)
        EXPECT_EQ(formatPattern(value, format), text) << value << " " << format;
    EXPECT_EQ(localiseNumber(1234567.5, "###,###,###,##0.#0"), "1.234.567,50");
    EXPECT_EQ(localiseNumber(1234.5, "###,###,###,##0.###0", 2), "1.234,5000");
}

// The system locale must not change any text: try one with a decimal comma if installed.
TEST(Amounts, FormattingIgnoresTheSystemLocale) {
    std::optional<std::locale> comma;
    for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"})
        try {
            if (!comma) comma.emplace(name);
        } catch (const std::runtime_error&) {
        }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::locale previous = std::locale::global(*comma);
    const std::string texts = formatAmount(1234567.891, true) + printForm(1936.27);
    const double parsed = parseAmount("1.234,5") + numericValue("2.25");
    std::locale::global(previous);
    EXPECT_EQ(texts, "1.234.567,89 1936.27 ");
    EXPECT_DOUBLE_EQ(parsed, 1236.75);
}

}  // namespace
}  // namespace kalvora::core
