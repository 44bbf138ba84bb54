#pragma once
// The view of the table windows made of grids of controls. A window describes each grid column
// by column: control name, spoken name, width, maximum length, and which form calls show a
// control, take its changes and move on from it with Enter. The view builds the rows, reads the
// form back after every action, puts the focus where the form says, and hands each grid's page
// selector to the form. Controls outside the grids are described the same way.
#include "ui/table_window.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QGroupBox;

namespace kalvora::tables {
class BanksForm;
class CarriersForm;
class CausalsForm;
class InvoiceTypesForm;
class PaymentTermsForm;
class VatCodesForm;
}  // namespace kalvora::tables

namespace kalvora::ui {

// One column of a grid: a control per visible row r, named control_r (or control_number(r)).
// Outside a grid the control is named control, or control_number(0).
struct GridColumn {
    enum class Kind {
        Box,    // a one-line box: text shows it, edit takes a change, enter takes Enter
        List,   // a drop-down list of `items`: value shows the index, choose takes the user's
        Check,  // a check box captioned items[0]: value shows 0 or 1, choose takes a click
        Label,  // text shows it; a fixed caption items[0] names the control before it
    };
    Kind kind = Kind::Box;
    QString control{};
    QString header{};  // above the column; empty: none
    int headerSpan = 1;
    QString spoken{};  // the accessible name, followed by the row's name in a grid
    int width = 0;  // a fixed width in pixels
    int minimumWidth = 0;
    int maxLength = 0;
    bool digitsOnly = false;
    Qt::Alignment alignment = {};
    QStringList items{};
    std::function<int(int r)> number{};
    std::function<QString(int r)> rowName{};  // none: the grid's
    std::function<std::string(int r)> text{};
    std::function<void(int r, std::string text)> edit{};
    std::function<int(int r)> value{};
    std::function<void(int r, int value)> choose{};
    std::function<void(int r)> enter{};  // none: Enter is not the form's
    std::function<void(int r)> focusIn{};
    std::function<void(int r)> focusOut{};
};

// A framed grid of `rows` rows under its column headers, paged by the scroll bar `selector`.
struct GridTable {
    QString caption{};
    QString selector{};
    int rows = 0;
    std::vector<GridColumn> columns{};
    std::function<int()> first{};
    std::function<int()> lastFirst{};
    std::function<void(int first)> scrollTo{};
    std::function<QString(int r)> rowName{};
    std::vector<std::pair<QString, QString>> notes{};  // labels under the grid: object name, text
};

// A grid paged by a form with firstEntry(), lastFirstEntry(), scrollTo(first) and entryOf(r);
// rows are named by their entry's number.
template <typename Form>
GridTable pagedTable(Form& form, const char* caption) {
    GridTable t;
    t.caption = QString::fromUtf8(caption);
    t.selector = QStringLiteral("selpag");
    t.rows = Form::visibleRows;
    t.first = [&form] { return form.firstEntry(); };
    t.lastFirst = [&form] { return form.lastFirstEntry(); };
    t.scrollTo = [&form](int first) { form.scrollTo(first); };
    t.rowName = [&form](int r) { return QString::number(form.entryOf(r)); };
    return t;
}

// A box of a row of a form edited field by field.
struct FieldBox {
    const char* control;
    const char* header;
    int headerSpan;
    const char* spoken;
    int width;
};

// The columns of the boxes of a form whose rows are edited field by field (Field 0, 1, ... in
// the order of `boxes`): text(r, field) or row(r)[field] shows a box, edit(r, field, text),
// enterPressed(r, field), setFocus(r, field) and, where the form has one, leaveField(r, field)
// take the user's actions; `maxLength(field)` is how much a box holds (0: no limit).
template <typename Field, typename Form, typename Boxes, typename MaxLength>
std::vector<GridColumn> fieldColumns(Form& form, const Boxes& boxes, MaxLength maxLength) {
    std::vector<GridColumn> columns;
    for (std::size_t f = 0; f < boxes.size(); ++f) {
        const auto field = static_cast<Field>(f);
        const FieldBox& box = boxes[f];
        GridColumn c{.control = QLatin1String(box.control),
                     .header = QString::fromUtf8(box.header),
                     .headerSpan = box.headerSpan,
                     .spoken = QString::fromUtf8(box.spoken),
                     .width = box.width,
                     .maxLength = maxLength(field),
                     .text = [&form, field](int r) -> std::string {
                         if constexpr (requires { form.text(r, field); })
                             return form.text(r, field);
                         else
                             return form.row(r)[static_cast<int>(field)];
                     },
                     .edit = [&form, field](int r, std::string text) { form.edit(r, field, std::move(text)); },
                     .enter = [&form, field](int r) { form.enterPressed(r, field); },
                     .focusIn = [&form, field](int r) { form.setFocus(r, field); }};
        if constexpr (requires { form.leaveField(0, field); })
            c.focusOut = [&form, field](int r) { form.leaveField(r, field); };
        columns.push_back(std::move(c));
    }
    return columns;
}

class GridView : public TableDialog {
    Q_OBJECT
public:
    ~GridView() override;
    void refresh() override;

protected:
    // The window takes the form's name.
    GridView(tables::TableEditorForm& form, QWidget* parent, const QMargins& margins = QMargins(14, 14, 14, 12),
             int spacing = 10);

    // Builds a framed grid; the caller places the frame.
    QGroupBox* grid(GridTable table);
    // The same, placed in the window's column.
    void addGrid(GridTable table);
    // A control outside the grids, after them in the Tab order; the caller places it.
    QWidget* control(GridColumn column);
    // Closes the window with the button bar, sets the Tab order, shows the form's state and
    // puts the focus on what `focused` names (the form's focused control).
    void finish(std::function<QWidget*()> focused);
    // The control of grid `table` (in the order built), row r and column c; null outside.
    QWidget* cell(int table, int r, int c) const;

    // The whole window of a form edited field by field (see fieldColumns), paged by selpag:
    // its frame, the grid, `notes` under it (object name, text) and the button bar.
    template <typename Field, typename Form, typename Boxes, typename MaxLength>
    void buildFieldGrid(Form& form, const Boxes& boxes, MaxLength maxLength,
                        std::vector<std::pair<QString, QString>> notes) {
        GridTable table = pagedTable(form, Form::frameText);
        table.columns = fieldColumns<Field>(form, boxes, maxLength);
        table.notes = std::move(notes);
        addGrid(std::move(table));
        finish([this, &form] { return cell(0, form.focusedRow(), static_cast<int>(form.focusedField())); });
    }

    void focusField() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        const GridColumn* column;
        int row;
        QWidget* widget;
        const GridTable* table;  // null outside the grids
    };
    struct Grid;

    QWidget* bind(const GridColumn& column, int r, QWidget* parent, const GridTable* table);
    void showControl(const Bound& bound);

    tables::TableEditorForm& form_;
    std::vector<std::unique_ptr<Grid>> grids_;
    std::deque<GridColumn> extras_;
    std::vector<Bound> bound_;
    std::function<QWidget*()> focused_;
};

// The view of the table window of a form: each window's file defines the constructor, which
// describes the window's grids and controls.
template <typename Form>
class TableView : public GridView {
public:
    // Shows the state of an opened form.
    explicit TableView(Form& form, QWidget* parent = nullptr);
};

// The table windows; each one's constructor is in its own file (banks_view.cpp ...).
using BanksView = TableView<tables::BanksForm>;
using CarriersView = TableView<tables::CarriersForm>;
using CausalsView = TableView<tables::CausalsForm>;
using InvoiceTypesView = TableView<tables::InvoiceTypesForm>;
using PaymentTermsView = TableView<tables::PaymentTermsForm>;
using VatCodesView = TableView<tables::VatCodesForm>;
template <> BanksView::TableView(tables::BanksForm& form, QWidget* parent);
template <> CarriersView::TableView(tables::CarriersForm& form, QWidget* parent);
template <> CausalsView::TableView(tables::CausalsForm& form, QWidget* parent);
template <> InvoiceTypesView::TableView(tables::InvoiceTypesForm& form, QWidget* parent);
template <> PaymentTermsView::TableView(tables::PaymentTermsForm& form, QWidget* parent);
template <> VatCodesView::TableView(tables::VatCodesForm& form, QWidget* parent);

}  // namespace kalvora::ui
