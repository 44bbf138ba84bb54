#pragma once
// The invoice types window zelstbil over table T7: 100 sales and 100 purchase invoice types for
// the summary balance of simplified accounting, 18 rows at a time. T7(k, 1) packs the purchase
// description (1-95) and the deductible percentage %Detr (96-100); the window splits it on
// opening and rebuilds it, always 100 characters, at save.
#include "tables/table_editor.h"

#include <array>
#include <string>

namespace kalvora::tables {

// The boxes of a row, in focus order.
enum class InvoiceField {
    Sales,       // text1, T7(k, 0)
    Purchase,    // Text2, T7(k, 1) characters 1-95
    Deductible,  // sc4, T7(k, 1) characters 96-100
};
constexpr int invoiceFieldCount = 3;

class InvoiceTypesForm : public TableEditorForm {
public:
    static constexpr int entryCount = 100;
    static constexpr int visibleRows = 18;
    static constexpr std::size_t purchaseWidth = 95;
    static constexpr std::size_t deductibleWidth = 5;
    static constexpr int reverseChargeEntry = 99;
    static constexpr int intraEuEntry = 100;

    static constexpr const char* frameText =
        "Tabella tipologie fatture per la composizione del bilancino di contabilità semplificata";
    static constexpr std::array<const char*, invoiceFieldCount> headers = {
        "Fatture emesse (ricavi)", "Fatture ricevute (costi)", "%Detr"};
    static constexpr const char* reverseChargeText = "Fatture integrate operazioni Reverse Charge";
    static constexpr const char* intraEuText = "Fatture integrate operazioni Intracomunitarie";
    static constexpr const char* reservedNote =
        "Le tipologie 99 e 100 sono riservate alle fatture integrate per le operazioni Reverse Charge (99) e "
        "Intracomunitarie (100).";
    static constexpr const char* helpText =
        "Indicare in %Detr la percentuale di detraibilità del costo: \"100\" per un costo interamente "
        "detraibile, la percentuale specifica (ad esempio \"40\") per un costo parzialmente detraibile "
        "(autoveicoli, spese telefoniche).";

    explicit InvoiceTypesForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstbil"; }
    std::string title() const override { return "Tabella tipologia fatture"; }

    // Loads the tables file, splits every T7(k, 1) and fills the reserved names of 99 and 100
    // when they are empty.
    void open();

    int firstEntry() const { return pages_.first(); }
    int lastFirstEntry() const { return pages_.lastFirst(); }
    void scrollTo(int firstEntry);
    int entryOf(int r) const { return pages_.entryOf(r); }
    // What a box of row r shows.
    const std::string& text(int r, InvoiceField field) const;

    // A change of a box: written at once into the entry row r shows, kept to its width.
    void edit(int r, InvoiceField field, std::string text);

    int focusedRow() const { return focusRow_; }
    InvoiceField focusedField() const { return focusField_; }
    void setFocus(int r, InvoiceField field);
    // Enter: text1, Text2, sc4, then the next row; from the last row the page scrolls one entry.
    void enterPressed(int r, InvoiceField field);

    // The split purchase side of entry k.
    const std::string& purchase(int k) const { return purchase_.at(k); }
    const std::string& deductible(int k) const { return deductible_.at(k); }

protected:
    void encodeForSave(TablesFile& tables) const override;

private:
    bool validRow(int r) const { return pages_.contains(r); }

    PageSelector pages_{entryCount, visibleRows};
    std::array<std::string, entryCount + 1> purchase_{};
    std::array<std::string, entryCount + 1> deductible_{};
    int focusRow_ = 0;
    InvoiceField focusField_ = InvoiceField::Sales;
};

}  // namespace kalvora::tables
