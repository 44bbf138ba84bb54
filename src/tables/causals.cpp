#include "tables/causals.h"

#include "core/text.h"

namespace kalvora::tables {

std::string categoriesPath(const core::Installation& inst, int companyCode) {
    return inst.companyFile(companyCode, "kalvora.tb2");
}

std::vector<std::string> loadCategories(const core::Files& files, std::string_view path) {
    std::vector<std::string> categories;
    if (auto lines = files.readLines(path)) categories = std::move(*lines);
    categories.resize(CausalsForm::categoryCount);
    return categories;
}

constexpr TablePart ownedParts[] = {{&TablesFile::t9, 1, CausalsForm::entryCount, 0, 1}};

CausalsForm::CausalsForm(core::Session& session) : TableEditorForm(session, ownedParts) {}

void CausalsForm::open() {
    load();
    auto& s = session();
    categoriesPath_ = categoriesPath(s.installation(), s.company().code);
    categories_ = loadCategories(s.files(), categoriesPath_);
    for (CausalList list : {CausalList::Causals, CausalList::Appearance, CausalList::Categories}) {
        pages_[index(list)].scrollTo(1);
        showPage(list);
    }
    focusList_ = CausalList::Causals;
    focusRow_ = 0;
}

std::string& CausalsForm::cell(CausalList list, int entry) {
    if (list == CausalList::Categories) return categories_.at(entry - 1);
    return tables().t9.at(entry, list == CausalList::Causals ? 0 : 1);
}

void CausalsForm::showPage(CausalList list) {
    LoadingGuard loading(*this);
    for (int r = 0; r < visibleRows; ++r) rows_[index(list)][r] = cell(list, entryOf(list, r));
}

void CausalsForm::scrollTo(CausalList list, int firstEntry) {
    if (pages_[index(list)].scrollTo(firstEntry)) showPage(list);
}

void CausalsForm::edit(CausalList list, int r, std::string text) {
    if (!pages(list).contains(r)) return;
    std::string& box = rows_[index(list)][r];
    box = core::singleLine(text);
    if (!loading()) cell(list, entryOf(list, r)) = box;
}

void CausalsForm::setFocus(CausalList list, int r) {
    if (!pages(list).contains(r)) return;
    focusList_ = list;
    focusRow_ = r;
}

void CausalsForm::enterPressed(CausalList list, int r) {
    if (!pages(list).contains(r)) return;
    setFocus(list, r);
    if (r < visibleRows - 1) {
        setFocus(list, r + 1);
    } else if (firstEntry(list) < lastFirstEntry(list)) {
        scrollTo(list, firstEntry(list) + 1);
    }
}

// Checked before anything is written, so the tables file and the categories are saved together
// or not at all when a category cannot be stored.
bool CausalsForm::readyToSave() { return !reportUnstorable(categories_); }

int CausalsForm::saveCompanionFile() { return session().files().writeLines(categoriesPath_, categories_); }

}  // namespace kalvora::tables
