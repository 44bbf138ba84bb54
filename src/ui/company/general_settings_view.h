#pragma once
// The general settings window zelstimp: the check boxes of the company's settings (liste,
// lettura_0, lettura_1, barre80, scorporo, cerca, peso, anno, lotti, acro), the default VAT code
// Combo1, the list colours car_0 and car_1 with their buttons command3d5_0..2, the PDF reader
// car_2 with command3d5_3, the currency code text1_0 and decimals decim_0..3 of the shared
// currency file, and bottone_1 "Conferma" / bottone_0 "Annulla".
#include "company/general_settings_form.h"
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kalvora::ui {

class GeneralSettingsView : public FormDialog {
    Q_OBJECT
public:
    explicit GeneralSettingsView(company::GeneralSettingsForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    using Form = company::GeneralSettingsForm;

    QWidget* companyFrame();
    QWidget* currencyFrame();

    Form& form_;
    std::array<QCheckBox*, Form::checkCount> checks_{};
    std::array<QRadioButton*, Form::decimalOptions> decimals_{};
    std::array<QLabel*, 2> colours_{};
    QComboBox* vatCode_ = nullptr;
    QLineEdit* currency_ = nullptr;
    QLineEdit* reader_ = nullptr;
};

}  // namespace kalvora::ui
