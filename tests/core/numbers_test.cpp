#include "core/amounts.h"
#include "core/numbers.h"
#include "core/text.h"

#include <limits>
#include <locale>
#include <stdexcept>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Numbers, ShortestDecimalHasNoLeadingZero) {
    EXPECT_EQ(shortestDecimal(0.5), ".5");
    EXPECT_EQ(shortestDecimal(33), "33");
    EXPECT_EQ(shortestDecimal(-2.25), "-2.25");
    EXPECT_EQ(shortestDecimal(0.1 + 0.2), ".3");  // 15 significant digits hide the noise
    EXPECT_EQ(shortestDecimal(123456789012345.0), "123456789012345");
    EXPECT_EQ(shortestDecimal(1e15), "1E+15");
    EXPECT_EQ(shortestDecimal(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(shortestDecimal(-0.0), "0");
    // The print form has a blank before a non-negative value and after; the Str form before only.
    EXPECT_EQ(printForm(0), " 0 ");
    EXPECT_EQ(printForm(-3), "-3 ");
    EXPECT_EQ(strForm(0.5), " .5");
    EXPECT_EQ(strForm(-5), "-5");
}

TEST(Amounts, RoundWithTheAddendOfFiftyOneHundredths) {
    EXPECT_DOUBLE_EQ(roundAmount(1.00495, true), 1.01);
    EXPECT_DOUBLE_EQ(roundAmount(1.0040, true), 1.00);
    EXPECT_DOUBLE_EQ(roundAmount(2.495, false), 3);
    EXPECT_DOUBLE_EQ(roundAmount(2.48, false), 2);
    EXPECT_DOUBLE_EQ(roundAmount(-1.234, true), -1.23);
}

TEST(Amounts, FormatShowsItalianSeparators) {
    EXPECT_EQ(formatAmount(0, true), "");
    EXPECT_EQ(formatAmount(1234567.891, true), "1.234.567,89");
    EXPECT_EQ(formatAmount(0.5, true), "0,50");
    EXPECT_EQ(formatAmount(-1234.5, true), "-1.234,50");
    EXPECT_EQ(formatAmount(999.5, false), "1.000");
}

TEST(Amounts, ParseUndoesTheFormat) {
    EXPECT_DOUBLE_EQ(parseAmount(" 1.234.567,89 "), 1234567.89);
    EXPECT_EQ(parseAmount("abc"), 0);
    for (double v : {0.01, 12.34, 1234567.89, -98765.43})
        EXPECT_DOUBLE_EQ(parseAmount(formatAmount(v, true)), v) << v;
}

TEST(Amounts, PatternsGroupAndPlaceDecimals) {
    EXPECT_EQ(formatPattern(1234567.5, "###,###,###,##0.#0"), "1,234,567.50");
    EXPECT_EQ(formatPattern(-0.004, "###,###,###,##0.#0"), "0.00");
    EXPECT_EQ(formatPattern(0, "###,###,###,###"), "");
    EXPECT_EQ(formatPattern(1.23456, "###,###,###,##0.###0"), "1.2346");
    EXPECT_EQ(formatPattern(1234.567, "#,###.##"), "1,234.57");
    EXPECT_EQ(formatPattern(0.5, "#,###.##"), ".5");
    EXPECT_EQ(formatPattern(999999.999, "###,###,###,##0.#0"), "1,000,000.00");
    // 1.005 and 2.675 are slightly below the half in binary; the decimal text decides.
    EXPECT_EQ(formatPattern(1.005, "###,###,###,##0.#0"), "1.01");
    EXPECT_EQ(formatPattern(-2.675, "###,###,###,##0.#0"), "-2.68");
    EXPECT_EQ(formatPattern(2.5, "###,###,###,###"), "3");
}

TEST(Amounts, LocaliseSwapsTheSeparators) {
    EXPECT_EQ(localiseNumber(1234567.5, "###,###,###,##0.#0"), "1.234.567,50");
    EXPECT_EQ(localiseNumber(1234.5, "#,###.##"), "1.234,5");
    EXPECT_EQ(localiseNumber(1234.5, "###,###,###,##0.###0", 2), "1.234,5000");
}

TEST(Amounts, NonFiniteValuesGiveEmptyOrZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(formatAmount(inf, true), "");
    EXPECT_EQ(formatPattern(nan, "#,###.##"), "");
    EXPECT_EQ(roundAmount(nan, true), 0);
    EXPECT_EQ(shortestDecimal(inf), "0");
    EXPECT_EQ(formatPattern(1e300, "###,###,###,###").size(), 301u + 100u);
}

// The system locale must not change any text: try one with a decimal comma if installed.
TEST(Amounts, FormattingIgnoresTheSystemLocale) {
    std::locale comma;
    bool found = false;
    for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        try {
            comma = std::locale(name);
            found = true;
            break;
        } catch (const std::runtime_error&) {
        }
    }
    if (!found)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::locale previous = std::locale::global(comma);
    const std::string formatted = formatAmount(1234567.891, true);
    const std::string printed = printForm(1936.27);
    const double parsed = parseAmount("1.234,5");
    const double value = numericValue("2.25");
    std::locale::global(previous);
    EXPECT_EQ(formatted, "1.234.567,89");
    EXPECT_EQ(printed, " 1936.27 ");
    EXPECT_DOUBLE_EQ(parsed, 1234.5);
    EXPECT_DOUBLE_EQ(value, 2.25);
}

}  // namespace
}  // namespace kalvora::core
