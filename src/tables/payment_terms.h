#pragma once
// The payment-terms window zelstpag: the 60 payment terms of table T5, 15 at a time, each a
// description and a coded rule splitting an invoice into instalments, plus the company-wide
// moves of the instalments falling in August and December.
//
// The rule, positions from 1: 1-18 months to instalments 1..6 (three digits each), 19 "F" for
// end of month or "N", 20-22 days after the end of month, 23 on the payment type. Entries 1
// and 2 carry the August and December settings after position 23.
#include "tables/table_editor.h"

#include <array>
#include <string>

namespace kalvora::tables {

// The controls of a row, in focus order.
enum class PaymentField {
    Description,  // text1
    Type,         // Combo1
    Months1,      // sc1
    Months2,      // sc2
    Months3,      // sc3
    Months4,      // sc4
    Months5,      // sc6
    Months6,      // sc7
    EndOfMonth,   // fine
    Days,         // sc5
};

// What one row of the grid shows, as its controls hold it.
struct PaymentRow {
    std::string description;
    int type = -1;  // list index of Combo1, -1 when none
    std::array<std::string, 6> months{};
    bool endOfMonth = false;
    std::string days;
    friend bool operator==(const PaymentRow&, const PaymentRow&) = default;
};

// The rule the controls of a row stand for (23 characters, 24 with no type).
std::string paymentRule(const PaymentRow& row);
// The controls showing a stored description and rule.
PaymentRow paymentRow(const std::string& description, const std::string& rule);
// Rules of 12 to 21 characters come from the four-instalment form: two empty instalments are
// inserted after the fourth, and a result still under 22 characters is completed with blanks,
// so a rule is upgraded once only. Any other rule is returned as it is.
std::string upgradeRule(const std::string& rule);

class PaymentTermsForm : public TableEditorForm {
public:
    static constexpr int entryCount = 60;
    static constexpr int visibleRows = 15;
    static constexpr int instalments = 6;
    static constexpr int ruleLength = 23;
    // Enter on the last row scrolls only while the first visible entry is below this.
    static constexpr int enterScrollLimit = 16;
    static constexpr int august = 0;
    static constexpr int december = 1;
    static constexpr int moveDayLength = 5;

    static constexpr std::array<const char*, 5> paymentTypes = {"Riba", "Bonifico", "Contanti", "Rid", "Altro"};
    static constexpr const char* frameText = "Tabella modalità di pagamento e frazionamento in scadenze";
    static constexpr const char* endOfMonthText = "Fine mese +";
    static constexpr const char* daysText = "giorni";
    static constexpr std::array<const char*, 2> moveTexts = {
        "Sposta le scadenze del mese di agosto al giorno",
        "Sposta le scadenze del mese di dicembre al giorno",
    };
    static constexpr const char* followingMonthText = "del mese successivo";
    static constexpr const char* helpText =
        "Per ciascuna rata indicare il numero di mesi di cui viene posticipato il pagamento: ad esempio, "
        "per un pagamento a 60/90/120 giorni indicare 2, 3 e 4 nelle prime tre colonne. Spuntare \"Fine "
        "mese\" per spostare inoltre il pagamento alla fine del mese.";

    explicit PaymentTermsForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstpag"; }
    std::string title() const override { return "Tabella modalità di pagamento"; }

    // Loads the tables file, upgrades old rules, reads the August and December settings and
    // shows the first page with the focus on the first description.
    void open();

    // The page selector selpag.
    int firstEntry() const { return pages_.first(); }
    int lastFirstEntry() const { return pages_.lastFirst(); }
    void scrollTo(int firstEntry);
    // The entry row r shows (0 outside the grid).
    int entryOf(int r) const { return pages_.entryOf(r); }
    // Row r, 0..visibleRows-1.
    const PaymentRow& row(int r) const { return rows_.at(r); }

    // Change events of the row's controls. Outside a refill each one writes at once into
    // T5(entry, 0) (the description) or T5(entry, 1) (the rule rebuilt from the whole row).
    void editDescription(int r, std::string text);
    void selectType(int r, int index);
    void editMonths(int r, int instalment, std::string text);  // instalment 0..5
    void setEndOfMonth(int r, bool ticked);
    void editDays(int r, std::string text);

    // The August (0) and December (1) settings: kept here, written into entries 1 and 2 at
    // confirm only.
    bool monthMove(int which) const { return move_.at(which); }
    const std::string& moveDay(int which) const { return moveDay_.at(which); }
    void setMonthMove(int which, bool ticked);
    void editMoveDay(int which, std::string text);

    int focusedRow() const { return focusRow_; }
    PaymentField focusedField() const { return focusField_; }
    void setFocus(int r, PaymentField field);
    // Enter: description -> first instalment -> ... -> sixth -> days -> next row's description;
    // from the days of the last row the page scrolls one entry while it may.
    void enterPressed(int r, PaymentField field);

protected:
    void encodeForSave(TablesFile& tables) const override;

private:
    void showPage();
    void storeRule(int r);
    bool validRow(int r) const { return r >= 0 && r < visibleRows; }

    PageSelector pages_{entryCount, visibleRows};
    std::array<PaymentRow, visibleRows> rows_{};
    std::array<bool, 2> move_{};
    std::array<std::string, 2> moveDay_{};
    int focusRow_ = 0;
    PaymentField focusField_ = PaymentField::Description;
};

}  // namespace kalvora::tables
