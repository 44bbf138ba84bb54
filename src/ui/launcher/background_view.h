#pragma once
// The window zelbgr ("Selezione sfondo"): the options imm_0 ... imm_17, the path of the user's
// own picture text1 with Command1 to browse for it, selcar to choose the colour shown in the
// sample carattere, bottone_1 to confirm and bottone_0 to leave.
#include "ui/form_dialog.h"

#include <QList>

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace kalvora::launcher {
class BackgroundForm;
}

namespace kalvora::ui {

class BackgroundView : public FormDialog {
    Q_OBJECT
public:
    explicit BackgroundView(launcher::BackgroundForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    launcher::BackgroundForm& form_;
    QButtonGroup* options_ = nullptr;
    QLineEdit* path_ = nullptr;
    QLabel* sample_ = nullptr;
};

}  // namespace kalvora::ui
