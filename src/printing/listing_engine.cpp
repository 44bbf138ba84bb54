#include "printing/listing_engine.h"

#include "core/amounts.h"
#include "core/numbers.h"
#include "core/product.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace kalvora::printing {

namespace {

constexpr double pointMm = 25.4 / 72;
constexpr double twipMm = 25.4 / 1440;
// Where the rows start below the top edge; a grid as long as the text counts from here.
constexpr double headingBand = 1000 * twipMm;
// How deep the grid reaches below the top edge when the settings ask for none: the heading band.
constexpr double headingGrid = 1200 * twipMm;
constexpr double cellPadding = 0.8;  // between a column line and its text
constexpr double doubleRulingGap = 0.6;

enum StyleGroup { pageGroup = 0, titleGroup = 1, headingGroup = 2, contentGroup = 3, separationGroup = 4, gridGroup = 5 };

bool isRuling(const std::string& text) {
    return core::startsWith(text, "---") || core::startsWith(text, "===");
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a cell. Amounts are written "1.234,5"; a number written with a decimal point, as
// Str() gives it, has no "," and a single "." that cannot be a thousands separator.
double cellValue(const std::string& text) {
    const std::string t = core::trim(text);
    const std::size_t dot = t.find('.');
    if (t.find(',') == std::string::npos && dot != std::string::npos && t.find('.', dot + 1) == std::string::npos) {
        std::size_t digits = 0;
        while (dot + 1 + digits < t.size() && isDigit(t[dot + 1 + digits]))
            ++digits;
        if (digits != 3)
            return core::numericValue(t);
    }
    return core::parseAmount(t);
}

// "###,###,###,##0." followed by `decimals` places, the last one always shown.
std::string pricePattern(int decimals) {
    return "###,###,###,##0." + std::string(static_cast<std::size_t>(decimals - 1), '#') + "0";
}

// The page's millimetre of a thousandths edge: whole millimetres, as the printable area is set.
double edgeMm(double page, int thousandths) { return std::floor(page * thousandths / 1000); }

}  // namespace

bool isNumericFormat(int format) {
    return (format >= 1 && format <= 5) || format == 8;
}

std::string formatCell(int format, const std::string& text, int currencyDecimals) {
    if (!isNumericFormat(format) || text.find('(') != std::string::npos || isRuling(text))
        return text;
    const double value = cellValue(text);
    if (value == 0 || !std::isfinite(value))
        return {};
    switch (format) {
    case 3:
        return core::localiseNumber(value, "###,###,###,##0.##0");
    case 4:
        return core::localiseNumber(value, "###,###,###,###");
    case 5: {
        const int decimals = currencyDecimals >= 2 && currencyDecimals <= 5 ? currencyDecimals : 2;
        return core::localiseNumber(value, pricePattern(decimals), decimals);
    }
    case 8:
        return "(" + core::localiseNumber(value, "###,###,###,##0.#0") + ")";
    default:
        return core::localiseNumber(value, "###,###,###,##0.#0");
    }
}

// The page in millimetres, fixed when a listing starts.
struct ListingPrinter::Geometry {
    double left = 0, right = 0, top = 0, bottom = 0;
    std::array<double, listingColumns + 2> columnX{};  // left line of each column, then the right edge
    std::vector<int> columns;                          // the columns printed, in order
    double rowHeight = 0;
    double headingsTop = 0;  // the column headings
    double rowsTop = 0;      // the first row
    int currencyDecimals = 2;
};

ListingPrinter::ListingPrinter(core::Session& session) : session_(session) {}

ListingPrinter::~ListingPrinter() = default;

core::PrintFont ListingPrinter::font(int group) const {
    const ListingEntry& e = table_[static_cast<std::size_t>(group)];
    return core::PrintFont{e.fontName, static_cast<double>(e.size), e.bold, e.italic};
}

void ListingPrinter::start(const std::string& title) {
    if (job_)
        endListing();
    const core::ListingSettings& settings = session_.company().listing;
    ListingEntry& page = table_[0];
    page.leftEdge = settings.leftEdge;
    page.rightEdge = settings.rightEdge;
    page.topEdge = settings.topEdge;
    page.bottomEdge = settings.bottomEdge;
    page.gridType = settings.gridType;
    for (std::size_t g = 0; g < settings.styles.size(); ++g) {
        const core::ListingStyle& style = settings.styles[g];
        table_[g].fontName = style.fontName;
        table_[g].size = style.size;
        table_[g].bold = style.bold;
        table_[g].italic = style.italic;
        table_[g].colour = style.colour;
    }
    for (ListingEntry& e : table_)
        e.total = 0;

    geometry_ = std::make_unique<Geometry>();
    Geometry& g = *geometry_;
    g.left = edgeMm(core::PrintJob::pageWidth, page.leftEdge);
    g.right = edgeMm(core::PrintJob::pageWidth, page.rightEdge);
    g.top = edgeMm(core::PrintJob::pageHeight, page.topEdge);
    g.bottom = edgeMm(core::PrintJob::pageHeight, page.bottomEdge);
    // Crossed edges would leave no room at all: the default area takes their place.
    if (g.right <= g.left) {
        g.left = edgeMm(core::PrintJob::pageWidth, core::ListingSettings{}.leftEdge);
        g.right = edgeMm(core::PrintJob::pageWidth, core::ListingSettings{}.rightEdge);
    }
    if (g.bottom <= g.top) {
        g.top = edgeMm(core::PrintJob::pageHeight, core::ListingSettings{}.topEdge);
        g.bottom = edgeMm(core::PrintJob::pageHeight, core::ListingSettings{}.bottomEdge);
    }

    int widths = 0;
    for (int c = 1; c <= listingColumns; ++c) {
        if (table_[c].width > 0) {
            g.columns.push_back(c);
            widths += table_[c].width;
        }
    }
    const double unit = widths > 0 ? (g.right - g.left) / widths : 0;
    double x = g.left;
    for (int c : g.columns) {
        g.columnX[c] = x;
        x += table_[c].width * unit;
    }
    g.columnX[listingColumns + 1] = g.right;
    g.rowHeight = table_[contentGroup].size * settings.lineSpacingFactor() * pointMm;
    const int decimals = core::integerValue(session_.company().currency[5]);
    g.currencyDecimals = decimals >= 2 && decimals <= 5 ? decimals : 2;

    title_ = title;
    page_ = 1;
    job_ = session_.platform().startPrintJob(title);
    printHeading();
}

void ListingPrinter::printHeading() {
    Geometry& g = *geometry_;
    core::PrintJob& job = *job_;
    double y = g.top;
    job.text(g.left + cellPadding, y, title_, font(titleGroup), table_[titleGroup].colour);
    y += job.lineHeight(font(titleGroup));

    const std::string stamp = "Stampato in data " + core::toDdMmYyyy(session_.clock().today()) + " - Pagina" +
                              core::strForm(page_);
    job.text(g.right - job.textWidth(stamp, font(pageGroup)), y, stamp, font(pageGroup), table_[pageGroup].colour);
    y += job.lineHeight(font(pageGroup));

    // The headings sit on the rows' first line unless the fonts above are too tall for the band.
    const core::PrintFont headingFont = font(headingGroup);
    g.headingsTop = std::max(y, g.top + headingBand - job.lineHeight(headingFont));
    for (int c : g.columns)
        job.text(g.columnX[c] + cellPadding, g.headingsTop, table_[c].heading, headingFont,
                 table_[headingGroup].colour);
    g.rowsTop = g.headingsTop + job.lineHeight(headingFont);
    position_ = g.rowsTop;
    rowsOnPage_ = 0;
}

void ListingPrinter::printRow(const std::string& title, int& lineCounter) {
    if (lineCounter == 0 || !job_)
        start(title);
    else if (rowsOnPage_ > 0 && position_ + geometry_->rowHeight > geometry_->bottom + 1e-9) {
        // The break waits for a row that needs it, so a listing filling its last page exactly
        // ends without an empty page.
        closePage();
        job_->newPage();
        ++page_;
        printHeading();
    }
    printCells();
    ++lineCounter;
}

void ListingPrinter::printCells() {
    const Geometry& g = *geometry_;
    const core::ListingSettings& settings = session_.company().listing;
    core::PrintJob& job = *job_;
    const double y = position_;
    const double h = g.rowHeight;

    if (settings.colouredCells)
        job.rectangle(g.left, y, g.right, y + h,
                      rowsOnPage_ % 2 == 0 ? settings.firstRowColour : settings.secondRowColour, true);

    const core::PrintFont contentFont = font(contentGroup);
    const long colour = table_[contentGroup].colour;
    for (std::size_t i = 0; i < g.columns.size(); ++i) {
        const int c = g.columns[i];
        ListingEntry& column = table_[c];
        // A column may ask for its own size; the row height stays the content style's.
        core::PrintFont cellFont = contentFont;
        if (column.fontSize > 0) cellFont.size = column.fontSize;
        const double x1 = g.columnX[c];
        const double x2 = i + 1 < g.columns.size() ? g.columnX[g.columns[i + 1]] : g.right;
        const double inner = std::max(0.0, x2 - x1 - 2 * cellPadding);

        if (core::startsWith(column.cell, "---")) {
            job.line(x1 + cellPadding, y + h / 2, x2 - cellPadding, y + h / 2, colour);
            continue;
        }
        if (core::startsWith(column.cell, "===")) {
            job.line(x1 + cellPadding, y + h / 2 - doubleRulingGap / 2, x2 - cellPadding,
                     y + h / 2 - doubleRulingGap / 2, colour);
            job.line(x1 + cellPadding, y + h / 2 + doubleRulingGap / 2, x2 - cellPadding,
                     y + h / 2 + doubleRulingGap / 2, colour);
            continue;
        }
        std::string text = formatCell(column.format, column.cell, g.currencyDecimals);
        if (text.empty())
            continue;
        if (isNumericFormat(column.format)) {
            if (column.cell.find('(') == std::string::npos)
                column.total += cellValue(column.cell);
            job.text(x2 - cellPadding - job.textWidth(text, cellFont), y, text, cellFont, colour);
        } else {
            // A text longer than its column is cut rather than written over the next one.
            std::size_t n = core::length(text);
            while (n > 0 && job.textWidth(text, cellFont) > inner)
                text = core::left(text, --n);
            if (n > 0)
                job.text(x1 + cellPadding, y, text, cellFont, colour);
        }
    }

    if (settings.separationLine)
        job.line(g.left, y + h, g.right, y + h, table_[separationGroup].colour);
    position_ += h;
    ++rowsOnPage_;
}

void ListingPrinter::closePage() {
    printFooter();
    printGrid();
}

void ListingPrinter::printFooter() {
    const Geometry& g = *geometry_;
    const core::PrintFont f = font(pageGroup);
    const std::string text = std::string(core::productName) + " " + core::editionName(session_.run().edition) +
                             " per Windows - " + core::webAddress;
    const double y = std::min(g.bottom + cellPadding, core::PrintJob::pageHeight - job_->lineHeight(f));
    job_->text(g.left, y, text, f, table_[pageGroup].colour);
}

void ListingPrinter::printGrid() {
    const Geometry& g = *geometry_;
    double depth = g.bottom;
    if (table_[0].gridType == 0)
        depth = g.top + headingGrid;
    else if (table_[0].gridType == 1)
        depth = std::max(g.top + headingBand, g.rowsTop) + rowsOnPage_ * g.rowHeight;
    depth = std::min(depth, core::PrintJob::pageHeight);

    const long colour = table_[gridGroup].colour;
    core::PrintJob& job = *job_;
    job.rectangle(g.left, g.top, g.right, depth, colour, false);
    // The lines between columns start at the column headings, leaving the title band open.
    const double from = std::min(g.headingsTop, depth);
    job.line(g.left, from, g.right, from, colour);
    if (g.rowsTop < depth)
        job.line(g.left, g.rowsTop, g.right, g.rowsTop, colour);
    for (std::size_t i = 1; i < g.columns.size(); ++i) {
        const double x = g.columnX[g.columns[i]];
        job.line(x, from, x, depth, colour);
    }
}

bool ListingPrinter::endListing() {
    if (!job_)
        return false;
    closePage();
    const bool sent = job_->end();
    job_.reset();
    geometry_.reset();
    return sent;
}

bool printListing(core::Session& session, const std::string& title, const std::vector<ListingColumn>& columns,
                  const std::vector<std::vector<std::string>>& rows) {
    if (rows.empty())
        return false;
    ListingPrinter printer(session);
    ListingTable& table = printer.table();
    const std::size_t used = std::min<std::size_t>(columns.size(), listingColumns);
    for (std::size_t i = 0; i < used; ++i) {
        ListingEntry& e = table[i + 1];
        e.heading = columns[i].heading;
        e.width = columns[i].width;
        e.format = columns[i].format;
        e.kind = columns[i].kind;
        e.ruleMode = 1;
        e.fontSize = columns[i].fontSize;
    }
    int lineCounter = 0;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < used; ++i)
            table[i + 1].cell = i < row.size() ? row[i] : std::string();
        printer.printRow(title, lineCounter);
    }
    return printer.endListing();
}

}  // namespace kalvora::printing
