#pragma once
// The label layout window zelteti: the sheet's size (Text_0, Text_1), its borders (Text_2..5),
// columns and labels per column (Text_6, Text_7) and the fixed texts (Text_8..12) beside a
// preview of the sheet; below them the field rows campo_r, text1_r, Text2_r, carattere_r and
// colore_r moved through the catalogue by VScroll1; bottone_2 prints a test sheet, bottone_1
// saves, bottone_0 leaves without saving.
#include "printing/label_layout_form.h"
#include "ui/form_dialog.h"

#include <array>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace kalvora::ui {

class LabelSheetPreview;

class LabelLayoutView : public FormDialog {
    Q_OBJECT
public:
    explicit LabelLayoutView(printing::LabelLayoutForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;

private:
    using Form = printing::LabelLayoutForm;
    static constexpr std::size_t rows = Form::visibleRows;

    // A box whose typing goes to `edit`; a refused keystroke puts the form's value back.
    QLineEdit* entry(QWidget* parent, const QString& name, const QString& spoken,
                     std::function<bool(const std::string&)> edit);
    QWidget* sheetFrames();
    QWidget* fieldRows();

    Form& form_;
    LabelSheetPreview* preview_ = nullptr;
    std::array<QLineEdit*, Form::textCount> texts_{};
    std::array<QLabel*, rows> campo_{};
    std::array<QLineEdit*, rows> text1_{};
    std::array<QLineEdit*, rows> text2_{};
    std::array<QPushButton*, rows> carattere_{};
    std::array<QToolButton*, rows> colore_{};
    QScrollBar* scroll_ = nullptr;
};

}  // namespace kalvora::ui
