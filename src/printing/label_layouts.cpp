#include "printing/label_layouts.h"

#include "core/text.h"
#include "printing/listing_settings_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <optional>

namespace kalvora::printing {

namespace {

constexpr long maxColour = 0xFFFFFF;
constexpr long testSheetGrey = 0xC0C0C0;
constexpr double defaultFontSize = 9;
constexpr double maxFontSize = 500;
constexpr double barsWidth = 30;  // mm, the test sheet's bar code
constexpr double barsHeight = 8;
constexpr int barCount = 30;

using Catalogue = std::vector<LabelCatalogueField>;

void addFreeFields(Catalogue& c) {
    for (int k = 1; k <= 5; ++k)
        c.push_back({"Campo libero numero " + std::to_string(k), "Campo libero " + std::to_string(k)});
}

// Customers and suppliers share the shape of their catalogues: two name lines, address,
// postcode and city, the same for the main address, then the phones.
Catalogue addressCatalogue(const std::string& who, const std::array<const char*, 10>& samples) {
    static const std::array<std::string, 10> shapes = {
        "Nome @ riga 1", "Nome @ riga 2", "Indirizzo @", "CAP @", "Città @",
        "Nome @ riga 1 (indirizzo principale)", "Nome @ riga 2 (indirizzo principale)",
        "Indirizzo @ (indirizzo principale)", "CAP @ (indirizzo principale)", "Città @(indirizzo principale)"};
    Catalogue c;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        std::string caption = shapes[i];
        caption.replace(caption.find('@'), 1, who);
        c.push_back({caption, samples[i]});
    }
    c.push_back({"Telefono 1", "02 1234567"});
    c.push_back({"Telefono 2", "02 7654321"});
    c.push_back({"Telefono 3", "335 1234567"});
    return c;
}

Catalogue customerCatalogue() {
    Catalogue c = addressCatalogue("cliente", {"Rossi Mario S.r.l.", "Ufficio acquisti", "Via Roma, 12", "20121",
                                               "Milano", "Rossi Mario S.r.l.", "Sede legale", "Corso Italia, 45",
                                               "00185", "Roma"});
    c.insert(c.end(), {{"Vettore riga 1", "Trasporti Bianchi S.p.A."},
                       {"Vettore riga 2", "Via dell'Industria, 3"},
                       {"Vettore riga 3", "24100 Bergamo"},
                       {"Annotazioni riga 1", "Consegna al mattino"},
                       {"Annotazioni riga 2", "Chiuso il sabato"}});
    addFreeFields(c);
    return c;
}

Catalogue supplierCatalogue() {
    Catalogue c = addressCatalogue("fornitore", {"Verdi Forniture S.p.A.", "Magazzino centrale", "Via Garibaldi, 8",
                                                 "10121", "Torino", "Verdi Forniture S.p.A.", "Amministrazione",
                                                 "Piazza Castello, 1", "10122", "Torino"});
    addFreeFields(c);
    return c;
}

Catalogue articleCatalogue(bool bars) {
    Catalogue c = {{"Codice articolo", "Art. 1001"},
                   {"Descrizione articolo", "Vite a testa piana 4x20"},
                   {"Codice a barre (numeri)", "8012345678901"}};
    if (bars) c.push_back({"Codice a barre (barre)", "8012345678901", true});
    c.insert(c.end(), {{"Unità di misura", "PZ"}, {"Categoria merceologica", "Ferramenta"}});
    static const std::array<const char*, 8> prices = {"12,50", "15,25", "11,00", "13,42",
                                                      "10,00", "12,20", "9,00", "10,98"};
    for (int n = 1; n <= 4; ++n) {
        const std::string price = "Prezzo vendita " + std::to_string(n);
        c.push_back({price + " (imponibile)", prices[static_cast<std::size_t>(2 * n - 2)]});
        c.push_back({price + " (ivato)", prices[static_cast<std::size_t>(2 * n - 1)]});
    }
    c.insert(c.end(), {{"Prezzo acquisto (imponibile)", "7,80"},
                       {"Prezzo acquisto (ivato)", "9,52"},
                       {"Aliquota iva", "22"}});
    addFreeFields(c);
    return c;
}

// A line break would split the value over two lines of the file and shift every line after it.
std::string oneLine(std::string value) {
    std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return value;
}

struct DefaultPosition {
    int field;
    const char* x;
    const char* y;
};

}  // namespace

bool isLabelKind(int kind) { return kind >= firstLabelKind && kind <= lastLabelKind; }

std::string labelFileName(int kind) {
    static const std::array<const char*, 4> names = {"kalvora.etc", "kalvora.etf", "kalvora.eta", "kalvora.etb"};
    return isLabelKind(kind) ? names[static_cast<std::size_t>(kind - 1)] : "";
}

const std::vector<LabelCatalogueField>& labelCatalogue(int kind) {
    static const std::array<Catalogue, 4> catalogues = {customerCatalogue(), supplierCatalogue(),
                                                        articleCatalogue(false), articleCatalogue(true)};
    static const Catalogue none;
    return isLabelKind(kind) ? catalogues[static_cast<std::size_t>(kind - 1)] : none;
}

LabelLayout defaultLabelLayout(int kind) {
    LabelLayout layout;
    for (int field = 1; field <= LabelLayout::fieldRecords; ++field) {
        const char* values[] = {"0", "0", "Arial", "9", "0", "0", "&h000000"};
        for (int v = 1; v <= LabelLayout::values; ++v) layout.at(field, v) = values[v - 1];
    }
    const char* sheet[] = {"210", "297", "0", "0", "0", "0"};
    for (int v = 1; v <= 6; ++v) layout.at(LabelLayout::sheetRecord, v) = sheet[v - 1];
    layout.at(LabelLayout::gridRecord, 1) = "3";
    layout.at(LabelLayout::gridRecord, 2) = "8";

    static const std::vector<DefaultPosition> address = {
        {1, "5", "10"}, {2, "5", "15"}, {3, "5", "20"}, {4, "5", "25"}, {5, "15", "25"}};
    static const std::vector<DefaultPosition> article = {{1, "5", "10"}, {2, "5", "15"}, {6, "15", "20"}, {13, "5", "20"}};
    static const std::vector<DefaultPosition> barCode = {
        {1, "5", "5"}, {2, "5", "9"}, {barsField, "5", "24"}, {7, "15", "13"}, {14, "5", "13"}};
    static const std::vector<DefaultPosition> none;
    const std::vector<DefaultPosition>& placements = kind == 1 || kind == 2 ? address
                                               : kind == 3            ? article
                                               : kind == 4            ? barCode
                                                                      : none;
    for (const DefaultPosition& p : placements) {
        layout.at(p.field, 1) = p.x;
        layout.at(p.field, 2) = p.y;
    }
    if (kind == 3 || kind == barCodeLabelKind) layout.at(LabelLayout::fixedTextRecord, 1) = "Euro";
    if (kind == barCodeLabelKind) layout.at(barsField, 4) = "8";
    return layout;
}

LabelLayout parseLabelLayout(int kind, const std::vector<std::string>& lines) {
    LabelLayout layout = defaultLabelLayout(kind);
    const std::size_t held = std::min(lines.size(), layout.text.size());
    std::copy_n(lines.begin(), held, layout.text.begin());
    return layout;
}

std::vector<std::string> labelLayoutLines(const LabelLayout& layout) {
    std::vector<std::string> lines;
    lines.reserve(layout.text.size());
    for (const std::string& value : layout.text) lines.push_back(oneLine(value));
    return lines;
}

LabelLayout readLabelLayout(const core::Files& files, const core::Installation& installation, int kind) {
    if (!isLabelKind(kind)) return defaultLabelLayout(kind);
    const std::optional<std::vector<std::string>> lines = files.readLines(installation.file(labelFileName(kind)));
    return lines ? parseLabelLayout(kind, *lines) : defaultLabelLayout(kind);
}

int writeLabelLayout(core::Files& files, const core::Installation& installation, int kind,
                     const LabelLayout& layout) {
    if (!isLabelKind(kind)) return EINVAL;
    return files.writeLines(installation.file(labelFileName(kind)), labelLayoutLines(layout));
}

double labelNumber(std::string_view text) {
    const double value = core::numericValue(text);
    return std::isfinite(value) && value > 0 ? value : 0;
}

bool isLabelNumberEntry(std::string_view text) {
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point)
            point = true;
        else if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::string labelColourText(long colour) {
    char text[16];
    std::snprintf(text, sizeof text, "&h%06lX", std::clamp(colour, 0L, maxColour));
    return text;
}

LabelFieldStyle labelFieldStyle(const LabelLayout& layout, int field) {
    LabelFieldStyle style;
    if (field < 1 || field > LabelLayout::fieldRecords) return style;
    style.x = labelNumber(layout.at(field, 1));
    style.y = labelNumber(layout.at(field, 2));
    const std::string name = core::trim(layout.at(field, 3));
    if (!name.empty()) style.font.name = name;
    const double size = labelNumber(layout.at(field, 4));
    style.font.size = size > 0 ? std::min(size, maxFontSize) : defaultFontSize;
    // Any value but 0 sets the style, as the modules read it ("-1" included).
    style.font.bold = core::numericValue(layout.at(field, 5)) != 0;
    style.font.italic = core::numericValue(layout.at(field, 6)) != 0;
    style.colour = parseColour(layout.at(field, 7));
    return style;
}

std::vector<LabelRect> LabelSheet::labels() const {
    std::vector<LabelRect> out;
    if (labelWidth <= 0 || labelHeight <= 0) return out;
    out.reserve(static_cast<std::size_t>(columns * rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            out.push_back({left + c * labelWidth, top + r * labelHeight, labelWidth, labelHeight});
    return out;
}

LabelSheet labelSheet(const LabelLayout& layout) {
    LabelSheet s;
    const auto value = [&](int record, int v) { return labelNumber(layout.at(record, v)); };
    s.width = value(LabelLayout::sheetRecord, 1);
    s.height = value(LabelLayout::sheetRecord, 2);
    s.left = value(LabelLayout::sheetRecord, 3);
    s.right = value(LabelLayout::sheetRecord, 4);
    s.top = value(LabelLayout::sheetRecord, 5);
    s.bottom = value(LabelLayout::sheetRecord, 6);
    s.columns = static_cast<int>(std::min(value(LabelLayout::gridRecord, 1), double(LabelSheet::maxColumns)));
    s.rows = static_cast<int>(std::min(value(LabelLayout::gridRecord, 2), double(LabelSheet::maxRows)));
    const double across = s.width - s.left - s.right;
    const double down = s.height - s.top - s.bottom;
    if (s.columns > 0 && s.rows > 0 && across > 0 && down > 0) {
        s.labelWidth = across / s.columns;
        s.labelHeight = down / s.rows;
    }
    return s;
}

void printLabelTestSheet(core::PrintJob& job, int kind, const LabelLayout& layout) {
    const std::vector<LabelCatalogueField>& catalogue = labelCatalogue(kind);
    for (const LabelRect& label : labelSheet(layout).labels()) {
        job.rectangle(label.x, label.y, label.x + label.width, label.y + label.height, testSheetGrey, false);
        for (std::size_t i = 0; i < catalogue.size(); ++i) {
            const LabelFieldStyle style = labelFieldStyle(layout, static_cast<int>(i) + 1);
            if (!style.printed()) continue;
            const double x = label.x + style.x;
            const double y = label.y + style.y;
            const LabelCatalogueField& field = catalogue[i];
            if (!field.bars) {
                job.text(x, y, field.sample, style.font, style.colour);
                continue;
            }
            // Thin and thick bars one millimetre apart, after the digits of the sample code.
            for (int b = 0; b < barCount; ++b) {
                const char digit = field.sample[static_cast<std::size_t>(b) % field.sample.size()];
                const double bar = (digit - '0') % 2 ? 0.6 : 0.3;
                const double at = x + b * barsWidth / barCount;
                job.rectangle(at, y, at + bar, y + barsHeight, style.colour, true);
            }
        }
    }
}

}  // namespace kalvora::printing
