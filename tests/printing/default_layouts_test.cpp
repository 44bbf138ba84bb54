#include "printing/default_layouts.h"

#include "printing/layout_designer.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace kalvora::printing {
namespace {

// "row:position" pairs; a '!' after the position means the row also gets size 10.
const std::string letterhead = "1:001005 2:001010 3:001015 6:001020 7:031020 10:001025 11:001030 12:001035 ";
const std::string customer = "18:110055 19:110060 20:110065 21:110070 22:120070 23:080095 ";
const std::string destination = "25:005055 26:005060 27:005065 28:005070 29:015070 ";
const std::string invoice = letterhead + customer +
                            "24:130095 30:005095 31:040095 44:097105 45:005105 46:005115 47:097115 60:045245 "
                            "61:065245 62:115245 63:045250 64:065250 65:115250 66:045255 67:065255 68:115255 "
                            "72:045260 73:075260 87:128 88:235 89:030 91:022 93:165 95:190 96:132 97:122 ";
const std::string order = customer + destination +
                          "33:015095 34:040095 36:005105 37:005110 38:005115 40:130095 41:005245 42:005250 "
                          "43:005255 70:128 71:235 ";
const std::string proformaColumns = "85:002 86:032 87:140 88:165 89:190";

// Type, with the withholding tax, the rows named.
const std::vector<std::tuple<DocumentType, bool, std::string>> placementCases = {
    {1, false, invoice + "80:190262"},
    {1, true, invoice + "69:065265 70:115265 71:190262 80:190250"},
    {2, true, invoice + "80:190262"},
    {3, false, customer + "24:130095 30:005095 31:040095 33:005105 37:005115 38:097115 51:065250 52:075250 "
                          "53:140250 55:065255 56:075255 57:140255 59:065245 60:117245 62:065260 63:075260 "
                          "64:110260 65:065265 66:075265 67:002265 68:110265 69:140265 70:065270 71:075270 "
                          "72:110270 73:140270 76:190252! 77:190267! 83:128 84:235 " + proformaColumns},
    {5, false, customer + destination + "33:015095 34:040095 36:005245 37:110255 38:170255 39:005255 43:005105 "
                                        "44:005110 45:005115 46:140095 47:160095 53:128 54:235 55:005 56:040 "
                                        "57:185 58:150"},
    {6, false, order + "72:003 73:032 74:138 75:112 76:158 78:190 79:162"},
    {7, false, customer + destination + "33:015095 34:040095 36:005105 37:005110 38:005115 39:130095 40:005245 "
                                        "41:005250 42:005255 65:190265 71:128 72:235 73:003 74:032 75:135 "
                                        "76:111 77:155 79:190 80:161"},
    {8, false, customer + "24:130095 33:005095 34:040095 36:005105 40:005115 41:097115 50:065250 51:075250 "
                          "52:140250 54:065255 55:075255 56:140255 58:065245 59:117245 61:065260 62:075260 "
                          "63:110260 64:065265 65:075265 66:110265 67:140265 68:190247! 69:190262! 75:128 "
                          "76:235 77:002 78:032 79:140 80:165 81:190"},
    {9, false, customer + "30:005095 31:040095 33:005105 37:005115 38:097115 76:190267! 83:128 84:235 " +
                   proformaColumns},
    {10, false, order + "72:003 73:042 74:165 75:138 76:190"},
    {11, false, customer + "33:005095 34:040095 36:005105 40:005115 41:097115 69:190262! 75:128 76:235 77:002 "
                           "78:032 79:140 80:165 81:190"},
};

Placement& at(Placements& p, int row) { return p.row[static_cast<std::size_t>(row)]; }

TEST(DefaultPlacements, EveryTypeAgainstItsTable) {
    for (const auto& [type, withholding, rows] : placementCases) {
        SCOPED_TRACE("type " + std::to_string(type) + (withholding ? " with withholding" : ""));
        const Placements fresh = defaultPlacements(type);  // markers and columns at "000"
        const auto threeDigits = [&fresh](int row) { return fresh.row[std::size_t(row)].position.size() == 3; };
        Placements p;
        for (int row = 1; row <= Placements::rows; ++row)
            at(p, row) = {threeDigits(row) ? "077" : "999999", "12", "Courier", "1", "1", " 255"};
        applyDefaultPlacements(p, type, withholding);
        std::map<int, std::string> named;
        std::istringstream in(rows);
        for (std::string item; in >> item;) named[std::stoi(item)] = item.substr(item.find(':') + 1);
        for (int row = 1; row <= Placements::rows; ++row) {
            std::string position = threeDigits(row) ? "077" : row > 95 ? "999999" : "000000";
            if (named.contains(row)) position = named[row];
            const bool small = position.ends_with('!');
            if (small) position.pop_back();
            EXPECT_EQ(at(p, row), (Placement{position, small ? "10" : "12", "Courier", "1", "1", " 255"})) << row;
        }
    }
    Placements untouched;  // a type without files is left alone
    applyDefaultPlacements(untouched, 4, false);
    EXPECT_EQ(untouched.row, Placements{}.row);
}

TEST(DefaultPlacements, ResetClearsEveryRow) {
    for (const auto& [type, first, last] : std::vector<std::tuple<int, int, int>>{{1, 87, 99}, {5, 53, 62}}) {
        Placements p;
        p.row.fill({"123456", "14", "Times", "1", "1", " 65280"});
        resetPlacements(p, type);
        for (int row = 1; row <= Placements::rows; ++row)
            EXPECT_EQ(at(p, row), (Placement{row >= first && row <= last ? "000" : "000000"})) << type << ' ' << row;
    }
}

// The captions of each type's designer grid, '|' between them; code 1 gains four with the
// withholding tax.
const std::string invoiceBoxes = "Data|Partita iva cliente|Codice fiscale cliente|Ordine|Documento di trasporto|"
                                 "Pagamento|Banca di appoggio|Quantità|Descrizione|%Iva|Sconto|Prezzo unitario|"
                                 "Prezzo totale|Imponibili|%Iva|Importi iva/codici di esenzione|";
const std::string orderBoxes = "Destinazione (se diversa)|Spett.|Data|Riferimenti|Articolo|UM|Prezzo unitario|";
const std::string notValid = "DOCUMENTO NON VALIDO AI FINI FISCALI|";
const std::string feeBoxes = "Spett.|Data|Partita iva cliente|Pratica|Pagamento|Banca di appoggio|Data|Prestazione|"
                             "Anticipazioni|Spese|Diritti ed onorari|Riepilogo|Totale dovuto in Euro|";
const std::string commissionBoxes = "Spett.|Data|Partita iva cliente|Note|Pagamento|Banca di appoggio|Data|"
                                    "Prestazione|Spese esenti|Provvigioni|Altri importi|Riepilogo|"
                                    "Totale dovuto in Euro|";
const std::string fullSummary = "%Aliquota|Imponibili|Importi iva/codici esenzione|Ritenuta d'acconto|";
const std::map<int, std::string> captions = {
    {1, "Spett.|Fattura numero|" + invoiceBoxes + "Totale fattura in Euro"},
    {2, "Spett.|Ricevuta numero|" + invoiceBoxes + "Totale ricevuta in Euro"},
    {3, feeBoxes + fullSummary + "Parcella numero|Codice fiscale cliente|Contr.previdenziale|Altri importi|"
                                 "Totale parcella in Euro"},
    {6, orderBoxes + "Ordine numero|Partita iva cliente|Data presunta evasione|Descrizione|Quantità|Sconto|"
                     "Importo complessivo|Vettore|Firma per accettazione"},
    {7, orderBoxes + "Preventivo numero|Partita iva cliente|Validità preventivo|Descrizione/prestazione|Quantità|"
                     "Sconto|Importo complessivo|Vettore|Firma per accettazione|Totale preventivo"},
    {8, commissionBoxes + fullSummary + "Fattura numero|Codice fiscale cliente|Enasarco|Totale fattura in Euro"},
    {9, feeBoxes + notValid + "Previsione di spesa"},
    {10, orderBoxes + "Ordine numero|Partita iva|Data presunta evasione|Descrizione|Quantità ordinata|Annotazioni|"
                      "Firma per accettazione"},
    {11, commissionBoxes + notValid + "Previsione di spesa"},
};
const std::string withholdingBoxes = "|%R.A.|Ritenuta d'acconto|Importo ritenuta d'acconto|Totale dovuto";

// Checks every box on the page, captioned at +1,+1 in Arial 6 black, none overlapping another,
// the one line under the headings, every placed field and column printing inside a box. Gives
// the grid in order: "x1,y1,x2,y2:caption" per box, "line" for the line, '|' between them.
std::string checkGrid(const FormGrid& grid, DocumentType type, bool withholding) {
    std::vector<GridElement> boxes;
    std::ostringstream order;
    for (int i = 1; i <= grid.count; ++i) {
        const GridElement& e = grid.elements[std::size_t(i)];
        if (e.kind == 1) {
            EXPECT_EQ(e, (GridElement{"", "", 1, 1, 124, 195, 124, 0, 0, 0, 0}));
            order << "line|";
            continue;
        }
        EXPECT_EQ(e, (GridElement{"", "", 2, e.x1, e.y1, e.x2, e.y2, 0, 0, 0, 0})) << "slot " << i;
        EXPECT_TRUE(e.x1 >= 1 && e.y1 >= 1 && e.x1 < e.x2 && e.y1 < e.y2 && e.x2 <= 210 && e.y2 <= 297) << i;
        const GridElement& text = grid.elements[std::size_t(++i)];
        EXPECT_EQ(text, (GridElement{text.text, "Arial", 3, e.x1 + 1, e.y1 + 1, 0, 0, 0, 6, 0, 0})) << i;
        for (const GridElement& b : boxes)
            EXPECT_FALSE(e.x1 < b.x2 && b.x1 < e.x2 && e.y1 < b.y2 && b.y1 < e.y2) << text.text << " overlaps";
        boxes.push_back(e);
        order << e.x1 << ',' << e.y1 << ',' << e.x2 << ',' << e.y2 << ':' << text.text << '|';
    }
    EXPECT_EQ(grid.elements[std::size_t(grid.count + 1)], GridElement{});

    Placements p = defaultPlacements(type);
    applyDefaultPlacements(p, type, withholding);
    for (int row = 17; row <= Placements::rows; ++row) {
        const std::string& pos = at(p, row).position;
        const auto field = catalogueField(type, row);
        if (!field || std::stoi(pos) == 0 || field->kind == FieldKind::Marker) continue;
        const bool column = field->kind == FieldKind::Column;
        const int x = std::stoi(pos.substr(0, 3)), y = column ? 130 : std::stoi(pos.substr(3));
        EXPECT_TRUE(std::ranges::any_of(boxes, [&](auto& b) { return b.x1 < x && x < b.x2 && b.y1 < y && y < b.y2; }))
            << "row " << row << " at " << pos;
    }
    return order.str();
}

// The captions of a '|' list of captions or of boxes ("x1,y1,x2,y2:caption"), in any order.
std::multiset<std::string> captionsOf(const std::string& list) {
    std::multiset<std::string> items;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, '|');)
        if (item != "line") items.insert(item.substr(item.find(':') + 1));  // npos + 1: the whole item
    return items;
}

TEST(DefaultGrids, TransportDocumentSlotBySlot) {
    const std::string expected =
        "1,45,95,80:Destinazione|105,45,195,80:Spett.|1,90,35,100:DDT numero|35,90,70,100:Data|"
        "70,90,120,100:Partita iva cliente|120,90,195,100:Inizio trasporto|1,100,195,120:Vettore|line|"
        "1,120,35,240:Articolo|35,120,145,240:Descrizione|145,120,170,240:Unità misura|170,120,195,240:Quantità|"
        "1,240,195,250:Causale del trasporto|1,250,100,260:Aspetto dei beni|100,250,147,260:Numero colli|"
        "147,250,195,260:Peso colli|1,260,195,270:Firma per ricevuta|";
    for (GridBuilder builder : {GridBuilder::Designer, GridBuilder::Placements}) {
        const FormGrid grid = defaultFormGrid(5, builder, true);
        EXPECT_EQ(grid.count, 33);
        EXPECT_EQ(checkGrid(grid, 5, false), expected);
    }
    EXPECT_EQ(defaultFormGrid(4, GridBuilder::Designer).count, 0);
}

// `roomForTax`: the grid is checked against the invoice placements with room for the tax.
void checkCaptions(DocumentType type, GridBuilder builder, bool withholding, bool roomForTax, std::string expected) {
    EXPECT_EQ(captionsOf(checkGrid(defaultFormGrid(type, builder, withholding), type, roomForTax)),
              captionsOf(expected));
}

TEST(DefaultGrids, EveryTypeBothBuilders) {
    for (const auto& [type, designerCaptions] : captions) {
        SCOPED_TRACE("type " + std::to_string(type));
        checkCaptions(type, GridBuilder::Designer, false, false, designerCaptions);
        std::string placementCaptions = designerCaptions;
        if (type == 6) placementCaptions.replace(placementCaptions.find("Descrizione"), 11, "Descrizione/prestazione");
        checkCaptions(type, GridBuilder::Placements, true, false, placementCaptions);
    }
    checkCaptions(1, GridBuilder::Designer, true, true, captions.at(1) + withholdingBoxes);
    checkCaptions(2, GridBuilder::Designer, true, false, captions.at(2));
}

TEST(DefaultGrids, DesignerButtonAsksFirst) {
    const std::string invoice = "Confermi l'impostazione del modulo di default della fattura?|";
    const std::string withholding = withholdingQuestion + std::string("|");
    for (const auto& [type, answers, asked, count] : std::vector<std::tuple<int, std::deque<bool>, std::string, int>>{
             {1, {true, false}, invoice + withholding, 39},
             {1, {true, true}, invoice + withholding, 47},
             {5, {true, true}, "Confermi l'impostazione del modulo di default del DDT?|", 33}}) {
        testing::TestSession t;
        LayoutDesignerForm form(t.session, type);
        form.open();
        form.newElement(0);
        form.confirm(0);  // one line of the user's own
        t.platform.answers = answers;
        form.button(2);
        std::string questions;
        for (const auto& q : t.platform.questions())  // a wrong title shows as a leading '?'
            questions += (q.title == "Modulo di default" ? "" : "?") + q.text + "|";
        EXPECT_EQ(questions, asked);
        EXPECT_EQ(form.grid().count, count);
        EXPECT_EQ(form.entries().size(), std::size_t(count));
    }
}

}  // namespace
}  // namespace kalvora::printing
