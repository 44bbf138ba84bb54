#pragma once
// What the accounting windows show while they work: the list of the steps taken so far (List1)
// and a bar of the step in progress (ProgressBar1).
#include "ui/form_dialog.h"

#include <QWidget>

#include <functional>

#include <string>
#include <vector>

class QListWidget;
class QProgressBar;
class QTableView;
class QVBoxLayout;

namespace kalvora::ui {

class WorkProgress : public QWidget {
    Q_OBJECT
public:
    explicit WorkProgress(QWidget* parent, const QString& spokenBar);
    // Shows the steps and the bar; the list adds only the steps it does not show yet.
    void show(const std::vector<std::string>& steps, int percent);

    QListWidget* list() const { return list_; }
    QProgressBar* bar() const { return bar_; }

private:
    QListWidget* list_;
    QProgressBar* bar_;
};

class ColouredRowsModel;

// The accounting windows: a grid the work fills, its steps and bar, and Conferma / Annulla.
class WorkDialog : public FormDialog {
    Q_OBJECT
public:
    using FormDialog::FormDialog;

protected:
    // Puts the grid, the steps with the bar spoken as `spokenBar` and the buttons in `column`;
    // Conferma runs `confirm`, then the grid shows its rows again.
    void addWork(QVBoxLayout* column, QTableView* grid, ColouredRowsModel* model, const QString& spokenBar,
                 std::function<void()> confirm);
    // Shows the steps and the bar; while `working`, only they move.
    void showWork(const std::vector<std::string>& steps, int percent, bool working);

    WorkProgress* progress_ = nullptr;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
