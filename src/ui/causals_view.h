#pragma once
// The causals window zelstcau: three framed lists of 18 boxes side by side, causals (sc4,
// VScroll1), goods appearance (text, VScroll2) and product categories (text1, VScroll3), and the
// button bar.
#include "tables/causals.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QToolButton;

namespace kalvora::ui {

class TableGrid;

class CausalsView : public QDialog {
    Q_OBJECT
public:
    explicit CausalsView(tables::CausalsForm& form, QWidget* parent = nullptr);

    tables::CausalsForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Column = std::array<QLineEdit*, tables::CausalsForm::visibleRows>;

    QWidget* buildList(tables::CausalList list);
    void afterAction();
    void focusField();

    tables::CausalsForm& form_;
    std::array<TableGrid*, tables::causalListCount> grids_{};
    std::array<Column, tables::causalListCount> boxes_{};
    QToolButton* confirm_ = nullptr;  // bottone_1
    QToolButton* exit_ = nullptr;     // bottone_0
};

}  // namespace kalvora::ui
