#include "core/files.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

std::vector<std::string> allLines(std::string text) {
    TextReader reader(std::move(text));
    std::vector<std::string> lines;
    while (auto line = reader.readLine())
        lines.push_back(*line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextReader, AcceptsEveryLineEnd) {
    EXPECT_EQ(allLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(allLines("a\r\nb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(allLines("a\r\n\r\nb\n\n"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(allLines(""), Lines{});
}

TEST(TextReader, ItemsSplitAtCommasAndLineEnds) {
    TextReader r("  1, due ,\"tre, quattro\" ,\r\n\"cinque\"\r\n  \r\nsei");
    EXPECT_EQ(r.readItem(), "1");
    EXPECT_EQ(r.readItem(), "due");
    EXPECT_EQ(r.readItem(), "tre, quattro");
    EXPECT_EQ(r.readItem(), "");  // the empty value after the last comma
    EXPECT_EQ(r.readItem(), "cinque");
    EXPECT_EQ(r.readItem(), "");  // a blank line
    EXPECT_EQ(r.readItem(), "sei");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readItem(), std::nullopt);
}

TEST(TextReader, ItemsThenLinesContinueOnTheNextLine) {
    TextReader r("1\r\n2\r\n\"3\"\r\n4\n5\r\nsesta riga, intera\r\nsettima");
    for (const char* expected : {"1", "2", "3", "4", "5"})
        EXPECT_EQ(r.readItem(), expected);
    EXPECT_EQ(r.readLine(), "sesta riga, intera");
    EXPECT_EQ(r.readLine(), "settima");
    EXPECT_EQ(r.readLine(), std::nullopt);
}

TEST(TextReader, UnclosedQuoteStopsAtTheLineEnd) {
    TextReader r("\"aperta, senza fine\r\nseconda\r\n");
    EXPECT_EQ(r.readItem(), "aperta, senza fine");
    EXPECT_EQ(r.readLine(), "seconda");
    TextReader q("\"x\"yz,w");
    EXPECT_EQ(q.readItem(), "x");
    EXPECT_EQ(q.readItem(), "w");
}

}  // namespace
}  // namespace kalvora::core
