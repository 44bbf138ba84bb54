#include "tables/invoice_types.h"

#include "core/text.h"

namespace kalvora::tables {

constexpr TablePart ownedParts[] = {{&TablesFile::t7, 1, InvoiceTypesForm::entryCount, 0, 1}};

InvoiceTypesForm::InvoiceTypesForm(core::Session& session) : TableEditorForm(session, ownedParts) {}

void InvoiceTypesForm::open() {
    load();
    Table& t7 = tables().t7;
    for (int k = 1; k <= entryCount; ++k) {
        // As it will be stored (control characters blanked), so a save and a second opening agree.
        const std::string packed = core::padRight(core::singleLine(t7.at(k, 1)), purchaseWidth + deductibleWidth);
        purchase_[k] = core::trim(core::left(packed, purchaseWidth));
        deductible_[k] = core::trim(core::mid(packed, purchaseWidth + 1, deductibleWidth));
    }
    if (core::trim(t7.at(reverseChargeEntry, 0)).empty()) t7.at(reverseChargeEntry, 0) = reverseChargeText;
    if (core::trim(t7.at(intraEuEntry, 0)).empty()) t7.at(intraEuEntry, 0) = intraEuText;
    pages_.scrollTo(1);
    focusRow_ = 0;
    focusField_ = InvoiceField::Sales;
}

void InvoiceTypesForm::scrollTo(int firstEntry) {
    pages_.scrollTo(firstEntry);
}

const std::string& InvoiceTypesForm::text(int r, InvoiceField field) const {
    static const std::string none;
    const int k = pages_.entryOf(r);
    if (k == 0) return none;
    switch (field) {
    case InvoiceField::Sales: return tables().t7.at(k, 0);
    case InvoiceField::Purchase: return purchase_[k];
    case InvoiceField::Deductible: return deductible_[k];
    }
    return none;
}

void InvoiceTypesForm::edit(int r, InvoiceField field, std::string text) {
    if (!validRow(r) || loading()) return;
    const int k = pages_.entryOf(r);
    text = core::singleLine(text);
    switch (field) {
    case InvoiceField::Sales: tables().t7.at(k, 0) = std::move(text); break;
    case InvoiceField::Purchase: purchase_[k] = core::left(text, purchaseWidth); break;
    case InvoiceField::Deductible: deductible_[k] = core::left(text, deductibleWidth); break;
    }
}

void InvoiceTypesForm::setFocus(int r, InvoiceField field) {
    if (!validRow(r)) return;
    focusRow_ = r;
    focusField_ = field;
}

void InvoiceTypesForm::enterPressed(int r, InvoiceField field) {
    if (!validRow(r)) return;
    if (field != InvoiceField::Deductible) {
        setFocus(r, static_cast<InvoiceField>(static_cast<int>(field) + 1));
    } else if (r < visibleRows - 1) {
        setFocus(r + 1, InvoiceField::Sales);
    } else if (pages_.scrollTo(pages_.first() + 1)) {
        setFocus(r, InvoiceField::Sales);
    } else {
        setFocus(r, field);
    }
}

void InvoiceTypesForm::encodeForSave(TablesFile& tables) const {
    for (int k = 1; k <= entryCount; ++k)
        tables.t7.at(k, 1) = core::padRight(purchase_[k], purchaseWidth) + core::padRight(deductible_[k], deductibleWidth);
}

}  // namespace kalvora::tables
