#pragma once
// The year-end reset window zelaazz: under "Selezione archivi da azzerare" a check box Check1_i
// for each option with its date box data_i or year box anno_i, the step in progress (Label1)
// with its bar (ProgressBar1), and bottone_1 "Conferma" / bottone_0 "Annulla".
#include "ui/form_dialog.h"

#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace kalvora::company {
class YearEndResetForm;
}

namespace kalvora::ui {

class DateField;

class YearEndResetView : public FormDialog {
    Q_OBJECT
public:
    explicit YearEndResetView(company::YearEndResetForm& form, QWidget* parent = nullptr);
    // The form outlives its window: it stops telling this one of its progress.
    ~YearEndResetView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    struct OptionControls {
        QCheckBox* check = nullptr;
        DateField* date = nullptr;
        QLineEdit* year = nullptr;
    };

    company::YearEndResetForm& form_;
    QGroupBox* frame_ = nullptr;
    std::vector<OptionControls> options_;
    QLabel* step_ = nullptr;
    QProgressBar* bar_ = nullptr;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
