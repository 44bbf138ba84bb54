#pragma once
// The window zelstcas in five pages: the port (porta_0..4), the driver's flag (flag_0..4), the
// options and the file names; the record codes (text1_36..44); the departments (text1_2..17);
// the item-record slots (Combo1_r with text1 before, after and length); the function bar codes
// (Text2_0..13). Under the pages the model list and bottone_2 fill in a preset, bottone_1 saves, bottone_0 leaves.
#include "tables/cash_register_form.h"
#include "ui/form_dialog.h"

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace kalvora::ui {

class CashRegisterView : public FormDialog {
    Q_OBJECT
public:
    explicit CashRegisterView(tables::CashRegisterForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;
    void focusField() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Form = tables::CashRegisterForm;

    QWidget* generalPage();
    QWidget* codesPage();
    QWidget* departmentsPage();
    QWidget* recordPage();
    QWidget* barCodesPage();
    QWidget* presetRow();
    // A box text1_k at `row` of `grid`, after its caption unless a column heading names it.
    QLineEdit* text1Box(QGridLayout* grid, int row, int column, int k, const QString& caption,
                        bool labelled = true);
    QButtonGroup* options(QWidget* parent, const QString& control, const QStringList& captions,
                          std::array<QRadioButton*, 5>& buttons, std::function<void(Form&, int)> choose);

    Form& form_;
    QTabWidget* pages_ = nullptr;
    std::array<QRadioButton*, 5> porta_{};
    std::array<QRadioButton*, 5> flag_{};
    QButtonGroup* portGroup_ = nullptr;
    QButtonGroup* flagGroup_ = nullptr;
    std::array<QLineEdit*, tables::cashTextBoxes> text1_{};
    std::array<QComboBox*, tables::cashSlots> combo1_{};
    std::array<QCheckBox*, tables::cashChecks> checks_{};
    std::array<QLineEdit*, tables::cashBarCodes> text2_{};
    QComboBox* model_ = nullptr;
};

}  // namespace kalvora::ui
