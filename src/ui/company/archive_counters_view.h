#pragma once
// The counters window zelaind: one box per archive count (text1 0..18), the frame of the
// counters of the documents issued (Text2 0..12) with the VAT register of the fatturePA
// (Combo1) and the separate numbering boxes (nume 0, 1), bottone_1 to confirm, bottone_0 to leave.
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kalvora::company {
class ArchiveCountersForm;
}

namespace kalvora::ui {

class ArchiveCountersView : public FormDialog {
    Q_OBJECT
public:
    explicit ArchiveCountersView(company::ArchiveCountersForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;
    void focusField() override;

private:
    company::ArchiveCountersForm& form_;
    std::array<QLineEdit*, 19> text1_{};
    std::array<QLineEdit*, 13> text2_{};
    QComboBox* register_ = nullptr;
    std::array<QCheckBox*, 2> nume_{};
};

}  // namespace kalvora::ui
