// The field catalogue of each document type: what every row of its field placement file prints.
#include "printing/document_types.h"

#include <array>
#include <span>
#include <string_view>

namespace kalvora::printing {

namespace {

// Positions first..last. The captions are alternatives separated by '|', taken in turn along
// the run; a '#' in a caption is the number of the turn (1 for the first round). So
// {48, 59, "Importo scadenza #|Data scadenza #"} gives "Importo scadenza 1", "Data scadenza 1",
// ... "Data scadenza 6".
struct Run {
    int first;
    int last;
    std::string_view captions;
    constexpr Run(int position, std::string_view text) : first(position), last(position), captions(text) {}
    constexpr Run(int from, int to, std::string_view text) : first(from), last(to), captions(text) {}
};

// Runs placed `shift` positions further on. A later block of a type overrides an earlier one.
struct Block {
    std::span<const Run> runs;
    int shift = 0;
};

constexpr std::string_view letterhead[16] = {
    ": intestazione", ": indirizzo sede legale", ": città sede legale", ": indirizzo sede amministrativa",
    ": città sede amministrativa", ": telefono", ": fax", ": indirizzo e-mail", ": codice fiscale",
    ": partita iva", ": CCIAA", ": tribunale ", ": note riga 1", ": note riga 2", ": note riga 3",
    ": note riga 4"};
constexpr std::string_view position17 = "Riservato";

constexpr std::string_view duePairs = "Importo scadenza #|Data scadenza #";
constexpr std::string_view vatTriples = "Totale imponibile #|Aliquota iva imponibile #|Importo iva imponibile #";
constexpr std::string_view exemptPairs = "Importo esente #|Articolo di esenzione #";
constexpr std::string_view customerNotes = "Note associate al cliente riga #";

constexpr Run customer[] = {
    {18, 19, "Intestazione cliente - riga #"},
    {20, "Indirizzo cliente"},
    {21, "C.A.P. cliente"},
    {22, "Città cliente"},
    {23, "Partita iva cliente"},
    {24, "Codice fiscale cliente"},
};

constexpr Run destination[] = {
    {25, 26, "Intestazione destinazione - riga #"},
    {27, "Indirizzo destinazione"},
    {28, "C.A.P. destinazione"},
    {29, "Città destinazione"},
};

constexpr Run reserved[] = {
    {30, 32, "Riservato"},
};

// Codes 1 and 2.
constexpr Run invoice[] = {
    {17, "Diciture speciali (iva per cassa, split payment ecc)"},
    {30, "Numero fattura"},
    {31, "Data fattura"},
    {32, "Numero pagina"},
    {33, "Causale del trasporto"},
    {34, "Numero colli"},
    {35, "Peso colli"},
    {36, "Aspetto esteriore dei beni"},
    {37, "Codice IBAN"},
    {38, "Spedizione eseguita a mezzo..."},
    {39, 41, "Nome vettore - riga #"},
    {42, "Data inizio trasporto"},
    {43, "Ora inizio trasporto"},
    {44, "Estremi documento di trasporto"},
    {45, "Estremi ordine"},
    {46, "Estremi pagamento"},
    {47, "Estremi banca appoggio cliente"},
    {48, 59, duePairs},
    {60, 68, vatTriples},
    {69, 71, "Aliquota ritenuta acconto|Importo ritenuta acconto|"
             "Importo da pagare al netto della ritenuta acconto/iva split payment"},
    {72, 77, exemptPairs},
    {78, "Totale imponibili"},
    {79, "Totale imposta"},
    {80, "Totale fattura"},
    {81, "Dicitura 'Copia ad uso interno'"},
    {82, "Nome del documento"},
    {83, 86, customerNotes},
    {87, "Inizio area di elencazioni degli articoli e/o prestazioni"},
    {88, "Fine area di elencazioni degli articoli e/o prestazioni"},
    {89, 99, "Codice articolo|Descrizione|Quantità|Unità di misura|Prezzo unitario|Prezzo totale|"
             "Prezzo totale scontato|Percentuale sconto|Aliquota iva|Lotto|Scadenza"},
};

// Code 2 over code 1.
constexpr Run receipt[] = {
    {33, "Numero ricevuta"},
    {34, "Data ricevuta"},
    {69, 71, "Totale imponibile 4|Aliquota iva imponibile 4|Importo iva imponibile 4"},
    {80, "Totale ricevuta"},
};

// Codes 3 and 9.
constexpr Run feeNote[] = {
    {17, "Dicitura 'Fattura emessa ai sensi art. 32Bis DL83/2012'"},
    {25, 29, "Non utilizzato"},
    {30, "Numero fattura/parcella"},
    {31, "Data fattura/parcella"},
    {32, "Numero pagina"},
    {33, 36, "Estremi pratica - riga #"},
    {37, "Estremi pagamento"},
    {38, "Estremi banca appoggio cliente"},
    {39, 50, duePairs},
    {51, 53, "Totale imponibile spese|Aliquota iva imponibile spese|Importo iva imponibile spese"},
    {54, "Totale spese"},
    {55, 57, "Totale imponibile onorario|Aliquota iva imponibile onorario|Importo iva imponibile onorario"},
    {58, "Totale onorario"},
    {59, "Importo esente anticipazioni"},
    {60, "Articolo esente anticipazioni"},
    {61, "Totale anticipazioni"},
    {62, 64, "Imponibile ritenuta d'acconto|Aliquota ritenuta d'acconto|Importo ritenuta d'acconto"},
    {65, "Imponibile contributo integrativo"},
    {66, "Aliquota contributo integrativo"},
    {67, "Descrizione contributo integrativo"},
    {68, "Importo contributo integrativo"},
    {69, "Importo iva contributo integrativo"},
    {70, "Imponibile rivalsa contrib.previd."},
    {71, "Aliquota rivalsa contrib.previd."},
    {72, "Importo rivalsa contrib.previd."},
    {73, "Importo iva rivalsa contrib.previd."},
    {74, "Totale imponibili"},
    {75, "Totale imposta"},
    {76, "Totale fattura/parcella"},
    {77, "Totale dovuto"},
    {78, "Nome del documento"},
    {79, 82, customerNotes},
    {83, "Inizio area di elencazioni delle prestazioni"},
    {84, "Fine area di elencazioni delle prestazioni"},
    {85, 89, "Data prestazione|Descrizione prestazione|Importo anticipazioni|Importo spese|Importo onorari"},
};

// Code 5.
constexpr Run transport[] = {
    {33, "Numero documento"},
    {34, "Data documento"},
    {35, "Numero pagina"},
    {36, "Causale del trasporto"},
    {37, "Numero colli"},
    {38, "Peso colli"},
    {39, "Aspetto esteriore dei beni"},
    {40, "Porto"},
    {41, "Trasporto"},
    {42, "Riservato"},
    {43, 45, "Nome vettore - riga #"},
    {46, "Data inizio trasporto"},
    {47, "Ora inizio trasporto"},
    {48, "Nome del documento"},
    {49, 52, customerNotes},
    {53, "Inizio area di elencazioni degli articoli"},
    {54, "Fine area di elencazioni degli articoli"},
    {55, 62, "Codice articolo|Descrizione articolo|Quantità|Unità di misura|Prezzo unitario|% Sconto|Lotto|"
             "Scadenza"},
};

// Code 6.
constexpr Run customerOrder[] = {
    {33, "Numero ordine"},
    {34, "Data ordine"},
    {35, "Numero pagina"},
    {36, 38, "Descrizione ordine #"},
    {39, "Tipo ordine"},
    {40, "Data presunta di evasione"},
    {41, 43, "Nome vettore - riga #"},
    {44, "Modalità di pagamento"},
    {45, "Porto"},
    {46, "Trasporto"},
    {47, 55, vatTriples},
    {56, 61, exemptPairs},
    {62, "Totale imponibili"},
    {63, "Totale imposta"},
    {64, "Totale documento"},
    {65, "Nome del documento"},
    {66, 69, customerNotes},
    {70, "Inizio area di elencazioni degli articoli"},
    {71, "Fine area di elencazioni degli articoli"},
    {81, "Quantità evasa"},
};
constexpr Run orderColumns[] = {
    {72, 80, "Codice articolo|Descrizione|Quantità|Unità di misura|Prezzo unitario|Prezzo totale|"
             "Prezzo totale scontato|Percentuale sconto|Aliquota iva"},
};

// Code 7.
constexpr Run quote[] = {
    {33, "Numero preventivo"},
    {34, "Data preventivo"},
    {35, "Numero pagina"},
    {36, 38, "Descrizione preventivo #"},
    {39, "Data validità preventivo"},
    {40, 42, "Nome vettore - riga #"},
    {43, "Modalità di pagamento"},
    {44, "Estremi banca appoggio cliente"},
    {45, 56, vatTriples},
    {57, 62, exemptPairs},
    {63, "Totale imponibili"},
    {64, "Totale imposta"},
    {65, "Totale documento"},
    {66, "Nome del documento"},
    {67, 70, customerNotes},
    {71, "Inizio area di elencazioni degli articoli"},
    {72, "Fine area di elencazioni degli articoli"},
};

// Codes 8 and 11.
constexpr Run commissionInvoice[] = {
    {33, "Numero fattura"},
    {34, "Data fattura"},
    {35, "Numero pagina"},
    {36, 39, "Estremi pratica - riga #"},
    {40, "Estremi pagamento"},
    {41, "Estremi banca appoggio cliente"},
    {42, 49, duePairs},
    {50, 52, "Totale imponibile provvigioni|Aliquota iva imponibile provvigioni|Importo iva imponibile provvigioni"},
    {53, "Totale provvigioni"},
    {54, 56, "Totale imponibile altri importi|Aliquota iva imponibile altri importi|"
             "Importo iva imponibile altri importi"},
    {57, "Totale altri importi"},
    {58, "Importo esente spese"},
    {59, "Articolo esente spese"},
    {60, "Totale spese"},
    {61, 63, "Imponibile ritenuta d'acconto|Aliquota ritenuta d'acconto|Importo ritenuta d'acconto"},
    {64, "Imponibile enasarco"},
    {65, "Aliquota enasarco"},
    {66, "Importo enasarco"},
    {67, "Importo iva su enasarco"},
    {68, "Totale fattura"},
    {69, "Totale dovuto"},
    {70, "Nome del documento"},
    {71, 74, customerNotes},
    {75, "Inizio area di elencazioni delle prestazioni"},
    {76, "Fine area di elencazioni delle prestazioni"},
    {77, 81, "Data prestazione|Descrizione prestazione|Importo spese|Importo provvigioni|Importo altri importi"},
};

// Code 10 over code 6: the supplier instead of the customer, no caption at 46, and the columns
// of code 7 from 72 (code 6's without "Quantità evasa", which falls outside the catalogue).
constexpr Run supplierOrder[] = {
    {18, 19, "Intestazione fornitore - riga #"},
    {20, "Indirizzo fornitore"},
    {21, "C.A.P. fornitore"},
    {22, "Città fornitore"},
    {23, "Partita iva fornitore"},
    {24, "Codice fiscale fornitore"},
    {44, "Modalità di pagamento"},
    {45, "Porto"},
    {46, ""},
    {66, 69, "Note associate al fornitore riga #"},
};

constexpr Block invoiceBlocks[] = {{customer}, {destination}, {invoice}};
constexpr Block receiptBlocks[] = {{customer}, {destination}, {invoice}, {receipt}};
constexpr Block feeNoteBlocks[] = {{customer}, {feeNote}};
constexpr Block transportBlocks[] = {{customer}, {destination}, {reserved}, {transport}};
constexpr Block customerOrderBlocks[] = {{customer}, {destination}, {reserved}, {customerOrder}, {orderColumns}};
constexpr Block quoteBlocks[] = {{customer}, {destination}, {reserved}, {quote}, {orderColumns, 1}};
constexpr Block commissionBlocks[] = {{customer}, {destination}, {reserved}, {commissionInvoice}};
constexpr Block supplierOrderBlocks[] = {{customer},      {destination},   {reserved},
                                         {customerOrder}, {orderColumns},  {supplierOrder}};

// By code; code 4 has no catalogue.
constexpr std::array<std::span<const Block>, 12> catalogues{{
    {}, invoiceBlocks, receiptBlocks, feeNoteBlocks, {}, transportBlocks, customerOrderBlocks, quoteBlocks,
    commissionBlocks, feeNoteBlocks, supplierOrderBlocks, commissionBlocks,
}};

constexpr std::size_t alternatives(std::string_view captions) {
    std::size_t n = 1;
    for (char c : captions)
        n += c == '|' ? 1 : 0;
    return n;
}

// Every run holds whole rounds of its captions.
static_assert([] {
    for (std::span<const Block> blocks : catalogues)
        for (const Block& block : blocks)
            for (const Run& run : block.runs)
                if (run.last < run.first ||
                    static_cast<std::size_t>(run.last - run.first + 1) % alternatives(run.captions) != 0)
                    return false;
    return true;
}());

std::string captionIn(const Run& run, int offset) {
    const std::size_t count = alternatives(run.captions);
    std::size_t which = static_cast<std::size_t>(offset) % count;
    std::size_t begin = 0;
    for (; which > 0; --which)
        begin = run.captions.find('|', begin) + 1;
    const std::size_t end = run.captions.find('|', begin);
    std::string caption(run.captions.substr(begin, end == std::string_view::npos ? end : end - begin));
    if (const std::size_t hash = caption.find('#'); hash != std::string::npos)
        caption.replace(hash, 1, std::to_string(static_cast<std::size_t>(offset) / count + 1));
    return caption;
}

std::string captionAt(std::span<const Block> blocks, int position) {
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        for (const Run& run : block->runs)
            if (position >= run.first + block->shift && position <= run.last + block->shift)
                return captionIn(run, position - run.first - block->shift);
    return std::string(position17);
}

}  // namespace

int cataloguePositions(DocumentType code) {
    const DocumentTypeInfo* info = documentType(code);
    return info && hasLayoutFiles(code) ? info->ordinary + 2 + info->columns : 0;
}

std::optional<CatalogueField> catalogueField(DocumentType code, int position) {
    if (position < 1 || position > cataloguePositions(code))
        return std::nullopt;
    const DocumentTypeInfo& info = *documentType(code);
    CatalogueField field;
    if (position <= static_cast<int>(std::size(letterhead)))
        field.caption = std::string(info.companyWord) + std::string(letterhead[position - 1]);
    else
        field.caption = captionAt(catalogues[static_cast<std::size_t>(code)], position);
    field.kind = position <= info.ordinary       ? FieldKind::Ordinary
                 : position <= info.ordinary + 2 ? FieldKind::Marker
                                                 : FieldKind::Column;
    return field;
}

}  // namespace kalvora::printing
