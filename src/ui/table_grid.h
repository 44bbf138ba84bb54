#pragma once
// Pieces every table window is built from: the grid of per-row controls under a line of column
// headers with its page selector (a vertical scroll bar) beside the rows, and the button bar
// bottone (1 confirms, 0 leaves without saving).
#include "ui/dialog_button.h"

#include <QIcon>
#include <QWidget>

class QGridLayout;
class QLabel;
class QScrollBar;
class QToolButton;

namespace kalvora::ui {

class TableGrid : public QWidget {
    Q_OBJECT
public:
    // `rows` visible rows of `columns` grid columns; the scroll bar is named `selectorName`.
    TableGrid(int rows, int columns, const QString& selectorName, QWidget* parent = nullptr);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    QLabel* addHeader(int column, const QString& text, int span = 1);
    // Row r counts from 0; the header line sits above it.
    void addCell(int row, int column, QWidget* widget, int span = 1, Qt::Alignment alignment = {});
    QScrollBar* selector() const { return selector_; }
    // Shows the page selector at `first` within 1..lastFirst without raising firstChanged.
    void showPage(int first, int lastFirst);

signals:
    // The user moved the page selector (or rolled the wheel over the rows).
    void firstChanged(int first);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QGridLayout* grid_ = nullptr;
    QScrollBar* selector_ = nullptr;
    int rows_;
    int columns_;
};

// An image button of the bar: Italian name as tooltip and for screen readers, reachable with
// Tab; its picture looks pressed between mouse-down and mouse-up.
QToolButton* tableButton(QWidget* parent, int index, const QIcon& icon, const QString& name);

// The button's picture looks pressed between mouse-down and mouse-up.
void addPressedLook(QToolButton* button);

using TableButtons = DialogButtons;

}  // namespace kalvora::ui
