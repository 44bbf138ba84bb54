#include "printing/listing_settings_file.h"

#include "core/cp1252.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

using Summary = std::vector<std::string>;

// The edges and the grid type, then each style as "font size bold+italic colour".
Summary summary(const core::ListingSettings& s) {
    Summary out{std::to_string(s.leftEdge) + " " + std::to_string(s.rightEdge) + " " + std::to_string(s.topEdge) +
                " " + std::to_string(s.bottomEdge) + " " + std::to_string(s.gridType)};
    for (const core::ListingStyle& st : s.styles)
        out.push_back(st.fontName + " " + std::to_string(st.size) + " " + std::to_string(st.bold) +
                      std::to_string(st.italic) + " " + std::to_string(st.colour));
    return out;
}

class ListingSettingsFileTest : public ::testing::Test {
protected:
    ListingSettingsFileTest() { drive.makeInstallation(); }

    // The settings read from these lines, written with CR LF in Windows-1252.
    Summary load(const std::vector<std::string>& lines) {
        std::string content;
        for (const std::string& l : lines) content += l + "\r\n";
        drive.write(rel, core::encodeCp1252(content));
        return summary(loadListingSettings(files, drive.path(rel)));
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

const std::string arial = "Arial 9 00 0";

TEST_F(ListingSettingsFileTest, MissingEmptyCompleteAndShortFiles) {
    EXPECT_EQ(summary(loadListingSettings(files, drive.path(rel))),
              (Summary{"30 950 30 950 2", arial, arial, arial, arial, arial, arial}));
    EXPECT_EQ(load({})[2], "Arial 14 00 0");  // a readable file without the heading group
    std::vector<std::string> lines = completeFile();
    EXPECT_EQ(load(lines), (Summary{"40 900 25 920 1", "Courier New 10 00 0", "Times New Roman 16 10 255",
                                    "Verdana 8 01 16711680", "Città Sans 11 11 65280", "Arial 9 00 8421504",
                                    "Tahoma 12 00 1056816"}));
    lines.resize(5 + 6 + 2);  // group 1 stops after its font name
    EXPECT_EQ(load(lines), (Summary{"40 900 25 920 1", "Courier New 10 00 0", "Times New Roman 14 00 0", arial,
                                    arial, arial, arial}));
}

TEST_F(ListingSettingsFileTest, BadValuesKeepDefaultsOrAreClamped) {
    std::vector<std::string> lines = completeFile();
    lines[0] = "abc";      // no number: default 30
    lines[1] = "";         // empty: default 950
    lines[2] = " -40 ";    // clamped to 0
    lines[3] = "1e300";    // clamped to 1000
    lines[4] = " 7 ";      // no such grid type
    lines[5 + 1] = "Università Grotesk Condensed Extra Bold";  // cut to 30 characters
    lines[5 + 2] = "0";    // size 0 is no size
    lines[5 + 3] = "-1";   // true as the old programs wrote it
    lines[5 + 6 + 1] = "   ";  // a blank name keeps the default
    lines[5 + 6 + 2] = "x";
    lines[5 + 12 + 2] = "99999";
    lines[5 + 12 + 4] = "yes";  // not a number: default not italic
    lines[5 + 18 + 2] = "10.6";
    lines[5 + 24 + 5] = "-5";
    lines[5 + 30 + 5] = "&h1000000";
    EXPECT_EQ(load(lines), (Summary{"30 950 0 1000 2", "Università Grotesk Condensed E 9 10 0", "Arial 14 10 255",
                                    "Verdana 1638 00 16711680", "Città Sans 11 11 65280", arial, "Tahoma 12 00 0"}));
}

TEST_F(ListingSettingsFileTest, LineSpacingAndGroupSeven) {
    // Line spacing, pagination style, coloured cells and separation line, the two row colours.
    const auto flags = [&](const std::vector<std::string>& lines) {
        load(lines);
        const core::ListingSettings s = loadListingSettings(files, drive.path(rel));
        return std::to_string(s.lineSpacing) + " " + std::to_string(s.paginationStyle) + " " +
               std::to_string(s.colouredCells) + std::to_string(s.separationLine) + " " +
               std::to_string(s.firstRowColour) + " " + std::to_string(s.secondRowColour);
    };
    std::vector<std::string> lines = completeFile();
    EXPECT_EQ(flags(lines), "5 0 00 0 0");
    EXPECT_DOUBLE_EQ(core::ListingSettings{}.lineSpacingFactor(), 1.2);
    lines[5] = " 19 ";
    lines[47] = lines[48] = "1";
    lines[49] = "-1";
    lines[50] = "&h0000FF";
    lines[51] = "16711680";
    EXPECT_EQ(flags(lines), "19 1 11 255 16711680");
    // Values outside their choices, and missing lines, keep the default.
    lines[5] = "20";
    lines[47] = "2";
    lines[48] = "x";
    lines[51] = "&hZZ";
    EXPECT_EQ(flags(lines), "5 0 01 255 0");
    lines[5] = "-1";
    lines.resize(49);  // stops after the coloured-cells flag
    EXPECT_EQ(flags(lines), "5 0 00 0 0");
}

TEST(ParseColourTest, HexDigitsAreBlueGreenRedAndOutOfRangeIsBlack) {
    // Leading zeros; hex digits up to the first other character.
    const std::pair<const char*, long> cases[] = {
        {"&Hfcfaf3", 16579315}, {" &h00000000FF ", 255}, {"&h80zz", 128},   {" 16579315 ", 16579315},
        {"", 0},                {"&h", 0},               {"blue", 0},       {"-1", 0},
        {"16777216", 0},        {"&h1000000", 0},        {"1e308", 0},      {"&hFFFFFFFFFFFFFFFFFFFF", 0}};
    for (const auto& [text, colour] : cases) EXPECT_EQ(parseColour(text), colour) << text;
}

}  // namespace
}  // namespace kalvora::printing
