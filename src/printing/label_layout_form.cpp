#include "printing/label_layout_form.h"

#include "core/numbers.h"
#include "core/text.h"
#include "printing/grid_print.h"
#include "printing/unstorable_text.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace kalvora::printing {

namespace {

struct Slot {
    int record;
    int value;
};

// Where Text_k keeps its value.
Slot textSlot(int k) {
    if (k < 6) return {LabelLayout::sheetRecord, k + 1};
    if (k < 8) return {LabelLayout::gridRecord, k - 5};
    return {LabelLayout::fixedTextRecord, k - 7};
}

const std::string& noText() {
    static const std::string empty;
    return empty;
}

}  // namespace

LabelLayoutForm::LabelLayoutForm(core::Session& session, int kind)
    : Form(session), kind_(isLabelKind(kind) ? kind : firstLabelKind), layout_(defaultLabelLayout(kind_)) {}

std::string LabelLayoutForm::path() const { return session().installation().file(labelFileName(kind_)); }

void LabelLayoutForm::open() {
    core::Session& s = session();
    layout_ = readLabelLayout(s.files(), s.installation(), kind_);
    // A file that is there but cannot be read is not taken for a missing one in silence.
    const std::string file = s.installation().file(labelFileName(kind_));
    if (s.files().stat(file).exists && !s.files().readLines(file))
        s.platform().message("Impossibile leggere il file " + labelFileName(kind_) +
                                 ": sono mostrate le impostazioni predefinite, che lo sostituiranno se "
                                 "saranno salvate.",
                             "Attenzione", core::Icon::Exclamation);
    typed_ = {};
    first_ = 0;
}

const std::string& LabelLayoutForm::text(int k) const {
    if (k < 0 || k >= textCount) return noText();
    const Slot s = textSlot(k);
    return layout_.at(s.record, s.value);
}

bool LabelLayoutForm::editText(int k, const std::string& value) {
    if (k < 0 || k >= textCount) return false;
    const Slot s = textSlot(k);
    if (k >= numericTexts) {
        layout_.at(s.record, s.value) = core::singleLine(value);
        return true;
    }
    if (!isLabelNumberEntry(value)) return false;
    setNumber(s.record, s.value, value);
    return true;
}

void LabelLayoutForm::setNumber(int record, int value, const std::string& text) {
    layout_.at(record, value) = text;
    typed_[LabelLayout::index(record, value)] = true;
}

int LabelLayoutForm::fieldCount() const { return static_cast<int>(labelCatalogue(kind_).size()); }

int LabelLayoutForm::maxFirstRow() const { return std::max(0, fieldCount() - visibleRows); }

void LabelLayoutForm::scrollTo(int first) { first_ = std::clamp(first, 0, maxFirstRow()); }

int LabelLayoutForm::fieldAt(int r) const {
    if (r < 0 || r >= visibleRows) return 0;
    const int field = first_ + r + 1;
    return field <= fieldCount() ? field : 0;
}

LabelLayoutForm::Row LabelLayoutForm::row(int r) const {
    Row row;
    row.field = fieldAt(r);
    if (!row.field) return row;
    row.campo = labelCatalogue(kind_)[static_cast<std::size_t>(row.field - 1)].caption;
    row.text1 = layout_.at(row.field, 1);
    row.text2 = layout_.at(row.field, 2);
    const LabelFieldStyle style = labelFieldStyle(layout_, row.field);
    row.carattere = style.font.name + " (" + core::shortestDecimal(style.font.size) + ")";
    row.colore = style.colour;
    return row;
}

bool LabelLayoutForm::editPosition(int r, int value, const std::string& text) {
    const int field = fieldAt(r);
    if (!field || !isLabelNumberEntry(text)) return false;
    setNumber(field, value, text);
    return true;
}

void LabelLayoutForm::chooseFont(int r) {
    const int field = fieldAt(r);
    if (!field) return;
    const std::optional<core::PrintFont> chosen =
        session().platform().chooseFont(fontDialogTitle, labelFieldStyle(layout_, field).font);
    if (!chosen || refuseUnstorableFont(session().platform(), chosen->name))
        return;
    const std::string name = core::trim(core::singleLine(chosen->name));
    if (!name.empty()) layout_.at(field, 3) = name;
    if (std::isfinite(chosen->size) && chosen->size > 0) layout_.at(field, 4) = core::shortestDecimal(chosen->size);
    layout_.at(field, 5) = chosen->bold ? "1" : "0";
    layout_.at(field, 6) = chosen->italic ? "1" : "0";
}

void LabelLayoutForm::chooseColour(int r) {
    const int field = fieldAt(r);
    if (!field) return;
    const long current = labelFieldStyle(layout_, field).colour;
    if (const std::optional<long> chosen = session().platform().chooseColour(colourDialogTitle, current))
        layout_.at(field, 7) = labelColourText(*chosen);
}

void LabelLayoutForm::confirm() {
    for (int k = 1; k <= LabelLayout::fixedTexts; ++k)
        if (refuseUnstorable(session().platform(), "Il campo numero " + std::to_string(k),
                             layout_.at(LabelLayout::fixedTextRecord, k)))
            return;
    LabelLayout saved = layout_;
    // A number cleared while typing is saved as 0, never as an empty or lone "." line.
    for (std::size_t i = 0; i < saved.text.size(); ++i)
        if (typed_[i] && saved.text[i].find_first_of("0123456789") == std::string::npos)
            saved.text[i] = "0";
    if (const int error = writeLabelLayout(session().files(), session().installation(), kind_, saved)) {
        session().platform().message("Non è stato possibile salvare l'impostazione delle etichette: errore " +
                                         std::to_string(error) + ".",
                                     "Attenzione", core::Icon::Critical);
        return;
    }
    layout_ = std::move(saved);
    close();
}

void LabelLayoutForm::testPrint() {
    askAndPrint(session(), testPrintTitle, [this](core::PrintJob& job) {
        printLabelTestSheet(job, kind_, layout_);
        return std::vector<std::string>{};
    });
}

void LabelLayoutForm::button(int index) {
    switch (index) {
    case 0: cancel(); break;
    case 1: confirm(); break;
    case 2: testPrint(); break;
    default: break;
    }
}

void openLabelLayout(core::Session& session, int kind) {
    if (!isLabelKind(kind)) return;
    LabelLayoutForm form(session, kind);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::printing
