#pragma once
// The carriers window zelstvet: 18 rows of six boxes over T9 columns 2..5, the page selector
// selpag, the help text and the button bar.
#include "tables/carriers.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class CarriersView : public QDialog {
    Q_OBJECT
public:
    explicit CarriersView(tables::CarriersForm& form, QWidget* parent = nullptr);

    tables::CarriersForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Row = std::array<QLineEdit*, tables::carrierFieldCount>;

    void buildRow(int r);
    void afterAction();
    void focusField();

    tables::CarriersForm& form_;
    TableGrid* grid_ = nullptr;
    std::array<Row, tables::CarriersForm::visibleRows> rows_{};
    QToolButton* confirm_ = nullptr;  // bottone_1
    QToolButton* exit_ = nullptr;     // bottone_0
};

}  // namespace kalvora::ui
