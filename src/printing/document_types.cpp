#include "printing/document_types.h"

#include <array>

namespace kalvora::printing {

namespace {

constexpr std::array<DocumentTypeInfo, 11> types{{
    // code, name,                    designer name,             suffix, company word, N,  C
    {1, "fattura", "fattura", 'f', "Azienda", 86, 11},
    {2, "ricevuta fiscale", "ricevuta fiscale", 'r', "Azienda", 86, 11},
    {3, "parcella", "parcella", 'p', "Studio", 82, 5},
    {4, "ricevuta bancaria", "ricevuta bancaria", 0, nullptr, 0, 0},
    {5, "documento di trasporto", "documento di trasporto", 'b', "Azienda", 52, 8},
    {6, "ordine cliente", "ordine clienti", 'o', "Azienda", 69, 10},
    {7, "preventivo", "preventivo", 'v', "Azienda", 70, 9},
    {8, "fattura provvigioni", "fattura provvigioni", 'g', "Studio", 74, 5},
    {9, "parcella proforma", "parcella proforma", 'm', "Studio", 82, 5},
    {10, "ordine fornitore", "ordine fornitori", 't', "Azienda", 69, 9},
    {11, "fattura proforma", "fattura proforma", 'j', "Studio", 74, 5},
}};

static_assert([] {
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i].code != static_cast<int>(i) + 1 || types[i].ordinary + 2 + types[i].columns > 100)
            return false;
    return true;
}());

std::string fileName(DocumentType code, char kindLetter) {
    if (!hasLayoutFiles(code))
        return {};
    return std::string("kalvora.l") + kindLetter + documentType(code)->suffix;
}

}  // namespace

const DocumentTypeInfo* documentType(DocumentType code) {
    if (code < 1 || code > static_cast<int>(types.size()))
        return nullptr;
    return &types[static_cast<std::size_t>(code - 1)];
}

bool hasLayoutFiles(DocumentType code) {
    const DocumentTypeInfo* info = documentType(code);
    return info && info->suffix != 0;
}

std::string gridFileName(DocumentType code) { return fileName(code, 'k'); }
std::string placementFileName(DocumentType code) { return fileName(code, 'y'); }
std::string mailFileName(DocumentType code) { return fileName(code, 'x'); }

}  // namespace kalvora::printing
