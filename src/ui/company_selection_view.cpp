#include "ui/company_selection_view.h"

#include "core/text.h"
#include "ui/coloured_rows_model.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace kalvora::ui {

namespace {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(CompanySelectionView::twipsPerPixel)));
}

}  // namespace

CompanySelectionView::CompanySelectionView(Form& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelselazi"), icons::application(), QMargins(10, 10, 10, 10));
    // The grid of companies takes what room the window is given.
    column->setSizeConstraint(QLayout::SetDefaultConstraint);

    QStringList headers;
    for (const char* h : Form::columnHeaders) headers << QString::fromUtf8(h);
    model_ = new ColouredRowsModel(
        {headers, [this] { return static_cast<int>(form_.rows().size()); },
         [this](int r, int c) {
             const company::CompanyRow& row = form_.rows()[static_cast<std::size_t>(r)];
             return c == 0 ? row.code : c == 1 ? row.name : row.year;
         },
         [this](int r) { return form_.rows()[static_cast<std::size_t>(r)].colour; }},
        this);
    grid_ = rowsGrid(this, model_, QStringLiteral("Elenco aziende"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    grid_->setCornerButtonEnabled(false);

    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < Form::columnCount; ++c)
        if (Form::columnWidthsTwips[c] > 0) header->resizeSection(c, twipsToPixels(Form::columnWidthsTwips[c]));
    connect(header, &QHeaderView::sectionClicked, this, [this](int c) {
        form_.sortBy(c);
        model_->reload();
        grid_->horizontalHeader()->setSortIndicatorShown(true);
        grid_->horizontalHeader()->setSortIndicator(c, Qt::AscendingOrder);
        afterAction();
    });
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) { choose(index.row()); });
    grid_->installEventFilter(this);
    column->addWidget(grid_);

    // Room for the two fixed columns, the year, the scroll bar and about twenty rows.
    QSize size(twipsToPixels(Form::columnWidthsTwips[0]) + twipsToPixels(Form::columnWidthsTwips[1]) + 200,
               header->sizeHint().height() + 20 * grid_->verticalHeader()->defaultSectionSize() + 24);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 80));
    resize(size);

    refresh();
    // The current company's row has the keyboard cursor, without hiding its colour under a
    // selection.
    const std::string current = core::threeDigits(form_.currentCode());
    for (int r = 0; r < form_.filledRows(); ++r) {
        if (form_.rows()[static_cast<std::size_t>(r)].code != current) continue;
        const QModelIndex index = model_->index(r, 0);
        grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        grid_->scrollTo(index, QAbstractItemView::PositionAtCenter);
        break;
    }
    grid_->setFocus();
}

void CompanySelectionView::refresh() {
    setWindowTitle(toQt(form_.title()));
    grid_->viewport()->update();
}

void CompanySelectionView::choose(int gridRow) {
    // The header is the grid's own, not a row: grid row r is the form's data row r.
    if (gridRow < 0 || form_.closed()) return;
    form_.choose(gridRow);
    afterAction();
}

bool CompanySelectionView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex current = grid_->currentIndex();
            if (current.isValid()) choose(current.row());
            return true;
        }
    }
    return FormDialog::eventFilter(watched, event);
}

}  // namespace kalvora::ui
