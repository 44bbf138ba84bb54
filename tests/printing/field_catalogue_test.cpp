#include "printing/document_types.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

std::string caption(DocumentType code, int position) {
    const auto field = catalogueField(code, position);
    return field ? field->caption : "<none>";
}

TEST(FieldCatalogueTest, PositionsPerTypeAndCaptions) {
    const int expected[] = {0, 99, 99, 89, 0, 62, 81, 81, 81, 89, 80, 81, 0};
    for (int code = 0; code <= 12; ++code) EXPECT_EQ(cataloguePositions(code), expected[code]) << code;
    const struct {
        DocumentType code;
        int position;
        const char* caption;
    } cases[] = {
        {1, 12, "Azienda: tribunale "}, {1, 17, "Diciture speciali (iva per cassa, split payment ecc)"},
        {1, 59, "Data scadenza 6"}, {1, 71, "Importo da pagare al netto della ritenuta acconto/iva split payment"},
        {1, 100, "<none>"},         {2, 30, "Numero fattura"}, {2, 33, "Numero ricevuta"}, {2, 80, "Totale ricevuta"},
        {3, 1, "Studio: intestazione"}, {5, 17, "Riservato"}, {5, 60, "% Sconto"}, {5, 62, "Scadenza"},
        {6, 81, "Quantità evasa"},  {7, 56, "Importo iva imponibile 4"}, {7, 81, "Aliquota iva"},
        {9, 27, "Non utilizzato"},  {10, 46, ""}, {10, 69, "Note associate al fornitore riga 4"},
        {10, 80, "Aliquota iva"},   {10, 81, "<none>"}, {11, 81, "Importo altri importi"},
    };
    for (const auto& c : cases) EXPECT_EQ(caption(c.code, c.position), c.caption) << c.code << "/" << c.position;
    // The files of each type, and the types without them.
    EXPECT_EQ(gridFileName(10) + placementFileName(5) + mailFileName(11), "kalvora.lktkalvora.lybkalvora.lxj");
    EXPECT_EQ(gridFileName(4) + mailFileName(0) + placementFileName(12), "");
}

// The two item-area markers are told by their captions; fields come before them, columns after.
TEST(FieldCatalogueTest, KindsFollowTheItemAreaAndEveryPositionIsCaptioned) {
    for (int code = 1; code <= 11; ++code) {
        if (code == 4)
            continue;  // no catalogue
        FieldKind expected = FieldKind::Ordinary;
        int markers = 0;
        for (int position = 1; position <= cataloguePositions(code); ++position) {
            const CatalogueField field = *catalogueField(code, position);
            const bool marker = field.caption.starts_with("Inizio area di elencazioni") ||
                                field.caption.starts_with("Fine area di elencazioni");
            markers += marker ? 1 : 0;
            expected = marker ? FieldKind::Marker : markers == 2 ? FieldKind::Column : FieldKind::Ordinary;
            EXPECT_EQ(field.kind, expected) << code << "/" << position;
            EXPECT_EQ(field.caption.empty(), code == 10 && position == 46) << code << "/" << position;
        }
        EXPECT_EQ(markers, 2) << code;
        EXPECT_EQ(expected, FieldKind::Column) << code;
    }
}

}  // namespace
}  // namespace kalvora::printing
