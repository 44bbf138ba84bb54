#pragma once
// The field placement window zellay: where each data field of one document type is printed and
// in which font and colour, whether the form grid goes on plain paper with it, and the e-mail
// subject and text of the document. From here the user opens the grid designer, asks for the
// default placements and prints the coordinates or a sample.
#include "core/form.h"
#include "core/print_job.h"
#include "printing/document_types.h"
#include "printing/layout_files.h"

#include <string>
#include <vector>

namespace kalvora::core {
class Session;
}

namespace kalvora::printing {

// The columns of elenco: "Campo da stampare", "Orizzontale", "Verticale", "Tipo di carattere",
// "Colore".
enum class PlacementColumn { Caption = 0, X = 1, Y = 2, Font = 3, Colour = 4 };

class FieldPlacementForm : public core::Form {
public:
    static constexpr int columnCount = 5;

    FieldPlacementForm(core::Session& session, DocumentType type);

    std::string name() const override { return "zellay"; }
    // "Impostazione modulo fattura" ...; "Impostazione modulistica" for a code outside 1..11.
    std::string title() const override;

    // Builds the catalogue, reads the placements, the mail text and the grid; a grid file that
    // cannot be read is replaced at once by the type's default grid.
    void open();

    DocumentType documentType() const { return type_; }
    // Rows of elenco: catalogue positions 1..rows().
    int rows() const { return static_cast<int>(catalogue_.size()); }
    FieldKind kind(int row) const;
    // What a cell of elenco shows; empty outside the grid and for the colour column.
    //   Orizzontale / Verticale: an ordinary field's first / last three digits; a marker's
    //   position under Verticale, a column's under Orizzontale, the other cell empty.
    //   Tipo di carattere: "Arial (9)".
    std::string cell(int row, PlacementColumn column) const;
    // The colour of the row's characters, R + 256 G + 65536 B; 0 for anything unreadable.
    long colour(int row) const;
    const Placements& placements() const { return placements_; }
    const FormGrid& grid() const { return grid_; }
    const MailText& mail() const { return mail_; }
    bool bianca() const { return bianca_; }

    // dato, the entry box over an Orizzontale or Verticale cell.
    bool entryVisible() const { return entryRow_ > 0; }
    int entryRow() const { return entryRow_; }
    PlacementColumn entryColumn() const { return entryColumn_; }
    const std::string& entryText() const { return entry_; }

    // A click in a cell: X and Y open dato with the cell's value (not the empty cell of a marker
    // or a column), the font and colour cells their dialogs; any other click closes dato.
    void clickCell(int row, PlacementColumn column);
    // The text of dato changed: digits only, at most three, stored at once in the position.
    // Anything else is refused and dato keeps its previous text.
    void editEntry(std::string text);
    // Enter in dato or leaving it.
    void leaveEntry();
    void setBianca(bool on) { bianca_ = on; }
    void editSubject(std::string text);  // Text2 0
    void editBody(std::string text);     // Text2 1; its line breaks are kept as CR LF

    // command3d5 2: the designer of the same type; the grid is read again when it closes.
    void customiseGrid();
    // bottone 0..5.
    void exit();
    void save();
    void resetCoordinates();
    void defaultPlacements();
    void printCoordinates();
    void printSample();
    void button(int index);

private:
    Placement* placement(int row);
    void readGrid();

    DocumentType type_;
    std::vector<CatalogueField> catalogue_;  // positions 1..N+2+C as [0..]
    Placements placements_;
    FormGrid grid_;
    MailText mail_;
    bool bianca_ = false;
    int entryRow_ = 0;
    PlacementColumn entryColumn_ = PlacementColumn::X;
    std::string entry_;
};

// The sample of the placements on `job`: each ordinary field with X and Y above 0 as its caption
// at (X, Y) in the row's font, size, style and colour; then the item columns' captions on the
// line of the start marker. The grid, when wanted, is the caller's to draw first.
void printPlacementSample(core::PrintJob& job, DocumentType type, const Placements& placements);

// Opens zellay for `type` on the current company and waits until it closes. A type without
// layout files says so and opens nothing.
void openFieldPlacement(core::Session& session, DocumentType type);

}  // namespace kalvora::printing
