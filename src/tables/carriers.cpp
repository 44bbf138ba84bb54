#include "tables/carriers.h"

#include "core/text.h"

namespace kalvora::tables {

namespace {

constexpr int firstExtra = static_cast<int>(CarrierField::Country);
// 1-based start of each sub-field inside the starred field.
constexpr std::array<std::size_t, 3> slotStart = {2, 4, 20};

std::string emptyStarred() { return "*" + std::string(CarriersForm::starredLength - 2, ' ') + "*"; }

}  // namespace

int carrierFieldWidth(CarrierField field) {
    switch (field) {
    case CarrierField::Country: return 2;
    case CarrierField::TaxId:
    case CarrierField::TaxCode: return 16;
    case CarrierField::Name:
    case CarrierField::Address:
    case CarrierField::City: return 0;
    }
    return 0;
}

std::string mergeCarrierFields(const std::string& starred, const std::string& country, const std::string& taxId,
                               const std::string& taxCode) {
    // The slots must exist before they are written, or a short field would lose what goes in
    // them; a short field is closed with its "*" at 502.
    std::string field = starred;
    if (core::length(field) < CarriersForm::starredLength)
        field = core::padRight(field, CarriersForm::starredLength - 1) + "*";
    return core::left(field, 1) + core::padRight(country, 2) + core::padRight(taxId, 16) + core::padRight(taxCode, 16) +
           core::mid(field, 36);
}

constexpr TablePart ownedParts[] = {{&TablesFile::t9, 1, CarriersForm::entryCount, 2, 5}};

CarriersForm::CarriersForm(core::Session& session) : TableEditorForm(session, ownedParts) {}

void CarriersForm::open() {
    load();
    Table& t9 = tables().t9;
    for (int k = 1; k <= entryCount; ++k) {
        std::string& starred = t9.at(k, 5);
        if (core::trim(starred).empty() || !core::startsWith(starred, "*")) starred = emptyStarred();
        for (int i = 0; i < 3; ++i)
            extra_[k][i] = core::trim(core::mid(starred, slotStart[i],
                                                carrierFieldWidth(static_cast<CarrierField>(firstExtra + i))));
    }
    pages_.scrollTo(1);
    showPage();
    focusRow_ = 0;
    focusField_ = CarrierField::Name;
}

std::string& CarriersForm::cell(int k, CarrierField field) {
    const int f = static_cast<int>(field);
    return f < firstExtra ? tables().t9.at(k, 2 + f) : extra_.at(k).at(f - firstExtra);
}

void CarriersForm::showPage() {
    LoadingGuard loading(*this);
    for (int r = 0; r < visibleRows; ++r)
        for (int f = 0; f < carrierFieldCount; ++f) rows_[r][f] = cell(pages_.entryOf(r), static_cast<CarrierField>(f));
}

void CarriersForm::scrollTo(int firstEntry) {
    if (pages_.scrollTo(firstEntry)) showPage();
}

void CarriersForm::edit(int r, CarrierField field, std::string text) {
    if (!pages_.contains(r)) return;
    std::string& box = rows_[r][static_cast<int>(field)];
    box = core::singleLine(text);
    if (!loading()) cell(pages_.entryOf(r), field) = box;
}

void CarriersForm::setFocus(int r, CarrierField field) {
    if (!pages_.contains(r)) return;
    focusRow_ = r;
    focusField_ = field;
}

void CarriersForm::enterPressed(int r, CarrierField field) {
    if (!pages_.contains(r)) return;
    setFocus(r, field);
    if (field != CarrierField::TaxCode) {
        setFocus(r, static_cast<CarrierField>(static_cast<int>(field) + 1));
    } else if (r < visibleRows - 1) {
        setFocus(r + 1, CarrierField::Name);
    } else if (pages_.first() < pages_.lastFirst()) {
        scrollTo(pages_.first() + 1);
        setFocus(r, CarrierField::Name);
    }
}

void CarriersForm::encodeForSave(TablesFile& t) const {
    for (int k = 1; k <= entryCount; ++k) {
        std::string& starred = t.t9.at(k, 5);
        starred = mergeCarrierFields(starred, extra_[k][0], extra_[k][1], extra_[k][2]);
    }
}

}  // namespace kalvora::tables
