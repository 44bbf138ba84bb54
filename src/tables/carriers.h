#pragma once
// The carriers window zelstvet: 40 carriers or kinds of transport in T9 columns 2..5, 18 at a
// time. Column 5 is a 502-character field starred at both ends whose positions 2-3, 4-19 and
// 20-35 hold the country ID, the tax identifier and the tax code used on invoices to public
// bodies; those three live apart while the window is open and are merged back at save.
#include "tables/table_editor.h"

#include <array>
#include <string>

namespace kalvora::tables {

// The controls of a row, in focus order.
enum class CarrierField {
    Name,     // text1
    Address,  // Text2
    City,     // Text3
    Country,  // text4
    TaxId,    // text5
    TaxCode,  // sc4
};
constexpr int carrierFieldCount = 6;

using CarrierRow = std::array<std::string, carrierFieldCount>;

// The width of a sub-field of the starred field, 0 for a field stored as typed.
int carrierFieldWidth(CarrierField field);
// The starred field with the three sub-fields written into their slots, each padded or cut to
// its width; a field shorter than 502 characters is first completed to the full length.
std::string mergeCarrierFields(const std::string& starred, const std::string& country, const std::string& taxId,
                               const std::string& taxCode);

class CarriersForm : public TableEditorForm {
public:
    static constexpr int entryCount = 40;
    static constexpr int visibleRows = 18;
    static constexpr int starredLength = 502;

    static constexpr const char* frameText = "Tabella vettori e tipologie trasporti";
    // Headers in focus order; the tax identifier shares the country's header.
    static constexpr std::array<const char*, carrierFieldCount> headers = {
        "Nome vettore o tipo di trasporto", "Indirizzo a 1' riga di annotazioni", "Città o 2' riga di annotazioni",
        "ID Stato/Codice (fatture PA)", "", "Codice Fiscale"};
    static constexpr const char* helpText =
        "L'ID Stato e il codice vanno indicati solo per la fatturazione alla pubblica amministrazione: l'ID "
        "dello stato (\"IT\" per l'Italia) e l'identificativo fiscale (per l'Italia la partita iva).";

    explicit CarriersForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstvet"; }
    std::string title() const override { return "Tabella vettori"; }

    // Loads the tables file, gives every carrier its starred field, takes the three sub-fields
    // out of it and shows carriers 1..18.
    void open();

    int firstEntry() const { return pages_.first(); }
    int lastFirstEntry() const { return pages_.lastFirst(); }
    void scrollTo(int firstEntry);
    int entryOf(int r) const { return pages_.entryOf(r); }
    const CarrierRow& row(int r) const { return rows_.at(r); }

    // A change of a box: stored at once, as typed, in its own field of the carrier in row r.
    void edit(int r, CarrierField field, std::string text);

    int focusedRow() const { return focusRow_; }
    CarrierField focusedField() const { return focusField_; }
    void setFocus(int r, CarrierField field);
    void enterPressed(int r, CarrierField field);

protected:
    void encodeForSave(TablesFile& tables) const override;

private:
    void showPage();
    std::string& cell(int k, CarrierField field);

    PageSelector pages_{entryCount, visibleRows};
    std::array<CarrierRow, visibleRows> rows_{};
    // Country ID, tax identifier and tax code of carriers 1..40 (index 0 unused).
    std::array<std::array<std::string, 3>, entryCount + 1> extra_{};
    int focusRow_ = 0;
    CarrierField focusField_ = CarrierField::Name;
};

}  // namespace kalvora::tables
