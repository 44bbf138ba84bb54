#include "printing/listing_settings_file.h"

#include "core/cp1252.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

class ListingSettingsFileTest : public ::testing::Test {
protected:
    ListingSettingsFileTest() { drive.makeInstallation(); }

    core::ListingSettings load(const std::vector<std::string>& lines) {
        std::string content;
        for (const std::string& l : lines)
            content += l + "\r\n";
        drive.write(rel, core::encodeCp1252(content));
        return loadListingSettings(files, drive.path(rel));
    }

    const std::string rel = "kalwin/kalwin/kalvora.tbl";
    testing::TempDrive drive;
    core::Files files;
};

// Four edges and the grid type, then seven style groups of six lines as the settings window
// writes them.
std::vector<std::string> completeFile() {
    return {" 40 ", " 900 ", " 25 ", " 920 ", " 1 ",
            "5", "Courier New",     "10", "0", "0", "&h000000",
            "0", "Times New Roman", "16", "1", "0", "&h0000FF",
            "0", "Verdana",         "8",  "0", "1", "&hFF0000",
            "0", "Città Sans",      "11", "1", "1", "&H00ff00",
            "0", "Arial",           "9",  "0", "0", "8421504",
            "0", "Tahoma",          "12", "0", "0", "&h102030",
            "0", "Arial",           "9",  "0", "0", "&hFFFFFF",
            "0", "0",               "0",  "0", "0", "0"};
}

std::vector<int> edgesAndGrid(const core::ListingSettings& s) {
    return {s.leftEdge, s.rightEdge, s.topEdge, s.bottomEdge, s.gridType};
}

void expectStyle(const core::ListingStyle& s, std::string_view font, int size, bool bold, bool italic,
                 long colour) {
    EXPECT_EQ(s.fontName, font);
    EXPECT_EQ(s.size, size);
    EXPECT_EQ(s.bold, bold);
    EXPECT_EQ(s.italic, italic);
    EXPECT_EQ(s.colour, colour);
}

TEST_F(ListingSettingsFileTest, MissingFileGivesArialNineEverywhere) {
    const core::ListingSettings s = loadListingSettings(files, drive.path(rel));
    EXPECT_EQ(edgesAndGrid(s), (std::vector<int>{30, 950, 30, 950, 2}));
    for (const auto& style : s.styles)
        expectStyle(style, "Arial", 9, false, false, 0);
}

TEST_F(ListingSettingsFileTest, CompleteFileWithHexAndDecimalColours) {
    const core::ListingSettings s = load(completeFile());
    EXPECT_EQ(edgesAndGrid(s), (std::vector<int>{40, 900, 25, 920, 1}));
    expectStyle(s.styles[0], "Courier New", 10, false, false, 0);
    expectStyle(s.styles[1], "Times New Roman", 16, true, false, 255);
    expectStyle(s.styles[2], "Verdana", 8, false, true, 16711680);
    expectStyle(s.styles[3], "Città Sans", 11, true, true, 65280);
    expectStyle(s.styles[4], "Arial", 9, false, false, 8421504);
    expectStyle(s.styles[5], "Tahoma", 12, false, false, 0x102030);
}

TEST_F(ListingSettingsFileTest, ShortOrGarbledFileGivesTheDefaultsOfEachMissingGroup) {
    std::vector<std::string> lines = completeFile();
    lines.resize(5 + 6 + 2);  // group 1 stops after its font name
    const core::ListingSettings s = load(lines);
    EXPECT_EQ(s.rightEdge, 900);
    expectStyle(s.styles[0], "Courier New", 10, false, false, 0);
    expectStyle(s.styles[1], "Times New Roman", 14, false, false, 0);
    for (int g = 2; g < 6; ++g)
        expectStyle(s.styles[g], "Arial", 9, false, false, 0);

    const core::ListingSettings empty = load({});
    EXPECT_EQ(empty.leftEdge, 30);
    EXPECT_EQ(empty.styles[1].size, 14) << "a readable file without the heading group";
    EXPECT_EQ(empty.styles[2].size, 9);

    drive.write(rel, std::string("\0\xff\r\r\n\x80\n", 7) + std::string(200000, '9'));
    const core::ListingSettings garbled = loadListingSettings(files, drive.path(rel));
    EXPECT_EQ(garbled.rightEdge, 950);
    EXPECT_EQ(garbled.styles[5].fontName, "Arial");

    lines = completeFile();
    lines[5 + 1] = "Università Grotesk Condensed Extra Bold";
    lines[5 + 7] = "   ";
    const core::ListingSettings named = load(lines);
    EXPECT_EQ(named.styles[0].fontName, "Università Grotesk Condensed E") << "cut to 30 characters";
    EXPECT_EQ(named.styles[1].fontName, "Arial") << "a blank name keeps the default";
}

TEST_F(ListingSettingsFileTest, BadNumbersKeepDefaultsOrAreClamped) {
    std::vector<std::string> lines = completeFile();
    lines[0] = "abc";      // no number: default 30
    lines[1] = "";         // empty: default 950
    lines[2] = " -40 ";    // clamped to 0
    lines[3] = "1e300";    // clamped to 1000
    lines[4] = " 7 ";      // no such grid type
    lines[5 + 2] = "0";    // size 0 is no size
    lines[5 + 6 + 2] = "x";
    lines[5 + 12 + 2] = "99999";
    lines[5 + 18 + 2] = "10.6";
    lines[5 + 0 * 6 + 3] = "-1";   // true as the old programs wrote it
    lines[5 + 2 * 6 + 4] = "yes";  // not a number: default not italic
    lines[5 + 4 * 6 + 5] = "-5";
    lines[5 + 5 * 6 + 5] = "&h1000000";
    const core::ListingSettings s = load(lines);
    EXPECT_EQ(edgesAndGrid(s), (std::vector<int>{30, 950, 0, 1000, 2}));
    EXPECT_EQ(s.styles[0].size, 9);
    EXPECT_EQ(s.styles[1].size, 14);
    EXPECT_EQ(s.styles[2].size, 1638);
    EXPECT_EQ(s.styles[3].size, 11);
    EXPECT_TRUE(s.styles[0].bold);
    EXPECT_FALSE(s.styles[2].italic);
    EXPECT_EQ(s.styles[4].colour, 0);
    EXPECT_EQ(s.styles[5].colour, 0);
}

TEST(ParseColourTest, HexDigitsAreBlueGreenRedAndOutOfRangeIsBlack) {
    EXPECT_EQ(parseColour("&Hfcfaf3"), 16579315);
    EXPECT_EQ(parseColour(" &h00000000FF "), 255) << "leading zeros";
    EXPECT_EQ(parseColour("&h80zz"), 128) << "stops at the first other character";
    EXPECT_EQ(parseColour(" 16579315 "), 16579315);
    for (const char* bad : {"", "&h", "blue", "-1", "16777216", "&h1000000", "&hFFFFFFFFFFFFFFFFFFFF", "1e308"})
        EXPECT_EQ(parseColour(bad), 0) << bad;
}

}  // namespace
}  // namespace kalvora::printing
