#include "printing/listing_settings_file.h"

#include "core/cp1252.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

class ListingSettingsFileTest : public ::testing::Test {
protected:
    ListingSettingsFileTest() { drive.makeInstallation(); }

    core::ListingSettings load(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
        std::string content;
        for (const std::string& l : lines)
            content += l + std::string(end);
        drive.write(rel, core::encodeCp1252(content));
        return loadListingSettings(files, drive.path(rel));
    }

    const std::string rel = "kalwin/kalwin/kalvora.tbl";
    testing::TempDrive drive;
    core::Files files;
};

// One style group as the settings window writes it.
std::vector<std::string> group(std::string lead, std::string font, std::string size, std::string bold,
                               std::string italic, std::string colour) {
    return {lead, font, size, bold, italic, colour};
}

std::vector<std::string> completeFile() {
    std::vector<std::string> lines = {" 40 ", " 900 ", " 25 ", " 920 ", " 1 "};
    auto add = [&](std::vector<std::string> g) { lines.insert(lines.end(), g.begin(), g.end()); };
    add(group("5", "Courier New", "10", "0", "0", "&h000000"));
    add(group("0", "Times New Roman", "16", "1", "0", "&h0000FF"));
    add(group("0", "Verdana", "8", "0", "1", "&hFF0000"));
    add(group("0", "Città Sans", "11", "1", "1", "&H00ff00"));
    add(group("0", "Arial", "9", "0", "0", "8421504"));
    add(group("0", "Tahoma", "12", "0", "0", "&h102030"));
    add(group("0", "Arial", "9", "0", "0", "&hFFFFFF"));  // group 6
    for (int i = 0; i < 6; ++i)
        lines.push_back("0");  // group 7
    return lines;
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
    EXPECT_EQ(s.leftEdge, 30);
    EXPECT_EQ(s.rightEdge, 950);
    EXPECT_EQ(s.topEdge, 30);
    EXPECT_EQ(s.bottomEdge, 950);
    EXPECT_EQ(s.gridType, 2);
    for (const auto& style : s.styles)
        expectStyle(style, "Arial", 9, false, false, 0);
}

TEST_F(ListingSettingsFileTest, CompleteFileWithHexAndDecimalColours) {
    for (std::string_view end : {"\r\n", "\n"}) {
        const core::ListingSettings s = load(completeFile(), end);
        EXPECT_EQ(s.leftEdge, 40);
        EXPECT_EQ(s.rightEdge, 900);
        EXPECT_EQ(s.topEdge, 25);
        EXPECT_EQ(s.bottomEdge, 920);
        EXPECT_EQ(s.gridType, 1);
        expectStyle(s.styles[0], "Courier New", 10, false, false, 0);
        expectStyle(s.styles[1], "Times New Roman", 16, true, false, 255);
        expectStyle(s.styles[2], "Verdana", 8, false, true, 16711680);
        expectStyle(s.styles[3], "Città Sans", 11, true, true, 65280);
        expectStyle(s.styles[4], "Arial", 9, false, false, 8421504);
        expectStyle(s.styles[5], "Tahoma", 12, false, false, 0x102030);
    }
}

TEST_F(ListingSettingsFileTest, ShortFileGivesTheDefaultsOfEachMissingGroup) {
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
    EXPECT_EQ(empty.gridType, 2);
    EXPECT_EQ(empty.styles[1].size, 14) << "a readable file without the heading group";
    EXPECT_EQ(empty.styles[2].size, 9);
}

TEST_F(ListingSettingsFileTest, FontNameIsCutToThirtyCharacters) {
    std::vector<std::string> lines = completeFile();
    const std::string name = "Università Grotesk Condensed Extra Bold";
    lines[5 + 1] = name;
    const core::ListingSettings s = load(lines);
    EXPECT_EQ(s.styles[0].fontName, "Università Grotesk Condensed E");
    lines[5 + 1] = "   ";
    EXPECT_EQ(load(lines).styles[0].fontName, "Arial") << "a blank name keeps the default";
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
    EXPECT_EQ(s.leftEdge, 30);
    EXPECT_EQ(s.rightEdge, 950);
    EXPECT_EQ(s.topEdge, 0);
    EXPECT_EQ(s.bottomEdge, 1000);
    EXPECT_EQ(s.gridType, 2);
    EXPECT_EQ(s.styles[0].size, 9);
    EXPECT_EQ(s.styles[1].size, 14);
    EXPECT_EQ(s.styles[2].size, 1638);
    EXPECT_EQ(s.styles[3].size, 11);
    EXPECT_TRUE(s.styles[0].bold);
    EXPECT_FALSE(s.styles[2].italic);
    EXPECT_EQ(s.styles[4].colour, 0);
    EXPECT_EQ(s.styles[5].colour, 0);
}

TEST_F(ListingSettingsFileTest, GarbageFileNeverFails) {
    drive.write(rel, std::string("\0\xff\r\r\n\x80\n", 7) + std::string(200000, '9'));
    const core::ListingSettings s = loadListingSettings(files, drive.path(rel));
    EXPECT_EQ(s.rightEdge, 950);
    EXPECT_EQ(s.styles[5].fontName, "Arial");
}

TEST(ParseColourTest, HexDigitsAreBlueGreenRed) {
    EXPECT_EQ(parseColour("&h000000"), 0);
    EXPECT_EQ(parseColour("&hFFFFFF"), 16777215);
    EXPECT_EQ(parseColour("&h0000FF"), 255);
    EXPECT_EQ(parseColour("&h00FF00"), 256 * 255);
    EXPECT_EQ(parseColour("&hFF0000"), 65536 * 255);
    EXPECT_EQ(parseColour("&Hfcfaf3"), 16579315);
    EXPECT_EQ(parseColour(" &hFF "), 255);
    EXPECT_EQ(parseColour("&h00000000FF"), 255) << "leading zeros";
    EXPECT_EQ(parseColour("&h80zz"), 128) << "stops at the first other character";
}

TEST(ParseColourTest, DecimalAndOutOfRange) {
    EXPECT_EQ(parseColour("16579315"), 16579315);
    EXPECT_EQ(parseColour(" 255 "), 255);
    EXPECT_EQ(parseColour(""), 0);
    EXPECT_EQ(parseColour("&h"), 0);
    EXPECT_EQ(parseColour("blue"), 0);
    EXPECT_EQ(parseColour("-1"), 0);
    EXPECT_EQ(parseColour("16777216"), 0);
    EXPECT_EQ(parseColour("&h1000000"), 0);
    EXPECT_EQ(parseColour("&hFFFFFFFFFFFFFFFFFFFF"), 0);
    EXPECT_EQ(parseColour("1e308"), 0);
}

}  // namespace
}  // namespace kalvora::printing
