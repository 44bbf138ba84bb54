#include "core/cp1252.h"
#include "core/text.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTripAndTheRestBecomesQuestionMarks) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string decoded = decodeCp1252(all);
    EXPECT_EQ(length(decoded), 256u);
    EXPECT_TRUE(fitsCp1252(decoded));
    EXPECT_EQ(encodeCp1252(decoded), all);
    EXPECT_EQ(decodeCp1252("Quantit\xE0 \x80"), "Quantità €");
    // No byte for it, a cut sequence, an overlong form (each byte replaced), a surrogate.
    EXPECT_EQ(encodeCp1252("a\u4E2Db|x\xC3|\xE0\x80\x80z|\xED\xA0\x80"), "a?b|x?|???z|???");
    // U+0080 has no byte (0x80 is the euro), U+0081 keeps its own; a lead byte cut at the end.
    EXPECT_EQ(encodeCp1252("\xC2\x80|\xC2\x81|\xC2\xA0\xC3\xBF|\xC2"), "?|\x81|\xA0\xFF|?");
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

// Lines are looked at eight bytes at a time: the first CR or LF is found wherever it lies, and
// bytes next to theirs in value (0x0B, 0x0C, 0x0E, 0x8A, 0x8D) are none.
TEST(Text, LineEndIsTheFirstCarriageReturnOrLineFeed) {
    const std::string plain = "Rossi \x0B\x0C Srl\x0E, via \x8A\x8D Garibaldi 15";
    EXPECT_EQ(lineEnd(plain, 0), plain.size());
    for (std::size_t at = 0; at <= plain.size(); ++at) {
        for (const std::string brk : {"\r", "\n", "\r\n"}) {
            const std::string text = plain.substr(0, at) + brk + plain.substr(at) + "\n";
            EXPECT_EQ(lineEnd(text, 0), at) << at;
            EXPECT_EQ(lineEnd(text, at + brk.size()), text.size() - 1) << at;
        }
    }
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
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericValue(text), value) << text.substr(0, 20);
    EXPECT_EQ(integerValue(" 01 Amministratore") + integerValue("-7.9"), -6);
    EXPECT_EQ(integerValue("99999999999"), 2147483647);
    EXPECT_EQ(integerValue("-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace kalvora::core
