#pragma once
// The users table window zelstpwd: 18 rows of name (text1_r) and plain-text password (sc4_r),
// r = 1..18, paged by the scroll bar selpag (the number of the user in the first row), then
// Disattiva, Conferma and Annulla.
#include "launcher/users_table_form.h"
#include "ui/form_dialog.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kalvora::ui {

class UsersTableView : public FormDialog {
    Q_OBJECT
public:
    static constexpr int rows = launcher::UsersTableForm::visibleRows;

    explicit UsersTableView(launcher::UsersTableForm& form, QWidget* parent = nullptr);

    void refresh() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Annulla, Esc and the close box.
    void leaveForm() override { form_.cancel(); }
    void focusField() override;

private:
    struct Row {
        QLabel* number = nullptr;
        QLineEdit* name = nullptr;      // text1_r
        QLineEdit* password = nullptr;  // sc4_r
    };

    QLineEdit* field(int r, int column) const;

    launcher::UsersTableForm& form_;
    std::array<Row, rows + 1> rows_{};  // 1..rows
    QScrollBar* page_ = nullptr;        // selpag
    QPushButton* disable_ = nullptr;    // disattiva
};

}  // namespace kalvora::ui
