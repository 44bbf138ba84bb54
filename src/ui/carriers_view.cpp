#include "ui/carriers_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::CarriersForm;
using Field = tables::CarrierField;

constexpr std::array<const char*, tables::carrierFieldCount> controls = {"text1", "Text2", "Text3",
                                                                         "text4", "text5", "sc4"};
constexpr std::array<const char*, tables::carrierFieldCount> spokenNames = {
    "Nome vettore o tipo di trasporto", "Indirizzo a 1' riga di annotazioni", "Città o 2' riga di annotazioni",
    "ID Stato", "Codice (fatture PA)", "Codice Fiscale"};
constexpr std::array<int, tables::carrierFieldCount> widths = {220, 220, 200, 34, 150, 150};

}  // namespace

CarriersView::CarriersView(tables::CarriersForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstvet"));

    QGroupBox* frame = tableFrame(QString::fromUtf8(Form::frameText), this);
    grid_ = new TableGrid(Form::visibleRows, tables::carrierFieldCount, QStringLiteral("selpag"), frame);
    for (int f = 0; f < tables::carrierFieldCount; ++f) {
        if (*Form::headers[f] == '\0') continue;
        const bool paIdentity = static_cast<Field>(f) == Field::Country;
        grid_->addHeader(f, QString::fromUtf8(Form::headers[f]), paIdentity ? 2 : 1);
    }
    for (int r = 0; r < Form::visibleRows; ++r) buildRow(r);
    frame->layout()->addWidget(grid_);
    addHelp(frame, QString::fromUtf8(Form::helpText));
    column->addWidget(frame);

    connect(grid_, &TableGrid::firstChanged, this, [this](int first) {
        form_.scrollTo(first);
        afterAction();
    });

    const TableButtons buttons = addTableFoot(this, column, form_, [this] { afterAction(); });
    confirm_ = buttons.confirm;
    exit_ = buttons.exit;

    TabChain chain;
    for (const Row& row : rows_) chain.all(row);
    chain(confirm_);
    chain(exit_);

    refresh();
    focusField();
}

void CarriersView::buildRow(int r) {
    for (int f = 0; f < tables::carrierFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        QLineEdit* box = tableBox(grid_, QStringLiteral("%1_%2").arg(QLatin1String(controls[f])).arg(r),
                                  tables::carrierFieldWidth(field), widths[f]);
        rows_[r][f] = box;
        grid_->addCell(r, f, box);
        connect(box, &QLineEdit::textEdited, this, [this, r, field, box](const QString& text) {
            form_.edit(r, field, fromQt(cleanedBoxText(box, text)));
            afterAction();
        });
        connect(box, &QLineEdit::returnPressed, this, [this, r, field] {
            form_.enterPressed(r, field);
            afterAction();
            focusField();
        });
    }
}

void CarriersView::refresh() {
    setWindowTitle(toQt(form_.title()));
    grid_->showPage(form_.firstEntry(), form_.lastFirstEntry());
    for (int r = 0; r < Form::visibleRows; ++r) {
        const QString entry = QString::number(form_.entryOf(r));
        for (int f = 0; f < tables::carrierFieldCount; ++f) {
            showBoxText(rows_[r][f], form_.row(r)[f]);
            rows_[r][f]->setAccessibleName(QString::fromUtf8(spokenNames[f]) + QLatin1Char(' ') + entry);
        }
    }
}

void CarriersView::focusField() {
    const int r = form_.focusedRow();
    if (r >= 0 && r < Form::visibleRows)
        rows_[r][static_cast<int>(form_.focusedField())]->setFocus(Qt::OtherFocusReason);
}

void CarriersView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void CarriersView::reject() {
    leaveTable(form_);
    afterAction();
}

void CarriersView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
