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
    EXPECT_EQ(decodeCp1252("Quantit\xE0 \x80"), "Quantità €");
}

TEST(Cp1252, UnmappableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(encodeCp1252("a\u4E2Db"), "a?b");         // a character with no byte
    EXPECT_EQ(encodeCp1252("x\xC3"), "x?");              // cut sequence at the end
    EXPECT_EQ(encodeCp1252("\xE0\x80\x80z"), "???z");    // overlong, each byte replaced
    EXPECT_EQ(encodeCp1252("\xED\xA0\x80"), "???");      // surrogate
    EXPECT_FALSE(fitsCp1252("\u4E2D"));
    EXPECT_FALSE(fitsCp1252("\xFF"));
}

TEST(Text, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(length("Città"), 5u);
    EXPECT_EQ(left("Città di Castello", 5), "Città");
    EXPECT_EQ(right("Quantità", 3), "ità");
    EXPECT_EQ(mid("Quantità totale", 6, 3), "ità");
    EXPECT_EQ(mid("àèì", 9), "");
    EXPECT_EQ(padRight("Città", 7), "Città  ");
    EXPECT_EQ(padRight("Quantità", 7), "Quantit");
    EXPECT_EQ(length("a\xFF\xFE" "b"), 4u);  // a malformed byte counts as one character
    EXPECT_EQ(trim("\t Città  "), "\t Città");  // blanks only
    EXPECT_EQ(threeDigits(7), "007");
    EXPECT_EQ(threeDigits(1234), "234");
}

TEST(Text, SingleLineBlanksEveryLineBreakAndControl) {
    EXPECT_EQ(singleLine("Via\r\nRoma\t1\x7f"), "Via  Roma 1 ");
    EXPECT_EQ(singleLine("a\u2028b\u2029c"), "a b c");
    EXPECT_EQ(singleLine("Città \xE2\x80"), "Città \xE2\x80");  // a cut sequence is kept
    EXPECT_EQ(singleLine("perché € \u2027"), "perché € \u2027");
}

TEST(Text, ChangesCaseOfLatinLetters) {
    EXPECT_EQ(upper("città è perché"), "CITTÀ È PERCHÉ");
    EXPECT_EQ(lower("QUANTITÀ ÒÙ"), "quantità òù");
    EXPECT_EQ(upper("÷ß"), "÷ß");
    EXPECT_TRUE(equalsIgnoreCase("Città", "CITTÀ"));
    EXPECT_FALSE(equalsIgnoreCase("Citta", "Città"));
    EXPECT_FALSE(equalsIgnoreCase("abc", "abcd"));
}

TEST(Text, NumericValueReadsLikeVal) {
    const std::pair<std::string, double> cases[] = {
        {"  12.5abc", 12.5}, {"+.25", 0.25}, {"1.5E3", 1500}, {"2e", 2},  {"1.2.3", 1.2}, {"1 2", 1},
        {"abc", 0},          {"-", 0},       {"1e999", 0},    {std::string(5000, '9') + "x", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(numericValue(text), value) << text.substr(0, 20);
    EXPECT_EQ(integerValue(" 01 Amministratore"), 1);
    EXPECT_EQ(integerValue("-7.9"), -7);
    EXPECT_EQ(integerValue("99999999999"), 2147483647);
    EXPECT_EQ(integerValue("-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace kalvora::core
