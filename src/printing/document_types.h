#pragma once
// The document types whose printed layout the company keeps, and the field catalogue that gives
// a meaning to each row of a field placement file.
#include <optional>
#include <string>
#include <string_view>

namespace kalvora::printing {

// The type's code, 1..11. Code 4 (the bank receipt) has a name and no layout files.
using DocumentType = int;

struct DocumentTypeInfo {
    int code;
    const char* name;          // as the windows name it: "fattura", "ordine cliente" ...
    const char* designerName;  // as the designer and the settings check name it: "ordine clienti"
    char suffix;               // kalvora.lk<suffix>, .ly<suffix>, .lx<suffix>; 0 for code 4
    const char* companyWord;   // "Azienda" or "Studio"; nullptr for code 4
    int ordinary;              // N: positions 1..N are ordinary fields
    int columns;               // C: positions N+3..N+2+C are item columns
};

// nullptr outside 1..11.
const DocumentTypeInfo* documentType(DocumentType code);
// True for the types that have files (1..11 except 4).
bool hasLayoutFiles(DocumentType code);
// "kalvora.lkf", "kalvora.lyf", "kalvora.lxf" for code 1; empty for a type without files.
std::string gridFileName(DocumentType code);
std::string placementFileName(DocumentType code);
std::string mailFileName(DocumentType code);

enum class FieldKind { Ordinary = 1, Marker = 2, Column = 3 };

struct CatalogueField {
    std::string caption;  // as the placement window shows it, trailing blanks included
    FieldKind kind;
};

// Positions 1..N+2+C of the type's catalogue; nullopt for a position outside it or a type
// without a catalogue.
std::optional<CatalogueField> catalogueField(DocumentType code, int position);
// N + 2 + C, the last position in use; 0 for a type without a catalogue.
int cataloguePositions(DocumentType code);

}  // namespace kalvora::printing
