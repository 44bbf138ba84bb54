#pragma once
// A read-only grid model over a form's rows: the text of each cell and the colour the form
// painted a row with (red + 256 * green + 65536 * blue; negative: the grid's own). The grid
// asks only for the cells it paints, so a long list costs nothing up front.
#include <QAbstractTableModel>
#include <QTableView>
#include <QColor>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>

namespace kalvora::ui {

class ColouredRowsModel : public QAbstractTableModel {
public:
    struct Source {
        QStringList headers;
        std::function<int()> rows;
        std::function<std::string(int row, int column)> text;
        std::function<std::int32_t(int row)> colour;
        int firstAmountColumn = -1;  // this column and those after it hold amounts, shown on the right
    };
    ColouredRowsModel(Source source, QObject* parent) : QAbstractTableModel(parent), source_(std::move(source)) {}

    void reload() {
        beginResetModel();
        endResetModel();
    }
    // The rows changed their text or colour, not their number.
    void repaint() {
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : source_.rows(); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(source_.headers.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    Source source_;
};

// The read-only grid Grid1 over such a model: no editing, one line a row, every row as high as
// the first (nothing is measured row by row), no row numbers, the last column taking the rest.
QTableView* rowsGrid(QWidget* parent, ColouredRowsModel* model, const QString& spokenName);

}  // namespace kalvora::ui
