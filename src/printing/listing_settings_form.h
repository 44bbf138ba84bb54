#pragma once
// The listing settings window zelttab ("Impostazione marginatura tabulati"): the printable area,
// grid, line spacing, row colours, and the font and colour of each part of a listing, kept for
// the whole installation in kalvora.tbl (53 lines).
//
// Lines of the file: 1..4 the left, right, top and bottom edges in thousandths of the page,
// 5 the grid type, then eight groups of six lines. Groups 0..6 are styles (a leading value, font
// name, size, bold, italic, colour); group 0's leading value is the line spacing, group 1 styles
// the title, group 2 the column headings, group 3 the cells, group 4 carries the separation
// line's colour and group 5 the grid's. Group 7: pagination style, coloured cells, separation
// line, first and second row colours, and a sixth value kept as read. Every line the window does
// not edit is written back as it was read.
#include "core/form.h"
#include "core/print_job.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::printing {

class ListingSettingsForm : public core::Form {
public:
    static constexpr const char* fileName = "kalvora.tbl";
    static constexpr int lineCount = 53;
    static constexpr int maxEdge = 1000;
    static constexpr int spacingChoices = core::ListingSettings::lineSpacingChoices;  // 0.20 ... 4.00
    static constexpr int defaultSpacing = 5;   // 1.20
    static constexpr int firstFontGroup = 1;   // selcar 1..3
    static constexpr int lastFontGroup = 3;
    static constexpr int firstColour = 1;      // selcol 1..7
    static constexpr int lastColour = 7;
    static constexpr const char* fontDialogTitle = "Seleziona il tipo di carattere";
    static constexpr const char* colourDialogTitle = "Seleziona il colore";
    static constexpr const char* saveFailedText = "Non è stato possibile salvare le impostazioni dei tabulati: errore ";

    enum class Edge { Left, Right, Top, Bottom };

    explicit ListingSettingsForm(core::Session& session);
    std::string name() const override { return "zelttab"; }
    std::string title() const override { return "Impostazione marginatura tabulati"; }

    // Reads kalvora.tbl; whatever it lacks takes its default.
    void open();

    // The four scroll bars, 0..1000.
    int edge(Edge which) const { return edges_[static_cast<int>(which)]; }
    void setEdge(Edge which, int value);
    // Combo1: 0 "Nessuna griglia", 1 "Griglia lunghezza testo", 2 "Griglia lunghezza foglio".
    static const std::array<std::string, 3>& gridCaptions();
    int gridType() const { return grid_; }
    void setGridType(int index);
    // Combo2 "Distanza tra le righe": index 0..19 of "0.20" ... "4.00".
    static std::vector<std::string> spacingCaptions();
    int lineSpacing() const { return spacing_; }
    void setLineSpacing(int index);

    // The font of style group 0..6, and carattere_k: its name and size ("Arial 9").
    core::PrintFont font(int group) const;
    std::string fontCaption(int group) const;
    // selcar_k, k = 1..3: the font dialog preset with group k; a choice is stored in group k.
    void chooseFont(int group);
    // The colour of selcol_k, k = 1..7 (R + 256 G + 65536 B): 1..5 the colour of group k,
    // 6 and 7 the first and second row colours.
    long colour(int k) const;
    void chooseColour(int k);

    // Check1_0 "Celle colorate", Check1_1 "Linea di separazione".
    bool colouredCells() const { return flag(colouredCellsLine); }
    void setColouredCells(bool on) { setFlag(colouredCellsLine, on); }
    bool separationLine() const { return flag(separationLineLine); }
    void setSeparationLine(bool on) { setFlag(separationLineLine, on); }
    // tipotab_0 the current pagination, tipotab_1 the older one.
    int paginationStyle() const { return flag(paginationLine) ? 1 : 0; }
    void setPaginationStyle(int option) { setFlag(paginationLine, option == 1); }
    std::string paginationCaption(int option) const;

    // The 53 lines as a save writes them.
    std::vector<std::string> fileLines() const;
    // bottone_1: writes kalvora.tbl, makes the next listing use it and closes. A failed write is
    // told and the window stays open with the user's choices.
    void confirm();
    // bottone_0 and the close box: leaves without writing.
    void cancel() { close(); }

    // The path of kalvora.tbl.
    std::string path() const;

private:
    static constexpr int paginationLine = 48;  // group 7, lines 1..3
    static constexpr int colouredCellsLine = 49;
    static constexpr int separationLineLine = 50;

    // Line `number` (1-based) of the file as held.
    const std::string& line(int number) const { return lines_[static_cast<std::size_t>(number - 1)]; }
    std::string& line(int number) { return lines_[static_cast<std::size_t>(number - 1)]; }
    bool flag(int number) const;
    void setFlag(int number, bool on) { line(number) = on ? "1" : "0"; }
    static int colourLine(int k);

    std::array<std::string, lineCount> lines_{};
    std::array<int, 4> edges_{30, 950, 30, 950};
    int grid_ = 2;
    int spacing_ = defaultSpacing;
};

}  // namespace kalvora::printing
