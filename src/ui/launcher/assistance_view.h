#pragma once
// The assistance window zelstass: three pages (Frame1..Frame3) in one place, each with its
// explanation and its buttons bottoni1_N; below them "Indietro" and "Chiudi".
#include "ui/form_dialog.h"

class QPushButton;
class QStackedWidget;

namespace kalvora::launcher {
class AssistanceForm;
}

namespace kalvora::ui {

class AssistanceView : public FormDialog {
    Q_OBJECT
public:
    explicit AssistanceView(launcher::AssistanceForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    QWidget* page(int number, const QString& heading, const QString& text, std::initializer_list<int> buttons);
    QPushButton* button(QWidget* parent, int index);

    launcher::AssistanceForm& form_;
    QStackedWidget* pages_ = nullptr;
    QPushButton* back_ = nullptr;  // bottoni1_6
};

}  // namespace kalvora::ui
