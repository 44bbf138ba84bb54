#include "ui/causals_view.h"

#include "ui/icons.h"
#include "ui/table_boxes.h"
#include "ui/table_grid.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
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
    setObjectName(QStringLiteral("zelstcau"));
    setWindowIcon(icons::application());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(14, 14, 14, 12);
    column->setSpacing(10);

    auto* frames = new QHBoxLayout;
    for (List list : lists) frames->addWidget(buildList(list));
    column->addLayout(frames);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);

    const TableButtons buttons = tableButtons(this);
    confirm_ = buttons.confirm;
    exit_ = buttons.exit;
    column->addLayout(buttons.layout);
    connect(confirm_, &QToolButton::clicked, this, [this] {
        form_.confirm();
        afterAction();
    });
    connect(exit_, &QToolButton::clicked, this, [this] {
        form_.exitWindow();
        afterAction();
    });

    // Tab goes down each list in turn.
    QWidget* previous = nullptr;
    for (const Column& boxes : boxes_) {
        for (QLineEdit* box : boxes) {
            if (previous) setTabOrder(previous, box);
            previous = box;
        }
    }
    setTabOrder(previous, confirm_);
    setTabOrder(confirm_, exit_);

    refresh();
    focusField();
}

QWidget* CausalsView::buildList(List list) {
    const int i = index(list);
    auto* frame = new QGroupBox(QString::fromUtf8(Form::frameTexts[i]), this);
    auto* layout = new QVBoxLayout(frame);
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
    layout->addWidget(grid);
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
    if (!form_.closed()) form_.exitWindow();
    afterAction();
}

void CausalsView::closeEvent(QCloseEvent* event) {
    if (!form_.closed()) form_.exitWindow();
    event->accept();
}

}  // namespace kalvora::ui
