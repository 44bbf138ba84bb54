#pragma once
// The field placement window zellay: the grid of fields (elenco) with the entry box laid over a
// clicked coordinate (dato), the plain-paper choice (bianca), the e-mail subject and text
// (Text2_0, Text2_1), the grid designer (command3d5_2) and the six buttons bottone_0..5.
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace kalvora::printing {
class FieldPlacementForm;
}

namespace kalvora::ui {

class FieldPlacementView : public FormDialog {
    Q_OBJECT
public:
    explicit FieldPlacementView(printing::FieldPlacementForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;
    void focusField() override;
    // Enter, Esc and leaving close dato; Enter or Space on a cell clicks it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clickCell(int row, int column);
    void placeEntry();
    void closeEntry();

    printing::FieldPlacementForm& form_;
    QTableWidget* elenco_ = nullptr;
    QLineEdit* dato_ = nullptr;
    QCheckBox* bianca_ = nullptr;
    QLineEdit* subject_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace kalvora::ui
