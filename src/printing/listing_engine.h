#pragma once
// The listing engine: prints any tabular listing ("tabulato") through the platform's print job,
// with a page heading, column headings, one line per row, page breaks and a footer, in the
// geometry, fonts and colours of the listing settings of the current company.
#include "core/print_job.h"
#include "core/session.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kalvora::printing {

constexpr int listingColumns = 30;

// One entry of the column table. Entry 0 is the page: its edges and grid type come from the
// settings. Entries 0..5 also carry the style groups 0..5 of the settings. Entries 1..30 are the
// columns the caller fills.
struct ListingEntry {
    int kind = 0;          // the coordinate listing sets 5; no other kind changes the print
    int ruleMode = 1;      // 1 ordinary; 2 is accepted and printed as 1
    int leftEdge = 0;      // entry 0: thousandths of the page width and height
    int rightEdge = 0;
    int topEdge = 0;
    int bottomEdge = 0;
    int gridType = 0;      // entry 0: 0 none, 1 as long as the text, 2 across the sheet
    int fontSize = 0;      // the column's cells in this size; 0 takes the content style's
    int width = 0;         // in characters; a column of width 0 or less is not printed
    int format = 0;        // see formatCell
    std::string cell;
    std::string heading;
    std::string fontName;  // style fields, entries 0..5
    int size = 0;
    bool bold = false;
    bool italic = false;
    long colour = 0;
    double total = 0;      // running total of a numeric column over the listing
};

using ListingTable = std::array<ListingEntry, listingColumns + 1>;

// The text a cell shows in `format`:
//   0 (and 6, 7 or any other value): the text unchanged
//   1, 2: amount "###,###,###,##0.#0"     3: quantity "###,###,###,##0.##0"
//   4: integer "###,###,###,###"          8: amount as 1, between "(" and ")"
//   5: price with the currency's decimals (2..5; others count as 2): "###,###,###,##0.#0",
//      "###,###,###,##0.##0", "###,###,###,##0.###0" or "###,###,###,##0.####0"
// Numbers show "." between thousands and "," before the decimals. The text is read as an amount
// ("1.234,5"); a single "." not followed by exactly three digits, in text without ",", is read
// as the decimal point ("1234567.5", " .5"). Zero and text that is no number show empty. A
// cell holding "(" or starting with "---" or "===" is never reformatted.
std::string formatCell(int format, const std::string& text, int currencyDecimals);
// Whether `format` shows numbers (cells are then right-aligned and totalled).
bool isNumericFormat(int format);

// Prints one listing at a time. The caller fills the columns of table() (heading, width,
// format...), sets its line counter to 0, then for each row fills the cells and calls printRow;
// at the end, when at least one row was printed, endListing.
class ListingPrinter {
public:
    explicit ListingPrinter(core::Session& session);
    ~ListingPrinter();

    ListingTable& table() { return table_; }
    const ListingTable& table() const { return table_; }

    // Prints the cells of columns 1..30 as one line and advances `lineCounter`. Counter 0 starts
    // the listing: the settings go into the table, the print job named `title` starts, and the
    // first heading is printed (a listing still open is ended first). A row that would pass the
    // bottom edge goes to a new page, after the footer and the grid of the full one.
    void printRow(const std::string& title, int& lineCounter);
    // Closes the last page (footer, grid) and sends the document. False when no listing was
    // open or nothing was sent (cancelled or failed).
    bool endListing();

    bool printing() const { return job_ != nullptr; }
    int page() const { return page_; }

private:
    struct Geometry;

    void start(const std::string& title);
    void printHeading();
    void printCells();
    void closePage();
    void printFooter();
    void printGrid();
    core::PrintFont font(int group) const;

    core::Session& session_;
    ListingTable table_{};
    std::unique_ptr<core::PrintJob> job_;
    std::unique_ptr<Geometry> geometry_;
    std::string title_;
    int page_ = 0;
    int rowsOnPage_ = 0;
    double position_ = 0;  // top of the next row, in millimetres
};

// A column of a listing printed in one go.
struct ListingColumn {
    std::string heading;
    int width = 0;  // characters
    int format = 0;
    int kind = 0;
    int fontSize = 0;  // points; 0 takes the content style's
};

// Prints a whole listing: columns beyond 30 and cells beyond the columns are ignored. False when
// there were no rows (nothing is printed) or the document was not sent.
bool printListing(core::Session& session, const std::string& title, const std::vector<ListingColumn>& columns,
                  const std::vector<std::vector<std::string>>& rows);

}  // namespace kalvora::printing
