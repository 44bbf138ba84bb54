#pragma once
// The register numbering window zelnum: the register's name (text1_0), the first and last page
// numbers (text1_1, text1_2), anno to put the year before each number, bottone_1 to print and
// bottone_0 to leave. Enter in a box moves to the next field.
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace kalvora::company {
class RegisterNumberingForm;
}

namespace kalvora::ui {

class RegisterNumberingView : public FormDialog {
    Q_OBJECT
public:
    explicit RegisterNumberingView(company::RegisterNumberingForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::RegisterNumberingForm& form_;
    std::array<QLineEdit*, 3> texts_{};
    QCheckBox* anno_ = nullptr;
};

}  // namespace kalvora::ui
