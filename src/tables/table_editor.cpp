#include "tables/table_editor.h"

#include "core/cp1252.h"

#include <algorithm>

namespace kalvora::tables {

bool PageSelector::scrollTo(int first) {
    const int clamped = std::max(1, std::min(first, lastFirst()));
    if (clamped == first_) return false;
    first_ = clamped;
    return true;
}

std::string singleLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

TableEditorForm::TableEditorForm(core::Session& session) : core::Form(session) {}

void TableEditorForm::load() {
    auto& s = session();
    path_ = tablesPath(s.installation(), s.company().code);
    tables_ = loadTables(s.files(), path_);
    reopen();
}

// Values read from the file always fit its 8-bit encoding; a typed one may not, and would be
// written with '?' in place of its characters.
bool TableEditorForm::reportUnstorable(const TablesFile& tables) {
    for (const std::string& line : tablesLines(tables)) {
        if (core::fitsCp1252(line)) continue;
        session().platform().message("Il testo \"" + line + "\"" + unstorableText, "Attenzione",
                                     core::Icon::Critical);
        return true;
    }
    return false;
}

void TableEditorForm::confirm() {
    if (!readyToSave()) return;
    // The settings go into a copy, so a failed save leaves the window exactly as the user sees it.
    TablesFile encoded = tables_;
    encodeForSave(encoded);
    if (reportUnstorable(encoded)) return;
    auto& s = session();
    int error = saveTables(s.files(), path_, encoded);
    if (error == 0) error = saveCompanionFiles();
    if (error != 0) {
        s.platform().message(saveFailedText + std::to_string(error), "Attenzione", core::Icon::Critical);
        return;
    }
    tables_ = std::move(encoded);
    close();
}

void TableEditorForm::exitWindow() {
    close();
}

}  // namespace kalvora::tables
