#include "company/company_selection.h"

#include "company/current_company.h"
#include "company/list_colours.h"
#include "company/registry.h"
#include "company/settings_loader.h"
#include "core/text.h"

#include <algorithm>
#include <numeric>

namespace kalvora::company {

namespace {

// Ascending generic order: empty cells first, then numbers by value, then text ignoring case.
struct SortKey {
    int kind;  // 0 empty, 1 number, 2 text
    double number;
    std::string text;

    bool operator<(const SortKey& other) const {
        if (kind != other.kind) return kind < other.kind;
        if (kind == 1) return number < other.number;
        return text < other.text;
    }
};

bool isNumber(const std::string& s) {
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

SortKey sortKey(const std::string& cell) {
    std::string text = core::trim(cell);
    if (text.empty()) return {0, 0, {}};
    if (isNumber(text)) return {1, core::numericValue(text), {}};
    return {2, 0, core::lower(text)};
}

const std::string& cellOf(const CompanyRow& row, int column) {
    switch (column) {
    case 0: return row.code;
    case 1: return row.name;
    default: return row.year;
    }
}

bool isCompanyCode(const std::string& code) {
    return core::length(code) == 3 && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

CompanySelectionForm::CompanySelectionForm(core::Session& session) : core::Form(session) {}

void CompanySelectionForm::open() {
    auto& s = session();
    auto& state = s.company();
    reopen();
    loadCompanySettings(s);

    // The row to highlight is the company the main window shows.
    const std::string captionCode = core::left(state.companyCaption, 3);
    currentCode_ = isCompanyCode(captionCode) ? core::integerValue(captionCode) : state.code;

    auto registry = readRegistry(s.files(), s.installation());
    registry_ = registry ? std::move(*registry) : state.registry;
    registry_.resize(core::CompanyState::registrySize, "*");

    rows_.clear();
    rows_.reserve(core::CompanyState::registrySize);
    for (int code = 0; code < core::CompanyState::registrySize; ++code) {
        const RegistryEntry entry = parseRegistryLine(registry_[code]);
        if (entry.free) continue;
        rows_.push_back({core::threeDigits(code), entry.name, entry.year,
                         code == currentCode_ ? currentRowColour : gridColour});
    }
    filled_ = static_cast<int>(rows_.size());
    if (rows_.size() < static_cast<std::size_t>(minimumRows)) rows_.resize(minimumRows, CompanyRow{{}, {}, {}, gridColour});
}

void CompanySelectionForm::sortBy(int column) {
    if (column < 0 || column >= columnCount) return;
    std::vector<SortKey> keys;
    keys.reserve(filled_);
    for (int r = 0; r < filled_; ++r) keys.push_back(sortKey(cellOf(rows_[r], column)));
    std::vector<int> order(filled_);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });

    std::vector<CompanyRow> sorted;
    sorted.reserve(rows_.size());
    for (int r : order) sorted.push_back(std::move(rows_[r]));
    for (std::size_t r = filled_; r < rows_.size(); ++r) sorted.push_back(std::move(rows_[r]));
    rows_ = std::move(sorted);

    if (alternateColoursOn(session().company().general)) paintAlternateColours();
}

void CompanySelectionForm::paintAlternateColours() {
    // Filler rows are striped like the rest.
    for (std::size_t r = 0; r < rows_.size(); ++r) rows_[r].colour = alternateRowColour(session().company().general, r);
}

void CompanySelectionForm::choose(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const std::string code = core::trim(rows_[row].code);
    if (!isCompanyCode(code)) return;
    // The captions come from the registry as this window read it.
    session().company().registry = registry_;
    makeCurrent(session(), core::integerValue(code));
    leave();
}

void CompanySelectionForm::closeBox() { leave(); }

void CompanySelectionForm::leave() {
    close();
}

}  // namespace kalvora::company
