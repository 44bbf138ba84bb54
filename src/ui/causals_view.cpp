#include "ui/causals_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::CausalsForm;
using List = tables::CausalList;

constexpr std::array<List, tables::causalListCount> lists = {List::Causals, List::Appearance, List::Categories};
constexpr std::array<const char*, tables::causalListCount> controls = {"sc4", "text", "text1"};
constexpr std::array<const char*, tables::causalListCount> selectors = {"VScroll1", "VScroll2", "VScroll3"};

int index(List list) { return static_cast<int>(list); }

}  // namespace

CausalsView::CausalsView(tables::CausalsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstcau"));

    auto* frames = new QHBoxLayout;
    for (List list : lists) frames->addWidget(buildList(list));
    column->addLayout(frames);

    const TableButtons buttons = addTableFoot(this, column, form_, [this] { afterAction(); });
    confirm_ = buttons.confirm;
    exit_ = buttons.exit;

    // Tab goes down each list in turn.
    TabChain chain;
    for (const Column& boxes : boxes_) chain.all(boxes);
    chain(confirm_);
    chain(exit_);

    refresh();
    focusField();
}

QWidget* CausalsView::buildList(List list) {
    const int i = index(list);
    QGroupBox* frame = tableFrame(QString::fromUtf8(Form::frameTexts[i]), this);
    auto* grid = new TableGrid(Form::visibleRows, 1, QLatin1String(selectors[i]), frame);
    grids_[i] = grid;
    for (int r = 0; r < Form::visibleRows; ++r) {
        QLineEdit* box = tableBox(grid, QStringLiteral("%1_%2").arg(QLatin1String(controls[i])).arg(r), 0, 230);
        boxes_[i][r] = box;
        grid->addCell(r, 0, box);
        connect(box, &QLineEdit::textEdited, this, [this, list, r, box](const QString& text) {
            form_.edit(list, r, fromQt(cleanedBoxText(box, text)));
            afterAction();
        });
        connect(box, &QLineEdit::returnPressed, this, [this, list, r] {
            form_.enterPressed(list, r);
            afterAction();
            focusField();
        });
    }
    frame->layout()->addWidget(grid);
    connect(grid, &TableGrid::firstChanged, this, [this, list](int first) {
        form_.scrollTo(list, first);
        afterAction();
    });
    return frame;
}

void CausalsView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (List list : lists) {
        const int i = index(list);
        grids_[i]->showPage(form_.firstEntry(list), form_.lastFirstEntry(list));
        for (int r = 0; r < Form::visibleRows; ++r) {
            showBoxText(boxes_[i][r], form_.text(list, r));
            boxes_[i][r]->setAccessibleName(QString::fromUtf8(Form::frameTexts[i]) + QLatin1Char(' ') +
                                            QString::number(form_.entryOf(list, r)));
        }
    }
}

void CausalsView::focusField() {
    const int r = form_.focusedRow();
    if (r >= 0 && r < Form::visibleRows) boxes_[index(form_.focusedList())][r]->setFocus(Qt::OtherFocusReason);
}

void CausalsView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void CausalsView::reject() {
    leaveTable(form_);
    afterAction();
}

void CausalsView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
