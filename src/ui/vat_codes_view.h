#pragma once
// The VAT codes window zelstiva: the sales set (VScroll1) and the purchase set (VScroll2) of
// eight rows each, the company-wide values below them and the button bar. Every change goes to
// the form at once.
#include "tables/vat_codes.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class VatCodesView : public QDialog {
    Q_OBJECT
public:
    using Form = tables::VatCodesForm;

    // Shows the state of an opened form.
    explicit VatCodesView(Form& form, QWidget* parent = nullptr);

    Form& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct RowLabels {
        QLabel* rate = nullptr;       // "Codice iva k"
        QLabel* exemption = nullptr;  // "Codice esente k"
    };

    QGroupBox* buildSales();
    QGroupBox* buildPurchases();
    QLineEdit* textBox(QWidget* parent, int index);
    void afterAction();
    void focusBox();

    Form& form_;
    std::array<QLineEdit*, Form::boxCount> boxes_{};  // text1_0 .. text1_89
    TableGrid* sales_ = nullptr;                      // VScroll1
    TableGrid* purchases_ = nullptr;                  // VScroll2
    std::array<RowLabels, Form::visibleRows> salesLabels_{};
    std::array<RowLabels, Form::visibleRows> purchaseLabels_{};
    std::array<QComboBox*, Form::visibleRows> salesNature_{};     // Combo2_r
    std::array<QComboBox*, Form::visibleRows> purchaseNature_{};  // Combo3_r
    std::array<QComboBox*, Form::visibleRows> purchaseType_{};    // Combo1_r
    QCheckBox* tassa_ = nullptr;
    QCheckBox* esig_ = nullptr;
    QToolButton* confirm_ = nullptr;  // bottone_1
    QToolButton* exit_ = nullptr;     // bottone_0
};

}  // namespace kalvora::ui
