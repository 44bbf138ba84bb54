#pragma once
// The form grid designer zellyy: the list of elements (List1), a preview of the page, the frame
// of the element being edited (nulla, linea, rettangolo, testo, logo), the shift arrows
// (Command1_4..7) and the five buttons bottone_0..4.
#include "ui/form_dialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace kalvora::printing {
class LayoutDesignerForm;
}

namespace kalvora::ui {

class GridPreview;

class LayoutDesignerView : public FormDialog {
    Q_OBJECT
public:
    explicit LayoutDesignerView(printing::LayoutDesignerForm& form, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void leaveForm() override;
    void focusField() override;
    // Enter in a coordinate field moves on; leaving one corrects its value.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeNulla();
    QWidget* makeFrame(int kind);
    QLineEdit* coordinateBox(QWidget* parent, int kind, int index, const QString& spoken);
    QLabel* swatch(QWidget* parent, int k, const QString& spoken);
    QPushButton* action(QWidget* parent, const QString& name, const QString& caption, std::function<void()> run);
    void showPicture();

    printing::LayoutDesignerForm& form_;
    QListWidget* list_ = nullptr;
    GridPreview* preview_ = nullptr;
    QStackedWidget* frames_ = nullptr;
    std::array<std::array<QLineEdit*, 4>, 4> coords_{};
    std::array<std::array<QLabel*, 4>, 4> kindNames_{};
    std::array<QLabel*, 3> swatches_{};
    std::array<QPushButton*, 4> delete_{};
    std::array<QPushButton*, 5> buttons_{};
    QCheckBox* pieno_ = nullptr;
    QLabel* carattere_ = nullptr;
    QLabel* nomefile_ = nullptr;
    QLabel* picture_ = nullptr;
    QString pictureShown_;
    bool refreshing_ = false;
};

}  // namespace kalvora::ui
