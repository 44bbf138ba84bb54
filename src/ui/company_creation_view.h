#pragma once
// The company data window zelcrea: sixteen header fields, the year and the previous-year
// company, Conferma and Annulla. It stays open until its form has closed.
#include "company/company_creation.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class CompanyCreationView : public QDialog {
    Q_OBJECT
public:
    // Opens the form (fills fields and lists) and shows its state.
    explicit CompanyCreationView(company::CompanyCreationForm& form, QWidget* parent = nullptr);

    company::CompanyCreationForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void leave();
    void confirm();
    void afterAction();
    void focusField();

    company::CompanyCreationForm& form_;
    std::array<QLineEdit*, company::CompanyCreationForm::fieldCount> fields_{};
    QComboBox* year_ = nullptr;          // anno
    QComboBox* previousYear_ = nullptr;  // azprec
    QToolButton* cancel_ = nullptr;      // bottone_0
    QToolButton* confirm_ = nullptr;     // bottone_1
};

}  // namespace kalvora::ui
