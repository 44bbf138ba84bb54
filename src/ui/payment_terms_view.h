#pragma once
// The payment-terms window zelstpag: 15 rows of description, payment type, six instalment
// month boxes, "Fine mese +" and days, the page selector selpag, the August and December
// settings and the button bar. Every change goes to the form at once.
#include "tables/payment_terms.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class PaymentTermsView : public QDialog {
    Q_OBJECT
public:
    // Shows the state of an opened form.
    explicit PaymentTermsView(tables::PaymentTermsForm& form, QWidget* parent = nullptr);

    tables::PaymentTermsForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QLineEdit* description = nullptr;  // text1
        QComboBox* type = nullptr;         // Combo1
        std::array<QLineEdit*, tables::PaymentTermsForm::instalments> months{};  // sc1..sc4, sc6, sc7
        QCheckBox* endOfMonth = nullptr;   // fine
        QLineEdit* days = nullptr;         // sc5
    };

    void buildRow(int r);
    void afterAction();
    void focusField();
    QWidget* widgetFor(int r, tables::PaymentField field) const;

    tables::PaymentTermsForm& form_;
    TableGrid* grid_ = nullptr;
    std::array<Row, tables::PaymentTermsForm::visibleRows> rows_{};
    std::array<QCheckBox*, 2> move_{};   // fine_15, fine_16
    std::array<QLineEdit*, 2> moveDay_{};  // Text2_0, Text2_1
    QToolButton* confirm_ = nullptr;     // bottone_1
    QToolButton* exit_ = nullptr;        // bottone_0
};

}  // namespace kalvora::ui
