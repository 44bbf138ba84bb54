#pragma once
// The three layout files of a document type in the company folder: the form grid (kalvora.lk?),
// the field placements (kalvora.ly?) and the mail text (kalvora.lx?). The business modules read
// them as written here, byte for byte.
#include "core/files.h"
#include "core/paths.h"
#include "printing/document_types.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::printing {

// One element of a form grid. Kinds: 0 unused, 1 line, 2 rectangle, 3 text, 4 picture.
struct GridElement {
    std::string text;      // text: what is printed; picture: the file's path
    std::string fontName;  // text: the font ("Arial")
    double kind = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // millimetres; picture: x2, y2 its PDF size
    double colour = 0;     // R + 256 G + 65536 B
    double filledOrSize = 0;  // rectangle: 1 filled; text: points
    double bold = 0;
    double italic = 0;
    bool operator==(const GridElement&) const = default;
};

struct FormGrid {
    static constexpr int maxElements = 500;
    int count = 0;  // elements 1..count are in use
    std::array<GridElement, maxElements + 1> elements{};  // slots 1..500; 0 unused
};

// How the numbers of a grid are written: the designer writes each slot's numbers as their
// shortest decimal text and the count in the print form; the field placement window writes
// every number, count included, in the print form.
enum class GridWriter { Designer, Placements };

// One row of the field placement file, six values as held.
struct Placement {
    std::string position = "000000";
    std::string size = "9";
    std::string font = "Arial";
    std::string bold = "0";
    std::string italic = "0";
    std::string colour = " 0";
    bool operator==(const Placement&) const = default;
};

struct Placements {
    static constexpr int rows = 100;
    std::array<Placement, rows + 1> row{};  // rows 1..100
};

struct MailText {
    std::string subject;
    std::string body;  // lines separated by CR LF (no CR LF after the last one)
    bool operator==(const MailText&) const = default;
};

// A missing or unreadable file gives an empty grid; a short one leaves the remaining slots empty.
// Numbers are read whatever blanks surround them (" 33 ", "33", "33.0", ".5").
FormGrid readFormGrid(const core::Files& files, const core::Installation& installation, int companyCode,
                      DocumentType type);
// Rewrites the whole file (1 + 500 x 11 lines) atomically. Slots past the count are written
// unused: two empty lines and nine zeros (in the writer's number form, "0" or " 0 "). Line
// breaks in a text or font name become blanks. False when the write failed or the type has no
// files.
bool writeFormGrid(core::Files& files, const core::Installation& installation, int companyCode,
                   DocumentType type, const FormGrid& grid, GridWriter writer);
// The rows of a type without a placement file: "000000" for ordinary fields and for rows past
// the catalogue, "000" for the item-area markers and the item columns.
Placements defaultPlacements(DocumentType type);
// A missing file gives the defaults; a short one leaves the remaining rows at their defaults.
Placements readPlacements(const core::Files& files, const core::Installation& installation, int companyCode,
                          DocumentType type);
bool writePlacements(core::Files& files, const core::Installation& installation, int companyCode,
                     DocumentType type, const Placements& placements);
// A missing file gives an empty subject and body. The body's line breaks (CR LF, LF or CR)
// become lines of the file, so a body written and read back is the same text with CR LF breaks.
MailText readMailText(const core::Files& files, const core::Installation& installation, int companyCode,
                      DocumentType type);
bool writeMailText(core::Files& files, const core::Installation& installation, int companyCode,
                   DocumentType type, const MailText& mail);

// The same formats on text, for the fuzz targets and the tests.
FormGrid parseFormGrid(const std::vector<std::string>& lines);
std::vector<std::string> formGridLines(const FormGrid& grid, GridWriter writer);
// The same into `out`, reusing its room.
void formGridLines(const FormGrid& grid, GridWriter writer, std::vector<std::string>& out);
Placements parsePlacements(const std::vector<std::string>& lines, DocumentType type);
std::vector<std::string> placementLines(const Placements& placements);
MailText parseMailText(const std::vector<std::string>& lines);
std::vector<std::string> mailTextLines(const MailText& mail);

}  // namespace kalvora::printing
