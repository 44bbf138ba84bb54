#include "printing/listing_engine.h"

#include "support/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvora::printing {
namespace {

using Kind = core::PrintOp::Kind;

TEST(FormatCellTest, NumbersRulingsAndTexts) {
    struct Case { int format; const char* text; int decimals; const char* shown; };
    const Case cases[] = {
        {1, "0", 2, ""}, {1, "-3,5", 2, "-3,50"}, {1, "1234567.5", 2, "1.234.567,50"},
        {2, "1.234.567,5", 2, "1.234.567,50"}, {1, "12.50", 2, "12,50"}, {1, "1.234", 2, "1.234,00"},
        {1, " .5", 2, "0,50"}, {1, "abc", 2, ""}, {1, "", 2, ""}, {1, "---", 2, "---"},
        {4, "=== totale", 2, "=== totale"}, {1, "(12,5)", 2, "(12,5)"}, {3, "-1234,5678", 2, "-1.234,568"},
        {4, "1234,6", 2, "1.235"}, {4, " 7", 2, "7"}, {8, "12,5", 2, "(12,50)"}, {8, "0,00", 2, ""},
        {5, "1234,5", 2, "1.234,50"}, {5, "1234,5", 3, "1.234,500"}, {5, "1234,5", 4, "1.234,5000"},
        {5, "0,12345", 5, "0,12345"}, {5, "1234,5", 9, "1.234,50"}, {0, " 1234,5 ", 2, " 1234,5 "},
        {6, "1234,5", 2, "1234,5"}, {7, "0", 2, "0"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatCell(c.format, c.text, c.decimals), c.shown) << c.format << " '" << c.text << "'";
}

class ListingPrinterTest : public ::testing::Test {
protected:
    ListingPrinterTest() {
        t.session.company().listing.styles[1].size = 14;
        // The coordinate listing's columns: 77 characters across 193 mm.
        const std::pair<const char*, int> columns[] = {
            {"Numero", 6}, {"Descrizione del campo", 35}, {"Orizzontale", 8}, {"Verticale", 8}, {"Carattere", 20}};
        for (int c = 0; c < 5; ++c) {
            ListingEntry& column = printer.table()[c + 1];
            column.heading = columns[c].first;
            column.width = columns[c].second;
            column.format = c == 0 || c == 2 ? 4 : 0;
        }
    }
    core::ListingSettings& settings() { return t.session.company().listing; }
    // Each row shows the line number it gets.
    void rows(int count) {
        for (int i = 0; i < count; ++i) {
            printer.table()[1].cell = std::to_string(counter + 1);
            printer.table()[2].cell = "Campo " + std::to_string(counter + 1);
            printer.printRow("Coordinate modulo fattura", counter);
        }
    }
    const std::vector<core::PrintOp>& ops() { return t.platform.printJobs.at(0).ops; }
    std::vector<core::PrintOp> find(Kind kind, bool vertical = false) {
        std::vector<core::PrintOp> out;
        std::copy_if(ops().begin(), ops().end(), std::back_inserter(out),
                     [&](const core::PrintOp& op) { return op.kind == kind && (!vertical || op.x1 == op.x2); });
        return out;
    }
    core::PrintOp text(const std::string& shown) {
        for (const core::PrintOp& op : find(Kind::Text))
            if (op.text == shown) return op;
        ADD_FAILURE() << "not printed: " << shown;
        return {};
    }

    testing::TestSession t;  // today 06/12/2026
    ListingPrinter printer{t.session};
    int counter = 0;
    core::RecordingPrintJob measure;
    // A4 with edges 30/950: 6..199 mm across, 8..282 mm down; rows start 1000 twips below the
    // top edge, 3.81 mm apart (9 points at 1.20).
    const double left = 6, right = 199, top = 8, bottom = 282, unit = 193.0 / 77;
    const double rowsTop = top + 1000 * 25.4 / 1440, rowHeight = 9 * 1.2 * 25.4 / 72;
    const std::string footer = "Kalvora Zaft per Windows - www.kalvora.it";
};

TEST_F(ListingPrinterTest, HeadingColumnsAndFooter) {
    rows(2);
    EXPECT_EQ(t.platform.printJobs.at(0).title, "Coordinate modulo fattura");
    EXPECT_EQ(text("Coordinate modulo fattura").font.size, 14);  // the heading text in group 1's size
    const std::string stamp = "Stampato in data 06/12/2026 - Pagina 1";
    const core::PrintOp date = text(stamp);
    EXPECT_NEAR(date.x1 + measure.textWidth(stamp, date.font), right, 1e-9);

    // Headings at the sum of the widths before them; numbers end at their column's right side
    // (less the padding on both sides of the line), texts start where the heading does.
    const core::PrintOp heading = text("Descrizione del campo");
    EXPECT_NEAR(text("Carattere").x1 - heading.x1, 51 * unit, 1e-9);
    EXPECT_NEAR(heading.x1 - text("Numero").x1, 6 * unit, 1e-9);
    EXPECT_NEAR(heading.y1 + measure.lineHeight(heading.font), rowsTop, 1e-9);
    const core::PrintOp number = text("2");
    EXPECT_NEAR(number.y1, rowsTop + rowHeight, 1e-9);
    EXPECT_NEAR(number.x1 + measure.textWidth("2", number.font), heading.x1 - 1.6, 1e-9);
    EXPECT_DOUBLE_EQ(text("Campo 2").x1, heading.x1);

    EXPECT_TRUE(printer.endListing() && t.platform.printJobs[0].ended);
    EXPECT_GE(text(footer).y1, bottom);
    EXPECT_FALSE(printer.endListing());  // nothing open any more
}

TEST_F(ListingPrinterTest, SixtySevenRowsFillAPageAndThePageNumberGrows) {
    // (282 - 25.64) / 3.81 = 67.3: the 67th row ends at 280.9 mm, a 68th would pass 282.
    rows(67);
    EXPECT_TRUE(find(Kind::NewPage).empty());
    rows(1);
    EXPECT_EQ(find(Kind::NewPage).size(), 1u);
    EXPECT_NEAR(text("67").y1, rowsTop + 66 * rowHeight, 1e-9);
    EXPECT_NEAR(text("68").y1, rowsTop, 1e-9);  // the first line of page 2
    text("Stampato in data 06/12/2026 - Pagina 2");
    // The full page got its footer before the break.
    const auto pageBreak = std::find_if(ops().begin(), ops().end(), [](auto& op) { return op.kind == Kind::NewPage; });
    EXPECT_TRUE(std::any_of(ops().begin(), pageBreak, [&](auto& op) { return op.text == footer; }));
    EXPECT_TRUE(printer.endListing());
    counter = 0;  // a new listing starts again at page 1
    rows(1);
    EXPECT_EQ(t.platform.printJobs.size(), 2u);
    EXPECT_EQ(printer.page(), 1);
}

TEST_F(ListingPrinterTest, GridDepthFollowsTheGridType) {
    const std::pair<int, double> cases[] = {{0, top + 1200 * 25.4 / 1440}, {1, rowsTop + 3 * rowHeight}, {2, bottom}};
    for (const auto& [type, depth] : cases) {
        settings().gridType = type;
        counter = 0;
        t.platform.printJobs.clear();
        rows(3);
        EXPECT_TRUE(find(Kind::Line, true).empty());  // the grid waits for the page's end
        printer.endListing();
        const std::vector<core::PrintOp> lines = find(Kind::Line, true);
        ASSERT_EQ(lines.size(), 4u) << type;  // between five columns
        for (const core::PrintOp& op : lines) EXPECT_NEAR(op.y2, depth, 1e-9) << type;
        const core::PrintOp frame = find(Kind::Rectangle).at(0);
        EXPECT_EQ(std::vector({frame.x1, frame.y1, frame.x2}), std::vector({left, top, right}));
        EXPECT_NEAR(frame.y2, depth, 1e-9) << type;
    }
}

TEST_F(ListingPrinterTest, RulingCellsDrawOneOrTwoLinesAcrossTheirColumn) {
    printer.table()[1].cell = "---";
    printer.table()[2].cell = "===";
    printer.table()[3].cell = "--- 12";  // in a numeric column too
    printer.printRow("Totali", counter);
    const std::vector<core::PrintOp> lines = find(Kind::Line);
    ASSERT_EQ(lines.size(), 4u);
    const double from[] = {left, left + 6 * unit, left + 6 * unit, left + 41 * unit}, width[] = {6, 35, 35, 8};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(lines[i].x1 > from[i] && lines[i].x2 < from[i] + width[i] * unit) << i;
        EXPECT_TRUE(lines[i].y1 == lines[i].y2 && lines[i].y1 > rowsTop && lines[i].y1 < rowsTop + rowHeight) << i;
    }
    EXPECT_GT(lines[2].y1, lines[1].y1);
    EXPECT_EQ(find(Kind::Text).size(), 2u + 5u);  // title, date line, headings: no "---" text
}

TEST_F(ListingPrinterTest, RowColoursSeparationLinesAndGridColour) {
    settings().colouredCells = settings().separationLine = true;
    settings().firstRowColour = 0xEEEEEE;
    settings().secondRowColour = 0xCCFFCC;
    settings().styles[3].colour = 0x0000FF;
    settings().styles[4].colour = 0x808080;
    settings().styles[5].colour = 0x00FF00;
    rows(3);
    const std::vector<core::PrintOp> fills = find(Kind::FilledRectangle), separators = find(Kind::Line);
    ASSERT_TRUE(fills.size() == 3 && separators.size() == 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fills[i].colour, i == 1 ? 0xCCFFCC : 0xEEEEEE);
        EXPECT_EQ(std::vector({fills[i].x1, fills[i].x2}), std::vector({left, right}));
        EXPECT_NEAR(fills[i].y1, rowsTop + i * rowHeight, 1e-9);
        EXPECT_NEAR(fills[i].y2, separators[i].y1, 1e-9);  // the separation line under the row
        EXPECT_EQ(separators[i].colour, 0x808080);
    }
    EXPECT_EQ(text("Campo 1").colour, 0x0000FF);
    printer.endListing();
    for (const core::PrintOp& op : find(Kind::Line, true)) EXPECT_EQ(op.colour, 0x00FF00);
}

TEST_F(ListingPrinterTest, WholeListingsTotalsAndLongTexts) {
    // 31 columns: the last is ignored; a text too wide for its column is cut.
    std::vector<ListingColumn> columns;
    for (int c = 1; c <= 31; ++c)
        columns.push_back({"C" + std::to_string(c), c == 1 ? 2 : 1, c == 2 ? 1 : 0});
    EXPECT_FALSE(printListing(t.session, "Vuoto", columns, {}) || !t.platform.printJobs.empty());
    EXPECT_TRUE(printListing(t.session, "Prova", columns, {{"Una descrizione lunga", "1,5"}, {"x", "2"}}));
    text("C30");
    text("1,50");
    EXPECT_TRUE(std::none_of(ops().begin(), ops().end(), [](auto& op) { return op.text == "C31"; }));
    text("Una de");  // 6 characters of 1.59 mm fit in 193 / 31 * 2 - 1.6 mm
    t.platform.printResult = false;  // a document the platform did not send is reported so
    EXPECT_FALSE(printListing(t.session, "Prova", columns, {{"x"}}));

    printer.table()[1].format = 1;
    for (const char* cell : {"1.000,25", "(escluso)", "-0,25"}) {
        printer.table()[1].cell = cell;
        printer.printRow("Totale", counter);
    }
    EXPECT_DOUBLE_EQ(printer.table()[1].total, 1000);
}

}  // namespace
}  // namespace kalvora::printing
