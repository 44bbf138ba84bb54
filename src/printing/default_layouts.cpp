// Default form grids and field placements of every document type, kept as tables: a grid is a
// list of captioned boxes, the placements a list of (row, position) pairs per type.
#include "printing/default_layouts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace kalvora::printing {

namespace {

// ---------------------------------------------------------------------------------------------
// Form grids
// ---------------------------------------------------------------------------------------------

// A captioned box of the form: X1, Y1, X2, Y2 in millimetres and its caption.
struct Box {
    int x1, y1, x2, y2;
    std::string_view caption;
};

// A form in the order its elements are added: the boxes above the column headings, the line
// under the headings, the columns (heading and item area in one box each), the footer boxes
// and, for the invoice, its totals.
struct GridTable {
    std::span<const Box> header;
    std::span<const Box> columns;
    std::span<const Box> footer;
    std::span<const Box> totals = {};
};

// The line under the column headings, across the page's printable width.
constexpr int lineX1 = 1, lineX2 = 195, lineY = 124;

// Document transport (code 5).
constexpr Box transportHeader[] = {
    {1, 45, 95, 80, "Destinazione"},
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "DDT numero"},
    {35, 90, 70, 100, "Data"},
    {70, 90, 120, 100, "Partita iva cliente"},
    {120, 90, 195, 100, "Inizio trasporto"},
    {1, 100, 195, 120, "Vettore"},
};
constexpr Box transportColumns[] = {
    {1, 120, 35, 240, "Articolo"},
    {35, 120, 145, 240, "Descrizione"},
    {145, 120, 170, 240, "Unità misura"},
    {170, 120, 195, 240, "Quantità"},
};
constexpr Box transportFooter[] = {
    {1, 240, 195, 250, "Causale del trasporto"},
    {1, 250, 100, 260, "Aspetto dei beni"},
    {100, 250, 147, 260, "Numero colli"},
    {147, 250, 195, 260, "Peso colli"},
    {1, 260, 195, 270, "Firma per ricevuta"},
};

// Invoice (code 1).
constexpr Box invoiceHeader[] = {
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "Fattura numero"},
    {35, 90, 75, 100, "Data"},
    {75, 90, 125, 100, "Partita iva cliente"},
    {125, 90, 195, 100, "Codice fiscale cliente"},
    {1, 100, 95, 110, "Ordine"},
    {95, 100, 195, 110, "Documento di trasporto"},
    {1, 110, 95, 120, "Pagamento"},
    {95, 110, 195, 120, "Banca di appoggio"},
};
constexpr Box invoiceColumns[] = {
    {1, 120, 25, 240, "Quantità"},
    {25, 120, 110, 240, "Descrizione"},
    {110, 120, 125, 240, "%Iva"},
    {125, 120, 140, 240, "Sconto"},
    {140, 120, 168, 240, "Prezzo unitario"},
    {168, 120, 195, 240, "Prezzo totale"},
};
constexpr Box invoiceFooter[] = {
    {1, 240, 60, 262, "Imponibili"},
    {60, 240, 70, 262, "%Iva"},
    {70, 240, 150, 262, "Importi iva/codici di esenzione"},
};
constexpr Box invoicePlainTotals[] = {{150, 240, 195, 272, "Totale fattura in Euro"}};
// With room for the withholding tax the total box gives its lower part to the amount due.
constexpr Box invoiceWithholdingTotals[] = {
    {150, 240, 195, 256, "Totale fattura in Euro"},
    {1, 262, 60, 272, "Ritenuta d'acconto"},
    {60, 262, 70, 272, "%R.A."},
    {70, 262, 150, 272, "Importo ritenuta d'acconto"},
    {150, 256, 195, 272, "Totale dovuto"},
};

// Fee note (code 3).
constexpr Box feeHeader[] = {
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "Parcella numero"},
    {35, 90, 75, 100, "Data"},
    {75, 90, 125, 100, "Partita iva cliente"},
    {125, 90, 195, 100, "Codice fiscale cliente"},
    {1, 100, 195, 110, "Pratica"},
    {1, 110, 95, 120, "Pagamento"},
    {95, 110, 195, 120, "Banca di appoggio"},
};
constexpr Box feeColumns[] = {
    {1, 120, 30, 240, "Data"},
    {30, 120, 120, 240, "Prestazione"},
    {120, 120, 145, 240, "Anticipazioni"},
    {145, 120, 170, 240, "Spese"},
    {170, 120, 195, 240, "Diritti ed onorari"},
};
constexpr Box feeFooter[] = {
    {1, 240, 45, 258, "Riepilogo"},
    {45, 240, 70, 258, "Imponibili"},
    {70, 240, 85, 258, "%Aliquota"},
    {85, 240, 150, 258, "Importi iva/codici esenzione"},
    {150, 240, 195, 258, "Totale parcella in Euro"},
    {1, 258, 70, 275, "Contr.previdenziale"},
    {70, 258, 120, 275, "Ritenuta d'acconto"},
    {120, 258, 150, 275, "Altri importi"},
    {150, 258, 195, 275, "Totale dovuto in Euro"},
};

// Customer order (code 6); the placement window's captions.
constexpr Box orderHeader[] = {
    {1, 45, 95, 80, "Destinazione (se diversa)"},
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "Ordine numero"},
    {35, 90, 75, 100, "Data"},
    {75, 90, 125, 100, "Partita iva cliente"},
    {125, 90, 195, 100, "Data presunta evasione"},
    {1, 100, 195, 120, "Riferimenti"},
};
constexpr Box orderColumns[] = {
    {1, 120, 30, 240, "Articolo"},
    {30, 120, 110, 240, "Descrizione/prestazione"},
    {110, 120, 120, 240, "UM"},
    {120, 120, 140, 240, "Quantità"},
    {140, 120, 160, 240, "Prezzo unitario"},
    {160, 120, 170, 240, "Sconto"},
    {170, 120, 195, 240, "Importo complessivo"},
};
constexpr Box orderFooter[] = {
    {1, 240, 120, 262, "Vettore"},
    {120, 240, 195, 262, "Firma per accettazione"},
};

// Commission invoice (code 8).
constexpr Box commissionHeader[] = {
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "Fattura numero"},
    {35, 90, 75, 100, "Data"},
    {75, 90, 125, 100, "Partita iva cliente"},
    {125, 90, 195, 100, "Codice fiscale cliente"},
    {1, 100, 195, 110, "Note"},
    {1, 110, 95, 120, "Pagamento"},
    {95, 110, 195, 120, "Banca di appoggio"},
};
constexpr Box commissionColumns[] = {
    {1, 120, 30, 240, "Data"},
    {30, 120, 120, 240, "Prestazione"},
    {120, 120, 145, 240, "Spese esenti"},
    {145, 120, 170, 240, "Provvigioni"},
    {170, 120, 195, 240, "Altri importi"},
};
constexpr Box commissionFooter[] = {
    {1, 240, 45, 258, "Riepilogo"},
    {45, 240, 70, 258, "Imponibili"},
    {70, 240, 85, 258, "%Aliquota"},
    {85, 240, 150, 258, "Importi iva/codici esenzione"},
    {150, 240, 195, 258, "Totale fattura in Euro"},
    {1, 258, 70, 275, "Enasarco"},
    {70, 258, 150, 275, "Ritenuta d'acconto"},
    {150, 258, 195, 275, "Totale dovuto in Euro"},
};

// Supplier order (code 10).
constexpr Box supplierOrderHeader[] = {
    {1, 45, 95, 80, "Destinazione (se diversa)"},
    {105, 45, 195, 80, "Spett."},
    {1, 90, 35, 100, "Ordine numero"},
    {35, 90, 75, 100, "Data"},
    {75, 90, 125, 100, "Partita iva"},
    {125, 90, 195, 100, "Data presunta evasione"},
    {1, 100, 195, 120, "Riferimenti"},
};
constexpr Box supplierOrderColumns[] = {
    {1, 120, 40, 240, "Articolo"},
    {40, 120, 135, 240, "Descrizione"},
    {135, 120, 145, 240, "UM"},
    {145, 120, 168, 240, "Quantità ordinata"},
    {168, 120, 195, 240, "Prezzo unitario"},
};
constexpr Box supplierOrderFooter[] = {
    {1, 240, 120, 262, "Annotazioni"},
    {120, 240, 195, 262, "Firma per accettazione"},
};

// A type drawn as another one with some captions changed, the summary cut down to a few boxes
// and some boxes added below the footer.
struct Rename {
    std::string_view from, to;
};
struct Derived {
    DocumentType type, base;
    std::span<const Rename> renames;
    std::span<const std::string_view> footerOnly;  // empty: the whole footer
    std::span<const Box> extraFooter;
};

constexpr Rename receiptRenames[] = {{"Fattura numero", "Ricevuta numero"},
                                     {"Totale fattura in Euro", "Totale ricevuta in Euro"}};
constexpr Rename quoteRenames[] = {{"Ordine numero", "Preventivo numero"},
                                   {"Data presunta evasione", "Validità preventivo"}};
constexpr Box quoteTotal[] = {{150, 262, 195, 272, "Totale preventivo"}};
constexpr std::string_view notValid = "DOCUMENTO NON VALIDO AI FINI FISCALI";
constexpr Rename proformaFeeRenames[] = {{"Parcella numero", "Previsione di spesa"},
                                         {"Codice fiscale cliente", notValid}};
constexpr Rename proformaInvoiceRenames[] = {{"Fattura numero", "Previsione di spesa"},
                                             {"Codice fiscale cliente", notValid}};
constexpr std::string_view proformaSummary[] = {"Riepilogo", "Totale dovuto in Euro"};

constexpr Derived derivedTypes[] = {
    {2, 1, receiptRenames, {}, {}},
    {7, 6, quoteRenames, {}, quoteTotal},
    {9, 3, proformaFeeRenames, proformaSummary, {}},
    {11, 8, proformaInvoiceRenames, proformaSummary, {}},
};

// The designer captions the customer order's description column more briefly.
constexpr Rename designerOrderRenames[] = {{"Descrizione/prestazione", "Descrizione"}};

std::optional<GridTable> baseTable(DocumentType type, bool withholding) {
    switch (type) {
    case 1:
        if (withholding)
            return GridTable{invoiceHeader, invoiceColumns, invoiceFooter, invoiceWithholdingTotals};
        return GridTable{invoiceHeader, invoiceColumns, invoiceFooter, invoicePlainTotals};
    case 3: return GridTable{feeHeader, feeColumns, feeFooter};
    case 5: return GridTable{transportHeader, transportColumns, transportFooter};
    case 6: return GridTable{orderHeader, orderColumns, orderFooter};
    case 8: return GridTable{commissionHeader, commissionColumns, commissionFooter};
    case 10: return GridTable{supplierOrderHeader, supplierOrderColumns, supplierOrderFooter};
    default: return std::nullopt;
    }
}

GridElement rectangle(const Box& box) {
    GridElement e;
    e.kind = 2;
    e.x1 = box.x1;
    e.y1 = box.y1;
    e.x2 = box.x2;
    e.y2 = box.y2;
    return e;
}

GridElement caption(const Box& box, std::span<const Rename> renames) {
    GridElement e;
    e.kind = 3;
    e.text = std::string(box.caption);
    for (const Rename& r : renames)
        if (box.caption == r.from)
            e.text = std::string(r.to);
    e.fontName = "Arial";
    e.x1 = box.x1 + 1;
    e.y1 = box.y1 + 1;
    e.filledOrSize = 6;
    return e;
}

GridElement headingLine() {
    GridElement e;
    e.kind = 1;
    e.x1 = lineX1;
    e.y1 = lineY;
    e.x2 = lineX2;
    e.y2 = lineY;
    return e;
}

class GridAssembler {
public:
    explicit GridAssembler(std::span<const Rename> renames) : renames_(renames) {}
    void add(const GridElement& element) {
        if (grid_.count < FormGrid::maxElements)
            grid_.elements[static_cast<std::size_t>(++grid_.count)] = element;
    }
    void add(const Box& box) {
        add(rectangle(box));
        add(caption(box, renames_));
    }
    void add(std::span<const Box> boxes) {
        for (const Box& box : boxes)
            add(box);
    }
    FormGrid grid() const { return grid_; }

private:
    std::span<const Rename> renames_;
    FormGrid grid_;
};

// ---------------------------------------------------------------------------------------------
// Field placements
// ---------------------------------------------------------------------------------------------

// One position the defaults set; `size10` also sets the row's size to "10".
struct Pos {
    int row;
    std::string_view position;
    bool size10 = false;
};

constexpr Pos letterhead[] = {{1, "001005"},  {2, "001010"},  {3, "001015"}, {6, "001020"},
                              {7, "031020"},  {10, "001025"}, {11, "001030"}, {12, "001035"}};
constexpr Pos customerBlock[] = {{18, "110055"}, {19, "110060"}, {20, "110065"},
                                 {21, "110070"}, {22, "120070"}, {23, "080095"}};
constexpr Pos destinationBlock[] = {
    {25, "005055"}, {26, "005060"}, {27, "005065"}, {28, "005070"}, {29, "015070"}};

constexpr Pos invoice[] = {
    {24, "130095"}, {30, "005095"}, {31, "040095"}, {44, "097105"}, {45, "005105"}, {46, "005115"},
    {47, "097115"}, {60, "045245"}, {61, "065245"}, {62, "115245"}, {63, "045250"}, {64, "065250"},
    {65, "115250"}, {66, "045255"}, {67, "065255"}, {68, "115255"}, {72, "045260"}, {73, "075260"},
    {87, "128"},    {88, "235"},    {89, "030"},    {91, "022"},    {93, "165"},    {95, "190"},
    {96, "132"},    {97, "122"}};
constexpr Pos invoiceTotal[] = {{80, "190262"}};
constexpr Pos invoiceWithholding[] = {{69, "065265"}, {70, "115265"}, {71, "190262"}, {80, "190250"}};

constexpr Pos feeNote[] = {
    {24, "130095"}, {30, "005095"}, {31, "040095"}, {33, "005105"}, {37, "005115"},
    {38, "097115"}, {51, "065250"}, {52, "075250"}, {53, "140250"}, {55, "065255"},
    {56, "075255"}, {57, "140255"}, {59, "065245"}, {60, "117245"}, {62, "065260"},
    {63, "075260"}, {64, "110260"}, {65, "065265"}, {66, "075265"}, {67, "002265"},
    {68, "110265"}, {69, "140265"}, {70, "065270"}, {71, "075270"}, {72, "110270"},
    {73, "140270"}, {76, "190252", true}, {77, "190267", true}, {83, "128"}, {84, "235"},
    {85, "002"},    {86, "032"},    {87, "140"},    {88, "165"},    {89, "190"}};

constexpr Pos transport[] = {
    {33, "015095"}, {34, "040095"}, {36, "005245"}, {37, "110255"}, {38, "170255"}, {39, "005255"},
    {43, "005105"}, {44, "005110"}, {45, "005115"}, {46, "140095"}, {47, "160095"}, {53, "128"},
    {54, "235"},    {55, "005"},    {56, "040"},    {57, "185"},    {58, "150"}};

constexpr Pos order[] = {{33, "015095"}, {34, "040095"}, {36, "005105"}, {37, "005110"},
                         {38, "005115"}, {40, "130095"}, {41, "005245"}, {42, "005250"},
                         {43, "005255"}, {70, "128"},    {71, "235"}};
constexpr Pos customerOrderColumnX[] = {{72, "003"}, {73, "032"}, {74, "138"}, {75, "112"},
                                        {76, "158"}, {78, "190"}, {79, "162"}};
constexpr Pos supplierOrderColumnX[] = {{72, "003"}, {73, "042"}, {74, "165"}, {75, "138"}, {76, "190"}};

constexpr Pos quote[] = {{33, "015095"}, {34, "040095"}, {36, "005105"}, {37, "005110"}, {38, "005115"},
                         {39, "130095"}, {40, "005245"}, {41, "005250"}, {42, "005255"}, {65, "190265"},
                         {71, "128"},    {72, "235"},    {73, "003"},    {74, "032"},    {75, "135"},
                         {76, "111"},    {77, "155"},    {79, "190"},    {80, "161"}};

constexpr Pos commissionInvoice[] = {
    {24, "130095"}, {33, "005095"}, {34, "040095"}, {36, "005105"}, {40, "005115"},
    {41, "097115"}, {50, "065250"}, {51, "075250"}, {52, "140250"}, {54, "065255"},
    {55, "075255"}, {56, "140255"}, {58, "065245"}, {59, "117245"}, {61, "065260"},
    {62, "075260"}, {63, "110260"}, {64, "065265"}, {65, "075265"}, {66, "110265"},
    {67, "140265"}, {68, "190247", true}, {69, "190262", true}, {75, "128"}, {76, "235"},
    {77, "002"},    {78, "032"},    {79, "140"},    {80, "165"},    {81, "190"}};

constexpr Pos proformaFeeNote[] = {{30, "005095"}, {31, "040095"}, {33, "005105"}, {37, "005115"},
                                   {38, "097115"}, {76, "190267", true}, {83, "128"}, {84, "235"},
                                   {85, "002"},    {86, "032"},    {87, "140"},    {88, "165"},
                                   {89, "190"}};

constexpr Pos proformaInvoice[] = {{33, "005095"}, {34, "040095"}, {36, "005105"}, {40, "005115"},
                                   {41, "097115"}, {69, "190262", true}, {75, "128"}, {76, "235"},
                                   {77, "002"},    {78, "032"},    {79, "140"},    {80, "165"},
                                   {81, "190"}};

// What each type's defaults set, in order; the invoice twice, without and with the room for the
// withholding tax. The receipt never has that room.
struct TypePositions {
    DocumentType type;
    bool withholding;
    std::array<std::span<const Pos>, 4> parts;
};

constexpr TypePositions typePositions[] = {
    {1, false, {letterhead, customerBlock, invoice, invoiceTotal}},
    {1, true, {letterhead, customerBlock, invoice, invoiceWithholding}},
    {2, false, {letterhead, customerBlock, invoice, invoiceTotal}},
    {3, false, {customerBlock, feeNote}},
    {5, false, {customerBlock, destinationBlock, transport}},
    {6, false, {customerBlock, destinationBlock, order, customerOrderColumnX}},
    {7, false, {customerBlock, destinationBlock, quote}},
    {8, false, {customerBlock, commissionInvoice}},
    {9, false, {customerBlock, proformaFeeNote}},
    {10, false, {customerBlock, destinationBlock, order, supplierOrderColumnX}},
    {11, false, {customerBlock, proformaInvoice}},
};

bool isMarkerOrColumn(DocumentType type, int row) {
    const auto field = catalogueField(type, row);
    return field && field->kind != FieldKind::Ordinary;
}

void apply(Placements& placements, std::span<const Pos> positions) {
    for (const Pos& p : positions) {
        Placement& row = placements.row[static_cast<std::size_t>(p.row)];
        row.position = std::string(p.position);
        if (p.size10)
            row.size = "10";
    }
}

}  // namespace

FormGrid defaultFormGrid(DocumentType type, GridBuilder builder, bool withholding) {
    const Derived* derived = nullptr;
    for (const Derived& d : derivedTypes)
        if (d.type == type)
            derived = &d;
    const DocumentType base = derived ? derived->base : type;
    // Only the designer offers the invoice with room for the withholding tax.
    const bool roomForWithholding = withholding && type == 1 && builder == GridBuilder::Designer;
    const std::optional<GridTable> table = baseTable(base, roomForWithholding);
    if (!table)
        return {};
    std::span<const Rename> renames;
    if (derived)
        renames = derived->renames;
    else if (type == 6 && builder == GridBuilder::Designer)
        renames = designerOrderRenames;

    GridAssembler grid(renames);
    grid.add(table->header);
    grid.add(headingLine());
    grid.add(table->columns);
    for (std::span<const Box> part : {table->footer, table->totals})
        for (const Box& box : part)
            if (!derived || derived->footerOnly.empty() || std::ranges::count(derived->footerOnly, box.caption))
                grid.add(box);
    if (derived)
        grid.add(derived->extraFooter);
    return grid.grid();
}

std::string defaultGridQuestion(DocumentType type) {
    static constexpr std::string_view questions[] = {
        "",
        "Confermi l'impostazione del modulo di default della fattura?",
        "Confermi l'impostazione del modulo di default della ricevuta?",
        "Confermi l'impostazione del modulo di default della parcella?",
        "",
        "Confermi l'impostazione del modulo di default del DDT?",
        "Confermi l'impostazione del modulo di default dell'ordine clienti?",
        "Confermi l'impostazione del modulo di default del preventivo?",
        "Confermi l'impostazione del modulo di default della fattura provvigioni?",
        "Confermi l'impostazione del modulo di default della parcella proforma?",
        "Confermi l'impostazione del modulo di default dell'ordine fornitori?",
        "Confermi l'impostazione del modulo di default della fattura proforma?",
    };
    if (!hasLayoutFiles(type))
        return {};
    return std::string(questions[type]);
}

void resetPlacements(Placements& placements, DocumentType type) {
    // The rows a type starts with: everything blank, markers and columns at "000".
    placements = defaultPlacements(type);
}

void applyDefaultPlacements(Placements& placements, DocumentType type, bool withholding) {
    if (!hasLayoutFiles(type))
        return;
    // Markers and columns hold three digits: they keep theirs unless the defaults name them.
    for (int row = 1; row <= 95; ++row)
        if (!isMarkerOrColumn(type, row))
            placements.row[static_cast<std::size_t>(row)].position = "000000";
    const bool roomForWithholding = withholding && type == 1;
    for (const TypePositions& defaults : typePositions)
        if (defaults.type == type && defaults.withholding == roomForWithholding)
            for (std::span<const Pos> part : defaults.parts)
                apply(placements, part);
}

}  // namespace kalvora::printing
