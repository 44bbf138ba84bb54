#include "printing/field_placement.h"

#include "core/numbers.h"
#include "core/session.h"
#include "core/stored_path.h"
#include "core/text.h"
#include "printing/default_layouts.h"
#include "printing/grid_print.h"
#include "printing/layout_designer.h"
#include "printing/listing_engine.h"
#include "printing/unstorable_text.h"

#include <array>
#include <cmath>
#include <memory>

namespace kalvora::printing {

namespace {

constexpr std::array<const char*, 12> captions{
    "",
    "Impostazione modulo fattura",
    "Impostazione modulo ricevuta fiscale",
    "Impostazione modulo parcella",
    "Impostazione modulo ricevuta bancaria",
    "Impostazione modulo documento di trasporto",
    "Impostazione modulo ordine cliente",
    "Impostazione modulo preventivo",
    "Impostazione modulo fattura provvigioni",
    "Impostazione modulo parcella proforma",
    "Impostazione modulo ordine fornitore",
    "Impostazione modulo fattura proforma",
};

constexpr const char* sampleTitle = "Stampa esempio";
constexpr long maxColour = 0xFFFFFF;
constexpr double defaultSize = 9;
constexpr double largestSize = 999;

// Whatever a file holds, a number that is no number counts as 0.
double valueOf(const std::string& text) {
    const double v = core::numericValue(text);
    return std::isfinite(v) ? v : 0;
}

// An ordinary field's X (first three characters) and Y (characters 4 to 6).
std::string xPart(const std::string& position) { return core::mid(position, 1, 3); }
std::string yPart(const std::string& position) { return core::mid(position, 4, 3); }

// The half of a position that an entry leaves alone: a short one is made three digits the way an
// entry is, so that its value stays and the other half lands on characters 1-3 or 4-6.
std::string keptHalf(const std::string& half) {
    return core::length(half) < 3 ? core::right("000" + half, 3) : half;
}

bool acceptableEntry(const std::string& text) {
    if (text.size() > 3) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

long colourOf(const Placement& p) {
    const double v = valueOf(p.colour);
    if (!(v > 0)) return 0;
    return v >= maxColour ? maxColour : static_cast<long>(std::lround(v));
}

core::PrintFont fontOf(const Placement& p) {
    core::PrintFont font;
    if (!core::trim(p.font).empty()) font.name = p.font;
    const double size = valueOf(p.size);
    font.size = size > 0 && size <= largestSize ? size : defaultSize;
    font.bold = valueOf(p.bold) != 0;
    font.italic = valueOf(p.italic) != 0;
    return font;
}

// Every line break of the body as CR LF, as the mail file's reader gives it back.
std::string crlfBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

FieldPlacementForm::FieldPlacementForm(core::Session& session, DocumentType type) : Form(session), type_(type) {}

std::string FieldPlacementForm::title() const {
    if (type_ < 1 || type_ >= static_cast<int>(captions.size())) return "Impostazione modulistica";
    return captions[static_cast<std::size_t>(type_)];
}

void FieldPlacementForm::open() {
    core::Session& s = session();
    const int company = s.company().code;
    catalogue_.clear();
    for (int position = 1; position <= cataloguePositions(type_); ++position)
        catalogue_.push_back(catalogueField(type_, position).value_or(CatalogueField{"", FieldKind::Ordinary}));
    placements_ = readPlacements(s.files(), s.installation(), company, type_);
    mail_ = readMailText(s.files(), s.installation(), company, type_);
    entryRow_ = 0;
    const auto path = [&](const std::string& name) {
        return name.empty() ? std::string() : s.installation().companyFile(company, name);
    };
    // A file that is there but cannot be read is never taken for a missing one in silence.
    const auto unreadable = [&](const std::string& file) {
        return !file.empty() && s.files().stat(file).exists && !s.files().readLines(file);
    };
    for (const std::string& name : {placementFileName(type_), mailFileName(type_)})
        if (unreadable(path(name)))
            s.platform().message("Impossibile leggere il file " + name +
                                     ": sono mostrate le impostazioni predefinite, che lo sostituiranno se "
                                     "saranno salvate.",
                                 "Attenzione", core::Icon::Exclamation);

    const std::string gridName = gridFileName(type_);
    const std::string gridPath = path(gridName);
    const auto lines = gridPath.empty() ? std::nullopt : s.files().readLines(gridPath);
    if (lines) {
        grid_ = parseFormGrid(*lines);
    } else if (!gridPath.empty() && s.files().stat(gridPath).exists) {
        // The user's grid cannot be read: it stays as it is, and nothing stands in for it.
        grid_ = FormGrid{};
        s.platform().message("Impossibile leggere il file " + gridName +
                                 ": la griglia del modulo non sarà stampata.",
                             "Attenzione", core::Icon::Exclamation);
    } else {
        grid_ = defaultFormGrid(type_, GridBuilder::Placements);
        if (!gridPath.empty() &&
            !writeFormGrid(s.files(), s.installation(), company, type_, grid_, GridWriter::Placements))
            s.platform().message("Non è stato possibile scrivere il file della griglia del modulo di default: "
                                 "la griglia sarà usata solo fino alla chiusura della finestra.",
                                 "Attenzione", core::Icon::Critical);
    }
    bianca_ = grid_.count > 0;
}

void FieldPlacementForm::readGrid() {
    core::Session& s = session();
    grid_ = readFormGrid(s.files(), s.installation(), s.company().code, type_);
}

FieldKind FieldPlacementForm::kind(int row) const {
    if (row < 1 || row > rows()) return FieldKind::Ordinary;
    return catalogue_[static_cast<std::size_t>(row) - 1].kind;
}

Placement* FieldPlacementForm::placement(int row) {
    if (row < 1 || row > rows() || row > Placements::rows) return nullptr;
    return &placements_.row[static_cast<std::size_t>(row)];
}

std::string FieldPlacementForm::cell(int row, PlacementColumn column) const {
    if (row < 1 || row > rows() || row > Placements::rows) return {};
    const Placement& p = placements_.row[static_cast<std::size_t>(row)];
    const FieldKind k = kind(row);
    switch (column) {
    case PlacementColumn::Caption: return catalogue_[static_cast<std::size_t>(row) - 1].caption;
    case PlacementColumn::X:
        if (k == FieldKind::Ordinary) return xPart(p.position);
        return k == FieldKind::Column ? p.position : std::string();
    case PlacementColumn::Y:
        if (k == FieldKind::Ordinary) return yPart(p.position);
        return k == FieldKind::Marker ? p.position : std::string();
    case PlacementColumn::Font: return p.font + " (" + core::trim(p.size) + ")";
    case PlacementColumn::Colour: return {};
    }
    return {};
}

long FieldPlacementForm::colour(int row) const {
    if (row < 1 || row > rows() || row > Placements::rows) return 0;
    return colourOf(placements_.row[static_cast<std::size_t>(row)]);
}

void FieldPlacementForm::clickCell(int row, PlacementColumn column) {
    entryRow_ = 0;
    Placement* p = placement(row);
    if (!p) return;
    core::Platform& platform = session().platform();
    switch (column) {
    case PlacementColumn::X:
    case PlacementColumn::Y: {
        const FieldKind k = kind(row);
        // The empty cell of a marker or a column holds nothing to edit.
        if ((k == FieldKind::Marker && column == PlacementColumn::X) ||
            (k == FieldKind::Column && column == PlacementColumn::Y))
            return;
        entryRow_ = row;
        entryColumn_ = column;
        entry_ = cell(row, column);
        break;
    }
    case PlacementColumn::Font: {
        const auto chosen = platform.chooseFont("Seleziona il tipo di carattere", fontOf(*p));
        if (!chosen || refuseUnstorableFont(platform, chosen->name)) return;
        if (!core::trim(chosen->name).empty()) p->font = core::singleLine(chosen->name);
        if (chosen->size > 0 && std::isfinite(chosen->size)) p->size = core::shortestDecimal(chosen->size);
        p->bold = chosen->bold ? "1" : "0";
        p->italic = chosen->italic ? "1" : "0";
        break;
    }
    case PlacementColumn::Colour:
        if (const auto chosen = platform.chooseColour("Seleziona il colore", colourOf(*p)))
            p->colour = core::strForm(static_cast<double>(*chosen));
        break;
    case PlacementColumn::Caption: break;
    }
}

void FieldPlacementForm::editEntry(std::string text) {
    Placement* p = placement(entryRow_);
    if (!p || !acceptableEntry(text)) return;
    entry_ = std::move(text);
    const std::string digits = core::right("000" + entry_, 3);
    if (kind(entryRow_) != FieldKind::Ordinary) {
        p->position = digits;
        return;
    }
    const std::string& pos = p->position;
    p->position = entryColumn_ == PlacementColumn::X ? digits + keptHalf(yPart(pos)) + core::mid(pos, 7)
                                                     : keptHalf(xPart(pos)) + digits + core::mid(pos, 7);
}

void FieldPlacementForm::leaveEntry() { entryRow_ = 0; }

void FieldPlacementForm::editSubject(std::string text) { mail_.subject = core::singleLine(text); }

void FieldPlacementForm::editBody(std::string text) { mail_.body = crlfBreaks(text); }

void FieldPlacementForm::customiseGrid() {
    entryRow_ = 0;
    openLayoutDesigner(session(), type_);
    const bool hadGrid = grid_.count > 0;
    readGrid();
    // A grid made in the designer where there was none is meant to be printed.
    if (!hadGrid && grid_.count > 0) bianca_ = true;
}

void FieldPlacementForm::exit() {
    entryRow_ = 0;
    close();
}

void FieldPlacementForm::save() {
    entryRow_ = 0;
    core::Session& s = session();
    if (refuseUnstorable(s.platform(), "L'oggetto dell'e-mail", mail_.subject) ||
        refuseUnstorable(s.platform(), "Il testo dell'e-mail", mail_.body))
        return;
    const int company = s.company().code;
    const char* failed = nullptr;
    if (!writePlacements(s.files(), s.installation(), company, type_, placements_))
        failed = "Non è stato possibile salvare l'impostazione del modulo: il file delle coordinate non è stato "
                 "scritto.";
    else if (!writeMailText(s.files(), s.installation(), company, type_, mail_))
        failed = "Non è stato possibile salvare il testo per l'invio tramite e-mail: il file non è stato scritto.";
    if (failed) {
        s.platform().message(failed, "Attenzione", core::Icon::Critical);
        return;
    }
    close();
}

void FieldPlacementForm::resetCoordinates() {
    entryRow_ = 0;
    if (session().platform().askYesNo("Confermi?", "Azzeramento coordinate", core::Icon::Question))
        resetPlacements(placements_, type_);
}

void FieldPlacementForm::defaultPlacements() {
    entryRow_ = 0;
    core::Platform& platform = session().platform();
    if (!platform.askYesNo("Confermi l'impostazione del modulo di default (le coordinate di stampa verranno "
                           "calcolate automaticamente)?",
                           defaultLayoutTitle, core::Icon::Question))
        return;
    const bool withholding =
        type_ == 1 && platform.askYesNo(withholdingQuestion, defaultLayoutTitle, core::Icon::Question);
    applyDefaultPlacements(placements_, type_, withholding);
}

void FieldPlacementForm::printCoordinates() {
    entryRow_ = 0;
    core::Session& s = session();
    const DocumentTypeInfo* info = printing::documentType(type_);
    const std::string title = std::string("Coordinate modulo ") + (info ? info->name : "");
    constexpr int kind = 5;
    constexpr int size = 9;
    const std::vector<ListingColumn> columns{{"Numero", 6, 4, kind, size},
                                             {"Descrizione del campo", 35, 0, kind, size},
                                             {"Orizzontale", 8, 4, kind, size},
                                             {"Verticale", 8, 4, kind, size},
                                             {"Carattere", 20, 0, kind, size}};
    std::vector<std::vector<std::string>> lines;
    for (int row = 1; row <= rows(); ++row)
        lines.push_back({std::to_string(row), cell(row, PlacementColumn::Caption), cell(row, PlacementColumn::X),
                         cell(row, PlacementColumn::Y), cell(row, PlacementColumn::Font)});
    askAndPrint(s, "Stampa coordinate", [&] { return printListing(s, title, columns, lines); });
}

void FieldPlacementForm::printSample() {
    entryRow_ = 0;
    core::Session& s = session();
    askAndPrint(s, sampleTitle, [&](core::PrintJob& job) {
        std::vector<std::string> failed;
        if (bianca_) failed = printGrid(job, grid_, GridOrder::Sample, s.files(), s.installation());
        printPlacementSample(job, type_, placements_);
        return failed;
    });
}

void FieldPlacementForm::button(int index) {
    switch (index) {
    case 0: exit(); break;
    case 1: save(); break;
    case 2: resetCoordinates(); break;
    case 3: defaultPlacements(); break;
    case 4: printCoordinates(); break;
    case 5: printSample(); break;
    default: break;
    }
}

void printPlacementSample(core::PrintJob& job, DocumentType type, const Placements& placements) {
    const DocumentTypeInfo* info = documentType(type);
    if (!info || !hasLayoutFiles(type)) return;
    const int last = std::min(cataloguePositions(type), Placements::rows);
    const auto print = [&](int row, double x, double y) {
        if (!(x > 0 && y > 0)) return;
        const auto field = catalogueField(type, row);
        const Placement& p = placements.row[static_cast<std::size_t>(row)];
        if (field) job.text(x, y, field->caption, fontOf(p), colourOf(p));
    };
    for (int row = 1; row <= std::min(info->ordinary, last); ++row) {
        const std::string& pos = placements.row[static_cast<std::size_t>(row)].position;
        print(row, valueOf(xPart(pos)), valueOf(yPart(pos)));
    }
    const int start = info->ordinary + 1;
    if (start > last) return;
    const double y = valueOf(placements.row[static_cast<std::size_t>(start)].position);
    for (int row = info->ordinary + 3; row <= last; ++row)
        print(row, valueOf(placements.row[static_cast<std::size_t>(row)].position), y);
}

void openFieldPlacement(core::Session& session, DocumentType type) {
    if (!hasLayoutFiles(type)) {
        session.platform().message("Per questo tipo di documento non è previsto un modulo da impostare.",
                                   "Attenzione", core::Icon::Critical);
        return;
    }
    FieldPlacementForm form(session, type);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::printing
