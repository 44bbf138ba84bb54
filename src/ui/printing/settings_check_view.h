#pragma once
// The settings check window zelaver: the findings in List1, the button "esegui verifica"
// (objectName esegui) that runs the check, and bottone_0 "Esci".
#include "ui/form_dialog.h"

class QListWidget;
class QPushButton;

namespace kalvora::printing {
class SettingsCheckForm;
}

namespace kalvora::ui {

class SettingsCheckView : public FormDialog {
    Q_OBJECT
public:
    explicit SettingsCheckView(printing::SettingsCheckForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    printing::SettingsCheckForm& form_;
    QListWidget* list_ = nullptr;
    QPushButton* run_ = nullptr;
};

}  // namespace kalvora::ui
