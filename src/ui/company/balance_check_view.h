#pragma once
// The balance check window kalchk: what the check does (Label1), the accounts with their
// rebuilt totals (Grid1), the steps List1 with the bar ProgressBar1, and bottone_1 "Conferma"
// / bottone_0 "Annulla".
#include "ui/company/work_progress.h"

class QTableView;

namespace kalvora::company {
class BalanceCheckForm;
}

namespace kalvora::ui {

class ColouredRowsModel;

class BalanceCheckView : public WorkDialog {
    Q_OBJECT
public:
    explicit BalanceCheckView(company::BalanceCheckForm& form, QWidget* parent = nullptr);
    // The form outlives its window: it stops telling this one of its progress.
    ~BalanceCheckView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::BalanceCheckForm& form_;
    ColouredRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
};

}  // namespace kalvora::ui
