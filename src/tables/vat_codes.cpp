#include "tables/vat_codes.h"

#include "core/numbers.h"
#include "core/text.h"
#include "tables/vat_interest_file.h"


namespace kalvora::tables {

namespace {

// T3(0, 1): the two flag characters and 18 blanks; T4(0, 0): one purchase-type digit per code.
constexpr std::size_t flagsWidth = 20;
constexpr std::size_t purchaseTypesWidth = VatCodesForm::codeCount;
constexpr std::size_t natureBlanks = 99;

// A rate of 0 (or no number at all) shows as an empty box.
std::string rateText(const std::string& cell) { return core::numericValue(cell) == 0 ? std::string() : cell; }

// A list index stored as decimal text; blank, non-numeric or out of the list means no selection.
int listIndex(std::string_view stored, int itemCount) {
    const std::string t = core::trim(stored);
    if (t.empty() || t[0] < '0' || t[0] > '9') return VatCodesForm::noSelection;
    const int value = core::integerValue(t);
    return value < itemCount ? value : VatCodesForm::noSelection;
}

// The nature from what follows character 100 of a stored description: its leading digits, so
// that the 99 blanks and "*" behind it, or the tail of an overlong old description, never pass
// for a nature.
std::string natureOf(std::string_view rest) {
    const std::string t = core::trimLeft(rest);
    std::size_t digits = 0;
    while (digits < t.size() && t[digits] >= '0' && t[digits] <= '9') ++digits;
    return t.substr(0, digits);
}

// Column 1 of T3 or T4 as stored (description + nature + blanks + "*") splits into the
// description (column 1) and the nature (column 2); a short old value is all description.
// The test is on the whole value, not the trimmed one: an empty description without nature
// trims to "*" and would otherwise come back as 199 blanks and a "*". Only the padding is
// dropped: leading blanks stay, as in a short value, or a second save would lose them.
void splitDescriptions(Table& table) {
    for (int k = 1; k <= VatCodesForm::codeCount; ++k) {
        std::string& description = table.at(k, 1);
        if (core::length(description) <= VatCodesForm::descriptionWidth) {
            table.at(k, 2).clear();
            continue;
        }
        table.at(k, 2) = natureOf(core::mid(description, VatCodesForm::descriptionWidth + 1));
        description = core::trimRight(core::left(description, VatCodesForm::descriptionWidth));
    }
}

std::string withCharacter(std::string_view text, int position, char c) {
    return core::left(text, position - 1) + c + core::mid(text, position + 1);
}

}  // namespace

constexpr TablePart ownedParts[] = {
    {&TablesFile::t1, 1, VatCodesForm::codeCount, 0, 3},
    {&TablesFile::t2, 1, VatCodesForm::codeCount, 0, 2},
    {&TablesFile::t3, 0, VatCodesForm::codeCount, 0, 1},
    {&TablesFile::t4, 0, VatCodesForm::codeCount, 0, 1},
};

VatCodesForm::VatCodesForm(core::Session& session) : TableEditorForm(session, ownedParts) {
    salesNature_.fill(noSelection);
    purchaseNature_.fill(noSelection);
    purchaseType_.fill(noSelection);
}

std::string VatCodesForm::storedDescription(std::string_view description, std::string_view nature) {
    return core::padRight(description, descriptionWidth) + core::trim(nature) + std::string(natureBlanks, ' ') + "*";
}

void VatCodesForm::open() {
    load();
    LoadingGuard loading(*this);
    TablesFile& t = tables();

    t.t4.at(0, 0) = core::padRight(t.t4.at(0, 0), purchaseTypesWidth);
    texts_[pensionDescriptionBox] = t.t3.at(0, 0);
    const std::string& flags = t.t3.at(0, 1);
    tassa_ = core::numericValue(core::mid(flags, 1, 1)) == 1;
    esig_ = core::numericValue(core::mid(flags, 2, 1)) == 1;

    splitDescriptions(t.t3);
    splitDescriptions(t.t4);

    auto& s = session();
    loadVatInterest(s.files(), vatInterestPath(s.installation(), s.company().code), t.t1);
    texts_[interestRateBox] = t.t1.at(0, vatInterestColumn);

    sales_.scrollTo(1);
    purchases_.scrollTo(1);
    showSales();
    showPurchases();
    focus_ = 0;
}

void VatCodesForm::showSales() {
    LoadingGuard loading(*this);
    const TablesFile& t = tables();
    for (int r = 0; r < visibleRows; ++r) {
        const int k = sales_.entryOf(r);
        for (int c = 0; c < 4; ++c) texts_[salesColumns * r + c] = rateText(t.t1.at(k, c));
        texts_[salesColumns * r + 4] = t.t3.at(k, 1);
        texts_[salesColumns * r + 5] = t.t3.at(k, 0);
        texts_[firstAgriculturalBox + r] = t.t1.at(k, vatInterestColumn);
        salesNature_[r] = listIndex(t.t3.at(k, 2), static_cast<int>(natures.size()));
    }
}

void VatCodesForm::showPurchases() {
    LoadingGuard loading(*this);
    const TablesFile& t = tables();
    for (int r = 0; r < visibleRows; ++r) {
        const int k = purchases_.entryOf(r);
        const int box = firstPurchaseBox + purchaseColumns * r;
        texts_[box] = rateText(t.t2.at(k, 0));
        texts_[box + 1] = rateText(t.t2.at(k, 1));
        texts_[box + 2] = t.t4.at(k, 1);
        texts_[box + 3] = t.t4.at(k, 0);
        purchaseNature_[r] = listIndex(t.t4.at(k, 2), static_cast<int>(natures.size()));
        purchaseType_[r] = listIndex(core::mid(t.t4.at(0, 0), k, 1), static_cast<int>(purchaseTypes.size()));
    }
}

void VatCodesForm::scrollSales(int first) {
    if (sales_.scrollTo(first)) showSales();
}

void VatCodesForm::scrollPurchases(int first) {
    if (purchases_.scrollTo(first)) showPurchases();
}

std::string* VatCodesForm::cellOf(int index) {
    if (index < 0 || index >= boxCount) return nullptr;
    TablesFile& t = tables();
    if (index < firstPurchaseBox) {
        const int k = sales_.entryOf(index / salesColumns);
        const int c = index % salesColumns;
        if (c < 4) return &t.t1.at(k, c);
        return &t.t3.at(k, c == 4 ? 1 : 0);
    }
    if (index < pensionDescriptionBox) {
        const int j = index - firstPurchaseBox;
        const int k = purchases_.entryOf(j / purchaseColumns);
        switch (j % purchaseColumns) {
        case 0: return &t.t2.at(k, 0);
        case 1: return &t.t2.at(k, 1);
        case 2: return &t.t4.at(k, 1);
        default: return &t.t4.at(k, 0);
        }
    }
    if (index == pensionDescriptionBox) return &t.t3.at(0, 0);
    if (index == interestRateBox) return &t.t1.at(0, vatInterestColumn);
    return &t.t1.at(sales_.entryOf(index - firstAgriculturalBox), vatInterestColumn);
}

void VatCodesForm::editText(int index, std::string text) {
    std::string* cell = loading() ? nullptr : cellOf(index);
    if (!cell) return;
    texts_[index] = core::singleLine(text);
    *cell = index == pensionDescriptionBox ? core::trim(texts_[index]) : texts_[index];
}

std::string VatCodesForm::salesRateLabel(int row) const { return "Codice iva" + core::strForm(sales_.entryOf(row)); }
std::string VatCodesForm::salesExemptionLabel(int row) const {
    return "Codice esente" + core::strForm(sales_.entryOf(row));
}
std::string VatCodesForm::purchaseRateLabel(int row) const {
    return "Codice iva" + core::strForm(purchases_.entryOf(row));
}
std::string VatCodesForm::purchaseExemptionLabel(int row) const {
    return "Codice esente" + core::strForm(purchases_.entryOf(row));
}

void VatCodesForm::chooseSalesNature(int row, int index) {
    if (row < 0 || row >= visibleRows || index < 0 || index >= static_cast<int>(natures.size())) return;
    tables().t3.at(sales_.entryOf(row), 2) = std::to_string(index);
    salesNature_[row] = index;
}

void VatCodesForm::choosePurchaseNature(int row, int index) {
    if (row < 0 || row >= visibleRows || index < 0 || index >= static_cast<int>(natures.size())) return;
    tables().t4.at(purchases_.entryOf(row), 2) = std::to_string(index);
    purchaseNature_[row] = index;
}

void VatCodesForm::choosePurchaseType(int row, int index) {
    if (row < 0 || row >= visibleRows || index < 0 || index >= static_cast<int>(purchaseTypes.size())) return;
    std::string& types = tables().t4.at(0, 0);
    types = withCharacter(core::padRight(types, purchaseTypesWidth), purchases_.entryOf(row),
                          static_cast<char>('0' + index));
    purchaseType_[row] = index;
}

void VatCodesForm::setFocus(int index) {
    if (index >= 0 && index < boxCount) focus_ = index;
}

void VatCodesForm::enterPressed(int index) {
    if (index < 0 || index >= boxCount) return;
    focus_ = index;
    if (index == pensionDescriptionBox - 1 || index == pensionDescriptionBox || index == interestRateBox) return;
    if (index >= firstAgriculturalBox)
        focus_ = salesColumns * (index - firstAgriculturalBox) + 4;  // the row's description
    else if (index < firstPurchaseBox && index % salesColumns == 3)
        focus_ = firstAgriculturalBox + index / salesColumns;  // %CP, then %Agr
    else
        focus_ = index + 1;
}

void VatCodesForm::encodeForSave(TablesFile& out) const {
    out.t3.at(0, 1) = core::padRight(std::to_string(tassa_ ? 1 : 0) + std::to_string(esig_ ? 1 : 0), flagsWidth);
    for (int k = 1; k <= codeCount; ++k) {
        out.t3.at(k, 1) = storedDescription(out.t3.at(k, 1), out.t3.at(k, 2));
        out.t4.at(k, 1) = storedDescription(out.t4.at(k, 1), out.t4.at(k, 2));
    }
}

std::string VatCodesForm::companionPath() const {
    const auto& s = session();
    return vatInterestPath(s.installation(), s.company().code);
}

int VatCodesForm::saveCompanionFile() {
    return saveVatInterest(session().files(), companionPath(), tables().t1);
}

}  // namespace kalvora::tables
