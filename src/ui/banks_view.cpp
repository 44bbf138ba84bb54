#include "ui/banks_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::BanksForm;
using Field = tables::BankField;

// Control names and screen-reader names of the boxes, in focus order.
constexpr std::array<const char*, tables::bankFieldCount> controls = {"text1", "sc1", "sc2", "sc5", "sc3",
                                                                      "sc7",   "sc6", "sc31", "sc32", "sc4"};
constexpr std::array<const char*, tables::bankFieldCount> spokenNames = {
    "Descrizione banca", "ABI", "CAB", "SIA", "Numero conto", "CIN", "IB", "Codice conto gruppo", "Codice conto conto",
    "Codice conto sottoconto"};
constexpr std::array<int, tables::bankFieldCount> widths = {220, 56, 56, 56, 150, 28, 34, 34, 34, 52};

const char* rowProperty = "tableRow";
const char* fieldProperty = "tableField";

}  // namespace

BanksView::BanksView(tables::BanksForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstban"));

    QGroupBox* frame = tableFrame(QString::fromUtf8(Form::frameText), this);
    grid_ = new TableGrid(Form::visibleRows, tables::bankFieldCount, QStringLiteral("selpag"), frame);
    for (int f = 0; f < tables::bankFieldCount; ++f) {
        if (*Form::headers[f] == '\0') continue;
        const bool ledger = static_cast<Field>(f) == Field::Group;
        grid_->addHeader(f, QString::fromUtf8(Form::headers[f]), ledger ? 3 : 1);
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

void BanksView::buildRow(int r) {
    for (int f = 0; f < tables::bankFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        QLineEdit* box = tableBox(grid_, QStringLiteral("%1_%2").arg(QLatin1String(controls[f])).arg(r),
                                  tables::bankFieldWidth(field), widths[f]);
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

// The form hears of every box taking the focus, so it knows which one a focus loss leaves.
bool BanksView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const QVariant r = watched->property(rowProperty);
        const QVariant f = watched->property(fieldProperty);
        if (r.isValid() && f.isValid() && !form_.closed()) {
            const auto field = static_cast<Field>(f.toInt());
            if (event->type() == QEvent::FocusIn)
                form_.setFocus(r.toInt(), field);
            else
                form_.leaveField(r.toInt(), field);
            refresh();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BanksView::refresh() {
    setWindowTitle(toQt(form_.title()));
    grid_->showPage(form_.firstEntry(), form_.lastFirstEntry());
    for (int r = 0; r < Form::visibleRows; ++r) {
        const QString entry = QString::number(form_.entryOf(r));
        for (int f = 0; f < tables::bankFieldCount; ++f) {
            showBoxText(rows_[r][f], form_.row(r)[f]);
            rows_[r][f]->setAccessibleName(QString::fromUtf8(spokenNames[f]) + QLatin1Char(' ') + entry);
        }
    }
}

void BanksView::focusField() {
    const int r = form_.focusedRow();
    if (r >= 0 && r < Form::visibleRows)
        rows_[r][static_cast<int>(form_.focusedField())]->setFocus(Qt::OtherFocusReason);
}

void BanksView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void BanksView::reject() {
    leaveTable(form_);
    afterAction();
}

void BanksView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
