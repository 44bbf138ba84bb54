#pragma once
// The label layouts of the installation: one file per label kind (kalvora.etc customers,
// kalvora.etf suppliers, kalvora.eta articles, kalvora.etb articles with bar code) that the
// modules read when they print labels on sheets of adhesive labels.
//
// A layout is 30 records of seven text values, one value a line (210 lines, CR LF):
//   records 1..25  a field: horizontal and vertical position in mm from the label's top-left
//                  corner, font name, size, bold "1"/"0", italic "1"/"0", colour ("&hBBGGRR"
//                  or decimal);
//   record 28      values 1..5 the five fixed texts;
//   record 29      value 1 the columns of labels, value 2 the labels in a column;
//   record 30      values 1, 2 the sheet's width and height, 3..6 the left, right, top and
//                  bottom borders, all in mm.
// Records 26 and 27 and value 7 of records 28..30 belong to the modules and pass through as read.
#include "core/files.h"
#include "core/paths.h"
#include "core/print_job.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::printing {

inline constexpr int firstLabelKind = 1;  // customers
inline constexpr int lastLabelKind = 4;   // articles with bar code
inline constexpr int barCodeLabelKind = 4;
inline constexpr int barsField = 4;       // on kind 4: the bar code drawn as bars

bool isLabelKind(int kind);
// kalvora.etc / .etf / .eta / .etb; empty for any other kind.
std::string labelFileName(int kind);

// A field of a kind's catalogue: its caption in the window and what the test sheet prints.
struct LabelCatalogueField {
    std::string caption;
    std::string sample;
    bool bars = false;  // printed as a bar code, not as text
};
// Fields 1..n of a kind (index 0 is field 1): 23, 18, 21 and 22 of them; empty for other kinds.
const std::vector<LabelCatalogueField>& labelCatalogue(int kind);

struct LabelLayout {
    static constexpr int records = 30;
    static constexpr int values = 7;
    static constexpr int lineCount = records * values;
    static constexpr int fieldRecords = 25;
    static constexpr int fixedTextRecord = 28;
    static constexpr int gridRecord = 29;   // columns, labels per column
    static constexpr int sheetRecord = 30;  // width, height, borders
    static constexpr int fixedTexts = 5;

    // Value `value` (1..7) of record `record` (1..30).
    const std::string& at(int record, int value) const { return text[index(record, value)]; }
    std::string& at(int record, int value) { return text[index(record, value)]; }
    static std::size_t index(int record, int value) {
        return static_cast<std::size_t>((record - 1) * values + (value - 1));
    }

    std::array<std::string, lineCount> text{};
    bool operator==(const LabelLayout&) const = default;
};

// What a new installation starts from: every field in Arial 9, plain, black, at 0, 0 (not
// printed) unless the kind places it; an A4 sheet without borders holding 3 columns of 8 labels;
// the articles' first fixed text "Euro".
LabelLayout defaultLabelLayout(int kind);
// The lines of a file as read: a short file keeps the defaults of the values it lacks, lines
// past the 210th are ignored.
LabelLayout parseLabelLayout(int kind, const std::vector<std::string>& lines);
// The 210 lines as the file holds them; a line break inside a value becomes a blank.
std::vector<std::string> labelLayoutLines(const LabelLayout& layout);
// A missing or unreadable file gives the defaults.
LabelLayout readLabelLayout(const core::Files& files, const core::Installation& installation, int kind);
// Rewrites the kind's file atomically; 0 or an error number (EINVAL for an unknown kind).
int writeLabelLayout(core::Files& files, const core::Installation& installation, int kind,
                     const LabelLayout& layout);

// A number as the label values are read: what the text starts with, so that anything that is
// not a number counts as 0; a negative or endless value counts as 0 too.
double labelNumber(std::string_view text);
// What may be typed in a numeric label value: digits with at most one '.' (empty while typing).
bool isLabelNumberEntry(std::string_view text);
// "&h" and six hex digits, blue, green, red: 255 (red) -> "&h0000FF".
std::string labelColourText(long colour);

// A field of a layout as it prints.
struct LabelFieldStyle {
    double x = 0;  // mm from the label's left edge
    double y = 0;  // mm from its top edge
    core::PrintFont font;
    long colour = 0;
    bool printed() const { return x > 0 && y > 0; }
};
LabelFieldStyle labelFieldStyle(const LabelLayout& layout, int field);

struct LabelRect {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const LabelRect&) const = default;
};

// The sheet of a layout: the area inside the borders is shared evenly by the columns and rows.
struct LabelSheet {
    static constexpr int maxColumns = 20;
    static constexpr int maxRows = 50;

    double width = 0, height = 0;
    double left = 0, right = 0, top = 0, bottom = 0;
    int columns = 0, rows = 0;           // whole numbers, at most maxColumns and maxRows
    double labelWidth = 0, labelHeight = 0;  // 0 when no label fits

    // Every label of the sheet, row after row; none when no label fits.
    std::vector<LabelRect> labels() const;
};
LabelSheet labelSheet(const LabelLayout& layout);

// One sheet of labels with sample data: each label outlined in a light grey fine line, each
// catalogue field with both positions above 0 at the label's corner plus its position, in its
// font and colour; the bar code field as a pattern of bars. Fixed texts are not printed.
void printLabelTestSheet(core::PrintJob& job, int kind, const LabelLayout& layout);

}  // namespace kalvora::printing
