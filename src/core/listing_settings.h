#pragma once
// The listing print settings as the current-company state holds them (loaded from kalvora.tbl).
//
// What the style groups style on a listing:
//   group 0: the page heading's date and page line, and the footer; its leading value is the
//            line spacing
//   group 1: the listing title (size 14 unless set)
//   group 2: the column headings
//   group 3: the column content
//   group 4: only its colour, the separation line under each row ("Colore dell'interlinea")
//   group 5: only its colour, the grid ("Colore della griglia")
// Group 7 holds the flags and the row colours: line 1 the pagination style, line 2 coloured
// cells, line 3 the separation line, line 4 "Colore prima riga", line 5 "Colore seconda riga".
#include <array>
#include <string>

namespace kalvora::core {

struct ListingStyle {
    std::string fontName = "Arial";  // up to 30 characters
    int size = 9;
    bool bold = false;
    bool italic = false;
    long colour = 0;  // R + 256 G + 65536 B
};

struct ListingSettings {
    static constexpr int lineSpacingChoices = 20;  // "0.20", "0.40" ... "4.00"

    int leftEdge = 30;     // thousandths of the page width
    int rightEdge = 950;
    int topEdge = 30;      // thousandths of the page height
    int bottomEdge = 950;
    int gridType = 2;      // 0 none, 1 text length, 2 sheet length
    std::array<ListingStyle, 6> styles{};  // style groups 0..5
    int lineSpacing = 5;   // index into the choices: 5 is 1.20
    int paginationStyle = 0;  // 0 the current style, 1 the older one
    bool colouredCells = false;
    bool separationLine = false;
    long firstRowColour = 0;
    long secondRowColour = 0;

    // The distance between rows as a multiple of the content size: 0.20 for choice 0.
    double lineSpacingFactor() const { return 0.2 * (lineSpacing + 1); }
};

}  // namespace kalvora::core
