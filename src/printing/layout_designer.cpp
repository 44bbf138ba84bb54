#include "printing/layout_designer.h"

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/stored_path.h"
#include "core/text.h"
#include "printing/default_layouts.h"
#include "printing/grid_print.h"
#include "printing/unstorable_text.h"

#include <algorithm>

namespace kalvora::printing {

namespace {

constexpr double pageWidth = 210;
constexpr double pageHeight = 297;

// The kind of an element as a whole number 1..4; 0 for anything else.
int kindOf(const GridElement& e) {
    for (int k = 1; k <= 4; ++k)
        if (e.kind == k) return k;
    return 0;
}

std::string fieldText(double value) { return core::shortestDecimal(value); }

// A picture file the user may choose: an absolute path of this system naming an existing file
// ending in ".bmp" or ".jpg", whatever the case. Where it lies is checked apart.
bool isPictureFile(const core::Files& files, const std::string& path) {
    if (!core::startsWith(path, "/") || path.find('*') != std::string::npos) return false;
    const std::string up = core::upper(path);
    const bool picture = up.size() > 4 && (up.ends_with(".BMP") || up.ends_with(".JPG"));
    if (!picture) return false;
    const core::FileStat stat = files.stat(path);
    return stat.exists && !stat.isDirectory;
}

// A picture path as the modules take it: with a drive letter. Paths kept in the suite's form
// without one, or as a path of this system under the drive root, are given one; any other path
// stays as it is.
std::string withDriveLetter(const core::Installation& inst, const std::string& stored) {
    if (stored.size() >= 3 && stored[1] == ':' && stored[2] == '\\') return stored;
    if (stored.size() >= 2 && stored[0] == '\\' && stored[1] != '\\') return "C:" + stored;
    if (core::startsWith(stored, "/")) return core::driveLetterForm(inst, stored).value_or(stored);
    return stored;
}

}  // namespace

LayoutDesignerForm::LayoutDesignerForm(core::Session& session, DocumentType type)
    : Form(session), type_(type) {}

std::string LayoutDesignerForm::title() const {
    // Type 11 keeps the window's own caption, as every type without a grid of its own.
    const DocumentTypeInfo* info = printing::documentType(type_);
    if (!info || type_ == 11 || !hasLayoutFiles(type_)) return "Personalizza modulo";
    return std::string("Personalizza griglia modulo ") + info->designerName;
}

void LayoutDesignerForm::open() {
    core::Session& s = session();
    grid_ = hasLayoutFiles(type_) ? readFormGrid(s.files(), s.installation(), s.company().code, type_) : FormGrid{};
    topEntry_ = 0;
    backToIdle();
    afterChange();
    focus_ = -1;
}

void LayoutDesignerForm::setTopEntry(int entry) {
    if (entry >= 0 && entry < static_cast<int>(entries_.size())) topEntry_ = entry;
}

int LayoutDesignerForm::fieldCount(DesignerFrame frame) {
    switch (frame) {
    case DesignerFrame::Nulla: return 0;
    case DesignerFrame::Testo: return 3;
    default: return coordinateFields;
    }
}

const std::string& LayoutDesignerForm::coordinate(DesignerFrame frame, int index) const {
    static const std::string none;
    if (index < 0 || index >= fieldCount(frame)) return none;
    return coords_[static_cast<std::size_t>(frame) - 1][static_cast<std::size_t>(index)];
}

std::string& LayoutDesignerForm::field(DesignerFrame frame, int index) {
    return coords_[static_cast<std::size_t>(frame) - 1][static_cast<std::size_t>(index)];
}

std::optional<std::string> LayoutDesignerForm::pictureOnThisSystem(const std::string& stored) const {
    if (core::trim(stored).empty()) return std::nullopt;
    return core::storedPathOnThisSystem(session().files(), session().installation(), stored);
}

std::string LayoutDesignerForm::entryText(int slot, const GridElement& e) {
    const auto n = [](double v) { return core::strForm(v); };
    std::string out = core::threeDigits(slot) + " ";
    switch (kindOf(e)) {
    case 1:
    case 2:
        // The entry has no closing parenthesis: the module programs' lists read the same.
        out += kindOf(e) == 1 ? "Linea (X1=" : "Rettangolo (X1=";
        out += n(e.x1) + "; Y1=" + n(e.y1) + "; X2=" + n(e.x2) + "; Y2=" + n(e.y2);
        break;
    case 3: out += "Testo (X1=" + n(e.x1) + "; Y1=" + n(e.y1) + "); " + e.text; break;
    case 4: out += "Bitmap (X1=" + n(e.x1) + "; Y1=" + n(e.y1) + "); " + e.text; break;
    default: break;
    }
    return out;
}

void LayoutDesignerForm::normalise(FormGrid& grid) {
    const int count = std::clamp(grid.count, 0, FormGrid::maxElements);
    for (int i = 1; i <= count; ++i) {
        GridElement& e = grid.elements[static_cast<std::size_t>(i)];
        e.x1 = std::max(e.x1, 1.0);
        e.y1 = std::max(e.y1, 1.0);
        e.x2 = std::min(e.x2, pageWidth);
        e.y2 = std::min(e.y2, pageHeight);
    }
}

void LayoutDesignerForm::afterChange() {
    normalise(grid_);
    entries_.clear();
    for (int i = 1; i <= grid_.count; ++i) entries_.push_back(entryText(i, grid_.elements[static_cast<std::size_t>(i)]));
    if (topEntry_ >= static_cast<int>(entries_.size())) topEntry_ = 0;
}

void LayoutDesignerForm::showFrame(DesignerFrame frame) {
    frame_ = frame;
    focus_ = frame == DesignerFrame::Nulla ? -1 : 0;
}

void LayoutDesignerForm::backToIdle() {
    showFrame(DesignerFrame::Nulla);
    mode_ = 0;
    current_ = 0;
}

void LayoutDesignerForm::newElement(int k) {
    if (k < 0 || k > 3) return;
    const auto frame = static_cast<DesignerFrame>(k + 1);
    coords_[static_cast<std::size_t>(k)] = {};
    if (k < 3) colours_[static_cast<std::size_t>(k)] = 0;
    filled_ = false;
    if (frame == DesignerFrame::Testo) {
        fontCaption_ = "Arial";
        style_ = PendingStyle{};
    }
    // A new picture starts without a file rather than with the last one shown.
    if (frame == DesignerFrame::Logo) pictureFile_.clear();
    mode_ = 0;
    current_ = 0;
    showFrame(frame);
}

void LayoutDesignerForm::selectEntry(int entry) {
    focus_ = -1;
    if (entry < 0 || entry >= static_cast<int>(entries_.size())) return;
    selectSlot(core::integerValue(core::left(entries_[static_cast<std::size_t>(entry)], 3)));
}

void LayoutDesignerForm::selectSlot(int slot) {
    focus_ = -1;
    if (slot < 1 || slot > grid_.count) return;
    const GridElement& e = grid_.elements[static_cast<std::size_t>(slot)];
    const int kind = kindOf(e);
    if (kind == 0) return;
    const auto frame = static_cast<DesignerFrame>(kind);
    auto& c = coords_[static_cast<std::size_t>(kind) - 1];
    c = {fieldText(e.x1), fieldText(e.y1), fieldText(e.x2), fieldText(e.y2)};
    if (kind <= 3) colours_[static_cast<std::size_t>(kind) - 1] = static_cast<long>(e.colour);
    if (kind == 2) filled_ = e.filledOrSize == 1;
    if (kind == 3) {
        c[2] = e.text;
        c[3].clear();
        fontCaption_ = core::trim(e.fontName).empty() ? std::string("Arial") : e.fontName;
        style_ = {fontCaption_, fieldText(e.filledOrSize), fieldText(e.bold), fieldText(e.italic)};
    }
    if (kind == 4) pictureFile_ = e.text;
    mode_ = 1;
    current_ = slot;
    showFrame(frame);
}

void LayoutDesignerForm::editCoordinate(DesignerFrame frame, int index, std::string text) {
    focus_ = -1;
    if (index < 0 || index >= fieldCount(frame)) return;
    // The text of an element is one line of the grid file.
    field(frame, index) = frame == DesignerFrame::Testo && index == 2 ? core::singleLine(text) : std::move(text);
}

void LayoutDesignerForm::leaveCoordinate(DesignerFrame frame, int index) {
    focus_ = -1;
    if (index < 0 || index >= fieldCount(frame)) return;
    std::string& f = field(frame, index);
    const double v = core::numericValue(f);
    switch (frame) {
    case DesignerFrame::Linea:
    case DesignerFrame::Rettangolo:
        if (index <= 1 && v < 0) f = "0";
        if (index == 2 && v > pageWidth) f = "210";
        if (index == 3 && v > pageHeight) f = "297";
        break;
    case DesignerFrame::Testo:
        if (index <= 1 && v < 0) f = "0";
        break;
    case DesignerFrame::Logo:
        if (index <= 1 && v < 0) f = "0";
        if (index >= 2 && v < 1) f = "1";
        break;
    case DesignerFrame::Nulla: break;
    }
}

int LayoutDesignerForm::enterCoordinate(DesignerFrame frame, int index) {
    const int last = fieldCount(frame) - 1;
    focus_ = last < 0 ? -1 : std::clamp(index + 1, 0, last);
    return focus_;
}

void LayoutDesignerForm::setFilled(bool on) {
    focus_ = -1;
    filled_ = on;
}

void LayoutDesignerForm::chooseColour(int k) {
    focus_ = -1;
    if (k < 0 || k > 2) return;
    long& swatch = colours_[static_cast<std::size_t>(k)];
    if (const auto chosen = session().platform().chooseColour("Seleziona il colore", swatch)) swatch = *chosen;
}

void LayoutDesignerForm::chooseFont() {
    focus_ = -1;
    const core::PrintFont preset{style_.fontName, core::numericValue(style_.size), style_.bold == "1",
                                 style_.italic == "1"};
    core::Platform& platform = session().platform();
    const auto chosen = platform.chooseFont("Seleziona il tipo di carattere", preset);
    if (!chosen || refuseUnstorableFont(platform, chosen->name)) return;
    if (!core::trim(chosen->name).empty()) {
        style_.fontName = core::singleLine(chosen->name);
        fontCaption_ = style_.fontName;
    }
    if (chosen->size > 0) style_.size = core::trim(core::strForm(chosen->size));
    style_.bold = chosen->bold ? "1" : "0";
    style_.italic = chosen->italic ? "1" : "0";
}

void LayoutDesignerForm::choosePicture() {
    focus_ = -1;
    core::Session& s = session();
    const auto chosen = s.platform().chooseFile("Seleziona il file dell'immagine", "*.bmp; *.jpg",
                                                s.installation().driveRoot());
    if (!chosen) return;
    const std::string path = core::trim(*chosen);
    if (!isPictureFile(s.files(), path)) return;
    // The modules take a picture only by a path with a drive letter, which names the drive root.
    const std::optional<std::string> stored = core::driveLetterForm(s.installation(), path);
    if (!stored) {
        s.platform().message("L'immagine scelta non potrebbe essere letta dai programmi: scegliere un'immagine che "
                             "si trovi nella cartella personale (" + s.installation().driveRoot() +
                                 ") e il cui percorso non contenga il carattere \\.",
                             "Attenzione", core::Icon::Critical);
        return;
    }
    if (refuseUnstorable(s.platform(), "Il percorso dell'immagine", *stored)) return;
    pictureFile_ = core::singleLine(*stored);
}

void LayoutDesignerForm::confirm(int k) {
    focus_ = -1;
    if (k < 0 || k > 3 || frame_ != static_cast<DesignerFrame>(k + 1)) return;
    const auto& c = coords_[static_cast<std::size_t>(k)];
    const auto value = [&c](int i) { return core::numericValue(c[static_cast<std::size_t>(i)]); };
    GridElement e;
    e.kind = k + 1;
    e.x1 = value(0);
    e.y1 = value(1);
    switch (frame_) {
    case DesignerFrame::Linea:
    case DesignerFrame::Rettangolo:
        e.x2 = value(2);
        e.y2 = value(3);
        e.colour = static_cast<double>(colours_[static_cast<std::size_t>(k)]);
        if (frame_ == DesignerFrame::Rettangolo) e.filledOrSize = filled_ ? 1 : 0;
        break;
    case DesignerFrame::Testo:
        if (refuseUnstorable(session().platform(), "Il testo", c[2])) {
            focus_ = 2;
            return;
        }
        e.text = c[2];
        e.colour = static_cast<double>(colours_[2]);
        e.fontName = style_.fontName;
        e.filledOrSize = core::numericValue(style_.size);
        e.bold = core::numericValue(style_.bold);
        e.italic = core::numericValue(style_.italic);
        break;
    case DesignerFrame::Logo:
        // Also when confirmed without leaving the size fields, which corrects them.
        e.x2 = std::max(value(2), 1.0);
        e.y2 = std::max(value(3), 1.0);
        e.text = pictureFile_;
        break;
    case DesignerFrame::Nulla: return;
    }
    if (mode_ == 0) {
        if (grid_.count >= FormGrid::maxElements) {
            session().platform().message("Il modulo contiene già 500 oggetti: non è possibile aggiungerne altri.",
                                         "Attenzione", core::Icon::Critical);
            backToIdle();
            return;
        }
        grid_.elements[static_cast<std::size_t>(++grid_.count)] = std::move(e);
    } else if (current_ >= 1 && current_ <= grid_.count) {
        grid_.elements[static_cast<std::size_t>(current_)] = std::move(e);
    }
    backToIdle();
    afterChange();
}

void LayoutDesignerForm::remove(int k) {
    focus_ = -1;
    if (mode_ != 1 || frame_ != static_cast<DesignerFrame>(k + 1) || current_ < 1 || current_ > grid_.count) return;
    for (int i = current_; i < grid_.count; ++i)
        grid_.elements[static_cast<std::size_t>(i)] = std::move(grid_.elements[static_cast<std::size_t>(i) + 1]);
    grid_.elements[static_cast<std::size_t>(grid_.count)] = GridElement{};
    --grid_.count;
    backToIdle();
    afterChange();
}

void LayoutDesignerForm::shift(int index) {
    focus_ = -1;
    if (index < 4 || index > 7) return;
    const bool horizontal = index == 4 || index == 7;
    const double step = index == 4 || index == 5 ? -1 : 1;
    const double limit = horizontal ? pageWidth : pageHeight;
    const auto move = [&](double& v) { v = step < 0 ? std::max(v + step, 0.0) : std::min(v + step, limit); };
    for (int i = 1; i <= grid_.count; ++i) {
        GridElement& e = grid_.elements[static_cast<std::size_t>(i)];
        const int kind = kindOf(e);
        // Pictures keep their place.
        if (kind < 1 || kind > 3) continue;
        move(horizontal ? e.x1 : e.y1);
        if (kind != 3) move(horizontal ? e.x2 : e.y2);
    }
    afterChange();
}

void LayoutDesignerForm::exitWithoutSaving() {
    focus_ = -1;
    if (session().platform().askYesNo("Uscire senza salvare le modifiche", "Attenzione", core::Icon::Question)) close();
}

void LayoutDesignerForm::save() {
    focus_ = -1;
    core::Session& s = session();
    // Pictures kept by earlier versions without a drive letter are given one.
    for (int i = 1; i <= grid_.count; ++i)
        if (GridElement& e = grid_.elements[static_cast<std::size_t>(i)]; kindOf(e) == 4)
            e.text = withDriveLetter(s.installation(), e.text);
    afterChange();
    if (writeFormGrid(s.files(), s.installation(), s.company().code, type_, grid_, GridWriter::Designer)) {
        close();
        return;
    }
    s.platform().message("Non è stato possibile salvare il modulo: il file della griglia non è stato scritto.",
                         "Attenzione", core::Icon::Critical);
}

void LayoutDesignerForm::defaultLayout() {
    focus_ = -1;
    core::Platform& platform = session().platform();
    if (!platform.askYesNo(defaultGridQuestion(type_), defaultLayoutTitle, core::Icon::Question)) return;
    const bool withholding =
        type_ == 1 && platform.askYesNo(withholdingQuestion, defaultLayoutTitle, core::Icon::Question);
    grid_ = defaultFormGrid(type_, GridBuilder::Designer, withholding);
    backToIdle();
    afterChange();
}

void LayoutDesignerForm::testPrint() {
    focus_ = -1;
    printing::testPrint(session(), grid_);
}

void LayoutDesignerForm::clearAll() {
    focus_ = -1;
    if (!session().platform().askYesNo("Confermi l'azzeramento di tutto il modulo?", "Azzera tutto",
                                       core::Icon::Question))
        return;
    grid_ = FormGrid{};
    backToIdle();
    afterChange();
}

void LayoutDesignerForm::button(int index) {
    switch (index) {
    case 0: exitWithoutSaving(); break;
    case 1: save(); break;
    case 2: defaultLayout(); break;
    case 3: testPrint(); break;
    case 4: clearAll(); break;
    default: break;
    }
}

void openLayoutDesigner(core::Session& session, DocumentType type) {
    if (!hasLayoutFiles(type)) {
        session.platform().message("Per questo tipo di documento non è previsto un modulo da personalizzare.",
                                   "Attenzione", core::Icon::Critical);
        return;
    }
    LayoutDesignerForm form(session, type);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::printing
