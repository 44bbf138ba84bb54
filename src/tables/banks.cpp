#include "tables/banks.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::tables {

namespace {

constexpr std::size_t bankCodesWidth = 13;
constexpr std::size_t ledgerCodeWidth = 8;

const std::string& field(const BankRow& row, BankField f) { return row[static_cast<int>(f)]; }
std::string& field(BankRow& row, BankField f) { return row[static_cast<int>(f)]; }

std::string slot(const BankRow& row, BankField f) {
    return core::padRight(field(row, f), static_cast<std::size_t>(bankFieldWidth(f)));
}

bool packedInCodes(BankField f) {
    return f == BankField::Abi || f == BankField::Sia || f == BankField::Ib || f == BankField::Cin;
}
bool packedInLedger(BankField f) {
    return f == BankField::Group || f == BankField::LedgerAccount || f == BankField::SubAccount;
}

}  // namespace

int bankFieldWidth(BankField f) {
    switch (f) {
    case BankField::Abi:
    case BankField::Sia: return 5;
    case BankField::Ib:
    case BankField::Group:
    case BankField::LedgerAccount: return 2;
    case BankField::Cin: return 1;
    case BankField::SubAccount: return 4;
    case BankField::Description:
    case BankField::Cab:
    case BankField::Account: return 0;
    }
    return 0;
}

BankRow bankRow(const Table& t8, int k) {
    BankRow row;
    const std::string codes = core::padRight(t8.at(k, 1), bankCodesWidth);
    const std::string ledger = core::padRight(t8.at(k, 3), ledgerCodeWidth);
    field(row, BankField::Description) = t8.at(k, 0);
    field(row, BankField::Abi) = core::trim(core::mid(codes, 1, 5));
    field(row, BankField::Sia) = core::trim(core::mid(codes, 6, 5));
    field(row, BankField::Ib) = core::trim(core::mid(codes, 11, 2));
    field(row, BankField::Cin) = core::trim(core::mid(codes, 13, 1));
    field(row, BankField::Cab) = core::trim(t8.at(k, 2));
    field(row, BankField::Account) = core::trim(t8.at(k, 4));
    field(row, BankField::Group) = core::trim(core::mid(ledger, 1, 2));
    field(row, BankField::LedgerAccount) = core::trim(core::mid(ledger, 3, 2));
    field(row, BankField::SubAccount) = core::trim(core::mid(ledger, 5, 4));
    return row;
}

std::string bankCodes(const BankRow& row) {
    return slot(row, BankField::Abi) + slot(row, BankField::Sia) + slot(row, BankField::Ib) + slot(row, BankField::Cin);
}

std::string ledgerCode(const BankRow& row) {
    return slot(row, BankField::Group) + slot(row, BankField::LedgerAccount) + slot(row, BankField::SubAccount);
}

constexpr TablePart ownedParts[] = {{&TablesFile::t8, 1, BanksForm::entryCount, 0, 4}};

BanksForm::BanksForm(core::Session& session) : TableEditorForm(session, ownedParts) {}

void BanksForm::open() {
    load();
    pages_.scrollTo(1);
    showPage();
    focusRow_ = 0;
    focusField_ = BankField::Description;
}

void BanksForm::showPage() {
    LoadingGuard loading(*this);
    for (int r = 0; r < visibleRows; ++r) rows_[r] = bankRow(tables().t8, pages_.entryOf(r));
}

void BanksForm::scrollTo(int firstEntry) {
    if (pages_.scrollTo(firstEntry)) showPage();
}

void BanksForm::edit(int r, BankField f, std::string text) {
    if (!validRow(r)) return;
    text = core::singleLine(text);
    if (const int width = bankFieldWidth(f); width > 0) text = core::left(text, static_cast<std::size_t>(width));
    BankRow& row = rows_[r];
    field(row, f) = std::move(text);
    if (loading()) return;
    Table& t8 = tables().t8;
    const int k = pages_.entryOf(r);
    if (packedInCodes(f))
        t8.at(k, 1) = bankCodes(row);
    else if (packedInLedger(f))
        t8.at(k, 3) = ledgerCode(row);
    else
        t8.at(k, f == BankField::Description ? 0 : f == BankField::Cab ? 2 : 4) = field(row, f);
}

// Only the box that has the focus can lose it: after Enter scrolled the page, row r shows
// another bank, whose boxes were never left.
void BanksForm::leaveField(int r, BankField f) {
    if (!validRow(r) || !packedInLedger(f) || r != focusRow_ || f != focusField_) return;
    const std::string& text = field(rows_[r], f);
    const double value = core::numericValue(text);
    if (!(value > 0)) return;
    const std::size_t width = static_cast<std::size_t>(bankFieldWidth(f));
    std::string digits = std::to_string(static_cast<long long>(std::min(value, 1e15)));
    // A value that does not fit its slot stays as typed rather than being cut to other digits.
    if (digits.size() > width) return;
    digits.insert(0, width - digits.size(), '0');
    if (digits != text) edit(r, f, digits);
}

void BanksForm::setFocus(int r, BankField f) {
    if (!validRow(r)) return;
    focusRow_ = r;
    focusField_ = f;
}

void BanksForm::enterPressed(int r, BankField f) {
    if (!validRow(r)) return;
    setFocus(r, f);
    leaveField(r, f);
    if (f != BankField::SubAccount) {
        setFocus(r, static_cast<BankField>(static_cast<int>(f) + 1));
        return;
    }
    if (r < visibleRows - 1) {
        setFocus(r + 1, BankField::Description);
    } else if (pages_.first() < pages_.lastFirst()) {
        scrollTo(pages_.first() + 1);
        setFocus(r, BankField::Description);
    }
}

}  // namespace kalvora::tables
