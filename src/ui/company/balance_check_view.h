#pragma once
// The balance check window kalchk: what the check does (Label1), the accounts with their
// rebuilt totals (Grid1), the steps List1 with the bar ProgressBar1, and bottone_1 "Conferma"
// / bottone_0 "Annulla".
#include "ui/form_dialog.h"

class QTableView;

namespace kalvora::company {
class BalanceCheckForm;
}

namespace kalvora::ui {

class ColouredRowsModel;
class WorkProgress;

class BalanceCheckView : public FormDialog {
    Q_OBJECT
public:
    explicit BalanceCheckView(company::BalanceCheckForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::BalanceCheckForm& form_;
    ColouredRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    WorkProgress* progress_ = nullptr;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
