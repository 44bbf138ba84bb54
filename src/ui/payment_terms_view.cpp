#include "ui/payment_terms_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::PaymentTermsForm;
using Field = tables::PaymentField;

// Grid columns: description, type, the six month boxes, "Fine mese +", days and "giorni".
constexpr int descriptionColumn = 0;
constexpr int typeColumn = 1;
constexpr int firstMonthsColumn = 2;
constexpr int endOfMonthColumn = firstMonthsColumn + Form::instalments;
constexpr int daysColumn = endOfMonthColumn + 1;
constexpr int daysLabelColumn = daysColumn + 1;
constexpr int gridColumns = daysLabelColumn + 1;

// The boxes of instalments 1..6 are sc1..sc4, sc6 and sc7; sc5 holds the days.
constexpr std::array<int, Form::instalments> monthsControl = {1, 2, 3, 4, 6, 7};

constexpr std::array<Field, Form::instalments> monthsFields = {Field::Months1, Field::Months2, Field::Months3,
                                                               Field::Months4, Field::Months5, Field::Months6};

QLineEdit* numberBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaxLength(9);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(44);
    return box;
}

}  // namespace

PaymentTermsView::PaymentTermsView(tables::PaymentTermsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstpag"));

    QGroupBox* frame = tableFrame(QString::fromUtf8(Form::frameText), this);
    grid_ = new TableGrid(Form::visibleRows, gridColumns, QStringLiteral("selpag"), frame);
    grid_->addHeader(descriptionColumn, QStringLiteral("Descrizione"));
    grid_->addHeader(typeColumn, QStringLiteral("Tipo pagamento"));
    for (int i = 0; i < Form::instalments; ++i)
        grid_->addHeader(firstMonthsColumn + i, QStringLiteral("Mesi rata %1").arg(i + 1));
    for (int r = 0; r < Form::visibleRows; ++r) buildRow(r);
    frame->layout()->addWidget(grid_);
    addHelp(frame, QString::fromUtf8(Form::helpText));
    column->addWidget(frame);

    connect(grid_, &TableGrid::firstChanged, this, [this](int first) {
        form_.scrollTo(first);
        afterAction();
    });

    auto* settings = new QGridLayout;
    settings->setHorizontalSpacing(8);
    for (int which : {Form::august, Form::december}) {
        auto* box = new QCheckBox(QString::fromUtf8(Form::moveTexts[which]), this);
        box->setObjectName(QStringLiteral("fine_%1").arg(Form::visibleRows + which));
        auto* day = new QLineEdit(this);
        day->setObjectName(QStringLiteral("Text2_%1").arg(which));
        day->setMaxLength(Form::moveDayLength);
        day->setFixedWidth(44);
        day->setAccessibleName(QString::fromUtf8(which == Form::august ? "Giorno di agosto" : "Giorno di dicembre"));
        auto* after = new QLabel(QString::fromUtf8(Form::followingMonthText), this);
        after->setBuddy(day);
        settings->addWidget(box, which, 0);
        settings->addWidget(day, which, 1);
        settings->addWidget(after, which, 2);
        move_[which] = box;
        moveDay_[which] = day;
        connect(box, &QCheckBox::clicked, this, [this, which](bool ticked) {
            form_.setMonthMove(which, ticked);
            afterAction();
        });
        connect(day, &QLineEdit::textEdited, this, [this, which, day](const QString& text) {
            form_.editMoveDay(which, fromQt(cleanedBoxText(day, text)));
            afterAction();
        });
    }
    settings->setColumnStretch(3, 1);
    column->addLayout(settings);

    const TableButtons buttons = addTableFoot(this, column, form_, [this] { afterAction(); });
    confirm_ = buttons.confirm;
    exit_ = buttons.exit;

    TabChain chain;
    for (const Row& row : rows_) {
        chain(row.description);
        chain(row.type);
        chain.all(row.months);
        chain(row.endOfMonth);
        chain(row.days);
    }
    for (int which : {Form::august, Form::december}) {
        chain(move_[which]);
        chain(moveDay_[which]);
    }
    chain(confirm_);
    chain(exit_);

    refresh();
    focusField();
}

void PaymentTermsView::buildRow(int r) {
    Row& row = rows_[r];
    row.description = new QLineEdit(grid_);
    row.description->setObjectName(QStringLiteral("text1_%1").arg(r));
    row.description->setMinimumWidth(260);
    grid_->addCell(r, descriptionColumn, row.description);
    connect(row.description, &QLineEdit::textEdited, this, [this, r](const QString& text) {
        form_.editDescription(r, fromQt(cleanedBoxText(rows_[r].description, text)));
        afterAction();
    });

    row.type = new QComboBox(grid_);
    row.type->setObjectName(QStringLiteral("Combo1_%1").arg(r));
    for (const char* type : Form::paymentTypes) row.type->addItem(QString::fromUtf8(type));
    grid_->addCell(r, typeColumn, row.type);
    connect(row.type, qOverload<int>(&QComboBox::activated), this, [this, r](int index) {
        form_.selectType(r, index);
        afterAction();
    });

    for (int i = 0; i < Form::instalments; ++i) {
        QLineEdit* box = numberBox(grid_, QStringLiteral("sc%1_%2").arg(monthsControl[i]).arg(r));
        row.months[i] = box;
        grid_->addCell(r, firstMonthsColumn + i, box);
        connect(box, &QLineEdit::textEdited, this, [this, r, i](const QString& text) {
            form_.editMonths(r, i, fromQt(text));
            afterAction();
        });
    }

    row.endOfMonth = new QCheckBox(QString::fromUtf8(Form::endOfMonthText), grid_);
    row.endOfMonth->setObjectName(QStringLiteral("fine_%1").arg(r));
    grid_->addCell(r, endOfMonthColumn, row.endOfMonth);
    connect(row.endOfMonth, &QCheckBox::clicked, this, [this, r](bool ticked) {
        form_.setEndOfMonth(r, ticked);
        afterAction();
    });

    row.days = numberBox(grid_, QStringLiteral("sc5_%1").arg(r));
    grid_->addCell(r, daysColumn, row.days);
    connect(row.days, &QLineEdit::textEdited, this, [this, r](const QString& text) {
        form_.editDays(r, fromQt(text));
        afterAction();
    });
    auto* days = new QLabel(QString::fromUtf8(Form::daysText), grid_);
    days->setBuddy(row.days);
    grid_->addCell(r, daysLabelColumn, days);

    // Enter moves on as the form says; the list and the check box keep their own keys.
    auto enter = [this, r](QLineEdit* box, Field field) {
        connect(box, &QLineEdit::returnPressed, this, [this, r, field] {
            form_.enterPressed(r, field);
            afterAction();
            focusField();
        });
    };
    enter(row.description, Field::Description);
    for (int i = 0; i < Form::instalments; ++i) enter(row.months[i], monthsFields[i]);
    enter(row.days, Field::Days);
}

void PaymentTermsView::refresh() {
    setWindowTitle(toQt(form_.title()));
    grid_->showPage(form_.firstEntry(), form_.lastFirstEntry());
    for (int r = 0; r < Form::visibleRows; ++r) {
        const tables::PaymentRow& shown = form_.row(r);
        Row& row = rows_[r];
        const QString entry = QString::number(form_.entryOf(r));
        showBoxText(row.description, shown.description);
        row.description->setAccessibleName(QStringLiteral("Descrizione ") + entry);
        if (row.type->currentIndex() != shown.type) row.type->setCurrentIndex(shown.type);
        row.type->setAccessibleName(QStringLiteral("Tipo pagamento ") + entry);
        for (int i = 0; i < Form::instalments; ++i) {
            showBoxText(row.months[i], shown.months[i]);
            row.months[i]->setAccessibleName(QStringLiteral("Mesi rata %1 riga ").arg(i + 1) + entry);
        }
        row.endOfMonth->setChecked(shown.endOfMonth);
        row.endOfMonth->setAccessibleName(QStringLiteral("Fine mese riga ") + entry);
        showBoxText(row.days, shown.days);
        row.days->setAccessibleName(QStringLiteral("Giorni dopo fine mese riga ") + entry);
    }
    for (int which : {Form::august, Form::december}) {
        move_[which]->setChecked(form_.monthMove(which));
        showBoxText(moveDay_[which], form_.moveDay(which));
    }
}

QWidget* PaymentTermsView::widgetFor(int r, Field field) const {
    if (r < 0 || r >= Form::visibleRows) return nullptr;
    const Row& row = rows_[r];
    switch (field) {
    case Field::Description: return row.description;
    case Field::Type: return row.type;
    case Field::Months1: return row.months[0];
    case Field::Months2: return row.months[1];
    case Field::Months3: return row.months[2];
    case Field::Months4: return row.months[3];
    case Field::Months5: return row.months[4];
    case Field::Months6: return row.months[5];
    case Field::EndOfMonth: return row.endOfMonth;
    case Field::Days: return row.days;
    }
    return nullptr;
}

void PaymentTermsView::focusField() {
    if (QWidget* w = widgetFor(form_.focusedRow(), form_.focusedField())) w->setFocus(Qt::OtherFocusReason);
}

void PaymentTermsView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void PaymentTermsView::reject() {
    leaveTable(form_);
    afterAction();
}

void PaymentTermsView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
