#pragma once
// The closing window kalchi (balance-sheet or profit-and-loss closing) and the opening window
// kalape: the entry's parameters (data, text1_0..2 the description, text1_3 the document
// number, text2_0..2 the counterpart account with its description Label2, Combo1 the company
// whose balances the opening carries), the preview grid Grid1, the steps List1 with the bar
// ProgressBar1, and bottone_1 "Conferma" / bottone_0 "Annulla".
#include "ui/company/work_progress.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace kalvora::company {
class AccountingClosingForm;
}

namespace kalvora::ui {

class ColouredRowsModel;
class DateField;

class AccountingClosingView : public WorkDialog {
    Q_OBJECT
public:
    explicit AccountingClosingView(company::AccountingClosingForm& form, QWidget* parent = nullptr);
    // The form outlives its window: it stops telling this one of its progress.
    ~AccountingClosingView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::AccountingClosingForm& form_;
    QGroupBox* frame_ = nullptr;
    DateField* date_ = nullptr;
    std::array<QLineEdit*, 4> texts_{};    // text1_0..3
    std::array<QLineEdit*, 3> account_{};  // text2_0..2
    QLabel* accountDescription_ = nullptr;
    QLabel* guidance_ = nullptr;
    QComboBox* companies_ = nullptr;
    ColouredRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
};

}  // namespace kalvora::ui
