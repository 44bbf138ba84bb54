#pragma once
// The read-only check window zelalet: the explanation, the choice Option1 0/1 of the folders to
// check, the result list List1 and the button "esegui verifica" with its hint.
#include "ui/form_dialog.h"

#include <array>

class QListWidget;
class QPushButton;
class QRadioButton;

namespace kalvora::company {
class ReadOnlyCheckForm;
}

namespace kalvora::ui {

class ReadOnlyCheckView : public FormDialog {
    Q_OBJECT
public:
    explicit ReadOnlyCheckView(company::ReadOnlyCheckForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::ReadOnlyCheckForm& form_;
    std::array<QRadioButton*, 2> options_{};
    QListWidget* list_ = nullptr;
    QPushButton* run_ = nullptr;
};

}  // namespace kalvora::ui
