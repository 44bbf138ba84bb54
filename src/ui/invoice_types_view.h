#pragma once
// The invoice types window zelstbil: 18 rows of text1 (sales type), Text2 (purchase type) and
// sc4 (%Detr) over table T7, the page selector selpag, the notes and the button bar.
#include "tables/invoice_types.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class InvoiceTypesView : public QDialog {
    Q_OBJECT
public:
    explicit InvoiceTypesView(tables::InvoiceTypesForm& form, QWidget* parent = nullptr);

    tables::InvoiceTypesForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Row = std::array<QLineEdit*, tables::invoiceFieldCount>;

    void buildRow(int r);
    void afterAction();
    void focusField();

    tables::InvoiceTypesForm& form_;
    TableGrid* grid_ = nullptr;
    std::array<Row, tables::InvoiceTypesForm::visibleRows> rows_{};
    QToolButton* confirm_ = nullptr;  // bottone_1
    QToolButton* exit_ = nullptr;     // bottone_0
};

}  // namespace kalvora::ui
