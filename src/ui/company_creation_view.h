#pragma once
// The company data window zelcrea: sixteen header fields, the year and the previous-year
// company, Conferma and Annulla. It stays open until its form has closed.
#include "company/company_creation.h"
#include "ui/form_dialog.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace kalvora::ui {

class CompanyCreationView : public FormDialog {
    Q_OBJECT
public:
    // Opens the form (fills fields and lists) and shows its state.
    explicit CompanyCreationView(company::CompanyCreationForm& form, QWidget* parent = nullptr);

    void refresh() override;

protected:
    // Annulla, Esc and the close box.
    void leaveForm() override { form_.leave(); }
    void focusField() override;

private:
    company::CompanyCreationForm& form_;
    std::array<QLineEdit*, company::CompanyCreationForm::fieldCount> fields_{};
    QComboBox* year_ = nullptr;          // anno
    QComboBox* previousYear_ = nullptr;  // azprec
};

}  // namespace kalvora::ui
