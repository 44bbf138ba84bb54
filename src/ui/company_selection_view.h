#pragma once
// The company selection window zelselazi: the grid Grid1 of every company of the registry
// (code, name, accounting year) with the current company's row light orange. A click on a column
// header sorts by that column; a click or Enter on a company row makes it current.
#include "company/company_selection.h"
#include "ui/form_dialog.h"

class QTableView;

namespace kalvora::ui {

class ColouredRowsModel;

class CompanySelectionView : public FormDialog {
    Q_OBJECT
public:
    using Form = company::CompanySelectionForm;
    static constexpr int twipsPerPixel = 15;

    // Shows the rows of an opened form.
    explicit CompanySelectionView(Form& form, QWidget* parent = nullptr);

    Form& form() { return form_; }
    QTableView* grid() const { return grid_; }
    // Reads the rows back from the form.
    void refresh() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box and Esc.
    void leaveForm() override { form_.closeBox(); }

private:
    void choose(int gridRow);

    Form& form_;
    ColouredRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;  // Grid1
};

}  // namespace kalvora::ui
