#include "ui/invoice_types_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::InvoiceTypesForm;
using Field = tables::InvoiceField;

constexpr std::array<const char*, tables::invoiceFieldCount> controls = {"text1", "Text2", "sc4"};
constexpr std::array<int, tables::invoiceFieldCount> maxLengths = {0, static_cast<int>(Form::purchaseWidth),
                                                                    static_cast<int>(Form::deductibleWidth)};
constexpr std::array<int, tables::invoiceFieldCount> widths = {330, 330, 56};

const char* rowProperty = "tableRow";
const char* fieldProperty = "tableField";

}  // namespace

InvoiceTypesView::InvoiceTypesView(tables::InvoiceTypesForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstbil"));

    QGroupBox* frame = tableFrame(QString::fromUtf8(Form::frameText), this);
    grid_ = new TableGrid(Form::visibleRows, tables::invoiceFieldCount, QStringLiteral("selpag"), frame);
    for (int f = 0; f < tables::invoiceFieldCount; ++f) grid_->addHeader(f, QString::fromUtf8(Form::headers[f]));
    for (int r = 0; r < Form::visibleRows; ++r) buildRow(r);
    frame->layout()->addWidget(grid_);
    auto* reserved = new QLabel(QString::fromUtf8(Form::reservedNote), frame);
    reserved->setObjectName(QStringLiteral("nota"));
    reserved->setWordWrap(true);
    frame->layout()->addWidget(reserved);
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

void InvoiceTypesView::buildRow(int r) {
    for (int f = 0; f < tables::invoiceFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        QLineEdit* box =
            tableBox(grid_, QStringLiteral("%1_%2").arg(QLatin1String(controls[f])).arg(r), maxLengths[f], widths[f]);
        box->setProperty(rowProperty, r);
        box->setProperty(fieldProperty, f);
        box->installEventFilter(this);
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

bool InvoiceTypesView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !form_.closed()) {
        const QVariant r = watched->property(rowProperty);
        const QVariant f = watched->property(fieldProperty);
        if (r.isValid() && f.isValid()) form_.setFocus(r.toInt(), static_cast<Field>(f.toInt()));
    }
    return QDialog::eventFilter(watched, event);
}

void InvoiceTypesView::refresh() {
    setWindowTitle(toQt(form_.title()));
    grid_->showPage(form_.firstEntry(), form_.lastFirstEntry());
    for (int r = 0; r < Form::visibleRows; ++r) {
        const QString entry = QString::number(form_.entryOf(r));
        for (int f = 0; f < tables::invoiceFieldCount; ++f) {
            showBoxText(rows_[r][f], form_.text(r, static_cast<Field>(f)));
            rows_[r][f]->setAccessibleName(QString::fromUtf8(Form::headers[f]) + QLatin1Char(' ') + entry);
        }
    }
}

void InvoiceTypesView::focusField() {
    const int r = form_.focusedRow();
    if (r >= 0 && r < Form::visibleRows)
        rows_[r][static_cast<int>(form_.focusedField())]->setFocus(Qt::OtherFocusReason);
}

void InvoiceTypesView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void InvoiceTypesView::reject() {
    leaveTable(form_);
    afterAction();
}

void InvoiceTypesView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
