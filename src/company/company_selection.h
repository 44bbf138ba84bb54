#pragma once
// The company selection window zelselazi: a grid of every company of the registry (code, name,
// accounting year); choosing a row makes that company current. It never writes a file.
//
// Colours are the grid's integer colour values, red + 256 * green + 65536 * blue, as the
// general settings store them: 0xC0E0FF is red FF, green E0, blue C0 (light orange).
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvora::company {

struct CompanyRow {
    std::string code;  // three digits; empty on a filler row
    std::string name;
    std::string year;
    std::int32_t colour;
};

class CompanySelectionForm : public core::Form {
public:
    static constexpr int columnCount = 3;
    static constexpr std::array<const char*, columnCount> columnHeaders{"Codice", "Azienda", "Anno di gestione"};
    // Widths in twips; the last column takes the rest of the window.
    static constexpr std::array<int, columnCount> columnWidthsTwips{1000, 11000, 0};
    static constexpr int minimumRows = 25;
    static constexpr std::int32_t currentRowColour = 0xC0E0FF;
    // The grid's own background, for rows nothing has painted.
    static constexpr std::int32_t gridColour = -1;

    explicit CompanySelectionForm(core::Session& session);

    std::string name() const override { return "zelselazi"; }
    std::string title() const override { return "Selezione azienda"; }

    // Loads the company settings and builds the rows from kalvora.azi; called when the window
    // opens.
    void open();

    // The data rows below the header: the companies, then empty rows up to minimumRows.
    const std::vector<CompanyRow>& rows() const { return rows_; }
    int filledRows() const { return filled_; }
    // The code the window opened with.
    int currentCode() const { return currentCode_; }

    // A click on the header of column 0..2: the companies in ascending order of that column
    // (numbers by value), then the alternate list colours when the settings ask for them.
    void sortBy(int column);
    // A choice of data row `row` (0 = first below the header). Only a company row makes that
    // company current and closes the window.
    void choose(int row);
    // The close box: leaves the current company as it was.
    void closeBox();

private:
    void paintAlternateColours();
    void leave();

    std::vector<std::string> registry_;
    std::vector<CompanyRow> rows_;
    int filled_ = 0;
    int currentCode_ = 0;
};

}  // namespace kalvora::company
