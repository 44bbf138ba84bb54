#include "core/files.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

using Lines = std::vector<std::string>;

TEST(TextReader, AcceptsEveryLineEnd) {
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\r\nb\r", {"a", "b"}}, {"a\r\n\r\nb\n\n", {"a", "", "b", ""}}, {"", {}}};
    for (const auto& [text, expected] : cases) {
        TextReader reader(text);
        Lines lines;
        while (auto line = reader.readLine()) lines.push_back(*line);
        EXPECT_EQ(lines, expected);
    }
}

TEST(TextReader, ItemsSplitAtCommasAndLineEndsThenLinesGoOn) {
    TextReader r("  1, due ,\"tre, quattro\" ,\r\n\"cinque\"\r\n  \r\n\"x\"yz,w\n\"aperta, senza fine\r\nriga, intera\r\n");
    // The empty value after the last comma, a blank line, what follows a closing quote dropped,
    // an unclosed quote ends at its line end.
    for (const char* expected : {"1", "due", "tre, quattro", "", "cinque", "", "x", "w", "aperta, senza fine"})
        EXPECT_EQ(r.readItem(), expected);
    EXPECT_EQ(r.readLine(), "riga, intera");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readItem(), std::nullopt);
    EXPECT_EQ(r.readLine(), std::nullopt);
}

}  // namespace
}  // namespace kalvora::core
