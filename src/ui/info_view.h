#pragma once
// The information window zelabout: the product picture, the version line and a button that
// closes it.
#include "launcher/info_form.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kalvora::ui {

class InfoView : public QDialog {
    Q_OBJECT
public:
    explicit InfoView(launcher::InfoForm& form, QWidget* parent = nullptr);

    launcher::InfoForm& form() { return form_; }

public slots:
    void reject() override;  // Esc closes it as the button does

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void closeWindow();

    launcher::InfoForm& form_;
    QLabel* version_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace kalvora::ui
