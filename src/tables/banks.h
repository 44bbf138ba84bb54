#pragma once
// The banks window zelstban: the 30 banks of table T8, 18 at a time, with the codes the
// electronic bank receipts need and the ledger account of the automatic postings.
//
// T8(k, 1) packs ABI (1-5), SIA (6-10), IB (11-12) and CIN (13) into 13 characters; T8(k, 3)
// packs the ledger account as group (1-2), account (3-4) and sub-account (5-8).
#include "tables/table_editor.h"

#include <array>
#include <string>

namespace kalvora::tables {

// The controls of a row, in focus order.
enum class BankField {
    Description,  // text1
    Abi,          // sc1
    Cab,          // sc2
    Sia,          // sc5
    Account,      // sc3
    Cin,          // sc7
    Ib,           // sc6
    Group,        // sc31
    LedgerAccount,  // sc32
    SubAccount,   // sc4
};
constexpr int bankFieldCount = 10;

// What the boxes of one row show, indexed by BankField.
using BankRow = std::array<std::string, bankFieldCount>;

// The width of a box stored in a packed code, 0 for a box stored as typed.
int bankFieldWidth(BankField field);
// The row showing bank k's five stored values.
BankRow bankRow(const Table& t8, int k);
// T8(k, 1) and T8(k, 3) rebuilt from the boxes of a row.
std::string bankCodes(const BankRow& row);
std::string ledgerCode(const BankRow& row);

class BanksForm : public TableEditorForm {
public:
    static constexpr int entryCount = 30;
    static constexpr int visibleRows = 18;

    static constexpr const char* frameText =
        "Tabella banche per l'emissione ri.ba. e per le registrazioni contabili automatizzate";
    // Column headers in focus order; the account and sub-account share the group's header.
    static constexpr std::array<const char*, bankFieldCount> headers = {
        "Descrizione banca", "ABI", "CAB", "SIA", "Numero conto", "CIN", "IB", "Codice conto", "", ""};
    static constexpr const char* helpText =
        "Se non si dispone del codice SIA, indicare nella colonna SIA il codice ABI. Per intestare il file "
        "delle ricevute bancarie elettroniche con un codice diverso da \"RB\", indicare nella colonna IB il "
        "codice da utilizzare.";

    explicit BanksForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstban"; }
    std::string title() const override { return "Tabella banche"; }

    // Loads the tables file and shows banks 1..18 with the focus on the first description.
    void open();

    // The page selector selpag.
    int firstEntry() const { return pages_.first(); }
    int lastFirstEntry() const { return pages_.lastFirst(); }
    void scrollTo(int firstEntry);
    int entryOf(int r) const { return pages_.entryOf(r); }
    const BankRow& row(int r) const { return rows_.at(r); }
    const std::string& text(int r, BankField field) const { return rows_.at(r).at(static_cast<int>(field)); }

    // A change of a box: written at once into the bank shown in row r. A packed box keeps at
    // most its width and rebuilds its whole code from the row.
    void edit(int r, BankField field, std::string text);
    // The focused box loses the focus: a group or account above 0 becomes two digits, a
    // sub-account four.
    void leaveField(int r, BankField field);

    int focusedRow() const { return focusRow_; }
    BankField focusedField() const { return focusField_; }
    void setFocus(int r, BankField field);
    // Enter: the next box of the row, then the next row's description; from the last box of
    // the last row the page scrolls one bank while it can.
    void enterPressed(int r, BankField field);

private:
    void showPage();
    bool validRow(int r) const { return pages_.contains(r); }

    PageSelector pages_{entryCount, visibleRows};
    std::array<BankRow, visibleRows> rows_{};
    int focusRow_ = 0;
    BankField focusField_ = BankField::Description;
};

}  // namespace kalvora::tables
