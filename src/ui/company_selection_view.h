#pragma once
// The company selection window zelselazi: the grid Grid1 of every company of the registry
// (code, name, accounting year) with the current company's row light orange. A click on a column
// header sorts by that column; a click or Enter on a company row makes it current.
#include "company/company_selection.h"

#include <QDialog>

class QTableView;

namespace kalvora::ui {

class CompanyRowsModel;

class CompanySelectionView : public QDialog {
    Q_OBJECT
public:
    using Form = company::CompanySelectionForm;
    static constexpr int twipsPerPixel = 15;

    // Shows the rows of an opened form.
    explicit CompanySelectionView(Form& form, QWidget* parent = nullptr);

    Form& form() { return form_; }
    QTableView* grid() const { return grid_; }
    // Reads the rows back from the form.
    void refresh();

public slots:
    void reject() override;  // Esc: the same as the close box

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int gridRow);
    void afterAction();

    Form& form_;
    CompanyRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;  // Grid1
};

}  // namespace kalvora::ui
