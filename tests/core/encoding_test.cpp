#include "core/cp1252.h"
#include "core/text.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTripAndTheRestBecomesQuestionMarks) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string decoded = decodeCp1252(all);
    EXPECT_EQ(length(decoded), 256u);
    EXPECT_TRUE(fitsCp1252(decoded));
    EXPECT_EQ(encodeCp1252(decoded), all);
    EXPECT_EQ(decodeCp1252("Quantit\xE0 \x80"), "Quantità €");
    // No byte for it, a cut sequence, an overlong form (each byte replaced), a surrogate.
    EXPECT_EQ(encodeCp1252("a\u4E2Db|x\xC3|\xE0\x80\x80z|\xED\xA0\x80"), "a?b|x?|???z|???");
    EXPECT_FALSE(fitsCp1252("\u4E2D") || fitsCp1252("\xFF"));
}

TEST(Text, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(length("Città") + length("a\xFF\xFE" "b"), 9u);  // a malformed byte counts as one character
    EXPECT_EQ(left("Città di Castello", 5) + right("Quantità", 3) + mid("Quantità totale", 6, 3), "Cittàitàità");
    EXPECT_EQ(mid("àèì", 9) + padRight("Città", 7) + padRight("Quantità", 7), "Città  Quantit");
    EXPECT_EQ(trim("\t Città  ") + threeDigits(7) + threeDigits(1234), "\t Città007234");  // blanks only
}

TEST(Text, SingleLineBlanksEveryLineBreakAndControl) {
    EXPECT_EQ(singleLine("Via\r\nRoma\t1\x7f"), "Via  Roma 1 ");
    EXPECT_EQ(singleLine("a\u2028b\u2029c"), "a b c");
    EXPECT_EQ(singleLine("perché € \u2027 \xE2\x80"), "perché € \u2027 \xE2\x80");  // a cut sequence is kept
    // Long values are looked at eight bytes at a time: a break anywhere is still found.
    const std::string plain = "Rossi Mario Srl, via Garibaldi 15 ~ Z";
    for (std::size_t at = 0; at < plain.size(); ++at) {
        for (const std::string& bad : {std::string("\r"), std::string("\x01"), std::string("\x7F"), std::string("\u2028")}) {
            std::string text = plain;
            text.insert(at, bad);
            std::string expected = plain;
            expected.insert(at, bad == "\u2028" ? " " : std::string(bad.size(), ' '));
            EXPECT_EQ(singleLine(text), expected) << at;
        }
    }
    EXPECT_EQ(singleLine(plain), plain);
}

TEST(Text, CaseOfLatinLettersAndNumericValues) {
    EXPECT_EQ(upper("città è perché ÷ß"), "CITTÀ È PERCHÉ ÷ß");
    EXPECT_EQ(lower("QUANTITÀ ÒÙ"), "quantità òù");
    EXPECT_TRUE(equalsIgnoreCase("Città", "CITTÀ"));
    EXPECT_FALSE(equalsIgnoreCase("Citta", "Città") || equalsIgnoreCase("abc", "abcd"));
    const std::pair<std::string, double> cases[] = {
        {"  12.5abc", 12.5}, {"+.25", 0.25}, {"1.5E3", 1500}, {"2e", 2},  {"1.2.3", 1.2}, {"1 2", 1},
        {"abc", 0},          {"-", 0},       {"1e999", 0},    {std::string(5000, '9') + "x", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(numericValue(text), value) << text.substr(0, 20);
    EXPECT_EQ(integerValue(" 01 Amministratore") + integerValue("-7.9"), -6);
    EXPECT_EQ(integerValue("99999999999"), 2147483647);
    EXPECT_EQ(integerValue("-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace kalvora::core
