#pragma once
// The information window zelabout: the product picture, the version line and a button that
// closes it.
#include "launcher/info_form.h"
#include "ui/form_dialog.h"

class QLabel;
class QPushButton;

namespace kalvora::ui {

class InfoView : public FormDialog {
    Q_OBJECT
public:
    explicit InfoView(launcher::InfoForm& form, QWidget* parent = nullptr);

protected:
    // Chiudi, Esc and the close box.
    void leaveForm() override { form_.closeWindow(); }

private:
    launcher::InfoForm& form_;
    QLabel* version_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace kalvora::ui
