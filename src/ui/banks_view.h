#pragma once
// The banks window zelstban: 18 rows of ten boxes over table T8, the page selector selpag, the
// help text and the button bar. Every change goes to the form at once; the account boxes are
// padded by the form when they lose the focus.
#include "tables/banks.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class BanksView : public QDialog {
    Q_OBJECT
public:
    explicit BanksView(tables::BanksForm& form, QWidget* parent = nullptr);

    tables::BanksForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Row = std::array<QLineEdit*, tables::bankFieldCount>;

    void buildRow(int r);
    void afterAction();
    void focusField();

    tables::BanksForm& form_;
    TableGrid* grid_ = nullptr;
    std::array<Row, tables::BanksForm::visibleRows> rows_{};
    QToolButton* confirm_ = nullptr;  // bottone_1
    QToolButton* exit_ = nullptr;     // bottone_0
};

}  // namespace kalvora::ui
