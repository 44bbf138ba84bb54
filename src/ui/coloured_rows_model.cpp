#include "ui/coloured_rows_model.h"

#include "ui/qt_text.h"

#include <QHeaderView>

namespace kalvora::ui {

QVariant ColouredRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::int32_t colour = source_.colour(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole: return toQt(source_.text(index.row(), index.column()));
        case Qt::BackgroundRole:
            if (colour < 0) return {};
            return QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
        case Qt::TextAlignmentRole:
            if (source_.firstAmountColumn < 0 || index.column() < source_.firstAmountColumn) return {};
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            // Dark text on the painted rows whatever the desktop's colours are.
            return colour < 0 ? QVariant() : QVariant(QColor(Qt::black));
        default: return {};
    }
}

QVariant ColouredRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) return source_.headers[section];
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QTableView* rowsGrid(QWidget* parent, ColouredRowsModel* model, const QString& spokenName) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("Grid1"));
    grid->setAccessibleName(spokenName);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

}  // namespace kalvora::ui
