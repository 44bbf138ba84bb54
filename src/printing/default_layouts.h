#pragma once
// The default layouts of every document type: the form grid a company starts from (boxes with
// their captions, the column headings, the item columns and the footer boxes) and the field
// placements that print the document's data inside those boxes.
#include "printing/layout_files.h"

#include <string>

namespace kalvora::printing {

// Who builds a default grid. The designer's builder gives an invoice the withholding-tax boxes
// when the user asks for them; the placement window's never does, and captions the customer
// order's description column "Descrizione/prestazione" where the designer's has "Descrizione".
enum class GridBuilder { Designer, Placements };

// The default grid of `type`: each box an outline rectangle followed by its caption 1 mm right of
// and below its top-left corner (Arial 6, black), one line under the column headings at Y 124,
// every box inside the page. `withholding` adds the withholding-tax boxes (designer, code 1).
// An empty grid for a type without layout files.
FormGrid defaultFormGrid(DocumentType type, GridBuilder builder, bool withholding = false);

// The designer's question before it replaces its grid with the default one ("Confermi
// l'impostazione del modulo di default della fattura?"); empty for a type without files.
std::string defaultGridQuestion(DocumentType type);
// Asked for an invoice (code 1) after the first question; Yes takes the withholding-tax variant.
inline constexpr const char* withholdingQuestion =
    "Desideri impostare un modulo fattura con spazio per l'esposizione della ritenuta d'acconto?";
inline constexpr const char* defaultLayoutTitle = "Modulo di default";

// Every row 1..100 back to "000000", size 9, Arial, not bold, not italic, black; then the
// markers and columns of the type at "000".
void resetPlacements(Placements& placements, DocumentType type);

// Recomputes the positions for the type: rows 1..95 to "000000", the letterhead of invoices and
// receipts, the customer block, then the type's own positions (markers and columns the defaults
// do not name keep their value). Fonts, styles and colours stay; sizes too, except where the
// defaults set one. `withholding` selects the invoice with room for the withholding tax (code 1
// only; code 2 never has it).
void applyDefaultPlacements(Placements& placements, DocumentType type, bool withholding);

}  // namespace kalvora::printing
