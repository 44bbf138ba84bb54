#include "printing/listing_settings_form.h"

#include "core/cp1252.h"
#include "support/test_session.h"

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

using Lines = std::vector<std::string>;
using Edge = ListingSettingsForm::Edge;

constexpr const char* tbl = "kalwin/kalwin/kalvora.tbl";

// A new installation's file as the window saves it.
const Lines defaultFile = {
    " 30 ", " 950 ", " 30 ", " 950 ", " 2 ",
    "5", "Arial", "9",  "0", "0", "&h000000",
    "0", "Arial", "14", "0", "0", "&h000000",
    "0", "Arial", "9",  "0", "0", "&h000000",
    "0", "Arial", "9",  "0", "0", "&h000000",
    "0", "Arial", "9",  "0", "0", "&h000000",
    "0", "Arial", "9",  "0", "0", "&h000000",
    "0", "Arial", "9",  "0", "0", "&hFFFFFF",
    "0", "0",     "0",  "0", "0", "0"};

class ListingSettingsFormTest : public ::testing::Test {
protected:
    ListingSettingsFormTest() { test.drive.makeInstallation(); }

    void write(const Lines& lines) const { test.drive.write(tbl, core::encodeLines(lines)); }
    ListingSettingsForm& opened() {
        form.open();
        return form;
    }
    // Conferma, which must close the window, then the file as saved.
    Lines saved() {
        form.confirm();
        EXPECT_TRUE(form.closed());
        return test.files.readLines(test.drive.path(tbl)).value_or(Lines{});
    }

    testing::TestSession test;
    ListingSettingsForm form{test.session};
};

TEST_F(ListingSettingsFormTest, NewInstallationShowsAndSavesTheDefaults) {
    opened();
    EXPECT_EQ((std::array{form.edge(Edge::Left), form.edge(Edge::Right), form.edge(Edge::Top),
                          form.edge(Edge::Bottom), form.gridType()}),
              (std::array{30, 950, 30, 950, 2}));
    const Lines spacings = ListingSettingsForm::spacingCaptions();
    EXPECT_EQ((Lines{spacings.front(), spacings.at(static_cast<std::size_t>(form.lineSpacing())), spacings.back(),
                     form.fontCaption(1), form.fontCaption(2), form.paginationCaption(0)}),
              (Lines{"0.20", "1.20", "4.00", "Arial 14", "Arial 9", "Impaginazione Kalvora Zaft"}));
    EXPECT_FALSE(form.colouredCells() || form.separationLine() || form.paginationStyle());
    EXPECT_EQ(saved(), defaultFile);
    EXPECT_EQ(test.drive.read(tbl), core::encodeLines(defaultFile));  // CR LF line ends
    EXPECT_EQ(test.session.company().listing.styles[1].size, 14);     // the next listing uses it
}

TEST_F(ListingSettingsFormTest, ChoicesAreSavedAndWhatTheWindowDoesNotEditIsKept) {
    Lines file = defaultFile;
    file[6] = "Tahoma";      // group 0's font, kept
    file[10] = "8421504";    // group 0's colour as a decimal number, kept
    file[12] = "Verdana";    // group 1's font, shown and kept until changed
    file[28] = "&h00ff00";   // group 3's colour, untouched
    file[42] = "Courier";    // group 6, kept
    file[52] = "&h123456";   // group 7's sixth value, kept
    write(file);
    test.session.run().edition = core::Edition::Tornalix;
    opened();
    EXPECT_EQ(form.fontCaption(1) + " " + form.paginationCaption(1),
              "Verdana 14 Impaginazione Kalvora Tornalix (stile precedente)");
    EXPECT_EQ(form.colour(3), 0x00ff00);

    form.setEdge(Edge::Left, 45);
    form.setEdge(Edge::Right, 1200);  // the scroll bar stops at 1000
    form.setEdge(Edge::Bottom, -3);
    form.setGridType(1);
    form.setGridType(3);  // not a choice: ignored
    form.setLineSpacing(19);
    test.platform.fontAnswers = {{"Times New Roman", 10.5, true, false}};
    form.chooseFont(2);
    form.chooseFont(3);  // cancelled
    test.platform.colourAnswers = {255, 0x102030, 0xFFFFFF, 0x00FF00, 0x0000FF};
    for (int k : {1, 4, 5, 6, 7}) form.chooseColour(k);
    form.setColouredCells(true);
    form.setSeparationLine(true);
    form.setPaginationStyle(1);

    EXPECT_EQ(Lines(test.platform.dialogTitles.begin() + 1, test.platform.dialogTitles.begin() + 3),
              (Lines{"Seleziona il tipo di carattere", "Seleziona il colore"}));
    EXPECT_EQ(test.platform.fontPresets.at(0), (core::PrintFont{"Arial", 9, false, false}));
    EXPECT_EQ(form.fontCaption(2), "Times New Roman 10.5");

    EXPECT_EQ(saved(), (Lines{
        " 45 ", " 1000 ", " 30 ", " 0 ", " 1 ",
        "19", "Tahoma",          "9",    "0", "0", "8421504",
        "0",  "Verdana",         "14",   "0", "0", "&h0000FF",
        "0",  "Times New Roman", "10.5", "1", "0", "&h000000",
        "0",  "Arial",           "9",    "0", "0", "&h00ff00",
        "0",  "Arial",           "9",    "0", "0", "&h102030",
        "0",  "Arial",           "9",    "0", "0", "&hFFFFFF",
        "0",  "Courier",         "9",    "0", "0", "&hFFFFFF",
        "1",  "1",               "1",    "&h00FF00", "&h0000FF", "&h123456"}));
    EXPECT_EQ(test.session.company().listing.styles[2].fontName, "Times New Roman");
}

// A short file keeps what it has and the rest is filled with the defaults; a font name cannot
// split a line.
TEST_F(ListingSettingsFormTest, ShortFileAndAFontNameWithALineBreak) {
    const Lines held = {" 40 ", " 900 ", " 25 ", " 920 ", " 0 ", "3", "Courier New", "10"};
    write(held);
    EXPECT_EQ(opened().fontCaption(0), "Courier New 10");
    test.platform.fontAnswers = {{"Bad\r\nName", 12, false, true}};
    form.chooseFont(1);
    Lines expected = defaultFile;
    std::copy(held.begin(), held.end(), expected.begin());
    std::copy_n(Lines{"Bad  Name", "12", "0", "1"}.begin(), 4, expected.begin() + 12);
    EXPECT_EQ(saved(), expected);
}

TEST_F(ListingSettingsFormTest, AFailedSaveIsToldAndTheWindowStaysOpen) {
    testing::TestSession bare;  // no installation folder to write in
    ListingSettingsForm lonely(bare.session);
    lonely.open();
    lonely.setEdge(Edge::Left, 60);
    lonely.confirm();
    EXPECT_TRUE(!lonely.closed() && lonely.edge(Edge::Left) == 60 && bare.session.company().listing.leftEdge == 30);
    ASSERT_EQ(bare.platform.messages().size(), 1u);
    EXPECT_TRUE(bare.platform.last()->text.starts_with(ListingSettingsForm::saveFailedText));
    EXPECT_EQ(bare.platform.last()->title, "Attenzione");
}

}  // namespace
}  // namespace kalvora::printing
