#pragma once
// The company data window zelcrea. Mode 0 creates the first company of a new installation
// and cannot be left without doing so.
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::company {

enum class CreationMode { First = 0, New = 1, Edit = 2, Duplicate = 3, Delete = 4 };

class CompanyCreationForm : public core::Form {
public:
    static constexpr int fieldCount = 16;
    static constexpr int firstYear = 2000;
    static constexpr int lastYear = 2100;
    // Section label (may be empty) and field label of texts 0..15.
    static constexpr std::array<std::array<const char*, 2>, fieldCount> fieldLabels{{
        {"", "Denominazione azienda"},
        {"Sede legale", "Indirizzo"},
        {"Sede legale", "Città"},
        {"Sede amministrativa", "Indirizzo"},
        {"Sede amministrativa", "Città"},
        {"", "Telefono"},
        {"", "Fax"},
        {"", "Indirizzo e-mail"},
        {"", "Codice fiscale"},
        {"", "Partita iva"},
        {"", "CCIAA"},
        {"", "Tribunale"},
        {"Note", ""},
        {"Note", ""},
        {"Note", ""},
        {"Note", ""},
    }};
    static constexpr const char* noLinkedCompany = ">>> Nessuna azienda collegata";

    CompanyCreationForm(core::Session& session, CreationMode mode);

    std::string name() const override { return "zelcrea"; }
    std::string title() const override;
    CreationMode mode() const { return mode_; }

    // Fills the fields and lists; called when the window opens.
    void open();

    const std::string& field(int index) const { return fields_.at(index); }
    void setField(int index, std::string text);
    bool fieldsEditable() const { return mode_ != CreationMode::Delete; }
    int focusedField() const { return focus_; }
    // Enter in text i moves the focus to text i+1.
    void enterPressed(int index);

    std::vector<std::string> years() const;  // "2000" .. "2100"
    int yearIndex() const { return yearIndex_; }
    void selectYear(int index);
    const std::vector<std::string>& previousYearEntries() const { return previousEntries_; }
    int previousYearIndex() const { return previousIndex_; }
    void selectPreviousYear(int index);

    void leave();    // bottone 0 and the close box
    void confirm();  // bottone 1

private:
    void createFirstCompany();
    bool createInFreeCode();  // modes 1 and 3; false when nothing was created
    void editCurrent();
    void deleteCurrent();
    int storePreviousYearAndSettings();
    std::vector<std::string> header() const;
    void reportFailure(int error);
    std::string chosenYear() const;
    std::string chosenPreviousYear() const;

    CreationMode mode_;
    std::array<std::string, fieldCount> fields_{};
    int focus_ = 0;
    int yearIndex_ = -1;
    std::vector<std::string> previousEntries_;
    int previousIndex_ = 0;
};

}  // namespace kalvora::company
