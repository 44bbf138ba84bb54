#include "ui/company/balance_check_view.h"

#include "company/balance_check.h"
#include "ui/coloured_rows_model.h"
#include "ui/company/work_progress.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

BalanceCheckView::BalanceCheckView(company::BalanceCheckForm& form, QWidget* parent)
    : WorkDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    column->setSizeConstraint(QLayout::SetDefaultConstraint);
    auto* explanation = new QLabel(toQt(form_.explanation()), this);
    explanation->setObjectName(QStringLiteral("Label1"));
    explanation->setWordWrap(true);
    column->addWidget(explanation);

    QStringList headers;
    for (const std::string& h : company::BalanceCheckForm::columnHeaders()) headers << toQt(h);
    model_ = new ColouredRowsModel(
        // The rows come from the form, which outlives the view: the grid may still ask for
        // them while the window is being taken apart.
        {headers, [&form] { return form.rowCount(); },
         [&form](int r, int c) -> std::string {
             const company::BalanceCheckForm::Row row = form.row(r);
             const std::array<const std::string*, 4> cells{&row.account, &row.description, &row.debit, &row.credit};
             return *cells[static_cast<std::size_t>(c)];
         },
         [](int) { return -1; }, 2},
        this);
    grid_ = rowsGrid(this, model_, QStringLiteral("Piano dei conti"));
    grid_->horizontalHeader()->resizeSection(0, 100);
    grid_->horizontalHeader()->resizeSection(1, 320);
    grid_->horizontalHeader()->resizeSection(2, 130);
    grid_->setMinimumSize(700, 320);
    addWork(column, grid_, model_, QStringLiteral("Avanzamento della verifica"), [this] { form_.confirm(); });
    form_.onProgress([this] { refresh(); });
    refresh();
    // The window has one thing to do: Conferma is where Enter or space starts it.
    buttons_.confirm->setFocus();
}

BalanceCheckView::~BalanceCheckView() { form_.onProgress({}); }

void BalanceCheckView::leaveForm() { form_.cancel(); }

void BalanceCheckView::refresh() {
    setWindowTitle(toQt(form_.title()));
    if (model_->rowCount() != form_.rowCount()) model_->reload();
    showWork(form_.progressLines(), form_.progressPercent(), form_.working());
}

}  // namespace kalvora::ui
