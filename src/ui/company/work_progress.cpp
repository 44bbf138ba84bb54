#include "ui/company/work_progress.h"

#include "ui/coloured_rows_model.h"
#include "ui/qt_text.h"

#include <QListWidget>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

WorkProgress::WorkProgress(QWidget* parent, const QString& spokenBar) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Operazioni eseguite"));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setFixedHeight(list_->fontMetrics().height() * 4 + 8);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setAccessibleName(spokenBar);
    bar_->setRange(0, 100);
    column->addWidget(list_);
    column->addWidget(bar_);
}

void WorkProgress::show(const std::vector<std::string>& steps, int percent) {
    if (static_cast<std::size_t>(list_->count()) > steps.size()) list_->clear();
    for (std::size_t i = static_cast<std::size_t>(list_->count()); i < steps.size(); ++i) list_->addItem(toQt(steps[i]));
    if (list_->count() > 0) list_->scrollToBottom();
    bar_->setValue(percent);
}

void WorkDialog::addWork(QVBoxLayout* column, QTableView* grid, ColouredRowsModel* model, const QString& spokenBar,
                         std::function<void()> confirm) {
    column->addWidget(grid, 1);
    progress_ = new WorkProgress(this, spokenBar);
    column->addWidget(progress_);
    buttons_ = addButtons(column, [model, confirm = std::move(confirm)] {
        confirm();
        model->reload();
    });
}

void WorkDialog::showWork(const std::vector<std::string>& steps, int percent, bool working) {
    progress_->show(steps, percent);
    buttons_.confirm->setEnabled(!working);
    buttons_.cancel->setEnabled(!working);
}

}  // namespace kalvora::ui
