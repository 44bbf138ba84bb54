#include "core/cp1252.h"
#include "core/text.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string decoded = decodeCp1252(all);
    EXPECT_EQ(length(decoded), 256u);
    EXPECT_TRUE(fitsCp1252(decoded));
    EXPECT_EQ(encodeCp1252(decoded), all);
}

TEST(Cp1252, DecodesTheAccentedLettersAndTheEuroSign) {
    EXPECT_EQ(decodeCp1252("Citt\xE0"), "Città");
    EXPECT_EQ(decodeCp1252("Quantit\xE0"), "Quantità");
    EXPECT_EQ(decodeCp1252("\x80"), "€");
    EXPECT_EQ(decodeCp1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(encodeCp1252("Città € È"), "Citt\xE0 \x80 \xC8");
}

TEST(Cp1252, UnmappableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(encodeCp1252("a\u4E2Db"), "a?b");         // a character with no byte
    EXPECT_EQ(encodeCp1252("x\xC3"), "x?");              // cut sequence at the end
    EXPECT_EQ(encodeCp1252("\xE0\x80\x80z"), "???z");    // overlong, each byte replaced
    EXPECT_EQ(encodeCp1252("\xED\xA0\x80"), "???");      // surrogate
    EXPECT_FALSE(fitsCp1252("\u4E2D"));
    EXPECT_FALSE(fitsCp1252("\xFF"));
    EXPECT_TRUE(fitsCp1252("Perché ŠŽ‰"));
}

TEST(Text, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(length("Città"), 5u);
    EXPECT_EQ(left("Città di Castello", 5), "Città");
    EXPECT_EQ(right("Quantità", 3), "ità");
    EXPECT_EQ(mid("Quantità totale", 6, 3), "ità");
    EXPECT_EQ(mid("àèì", 2), "èì");
    EXPECT_EQ(mid("àèì", 9), "");
    EXPECT_EQ(padRight("Città", 7), "Città  ");
    EXPECT_EQ(padRight("Quantità", 7), "Quantit");
    EXPECT_EQ(length(padRight("è", 200)), 200u);
    EXPECT_EQ(length("a\xFF\xFE" "b"), 4u);  // a malformed byte counts as one character
}

TEST(Text, TrimsOnlyBlanks) {
    EXPECT_EQ(trim("  Città  "), "Città");
    EXPECT_EQ(trimLeft("  a "), "a ");
    EXPECT_EQ(trimRight("  a "), "  a");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");
    EXPECT_EQ(trim("    "), "");
}

TEST(Text, ChangesCaseOfLatinLetters) {
    EXPECT_EQ(upper("città è perché"), "CITTÀ È PERCHÉ");
    EXPECT_EQ(lower("QUANTITÀ ÒÙ"), "quantità òù");
    EXPECT_EQ(upper("÷ß"), "÷ß");
    EXPECT_TRUE(equalsIgnoreCase("KALVORA.TAB", "kalvora.tab"));
    EXPECT_TRUE(equalsIgnoreCase("Città", "CITTÀ"));
    EXPECT_FALSE(equalsIgnoreCase("Citta", "Città"));
    EXPECT_FALSE(equalsIgnoreCase("abc", "abcd"));
}

TEST(Text, SplitsAndPrefixes) {
    EXPECT_EQ(split("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(split("", ','), (std::vector<std::string>{""}));
    EXPECT_TRUE(startsWith("kalaz0.001", "kalaz0."));
    EXPECT_FALSE(startsWith("kal", "kalaz"));
}

TEST(Text, CompanyCodesHaveThreeDigits) {
    EXPECT_EQ(threeDigits(0), "000");
    EXPECT_EQ(threeDigits(7), "007");
    EXPECT_EQ(threeDigits(999), "999");
    EXPECT_EQ(threeDigits(1234), "234");
}

TEST(Text, NumericValueReadsLikeVal) {
    EXPECT_DOUBLE_EQ(numericValue("  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(numericValue("-3"), -3);
    EXPECT_DOUBLE_EQ(numericValue("+.25"), 0.25);
    EXPECT_DOUBLE_EQ(numericValue("1.5E3"), 1500);
    EXPECT_DOUBLE_EQ(numericValue("2e"), 2);
    EXPECT_DOUBLE_EQ(numericValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(numericValue("1 2"), 1);
    EXPECT_EQ(numericValue("abc"), 0);
    EXPECT_EQ(numericValue(""), 0);
    EXPECT_EQ(numericValue("-"), 0);
    EXPECT_EQ(numericValue("."), 0);
    EXPECT_EQ(numericValue("1e999"), 0);  // never infinity
    EXPECT_EQ(numericValue(std::string(5000, '9') + "x"), 0);
}

TEST(Text, IntegerValueTruncatesAndClamps) {
    EXPECT_EQ(integerValue(" 01 Amministratore"), 1);
    EXPECT_EQ(integerValue("-7.9"), -7);
    EXPECT_EQ(integerValue("99999999999"), 2147483647);
    EXPECT_EQ(integerValue("-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace kalvora::core
